// Group record codec: the group parameter block of one group between the
// image and the group controls, then its 16 channels through clsChannel.
#include "image/clsGroup.h"

#include <stdexcept>

#include "image/MemoryMap.h"
#include "image/NumText.h"

namespace orv {

namespace {

using namespace memmap;
void checkGroup(int g) {
    if (!isGroupIndex(g))
        throw std::out_of_range("group index " + std::to_string(g) + " outside 0.." + std::to_string(kGroups - 1));
}

int peekParam(const MemoryImage& img, int g, int k) {
    ImageAddr a = groupParamAddr(g, k);
    return peekImage(img, a.page, a.offset);
}

void pokeParam(MemoryImage& img, int g, int k, int mask, int value) {
    ImageAddr a = groupParamAddr(g, k);
    pokeImage(img, a.page, a.offset, mask, value);
}

// A field of the parameter block, its bits shifted down to bit 0.
int readParam(const MemoryImage& img, int g, BitField f) { return fieldValue(peekParam(img, g, f.address), f); }
void writeParam(MemoryImage& img, int g, BitField f, int value) {
    pokeParam(img, g, f.address, f.mask, fieldBits(value, f));
}

// The priority list's entries: "OFF", "Ch 1".."Ch 16", "MAIN".
constexpr int kPriorityMainEntry = kChannels + 1;

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
    for (int i = 0; i < kPasswordBytes; ++i) t += hexTextPadded(peekParam(src_, intGroup, kPassword + i), 2);
    view_.txtPassWord = t;
}

void clsGroup::Read_Group_Label(int intGroup) {
    checkGroup(intGroup);
    ImageAddr a = groupParamAddr(intGroup, kGroupLabel);
    view_.txtGrpLab = decodeLabel(src_, a.page, a.offset);
}

void clsGroup::Read_TOT_Scan(int intGroup) {
    checkGroup(intGroup);
    view_.cboTOT = readParam(src_, intGroup, kTimeOut);
    view_.cboScan = formatOneDecimal(readParam(src_, intGroup, kScanHold) * kScanHoldStepSeconds);
}

void clsGroup::Read_ID_Num(int intGroup) {
    checkGroup(intGroup);
    std::string t = hexText(readParam(src_, intGroup, kAniFirstDigit));
    for (int i = 1; i < kAniIdBytes; ++i) t += hexTextPadded(peekParam(src_, intGroup, kAniId + i), 2);
    view_.txtID = t;
}

void clsGroup::Read_Display_Mode(int intGroup) {
    checkGroup(intGroup);
    view_.cboDisplay = readParam(src_, intGroup, kDisplayMode);
}

void clsGroup::Read_BackLight(int intGroup) {
    checkGroup(intGroup);
    view_.cboBackLight = readParam(src_, intGroup, kBackLight);
}

void clsGroup::Read_Duration(int intGroup) {
    checkGroup(intGroup);
    view_.cboDuration = readParam(src_, intGroup, kDisplayDuration);
}

namespace {
int readPri(int b) {
    if (b & kPriorityOff) return 0;
    if (b & kPriorityMain) return kPriorityMainEntry;
    return (b & kPriorityChannel) + 1;
}
}  // namespace

void clsGroup::Read_Pri_1(int intGroup) {
    checkGroup(intGroup);
    view_.cboPri1Chan = readPri(peekParam(src_, intGroup, kPriority1));
}

void clsGroup::Read_Pri_2(int intGroup) {
    checkGroup(intGroup);
    view_.cboPri2Chan = readPri(peekParam(src_, intGroup, kPriority2));
}

void clsGroup::Read_Pri_TX(int intGroup) {
    checkGroup(intGroup);
    view_.chkPriTX = readParam(src_, intGroup, kTxOnPriority1);
}

void clsGroup::Read_Battery_Saver(int intGroup) {
    checkGroup(intGroup);
    bool off = readParam(src_, intGroup, kBatterySaverOff) != 0;
    view_.optBattSaveOff = off;
    view_.optBattSaveOn = !off;
}

void clsGroup::Read_Keyboard_Lockouts(int intGroup) {
    checkGroup(intGroup);
    view_.chkPriKeyLock = readParam(src_, intGroup, kPriorityKeyLock);
    view_.chkENTCLRLock = readParam(src_, intGroup, kEntClrLock);
}

void clsGroup::Read_Busy_Channel_Indicate(int intGroup) {
    checkGroup(intGroup);
    view_.cboBCI = readParam(src_, intGroup, kBusyChannel);
}

void clsGroup::Read_ANI_DTMF(int intGroup) {
    checkGroup(intGroup);
    view_.cboANI = readParam(src_, intGroup, kResidentAni);
}

void clsGroup::Read_Group_Scan_List(int intGroup) {
    checkGroup(intGroup);
    view_.chkGroupScanList = readParam(src_, intGroup, kGroupScanList);
}

void clsGroup::Read_UCG_Encode(int intGroup) {
    checkGroup(intGroup);
    view_.chkUCGEncode = readParam(src_, intGroup, kUcgEncodeOnly);
}

void clsGroup::Read_UCG_Enable(int intGroup) {
    checkGroup(intGroup);
    bool enabled = readParam(src_, intGroup, kUcgEnabled) != 0;
    view_.optUCGEnabled = enabled;
    view_.optUCGDisabled = !enabled;
}

void clsGroup::Read_UCG_Chan(int intGroup) {
    checkGroup(intGroup);
    bool chanSet = readParam(src_, intGroup, kUcgChannelSet) != 0;
    bool enabled = readParam(src_, intGroup, kUcgEnabled) != 0;
    int nibble = readParam(src_, intGroup, kUcgChannel);
    if (!chanSet && enabled) {
        view_.cboUCGChan = 0;
    } else if (nibble == kChannels - 1 && chanSet) {
        // Entry "16" is stored as 15 with the channel-set flag; entry "0"
        // as 15 without it.
        view_.cboUCGChan = kChannels;
    } else {
        view_.cboUCGChan = (nibble + 1) % kChannels;
    }
}

// ---- writers ---------------------------------------------------------------

void clsGroup::Write_Password(int intGroup) {
    checkGroup(intGroup);
    std::vector<std::string> ch = zeroPadded(view_.txtPassWord, 2 * kPasswordBytes);
    for (int i = 0; i < kPasswordBytes; ++i) {
        int v = static_cast<int>(hexToNum(ch[static_cast<std::size_t>(2 * i)] + ch[static_cast<std::size_t>(2 * i + 1)]));
        pokeParam(out(), intGroup, kPassword + i, kAllBits, v);
    }
}

void clsGroup::Write_Group_Label(int intGroup) {
    checkGroup(intGroup);
    ImageAddr a = groupParamAddr(intGroup, kGroupLabel);
    storeLabel(out(), a.page, a.offset, view_.txtGrpLab, decodeLabel(out(), a.page, a.offset));
}

void clsGroup::Write_TOT_Scan(int intGroup) {
    checkGroup(intGroup);
    std::string t = entryText(lists::cboTOT(), view_.cboTOT);
    long n = 0;
    if (t != "OFF") n = static_cast<long>(roundHalfEven(numericValue(t) / kTimeOutStepSeconds));
    long s = static_cast<long>(roundHalfEven(numericValue(view_.cboScan) / kScanHoldStepSeconds));
    int v = static_cast<int>(hexToNum(hexText(n) + hexText(s)));
    pokeParam(out(), intGroup, kTimeOutScanHold, kAllBits, v);
}

void clsGroup::Write_ID_Num(int intGroup) {
    checkGroup(intGroup);
    std::vector<std::string> ch = zeroPadded(view_.txtID, 2 * kAniIdBytes);
    for (int i = 0; i < kAniIdBytes; ++i) {
        int v = static_cast<int>(hexToNum(ch[static_cast<std::size_t>(2 * i)] + ch[static_cast<std::size_t>(2 * i + 1)]));
        pokeParam(out(), intGroup, kAniId + i, kAllBits, v);
    }
}

void clsGroup::Write_Display_Mode(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kDisplayMode, view_.cboDisplay);
}

