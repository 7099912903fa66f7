// Group record codec: the group parameter block of one group between the
// image and the group controls, then its 16 channels through clsChannel.
#include "image/clsGroup.h"

#include <stdexcept>

#include "image/MemoryMap.h"
#include "image/NumText.h"

namespace orv {

namespace {

using namespace memmap;
constexpr int kUCG = kUserCodeGuard;
constexpr int kID = kAniId;
constexpr int kTOTScan = kTimeOutScanHold;
constexpr int kPri1 = kPriority1;
constexpr int kPri2 = kPriority2;
constexpr int kFlags30 = kGroupFlags30;
constexpr int kFlags31 = kGroupFlags31;
constexpr int kDisplay32 = kDisplay;
constexpr int kLabel = kGroupLabel;

void checkGroup(int g) {
    if (g < 0 || g > 14) throw std::out_of_range("group index " + std::to_string(g) + " outside 0..14");
}

int peekParam(const MemoryImage& img, int g, int k) {
    ImageAddr a = groupParamAddr(g, k);
    return peekImage(img, a.page, a.offset);
}

void pokeParam(MemoryImage& img, int g, int k, int mask, int value) {
    ImageAddr a = groupParamAddr(g, k);
    pokeImage(img, a.page, a.offset, mask, value);
}

// The text of a list with index i, "" when nothing is selected.
std::string entryText(const std::vector<std::string>& entries, int i) {
    if (i < 0 || i >= static_cast<int>(entries.size())) return "";
    return entries[static_cast<std::size_t>(i)];
}

// Left-pads `text` with '0' characters to `width` characters (texts that are
// already long enough are kept whole).
std::vector<std::string> zeroPadded(const std::string& text, std::size_t width) {
    std::vector<std::string> ch = utf8Chars(text);
    while (ch.size() < width) ch.insert(ch.begin(), "0");
    return ch;
}

}  // namespace

clsGroup::clsGroup(MemoryImage& img, GroupView& view) : src_(img), dst_(&img), view_(view) {
    channels_.reserve(kChannels);
    for (int c = 0; c < kChannels; ++c) channels_.emplace_back(img, view_.channels);
}

clsGroup::clsGroup(const MemoryImage& img, GroupView& view) : src_(img), dst_(nullptr), view_(view) {
    channels_.reserve(kChannels);
    for (int c = 0; c < kChannels; ++c) channels_.emplace_back(img, view_.channels);
}

MemoryImage& clsGroup::out() {
    if (!dst_) throw std::logic_error("a reading group codec cannot write");
    return *dst_;
}

// ---- whole group -----------------------------------------------------------

void clsGroup::Read_Group(int intGroup) {
    checkGroup(intGroup);
    Read_Password(intGroup);
    Read_Group_Label(intGroup);
    Read_TOT_Scan(intGroup);
    Read_ID_Num(intGroup);
    Read_Display_Mode(intGroup);
    Read_BackLight(intGroup);
    Read_Duration(intGroup);
    Read_Pri_1(intGroup);
    Read_Pri_2(intGroup);
    Read_Pri_TX(intGroup);
    Read_Battery_Saver(intGroup);
    Read_Keyboard_Lockouts(intGroup);
    Read_Busy_Channel_Indicate(intGroup);
    Read_ANI_DTMF(intGroup);
    Read_Group_Scan_List(intGroup);
    Read_UCG_Encode(intGroup);
    Read_UCG_Enable(intGroup);
    Read_UCG_Chan(intGroup);
    for (int c = 0; c < kChannels; ++c) channels_[static_cast<std::size_t>(c)].Read_Channel(intGroup, c);
}

void clsGroup::Write_Group(int intGroup) {
    checkGroup(intGroup);
    Write_Password(intGroup);
    Write_Group_Label(intGroup);
    Write_TOT_Scan(intGroup);
    Write_ID_Num(intGroup);
    Write_Display_Mode(intGroup);
    Write_BackLight(intGroup);
    Write_Duration(intGroup);
    Write_Pri_1(intGroup);
    Write_Pri_2(intGroup);
    Write_Pri_TX(intGroup);
    Write_Battery_Saver(intGroup);
    Write_Keyboard_Lockouts(intGroup);
    Write_Busy_Channel_Indicate(intGroup);
    Write_ANI_DTMF(intGroup);
    Write_Group_Scan_List(intGroup);
    Write_UCG_Encode(intGroup);
    Write_UCG_Enable(intGroup);
    Write_UCG_Chan(intGroup);
    for (int c = 0; c < kChannels; ++c) channels_[static_cast<std::size_t>(c)].Write_Channel(intGroup, c);
}

// ---- readers ---------------------------------------------------------------

void clsGroup::Read_Password(int intGroup) {
    checkGroup(intGroup);
    std::string t;
    for (int i = 0; i < 3; ++i) t += hexTextPadded(peekParam(src_, intGroup, kPassword + i), 2);
    view_.txtPassWord = t;
}

void clsGroup::Read_Group_Label(int intGroup) {
    checkGroup(intGroup);
    ImageAddr a = groupParamAddr(intGroup, kLabel);
    view_.txtGrpLab = decodeLabel(src_, a.page, a.offset);
}

void clsGroup::Read_TOT_Scan(int intGroup) {
    checkGroup(intGroup);
    int b = peekParam(src_, intGroup, kTOTScan);
    view_.cboTOT = b / 16;
    view_.cboScan = formatOneDecimal((b & 0x0F) * 0.5);
}

void clsGroup::Read_ID_Num(int intGroup) {
    checkGroup(intGroup);
    std::string t = hexText(peekParam(src_, intGroup, kID) & 0x0F);
    for (int i = 1; i < 4; ++i) t += hexTextPadded(peekParam(src_, intGroup, kID + i), 2);
    view_.txtID = t;
}

void clsGroup::Read_Display_Mode(int intGroup) {
    checkGroup(intGroup);
    view_.cboDisplay = (peekParam(src_, intGroup, kDisplay32) & 0x08) ? 1 : 0;
}

void clsGroup::Read_BackLight(int intGroup) {
    checkGroup(intGroup);
    view_.cboBackLight = (peekParam(src_, intGroup, kDisplay32) & 0x30) / 16;
}

void clsGroup::Read_Duration(int intGroup) {
    checkGroup(intGroup);
    view_.cboDuration = peekParam(src_, intGroup, kDisplay32) & 0x07;
}

namespace {
int readPri(int b) {
    if (b & 0x80) return 0;    // "OFF"
    if (b & 0x40) return 17;   // "MAIN"
    return (b & 0x0F) + 1;     // "Ch 1".."Ch 16"
}
}  // namespace

void clsGroup::Read_Pri_1(int intGroup) {
    checkGroup(intGroup);
    view_.cboPri1Chan = readPri(peekParam(src_, intGroup, kPri1));
}

void clsGroup::Read_Pri_2(int intGroup) {
    checkGroup(intGroup);
    view_.cboPri2Chan = readPri(peekParam(src_, intGroup, kPri2));
}

void clsGroup::Read_Pri_TX(int intGroup) {
    checkGroup(intGroup);
    view_.chkPriTX = (peekParam(src_, intGroup, kFlags30) & 0x20) ? 1 : 0;
}

void clsGroup::Read_Battery_Saver(int intGroup) {
    checkGroup(intGroup);
    bool off = (peekParam(src_, intGroup, kFlags30) & 0x80) != 0;
    view_.optBattSaveOff = off;
    view_.optBattSaveOn = !off;
}

void clsGroup::Read_Keyboard_Lockouts(int intGroup) {
    checkGroup(intGroup);
    int b = peekParam(src_, intGroup, kFlags30);
    view_.chkPriKeyLock = (b & 0x10) ? 1 : 0;
    view_.chkENTCLRLock = (b & 0x08) ? 1 : 0;
}

void clsGroup::Read_Busy_Channel_Indicate(int intGroup) {
    checkGroup(intGroup);
    view_.cboBCI = (peekParam(src_, intGroup, kFlags31) & 0x60) / 32;
}

void clsGroup::Read_ANI_DTMF(int intGroup) {
    checkGroup(intGroup);
    view_.cboANI = (peekParam(src_, intGroup, kFlags31) & 0x18) / 8;
}

void clsGroup::Read_Group_Scan_List(int intGroup) {
    checkGroup(intGroup);
    view_.chkGroupScanList = (peekParam(src_, intGroup, kFlags30) & 0x40) / 64;
}

void clsGroup::Read_UCG_Encode(int intGroup) {
    checkGroup(intGroup);
    view_.chkUCGEncode = (peekParam(src_, intGroup, kUCG) & 0x20) / 32;
}

void clsGroup::Read_UCG_Enable(int intGroup) {
    checkGroup(intGroup);
    bool enabled = (peekParam(src_, intGroup, kFlags31) & 0x80) != 0;
    view_.optUCGEnabled = enabled;
    view_.optUCGDisabled = !enabled;
}

void clsGroup::Read_UCG_Chan(int intGroup) {
    checkGroup(intGroup);
    int b = peekParam(src_, intGroup, kUCG);
    bool chanSet = (b & 0x10) != 0;
    bool enabled = (peekParam(src_, intGroup, kFlags31) & 0x80) != 0;
    int nibble = b & 0x0F;
    if (!chanSet && enabled) {
        view_.cboUCGChan = 0;
    } else if (nibble == 15 && chanSet) {
        // Entry "16" is stored as 15 with the channel-set flag; entry "0"
        // as 15 without it.
        view_.cboUCGChan = 16;
    } else {
        view_.cboUCGChan = (nibble + 1) % 16;
    }
}

// ---- writers ---------------------------------------------------------------

void clsGroup::Write_Password(int intGroup) {
    checkGroup(intGroup);
    std::vector<std::string> ch = zeroPadded(view_.txtPassWord, 6);
    for (int i = 0; i < 3; ++i) {
        int v = static_cast<int>(hexToNum(ch[static_cast<std::size_t>(2 * i)] + ch[static_cast<std::size_t>(2 * i + 1)]));
        pokeParam(out(), intGroup, kPassword + i, 0xFF, v);
    }
}

void clsGroup::Write_Group_Label(int intGroup) {
    checkGroup(intGroup);
    ImageAddr a = groupParamAddr(intGroup, kLabel);
    encodeLabel(out(), a.page, a.offset, view_.txtGrpLab);
}

void clsGroup::Write_TOT_Scan(int intGroup) {
    checkGroup(intGroup);
    std::string t = entryText(lists::cboTOT(), view_.cboTOT);
    long n = 0;
    if (t != "OFF") n = static_cast<long>(roundHalfEven(numericValue(t) / 15));
    long s = static_cast<long>(roundHalfEven(numericValue(view_.cboScan) * 2));
    int v = static_cast<int>(hexToNum(hexText(n) + hexText(s)));
    pokeParam(out(), intGroup, kTOTScan, 0xFF, v);
}

void clsGroup::Write_ID_Num(int intGroup) {
    checkGroup(intGroup);
    std::vector<std::string> ch = zeroPadded(view_.txtID, 8);
    for (int i = 0; i < 4; ++i) {
        int v = static_cast<int>(hexToNum(ch[static_cast<std::size_t>(2 * i)] + ch[static_cast<std::size_t>(2 * i + 1)]));
        pokeParam(out(), intGroup, kID + i, 0xFF, v);
    }
}

void clsGroup::Write_Display_Mode(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kDisplay32, 0x08, view_.cboDisplay * 8);
}

