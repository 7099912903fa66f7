// What each kind of field accepts: one rule per kind, used by every way a
// value comes in (the grid's typed cell, pasted rows, the offset entry, the
// JSON import and the CSV import), so they accept and refuse the same values.
//
// Each check gives the reason a value is refused, or nothing when it may go
// into the field. A value equal to what the field already holds is always
// kept: an image read from a radio may hold values the rules would refuse,
// and its export must import again unchanged.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace orv {

enum class FieldKind {
    Frequency,  // decimal MHz text: 136 to 174 on the 2.5 or 6.25 kHz raster, or 0 / "" for none
    CodeGuard,  // a tone below 800.0 Hz with at most one decimal, or D and three octal digits (- inverted)
    Label,      // at most 8 characters of the radio's set (a channel or group label)
    Password,   // at most 6 decimal digits
    IdNumber    // at most 7 decimal digits
};

using Refusal = std::optional<std::string>;

// The frequency rule on a number in MHz (0 is no frequency).
Refusal frequencyRefusal(double mhz);

// The rule of `kind` on a value as text.
Refusal fieldRefusal(FieldKind kind, std::string_view value);

// As above, but `value` equal to `current` (the field's value now) is kept
// without a check: frequencies compare by their value in MHz, the other
// kinds by their text without surrounding blanks.
Refusal fieldRefusal(FieldKind kind, std::string_view value, std::string_view current);

}  // namespace orv
