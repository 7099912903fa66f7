// The JSON form of the whole programming (image/Programming.h) for export
// and import.
//
// Keys are the control names, values what the control shows: a list gives
// its entry text (null without a selection), a check box 0, 1 or 2 (grey),
// an option pair the caption of the button that is set, a grid cell its text.
#pragma once
#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <nlohmann/json.hpp>
#include "image/FieldError.h"
#include "image/MemoryImage.h"
#include "image/Programming.h"
#include "image/Views.h"

namespace orv {

using Json = nlohmann::ordered_json;

// A JSON value that cannot go into its control is a FieldError whose field
// is the value's path in the document (for example
// groups[3].channels[5]."Rec Freq") and whose value is its JSON text.

// JSON text that is not well-formed; the message names line and column.
class JsonSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The largest JSON document import reads: an export is well under 100 KB.
inline constexpr std::size_t kMaxJsonDocumentBytes = std::size_t{4} << 20;
// Objects and arrays nest at most this deep in a programming document
// (document, groups, group, channels, channel).
inline constexpr int kMaxJsonDepth = 5;
// No text of a programming document (key or value) is longer than this.
inline constexpr std::size_t kMaxJsonTextBytes = 256;

// Parses the text of a programming document in time linear in its length,
// without recursion. Refuses, as a FieldError naming the place, nesting
// deeper than kMaxJsonDepth (before building anything that deep), a key given
// twice in one object, a text longer than kMaxJsonTextBytes and a number too
// large to read; malformed text is a JsonSyntaxError.
Json parseJsonDocument(std::string_view text);

// At most about 40 characters of a value's JSON text, with "…" when cut, so
// that no refused value, however large or deep, makes a long message.
std::string jsonExcerpt(const Json& value);

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