void clsGroup::Write_BackLight(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kDisplay32, 0x30, view_.cboBackLight * 16);
}

void clsGroup::Write_Duration(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kDisplay32, 0x07, view_.cboDuration);
}

namespace {
void writePri(MemoryImage& img, int g, int k, int i) {
    if (i == 0) pokeParam(img, g, k, 0xC0, 0x80);
    else if (i == 17) pokeParam(img, g, k, 0xC0, 0x40);
    else pokeParam(img, g, k, 0xCF, i - 1);
}
}  // namespace

void clsGroup::Write_Pri_1(int intGroup) {
    checkGroup(intGroup);
    writePri(out(), intGroup, kPri1, view_.cboPri1Chan);
}

void clsGroup::Write_Pri_2(int intGroup) {
    checkGroup(intGroup);
    writePri(out(), intGroup, kPri2, view_.cboPri2Chan);
}

void clsGroup::Write_Pri_TX(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kFlags30, 0x20, view_.chkPriTX * 32);
}

void clsGroup::Write_Battery_Saver(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kFlags30, 0x80, view_.optBattSaveOff ? 0x80 : 0);
}

void clsGroup::Write_Keyboard_Lockouts(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kFlags30, 0x10, view_.chkPriKeyLock * 16);
    pokeParam(out(), intGroup, kFlags30, 0x08, view_.chkENTCLRLock * 8);
}

void clsGroup::Write_Busy_Channel_Indicate(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kFlags31, 0x60, view_.cboBCI * 32);
}

void clsGroup::Write_ANI_DTMF(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kFlags31, 0x18, view_.cboANI * 8);
}

void clsGroup::Write_Group_Scan_List(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kFlags30, 0x40, view_.chkGroupScanList * 64);
}

void clsGroup::Write_UCG_Encode(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kUCG, 0x20, view_.chkUCGEncode * 32);
}

void clsGroup::Write_UCG_Enable(int intGroup) {
    checkGroup(intGroup);
    int e = view_.optUCGEnabled ? 0x80 : 0;
    pokeParam(out(), intGroup, kFlags31, 0x80, e);
    int f = (view_.cboUCGChan == 0) ? 0 : e / 8;
    pokeParam(out(), intGroup, kUCG, 0x10, f);
}

void clsGroup::Write_UCG_Chan(int intGroup) {
    checkGroup(intGroup);
    pokeParam(out(), intGroup, kUCG, 0x0F, view_.cboUCGChan - 1);
}

}  // namespace orv