void clsGroup::Write_BackLight(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kBackLight, view_.cboBackLight);
}

void clsGroup::Write_Duration(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kDisplayDuration, view_.cboDuration);
}

namespace {
void writePri(MemoryImage& img, int g, int k, int i) {
    if (i == 0) pokeParam(img, g, k, kPriorityKinds, kPriorityOff);
    else if (i == kPriorityMainEntry) pokeParam(img, g, k, kPriorityKinds, kPriorityMain);
    else pokeParam(img, g, k, kPriorityBits, i - 1);
}
}  // namespace

void clsGroup::Write_Pri_1(int intGroup) {
    checkGroup(intGroup);
    writePri(out(), intGroup, kPriority1, view_.cboPri1Chan);
}

void clsGroup::Write_Pri_2(int intGroup) {
    checkGroup(intGroup);
    writePri(out(), intGroup, kPriority2, view_.cboPri2Chan);
}

void clsGroup::Write_Pri_TX(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kTxOnPriority1, view_.chkPriTX);
}

void clsGroup::Write_Battery_Saver(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kBatterySaverOff, view_.optBattSaveOff ? 1 : 0);
}

void clsGroup::Write_Keyboard_Lockouts(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kPriorityKeyLock, view_.chkPriKeyLock);
    writeParam(out(), intGroup, kEntClrLock, view_.chkENTCLRLock);
}

void clsGroup::Write_Busy_Channel_Indicate(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kBusyChannel, view_.cboBCI);
}

void clsGroup::Write_ANI_DTMF(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kResidentAni, view_.cboANI);
}

void clsGroup::Write_Group_Scan_List(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kGroupScanList, view_.chkGroupScanList);
}

void clsGroup::Write_UCG_Encode(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kUcgEncodeOnly, view_.chkUCGEncode);
}

void clsGroup::Write_UCG_Enable(int intGroup) {
    checkGroup(intGroup);
    const int enabled = view_.optUCGEnabled ? 1 : 0;
    writeParam(out(), intGroup, kUcgEnabled, enabled);
    // Entry "0" (no channel) clears the channel-set flag; any other entry
    // sets it when the user code guard is enabled.
    writeParam(out(), intGroup, kUcgChannelSet, view_.cboUCGChan == 0 ? 0 : enabled);
}

void clsGroup::Write_UCG_Chan(int intGroup) {
    checkGroup(intGroup);
    writeParam(out(), intGroup, kUcgChannel, view_.cboUCGChan - 1);
}

}  // namespace orv
