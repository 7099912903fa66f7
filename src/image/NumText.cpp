// Number and text conventions shared by the codecs, the windows and the tools.
#include "image/NumText.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace orv {

namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; }
bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Scans the number at the start of `text` (blanks before and inside skipped)
// into a clean C-locale string. Returns the index just past the last character
// that belongs to the number, and whether any digit was seen.
struct Scan {
    std::string clean;
    std::size_t end = 0;
    bool digits = false;
};

Scan scanNumber(std::string_view text, bool blanksInside) {
    Scan s;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && isBlank(text[i])) ++i;
    };
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        s.clean += text[i];
        ++i;
        if (blanksInside) skip();
    }
    bool point = false;
    while (i < text.size()) {
        char ch = text[i];
        if (isDigit(ch)) {
            s.clean += ch;
            s.digits = true;
        } else if (ch == '.' && !point) {
            s.clean += ch;
            point = true;
        } else if (blanksInside && isBlank(ch)) {
            // blanks inside the number are skipped
        } else {
            break;
        }
        ++i;
        s.end = i;
    }
    if (!s.digits) return s;
    // Optional exponent: E or D, optional sign, at least one digit.
    if (i < text.size()) {
        char e = text[i];
        if (e == 'E' || e == 'e' || e == 'D' || e == 'd') {
            std::size_t j = i + 1;
            std::string exp = "e";
            if (j < text.size() && (text[j] == '+' || text[j] == '-')) exp += text[j++];
            bool expDigits = false;
            while (j < text.size() && isDigit(text[j])) {
                exp += text[j++];
                expDigits = true;
            }
            if (expDigits) {
                s.clean += exp;
                s.end = j;
            }
        }
    }
    return s;
}

// Without snprintf: the label and code guard decoders call this for every
// byte they read.
std::string upperHex(unsigned long v) {
    char buf[2 * sizeof v];
    char* end = buf + sizeof buf;
    char* p = end;
    do {
        *--p = "0123456789ABCDEF"[v & 0xF];
        v >>= 4;
    } while (v != 0);
    return std::string(p, end);
}

}  // namespace

double numericValue(std::string_view text) {
    Scan s = scanNumber(text, true);
    if (!s.digits) return 0.0;
    double v = std::strtod(s.clean.c_str(), nullptr);
    if (std::isnan(v)) return 0.0;
    return v;
}

bool isNumeric(std::string_view text) {
    Scan s = scanNumber(text, false);
    if (!s.digits) return false;
    for (std::size_t i = s.end; i < text.size(); ++i)
        if (!isBlank(text[i])) return false;
    return true;
}

double roundHalfEven(double v) {
    // nearbyint honours the current rounding mode; the program never changes
    // it from round-to-nearest-even.
    return std::nearbyint(v);
}

int16_t toInt16(double v) {
    if (std::isnan(v)) return 0;
    double r = roundHalfEven(v);
    if (r < -32768.0) return -32768;
    if (r > 32767.0) return 32767;
    return static_cast<int16_t>(r);
}

std::string hexText(long n) {
    if (n < 0) return upperHex(static_cast<unsigned long>(n) & 0xFFFFUL);
    return upperHex(static_cast<unsigned long>(n));
}

std::string hexTextPadded(long n, int width) {
    std::string s = hexText(n);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

std::string numberText(double v) {
    // Infinity and NaN have no decimal text: the empty text, which is no
    // number to isNumeric and which every check of a cell refuses. (No
    // exception: callers run inside window events.)
    if (!std::isfinite(v)) return {};
    if (v == 0.0) return "0";
    // The 15 significant digits and the decimal exponent, then the digits
    // written out in full around the point: exact for every finite double,
    // however large or small.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
    const std::string_view sci(buf);
    const std::size_t e = sci.find('e');
    std::string digits;
    for (char ch : sci.substr(0, e))
        if (ch != '.') digits += ch;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    const int exponent = std::atoi(buf + e + 1);  // value = 0.d1d2d3... * 10^(exponent + 1)
    const int pointAt = exponent + 1;             // digits before the point
    std::string out = v < 0 ? "-" : "";
    const int n = static_cast<int>(digits.size());
    if (pointAt <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-pointAt), '0');
        out += digits;
    } else if (pointAt >= n) {
        out += digits;
        out.append(static_cast<std::size_t>(pointAt - n), '0');
    } else {
        out += digits.substr(0, static_cast<std::size_t>(pointAt));
        out += '.';
        out += digits.substr(static_cast<std::size_t>(pointAt));
    }
    return out;
}

namespace {

// snprintf into a buffer as large as the text needs: "%.5f" of 1e300 has
// over 300 digits.
std::string printed(const char* format, double v) {
    char small[64];
    const int n = std::snprintf(small, sizeof small, format, v);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof small) return small;
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), format, v);
    big.resize(static_cast<std::size_t>(n));
    return big;
}

}  // namespace

std::string formatFreqMHz(double mhz) {
    std::string s = printed("%.5f", mhz);
    // "###" writes no integer digit for a value below 1.
    if (s.rfind("0.", 0) == 0) s.erase(0, 1);
    else if (s.rfind("-0.", 0) == 0) s.erase(1, 1);
    return s;
}

std::string formatFreqCell(double mhz) {
    if (mhz < 0) return printed("-%09.5f", -mhz);
    return printed("%09.5f", mhz);
}

std::string formatOneDecimal(double v) {
    std::string s = printed("%.1f", v);
    if (s == "-0.0") s = "0.0";
    return s;
}

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const auto b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) return 1;
    const std::size_t len = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
    if (len == 0 || at + len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 0;
    return len;
}

std::vector<std::string> utf8Chars(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = std::max<std::size_t>(1, utf8SequenceLength(text, i));
        out.emplace_back(text.substr(i, len));
        i += len;
    }
    return out;
}

std::size_t utf8Prefix(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text.size();
    std::size_t n = limit;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return n;
}

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

}  // namespace orv
