// The alignment tool's exchanges against the simulated radio (in process,
// on a virtual clock): the exact bytes on the wire and the progress of a start
// and a restore, what the radio holds after each, the tuning and calculator
// writes, and the ways a restore can fail. (The failures of the start, with
// the messages of the Tune command, are tested with the windows.)
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "LinkFixture.h"
#include "align/ORVCore.h"

using namespace orv;
using namespace orv::test;

namespace {

using Memory = std::array<uint8_t, 6016>;

// Group 1's channels while the tool runs: A B C A B C A B C A B C D E blank blank.
Memory withTestChannels(Memory m) {
    const std::array<uint8_t, 8>* rec[16] = {
        &ORVCore::kRecordA, &ORVCore::kRecordB, &ORVCore::kRecordC, &ORVCore::kRecordA,
        &ORVCore::kRecordB, &ORVCore::kRecordC, &ORVCore::kRecordA, &ORVCore::kRecordB,
        &ORVCore::kRecordC, &ORVCore::kRecordA, &ORVCore::kRecordB, &ORVCore::kRecordC,
        &ORVCore::kRecordD, &ORVCore::kRecordE, nullptr, nullptr};
    for (int ch = 0; ch < 16; ++ch) {
        const auto at = m.begin() + 0x180 + 8 * ch;
        if (rec[ch]) std::copy(rec[ch]->begin(), rec[ch]->end(), at);
        else std::fill(at, at + 8, uint8_t{0});
    }
    for (int i = 0; i < 4; ++i) m[0x120 + i] = i % 2 ? 0x38 : 0x0E;
    return m;
}

Bytes blockFrame(int block, const uint8_t* data) {
    Bytes b{0xD4, static_cast<uint8_t>(block)};
    b.insert(b.end(), data, data + 32);
    return b;
}

Bytes tuneReadFrame(int block) {
    Bytes b{0xC6, static_cast<uint8_t>(block)};
    b.insert(b.end(), 31, 0x00);
    return b;
}

// Group 1's flags and channel blocks as written from `source` (the test
// programming or the saved copy), after the flag words' masked writes.
Bytes group1Frames(const Memory& source) {
    Bytes b;
    for (int i = 0; i < 4; ++i) append(b, maskedBytes(0x120 + i, 0xFF, source[0x120 + i]));
    for (int blk = 12; blk <= 15; ++blk) append(b, blockFrame(blk, source.data() + 32 * blk));
    return b;
}

class ORVCoreTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTiming t = com.timing();
        t.byteTimeout = 0.3;
        t.settleMs = 20;
        com.setTiming(t);
        com.initComm();
    }
    void start(SimOptions o = {}) {
        startSim(o);
        sim->setMemory(original);
        resetRecords();
    }
    void resetRecords() {
        sim->clearTrace();
        host.boxes.clear();
        host.shownMessages.clear();
        host.peakValue = 0;
        host.shows = host.unloads = 0;
    }

    Memory original = randomMemory(11);
    ORVCore core{com};
};

}  // namespace

// The test channels' records carry their frequency codes for receive and
// transmit alike and no code guards; the flag words switch channels 4, 5, 6,
// 10, 11 and 12.
TEST(ORVCoreRecords, TestChannelsHoldTheirFrequencyCodes) {
    struct Case { const std::array<uint8_t, 8>& record; uint8_t high, low; };
    const Case cases[] = {{ORVCore::kRecordA, 0x96, 0x00}, {ORVCore::kRecordB, 0xBE, 0xA0},
                          {ORVCore::kRecordC, 0xE7, 0x40}, {ORVCore::kRecordD, 0xE7, 0x3C},
                          {ORVCore::kRecordE, 0xE7, 0x3E}};
    for (const Case& c : cases)
        EXPECT_EQ(c.record, (std::array<uint8_t, 8>{c.high, c.low, 0, 0, c.high, c.low, 0, 0}));
    EXPECT_EQ(ORVCore::kTestFlagsHigh, 0x0E);
    EXPECT_EQ(ORVCore::kTestFlagsLow, 0x38);
}

