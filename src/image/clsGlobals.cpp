// Global record codec: the unit-wide fields of page 0 between the image and
// the global parameters window.
#include "image/clsGlobals.h"

namespace orv {

namespace {

constexpr int kBattSave = 0x06;
constexpr int kDTMF = 0x07;
constexpr int kRotary = 0x80;
constexpr int kGroupGlobalBits = 0x90;
constexpr int kChanGlobalBits = 0x92;
constexpr int kGroupVarBits = 0x94;
constexpr int kChanVarBits = 0x96;
constexpr int kSwitch98 = 0x98;
constexpr int kSwitch99 = 0x99;
constexpr int kOptions = 0x9B;
constexpr int kGlobalGroupChan = 0xFF;

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
    ensure();
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
    ensure();
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

void clsGlobals::Read_DTMF_Dev() { ensure(); view_.cboDTMFDev = readField(img_, kDTMF, 0xF8); }
void clsGlobals::Read_Front_Porch_Time() { ensure(); view_.cboPorchTime = readField(img_, kDTMF, 0x03); }
void clsGlobals::Read_ANI_Rate() { ensure(); view_.cboANIRate = readField(img_, kDTMF, 0x04); }
void clsGlobals::Read_Pri_Rate() { ensure(); view_.cboPriRate = readField(img_, kOptions, 0x07); }
void clsGlobals::Read_Battery_Saver_Inhibit() { ensure(); view_.cboBattSave = readField(img_, kBattSave, 0x04); }
void clsGlobals::Read_Freq_Display() { ensure(); view_.cboFreqDisplay = readField(img_, kOptions, 0x80); }
void clsGlobals::Read_Per_Channel_Power() { ensure(); view_.cboLoPower = readField(img_, kOptions, 0x40); }
void clsGlobals::Read_Talk_Back_Scan() { ensure(); view_.cboTalkBack = readField(img_, kOptions, 0x20); }
void clsGlobals::Read_Nuisance_Channel_Delete() { ensure(); view_.cboNuisanceChan = readField(img_, kOptions, 0x10); }

void clsGlobals::Write_DTMF_Dev() { ensure(); writeField(img_, kDTMF, 0xF8, view_.cboDTMFDev); }
void clsGlobals::Write_Front_Porch_Time() { ensure(); writeField(img_, kDTMF, 0x03, view_.cboPorchTime); }
void clsGlobals::Write_ANI_Rate() { ensure(); writeField(img_, kDTMF, 0x04, view_.cboANIRate); }
void clsGlobals::Write_Pri_Rate() { ensure(); writeField(img_, kOptions, 0x07, view_.cboPriRate); }
void clsGlobals::Write_Battery_Saver_Inhibit() { ensure(); writeField(img_, kBattSave, 0x04, view_.cboBattSave); }
void clsGlobals::Write_Freq_Display() { ensure(); writeField(img_, kOptions, 0x80, view_.cboFreqDisplay); }
void clsGlobals::Write_Per_Channel_Power() { ensure(); writeField(img_, kOptions, 0x40, view_.cboLoPower); }
void clsGlobals::Write_Talk_Back_Scan() { ensure(); writeField(img_, kOptions, 0x20, view_.cboTalkBack); }
void clsGlobals::Write_Nuisance_Channel_Delete() { ensure(); writeField(img_, kOptions, 0x10, view_.cboNuisanceChan); }

// ---- toggle switches ----------------------------------------------------------

void clsGlobals::Read_Switch_Assignments() {
    ensure();
    int b98 = peekImage(img_, 0, kSwitch98);
    int b99 = peekImage(img_, 0, kSwitch99);
    view_.cboLoPowerSwitch = Set_Switch_Assignment((b98 & 0xE0) / 32);
    view_.cboChanScan = Set_Switch_Assignment((b98 & 0x1C) / 4);
    view_.cboPriScan = Set_Switch_Assignment((b98 & 0x03) * 2 + (b99 & 0x80) / 128);
    view_.cboRTA = Set_Switch_Assignment((b99 & 0x70) / 16);
    view_.cboGroupScan = Set_Switch_Assignment((b99 & 0x0E) / 2);
}

void clsGlobals::Write_Switch_Assignments() {
    ensure();
    if (view_.cboLoPowerSwitch >= 0)
        pokeImage(img_, 0, kSwitch98, 0xE0, Set_Switch_Returns(view_.cboLoPowerSwitch) * 32);
    if (view_.cboChanScan >= 0)
        pokeImage(img_, 0, kSwitch98, 0x1C, Set_Switch_Returns(view_.cboChanScan) * 4);
    if (view_.cboPriScan >= 0) {
        int code = Set_Switch_Returns(view_.cboPriScan);
        pokeImage(img_, 0, kSwitch98, 0x03, code / 2);
        pokeImage(img_, 0, kSwitch99, 0x80, (code % 2) * 128);
    }
    if (view_.cboRTA >= 0)
        pokeImage(img_, 0, kSwitch99, 0x70, Set_Switch_Returns(view_.cboRTA) * 16);
    if (view_.cboGroupScan >= 0)
        pokeImage(img_, 0, kSwitch99, 0x0E, Set_Switch_Returns(view_.cboGroupScan) * 2);
}

// ---- rotary switch ---------------------------------------------------------

void clsGlobals::Read_Rotary_Switch() {
    ensure();
    for (int p = 0; p < kRotaryPositions; ++p) {
        int b = peekImage(img_, 0, kRotary + p);
        view_.cboGroup[p] = (b & 0xF0) / 16;  // 15 is "Global"
        view_.cboChan[p] = b & 0x0F;
    }
    // Each pair: first byte (positions 16..9) before the second (8..1).
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (positionFlag(img_, kGroupGlobalBits, p)) view_.cboGroup[p] = kGlobalGroupIndex;
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (positionFlag(img_, kChanGlobalBits, p)) view_.cboChan[p] = kGlobalChanIndex;
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) view_.chkGrpVar[p] = positionFlag(img_, kGroupVarBits, p) ? 1 : 0;
    for (int p = kRotaryPositions - 1; p >= 0; --p) view_.chkChanVar[p] = positionFlag(img_, kChanVarBits, p) ? 1 : 0;

