// The simulated radio's side of the link as a pure state machine: bytes in,
// reply bytes out, each with the time it would reach the client. It holds
// the radio's memory and answers every exchange of the link (wake-up,
// handshake, version, speed change, block read, block write, masked write,
// release), with the faults of SimFaults and a trace of every byte. It knows
// no device, thread or clock: whoever drives it gives it the time of every
// byte and the line speed the client set (the pseudo-terminal of RadioSim,
// the tests' in-process port), so the same bytes at the same times always
// give the same answers.
//
// Block reads are byte-clocked: the first data byte answers the block number,
// each further received byte clocks out the next one, and on a fast radio
// the request for the rest sends all the rest at once (so both request forms
// get the whole block). Requests for blocks or addresses outside the memory
// are consumed and left unanswered. A radio that is not hooked answers only
// the handshake.
//
// Timing model. Every received byte gets an "arrival" time: the moment it
// was fed or, when pacing at the line rate, no earlier than one character
// time (10 bits) after the previous byte could have arrived. A reply's first
// byte is never due before arrival + thinkTimeMs, so a client that sends a
// frame and then discards its input cannot lose the answer. When pacing,
// each reply byte also occupies the line for one character time and is due
// at the moment its last bit would have arrived.
#pragma once
#include <array>
#include <cstdint>
#include <deque>
#include <vector>
#include "image/MemoryMap.h"
#include "link/Protocol.h"

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
static_assert(wire::isFastVersion(kDefaultVersion));

struct SimOptions {
    uint16_t version = kDefaultVersion;  // wire::isFastVersion: a fast radio
    bool realtime = false;            // pace every byte at the line rate (10 bits per byte)
    // Least time before the first byte of any reply. None by default: the
    // tests' radios answer at once (a masked write's answer is held back on
    // its own, see SimRadioCore.cpp); orv-radiosim takes 2 ms, like a radio.
    double thinkTimeMs = 0.0;
    // Record every byte for trace() and received(). The tests read the
    // trace; orv-radiosim keeps it only when asked to write it (--trace),
    // since a long session would otherwise grow without bound.
    bool keepTrace = true;
    SimFaults faults;
};

struct SimTraceEntry {
    enum Dir : char { In = 'R', Out = 'T' } dir;  // R: received from the client, T: sent to it
    double t;                                     // seconds on the driver's clock
    uint8_t value;
    int baud;                                     // line speed the client had set at that moment
};

class SimRadioCore {
public:
    using Memory = std::array<uint8_t, memmap::kRadioSize>;

    explicit SimRadioCore(SimOptions options = {});

    // The line speed the client set, in bit/s (0: not known). Bytes fed and
    // sent from now on are timed and traced at it.
    void setLineSpeed(int baud) { baud_ = baud; }
    int lineSpeed() const { return baud_; }

    // One byte from the client, taken off the line at `at` seconds.
    void feed(uint8_t byte, double at);

    // Whether reply bytes wait to go out; the next one (only with
    // hasReply()): when it is due at the client, its value, and its
    // hand-over at `at` (no earlier than nextDue(); later when the driver
    // could not hand it over in time: the line is busy from the actual
    // hand-over on).
    bool hasReply() const { return !out_.empty(); }
    double nextDue() const;
    uint8_t nextReply() const { return out_.front().value; }
    uint8_t takeReply(double at);

    // Replaces the faults, as a radio that is switched off and on again with
    // a new behaviour (silent: unplugged; no faults: back to normal). Takes
    // effect with the next byte fed: the radio starts afresh (not hooked, no
    // reply pending, memory kept), and the counts of the new faults
    // (deadAfterBytes, maskedNakCount, maskedSilentCount,
    // blockWriteSilentCount) run from that byte on.
    void setFaults(const SimFaults& faults);

    const Memory& memory() const { return mem_; }
    void setMemory(const Memory& m) { mem_ = m; }
    // Every byte in both directions so far (empty unless the options keep
    // the trace), the bytes received only, and the count of bytes received
    // (not cleared with the trace).
    const std::vector<SimTraceEntry>& trace() const { return trace_; }
    void clearTrace() { trace_.clear(); }
    std::vector<uint8_t> received() const;
    long receivedCount() const { return receivedTotal_; }

private:
    enum class Mode {
        Idle, Hs1, Hs2,            // not hooked; Hs1/Hs2: the first (second) handshake byte seen
        Cmd, CmdHs1, CmdHs2,       // hooked; a new handshake is still answered
        SpeedArg,
        ReadNum, ReadClock,
        WriteNum, WriteData,
        MaskHi, MaskLo, MaskMask, MaskValue,
    };
    struct Out {
        uint8_t value;
        double notBefore;
    };

    double charTime() const { return baud_ > 0 ? 10.0 / baud_ : 0.0; }
    void takePendingFaults();
    void reply(std::initializer_list<uint8_t> bytes, double arrival, bool garbage = true);
    void replyBlockBytes(int from, int to, double arrival);
    void startHandshake(uint8_t b, Mode next);
    void hooked(double arrival);
    void command(uint8_t b, double arrival);
    void handle(uint8_t b, double arrival);

    SimOptions opt_;
    std::array<uint8_t, wire::kVersionBytes> version_{};
    Memory mem_{};
    std::vector<SimTraceEntry> trace_;
    long receivedTotal_ = 0;
    int baud_ = wire::kSpeeds[0];
    bool faultsPending_ = false;
    SimFaults pendingFaults_;

    Mode mode_ = Mode::Idle;
    int versionIdx_ = 0;        // next version byte a clock byte asks for, 0: none
    int block_ = 0;             // block of the current read or write
    int nextByte_ = 0;          // next byte index of a clocked read
    std::array<uint8_t, memmap::kBlockSize> writeBuf_{};
    int writeCount_ = 0;
    int maskAddr_ = 0, maskMask_ = 0;
    int maskedSeen_ = 0;
    int blockWritesSeen_ = 0;
    long faultBase_ = 0;        // receivedTotal_ when the faults in force were set
    bool dead_ = false;

    std::deque<Out> out_;
    double lastArrival_ = -1e9;  // line model of received bytes
    double lineFree_ = 0;        // line model of sent bytes
};

}  // namespace orv
