// The simulated radio's state machine on its own, bytes and times in, replies
// and their times out: every exchange, the faults, the trace and the timing
// model (think time, the masked write's hold-back, pacing at the line rate).
#include <gtest/gtest.h>

#include <numeric>

#include "sim/SimRadioCore.h"

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

// The radio and a client's clock: bytes are fed at `t`, and every reply is
// taken when it is due (the clock follows).
struct Rig {
    explicit Rig(SimOptions o = {}) : radio(o) { radio.setMemory(pattern()); }
    Bytes send(const Bytes& bytes) {
        for (uint8_t b : bytes) radio.feed(b, t);
        Bytes out;
        while (radio.hasReply()) {
            t = std::max(t, radio.nextDue());
            out.push_back(radio.takeReply(t));
        }
        return out;
    }
    Bytes hook() {
        send(Bytes(10, 0x00));
        return send({0x0A, 0x14, 0x28});
    }
    Bytes readBlock(int b, bool fastForm) {
        Bytes r = send({0xC6, static_cast<uint8_t>(b)});
        const Bytes rest = send(fastForm ? Bytes{0xFF} : Bytes(31, 0x00));
        r.insert(r.end(), rest.begin(), rest.end());
        return r;
    }
    SimRadioCore radio;
    double t = 0;
};

SimOptions withFaults(SimFaults f) {
    SimOptions o;
    o.faults = f;
    return o;
}

}  // namespace

TEST(SimRadioCore, HandshakeAndVersionProbe) {
    struct Case { uint16_t version; Bytes expected; };
    for (const Case& c : {Case{0x2C00, {0x2C, 0x00, 0x00, 0x00}}, Case{0x2AA9, {0x2A, 0xA9, 0x00, 0x00}},
                          Case{0x8123, {0x81, 0x23, 0x00, 0x00}}}) {
        SimOptions o;
        o.version = c.version;
        Rig rig(o);
        EXPECT_TRUE(rig.send({0x2B}).empty()) << "not hooked yet: a version probe is ignored";
        EXPECT_EQ(rig.hook(), Bytes{0x12});
        Bytes version = rig.send({0x2B});
        for (int i = 1; i < 4; ++i) {
            const Bytes b = rig.send({0x00});
            version.insert(version.end(), b.begin(), b.end());
        }
        EXPECT_EQ(version, c.expected) << std::hex << c.version;
        EXPECT_TRUE(rig.send({0x00}).empty()) << "a fourth 0x00 asks for nothing more";
    }
}

TEST(SimRadioCore, SpeedChangeIsAnsweredUnlessRefusedOrUnknown) {
    for (bool refuse : {false, true}) {
        SimFaults f;
        f.refuseSpeedChange = refuse;
        Rig rig(withFaults(f));
        ASSERT_EQ(rig.hook(), Bytes{0x12});
        EXPECT_EQ(rig.send({0x05, 0x01}), Bytes{static_cast<uint8_t>(refuse ? 0x00 : 0x01)});
        EXPECT_EQ(rig.send({0x05, 0x04}), Bytes{0x00}) << "there are four speeds";
    }
}

TEST(SimRadioCore, BlockReadFastAndByteClockedForms) {
    struct Case { uint16_t version; bool fastForm; int block; };
    for (const Case& c : {Case{0x2C00, true, 0}, Case{0x2C00, false, 187}, Case{0x2000, false, 5},
                          Case{0x2000, false, 0}, Case{0x2C00, true, 100}}) {
        SimOptions o;
        o.version = c.version;
        Rig rig(o);
        ASSERT_EQ(rig.hook(), Bytes{0x12});
        EXPECT_EQ(rig.readBlock(c.block, c.fastForm), blockOf(pattern(), c.block))
            << "block " << c.block << " fast form " << c.fastForm;
    }
}

TEST(SimRadioCore, ByteClockedReadAnswersOneBytePerClock) {
    Rig rig;
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_EQ(rig.send({0xC6, 0x09}), Bytes{pattern()[32 * 9]});  // only the first byte without a clock
    EXPECT_EQ(rig.send({0x00, 0x00}), (Bytes{pattern()[32 * 9 + 1], pattern()[32 * 9 + 2]}));
}

