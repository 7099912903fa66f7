// Global record codec: the unit-wide fields of page 0 between the image and
// the global parameters window.
#include "image/clsGlobals.h"

#include <stdexcept>
#include "image/MemoryMap.h"

namespace orv {

namespace {

using namespace memmap;
constexpr int kBattSave = kGlobalBatterySaver;
constexpr int kDTMF = kDtmfPorchAni;
constexpr int kGroupGlobalBits = kRotaryGroupGlobal;
constexpr int kChanGlobalBits = kRotaryChannelGlobal;
constexpr int kGroupVarBits = kRotaryGroupVariable;
constexpr int kChanVarBits = kRotaryChannelVariable;
constexpr int kSwitch98 = kSwitches98;
constexpr int kSwitch99 = kSwitches99;
constexpr int kOptions = kGlobalOptions;
constexpr int kGlobalGroupChan = kGlobalGroupChannel;

constexpr int kGlobalGroupIndex = 15;  // "Global" in cboGroup(p)
constexpr int kGlobalChanIndex = 16;   // "Global" in cboChan(p)

// Value of the lowest set bit of a mask (the divisor that turns the masked
// bits into a list index).
int lowBit(int mask) { return mask & -mask; }

// Simple field: list index = (byte AND mask) / lowest bit.
int readField(const MemoryImage& img, int addr, int mask) {
    return (peekImage(img, 0, addr) & mask) / lowBit(mask);
}

// A list without a selection leaves its bits as they are.
void writeField(MemoryImage& img, int addr, int mask, int index) {
    if (index < 0) return;
    pokeImage(img, 0, addr, mask, index * lowBit(mask));
}

// Byte and bit of rotary position p in a pair of per-position bytes: the
// second byte holds positions 1..8, the first 9..16.
int positionByte(int pairAddr, int p) { return p < 8 ? pairAddr + 1 : pairAddr; }
int positionBit(int p) { return 1 << (p % 8); }

bool positionFlag(const MemoryImage& img, int pairAddr, int p) {
    return (peekImage(img, 0, positionByte(pairAddr, p)) & positionBit(p)) != 0;
}

void setPositionFlag(MemoryImage& img, int pairAddr, int p, int value) {
    int m = positionBit(p);
    pokeImage(img, 0, positionByte(pairAddr, p), m, value * m);
}

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

void clsGlobals::Read_DTMF_Dev() { view_.cboDTMFDev = readField(src_, kDTMF, 0xF8); }
void clsGlobals::Read_Front_Porch_Time() { view_.cboPorchTime = readField(src_, kDTMF, 0x03); }
void clsGlobals::Read_ANI_Rate() { view_.cboANIRate = readField(src_, kDTMF, 0x04); }
void clsGlobals::Read_Pri_Rate() { view_.cboPriRate = readField(src_, kOptions, 0x07); }
void clsGlobals::Read_Battery_Saver_Inhibit() { view_.cboBattSave = readField(src_, kBattSave, 0x04); }
void clsGlobals::Read_Freq_Display() { view_.cboFreqDisplay = readField(src_, kOptions, 0x80); }
void clsGlobals::Read_Per_Channel_Power() { view_.cboLoPower = readField(src_, kOptions, 0x40); }
void clsGlobals::Read_Talk_Back_Scan() { view_.cboTalkBack = readField(src_, kOptions, 0x20); }
void clsGlobals::Read_Nuisance_Channel_Delete() { view_.cboNuisanceChan = readField(src_, kOptions, 0x10); }

void clsGlobals::Write_DTMF_Dev() { writeField(out(), kDTMF, 0xF8, view_.cboDTMFDev); }
void clsGlobals::Write_Front_Porch_Time() { writeField(out(), kDTMF, 0x03, view_.cboPorchTime); }
void clsGlobals::Write_ANI_Rate() { writeField(out(), kDTMF, 0x04, view_.cboANIRate); }
void clsGlobals::Write_Pri_Rate() { writeField(out(), kOptions, 0x07, view_.cboPriRate); }
void clsGlobals::Write_Battery_Saver_Inhibit() { writeField(out(), kBattSave, 0x04, view_.cboBattSave); }
void clsGlobals::Write_Freq_Display() { writeField(out(), kOptions, 0x80, view_.cboFreqDisplay); }
void clsGlobals::Write_Per_Channel_Power() { writeField(out(), kOptions, 0x40, view_.cboLoPower); }
void clsGlobals::Write_Talk_Back_Scan() { writeField(out(), kOptions, 0x20, view_.cboTalkBack); }
void clsGlobals::Write_Nuisance_Channel_Delete() { writeField(out(), kOptions, 0x10, view_.cboNuisanceChan); }

// ---- toggle switches ----------------------------------------------------------

std::array<int, 5> toggleSwitchCodes(const MemoryImage& img) {
    const int b98 = peekImage(img, 0, kSwitch98);
    const int b99 = peekImage(img, 0, kSwitch99);
    return {(b98 & 0xE0) / 32, (b98 & 0x1C) / 4, (b98 & 0x03) * 2 + (b99 & 0x80) / 128, (b99 & 0x70) / 16,
            (b99 & 0x0E) / 2};
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
    if (view_.cboLoPowerSwitch >= 0)
        pokeImage(out(), 0, kSwitch98, 0xE0, Set_Switch_Returns(view_.cboLoPowerSwitch) * 32);
    if (view_.cboChanScan >= 0)
        pokeImage(out(), 0, kSwitch98, 0x1C, Set_Switch_Returns(view_.cboChanScan) * 4);
    if (view_.cboPriScan >= 0) {
        int code = Set_Switch_Returns(view_.cboPriScan);
        pokeImage(out(), 0, kSwitch98, 0x03, code / 2);
        pokeImage(out(), 0, kSwitch99, 0x80, (code % 2) * 128);
    }
    if (view_.cboRTA >= 0)
        pokeImage(out(), 0, kSwitch99, 0x70, Set_Switch_Returns(view_.cboRTA) * 16);
    if (view_.cboGroupScan >= 0)
        pokeImage(out(), 0, kSwitch99, 0x0E, Set_Switch_Returns(view_.cboGroupScan) * 2);
}

// ---- rotary switch ---------------------------------------------------------

void clsGlobals::Read_Rotary_Switch() {
    for (int p = 0; p < kRotaryPositions; ++p) {
        int b = peekImage(src_, 0, kRotary + p);
        view_.cboGroup[p] = (b & 0xF0) / 16;  // 15 is "Global"
        view_.cboChan[p] = b & 0x0F;
    }
    // Each pair: first byte (positions 16..9) before the second (8..1).
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (positionFlag(src_, kGroupGlobalBits, p)) view_.cboGroup[p] = kGlobalGroupIndex;
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (positionFlag(src_, kChanGlobalBits, p)) view_.cboChan[p] = kGlobalChanIndex;
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) view_.chkGrpVar[p] = positionFlag(src_, kGroupVarBits, p) ? 1 : 0;
    for (int p = kRotaryPositions - 1; p >= 0; --p) view_.chkChanVar[p] = positionFlag(src_, kChanVarBits, p) ? 1 : 0;

