// The memory map of the radio: every offset and address a field, a transfer
// or a default uses, in one place. Group parameter offsets are relative to a
// group's parameter block (see groupParamAddr); global addresses are page-0
// addresses.
#pragma once

namespace orv::memmap {

// ---- blocks -----------------------------------------------------------------
inline constexpr int kBlockSize = 32;
inline constexpr int kBlocks = 188;            // addresses 0..6015
inline constexpr int kPage0Blocks = 8;         // blocks 0..7: the global area
inline constexpr int kGroupBlocks = 12;        // 384 bytes per group
inline constexpr int kGroupSize = 384;
inline constexpr int kGroupsBase = 0x100;      // group g starts at 0x100 + 0x180 * g
// First and last block of group number n (1..15).
constexpr int firstGroupBlock(int n) { return 12 * n - 4; }
constexpr int lastGroupBlock(int n) { return 12 * n + 7; }
// The first block of a group: of it a write sends only bit 5 of its first byte.
constexpr bool isGroupFirstBlock(int block) { return block >= 8 && (block - 8) % 12 == 0; }
inline constexpr int kGroupFirstByteWriteMask = 0x20;

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

// ---- channel record (bytes within the 8-byte record) --------------------------
inline constexpr int kRecReceiveFreq = 0;
inline constexpr int kRecReceiveCodeGuard = 2;
inline constexpr int kRecTransmitFreq = 4;
inline constexpr int kRecTransmitCodeGuard = 6;

// ---- global area (page 0) -----------------------------------------------------
inline constexpr int kGroupCount = 0x05;       // read by the printed report
inline constexpr int kGlobalBatterySaver = 0x06;
inline constexpr int kDtmfPorchAni = 0x07;     // DTMF deviation, ANI rate, front porch
inline constexpr int kRotary = 0x80;           // 16 bytes: group (high) and channel (low) nibble
inline constexpr int kRotaryGroupGlobal = 0x90;   // pairs of per-position bit bytes
inline constexpr int kRotaryChannelGlobal = 0x92;
inline constexpr int kRotaryGroupVariable = 0x94;
inline constexpr int kRotaryChannelVariable = 0x96;
inline constexpr int kSwitches98 = 0x98;       // toggle-switch assignments
inline constexpr int kSwitches99 = 0x99;
inline constexpr int kGlobalOptions = 0x9B;    // display, per-channel power, talk back, nuisance, priority rate
inline constexpr int kGlobalGroupChannel = 0xFF;

}  // namespace orv::memmap
