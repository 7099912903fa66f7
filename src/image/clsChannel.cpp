// Channel record codec: frequencies, code guards, label and the three flags
// of one channel, between the image and one grid row with its check boxes.
#include "image/clsChannel.h"

#include <cmath>
#include <stdexcept>

#include "image/CodecError.h"
#include "image/NumText.h"

namespace orv {

namespace {

// Group parameter offsets of the three per-channel flag words.
constexpr int kLoPowerWord = 0x20;
constexpr int kNarrowWord = 0x22;
constexpr int kScanWord = 0x24;

void checkIndices(int g, int c) {
    if (g < 0 || g > 14) throw std::out_of_range("group index " + std::to_string(g) + " outside 0..14");
    if (c < 0 || c > 15) throw std::out_of_range("channel index " + std::to_string(c) + " outside 0..15");
}

std::string chanName(int c) { return "Ch " + std::to_string(c + 1); }

int readWord(const MemoryImage& img, int g, int c, int j) {
    ImageAddr hi = channelRecordAddr(g, c, j);
    ImageAddr lo = channelRecordAddr(g, c, j + 1);
    return peekImage(img, hi.page, hi.offset) * 256 + peekImage(img, lo.page, lo.offset);
}

void writeWord(MemoryImage& img, int g, int c, int j, int word) {
    ImageAddr hi = channelRecordAddr(g, c, j);
    ImageAddr lo = channelRecordAddr(g, c, j + 1);
    pokeImage(img, hi.page, hi.offset, 255, word / 256);
    pokeImage(img, lo.page, lo.offset, 255, word % 256);
}

// Byte and bit of channel c in a flag word at group parameter offset k.
ImageAddr flagAddr(int g, int c, int k, int& bit) {
    if (c < 8) {
        bit = c;
        return groupParamAddr(g, k + 1);
    }
    bit = c - 8;
    return groupParamAddr(g, k);
}

int readFlag(const MemoryImage& img, int g, int c, int k) {
    int bit = 0;
    ImageAddr a = flagAddr(g, c, k, bit);
    return (peekImage(img, a.page, a.offset) >> bit) & 1;
}

void writeFlag(MemoryImage& img, int g, int c, int k, int value) {
    int bit = 0;
    ImageAddr a = flagAddr(g, c, k, bit);
    int m = 1 << bit;
    pokeImage(img, a.page, a.offset, m, value * m);
}

bool isDecimalDigit(char ch) { return ch >= '0' && ch <= '9'; }

// The tone text padded to at least five characters, with ".0" appended when
// it has no point; `p` is the 1-based position of the point.
std::string padTone(const std::string& text, std::size_t& p) {
    std::string t = text.size() < 5 ? std::string(5 - text.size(), '0') + text : text;
    std::size_t dot = t.find('.');
    if (dot == std::string::npos) {
        p = t.size() + 1;
        t += ".0";
    } else {
        p = dot + 1;
    }
    return t;
}

// Character at 1-based position `pos` of t, or "" beyond its ends.
std::string charAt(const std::string& t, std::size_t pos) {
    if (pos < 1 || pos > t.size()) return "";
    return t.substr(pos - 1, 1);
}

bool isDigitalText(const std::string& t) { return !t.empty() && (t[0] == 'D' || t[0] == 'd'); }

}  // namespace

// ---- pure conversions -------------------------------------------------------

std::string clsChannel::strHexToFreq(double dFreqHex) { return freqCodeToText(dFreqHex); }

double clsChannel::dFreqToDbl(const std::string& StrFreq) {
    double v = numericValue(StrFreq);
    if (v == 0) return 0;
    return roundHalfEven((v * 1000000.0 - 100000000.0) / 1250.0);
}

// A frequency text can be stored when its code lies in 0..65535 and a text
// other than 0 does not end up as code 0, which would mean "no frequency".
static bool freqCodeFits(const std::string& text, double n) {
    if (!std::isfinite(n) || n < 0 || n > 65535) return false;
    return n > 0 || numericValue(text) == 0;
}

uint16_t clsChannel::freqCode(const std::string& text, const std::string& field) {
    double n = dFreqToDbl(text);
    if (!freqCodeFits(text, n))
        throw CodecError(field, text, "no frequency code for this value (0, or 100.00125 to 181.91875 MHz)");
    return static_cast<uint16_t>(n);
}

bool clsChannel::freqTextValid(const std::string& text) { return freqCodeFits(text, dFreqToDbl(text)); }

std::string clsChannel::codeGuardText(uint16_t word) {
    if (word & 0x8000) {
        int a = (word & 0x1C0) / 64;
        int b = (word & 0x38) / 8;
        int d = word & 0x07;
        std::string t = "D" + std::to_string(a) + std::to_string(b) + std::to_string(d);
        if (word & 0x4000) t += "-";
        return t;
    }
    // Tone: the four nibbles as hexadecimal digits, point before the last one.
    // For decimal nibbles this is the tone in hertz ("067.0"); a word with
    // other nibbles shows them as they are ("0A7.0") and is written back
    // unchanged.
    std::string h = hexTextPadded(word, 4);
    return h.substr(0, 3) + "." + h.substr(3);
}

bool clsChannel::codeGuardTextValid(const std::string& text) {
    if (isDigitalText(text)) {
        return text.size() >= 4 && isDecimalDigit(text[1]) && isDecimalDigit(text[2]) && isDecimalDigit(text[3]);
    }
    std::size_t p = 0;
    padTone(text, p);
    return p >= 4;  // at least three characters before the point
}

uint16_t clsChannel::codeGuardWord(const std::string& text, const std::string& field) {
    if (!codeGuardTextValid(text)) {
        if (isDigitalText(text))
            throw CodecError(field, text, "a digital code is D followed by three octal digits");
        throw CodecError(field, text, "a tone has at most one decimal and three digits before the point");
    }
    const bool inverted = !text.empty() && text.back() == '-';
    if (isDigitalText(text)) {
        int a = (text[1] - '0') & 7;
        int b = (text[2] - '0') & 7;
        int d = (text[3] - '0') & 7;
        int hi = 0x88 | ((a & 4) / 4);
        if (inverted) hi |= 0x40;
        int lo = ((a & 3) * 64) | (b * 8) | d;
        return static_cast<uint16_t>(hi * 256 + lo);
    }
    std::size_t p = 0;
    std::string t = padTone(text, p);
    int hi = static_cast<int>(hexToNum(t.substr(p - 4, 2)));
    // A point with no digit after it ("67.") means tenths 0, not a missing
    // digit that would shift the units into the tenths place.
    std::string tenths = charAt(t, p + 1);
    if (tenths.empty()) tenths = "0";
    int lo = static_cast<int>(hexToNum(charAt(t, p - 1) + tenths));
    return static_cast<uint16_t>((hi & 0xFF) * 256 + (lo & 0xFF));
}

// ---- whole channel ---------------------------------------------------------

void clsChannel::Read_Channel(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    page_ = groupPage(intGroup);
    labelPage_ = page_ + 1;
    chan_ = intChan;
    Read_RX_Freq(intGroup, intChan);
    Read_RX_CG(intGroup, intChan);
    Read_TX_Freq(intGroup, intChan);
    Read_TX_CG(intGroup, intChan);
    Read_Chan_Aplha(intGroup, intChan);
    Read_Lo_Power(intGroup, intChan);
    Read_Narrow_Band(intGroup, intChan);
    Read_Scan_List(intGroup, intChan);
}

void clsChannel::Write_Channel(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    page_ = groupPage(intGroup);
    labelPage_ = page_ + 1;
    chan_ = intChan;
    Write_RX_Freq(intGroup, intChan);
    Write_RX_CG(intGroup, intChan);
    Write_TX_Freq(intGroup, intChan);
    Write_TX_CG(intGroup, intChan);
    Write_Chan_Alpha(intGroup, intChan);
    Write_Lo_Power(intGroup, intChan);
    Write_Narrow_Band(intGroup, intChan);
    Write_Scan_List(intGroup, intChan);
}

// ---- readers ---------------------------------------------------------------

void clsChannel::Read_RX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colRecFreq] = strHexToFreq(readWord(img_, intGroup, intChan, 0));
}

