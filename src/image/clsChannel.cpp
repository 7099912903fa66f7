// Channel record codec: frequencies, code guards, label and the three flags
// of one channel, between the image and one grid row with its check boxes.
#include "image/clsChannel.h"

#include <cmath>
#include <stdexcept>

#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/MemoryMap.h"
#include "image/NumText.h"

namespace orv {

namespace {

using namespace memmap;

void checkIndices(int g, int c) {
    if (!isGroupIndex(g))
        throw std::out_of_range("group index " + std::to_string(g) + " outside 0.." + std::to_string(kGroups - 1));
    if (!isChannelIndex(c))
        throw std::out_of_range("channel index " + std::to_string(c) + " outside 0.." + std::to_string(kChannels - 1));
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
    pokeImage(img, hi.page, hi.offset, kAllBits, word / 256);
    pokeImage(img, lo.page, lo.offset, kAllBits, word % 256);
}

// Channel c's bit in the flag word at group parameter offset k.
int readFlag(const MemoryImage& img, int g, int c, int k) {
    const BitField f = pairBit(k, c);
    const ImageAddr a = groupParamAddr(g, f.address);
    return fieldValue(peekImage(img, a.page, a.offset), f);
}

void writeFlag(MemoryImage& img, int g, int c, int k, int value) {
    const BitField f = pairBit(k, c);
    const ImageAddr a = groupParamAddr(g, f.address);
    pokeImage(img, a.page, a.offset, f.mask, value * f.mask);
}

bool isDecimalDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool isUpperHexDigit(char ch) { return isDecimalDigit(ch) || (ch >= 'A' && ch <= 'F'); }

// The text the grid shows for a tone word whose nibbles are not all decimal
// digits ("0A7.0"): accepted so that such a word read from a radio or a file
// can be stored back unchanged.
bool isToneWordDisplayForm(const std::string& t) {
    return t.size() == 5 && t[0] >= '0' && t[0] <= '7' && isUpperHexDigit(t[1]) && isUpperHexDigit(t[2]) &&
           t[3] == '.' && isUpperHexDigit(t[4]);
}

int hexDigitValue(char ch) { return isDecimalDigit(ch) ? ch - '0' : ch - 'A' + 10; }

}  // namespace

MemoryImage& clsChannel::out() {
    if (!dst_) throw std::logic_error("a reading channel codec cannot write");
    return *dst_;
}

// ---- pure conversions -------------------------------------------------------

std::string clsChannel::strHexToFreq(double dFreqHex) { return freqCodeToText(dFreqHex); }

double clsChannel::dFreqToDbl(const std::string& StrFreq) {
    double v = numericValue(StrFreq);
    if (v == 0) return 0;
    return roundHalfEven(freqMHzToCode(v));
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
        throw FieldError(field, text, "no frequency code for this value (0, or 100.00125 to 181.91875 MHz)");
    return static_cast<uint16_t>(n);
}

bool clsChannel::freqTextValid(const std::string& text) { return freqCodeFits(text, dFreqToDbl(text)); }

namespace {
// The digit of the low three bits of `bits`.
char octalDigit(unsigned bits) { return static_cast<char>('0' + (bits & memmap::kOctalDigit)); }
}  // namespace

std::string clsChannel::codeGuardText(uint16_t word) {
    using namespace memmap;
    if (word & kCodeGuardDigital) {
        // Three octal digits (one character each) after the "D".
        std::string t{'D'};
        for (int shift : kCodeGuardDigitShifts) t += octalDigit(word >> shift);
        if (word & kCodeGuardInverted) t += '-';
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
    return readCodeGuardText(text) || isToneWordDisplayForm(trimBlanks(text));
}

uint16_t clsChannel::codeGuardWord(const std::string& text, const std::string& field) {
    using Form = CodeGuardText::Form;
    const std::string t = trimBlanks(text);
    if (const auto cg = readCodeGuardText(t)) {
        using namespace memmap;
        if (cg->form == Form::None) return 0;
        if (cg->form == Form::Digital) {
            // Each digit counts ANDed with 7, so D089 is a valid text (it stores D001).
            unsigned word = kCodeGuardDigital | kCodeGuardDigitalMark | (cg->inverted ? kCodeGuardInverted : 0u);
            for (int i = 0; i < 3; ++i)
                word |= (static_cast<unsigned>(cg->code[static_cast<std::size_t>(i)] - '0') & kOctalDigit)
                        << kCodeGuardDigitShifts[i];
            return static_cast<uint16_t>(word);
        }
        // A tone: one decimal digit per nibble (hundreds, tens, units, tenths);
        // only the first decimal is stored.
        const std::string digits = std::string(3 - cg->whole.size(), '0') + cg->whole;
        const char tenths = cg->decimals.empty() ? '0' : cg->decimals[0];
        return static_cast<uint16_t>((digits[0] - '0') << 12 | (digits[1] - '0') << 8 | (digits[2] - '0') << 4 |
                                     (tenths - '0'));
    }
    if (isToneWordDisplayForm(t)) {
        return static_cast<uint16_t>(hexDigitValue(t[0]) << 12 | hexDigitValue(t[1]) << 8 |
                                     hexDigitValue(t[2]) << 4 | hexDigitValue(t[4]));
    }
    if (startsDigitalCode(t))
        throw FieldError(field, text, "a digital code is D followed by three digits, with - when inverted");
    throw FieldError(field, text, "a tone is at most three digits before the point, with one decimal stored");
}

// ---- whole channel ---------------------------------------------------------

void clsChannel::Read_Channel(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
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
    view_.cells[intChan][colRecFreq] = strHexToFreq(readWord(src_, intGroup, intChan, kRecReceiveFreq));
}

void clsChannel::Read_RX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colRecCG] = codeGuardText(static_cast<uint16_t>(readWord(src_, intGroup, intChan, kRecReceiveCodeGuard)));
}

