// Waiting on an event instead of sleeping a fixed time.
#pragma once
#include <chrono>
#include <thread>

namespace orv::test {

// Checks `done` every millisecond until it holds or `seconds` passed; true
// when it held. The deadline only bounds a failing test.
template <typename Done>
bool waitFor(Done done, double seconds = 10.0) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    for (;;) {
        if (done()) return true;
        if (std::chrono::steady_clock::now() >= end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

}  // namespace orv::test
