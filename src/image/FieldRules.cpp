#include "image/FieldRules.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include "image/MemoryImage.h"
#include "image/NumText.h"
#include "image/TrNoop.h"

namespace orv {

namespace {

bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// ---- the limits as text -------------------------------------------------------------
// Built at compile time, so that the translatable reasons below, which must
// be literal texts, are checked against the limits they quote.

struct FixedText {
    std::array<char, 64> chars{};
    std::size_t size = 0;
    constexpr FixedText& operator<<(std::string_view s) {
        for (char ch : s) chars[size++] = ch;
        return *this;
    }
    constexpr std::string_view view() const { return {chars.data(), size}; }
};

// `units` of 10^-places as a decimal text: trailing zeros after the point
// go unless `keepPlaces` ("2.5", "6.25", "800.0" with it).
constexpr FixedText decimalText(long units, int places, bool keepPlaces = false) {
    std::array<char, 24> digits{};
    int n = 0;
    for (long v = units; v > 0 || n <= places; v /= 10) digits[static_cast<std::size_t>(n++)] = static_cast<char>('0' + v % 10);
    int low = 0;  // digits below the point that are dropped
    while (!keepPlaces && low < places && digits[static_cast<std::size_t>(low)] == '0') ++low;
    FixedText t;
    for (int i = n - 1; i >= low; --i) {
        if (i == places - 1) t << ".";
        t << std::string_view(&digits[static_cast<std::size_t>(i)], 1);
    }
    return t;
}

constexpr FixedText band() {
    FixedText t;
    return t << decimalText(kLowestMHz, 0).view() << " to " << decimalText(kHighestMHz, 0).view() << " MHz";
}
constexpr FixedText raster() {
    FixedText t;
    return t << decimalText(kRasterHz[0], 3).view() << " or " << decimalText(kRasterHz[1], 3).view() << " kHz";
}
constexpr FixedText highestDigitalCode() {
    const std::string_view digit(&kHighestOctalDigit, 1);
    FixedText t;
    return t << digit << digit << digit;
}

// Whether `text` is `parts` one after the other.
constexpr bool reads(std::string_view text, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) {
        if (!text.starts_with(part)) return false;
        text.remove_prefix(part.size());
    }
    return text.empty();
}

static_assert(band().view() == "136 to 174 MHz" && raster().view() == "2.5 or 6.25 kHz");

// The reasons that quote a limit.
constexpr std::string_view kOffRaster = ORV_TR_NOOP("FieldRules", "not on the 2.5 or 6.25 kHz raster");
static_assert(reads(kOffRaster, {"not on the ", raster().view(), " raster"}));
constexpr std::string_view kOutsideBand = ORV_TR_NOOP("FieldRules", "outside 136 to 174 MHz");
static_assert(reads(kOutsideBand, {"outside ", band().view()}));
constexpr std::string_view kToneTooHigh = ORV_TR_NOOP("FieldRules", "a tone is below 800.0 Hz");
static_assert(reads(kToneTooHigh, {"a tone is below ", decimalText(kToneLimitTenths, 1, true).view(), " Hz"}));
constexpr std::string_view kToneDecimalsReason = ORV_TR_NOOP("FieldRules", "a tone has at most one decimal");
static_assert(kToneDecimals == 1, "the reason says \"one decimal\"");
constexpr std::string_view kNotDigital =
    ORV_TR_NOOP("FieldRules", "a digital code is D and three octal digits (0 to 7), with - when inverted");
static_assert(reads(kNotDigital, {"a digital code is D and three octal digits (0 to ",
                                  std::string_view(&kHighestOctalDigit, 1), "), with - when inverted"}));
constexpr std::string_view kLabelTooLong = ORV_TR_NOOP("FieldRules", "at most 8 characters");
static_assert(reads(kLabelTooLong, {"at most ", decimalText(kLabelChars, 0).view(), " characters"}));

// ---- frequencies ------------------------------------------------------------------

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

// ---- code guards ----------------------------------------------------------------------

Refusal codeGuardRefusal(std::string_view text) {
    const auto cg = readCodeGuardText(text);
    using Form = CodeGuardText::Form;
    if (startsDigitalCode(text)) {
        bool octal = cg && cg->form == Form::Digital;
        for (std::size_t i = 0; octal && i < cg->code.size(); ++i) octal = cg->code[i] <= kHighestOctalDigit;
        if (octal) return std::nullopt;
        return std::string(kNotDigital);
    }
    if (!cg) return ORV_TR_NOOP("FieldRules", "a tone is at most three digits before the point, in hertz");
    if (cg->form == Form::None) return std::nullopt;
    if (cg->decimals.size() > static_cast<std::size_t>(kToneDecimals)) return std::string(kToneDecimalsReason);
    if (cg->tenths() >= kToneLimitTenths) return std::string(kToneTooHigh);
    return std::nullopt;
}

// ---- labels and digits ------------------------------------------------------------------

namespace {
// A character as a refusal names it: a control byte by what it is, so that a
// newline is not shown as the blank a one-line message makes of it.
std::string characterName(const std::string& ch) {
    if (ch == "\n") return "a newline";
    if (ch == "\r") return "a carriage return";
    if (ch == "\t") return "a tab";
    if (ch.size() == 1 && (static_cast<unsigned char>(ch[0]) < 0x20 || ch[0] == 0x7F)) {
        static const char hex[] = "0123456789ABCDEF";
        const auto b = static_cast<unsigned char>(ch[0]);
        return std::string("the control byte 0x") + hex[b >> 4] + hex[b & 0xF];
    }
    return "\"" + ch + "\"";
}
}  // namespace

Refusal labelRefusal(std::string_view text) {
    const auto chars = utf8Chars(text);
    if (chars.size() > static_cast<std::size_t>(kLabelChars)) return std::string(kLabelTooLong);
    for (const std::string& ch : chars) {
        std::string c = ch;
        // Lower-case letters are stored as their capitals; "h" is a character of its own.
        if (c.size() == 1 && c[0] >= 'a' && c[0] <= 'z' && c[0] != 'h') c[0] = static_cast<char>(c[0] - 'a' + 'A');
        if (c != " " && charToRadioCode(c) == "30")
            return characterName(ch) + " is not a character of the radio (digits, capitals, blank, h, - * $ / + % \\ | _ < >)";
    }
    return std::nullopt;
}

Refusal digitsRefusal(std::string_view text, int width) {
    for (char ch : text)
        if (!isDigit(ch)) return ORV_TR_NOOP("FieldRules", "only the digits 0 to 9");
    if (text.size() > static_cast<std::size_t>(width)) return "at most " + std::to_string(width) + " digits";
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

std::string bandText() { return std::string(band().view()); }
std::string rasterText() { return std::string(raster().view()); }
std::string toneLimitText() { return std::string(decimalText(kToneLimitTenths, 1).view()) + " Hz"; }
std::string highestDigitalCodeText() { return std::string(highestDigitalCode().view()); }

bool startsDigitalCode(std::string_view text) {
    const std::string t = trimBlanks(text);
    return !t.empty() && (t[0] == 'D' || t[0] == 'd');
}

std::optional<CodeGuardText> readCodeGuardText(std::string_view text) {
    const std::string t = trimBlanks(text);
    CodeGuardText cg;
    if (t.empty()) return cg;
    auto allDigits = [](std::string_view s) {
        for (char ch : s)
            if (!isDigit(ch)) return false;
        return true;
    };
    if (startsDigitalCode(t)) {
        if ((t.size() != 4 && t.size() != 5) || (t.size() == 5 && t[4] != '-')) return std::nullopt;
        cg.code = t.substr(1, 3);
        if (!allDigits(cg.code)) return std::nullopt;
        cg.form = CodeGuardText::Form::Digital;
        cg.inverted = t.size() == 5;
        return cg;
    }
    const auto dot = t.find('.');
    cg.whole = t.substr(0, dot);
    cg.decimals = dot == std::string::npos ? "" : t.substr(dot + 1);
    if (cg.whole.size() > 3 || cg.whole.size() + cg.decimals.size() == 0) return std::nullopt;
    if (!allDigits(cg.whole) || !allDigits(cg.decimals)) return std::nullopt;
    cg.form = CodeGuardText::Form::Tone;
    return cg;
}

int CodeGuardText::tenths() const {
    int v = 0;
    for (char ch : whole) v = v * 10 + (ch - '0');
    return v * 10 + (decimals.empty() ? 0 : decimals[0] - '0');
}

Refusal frequencyRefusal(double value) {
    // Text such as "1e400" reads as an infinite value: no frequency at all,
    // and the scaling below would never end.
    if (!std::isfinite(value)) return ORV_TR_NOOP("FieldRules", "not a number");
    std::string text = numberText(value);
    if (text.size() > kFrequencyMaxChars) return ORV_TR_NOOP("FieldRules", "too many digits");

    // Scale the value and both channel steps by ten until the value is a
    // whole number (at least five times), then compare as whole numbers.
    double v = value;
    double a = static_cast<double>(kRasterHz[0]) / memmap::kHzPerMHz;
    double b = static_cast<double>(kRasterHz[1]) / memmap::kHzPerMHz;
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
    if (!onA && !onB) return std::string(kOffRaster);
    if (value == 0 || (value >= kLowestMHz && value <= kHighestMHz)) return std::nullopt;
    return std::string(kOutsideBand);
}

Refusal fieldRefusal(FieldKind kind, std::string_view value) {
    switch (kind) {
    case FieldKind::Frequency: return frequencyTextRefusal(value);
    case FieldKind::CodeGuard: return codeGuardRefusal(value);
    case FieldKind::Label: return labelRefusal(value);
    case FieldKind::Password: return digitsRefusal(value, kPasswordDigits);
    case FieldKind::IdNumber: return digitsRefusal(value, kIdNumberDigits);
    }
    return std::nullopt;
}

Refusal fieldRefusal(FieldKind kind, std::string_view value, std::string_view current) {
    if (sameValue(kind, value, current)) return std::nullopt;
    return fieldRefusal(kind, value);
}

}  // namespace orv
