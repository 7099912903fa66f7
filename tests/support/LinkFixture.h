// A link under test: ORVCom on a real pseudo-terminal to the radio simulator,
// with the scripted host. Also the byte sequences the link must send.
#pragma once
#include <gtest/gtest.h>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <vector>
#include "FakeHost.h"
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

// The serial port the link uses, counting the bytes it put on the line so
// that a test can wait until the radio has received all of them.
class CountingPort : public PosixSerialPort {
public:
    void output(unsigned char byte) override {
        PosixSerialPort::output(byte);
        ++sent;
    }
    long sent = 0;
};

// Time-outs for the tests. The radio's own timing (0.5 s per byte, 500 ms
// pauses) is only checked where it is the subject; elsewhere the simulator
// answers within milliseconds, so a test whose radio answers waits for no
// time-out however long it is (kAnswered leaves room for a busy machine),
// and a test that makes the radio silent pays kSilent per time-out.
constexpr double kAnswered = 2.0;
constexpr double kSilent = 0.1;

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override { setByteTimeout(kAnswered); }
    // Short waits: the given time-out per byte, no pauses.
    void setByteTimeout(double seconds) {
        com.setTiming(LinkTiming{seconds, 0, 0});
        com.initComm();
    }
    void startSim(SimOptions o = {}) {
        sim = std::make_unique<RadioSim>(o);
        sim->start();
        port.setDevice(sim->devicePath());
        sentBeforeSim_ = port.sent;
    }
    void TearDown() override {
        com.closePort();
        EXPECT_TRUE(host.rangeViolations.empty())
            << "progress value left its range: " << host.rangeViolations.front();
        if (sim) sim->stop();
    }
    // What the radio received, once every byte the link wrote has reached it
    // (the simulator reads the pty on its own thread).
    Bytes received() const {
        const long sent = port.sent - sentBeforeSim_;
        EXPECT_TRUE(waitFor([&] { return sim->receivedCount() >= sent; }))
            << "the radio got " << sim->receivedCount() << " of " << sent << " bytes";
        return sim->received();
    }
    // A link error's box text: its fixed first line and the advice for
    // this port (`changed`: a write had sent data to the radio).
    std::string advised(const std::string& first, LinkFailure failure, bool changed) const {
        return withLinkAdvice(first, failure, {port.device(), "", 0, changed});
    }
    std::array<uint8_t, 6016> imageRadioPart() const {
        std::array<uint8_t, 6016> a{};
        std::copy(img.data(), img.data() + 6016, a.begin());
        return a;
    }

    std::unique_ptr<RadioSim> sim;
    MemoryImage img;
    CountingPort port;
    FakeHost host;
    ORVCom com{img, port, host, LinkTiming::shortened()};

private:
    long sentBeforeSim_ = 0;  // bytes the port sent to earlier simulators
};

}  // namespace orv::test