    int b = peekImage(src_, 0, kGlobalGroupChan);
    int group = (b & 0xF0) / 16;
    // The global group list has entries for 0..14 only; 15 has none and
    // leaves the list without a selection.
    view_.cboGlobalGroup = group < 15 ? group : -1;
    view_.cboGlobalChannel = b & 0x0F;
}

void clsGlobals::Write_Rotary_Switch() {
    for (int p = 0; p < kRotaryPositions; ++p) {
        int g = view_.cboGroup[p];
        if (g >= 0) pokeImage(out(), 0, kRotary + p, 0xF0, g < kGlobalGroupIndex ? g * 16 : 0);
        int c = view_.cboChan[p];
        if (c >= 0) pokeImage(out(), 0, kRotary + p, 0x0F, c < kGlobalChanIndex ? c : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (view_.cboGroup[p] >= 0)
            setPositionFlag(out(), kGroupGlobalBits, p, view_.cboGroup[p] == kGlobalGroupIndex ? 1 : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (view_.cboChan[p] >= 0)
            setPositionFlag(out(), kChanGlobalBits, p, view_.cboChan[p] == kGlobalChanIndex ? 1 : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) setPositionFlag(out(), kGroupVarBits, p, view_.chkGrpVar[p]);
    for (int p = kRotaryPositions - 1; p >= 0; --p) setPositionFlag(out(), kChanVarBits, p, view_.chkChanVar[p]);

    if (view_.cboGlobalGroup >= 0) pokeImage(out(), 0, kGlobalGroupChan, 0xF0, view_.cboGlobalGroup * 16);
    if (view_.cboGlobalChannel >= 0) pokeImage(out(), 0, kGlobalGroupChan, 0x0F, view_.cboGlobalChannel);
}

}  // namespace orv
