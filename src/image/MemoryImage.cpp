// Byte access, memory map, radio character set and label conversions.
#include "image/MemoryImage.h"

#include <cmath>

#include "image/NumText.h"

namespace orv {

namespace {

// The radio's characters in code order: code = position in this text.
constexpr std::string_view kRadioChars =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h ";
static_assert(kRadioChars.size() == memmap::kRadioCodes);

int hexDigitValue(std::string_view ch) {
    if (ch.size() != 1) return 0;
    char c = ch[0];
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace

int peekImage(const MemoryImage& img, int page, int offset) {
    return img[page * memmap::kPageSize + offset];
}

void pokeImage(MemoryImage& img, int page, int offset, int mask, int value) {
    uint8_t& b = img[page * memmap::kPageSize + offset];
    b = static_cast<uint8_t>((b & ~mask) | (mask & value));
}

double hexToNum(std::string_view text) {
    std::vector<std::string> ch = utf8Chars(text);
    switch (ch.size()) {
    case 3: return hexDigitValue(ch[0]) * 256 + hexDigitValue(ch[1]) * 16 + hexDigitValue(ch[2]);
    case 2: return hexDigitValue(ch[0]) * 16 + hexDigitValue(ch[1]);
    case 1: return hexDigitValue(ch[0]);
    default: return 0;
    }
}

std::string charToRadioCode(std::string_view ch) {
    if (ch.size() == 1) {
        std::size_t pos = kRadioChars.find(ch[0]);
        if (pos != std::string_view::npos) return hexTextPadded(static_cast<long>(pos), 2);
    }
    return "30";
}

std::string radioCodeToChar(std::string_view hex) {
    std::string t(hex);
    if (t.size() < 2) t.insert(0, 2 - t.size(), '0');
    if (t.size() != 2) return "";
    for (std::size_t code = 0; code < kRadioChars.size(); ++code) {
        if (t == hexTextPadded(static_cast<long>(code), 2)) return std::string(1, kRadioChars[code]);
    }
    return "";
}

std::string decodeLabel(const MemoryImage& img, int page, int offset) {
    std::string out;
    for (int i = 0; i < memmap::kLabelSize; ++i) out += radioCodeToChar(hexText(peekImage(img, page, offset + i)));
    return out;
}

void encodeLabel(MemoryImage& img, int page, int offset, std::string_view text) {
    std::vector<std::string> ch = utf8Chars(text);
    while (static_cast<int>(ch.size()) < memmap::kLabelSize) ch.insert(ch.begin(), " ");
    for (int i = 0; i < memmap::kLabelSize; ++i) {
        std::string c = ch[static_cast<std::size_t>(i)];
        if (c != "h" && c.size() == 1 && c[0] >= 'a' && c[0] <= 'z') c[0] = static_cast<char>(c[0] - 'a' + 'A');
        int code = static_cast<int>(hexToNum(charToRadioCode(c)));
        pokeImage(img, page, offset + i, memmap::kAllBits, code);
    }
}

void storeLabel(MemoryImage& img, int page, int offset, std::string_view text, std::string_view shownNow) {
    if (text != shownNow) encodeLabel(img, page, offset, text);
}

std::string freqCodeToText(double code) {
    if (code == 0) return "000.00";
    return formatFreqMHz(memmap::freqCodeToMHz(code));
}

}  // namespace orv
