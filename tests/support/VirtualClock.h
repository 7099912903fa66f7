// A test's virtual time, shared by the simulated port and the scripted host.
#pragma once

namespace orv::test {

// Seconds since the test began; moves only forward, when told to.
class VirtualClock {
public:
    double now() const { return now_; }
    void advance(double seconds) { now_ += seconds; }
    void advanceTo(double t) {
        if (t > now_) now_ = t;
    }

private:
    double now_ = 0;
};

}  // namespace orv::test
