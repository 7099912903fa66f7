// The simulator driven over its pty by a raw termios client, as the link
// will drive it: every exchange, the trace, the faults and the pacing.
#include <gtest/gtest.h>

#include <chrono>
#include <numeric>
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

SimOptions withFaults(SimFaults f) {
    SimOptions o;
    o.faults = f;
    return o;
}

}  // namespace

TEST(RadioSim, HandshakeAndVersionProbe) {
    struct Case { uint16_t version; Bytes expected; };
    for (const Case& c : {Case{0x2C00, {0x2C, 0x00, 0x00, 0x00}}, Case{0x2AA9, {0x2A, 0xA9, 0x00, 0x00}},
                          Case{0x8123, {0x81, 0x23, 0x00, 0x00}}}) {
        SimOptions o;
        o.version = c.version;
        Rig rig(o);
        PtyClient& cl = *rig.client;
        // Not hooked yet: a version probe is ignored.
        cl.send({0x2B});
        EXPECT_TRUE(rig.answer(1024).empty());
        EXPECT_EQ(cl.hook(), Bytes{0x12});
        Bytes version;
        cl.send({0x2B});
        for (int i = 0; i < 4; ++i) {
            if (i > 0) cl.send({0x00});
            const Bytes b = cl.read(1);
            version.insert(version.end(), b.begin(), b.end());
        }
        EXPECT_EQ(version, c.expected) << std::hex << c.version;
        // A fourth 0x00 asks for nothing more.
        cl.send({0x00});
        EXPECT_TRUE(rig.answer(1024).empty());
    }
}

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

TEST(RadioSim, SpeedChangeRejectedForBadIndexOrWhenRefused) {
    for (bool refuse : {false, true}) {
        SimFaults f;
        f.refuseSpeedChange = refuse;
        Rig rig(withFaults(f));
        ASSERT_EQ(rig.client->hook(), Bytes{0x12});
        rig.client->send({0x05, 0x01});
        EXPECT_EQ(rig.client->read(1), Bytes{static_cast<uint8_t>(refuse ? 0x00 : 0x01)});
        rig.client->send({0x05, 0x07});
        EXPECT_EQ(rig.client->read(1), Bytes{0x00});
    }
}

TEST(RadioSim, BlockReadFastAndByteClockedForms) {
    struct Case { uint16_t version; bool fastForm; int block; };
    for (const Case& c : {Case{0x2C00, true, 0}, Case{0x2C00, false, 187}, Case{0x2000, false, 5},
                          Case{0x2000, false, 0}, Case{0x2C00, true, 100}}) {
        SimOptions o;
        o.version = c.version;
        Rig rig(o);
        ASSERT_EQ(rig.client->hook(), Bytes{0x12});
        EXPECT_EQ(rig.client->readBlock(c.block, c.fastForm), blockOf(pattern(), c.block))
            << "block " << c.block << " fast form " << c.fastForm;
        // Exactly 32, nothing trailing.
        EXPECT_TRUE(rig.client->drain(30).empty());
    }
}

TEST(RadioSim, ByteClockedReadAnswersOneBytePerClock) {
    Rig rig;
    PtyClient& cl = *rig.client;
    ASSERT_EQ(cl.hook(), Bytes{0x12});
    cl.send({0xC6, 0x09});
    EXPECT_EQ(rig.answer(2), Bytes{pattern()[32 * 9]});  // only the first byte without a clock
    cl.send({0x00, 0x00});
    EXPECT_EQ(rig.answer(3), (Bytes{pattern()[32 * 9 + 1], pattern()[32 * 9 + 2]}));
}

TEST(RadioSim, BlockReadOutsideMemoryIsNotAnsweredAndTheRadioCarriesOn) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    rig.client->send({0xC6, 188, 0xFF});
    EXPECT_TRUE(rig.answer(1024).empty());
    EXPECT_EQ(rig.client->readBlock(2, true), blockOf(pattern(), 2));
}

