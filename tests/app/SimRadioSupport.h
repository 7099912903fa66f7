// The simulated radio for the editor's tests: a simulator on a
// pseudo-terminal that the port settings name, and events timed by what it
// received. POSIX only (the pseudo-terminal): the Windows build of the
// editor's tests leaves out the programs that include this.
#pragma once
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>
#include "sim/RadioSim.h"

namespace orv::test {

// A radio simulator serving on a pty, which Comm/Device1 names, port 1 chosen.
class SimRadio {
public:
    explicit SimRadio(SimOptions options = {});
    ~SimRadio();
    RadioSim sim;
    // The masked-write frames (0xD1 hi lo mask value) the radio received.
    struct Masked { int address, mask, value; };
    std::vector<Masked> maskedWrites() const;
};

// Runs `action` once, from the event loop, as soon as the simulator has
// received at least `bytes` bytes: an event in the middle of a transfer.
class WhenReceived {
public:
    WhenReceived(const RadioSim& sim, long bytes, std::function<void()> action);
    ~WhenReceived();
    bool fired() const { return fired_; }

private:
    std::unique_ptr<QTimer> timer_;
    bool fired_ = false;
};

}  // namespace orv::test