    int b = peekImage(img_, 0, kGlobalGroupChan);
    int group = (b & 0xF0) / 16;
    // The global group list has entries for 0..14 only; 15 has none and
    // leaves the list without a selection.
    view_.cboGlobalGroup = group < 15 ? group : -1;
    view_.cboGlobalChannel = b & 0x0F;
}

void clsGlobals::Write_Rotary_Switch() {
    ensure();
    for (int p = 0; p < kRotaryPositions; ++p) {
        int g = view_.cboGroup[p];
        if (g >= 0) pokeImage(img_, 0, kRotary + p, 0xF0, g < kGlobalGroupIndex ? g * 16 : 0);
        int c = view_.cboChan[p];
        if (c >= 0) pokeImage(img_, 0, kRotary + p, 0x0F, c < kGlobalChanIndex ? c : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (view_.cboGroup[p] >= 0)
            setPositionFlag(img_, kGroupGlobalBits, p, view_.cboGroup[p] == kGlobalGroupIndex ? 1 : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) {
        if (view_.cboChan[p] >= 0)
            setPositionFlag(img_, kChanGlobalBits, p, view_.cboChan[p] == kGlobalChanIndex ? 1 : 0);
    }
    for (int p = kRotaryPositions - 1; p >= 0; --p) setPositionFlag(img_, kGroupVarBits, p, view_.chkGrpVar[p]);
    for (int p = kRotaryPositions - 1; p >= 0; --p) setPositionFlag(img_, kChanVarBits, p, view_.chkChanVar[p]);

    if (view_.cboGlobalGroup >= 0) pokeImage(img_, 0, kGlobalGroupChan, 0xF0, view_.cboGlobalGroup * 16);
    if (view_.cboGlobalChannel >= 0) pokeImage(img_, 0, kGlobalGroupChan, 0x0F, view_.cboGlobalChannel);
}

}  // namespace orv
