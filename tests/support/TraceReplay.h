// Replaying a serial trace against the simulator: the computer's bytes go out
// run by run (a run: the bytes sent before the next reply), each at the line
// speed the trace names, through a serial port (the machine's own class on
// the simulator's pseudo-terminal, or the simulated port); after each run
// the replies the trace holds are awaited. A trace is sound when the
// simulator answers every run with exactly the bytes the trace recorded.
#pragma once
#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>
#include "platform/posix/PosixSerialPort.h"
#include "link/SerialTrace.h"

namespace orv::test {

struct ReplayRun {
    std::vector<uint8_t> sent;       // what the computer sent
    std::vector<uint8_t> expected;   // the replies the trace holds
    std::vector<uint8_t> got;        // the replies the simulator gave
    std::vector<int> bauds;          // the line speed of each byte sent
};

// The trace cut into runs.
inline std::vector<ReplayRun> traceRuns(const std::vector<TraceEntry>& trace) {
    std::vector<ReplayRun> runs;
    for (const TraceEntry& e : trace) {
        if (e.dir == TraceEntry::kToRadio) {
            if (runs.empty() || !runs.back().expected.empty()) runs.emplace_back();
            runs.back().sent.push_back(e.value);
            runs.back().bauds.push_back(e.baud);
        } else {
            if (runs.empty()) runs.emplace_back();
            runs.back().expected.push_back(e.value);
        }
    }
    return runs;
}

// Replays `trace` on `port`; each reply byte may take up to `byteTimeout`.
inline std::vector<ReplayRun> replayTrace(const std::vector<TraceEntry>& trace, SerialPort& port,
                                          double byteTimeout = 1.0) {
    std::vector<ReplayRun> runs = traceRuns(trace);
    port.open();
    int baud = 4800;
    port.setSettings("4800,n,8,1");
    for (ReplayRun& run : runs) {
        for (std::size_t i = 0; i < run.sent.size(); ++i) {
            if (run.bauds[i] != baud && run.bauds[i] > 0) {
                baud = run.bauds[i];
                port.setSettings(std::to_string(baud) + ",n,8,1");
            }
            port.output(run.sent[i]);
        }
        while (run.got.size() < run.expected.size()) {
            if (!port.waitReadable(static_cast<int>(byteTimeout * 1000))) break;
            for (int b = port.input(); b >= 0 && run.got.size() < run.expected.size(); b = port.input())
                run.got.push_back(static_cast<uint8_t>(b));
        }
    }
    port.close();
    return runs;
}

// The same on the machine's serial port class opened on `device`.
inline std::vector<ReplayRun> replayTrace(const std::vector<TraceEntry>& trace, const std::string& device,
                                          double byteTimeout = 1.0) {
    PosixSerialPort port(device);
    return replayTrace(trace, port, byteTimeout);
}

// The radio memory a read trace shows: every block read's 32 reply bytes
// (requests 0xC6 n 0xFF, or 0xC6 n and 31 clock bytes) at block n.
inline std::array<uint8_t, 6016> memoryFromTrace(const std::vector<TraceEntry>& trace, int* blocksSeen = nullptr) {
    std::array<uint8_t, 6016> mem{};
    int seen = 0;
    for (const ReplayRun& run : traceRuns(trace)) {
        const std::size_t n = run.sent.size();
        for (std::size_t tail : {std::size_t{3}, std::size_t{33}}) {
            if (n < tail || run.sent[n - tail] != 0xC6 || run.expected.size() != 32) continue;
            const int block = run.sent[n - tail + 1];
            if (block >= 188) continue;
            std::copy(run.expected.begin(), run.expected.end(), mem.begin() + block * 32);
            ++seen;
            break;
        }
    }
    if (blocksSeen) *blocksSeen = seen;
    return mem;
}

}  // namespace orv::test
