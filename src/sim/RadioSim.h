// A radio on the far side of a pseudo-terminal: holds the radio's memory and
// answers every exchange of the link (wake-up, handshake, version, speed
// change, block read, block write, masked write, release), optionally paced at the line rate the client set, with a trace of
// every byte and injectable faults. Used in-process by the tests (it serves
// on its own thread) and by the `orv-radiosim` program.
//
// Block reads are byte-clocked: the first data byte answers the block number,
// each further received byte clocks out the next one, and on a fast radio
// the request for the rest sends all the rest at once (so both request forms
// get the whole block). Requests for blocks or addresses outside the memory
// are consumed and left unanswered. A radio that is not hooked answers only the handshake.
#pragma once
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>
#include "image/MemoryMap.h"

namespace orv {

// Faults a test or a person can inject. Where several are set they combine:
// the first maskedSilentCount masked writes get no answer, the next
// maskedNakCount are refused; a masked write that is refused or unanswered
// leaves memory unchanged. Garbage precedes the first byte of every reply
// (a block read's garbage comes once, before its first data byte).
struct SimFaults {
    bool silent = false;              // never answers anything
    int handshakeReply = -1;          // >= 0: answer the handshake with this byte instead of the usual one
    bool refuseSpeedChange = false;   // refuses every speed change and stays at 4800
    long deadAfterBytes = -1;         // >= 0: after receiving this many bytes, goes silent for good
    int maskedNakCount = 0;           // the first K masked writes are refused
    int maskedSilentCount = 0;        // the first K masked writes get no answer
    int garbageBeforeReplies = 0;     // this many garbage bytes are sent before each reply
    int blockWriteSilentCount = 0;    // the first K block writes get no answer and change nothing
};

// The version a simulated radio reports unless told otherwise: a fast radio.
inline constexpr uint16_t kDefaultVersion = 0x2C00;

struct SimOptions {
    uint16_t version = kDefaultVersion;  // at least wire::kFastVersion: a fast radio
    bool realtime = false;            // pace every byte at the line rate (10 bits per byte)
    // Least time before the first byte of any reply. None by default: the
    // tests' radios answer at once (a masked write's answer is held back on
    // its own, see RadioSim.cpp); orv-radiosim takes 2 ms, like a radio.
    double thinkTimeMs = 0.0;
    // Record every byte for trace() and received(). The tests read the
    // trace; orv-radiosim keeps it only when asked to write it (--trace),
    // since a long session would otherwise grow without bound.
    bool keepTrace = true;
    SimFaults faults;
};

struct SimTraceEntry {
    enum Dir : char { In = 'R', Out = 'T' } dir;  // R: received from the client, T: sent to it
    double t;                                     // seconds since start()
    uint8_t value;
    int baud;                                     // line speed the client had set at that moment
};

// Line speed as a number of bit/s for a termios speed constant (0 if unknown).
int baudFromSpeed(unsigned speed);

// Radio memory files: a programming file's size or the radio's (the bare
// radio memory). Throws std::runtime_error with the file name and the reason.
struct SimImageFile {
    std::array<uint8_t, memmap::kRadioSize> memory{};
    std::array<uint8_t, memmap::kFileTail> tail{};    // the bytes of a programming file after the memory, else zero
};
SimImageFile loadSimImage(const std::string& path);
// Writes a programming file (memory, then tail) through a temporary file and a
// rename, so a failed save never leaves a half-written file.
void saveSimImage(const std::string& path, const SimImageFile& file);

class RadioSim {
public:
    explicit RadioSim(SimOptions options = {});
    ~RadioSim();
    RadioSim(const RadioSim&) = delete;
    RadioSim& operator=(const RadioSim&) = delete;

    // Opens the pty pair and starts serving on a thread. Throws std::runtime_error.
    void start();
    void stop();
    std::string devicePath() const;   // the slave side, for the client to open

    // Replaces the faults, as a radio that is switched off and on again with
    // a new behaviour (silent: unplugged; no faults: back to normal). Takes
    // effect with the next byte received: the radio starts afresh (not
    // hooked, no reply pending, memory kept), and the counts of the new
    // faults (deadAfterBytes, maskedNakCount, maskedSilentCount,
    // blockWriteSilentCount) run from that byte on.
    void setFaults(const SimFaults& faults);

    // The radio memory (copy under lock).
    std::array<uint8_t, memmap::kRadioSize> memory() const;
    void setMemory(const std::array<uint8_t, memmap::kRadioSize>& m);
    // Every byte in both directions so far (copy under lock), and clear it.
    // Both stay empty when the options do not keep the trace.
    std::vector<SimTraceEntry> trace() const;
    void clearTrace();
    // Bytes received from the client only, in order.
    std::vector<uint8_t> received() const;
    // Number of bytes received from the client since start() (not cleared).
    long receivedCount() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orv
