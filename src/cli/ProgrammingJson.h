// The whole programming of a radio as the controls show it (global window,
// 15 group screens), and its JSON form for export and import.
//
// Keys are the control names, values what the control shows: a list gives
// its entry text (null without a selection), a check box 0, 1 or 2 (grey),
// an option pair the caption of the button that is set, a grid cell its text.
#pragma once
#include <array>
#include <stdexcept>
#include <string>
#include <nlohmann/json.hpp>
#include "image/MemoryImage.h"
#include "image/Views.h"

namespace orv {

using Json = nlohmann::ordered_json;

struct Programming {
    GlobalsView globals;
    std::array<GroupView, kGroups> groups;
};

// A JSON value that cannot go into its control. `field` is the value's path
// in the document (for example groups[3].channels[5]."Rec Freq").
class JsonFieldError : public std::runtime_error {
public:
    JsonFieldError(std::string field, std::string value, std::string reason);
    const std::string& field() const { return field_; }
    const std::string& value() const { return value_; }
    const std::string& reason() const { return reason_; }

private:
    std::string field_;
    std::string value_;
    std::string reason_;
};

// Read_Globals, then Read_Group for groups 0..14, on a copy of `img`.
Programming decodeProgramming(const MemoryImage& img);

// Write_Globals, then Write_Group for groups 0..14, into `img`. Throws
// JsonFieldError (naming the control as the JSON document does) for a value
// the codecs refuse; `img` may then be partly written, so callers encode into
// a copy.
void encodeProgramming(const Programming& prog, MemoryImage& img);

// Like encodeProgramming, but writes only the fields whose values differ
// between `before` (what `img` decodes to) and `after`, each through its own
// codec writer. Fields left as they were keep their bytes exactly, also where
// the image holds an encoding the codecs would store differently (a tone word
// with non-decimal nibbles, unused bits of a digital code guard, a rotary
// position stored as group nibble 15), so an import changes the bits of the
// edited fields and nothing else.
void encodeChangedFields(const Programming& before, const Programming& after, MemoryImage& img);

Json programmingToJson(const Programming& prog);

// Replaces the values `doc` gives; absent keys and nulls keep what `prog`
// holds. Every value is checked before anything is changed, so on a
// JsonFieldError `prog` is as it was. Cell texts are checked with the channel
// codec's own conversions.
void applyJson(const Json& doc, Programming& prog);

}  // namespace orv
