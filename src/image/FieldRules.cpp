#include "image/FieldRules.h"

#include <cmath>
#include "image/MemoryImage.h"
#include "image/NumText.h"
#include "image/TrNoop.h"

namespace orv {

namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Digits with at most one point and at least one digit: the form of a
// frequency in MHz in a document or a file. The grid's lenient reading (the
// number at the start of any text, 0 for none) would make "NaN", "0x10" or
// "abc" "no frequency" without a word.
bool isDecimalNumber(std::string_view text) {
    bool digit = false, point = false;
    for (char ch : text) {
        if (isDigit(ch)) digit = true;
        else if (ch == '.' && !point) point = true;
        else return false;
    }
    return digit;
}

// A frequency text as a value in MHz: "" is 0; nullopt when it is not a
// decimal number.
std::optional<double> frequencyValue(std::string_view text) {
    if (text.empty()) return 0.0;
    if (!isDecimalNumber(text)) return std::nullopt;
    return numericValue(text);
}

Refusal frequencyTextRefusal(std::string_view text) {
    const auto mhz = frequencyValue(text);
    if (!mhz)
        return ORV_TR_NOOP("FieldRules",
                           "a frequency is a decimal number in MHz, or \"\", \"0\" or \"000.00\" for none");
    return frequencyRefusal(*mhz);
}

bool isDigitalForm(std::string_view t) {
    return (t.size() == 4 || t.size() == 5) && (t[0] == 'D' || t[0] == 'd');
}

Refusal codeGuardRefusal(std::string_view text) {
    const std::string t = trimBlanks(text);
    if (t.empty()) return std::nullopt;  // no code guard
    if (t[0] == 'D' || t[0] == 'd') {
        bool ok = isDigitalForm(t) && (t.size() == 4 || t[4] == '-');
        for (std::size_t i = 1; ok && i < 4; ++i) ok = t[i] >= '0' && t[i] <= '7';
        if (ok) return std::nullopt;
        return ORV_TR_NOOP("FieldRules", "a digital code is D and three octal digits (0 to 7), with - when inverted");
    }
    const auto dot = t.find('.');
    const std::string whole = t.substr(0, dot);
    const std::string decimals = dot == std::string::npos ? "" : t.substr(dot + 1);
    bool digits = whole.size() + decimals.size() > 0;
    for (char ch : whole + decimals) digits = digits && isDigit(ch);
    if (!digits || whole.size() > 3)
        return ORV_TR_NOOP("FieldRules", "a tone is at most three digits before the point, in hertz");
    if (decimals.size() > 1) return ORV_TR_NOOP("FieldRules", "a tone has at most one decimal");
    if (whole.size() == 3 && whole[0] > '7') return ORV_TR_NOOP("FieldRules", "a tone is below 800.0 Hz");
    return std::nullopt;
}

Refusal labelRefusal(std::string_view text) {
    const auto chars = utf8Chars(text);
    if (chars.size() > 8) return ORV_TR_NOOP("FieldRules", "at most 8 characters");
    for (const std::string& ch : chars) {
        std::string c = ch;
        // Lower-case letters are stored as their capitals; "h" is a character of its own.
        if (c.size() == 1 && c[0] >= 'a' && c[0] <= 'z' && c[0] != 'h') c[0] = static_cast<char>(c[0] - 'a' + 'A');
        if (c != " " && charToRadioCode(c) == "30")
            return "\"" + ch + "\" is not a character of the radio (digits, capitals, blank, h, - * $ / + % \\ | _ < >)";
    }
    return std::nullopt;
}

Refusal digitsRefusal(std::string_view text, std::size_t width) {
    for (char ch : text)
        if (!isDigit(ch)) return ORV_TR_NOOP("FieldRules", "only the digits 0 to 9");
    if (text.size() > width) return "at most " + std::to_string(width) + " digits";
    return std::nullopt;
}

bool sameValue(FieldKind kind, std::string_view value, std::string_view current) {
    if (kind != FieldKind::Frequency) return trimBlanks(value) == trimBlanks(current);
    // The field's own text need not be a plain decimal ("000.00" is; a grid
    // cell may be padded): it is read as the grid reads it.
    const auto v = frequencyValue(value);
    return v && isNumeric(current.empty() ? "0" : current) && *v == numericValue(current);
}

}  // namespace

Refusal frequencyRefusal(double value) {
    // Text such as "1e400" reads as an infinite value: no frequency at all,
    // and the scaling below would never end.
    if (!std::isfinite(value)) return ORV_TR_NOOP("FieldRules", "not a number");
    std::string text = numberText(value);
    if (text.size() >= 11) return ORV_TR_NOOP("FieldRules", "too many digits");

    // Scale the value and both channel steps by ten until the value is a
    // whole number (at least five times), then compare as whole numbers.
    double v = value, a = 0.0025, b = 0.00625;
    int times = 0;
    while ((text.find('.') != std::string::npos || times < 5) && times < 30) {
        v *= 10;
        a *= 10;
        b *= 10;
        ++times;
        text = numberText(v);
    }
    const double iv = numericValue(numberText(v));
    const double ia = numericValue(numberText(a));
    const double ib = numericValue(numberText(b));
    const bool onA = ia != 0 && std::fmod(iv, ia) == 0;
    const bool onB = ib != 0 && std::fmod(iv, ib) == 0;
    if (!onA && !onB) return ORV_TR_NOOP("FieldRules", "not on the 2.5 or 6.25 kHz raster");
    if (value == 0 || (value >= 136 && value <= 174)) return std::nullopt;
    return ORV_TR_NOOP("FieldRules", "outside 136 to 174 MHz");
}

Refusal fieldRefusal(FieldKind kind, std::string_view value) {
    switch (kind) {
    case FieldKind::Frequency: return frequencyTextRefusal(value);
    case FieldKind::CodeGuard: return codeGuardRefusal(value);
    case FieldKind::Label: return labelRefusal(value);
    case FieldKind::Password: return digitsRefusal(value, 6);
    case FieldKind::IdNumber: return digitsRefusal(value, 7);
    }
    return std::nullopt;
}

Refusal fieldRefusal(FieldKind kind, std::string_view value, std::string_view current) {
    if (sameValue(kind, value, current)) return std::nullopt;
    return fieldRefusal(kind, value);
}

}  // namespace orv
