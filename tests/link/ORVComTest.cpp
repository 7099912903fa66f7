// ORVCom against the simulated radio's state machine on a virtual clock: the
// exact bytes of every operation, what reaches the radio's memory and the
// image, the waits and pauses, and the behaviour on silence, refusals, a
// dying link and Cancel. (The same over a real pseudo-terminal:
// LinkOverPtyTest.cpp.)
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <unistd.h>
#include "LinkFixture.h"

namespace orv::test {
namespace {

constexpr uint16_t kFast = 0x2C00;

SimOptions withVersion(uint16_t v) {
    SimOptions o;
    o.version = v;
    return o;
}

// ------------------------------------------------------------------ reads

struct ReadCase {
    const char* name;
    uint16_t version;
    bool refuseSpeed;
    int op;  // 0 all, 1..15 group, -1 globals
    int first, last;
    bool fast;
    int baudOfBlocks;
    const char* message;
};

class ReadOps : public LinkTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadOps, SendExactBytesAndTakeTheRangeIntoTheImage) {
    const ReadCase& c = GetParam();
    SimOptions o = withVersion(c.version);
    o.faults.refuseSpeedChange = c.refuseSpeed;
    startSim(o);
    const auto radio = randomMemory(7);
    sim->setMemory(radio);
    fillImage(img, 99);
    const MemoryImage before = img;

    bool ok = c.op == 0 ? com.readMemory() : c.op > 0 ? com.readGroup(c.op) : com.readGlobal();
    ASSERT_TRUE(ok);
    EXPECT_TRUE(host.boxes.empty());

    // The speed request is sent to a fast radio also when it refuses it.
    Bytes expected = hookBytes(c.version >= 0x2AAA && c.version < 0x8000);
    for (int b = c.first; b <= c.last; ++b) append(expected, readBlockBytes(b, c.fast));
    expected.push_back(0x01);
    Bytes got = received();
    EXPECT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < std::min(got.size(), expected.size()); ++i)
        ASSERT_EQ(got[i], expected[i]) << "byte " << i;
    EXPECT_EQ(com.isFastRadio(), c.fast);

    for (int a = 0; a < MemoryImage::kSize; ++a) {
        bool inRange = a >= c.first * 32 && a < (c.last + 1) * 32;
        ASSERT_EQ(img[a], inRange ? radio[static_cast<std::size_t>(a)] : before[a]) << "address " << a;
    }