void clsChannel::Read_TX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colTxFreq] = strHexToFreq(readWord(src_, intGroup, intChan, kRecTransmitFreq));
}

void clsChannel::Read_TX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colTxCG] = codeGuardText(static_cast<uint16_t>(readWord(src_, intGroup, intChan, kRecTransmitCodeGuard)));
}

// The text a channel's label bytes are shown as: " BLANK  " when none of
// them is a character.
static std::string shownChannelLabel(const MemoryImage& img, ImageAddr a) {
    std::string text = decodeLabel(img, a.page, a.offset);
    if (text.empty()) text = " BLANK  ";
    return text;
}

void clsChannel::Read_Chan_Aplha(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.cells[intChan][colChLabel] = shownChannelLabel(src_, channelLabelAddr(intGroup, intChan, 0));
}

void clsChannel::Read_Lo_Power(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.chkLoPower[intChan] = readFlag(src_, intGroup, intChan, kLowPowerFlags);
}

void clsChannel::Read_Narrow_Band(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.chkNarr[intChan] = readFlag(src_, intGroup, intChan, kNarrowBandFlags);
}

void clsChannel::Read_Scan_List(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    view_.chkScan[intChan] = readFlag(src_, intGroup, intChan, kScanListFlags);
}

// ---- writers ---------------------------------------------------------------
// Every encoder checks its text before the first byte changes, so a refused
// text leaves the field as it was.

void clsChannel::Write_RX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colRecFreq];
    uint16_t n = freqCode(t, chanName(intChan) + " Rec Freq");
    writeWord(out(), intGroup, intChan, kRecReceiveFreq, n);
}

void clsChannel::Write_RX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colRecCG];
    uint16_t w = codeGuardWord(t, chanName(intChan) + " Rec CG");
    writeWord(out(), intGroup, intChan, kRecReceiveCodeGuard, w);
}

void clsChannel::Write_TX_Freq(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colTxFreq];
    uint16_t n = freqCode(t, chanName(intChan) + " Tx Freq");
    writeWord(out(), intGroup, intChan, kRecTransmitFreq, n);
}

void clsChannel::Write_TX_CG(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    const std::string& t = view_.cells[intChan][colTxCG];
    uint16_t w = codeGuardWord(t, chanName(intChan) + " Tx CG");
    writeWord(out(), intGroup, intChan, kRecTransmitCodeGuard, w);
}

void clsChannel::Write_Chan_Alpha(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    ImageAddr a = channelLabelAddr(intGroup, intChan, 0);
    storeLabel(out(), a.page, a.offset, view_.cells[intChan][colChLabel], shownChannelLabel(out(), a));
}

void clsChannel::Write_Lo_Power(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    writeFlag(out(), intGroup, intChan, kLowPowerFlags, view_.chkLoPower[intChan]);
}

void clsChannel::Write_Narrow_Band(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    writeFlag(out(), intGroup, intChan, kNarrowBandFlags, view_.chkNarr[intChan]);
}

void clsChannel::Write_Scan_List(int intGroup, int intChan) {
    checkIndices(intGroup, intChan);
    writeFlag(out(), intGroup, intChan, kScanListFlags, view_.chkScan[intChan]);
}

}  // namespace orv
