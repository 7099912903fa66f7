// The simulator's pty shell driven by a raw termios client: the line speed
// the client sets on the terminal, a reply that outlives a discard, a client
// that closes and comes back, faults changed while serving, and pacing in
// real time. The protocol itself is the state machine's (SimRadioCoreTest).
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "PtyClient.h"
#include "sim/RadioSim.h"

using namespace orv;
using Bytes = std::vector<uint8_t>;

namespace {

std::array<uint8_t, 6016> pattern() {
    std::array<uint8_t, 6016> m{};
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<uint8_t>((i * 7 + i / 256) & 0xFF);
    return m;
}

Bytes blockOf(const std::array<uint8_t, 6016>& m, int b) {
    return Bytes(m.begin() + 32 * b, m.begin() + 32 * b + 32);
}

struct Rig {
    explicit Rig(SimOptions o = {}) : sim(o) {
        sim.setMemory(pattern());
        sim.start();
        client = std::make_unique<PtyClient>(sim.devicePath());
    }
    // Up to n bytes of what the radio answers to everything sent so far:
    // once it has taken every byte, it answers within its think time (none),
    // so a quiet 40 ms then means no (further) answer.
    Bytes answer(std::size_t n) {
        const long target = sentBefore + client->sent();
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (sim.receivedCount() < target && std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_GE(sim.receivedCount(), target) << "the radio did not take every byte";
        return client->read(n, 40);
    }
    // A new connection, as the link makes between operations.
    void reconnect() {
        sentBefore += client->sent();
        client.reset();
        client = std::make_unique<PtyClient>(sim.devicePath());
    }
    RadioSim sim;
    std::unique_ptr<PtyClient> client;
    long sentBefore = 0;  // by clients closed since
};

}  // namespace

TEST(RadioSim, ReplyOutlivesADiscardRightAfterTheRequest) {
    // The guarantee comes from the think time (the tests' radios take none).
    SimOptions radioLike;
    radioLike.thinkTimeMs = 2;
    Rig rig(radioLike);
    for (int i = 0; i < 5; ++i) {
        // hook() discards only before the handshake; here the discard follows the frame.
        rig.client->send({0x0A, 0x14, 0x28});
        rig.client->discardInput();
        EXPECT_EQ(rig.client->read(1), Bytes{0x12});
    }
}

TEST(RadioSim, SpeedChangeIsAnsweredAndSeenInTheTrace) {
    Rig rig;
    PtyClient& cl = *rig.client;
    ASSERT_EQ(cl.hook(), Bytes{0x12});
    cl.send({0x05, 0x01});
    ASSERT_EQ(cl.read(1), Bytes{0x01});
    cl.setSpeed(B9600);
    EXPECT_EQ(cl.readBlock(4, true), blockOf(pattern(), 4));

    const auto trace = rig.sim.trace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().baud, 4800);
    EXPECT_EQ(trace.back().baud, 9600);
    // The block request after the switch arrived at 9600.
    auto it = std::find_if(trace.begin(), trace.end(), [](const SimTraceEntry& e) {
        return e.dir == SimTraceEntry::In && e.value == 0xC6;
    });
    ASSERT_NE(it, trace.end());
    EXPECT_EQ(it->baud, 9600);
    // Times never go backwards and the received bytes are the client's, in order.
    for (std::size_t i = 1; i < trace.size(); ++i) EXPECT_LE(trace[i - 1].t, trace[i].t);
    const Bytes rx = rig.sim.received();
    const Bytes tail{0x05, 0x01, 0xC6, 0x04, 0xFF};
    ASSERT_GE(rx.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), rx.end() - 5));
    EXPECT_EQ(rig.sim.receivedCount(), static_cast<long>(rx.size()));
    rig.sim.clearTrace();
    EXPECT_TRUE(rig.sim.trace().empty());
}

TEST(RadioSim, AClosedClientDoesNotHangUpTheRadio) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    rig.client->send({0x01});
    // Close the port and open it again, as the link does between operations.
    rig.reconnect();
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    EXPECT_EQ(rig.client->readBlock(3, true), blockOf(pattern(), 3));
}

TEST(RadioSim, RealtimePacingTakesAtLeastTheLineTime) {
    SimOptions o;
    o.realtime = true;
    Rig rig(o);
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    const auto t0 = std::chrono::steady_clock::now();
    const Bytes got = rig.client->readBlock(10, true);
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    ASSERT_EQ(got, blockOf(pattern(), 10));
    // 32 bytes of 10 bits at 4800 bit/s: 66.7 ms; only a lower bound is asserted.
    EXPECT_GE(elapsed, 0.064);

    // The trace shows the same: sent bytes at least one character time apart.
    const auto trace = rig.sim.trace();
    std::vector<double> sent;
    for (const auto& e : trace)
        if (e.dir == SimTraceEntry::Out) sent.push_back(e.t);
    ASSERT_GE(sent.size(), 33u);
    EXPECT_GE(sent.back() - sent[sent.size() - 32], 31 * 10.0 / 4800 - 0.001);
}

// Faults set from another thread while the radio serves: a radio
// unplugged and plugged in again.
TEST(RadioSim, FaultsChangedWhileServingTakeEffectWithTheNextByte) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    SimFaults unplugged;
    unplugged.silent = true;
    rig.sim.setFaults(unplugged);
    rig.client->sendHook();
    EXPECT_TRUE(rig.answer(1).empty());
    rig.sim.setFaults({});
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    EXPECT_EQ(rig.client->readBlock(1, true), blockOf(pattern(), 1));
}