    // Hook at 4800; the blocks at the speed the radio agreed to.
    auto trace = sim->trace();
    auto firstC6 = std::find_if(trace.begin(), trace.end(), [](const SimTraceEntry& e) {
        return e.dir == SimTraceEntry::In && e.value == 0xC6;
    });
    ASSERT_NE(firstC6, trace.end());
    EXPECT_EQ(firstC6->baud, c.baudOfBlocks);
    EXPECT_EQ(trace.front().baud, 4800);

    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(host.shownMessages, std::vector<std::string>{c.message});
    EXPECT_EQ(host.peakValue, (c.last - c.first + 1) * 32);
    EXPECT_EQ(host.progValue(), 0);
    EXPECT_FALSE(host.loaded);
    EXPECT_FALSE(port.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Link, ReadOps,
    ::testing::Values(
        ReadCase{"AllFast", kFast, false, 0, 0, 187, true, 9600, "Reading ORV Memory"},
        ReadCase{"Group1Fast", kFast, false, 1, 8, 19, true, 9600, "Reading ORV Group"},
        ReadCase{"Group15Slow", 0x2AA9, false, 15, 176, 187, false, 4800, "Reading ORV Group"},
        ReadCase{"GlobalsLowestFastVersion", 0x2AAA, false, -1, 0, 7, true, 9600, "Reading ORV Global"},
        ReadCase{"GlobalsNegativeVersionIsSlow", 0x8000, false, -1, 0, 7, false, 4800, "Reading ORV Global"},
        ReadCase{"SpeedChangeRefusedStaysAt4800", kFast, true, -1, 0, 7, true, 4800, "Reading ORV Global"}),
    [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------------ writes

struct WriteCase {
    const char* name;
    int op;  // 0 writeMemory with page 0, 1 writeMemory skipping it, 2 writeGlobal, 3 writeGroup(3)
    int max;
    const char* message;
    int maskedWrites, blockWrites;  // frames on the wire: 30 page-0 bytes, a flag byte per group
};

class WriteOps : public LinkTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteOps, SendExactBytesAndChangeOnlyTheWritableBits) {
    const WriteCase& c = GetParam();
    startSim(withVersion(kFast));
    const auto radio = randomMemory(3);
    sim->setMemory(radio);
    fillImage(img, 11);

    bool ok = c.op == 0 ? com.writeMemory(false)
            : c.op == 1 ? com.writeMemory(true)
            : c.op == 2 ? com.writeGlobal()
                        : com.writeGroup(3);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(host.boxes.empty());

    Bytes expected = writePrologue();
    if (c.op == 0 || c.op == 2) append(expected, page0Bytes(img, com.writeMask()));
    int first = c.op == 3 ? 32 : 8, last = c.op == 3 ? 43 : 187;
    if (c.op != 2)
        for (int b = first; b <= last; ++b) append(expected, writeBlockBytes(img, b));
    expected.push_back(0x01);
    const Bytes r = received();
    EXPECT_EQ(r, expected);
    int masked = 0, blocks = 0;
    for (std::size_t i = writePrologue().size(); i < r.size();) {
        if (r[i] == 0xD1) { ++masked; i += 5; }
        else if (r[i] == 0xD4) { ++blocks; i += 34; }
        else ++i;
    }
    EXPECT_EQ(masked, c.maskedWrites);
    EXPECT_EQ(blocks, c.blockWrites);

    // What the radio holds now.
    auto expectMem = radio;
    if (c.op == 0 || c.op == 2)
        for (int a = 0; a < 256; ++a) {
            int m = com.writeMask()[static_cast<std::size_t>(a)];
            auto& v = expectMem[static_cast<std::size_t>(a)];
            v = static_cast<uint8_t>((v & ~m) | (img[a] & m));
        }
    if (c.op != 2)
        for (int b = first; b <= last; ++b)
            for (int i = 0; i < 32; ++i) {
                auto& v = expectMem[static_cast<std::size_t>(b * 32 + i)];
                if (!memmap::isGroupFirstBlock(b)) v = img[b * 32 + i];
                else if (i == 0) v = static_cast<uint8_t>((v & ~0x20) | (img[b * 32] & 0x20));
            }
    EXPECT_EQ(sim->memory(), expectMem);

    for (const auto& e : sim->trace()) ASSERT_EQ(e.baud, 4800);
    EXPECT_EQ(host.beeps, 1);
    EXPECT_EQ(host.shownMessages, std::vector<std::string>{c.message});
    EXPECT_EQ(host.peakValue, c.op == 0 ? 6015 : c.op == 2 ? 255 : c.max);
    EXPECT_EQ(host.progMax(), c.max);
    EXPECT_FALSE(host.loaded);
}

INSTANTIATE_TEST_SUITE_P(Link, WriteOps,
                         ::testing::Values(WriteCase{"AllWithPage0", 0, 6016, "Writing ORV Memory", 30 + 15, 165},
                                           WriteCase{"AllSkippingPage0", 1, 5760, "Writing ORV Memory", 15, 165},
                                           WriteCase{"Global", 2, 256, "Writing ORV Global", 30, 0},
                                           WriteCase{"Group3", 3, 384, "Writing ORV Group", 1, 11}),
                         [](const auto& info) { return std::string(info.param.name); });

// ------------------------------------------------------------------ handshake faults

TEST_F(LinkTest, WrongHandshakeReplyAsksAtOnceWithoutFurtherAttempts) {
    SimOptions o;
    o.faults.handshakeReply = 0x13;
    startSim(o);
    fillImage(img, 1);
    const MemoryImage before = img;
    EXPECT_FALSE(com.readMemory());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, advised("Error Hooking to Radio.", LinkFailure::NoAnswer, false));
    EXPECT_EQ(host.boxes[0].title, "COMM ERROR");
    EXPECT_EQ(host.boxes[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(received(), hookAttempt());
    EXPECT_EQ(host.shows, 0);
    EXPECT_TRUE(img == before);
    EXPECT_FALSE(com.port().isOpen()) << "Cancel lets the port go";
}

TEST_F(LinkTest, SilentRadioGetsFourAttemptsPerSeriesAndRetryStartsAnotherSeries) {
    SimOptions o;
    o.faults.silent = true;
    startSim(o);
    setByteTimeout(kSilent);
    host.answers = {MsgAnswer::Retry, MsgAnswer::Cancel};
    const double start = host.now();
    EXPECT_FALSE(com.readGlobal());
    Bytes expected;
    for (int i = 0; i < 8; ++i) append(expected, hookAttempt());
    EXPECT_EQ(received(), expected);
    EXPECT_EQ(host.titles(), (std::vector<std::string>{"COMM ERROR", "COMM ERROR"}));
    // Every attempt waited out the whole time-out: four per series.
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_GE(host.boxes[0].at - start, 4 * kSilent);
    EXPECT_GE(host.boxes[1].at - host.boxes[0].at, 4 * kSilent);
}

// A silent radio's hook gives up after four time-outs of the timing in
// force: the radio's own without one, the one given at construction, and a
// new one at once.
TEST_F(LinkTest, TheHookWaitsAsLongAsTheTimingInForceSays) {
    struct Case { const char* name; std::function<std::unique_ptr<ORVCom>()> make; double byteTimeout; };
    const Case cases[] = {
        {"without a timing", [&] { return std::make_unique<ORVCom>(img, port, host); }, 0.5},
        {"given at construction", [&] { return std::make_unique<ORVCom>(img, port, host, LinkTiming::shortened()); },
         0.1},
        {"set afterwards", [&] {
             auto c = std::make_unique<ORVCom>(img, port, host);
             c->setTiming(LinkTiming{0.05, 1, 0});
             return c;
         }, 0.05},
    };
    SimOptions o;
    o.faults.silent = true;
    startSim(o);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host.boxes.clear();
        const std::unique_ptr<ORVCom> link = c.make();
        const double start = host.now();
        EXPECT_FALSE(link->readGlobal());
        ASSERT_EQ(host.boxes.size(), 1u);
        // Each attempt overshoots its time-out by at most one wait step.
        EXPECT_GE(host.boxes[0].at - start, 4 * c.byteTimeout);
        EXPECT_LE(host.boxes[0].at - start, 4 * (c.byteTimeout + 0.011));
    }
}

// The pauses the link makes are the ones its timing names: the settle pause
// before a read's blocks and before a write's hook, and the pace of a slow
// radio's byte-clocked block read.
TEST_F(LinkTest, PausesAreTheInjectedOnes) {
    startSim(withVersion(0x2000));  // a slow radio: byte-clocked block reads
    com.setTiming(LinkTiming{kAnswered, 7, 1});
    com.initComm();
    ASSERT_TRUE(com.readGlobal());
    std::vector<int> expected{7};
    expected.insert(expected.end(), 8 * 31, 1);
    EXPECT_EQ(host.pauses, expected);

    host.pauses.clear();
    ASSERT_TRUE(com.writeGroup(1));
    EXPECT_EQ(host.pauses, std::vector<int>{7});
}

// ------------------------------------------------------------------ masked writes

// Refusals are repeated without limit; up to three time-outs are survived.
struct MaskedFaultCase {
    const char* name;
    int naks, silent;
};

class MaskedFaults : public LinkTest, public ::testing::WithParamInterface<MaskedFaultCase> {};

TEST_P(MaskedFaults, RepeatTheByteUntilItIsAcceptedWithoutAMessage) {
    const MaskedFaultCase& c = GetParam();
    SimOptions o;
    o.faults.maskedNakCount = c.naks;
    o.faults.maskedSilentCount = c.silent;
    startSim(o);
    setByteTimeout(kSilent);
    fillImage(img, 2);
    ASSERT_TRUE(com.writeGlobal());
    Bytes expected = writePrologue();
    for (int i = 0; i < c.naks + c.silent; ++i) append(expected, maskedBytes(6, 0x04, img[6]));
    append(expected, page0Bytes(img, com.writeMask()));
    expected.push_back(0x01);
    EXPECT_EQ(received(), expected);
    EXPECT_TRUE(host.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Link, MaskedFaults,
                         ::testing::Values(MaskedFaultCase{"FiveRefusals", 5, 0},
                                           MaskedFaultCase{"ThreeTimeOuts", 0, 3},
                                           MaskedFaultCase{"ThreeTimeOutsThenFourRefusals", 4, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LinkTest, FlagByteFailingFourTimesOffersRetryWhichStartsAgainFromTheRelease) {
    SimOptions o;
    o.faults.maskedSilentCount = 4;
    startSim(o);
    setByteTimeout(kSilent);
    fillImage(img, 4);
    host.answers = {MsgAnswer::Retry};
    ASSERT_TRUE(com.writeGroup(2));

    Bytes expected = writePrologue();
    for (int i = 0; i < 4; ++i) append(expected, maskedBytes(20 * 32, 0x20, img[20 * 32]));
    append(expected, writePrologue());
    for (int b = 20; b <= 31; ++b) append(expected, writeBlockBytes(img, b));
    expected.push_back(0x01);
    EXPECT_EQ(received(), expected);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              advised("Download Failed. Cycle Radio Power before Retrying.", LinkFailure::WriteFailed, true));
    EXPECT_EQ(host.boxes[0].title, "DOWNLOAD ERROR");
    EXPECT_EQ(host.boxes[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(host.peakValue, 384);  // the count restarted with the attempt
}

// The cable is pulled during a write and, while the failure's Retry/Cancel
// is up, plugged in again (or not): Retry opens the device afresh without a
// box of the old handle's failure; a device still away is told once, with
// what to do.
TEST_F(LinkTest, RetryAfterTheCableWasPluggedInAgainOpensTheDeviceQuietly) {
    struct Case { const char* name; bool back; bool written; };
    const Case cases[] = {{"plugged in again", true, true}, {"still away", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions o;
        o.faults.maskedSilentCount = 4;
        startSim(o);
        setByteTimeout(kSilent);
        fillImage(img, 4);
        host.boxes.clear();
        host.answers = {MsgAnswer::Retry};
        host.onBox = [&](const Box& b) {
            if (b.title == "DOWNLOAD ERROR") port.replug(c.back);
        };
        EXPECT_EQ(com.writeGroup(2), c.written);
        std::vector<std::string> expected{
            advised("Download Failed. Cycle Radio Power before Retrying.", LinkFailure::WriteFailed, true)};
        if (!c.back) expected.push_back(advised("/dev/simulated: No such file or directory", LinkFailure::PortOpen, true));
        std::vector<std::string> texts;
        for (const Box& b : host.boxes) texts.push_back(b.title + ": " + b.text);
        for (std::string& e : expected) e = (&e == &expected.front() ? "DOWNLOAD ERROR: " : "COMM ERROR: ") + e;
        EXPECT_EQ(texts, expected);
        if (c.back)
            for (int a = 21 * 32; a < 32 * 32; ++a) ASSERT_EQ(sim->memory()[static_cast<std::size_t>(a)], img[a]) << a;
        host.onBox = nullptr;
        port.replug(true);
        com.closePort();
    }
}

TEST_F(LinkTest, Page0FailureCancelledEndsTheWriteWithFalse) {
    SimOptions o;
    o.faults.maskedSilentCount = 4;
    startSim(o);
    setByteTimeout(kSilent);
    EXPECT_FALSE(com.writeMemory(false));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text,
              advised("Download Failed.  Cycle Radio power before Retrying", LinkFailure::WriteFailed, true));
    EXPECT_EQ(host.boxes[0].title, "DOWNLOAD ERROR");
    Bytes expected = writePrologue();
    for (int i = 0; i < 4; ++i) append(expected, maskedBytes(6, 0x04, img[6]));
    expected.push_back(0x01);
    EXPECT_EQ(received(), expected);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(LinkTest, CancelInsideAMaskedWriteThenRetryShowsTheDialogAgain) {
    SimOptions o;
    o.faults.maskedSilentCount = 1;
    startSim(o);
    fillImage(img, 8);
    bool pressed = false;
    const std::size_t prologue = writePrologue().size();
    host.onCancelPoll = [&](FakeHost& h) {
        if (!pressed && sim->received().size() >= prologue + 5) {
            pressed = true;
            h.cancelled = true;
        }
    };
    host.answers = {MsgAnswer::Retry};
    EXPECT_TRUE(com.writeMemory(false));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].title, "DOWNLOAD ERROR");
    EXPECT_EQ(host.shows, 2);
    EXPECT_EQ(host.shownMessages, (std::vector<std::string>{"Writing ORV Memory", "Writing ORV Memory"}));
    EXPECT_EQ(host.progMax(), 6016);
    EXPECT_FALSE(host.loaded);
}

// ------------------------------------------------------------------ dying link, cancel

TEST_F(LinkTest, LinkDyingMidReadLeavesTheImageUnchanged) {
    SimOptions o = withVersion(kFast);
    o.faults.deadAfterBytes = static_cast<long>(hookBytes(true).size() + 3 * 10 + 1);
    startSim(o);
    setByteTimeout(kSilent);
    sim->setMemory(randomMemory(5));
    fillImage(img, 6);
    const MemoryImage before = img;
    EXPECT_FALSE(com.readMemory());
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].text, advised("Error reading radio", LinkFailure::ReadStopped, false));
    EXPECT_EQ(host.boxes[0].title, "ORV Read");
    EXPECT_EQ(host.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(img == before);
    EXPECT_EQ(received().back(), 0x01);
    EXPECT_FALSE(host.loaded);
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(LinkTest, LinkDyingMidWriteReportsAndOffersRetry) {
    SimOptions o;
    o.faults.deadAfterBytes = static_cast<long>(writePrologue().size() + 5 + 10);
    startSim(o);
    setByteTimeout(kSilent);
    fillImage(img, 6);
    EXPECT_FALSE(com.writeMemory(true));
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[0].text, advised("Error writing radio", LinkFailure::WriteFailed, true));
    EXPECT_EQ(host.boxes[0].title, "ORV Write");
    EXPECT_EQ(host.boxes[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(host.boxes[1].text,
              advised("Download Failed. Cycle Radio Power before Retrying.", LinkFailure::WriteFailed, true));
    EXPECT_EQ(host.beeps, 1);
    EXPECT_FALSE(host.loaded);
}

TEST_F(LinkTest, CancelDuringAReadStopsAfterTheNextBlockAndKeepsTheImage) {
    startSim(withVersion(kFast));
    sim->setMemory(randomMemory(9));
    fillImage(img, 10);
    const MemoryImage before = img;
    host.cancelAtValue = 32 * 10 + 5;  // pressed while block 10 arrives
    EXPECT_FALSE(com.readMemory());
    EXPECT_EQ(received(), readOpBytes(0, 11, true));
    EXPECT_TRUE(img == before);
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.beeps, 0);
}

TEST_F(LinkTest, CancelDuringAWriteStopsAfterTheCurrentBlockAndSucceeds) {
    startSim();
    fillImage(img, 12);
    host.cancelAtValue = 150;  // reached when block 12 is sent
    EXPECT_TRUE(com.writeMemory(true));
    Bytes expected = writePrologue();
    for (int b = 8; b <= 12; ++b) append(expected, writeBlockBytes(img, b));
    expected.push_back(0x01);
    EXPECT_EQ(received(), expected);
    EXPECT_EQ(host.beeps, 1);
}

// ------------------------------------------------------------------ ports that cannot be opened

struct BadPortCase {
    const char* name;
    int kind;  // 0 missing, 1 directory, 2 regular file, 3 file without permission
    const char* reason;
};

// The machine's own port class: its open errors are what the box shows.
class BadPort : public ::testing::TestWithParam<BadPortCase> {
protected:
    BadPort() { host.clock = &clock; }
    VirtualClock clock;   // the write's pause before its hook passes at once
    MemoryImage img;
    PosixSerialPort port;
    FakeHost host;
    ORVCom com{img, port, host};
};

TEST_P(BadPort, EndsTheOperationWithACommErrorAndFalse) {
    const BadPortCase& c = GetParam();
    if (c.kind == 3 && ::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    std::string dir = ::testing::TempDir() + "orv-badport-" + std::to_string(::getpid());
    std::filesystem::create_directories(dir);
    std::string dev = dir + "/ttyX";
    if (c.kind == 0) dev = dir + "/missing/ttyUSB9";
    if (c.kind == 1) dev = dir;
    if (c.kind >= 2) {
        std::ofstream(dev) << "x";
        if (c.kind == 3) std::filesystem::permissions(dev, std::filesystem::perms::none);
    }
    port.setDevice(dev);
    for (int op = 0; op < 2; ++op) {
        host.boxes.clear();
        EXPECT_FALSE(op == 0 ? com.readMemory() : com.writeMemory(false));
        ASSERT_EQ(host.boxes.size(), 1u) << "one message per failed operation";
        EXPECT_EQ(host.boxes[0].title, "COMM ERROR");
        EXPECT_EQ(host.boxes[0].icon, MsgIcon::Exclamation);
        EXPECT_NE(host.boxes[0].text.find(dev), std::string::npos) << host.boxes[0].text;
        EXPECT_NE(host.boxes[0].text.find(c.reason), std::string::npos) << host.boxes[0].text;
    }
    EXPECT_FALSE(host.loaded);
    std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Link, BadPort,
                         ::testing::Values(BadPortCase{"Missing", 0, "no such device"},
                                           BadPortCase{"Directory", 1, "directory"},
                                           BadPortCase{"RegularFile", 2, "not a serial port"},
                                           BadPortCase{"NoPermission", 3, "add yourself to group"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
// A radio that refuses a masked write for ever: the write gives up after
// the refusal limit instead of holding the program (no Cancel is offered
// during the alignment tool's writes).
TEST_F(LinkTest, MaskedWriteGivesUpAfterTheRefusalLimit) {
    SimOptions o;
    o.faults.maskedNakCount = 1000000;
    startSim(o);
    com.setMaskedRefusalLimit(7);
    ASSERT_TRUE(com.hookRadio());
    EXPECT_FALSE(com.writeMaskedByte(0, 6, 0x04, 0x04));
    Bytes expected = hookBytes(false);
    for (int i = 0; i < 8; ++i) append(expected, maskedBytes(6, 0x04, 0x04));
    EXPECT_EQ(received(), expected);
}

}  // namespace orv::test
