// Fuzz target: the number and text conventions (numeric value of a text,
// number texts, rounding, hexadecimal texts, frequency and code guard texts,
// UTF-8 characters).
//
// Properties:
// - the numeric value of any text is a number (never NaN);
// - numberText of every finite double is a whole-number text that reads back
//   as the double rounded to 15 significant digits, and is stable when
//   written again; infinity and NaN give no text;
// - frequency codes and code guard words convert to text and back;
// - a frequency or code guard text is either refused with a FieldError or
//   stored as a value that reads back as a text storing the same value.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include "FuzzCheck.h"
#include "image/FieldError.h"
#include "image/MemoryImage.h"
#include "image/NumText.h"
#include "image/clsChannel.h"

namespace {

void checkNumberText(double v) {
    if (!std::isfinite(v)) {
        FUZZ_CHECK(orv::numberText(v).empty());
        return;
    }
    const std::string t = orv::numberText(v);
    FUZZ_CHECK(orv::isNumeric(t));
    FUZZ_CHECK(t.find_first_of("eE") == std::string::npos);
    char digits[64];
    std::snprintf(digits, sizeof digits, "%.15g", v);
    const double back = orv::numericValue(t);
    FUZZ_CHECK(back == orv::numericValue(digits));
    // (The largest doubles round past the range and read back as infinity.)
    if (std::isfinite(back)) FUZZ_CHECK(orv::numberText(back) == t);
}

void checkFixedFormats(double v) {
    if (!std::isfinite(v)) return;
    const double tolerance = 5e-6 + std::fabs(v) * 1e-15;
    FUZZ_CHECK(std::fabs(orv::numericValue(orv::formatFreqCell(v)) - v) <= tolerance);
    FUZZ_CHECK(std::fabs(orv::numericValue(orv::formatFreqMHz(v)) - v) <= tolerance);
    FUZZ_CHECK(std::fabs(orv::numericValue(orv::formatOneDecimal(v)) - v) <= 0.05 + std::fabs(v) * 1e-15);
}

void checkRounding(double v) {
    const int16_t n = orv::toInt16(v);
    if (std::isnan(v)) {
        FUZZ_CHECK(n == 0);
        return;
    }
    const double r = std::nearbyint(v);
    FUZZ_CHECK(n == (r < -32768.0 ? -32768 : r > 32767.0 ? 32767 : static_cast<int16_t>(r)));
}

void checkText(const std::string& text) {
    const double v = orv::numericValue(text);
    FUZZ_CHECK(!std::isnan(v));
    checkNumberText(v);
    checkFixedFormats(v);
    checkRounding(v);

    std::string joined;
    for (const std::string& ch : orv::utf8Chars(text)) {
        FUZZ_CHECK(!ch.empty() && ch.size() <= 4);
        joined += ch;
    }
    FUZZ_CHECK(joined == text);

    const double h = orv::hexToNum(text);
    FUZZ_CHECK(h >= 0 && h <= 4095 && h == std::floor(h));

    // Frequency text: refused, or a code whose own text stores the same code.
    try {
        const uint16_t code = orv::clsChannel::freqCode(text, "f");
        FUZZ_CHECK(orv::clsChannel::freqTextValid(text));
        FUZZ_CHECK(orv::clsChannel::freqCode(orv::freqCodeToText(code), "f") == code);
    } catch (const orv::FieldError&) {
        FUZZ_CHECK(!orv::clsChannel::freqTextValid(text));
    }
    // Code guard text: refused, or a word whose text is stable (a tone of
    // 800.0 or more sets bit 15 and reads back as a digital code, whose
    // text then stores itself).
    try {
        const uint16_t word = orv::clsChannel::codeGuardWord(text, "cg");
        FUZZ_CHECK(orv::clsChannel::codeGuardTextValid(text));
        const std::string shown = orv::clsChannel::codeGuardText(word);
        FUZZ_CHECK(orv::clsChannel::codeGuardText(orv::clsChannel::codeGuardWord(shown, "cg")) == shown);
    } catch (const orv::FieldError&) {
        FUZZ_CHECK(!orv::clsChannel::codeGuardTextValid(text));
    }
}

void checkWords(uint16_t w) {
    // Every frequency code reads back from its text.
    FUZZ_CHECK(orv::clsChannel::freqCode(orv::freqCodeToText(w), "f") == w);
    // Tone words keep every nibble; digital words keep their code and inversion.
    const uint16_t back = orv::clsChannel::codeGuardWord(orv::clsChannel::codeGuardText(w), "cg");
    if (w & 0x8000)
        FUZZ_CHECK((back & 0xC1FF) == (w & 0xC1FF));
    else
        FUZZ_CHECK(back == w);
    const std::string hex = orv::hexText(static_cast<long>(w));
    FUZZ_CHECK(std::strtol(hex.c_str(), nullptr, 16) == w);
    FUZZ_CHECK(orv::hexTextPadded(w, 4).size() == 4);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 4096) return 0;
    checkText(std::string(reinterpret_cast<const char*>(data), size));
    // The first eight bytes as a double's bits, the first two as a 16-bit word.
    if (size >= 8) {
        double v;
        std::memcpy(&v, data, sizeof v);
        checkNumberText(v);
        checkFixedFormats(v);
        checkRounding(v);
    }
    if (size >= 2) checkWords(static_cast<uint16_t>(data[0] << 8 | data[1]));
    return 0;
}
