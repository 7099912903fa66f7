// The memory map of the radio: every offset and address a field, a transfer
// or a default uses, in one place. Group parameter offsets are relative to a
// group's parameter block (see groupParamAddr); global addresses are page-0
// addresses.
#pragma once
#include <array>

namespace orv::memmap {

// ---- sizes and counts ---------------------------------------------------------
inline constexpr int kBlockSize = 32;
inline constexpr int kBlocks = 188;            // addresses 0..6015
inline constexpr int kRadioSize = kBlocks * kBlockSize;  // 6016 bytes exist in the radio
inline constexpr int kFileTail = 3;            // bytes a programming file keeps after them
inline constexpr int kFileSize = kRadioSize + kFileTail; // 6019 bytes in the image and in files
inline constexpr int kPageSize = 256;
inline constexpr int kPage0Blocks = kPageSize / kBlockSize;  // blocks 0..7: the global area
inline constexpr int kGroups = 15;             // group numbers 1..15, indices 0..14
inline constexpr int kChannels = 16;           // channels of a group, indices 0..15
inline constexpr int kGroupSize = 384;         // bytes per group
inline constexpr int kGroupBlocks = kGroupSize / kBlockSize;  // 12
inline constexpr int kGroupsBase = 0x100;      // group g starts at 0x100 + 0x180 * g
inline constexpr int kHalfPage = kPageSize / 2;  // odd groups start in the middle of a page
inline constexpr int kRecordSize = 8;          // bytes of a channel record
inline constexpr int kLabelSize = 8;           // characters of a label
inline constexpr int kBankSize = kChannels * kRecordSize;  // a group's channel records
// A group is its parameter block, its channel records and its channel labels,
// in that order.
inline constexpr int kParamBlockSize = kHalfPage;
inline constexpr int kGroupLabelsSize = kChannels * kLabelSize;
static_assert(kParamBlockSize + kBankSize + kGroupLabelsSize == kGroupSize);
inline constexpr int kAllBits = 0xFF;          // the mask of a whole byte
inline constexpr int kRadioCodes = 0x31;       // radio character codes 0x00..0x30
static_assert(kGroupsBase + kGroups * kGroupSize == kRadioSize);

// First and last block of group number n (1..15).
constexpr int firstGroupBlock(int n) { return kGroupsBase / kBlockSize + kGroupBlocks * (n - 1); }
constexpr int lastGroupBlock(int n) { return firstGroupBlock(n) + kGroupBlocks - 1; }
constexpr bool isGroupNumber(int n) { return n >= 1 && n <= kGroups; }
constexpr bool isGroupIndex(int g) { return g >= 0 && g < kGroups; }
constexpr bool isChannelIndex(int c) { return c >= 0 && c < kChannels; }
// The first block of a group: of it a write sends only bit 5 of its first byte.
constexpr bool isGroupFirstBlock(int block) {
    return block >= kPage0Blocks && (block - kPage0Blocks) % kGroupBlocks == 0;
}
inline constexpr int kGroupFirstByteWriteMask = 0x20;
static_assert(firstGroupBlock(1) == 8 && lastGroupBlock(kGroups) == kBlocks - 1);

// ---- bits of one byte -----------------------------------------------------------
// A field's bits in one byte: the byte's address (a page-0 address for the
// global area, an offset within the parameter block for a group) and the
// mask of its bits. Its value is the masked bits shifted down to bit 0.
struct BitField {
    int address;
    int mask;
    constexpr bool operator==(const BitField&) const = default;
};
// The value of the lowest set bit of a mask: masked bits / lowBit = value.
constexpr int lowBit(int mask) { return mask & -mask; }
constexpr int fieldValue(int byte, BitField f) { return (byte & f.mask) / lowBit(f.mask); }
constexpr int fieldBits(int value, BitField f) { return (value * lowBit(f.mask)) & f.mask; }
// A field that fills its byte.
constexpr BitField wholeByte(int address) { return {address, kAllBits}; }
// Entry i (0..15) of a pair of per-position (or per-channel) flag bytes at
// `first`: the first byte holds entries 15..8, the second 7..0.
constexpr BitField pairBit(int first, int i) {
    return i < 8 ? BitField{first + 1, 1 << i} : BitField{first, 1 << (i - 8)};
}

// ---- frequencies ----------------------------------------------------------------
// A frequency is stored as a 16-bit code: 100 MHz plus code x 1.25 kHz (code 0:
// no frequency).
inline constexpr long kFreqBaseHz = 100'000'000;
inline constexpr long kFreqStepHz = 1250;
inline constexpr double kHzPerMHz = 1'000'000.0;
// The code of a frequency in MHz, not yet rounded to a whole step.
constexpr double freqMHzToCode(double mhz) {
    return (mhz * kHzPerMHz - static_cast<double>(kFreqBaseHz)) / static_cast<double>(kFreqStepHz);
}
// The frequency in MHz of a code.
constexpr double freqCodeToMHz(double code) {
    return (code * static_cast<double>(kFreqStepHz) + static_cast<double>(kFreqBaseHz)) / kHzPerMHz;
}

// ---- group parameter block (offsets within it) -------------------------------
inline constexpr int kUserCodeGuard = 0x00;    // channel (3..0), channel set (4), encode only (5)
inline constexpr int kLowPowerFlags = 0x20;    // 16-bit flag words, bit c for channel c
inline constexpr int kNarrowBandFlags = 0x22;
inline constexpr int kScanListFlags = 0x24;
inline constexpr int kPassword = 0x26;         // 3 bytes, two digits each
inline constexpr int kAniId = 0x29;            // 4 bytes, seven digits shown
inline constexpr int kTimeOutScanHold = 0x2D;  // time-out (high nibble), scan hold (low nibble)
inline constexpr int kPriority1 = 0x2E;
inline constexpr int kPriority2 = 0x2F;
inline constexpr int kGroupFlags30 = 0x30;     // battery saver, group scan, tx on pri 1, key lockouts
inline constexpr int kGroupFlags31 = 0x31;     // user code guard, busy channel, resident ANI/DTMF
inline constexpr int kDisplay = 0x32;          // back light, display mode, duration
inline constexpr int kGroupLabel = 0x33;       // 8 radio characters (offsets 51..58)
inline constexpr int kPasswordBytes = 3;
inline constexpr int kAniIdBytes = 4;

// The group parameters' bits.
inline constexpr BitField kUcgChannel{kUserCodeGuard, 0x0F};      // channel index 0..15
inline constexpr BitField kUcgChannelSet{kUserCodeGuard, 0x10};
inline constexpr BitField kUcgEncodeOnly{kUserCodeGuard, 0x20};
inline constexpr BitField kUcgChannelAndSet{kUserCodeGuard, 0x1F};
inline constexpr BitField kAniFirstDigit{kAniId, 0x0F};           // the ID's first shown digit
inline constexpr BitField kTimeOut{kTimeOutScanHold, 0xF0};       // kTimeOutStepSeconds steps, 0: off
inline constexpr BitField kScanHold{kTimeOutScanHold, 0x0F};      // kScanHoldStepSeconds steps
inline constexpr int kTimeOutStepSeconds = 15;
inline constexpr double kScanHoldStepSeconds = 0.5;
// A priority channel byte: off, main, or a channel index.
inline constexpr int kPriorityOff = 0x80;
inline constexpr int kPriorityMain = 0x40;
inline constexpr int kPriorityKinds = kPriorityOff | kPriorityMain;
inline constexpr int kPriorityChannel = 0x0F;
inline constexpr int kPriorityBits = kPriorityKinds | kPriorityChannel;  // what a write changes
inline constexpr BitField kBatterySaverOff{kGroupFlags30, 0x80};
inline constexpr BitField kGroupScanList{kGroupFlags30, 0x40};
inline constexpr BitField kTxOnPriority1{kGroupFlags30, 0x20};
inline constexpr BitField kPriorityKeyLock{kGroupFlags30, 0x10};
inline constexpr BitField kEntClrLock{kGroupFlags30, 0x08};
inline constexpr BitField kUcgEnabled{kGroupFlags31, 0x80};
inline constexpr BitField kBusyChannel{kGroupFlags31, 0x60};
inline constexpr BitField kResidentAni{kGroupFlags31, 0x18};
inline constexpr BitField kBackLight{kDisplay, 0x30};
inline constexpr BitField kDisplayMode{kDisplay, 0x08};            // 1: alphanumeric
inline constexpr BitField kDisplayDuration{kDisplay, 0x07};

// ---- channel record (bytes within the 8-byte record) --------------------------
inline constexpr int kRecReceiveFreq = 0;
inline constexpr int kRecReceiveCodeGuard = 2;
inline constexpr int kRecTransmitFreq = 4;
inline constexpr int kRecTransmitCodeGuard = 6;

// ---- code guard word (a record's receive or transmit code guard) ---------------
// A tone is four decimal nibbles (hundreds, tens, units, tenths of a hertz);
// a digital code sets the digital flag and the bit the radio sets with it,
// the inverted flag for "-", and its three octal digits in bits 8..6, 5..3
// and 2..0.
inline constexpr unsigned kCodeGuardDigital = 0x8000;
inline constexpr unsigned kCodeGuardDigitalMark = 0x0800;
inline constexpr unsigned kCodeGuardInverted = 0x4000;
inline constexpr int kCodeGuardDigitShifts[3] = {6, 3, 0};
inline constexpr unsigned kOctalDigit = 07;

// ---- global area (page 0) -----------------------------------------------------
inline constexpr int kGroupCount = 0x05;       // read by the printed report
inline constexpr int kGlobalBatterySaver = 0x06;
inline constexpr int kDtmfPorchAni = 0x07;     // DTMF deviation, ANI rate, front porch
inline constexpr int kRotary = 0x80;           // one byte per position: group (high) and channel (low) nibble
inline constexpr int kRotaryPositions = 16;
inline constexpr int kRotaryGroupGlobal = 0x90;   // pairs of per-position bit bytes
inline constexpr int kRotaryChannelGlobal = 0x92;
inline constexpr int kRotaryGroupVariable = 0x94;
inline constexpr int kRotaryChannelVariable = 0x96;
inline constexpr int kSwitches98 = 0x98;       // toggle-switch assignments
inline constexpr int kSwitches99 = 0x99;
inline constexpr int kGlobalOptions = 0x9B;    // display, per-channel power, talk back, nuisance, priority rate
inline constexpr int kGlobalGroupChannel = 0xFF;

// The global area's bits.
inline constexpr BitField kBatterySaverInhibit{kGlobalBatterySaver, 0x04};
inline constexpr BitField kDtmfDeviation{kDtmfPorchAni, 0xF8};     // 93.75 Hz steps
inline constexpr BitField kAniRate{kDtmfPorchAni, 0x04};
inline constexpr BitField kFrontPorch{kDtmfPorchAni, 0x03};
inline constexpr BitField kFreqDisplayOnly{kGlobalOptions, 0x80};
inline constexpr BitField kPerChannelPower{kGlobalOptions, 0x40};
inline constexpr BitField kTalkBackScan{kGlobalOptions, 0x20};
inline constexpr BitField kNuisanceDelete{kGlobalOptions, 0x10};
inline constexpr BitField kPriorityRate{kGlobalOptions, 0x07};    // 0.25 s steps
// The toggle-switch codes; the priority scan switch's code is split: its
// high two bits in one byte, its low bit in the next.
inline constexpr BitField kLowPowerSwitch{kSwitches98, 0xE0};
inline constexpr BitField kChannelScanSwitch{kSwitches98, 0x1C};
inline constexpr BitField kPriorityScanSwitchHigh{kSwitches98, 0x03};
inline constexpr BitField kPriorityScanSwitchLow{kSwitches99, 0x80};
inline constexpr BitField kTalkAroundSwitch{kSwitches99, 0x70};
inline constexpr BitField kGroupScanSwitch{kSwitches99, 0x0E};
// Rotary position p's group and channel index.
constexpr BitField rotaryGroup(int p) { return {kRotary + p, 0xF0}; }
constexpr BitField rotaryChannel(int p) { return {kRotary + p, 0x0F}; }
inline constexpr BitField kGlobalGroup{kGlobalGroupChannel, 0xF0};
inline constexpr BitField kGlobalChannel{kGlobalGroupChannel, 0x0F};

// ---- tuning values (page 0, written only by the alignment tool) ----------------
inline constexpr int kTuningBlocks = 2;             // blocks 0 and 1 hold them
inline constexpr int kTuneFrontEnd = 8;             // receiver front end tuning gain
inline constexpr int kTuneDeviation = 9;            // transmit deviation
inline constexpr int kTuneHighPower = 11;           // transmit high power
inline constexpr int kTuneLowPower = 20;            // transmit low power
inline constexpr int kTuneRefOscFrequency = 31;     // word, high byte first
inline constexpr int kTuneRefOscSensitivity = 55;   // word, high byte first

// The bits of each page-0 byte a write may change (0: the byte is never
// sent): the global battery saver bit, the DTMF byte, the rotary switch
// table and its flags, the toggle switches, the global options and the
// global group and channel. A write and a verify both take it from here.
constexpr std::array<int, kPageSize> page0WriteMask() {
    std::array<int, kPageSize> mask{};
    mask[kGlobalBatterySaver] = kBatterySaverInhibit.mask;
    mask[kDtmfPorchAni] = kAllBits;
    for (int a = kRotary; a <= kSwitches98; ++a) mask[a] = kAllBits;
    mask[kSwitches99] = kPriorityScanSwitchLow.mask | kTalkAroundSwitch.mask | kGroupScanSwitch.mask;
    mask[kGlobalOptions] = kFreqDisplayOnly.mask | kPerChannelPower.mask | kTalkBackScan.mask |
                           kNuisanceDelete.mask | kPriorityRate.mask;
    mask[kGlobalGroupChannel] = kAllBits;
    return mask;
}

}  // namespace orv::memmap
