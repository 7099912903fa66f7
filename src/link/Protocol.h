// The radio's wire protocol: every request byte the link sends and every
// reply byte the radio answers with. Shared by the link, the alignment tool's
// exchanges and the simulated radio, so that the two sides can never disagree.
// No dependencies.
#pragma once
#include <cstdint>
#include <string>

namespace orv::wire {

// ---- wake-up and handshake ------------------------------------------------------
inline constexpr uint8_t kWake = 0x00;            // sent kWakeCount times before a handshake
inline constexpr int kWakeCount = 10;
inline constexpr uint8_t kHandshake[3] = {0x0A, 0x14, 0x28};
inline constexpr uint8_t kHandshakeReply = 0x12;  // a hooked radio's answer to the handshake

// ---- version --------------------------------------------------------------------
// The request is answered by the first of four version bytes; each kClock
// after it asks for the next one.
inline constexpr uint8_t kVersionRequest = 0x2B;
inline constexpr int kVersionBytes = 4;
// A radio whose version word (first two bytes, high first, read as signed)
// is at least this value is fast: it changes speed and sends a block at once.
inline constexpr int kFastVersion = 0x2AAA;
constexpr uint16_t versionWord(uint8_t high, uint8_t low) { return static_cast<uint16_t>((high << 8) | low); }
constexpr bool isFastVersion(uint16_t word) { return static_cast<int16_t>(word) >= kFastVersion; }

// ---- speed change: kSpeedChange, then the index of the new speed ------------------
// The radio talks 8 data bits, no parity, one stop bit at every speed; a
// hook is always at the first.
inline constexpr uint8_t kSpeedChange = 0x05;
inline constexpr int kSpeeds[] = {4800, 9600, 19200, 38400};   // bit/s, by index
inline constexpr int kSpeedCount = static_cast<int>(sizeof kSpeeds / sizeof kSpeeds[0]);
inline constexpr int kSpeedAfterRead = 1;          // the speed a fast radio takes for a read
// The serial port's settings string of a speed: "4800,n,8,1", "9600,n,8,1", ...
inline std::string lineSettings(int speedIndex) { return std::to_string(kSpeeds[speedIndex]) + ",n,8,1"; }

// ---- block transfers ---------------------------------------------------------------
// Block read: kBlockRead, block number; the radio answers the block number
// with the first byte, each kClock clocks out the next one, and on a fast
// radio kReadRest sends all the rest at once.
inline constexpr uint8_t kBlockRead = 0xC6;
inline constexpr uint8_t kClock = 0x00;
inline constexpr uint8_t kReadRest = 0xFF;
// Block write: kBlockWrite, block number, the block's bytes; one reply byte.
inline constexpr uint8_t kBlockWrite = 0xD4;
// Masked write: kMaskedWrite, address high, address low, mask, value; the
// radio sets the mask's bits to the value's and answers kAck (kNak: refused).
inline constexpr uint8_t kMaskedWrite = 0xD1;

// ---- release and replies -------------------------------------------------------------
inline constexpr uint8_t kRelease = 0x01;
inline constexpr uint8_t kAck = 0x01;
inline constexpr uint8_t kNak = 0x00;

}  // namespace orv::wire