TEST_F(ORVCoreTest, StartProgramsTheTestChannelsAndRestoreBringsGroup1Back) {
    struct Case { const char* name; uint16_t version; bool afterRead; Bytes hook; };
    const Case cases[] = {
        // The tool hooks without changing allowFastBaud: after a read a fast radio goes to 9600.
        {"fast radio after a read", 0x2C00, true, hookBytes(true)},
        {"fast radio after a write", 0x2C00, false, hookBytes(false)},
        {"slow radio", 0x2AA9, true, hookBytes(false)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimOptions o;
        o.version = c.version;
        start(o);
        com.setAllowFastBaud(c.afterRead);
        ASSERT_EQ(core.startAlignment(), ORVCore::kStarted);

        const Memory testing = withTestChannels(original);
        EXPECT_EQ(sim->memory(), testing);
        Bytes wire = c.hook;
        for (int blk : {0, 1, 9, 12, 13, 14, 15}) append(wire, tuneReadFrame(blk));
        append(wire, group1Frames(testing));
        wire.push_back(0x01);
        EXPECT_EQ(received(), wire);
        // The saved copies: blocks 0, 1, 9, 12..15.
        int index = 0;
        for (int blk : {0, 1, 9, 12, 13, 14, 15})
            for (int k = 0; k < 32; ++k) ASSERT_EQ(core.tuneData[std::size_t(index++)], original[std::size_t(32 * blk + k)]);
        EXPECT_EQ(host.shownMessages, std::vector<std::string>{"Writing tuning data"});
        EXPECT_EQ(host.peakValue, 352);
        EXPECT_EQ(host.unloads, 1);
        EXPECT_TRUE(host.boxes.empty());

        resetRecords();
        ASSERT_TRUE(core.restoreRadioData());
        EXPECT_EQ(sim->memory(), original);
        wire = c.hook;
        append(wire, group1Frames(original));
        wire.push_back(0x01);
        EXPECT_EQ(received(), wire);
        EXPECT_EQ(host.shownMessages, std::vector<std::string>{"Restoring radio data"});
        EXPECT_EQ(host.peakValue, 128);
        EXPECT_EQ(host.unloads, 1);
        com.closePort();
        sim->stop();
    }
}

TEST_F(ORVCoreTest, TuningWritesPutExactlyTheirMaskedBytesOnTheWire) {
    struct Write { int address, value; };
    struct Case { const char* name; std::function<bool(ORVCore&)> action; std::vector<Write> writes; };
    // tuneData as the window holds it: 8, 9, 11, 20 and the words at 31 and 55.
    auto prepare = [](ORVCore& c) {
        c.tuneData[8] = 0x18;
        c.tuneData[9] = 0x19;
        c.tuneData[11] = 0x1B;
        c.tuneData[20] = 0x24;
        c.setTuneWord(31, 0x3132);
        c.setTuneWord(55, 0x5556);
    };
    const Case cases[] = {
        {"byte", [](ORVCore& c) { return c.writeTuneByte(11); }, {{11, 0x1B}}},
        {"word", [](ORVCore& c) { return c.writeTuneWord(55); }, {{55, 0x55}, {56, 0x56}}},
        {"row 0", [](ORVCore& c) { return c.writeRow(0, 0x1A0); }, {{11, 0xA0}}},
        {"row 1", [](ORVCore& c) { return c.writeRow(1, 0x21); }, {{20, 0x21}}},
        {"row 2", [](ORVCore& c) { return c.writeRow(2, 0xABCD); }, {{55, 0xAB}, {56, 0xCD}}},
        {"row 3", [](ORVCore& c) { return c.writeRow(3, 0x8001); }, {{31, 0x80}, {32, 0x01}}},
        {"row 4", [](ORVCore& c) { return c.writeRow(4, 0x73); }, {{9, 0x73}}},
        {"row 5", [](ORVCore& c) { return c.writeRow(5, 0xFF); }, {{8, 0xFF}}},
        {"pull gain reference", [](ORVCore& c) { return c.writeCalcReference(AlignCalculator::PullGain); },
         {{55, 0}, {56, 0}, {31, 0}, {32, 0}}},
        {"ref osc reference", [](ORVCore& c) { return c.writeCalcReference(AlignCalculator::RefOsc); },
         {{31, 0}, {32, 0}}},
        {"vco reference", [](ORVCore& c) { return c.writeCalcReference(AlignCalculator::VCOMod); }, {{9, 0x73}}},
        // A cancelled pull gain rewrites both words its opening zeroed.
        {"pull gain cancelled", [](ORVCore& c) { return c.finishCalculator(AlignCalculator::PullGain, -1); },
         {{55, 0x55}, {56, 0x56}, {31, 0x31}, {32, 0x32}}},
        {"pull gain 64276", [](ORVCore& c) { return c.finishCalculator(AlignCalculator::PullGain, 64276); },
         {{55, 0xFB}, {56, 0x14}, {31, 0x31}, {32, 0x32}}},
        {"ref osc cancelled", [](ORVCore& c) { return c.finishCalculator(AlignCalculator::RefOsc, -1); },
         {{31, 0x31}, {32, 0x32}}},
        {"ref osc 65242", [](ORVCore& c) { return c.finishCalculator(AlignCalculator::RefOsc, 65242); },
         {{31, 0xFE}, {32, 0xDA}}},
        {"vco cancelled", [](ORVCore& c) { return c.finishCalculator(AlignCalculator::VCOMod, -1); }, {{9, 0x19}}},
        {"vco 109", [](ORVCore& c) { return c.finishCalculator(AlignCalculator::VCOMod, 109); }, {{9, 109}}},
    };
    start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sim->setMemory(original);
        prepare(core);
        resetRecords();
        EXPECT_TRUE(c.action(core));
        Bytes wire = hookBytes(false);
        Memory expected = original;
        for (const Write& w : c.writes) {
            append(wire, maskedBytes(w.address, 0xFF, w.value));
            expected[std::size_t(w.address)] = static_cast<uint8_t>(w.value);
        }
        wire.push_back(0x01);
        EXPECT_EQ(received(), wire);
        EXPECT_EQ(sim->memory(), expected);
        EXPECT_TRUE(host.shownMessages.empty());
    }
}

