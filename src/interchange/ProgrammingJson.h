// The JSON form of the whole programming (image/Programming.h) for export
// and import.
//
// Keys are the control names, values what the control shows: a list gives
// its entry text (null without a selection), a check box 0, 1 or 2 (grey),
// an option pair the caption of the button that is set, a grid cell its text.
#pragma once
#include <array>
#include <string>
#include "image/FieldError.h"
#include "image/MemoryImage.h"
#include "image/Programming.h"
#include "image/Views.h"
#include "interchange/BoundedJson.h"

namespace orv {

// A JSON value that cannot go into its control is a FieldError whose field
// is the value's path in the document (for example
// groups[3].channels[5]."Rec Freq") and whose value is its JSON text.
// Documents are read with parseJsonDocument (interchange/BoundedJson.h).

// encodeChangedFields of the core, with a refused value reported as a
// FieldError naming the group and the control.
void encodeDocumentChanges(const Programming& before, const Programming& after, MemoryImage& img);

Json programmingToJson(const Programming& prog);

// Replaces the values `doc` gives; absent keys and nulls keep what `prog`
// holds. Every value is checked before anything is changed, so on a
// FieldError `prog` is as it was. Cell texts, labels, passwords and ID
// numbers are checked with their fields' rules (image/FieldRules.h); a text
// equal to what the field holds is kept.
void applyJson(const Json& doc, Programming& prog);

}  // namespace orv
