// The number and text conventions of the whole program, in one place:
// the numeric value of a text, half-to-even rounding, upper-case hexadecimal
// text, and the fixed display formats used by the codecs and the report.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

// The decimal number at the start of a text, read as far as it goes: blanks
// (spaces, tabs, line ends) are skipped, an optional sign, digits with at most
// one decimal point, and an optional exponent (E or D) are taken; reading stops
// at the first character that cannot continue the number. A text that does not
// start with a number has the value 0. Never throws.
double numericValue(std::string_view text);

// True when the whole text (blanks around it allowed) is one number, as a
// cell's content must be to count as "numeric".
bool isNumeric(std::string_view text);

// The text without the blanks (spaces and tabs) around it.
std::string trimBlanks(std::string_view text);

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double v);
// roundHalfEven, then cut to a signed 16-bit integer the way a checked
// conversion would: values outside -32768..32767 are clamped.
int16_t toInt16(double v);

// Upper-case hexadecimal digits without leading zeros ("0", "A", "1F").
// Negative numbers are taken as their 16-bit two's complement.
std::string hexText(long n);
// hexText padded on the left with '0' to at least `width` digits.
std::string hexTextPadded(long n, int width);

// Shortest decimal text with at most 15 significant digits ("%.15g"-like),
// written out in full without an exponent, so binary noise never shows:
// 162.4 * 1e5 gives "16240000", 1e-20 "0.00000000000000000001". The text is
// exact for every finite double: numericValue gives back the value rounded to
// 15 significant digits. Infinity and NaN, which have no decimal text, give
// the empty text (no number).
std::string numberText(double v);

// Format "###.00000": integer digits without leading zeros, point, five decimals.
std::string formatFreqMHz(double mhz);
// Format "000.00000": at least three integer digits, point, five decimals.
std::string formatFreqCell(double mhz);
// Format "0.0": at least one integer digit, one decimal.
std::string formatOneDecimal(double v);

}  // namespace orv

#include <cstddef>
#include <vector>
namespace orv {
// The characters of a UTF-8 text, one string per character (a byte that does
// not start a valid sequence counts as one character), so that label and
// digit positions count characters, not bytes.
std::vector<std::string> utf8Chars(std::string_view text);
// The length in bytes of the valid UTF-8 sequence that starts at byte `at`
// of `text` (1 for ASCII), or 0 when none starts there.
std::size_t utf8SequenceLength(std::string_view text, std::size_t at);
// The length of the longest start of `text` of at most `limit` bytes that
// does not end inside a UTF-8 sequence.
std::size_t utf8Prefix(std::string_view text, std::size_t limit);
// The mark of a text cut short, in messages and excerpts.
inline constexpr std::string_view kEllipsis = "\u2026";
}  // namespace orv