TEST(SimRadioCore, ASlowRadioAnswersTheRequestForTheRestWithOneByte) {
    SimOptions o;
    o.version = 0x2AA9;
    Rig rig(o);
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_EQ(rig.send({0xC6, 3, 0xFF}), (Bytes{pattern()[32 * 3], pattern()[32 * 3 + 1]}));
}

TEST(SimRadioCore, RequestsOutsideTheMemoryAreNotAnsweredAndTheRadioCarriesOn) {
    Rig rig;
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_TRUE(rig.send({0xC6, 188, 0xFF}).empty());
    EXPECT_EQ(rig.readBlock(2, true), blockOf(pattern(), 2));
    EXPECT_TRUE(rig.send({0xD1, 0x17, 0x80, 0xFF, 0x00}).empty());  // address 6016
    Bytes frame{0xD4, 200};
    frame.insert(frame.end(), 32, 0x77);
    EXPECT_TRUE(rig.send(frame).empty());
    EXPECT_EQ(rig.radio.memory(), pattern());
    EXPECT_EQ(rig.readBlock(2, true), blockOf(pattern(), 2));
}

TEST(SimRadioCore, BlockWriteChangesExactlyThatBlock) {
    Rig rig;
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    Bytes frame{0xD4, 21};
    Bytes data(32);
    std::iota(data.begin(), data.end(), uint8_t{0xA0});
    frame.insert(frame.end(), data.begin(), data.end());
    EXPECT_EQ(rig.send(frame), Bytes{0x01});
    auto expected = pattern();
    std::copy(data.begin(), data.end(), expected.begin() + 32 * 21);
    EXPECT_EQ(rig.radio.memory(), expected);
    EXPECT_EQ(rig.readBlock(21, true), data);
}

TEST(SimRadioCore, MaskedWriteChangesOnlyTheMaskedBits) {
    struct Case { int addr; uint8_t old, mask, value, expected; };
    for (const Case& c : {Case{6, 0xFF, 0x30, 0x20, 0xEF}, Case{0x100, 0x80, 0xCF, 0x0F, 0x0F},
                          Case{155, 0x00, 0xF7, 0xFF, 0xF7}, Case{6015, 0x5A, 0xFF, 0x00, 0x00},
                          Case{7, 0x12, 0x00, 0xFF, 0x12}}) {
        Rig rig;
        auto mem = pattern();
        mem[static_cast<std::size_t>(c.addr)] = c.old;
        rig.radio.setMemory(mem);
        ASSERT_EQ(rig.hook(), Bytes{0x12});
        EXPECT_EQ(rig.send({0xD1, static_cast<uint8_t>(c.addr >> 8), static_cast<uint8_t>(c.addr & 0xFF), c.mask,
                            c.value}),
                  Bytes{0x01});
        mem[static_cast<std::size_t>(c.addr)] = c.expected;
        EXPECT_EQ(rig.radio.memory(), mem) << "address " << c.addr;
    }
}

TEST(SimRadioCore, ReleaseUnhooks) {
    Rig rig;
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_TRUE(rig.send({0x01, 0x2B, 0xC6, 0x00, 0xFF}).empty());
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_EQ(rig.readBlock(3, true), blockOf(pattern(), 3));
}

TEST(SimRadioCore, HandshakeFaults) {
    struct Case { const char* name; SimFaults faults; Bytes expected; };
    SimFaults silent, wrong, deadFirst;
    silent.silent = true;
    wrong.handshakeReply = 0x13;
    deadFirst.deadAfterBytes = 12;  // hears ten wake-up bytes and two of the handshake
    for (const Case& c : {Case{"silent", silent, {}}, Case{"wrong reply", wrong, {0x13}},
                          Case{"dead", deadFirst, {}}}) {
        Rig rig(withFaults(c.faults));
        EXPECT_EQ(rig.hook(), c.expected) << c.name;
        EXPECT_EQ(rig.radio.received().size(), 13u) << c.name << ": every byte is still traced";
        EXPECT_EQ(rig.radio.receivedCount(), 13) << c.name;
    }
}

