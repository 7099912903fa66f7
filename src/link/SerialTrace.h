// The bytes of a radio exchange as they crossed the line: every byte with
// its direction, the time since the exchange started and the line speed at
// that moment. The link records one (TracingSerialPort) and the radio
// simulator records one; both are written and read in the same text form, one
// byte per line:
//
//     R 0.012345 0A 4800
//
// direction ("R": received by the radio, i.e. sent by the computer; "T":
// transmitted by the radio), seconds since the start with six decimals, the
// byte in two upper-case hexadecimal digits, and the line speed in bit/s.
// Lines starting with '#' are comments. A trace a user saved can thus be
// replayed against the simulator, and the simulator's trace of the same
// exchange reads the same.
#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

namespace orv {

struct TraceEntry {
    static constexpr char kToRadio = 'R';
    static constexpr char kFromRadio = 'T';
    char dir = kToRadio;
    double t = 0;        // seconds since the start of the exchange
    uint8_t value = 0;
    int baud = 0;        // line speed in bit/s (0: not known)
    bool operator==(const TraceEntry&) const = default;
};

// A line of the trace text that cannot be read: says which line and why.
class TraceFormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One entry as a line of text (without the line end).
std::string formatTraceLine(const TraceEntry& e);
// Writes every entry as one line; `dropped` (when not 0) adds a comment line
// saying how many further bytes were not kept.
void writeTraceText(std::ostream& out, const std::vector<TraceEntry>& entries, std::size_t dropped = 0);
std::string traceText(const std::vector<TraceEntry>& entries, std::size_t dropped = 0);
// Reads trace text; blank lines and '#' comments are skipped. Throws
// TraceFormatError naming the line number and what is wrong with it.
std::vector<TraceEntry> readTraceText(std::istream& in);

// The trace of the last exchange, kept in memory. Not thread-safe: one
// recorder per link (the link runs on one thread).
class SerialTrace {
public:
    // Most bytes kept; later bytes are counted, not kept (a long session of
    // the alignment tool must not grow without bound).
    static constexpr std::size_t kDefaultLimit = 2'000'000;
    explicit SerialTrace(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // Starts a new trace: everything recorded so far is forgotten and the
    // clock starts at 0.
    void start();
    void record(char dir, uint8_t value, int baud);

    const std::vector<TraceEntry>& entries() const { return entries_; }
    std::size_t dropped() const { return dropped_; }
    bool empty() const { return entries_.empty() && dropped_ == 0; }
    std::string text() const { return traceText(entries_, dropped_); }

private:
    using Clock = std::chrono::steady_clock;
    std::size_t limit_;
    std::vector<TraceEntry> entries_;
    std::size_t dropped_ = 0;
    Clock::time_point t0_ = Clock::now();
};

}  // namespace orv