TEST_F(ORVCoreTest, TuneWordsAreHighByteFirst) {
    core.tuneData[31] = 0x12;
    core.tuneData[32] = 0x34;
    EXPECT_EQ(core.getTuneWord(31), 4660);
    core.setTuneWord(55, 0xFEDA);
    EXPECT_EQ(core.tuneData[55], 0xFE);
    EXPECT_EQ(core.tuneData[56], 0xDA);
    EXPECT_EQ(core.getTuneWord(55), 65242);
}

TEST_F(ORVCoreTest, RestoreFailures) {
    struct Case { const char* name; SimFaults faults; std::vector<std::string> titles; bool changed; };
    SimFaults silent;
    silent.silent = true;
    SimFaults block12;
    block12.blockWriteSilentCount = 1;
    SimFaults nakFlags;
    nakFlags.maskedSilentCount = 4;   // the first flag byte never answered (four time-outs)
    const Case cases[] = {
        {"radio unplugged", silent, {"COMM ERROR"}, false},
        {"a block write unanswered", block12, {"ORV Write"}, true},
        {"a flag byte unanswered", nakFlags, {}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        start();
        ASSERT_EQ(core.startAlignment(), ORVCore::kStarted);
        resetRecords();
        sim->setFaults(c.faults);
        EXPECT_FALSE(core.restoreRadioData());
        EXPECT_EQ(host.titles(), c.titles);
        EXPECT_NE(sim->memory(), original);
        EXPECT_EQ(sim->memory() != withTestChannels(original), c.changed);
        // Once the radio answers again, closing again restores everything.
        sim->setFaults({});
        EXPECT_TRUE(core.restoreRadioData());
        EXPECT_EQ(sim->memory(), original);
        com.closePort();
        sim->stop();
    }
}