TEST(SimRadioCore, ADeadLinkDropsTheReplyUnderWayAndStaysSilent) {
    SimFaults f;
    f.deadAfterBytes = 13 + 2;  // the handshake, then 0xC6 and the block number
    Rig rig(withFaults(f));
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_TRUE(rig.send({0xC6, 1, 0xFF}).empty());
    EXPECT_TRUE(rig.hook().empty());
}

TEST(SimRadioCore, MaskedWriteFaultsLeaveMemoryAloneUntilAccepted) {
    struct Case { int nak, drop; Bytes firstReplies; };
    for (const Case& c : {Case{2, 0, {0x00, 0x00}}, Case{0, 2, {}}, Case{1, 1, {0x00}}}) {
        SimFaults f;
        f.maskedNakCount = c.nak;
        f.maskedSilentCount = c.drop;
        Rig rig(withFaults(f));
        ASSERT_EQ(rig.hook(), Bytes{0x12});
        const Bytes frame{0xD1, 0x00, 0x80, 0xFF, 0x42};
        Bytes replies;
        for (int i = 0; i < c.nak + c.drop; ++i) {
            const Bytes r = rig.send(frame);
            replies.insert(replies.end(), r.begin(), r.end());
            EXPECT_EQ(rig.radio.memory(), pattern());
        }
        EXPECT_EQ(replies, c.firstReplies);
        EXPECT_EQ(rig.send(frame), Bytes{0x01});
        auto mem = pattern();
        mem[0x80] = 0x42;
        EXPECT_EQ(rig.radio.memory(), mem);
    }
}

TEST(SimRadioCore, SilentBlockWritesAreNeitherAnsweredNorStored) {
    SimFaults f;
    f.blockWriteSilentCount = 1;
    Rig rig(withFaults(f));
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    Bytes frame{0xD4, 21};
    frame.insert(frame.end(), 32, 0x5A);
    EXPECT_TRUE(rig.send(frame).empty());
    EXPECT_EQ(rig.radio.memory(), pattern());
    EXPECT_EQ(rig.send(frame), Bytes{0x01}) << "the second is taken";
    EXPECT_EQ(rig.readBlock(21, true), Bytes(32, 0x5A));
}

TEST(SimRadioCore, GarbagePrecedesEveryReplyButNotTheRestOfABlock) {
    SimFaults f;
    f.garbageBeforeReplies = 3;
    Rig rig(withFaults(f));
    EXPECT_EQ(rig.hook(), (Bytes{0xEE, 0xEE, 0xEE, 0x12}));
    EXPECT_EQ(rig.send({0x2B}), (Bytes{0xEE, 0xEE, 0xEE, 0x2C}));
    Bytes expected(3, 0xEE);
    const Bytes block = blockOf(pattern(), 7);
    expected.insert(expected.end(), block.begin(), block.end());
    EXPECT_EQ(rig.readBlock(7, true), expected);
}

// A radio unplugged and plugged in again: new faults apply from the next
// byte on, the radio starts afresh, and the counts run from there.
TEST(SimRadioCore, NewFaultsCountFromTheNextByteAndTheRadioStartsAfresh) {
    Rig rig;
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    SimFaults unplugged;
    unplugged.silent = true;
    rig.radio.setFaults(unplugged);
    EXPECT_TRUE(rig.hook().empty());
    SimFaults f;
    f.deadAfterBytes = 13 + 2;
    rig.radio.setFaults(f);
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_TRUE(rig.send({0xC6, 1, 0xFF}).empty());
    rig.radio.setFaults({});
    EXPECT_TRUE(rig.send({0x2B}).empty()) << "not hooked after the change";
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    EXPECT_EQ(rig.readBlock(1, true), blockOf(pattern(), 1));
}

