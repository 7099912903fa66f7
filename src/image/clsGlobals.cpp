// Global record codec: the unit-wide fields of page 0 between the image and
// the global parameters window.
#include "image/clsGlobals.h"

#include <stdexcept>
#include "image/MemoryMap.h"

namespace orv {

namespace {

using namespace memmap;

constexpr int kGlobalGroupIndex = kGroups;      // "Global" in cboGroup(p)
constexpr int kGlobalChanIndex = kChannels;     // "Global" in cboChan(p)

// Simple field: list index = the field's bits shifted down.
int readField(const MemoryImage& img, BitField f) { return fieldValue(peekImage(img, 0, f.address), f); }

// A field's bits set to `value` (no test of a selection).
void putField(MemoryImage& img, BitField f, int value) { pokeImage(img, 0, f.address, f.mask, fieldBits(value, f)); }

// A list without a selection leaves its bits as they are.
void writeField(MemoryImage& img, BitField f, int index) {
    if (index < 0) return;
    putField(img, f, index);
}

// Rotary position p's bit in a pair of per-position bytes.
bool positionFlag(const MemoryImage& img, int pairAddr, int p) { return readField(img, pairBit(pairAddr, p)) != 0; }
void setPositionFlag(MemoryImage& img, int pairAddr, int p, int value) { putField(img, pairBit(pairAddr, p), value); }

}  // namespace

MemoryImage& clsGlobals::out() {
    if (!dst_) throw std::logic_error("a reading global codec cannot write");
    return *dst_;
}

// ---- switch codes ----------------------------------------------------------

int clsGlobals::Set_Switch_Assignment(int intSwitch) {
    switch (intSwitch) {
    case 0: return 2;  // Keypad
    case 4: return 1;  // Always On
    case 5: return 5;  // Right Toggle
    case 6: return 4;  // Middle Toggle
    case 7: return 3;  // Left Toggle
    default: return 0; // 1, 2, 3: Always Off
    }
}

int clsGlobals::Set_Switch_Returns(int intSwitch) {
    switch (intSwitch) {
    case 0: return 3;
    case 1: return 4;
    case 2: return 0;
    case 3: return 7;
    case 4: return 6;
    case 5: return 5;
    default: return 0;
    }
}

std::string SwitchName(int code) {
    switch (code) {
    case 0: return "Keypad";
    case 3: return "Always Off";
    case 4: return "Always On";
    case 5: return "Right Toggle";
    case 6: return "Middle Toggle";
    case 7: return "Left Toggle";
    default: return "";
    }
}

// ---- all fields ------------------------------------------------------------

void clsGlobals::Read_Globals() {
    Read_DTMF_Dev();
    Read_Front_Porch_Time();
    Read_ANI_Rate();
    Read_Pri_Rate();
    Read_Battery_Saver_Inhibit();
    Read_Freq_Display();
    Read_Per_Channel_Power();
    Read_Talk_Back_Scan();
    Read_Switch_Assignments();
    Read_Rotary_Switch();
    Read_Nuisance_Channel_Delete();
}

void clsGlobals::Write_Globals() {
    Write_DTMF_Dev();
    Write_Front_Porch_Time();
    Write_ANI_Rate();
    Write_Pri_Rate();
    Write_Battery_Saver_Inhibit();
    Write_Freq_Display();
    Write_Per_Channel_Power();
    Write_Talk_Back_Scan();
    Write_Switch_Assignments();
    Write_Rotary_Switch();
    Write_Nuisance_Channel_Delete();
}

// ---- simple fields ---------------------------------------------------------

void clsGlobals::Read_DTMF_Dev() { view_.cboDTMFDev = readField(src_, kDtmfDeviation); }
void clsGlobals::Read_Front_Porch_Time() { view_.cboPorchTime = readField(src_, kFrontPorch); }
void clsGlobals::Read_ANI_Rate() { view_.cboANIRate = readField(src_, kAniRate); }
void clsGlobals::Read_Pri_Rate() { view_.cboPriRate = readField(src_, kPriorityRate); }
void clsGlobals::Read_Battery_Saver_Inhibit() { view_.cboBattSave = readField(src_, kBatterySaverInhibit); }
void clsGlobals::Read_Freq_Display() { view_.cboFreqDisplay = readField(src_, kFreqDisplayOnly); }
void clsGlobals::Read_Per_Channel_Power() { view_.cboLoPower = readField(src_, kPerChannelPower); }
void clsGlobals::Read_Talk_Back_Scan() { view_.cboTalkBack = readField(src_, kTalkBackScan); }
void clsGlobals::Read_Nuisance_Channel_Delete() { view_.cboNuisanceChan = readField(src_, kNuisanceDelete); }

void clsGlobals::Write_DTMF_Dev() { writeField(out(), kDtmfDeviation, view_.cboDTMFDev); }
void clsGlobals::Write_Front_Porch_Time() { writeField(out(), kFrontPorch, view_.cboPorchTime); }
void clsGlobals::Write_ANI_Rate() { writeField(out(), kAniRate, view_.cboANIRate); }
void clsGlobals::Write_Pri_Rate() { writeField(out(), kPriorityRate, view_.cboPriRate); }
void clsGlobals::Write_Battery_Saver_Inhibit() { writeField(out(), kBatterySaverInhibit, view_.cboBattSave); }
void clsGlobals::Write_Freq_Display() { writeField(out(), kFreqDisplayOnly, view_.cboFreqDisplay); }
void clsGlobals::Write_Per_Channel_Power() { writeField(out(), kPerChannelPower, view_.cboLoPower); }
void clsGlobals::Write_Talk_Back_Scan() { writeField(out(), kTalkBackScan, view_.cboTalkBack); }
void clsGlobals::Write_Nuisance_Channel_Delete() { writeField(out(), kNuisanceDelete, view_.cboNuisanceChan); }

// ---- toggle switches ----------------------------------------------------------

std::array<int, 5> toggleSwitchCodes(const MemoryImage& img) {
    const int priorityHigh = readField(img, kPriorityScanSwitchHigh);
    const int priorityLow = readField(img, kPriorityScanSwitchLow);
    return {readField(img, kLowPowerSwitch), readField(img, kChannelScanSwitch), priorityHigh * 2 + priorityLow,
            readField(img, kTalkAroundSwitch), readField(img, kGroupScanSwitch)};
}

void clsGlobals::Read_Switch_Assignments() {
    const std::array<int, 5> code = toggleSwitchCodes(src_);
    view_.cboLoPowerSwitch = Set_Switch_Assignment(code[0]);
    view_.cboChanScan = Set_Switch_Assignment(code[1]);
    view_.cboPriScan = Set_Switch_Assignment(code[2]);
    view_.cboRTA = Set_Switch_Assignment(code[3]);
    view_.cboGroupScan = Set_Switch_Assignment(code[4]);
}

void clsGlobals::Write_Switch_Assignments() {
    if (view_.cboLoPowerSwitch >= 0) putField(out(), kLowPowerSwitch, Set_Switch_Returns(view_.cboLoPowerSwitch));
    if (view_.cboChanScan >= 0) putField(out(), kChannelScanSwitch, Set_Switch_Returns(view_.cboChanScan));
    if (view_.cboPriScan >= 0) {
        int code = Set_Switch_Returns(view_.cboPriScan);
        putField(out(), kPriorityScanSwitchHigh, code / 2);
        putField(out(), kPriorityScanSwitchLow, code % 2);
    }
    if (view_.cboRTA >= 0) putField(out(), kTalkAroundSwitch, Set_Switch_Returns(view_.cboRTA));
    if (view_.cboGroupScan >= 0) putField(out(), kGroupScanSwitch, Set_Switch_Returns(view_.cboGroupScan));
}

// ---- rotary switch ---------------------------------------------------------

void clsGlobals::Read_Rotary_Switch() {
    for (int p = 0; p < kRotaryPositions; ++p) {
        view_.cboGroup[p] = readField(src_, rotaryGroup(p));  // 15 is "Global"
        view_.cboChan[p] = readField(src_, rotaryChannel(p));
    }
    // Each pair: first byte (positions 16..9) before the second (8..1).
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (positionFlag(src_, kRotaryGroupGlobal, p)) view_.cboGroup[p] = kGlobalGroupIndex;
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (positionFlag(src_, kRotaryChannelGlobal, p)) view_.cboChan[p] = kGlobalChanIndex;
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) view_.chkGrpVar[p] = positionFlag(src_, kRotaryGroupVariable, p) ? 1 : 0;
    for (int p = kRotaryPositions - 1; p >= 0; --p) view_.chkChanVar[p] = positionFlag(src_, kRotaryChannelVariable, p) ? 1 : 0;

