// A simulated radio on the far side of a pseudo-terminal: the protocol's
// state machine (SimRadioCore) served on its own thread, fed with every byte
// the client writes to the pty and the line speed it set there, its replies
// written back when they are due. Used in-process by the tests that need a
// real device and by the `orv-radiosim` program.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>
#include "image/MemoryMap.h"
#include "sim/SimImageFile.h"
#include "sim/SimRadioCore.h"

namespace orv {

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

    // The radio's faults (SimRadioCore::setFaults): in force from the next
    // byte received.
    void setFaults(const SimFaults& faults);

    // The radio memory (copy under lock).
    std::array<uint8_t, memmap::kRadioSize> memory() const;
    void setMemory(const std::array<uint8_t, memmap::kRadioSize>& m);
    // Every byte in both directions so far, times in seconds since start()
    // (copy under lock), and clear it. Both stay empty when the options do
    // not keep the trace.
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