TEST(SimRadioCore, TracesEveryByteAtTheLineSpeedOfItsMoment) {
    Rig rig;
    ASSERT_EQ(rig.hook(), Bytes{0x12});
    ASSERT_EQ(rig.send({0x05, 0x01}), Bytes{0x01});
    rig.radio.setLineSpeed(9600);
    rig.t = 1.5;
    ASSERT_EQ(rig.readBlock(4, true), blockOf(pattern(), 4));
    const auto& trace = rig.radio.trace();
    ASSERT_EQ(trace.size(), 13u + 1 + 2 + 1 + 3 + 32);
    EXPECT_EQ(trace[12].baud, 4800);
    EXPECT_EQ(trace[13].dir, SimTraceEntry::Out);
    EXPECT_EQ(trace[16].dir, SimTraceEntry::Out);
    EXPECT_EQ(trace[16].baud, 4800) << "the speed change's answer goes out at the old speed";
    EXPECT_EQ(trace[17].baud, 9600);
    EXPECT_EQ(trace[17].t, 1.5);
    EXPECT_EQ(rig.radio.received(), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0A, 0x14, 0x28, 0x05, 0x01, 0xC6, 4, 0xFF}));
    rig.radio.clearTrace();
    EXPECT_TRUE(rig.radio.trace().empty());
    EXPECT_EQ(rig.radio.receivedCount(), 18) << "the count is not cleared with the trace";

    SimOptions untraced;
    untraced.keepTrace = false;
    Rig quiet(untraced);
    ASSERT_EQ(quiet.hook(), Bytes{0x12});
    EXPECT_TRUE(quiet.radio.trace().empty());
    EXPECT_EQ(quiet.radio.receivedCount(), 13);
}

// When each reply byte is due: at once, after the think time, a masked
// write's answer after its frame could have crossed the line, and paced at
// the line rate one character time (10 bits) after the other.
TEST(SimRadioCore, RepliesAreDueAsTheTimingModelSays) {
    constexpr double kChar = 10.0 / 4800;
    struct Case {
        const char* name;
        bool realtime;
        double thinkMs;
        Bytes request;
        std::vector<double> due;  // seconds after the last request byte was fed at t = 1
    };
    const Bytes masked{0xD1, 0x00, 0x80, 0xFF, 0x42};
    const Case cases[] = {
        {"at once", false, 0, {0x2B}, {0}},
        {"think time", false, 2, {0x2B}, {0.002}},
        {"masked write held back", false, 0, masked, {5 * kChar}},
        {"block at once", false, 0, {0xC6, 1, 0xFF}, std::vector<double>(31, 0)},
        // Paced: the request's three bytes arrive one character apart after
        // the first, then 31 bytes follow each other by one character.
        {"paced block", true, 0, {0xC6, 1, 0xFF}, [] {
             std::vector<double> d;
             for (int i = 1; i <= 31; ++i) d.push_back(2 * kChar + i * kChar);
             return d;
         }()},
        {"paced masked write", true, 0, masked, {5 * kChar}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions o;
        o.realtime = c.realtime;
        o.thinkTimeMs = c.thinkMs;
        Rig rig(o);
        ASSERT_EQ(rig.hook().size(), 1u);
        rig.t = 1;
        for (std::size_t i = 0; i + 1 < c.request.size(); ++i) rig.radio.feed(c.request[i], 1);
        if (c.request.front() == 0xC6) {
            ASSERT_TRUE(rig.radio.hasReply());
            rig.radio.takeReply(rig.radio.nextDue());  // the block's first byte answers its number
        }
        rig.radio.feed(c.request.back(), 1);
        std::vector<double> due;
        while (rig.radio.hasReply()) {
            const double at = rig.radio.nextDue();
            due.push_back(at - 1);
            rig.radio.takeReply(at);
        }
        ASSERT_EQ(due.size(), c.due.size());
        for (std::size_t i = 0; i < due.size(); ++i) EXPECT_NEAR(due[i], c.due[i], 1e-9) << "byte " << i;
    }
}