TEST(RadioSim, BlockWriteChangesExactlyThatBlock) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    Bytes frame{0xD4, 21};
    Bytes data(32);
    std::iota(data.begin(), data.end(), uint8_t{0xA0});
    frame.insert(frame.end(), data.begin(), data.end());
    rig.client->send(frame);
    EXPECT_EQ(rig.client->read(1), Bytes{0x01});

    auto expected = pattern();
    std::copy(data.begin(), data.end(), expected.begin() + 32 * 21);
    EXPECT_EQ(rig.sim.memory(), expected);
    EXPECT_EQ(rig.client->readBlock(21, true), data);

    // A block beyond the memory: the frame is consumed, nothing answered or stored.
    frame[1] = 200;
    rig.client->send(frame);
    EXPECT_TRUE(rig.answer(1024).empty());
    EXPECT_EQ(rig.sim.memory(), expected);
    EXPECT_EQ(rig.client->readBlock(21, true), data);
}

TEST(RadioSim, MaskedWriteChangesOnlyTheMaskedBits) {
    struct Case { int addr; uint8_t old, mask, value, expected; };
    for (const Case& c : {Case{6, 0xFF, 0x30, 0x20, 0xEF}, Case{0x100, 0x80, 0xCF, 0x0F, 0x0F},
                          Case{155, 0x00, 0xF7, 0xFF, 0xF7}, Case{6015, 0x5A, 0xFF, 0x00, 0x00},
                          Case{7, 0x12, 0x00, 0xFF, 0x12}}) {
        Rig rig;
        auto mem = pattern();
        mem[static_cast<std::size_t>(c.addr)] = c.old;
        rig.sim.setMemory(mem);
        ASSERT_EQ(rig.client->hook(), Bytes{0x12});
        rig.client->send({0xD1, static_cast<uint8_t>(c.addr >> 8), static_cast<uint8_t>(c.addr & 0xFF), c.mask,
                          c.value});
        rig.client->discardInput();
        EXPECT_EQ(rig.client->read(1), Bytes{0x01});
        mem[static_cast<std::size_t>(c.addr)] = c.expected;
        EXPECT_EQ(rig.sim.memory(), mem) << "address " << c.addr;
    }
}

TEST(RadioSim, MaskedWriteOutsideMemoryIsNotAnswered) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    rig.client->send({0xD1, 0x17, 0x80, 0xFF, 0x00});  // address 6016
    EXPECT_TRUE(rig.answer(1024).empty());
    EXPECT_EQ(rig.sim.memory(), pattern());
}

TEST(RadioSim, ReleaseUnhooksAndAClosedClientDoesNotHangUpTheRadio) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    rig.client->send({0x01});
    rig.client->send({0x2B, 0xC6, 0x00, 0xFF});
    EXPECT_TRUE(rig.answer(1024).empty());
    // Close the port and open it again, as the link does between operations.
    rig.reconnect();
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    EXPECT_EQ(rig.client->readBlock(3, true), blockOf(pattern(), 3));
}

TEST(RadioSim, HandshakeFaults) {
    struct Case { const char* name; SimFaults faults; Bytes expected; };
    SimFaults silent, wrong, deadFirst;
    silent.silent = true;
    wrong.handshakeReply = 0x13;
    deadFirst.deadAfterBytes = 12;  // hears ten wake-up bytes and two of the handshake
    for (const Case& c : {Case{"silent", silent, {}}, Case{"wrong reply", wrong, {0x13}},
                          Case{"dead", deadFirst, {}}}) {
        Rig rig(withFaults(c.faults));
        rig.client->sendHook();
        EXPECT_EQ(rig.answer(1), c.expected) << c.name;
        EXPECT_EQ(rig.sim.received().size(), 13u) << c.name;  // every byte is still traced
    }
}