void clsChannel::Read_RX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colRecCG] = codeGuardText(static_cast<uint16_t>(readWord(img_, intGroup, intChan, 2)));
}

void clsChannel::Read_TX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colTxFreq] = strHexToFreq(readWord(img_, intGroup, intChan, 4));
}

void clsChannel::Read_TX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colTxCG] = codeGuardText(static_cast<uint16_t>(readWord(img_, intGroup, intChan, 6)));
}

void clsChannel::Read_Chan_Aplha(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    ImageAddr a = channelLabelAddr(intGroup, intChan, 0);
    std::string text = decodeLabel(img_, a.page, a.offset);
    if (text.empty()) text = " BLANK  ";
    view_.cells[intChan][colChLabel] = text;
}

void clsChannel::Read_Lo_Power(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.chkLoPower[intChan] = readFlag(img_, intGroup, intChan, kLoPowerWord);
}

void clsChannel::Read_Narrow_Band(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.chkNarr[intChan] = readFlag(img_, intGroup, intChan, kNarrowWord);
}

void clsChannel::Read_Scan_List(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.chkScan[intChan] = readFlag(img_, intGroup, intChan, kScanWord);
}

// ---- writers ---------------------------------------------------------------
// Every encoder checks its text before the first byte changes, so a refused
// text leaves the field as it was.

void clsChannel::Write_RX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colRecFreq];
    uint16_t n = freqCode(t, chanName(intChan) + " Rec Freq");
    writeWord(img_, intGroup, intChan, 0, n);
}

void clsChannel::Write_RX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colRecCG];
    uint16_t w = codeGuardWord(t, chanName(intChan) + " Rec CG");
    writeWord(img_, intGroup, intChan, 2, w);
}

void clsChannel::Write_TX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colTxFreq];
    uint16_t n = freqCode(t, chanName(intChan) + " Tx Freq");
    writeWord(img_, intGroup, intChan, 4, n);
}

void clsChannel::Write_TX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colTxCG];
    uint16_t w = codeGuardWord(t, chanName(intChan) + " Tx CG");
    writeWord(img_, intGroup, intChan, 6, w);
}

void clsChannel::Write_Chan_Alpha(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    ImageAddr a = channelLabelAddr(intGroup, intChan, 0);
    encodeLabel(img_, a.page, a.offset, view_.cells[intChan][colChLabel]);
}

void clsChannel::Write_Lo_Power(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    writeFlag(img_, intGroup, intChan, kLoPowerWord, view_.chkLoPower[intChan]);
}

void clsChannel::Write_Narrow_Band(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    writeFlag(img_, intGroup, intChan, kNarrowWord, view_.chkNarr[intChan]);
}

void clsChannel::Write_Scan_List(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    writeFlag(img_, intGroup, intChan, kScanWord, view_.chkScan[intChan]);
}

}  // namespace orv
