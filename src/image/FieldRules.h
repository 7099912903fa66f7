// What each kind of field accepts: one rule per kind, used by every way a
// value comes in (the grid's typed cell, pasted rows, the offset entry, the
// JSON import and the CSV import), so they accept and refuse the same values.
// The limits the rules apply and the grammar of a code guard's text are
// defined here too; help texts and messages that quote a limit take it from
// here.
//
// Each check gives the reason a value is refused, or nothing when it may go
// into the field. A value equal to what the field already holds is always
// kept: an image read from a radio may hold values the rules would refuse,
// and its export must import again unchanged.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include "image/MemoryMap.h"

namespace orv {

enum class FieldKind {
    Frequency,  // decimal MHz text: kLowestMHz to kHighestMHz on a channel raster, or 0 / "" for none
    CodeGuard,  // a tone below kToneLimitTenths with at most one decimal, or D and three octal digits (- inverted)
    Label,      // at most kLabelChars characters of the radio's set (a channel or group label)
    Password,   // at most kPasswordDigits decimal digits
    IdNumber    // at most kIdNumberDigits decimal digits
};

// ---- the limits -------------------------------------------------------------------

// The band the radio transmits and receives in, in whole MHz (both ends included).
inline constexpr int kLowestMHz = 136;
inline constexpr int kHighestMHz = 174;
// The channel rasters in hertz: a frequency is a multiple of one of them.
inline constexpr std::array<long, 2> kRasterHz = {2'500, 6'250};
// A frequency's decimal text has at most this many characters.
inline constexpr std::size_t kFrequencyMaxChars = 10;
// Tones lie below 800.0 Hz (tenths of a hertz), with at most one decimal.
inline constexpr int kToneLimitTenths = 8'000;
inline constexpr int kToneDecimals = 1;
// The largest octal digit of a digital code.
inline constexpr char kHighestOctalDigit = '7';
inline constexpr int kLabelChars = memmap::kLabelSize;
inline constexpr int kPasswordDigits = 2 * memmap::kPasswordBytes;  // two digits a byte
inline constexpr int kIdNumberDigits = 7;

// The limits as help texts and messages quote them: "136 to 174 MHz",
// "2.5 or 6.25 kHz", "800 Hz", "777".
std::string bandText();
std::string rasterText();
std::string toneLimitText();
std::string highestDigitalCodeText();

// ---- the text of a code guard ------------------------------------------------------

// A code guard as text, without the blanks around it: empty (none); "D" or
// "d", three decimal digits and "-" when inverted (a digital code); or a
// tone in hertz: at most three digits, an optional point and decimals, at
// least one digit in all. The grid, the files, the codec and the rule read
// code guards with this one grammar; which values the radio takes is the
// rule's (fieldRefusal), what a word stores is the codec's.
struct CodeGuardText {
    enum class Form { None, Tone, Digital } form = Form::None;
    std::string whole;     // Tone: the digits before the point (at most 3, may be empty)
    std::string decimals;  // Tone: the digits after the point
    std::string code;      // Digital: the three digits
    bool inverted = false; // Digital: the trailing "-"
    // Tone: the value in tenths of a hertz (the first decimal; the others are not stored).
    int tenths() const;
};
std::optional<CodeGuardText> readCodeGuardText(std::string_view text);
// Whether the text (blanks around it allowed) starts like a digital code.
bool startsDigitalCode(std::string_view text);

// ---- the rules ------------------------------------------------------------------------

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