    const int group = readField(src_, kGlobalGroup);
    // The global group list has entries for 0..14 only; 15 has none and
    // leaves the list without a selection.
    view_.cboGlobalGroup = group < kGroups ? group : -1;
    view_.cboGlobalChannel = readField(src_, kGlobalChannel);
}

void clsGlobals::Write_Rotary_Switch() {
    for (int p = 0; p < kRotaryPositions; ++p) {
        int g = view_.cboGroup[p];
        if (g >= 0) putField(out(), rotaryGroup(p), g < kGlobalGroupIndex ? g : 0);
        int c = view_.cboChan[p];
        if (c >= 0) putField(out(), rotaryChannel(p), c < kGlobalChanIndex ? c : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (view_.cboGroup[p] >= 0)
            setPositionFlag(out(), kRotaryGroupGlobal, p, view_.cboGroup[p] == kGlobalGroupIndex ? 1 : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (view_.cboChan[p] >= 0)
            setPositionFlag(out(), kRotaryChannelGlobal, p, view_.cboChan[p] == kGlobalChanIndex ? 1 : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) setPositionFlag(out(), kRotaryGroupVariable, p, view_.chkGrpVar[p]);
    for (int p = kRotaryPositions - 1; p >= 0; --p) setPositionFlag(out(), kRotaryChannelVariable, p, view_.chkChanVar[p]);

    writeField(out(), kGlobalGroup, view_.cboGlobalGroup);
    writeField(out(), kGlobalChannel, view_.cboGlobalChannel);
}

}  // namespace orv