TEST(RadioSim, DeadLinkStaysSilent) {
    SimFaults f;
    f.deadAfterBytes = 13 + 2;  // handshake, then 0xC6 and the block number
    Rig rig(withFaults(f));
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    rig.client->send({0xC6, 1, 0xFF});
    EXPECT_TRUE(rig.answer(32).empty());
    rig.client->sendHook();
    EXPECT_TRUE(rig.answer(1).empty());
}

TEST(RadioSim, MaskedWriteFaultsLeaveMemoryAloneUntilAccepted) {
    struct Case { int nak, drop; Bytes firstReplies; };
    for (const Case& c : {Case{2, 0, {0x00, 0x00}}, Case{0, 2, {}}, Case{1, 1, {0x00}}}) {
        SimFaults f;
        f.maskedNakCount = c.nak;
        f.maskedSilentCount = c.drop;
        Rig rig(withFaults(f));
        ASSERT_EQ(rig.client->hook(), Bytes{0x12});
        const Bytes frame{0xD1, 0x00, 0x80, 0xFF, 0x42};
        Bytes replies;
        for (int i = 0; i < c.nak + c.drop; ++i) {
            rig.client->send(frame);
            const Bytes r = rig.answer(1);
            replies.insert(replies.end(), r.begin(), r.end());
            EXPECT_EQ(rig.sim.memory(), pattern());
        }
        EXPECT_EQ(replies, c.firstReplies);
        rig.client->send(frame);
        EXPECT_EQ(rig.client->read(1), Bytes{0x01});
        auto mem = pattern();
        mem[0x80] = 0x42;
        EXPECT_EQ(rig.sim.memory(), mem);
    }
}

TEST(RadioSim, GarbagePrecedesEveryReply) {
    SimFaults f;
    f.garbageBeforeReplies = 3;
    Rig rig(withFaults(f));
    PtyClient& cl = *rig.client;
    EXPECT_EQ(cl.hook(), (Bytes{0xEE}));
    EXPECT_EQ(cl.read(3), (Bytes{0xEE, 0xEE, 0x12}));
    cl.send({0x2B});
    EXPECT_EQ(cl.read(4), (Bytes{0xEE, 0xEE, 0xEE, 0x2C}));
    Bytes expected(3, 0xEE);
    const Bytes block = blockOf(pattern(), 7);
    expected.insert(expected.end(), block.begin(), block.end());
    cl.send({0xC6, 7, 0xFF});
    EXPECT_EQ(cl.read(35), expected);
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

TEST(RadioSim, SilentBlockWritesAreNeitherAnsweredNorStored) {
    SimFaults f;
    f.blockWriteSilentCount = 1;
    Rig rig(withFaults(f));
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    Bytes frame{0xD4, 21};
    frame.insert(frame.end(), 32, 0x5A);
    rig.client->send(frame);
    EXPECT_TRUE(rig.answer(1024).empty());
    EXPECT_EQ(rig.sim.memory(), pattern());
    rig.client->send(frame);  // the second is taken
    EXPECT_EQ(rig.client->read(1), Bytes{0x01});
    EXPECT_EQ(rig.client->readBlock(21, true), Bytes(32, 0x5A));
}

// A radio unplugged and plugged in again: new faults apply from the next
// byte on, and their counts run from there.
TEST(RadioSim, FaultsChangedWhileServingCountFromTheChange) {
    Rig rig;
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    SimFaults unplugged;
    unplugged.silent = true;
    rig.sim.setFaults(unplugged);
    rig.client->sendHook();
    EXPECT_TRUE(rig.answer(1).empty());
    SimFaults f;
    f.deadAfterBytes = 13 + 2;  // a handshake, then 0xC6 and the block number
    rig.sim.setFaults(f);
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    rig.client->send({0xC6, 1, 0xFF});
    EXPECT_TRUE(rig.answer(32).empty());
    rig.sim.setFaults({});
    ASSERT_EQ(rig.client->hook(), Bytes{0x12});
    EXPECT_EQ(rig.client->readBlock(1, true), blockOf(pattern(), 1));
}
