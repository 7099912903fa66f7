// A link under test: ORVCom with the scripted host, on a simulated port to
// the radio's state machine (LinkTest) or on a real pseudo-terminal to the
// simulator (PtyLinkTest). Also the byte sequences the link must send.
#pragma once
#include <gtest/gtest.h>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>
#include "FakeHost.h"
#include "SimulatedPort.h"
#include "WaitFor.h"
#include "image/MemoryImage.h"
#include "link/ORVCom.h"
#include "platform/posix/PosixSerialPort.h"
#include "sim/RadioSim.h"

namespace orv::test {

using Bytes = std::vector<uint8_t>;

inline void append(Bytes& to, const Bytes& more) { to.insert(to.end(), more.begin(), more.end()); }

inline Bytes hookAttempt() {
    Bytes b(10, 0x00);
    append(b, {0x0A, 0x14, 0x28});
    return b;
}

// One successful hook; `speedChange` when the radio is fast and the caller reads.
inline Bytes hookBytes(bool speedChange) {
    Bytes b = hookAttempt();
    append(b, {0x2B, 0x00, 0x00, 0x00});
    if (speedChange) append(b, {0x05, 0x01});
    return b;
}

inline Bytes readBlockBytes(int block, bool fast) {
    Bytes b{0xC6, static_cast<uint8_t>(block)};
    if (fast) b.push_back(0xFF);
    else b.insert(b.end(), 31, 0x00);
    return b;
}

inline Bytes readOpBytes(int first, int last, bool fast) {
    Bytes b = hookBytes(fast);
    for (int i = first; i <= last; ++i) append(b, readBlockBytes(i, fast));
    b.push_back(0x01);
    return b;
}

inline Bytes maskedBytes(int address, int mask, int value) {
    return {0xD1, static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address & 0xFF),
            static_cast<uint8_t>(mask), static_cast<uint8_t>(value)};
}

inline Bytes page0Bytes(const MemoryImage& img, const std::array<int, 256>& mask) {
    Bytes b;
    for (int a = 0; a < 256; ++a)
        if (mask[static_cast<std::size_t>(a)]) append(b, maskedBytes(a, mask[static_cast<std::size_t>(a)], img[a]));
    return b;
}

inline Bytes writeBlockBytes(const MemoryImage& img, int block) {
    const int base = block * 32;
    if (block >= 8 && (block - 8) % 12 == 0) return maskedBytes(base, 0x20, img[base]);
    Bytes b{0xD4, static_cast<uint8_t>(block)};
    for (int i = 0; i < 32; ++i) b.push_back(img[base + i]);
    return b;
}

// Double release, hook without speed change (writes stay at 4800).
inline Bytes writePrologue() {
    Bytes b{0x01, 0x01};
    append(b, hookBytes(false));
    return b;
}

inline std::array<uint8_t, 6016> randomMemory(unsigned seed) {
    std::mt19937 rng(seed);
    std::array<uint8_t, 6016> m{};
    for (auto& v : m) v = static_cast<uint8_t>(rng());
    return m;
}

inline void fillImage(MemoryImage& img, unsigned seed) {
    std::mt19937 rng(seed);
    for (int i = 0; i < MemoryImage::kSize; ++i) img[i] = static_cast<uint8_t>(rng());
}

// The radio of an in-process link test: the simulator's state machine,
// answering the simulated port at once. stop() is RadioSim's call, kept so
// that a test reads the same on either radio; nothing runs to be stopped.
class InProcessRadio : public SimRadioCore {
public:
    using SimRadioCore::SimRadioCore;
    void stop() {}
};

// The waits of the tests: the radio's own. On the virtual clock a time-out
// costs no time, so a test whose radio answers and one whose radio is
// silent wait as a real link would.
constexpr double kAnswered = LinkTiming{}.byteTimeout;
constexpr double kSilent = LinkTiming{}.byteTimeout;

// ORVCom on a simulated port to the radio's state machine, with the
// scripted host on the same virtual clock: every exchange runs at once and
// the same way every time.
class LinkTest : public ::testing::Test {
protected:
    LinkTest() { host.clock = &clock; }
    // The given time-out per byte, no pauses.
    void setByteTimeout(double seconds) {
        com.setTiming(LinkTiming{seconds, 0, 0});
        com.initComm();
    }
    // A new radio on the line (the port stays the link's).
    void startSim(SimOptions o = {}) {
        sim = std::make_unique<InProcessRadio>(o);
        port.connect(*sim);
        sentBeforeSim_ = port.sent;
    }
    void TearDown() override {
        com.closePort();
        EXPECT_TRUE(host.rangeViolations.empty())
            << "progress value left its range: " << host.rangeViolations.front();
    }
    // What the radio received, checked against what the link sent to it.
    Bytes received() const {
        EXPECT_EQ(sim->receivedCount(), port.sent - sentBeforeSim_);
        return sim->received();
    }
    // A link error's box text: its fixed first line and the advice for
    // this port (`changed`: a write had sent data to the radio).
    std::string advised(const std::string& first, LinkFailure failure, bool changed) const {
        return withLinkAdvice(first, failure, {port.device(), "", 0, changed});
    }

    VirtualClock clock;
    std::unique_ptr<InProcessRadio> sim;
    MemoryImage img;
    SimulatedPort port{clock};
    FakeHost host;
    ORVCom com{img, port, host};

private:
    long sentBeforeSim_ = 0;  // bytes the port sent to earlier radios
};

// The serial port class of the machine, counting the bytes it put on the
// line so that a test can wait until the radio has received all of them.
class CountingPort : public PosixSerialPort {
public:
    void output(unsigned char byte) override {
        PosixSerialPort::output(byte);
        ++sent;
    }
    long sent = 0;
};

// ORVCom on the machine's serial port class to the simulator on a real
// pseudo-terminal, on the steady clock: the transport under the protocol
// (termios speeds, the serving thread, a reply racing a discard).
class PtyLinkTest : public ::testing::Test {
protected:
    void startSim(SimOptions o = {}) {
        sim = std::make_unique<RadioSim>(o);
        sim->start();
        port.setDevice(sim->devicePath());
    }
    void TearDown() override {
        com.closePort();
        if (sim) sim->stop();
    }
    // What the radio received, once every byte the link wrote has reached it
    // (the simulator reads the pty on its own thread).
    Bytes received() const {
        EXPECT_TRUE(waitFor([&] { return sim->receivedCount() >= port.sent; }))
            << "the radio got " << sim->receivedCount() << " of " << port.sent << " bytes";
        return sim->received();
    }

    std::unique_ptr<RadioSim> sim;
    MemoryImage img;
    CountingPort port;
    FakeHost host;
    ORVCom com{img, port, host, LinkTiming::shortened()};
};

}  // namespace orv::test
