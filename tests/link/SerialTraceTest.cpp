// The serial trace: its text form (shared with the simulator), what the
// tracing port records of an exchange compared with what the simulated radio
// saw on the other end, and the replay of a trace against a fresh radio.
#include <sstream>
#include "LinkFixture.h"
#include "TraceReplay.h"
#include "link/TracingSerialPort.h"

namespace orv::test {
namespace {

TEST(TraceText, WritesAndReadsBackEveryEntry) {
    const std::vector<TraceEntry> entries = {
        {'R', 0.0, 0x00, 4800}, {'T', 0.0123456, 0x12, 4800}, {'R', 12.5, 0xFF, 9600}, {'T', 3600.000001, 0xA5, 0}};
    const std::string text = traceText(entries);
    EXPECT_EQ(text.substr(0, text.find('\n')), "R 0.000000 00 4800");
    std::istringstream in("# a comment\n\n" + text + "  # indented comment\r\n");
    std::vector<TraceEntry> back = readTraceText(in);
    ASSERT_EQ(back.size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(back[i].dir, entries[i].dir);
        EXPECT_NEAR(back[i].t, entries[i].t, 1e-6);
        EXPECT_EQ(back[i].value, entries[i].value);
        EXPECT_EQ(back[i].baud, entries[i].baud);
    }
}

TEST(TraceText, RefusesABadLineNamingItAndWhy) {
    struct Case { const char* line; const char* says; };
    for (const Case& c : {Case{"X 0.1 00 4800", "direction"}, Case{"R -1 00 4800", "time"},
                          Case{"R abc 00 4800", "time"}, Case{"R 0.1 0G 4800", "byte"},
                          Case{"R 0.1 100 4800", "byte"}, Case{"R 0.1 00 fast", "line speed"},
                          Case{"R 0.1 00", "expected"}, Case{"R 0.1 00 4800 x", "more than four"}}) {
        std::istringstream in(std::string("R 0.0 00 4800\n") + c.line + "\n");
        try {
            readTraceText(in);
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const TraceFormatError& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find("line 2"), std::string::npos) << what;
            EXPECT_NE(what.find(c.says), std::string::npos) << what;
        }
    }
}

TEST(TraceRecorder, KeepsAtMostItsLimitAndCountsTheRest) {
    SerialTrace trace(3);
    for (int i = 0; i < 5; ++i) trace.record('R', static_cast<uint8_t>(i), 4800);
    EXPECT_EQ(trace.entries().size(), 3u);
    EXPECT_EQ(trace.dropped(), 2u);
    EXPECT_NE(trace.text().find("# 2 further bytes were not kept"), std::string::npos);
    trace.start();
    EXPECT_TRUE(trace.empty());
}

// ORVCom on a tracing port to the simulator, which keeps its own trace.
class TracedLink : public LinkTest {
protected:
    SerialTrace trace;
    TracingSerialPort traced{port, trace};
    ORVCom tcom{img, traced, host, LinkTiming::shortened()};

    // The entries of one direction as (byte, line speed).
    static std::vector<std::pair<int, int>> side(const std::vector<TraceEntry>& t, char dir) {
        std::vector<std::pair<int, int>> out;
        for (const TraceEntry& e : t)
            if (e.dir == dir) out.emplace_back(e.value, e.baud);
        return out;
    }
    static std::vector<TraceEntry> fromSim(const std::vector<SimTraceEntry>& t) {
        std::vector<TraceEntry> out;
        for (const SimTraceEntry& e : t) out.push_back({static_cast<char>(e.dir), e.t, e.value, e.baud});
        return out;
    }
};

TEST_F(TracedLink, RecordsWhatTheRadioSawInBothDirections) {
    struct Case { const char* name; uint16_t version; int op; };   // op: 0 read, 1 write, 2 write with a NAK
    for (const Case& c : {Case{"fast read", 0x2C00, 0}, Case{"slow read", 0x2AA9, 0}, Case{"write", 0x2C00, 1},
                          Case{"write, one masked write refused", 0x2C00, 2}}) {
        SCOPED_TRACE(c.name);
        SimOptions o;
        o.version = c.version;
        o.faults.maskedNakCount = c.op == 2 ? 1 : 0;
        startSim(o);
        tcom.setTiming(LinkTiming{0.5, 20, 0});   // no 3 ms paces: the bytes are what counts here
        tcom.initComm();
        sim->setMemory(randomMemory(3));
        fillImage(img, 4);
        trace.start();
        ASSERT_TRUE(c.op == 0 ? tcom.readMemory() : tcom.writeMemory(false));
        tcom.closePort();
        received();   // until the simulator has everything
        const std::vector<TraceEntry> radio = fromSim(sim->trace());
        // Same bytes at the same speeds on both ends, in each direction.
        EXPECT_EQ(side(trace.entries(), 'R'), side(radio, 'R'));
        EXPECT_EQ(side(trace.entries(), 'T'), side(radio, 'T'));
        ASSERT_FALSE(trace.entries().empty());
        EXPECT_LT(trace.entries().front().t, 0.5);
        for (std::size_t i = 1; i < trace.entries().size(); ++i)
            ASSERT_LE(trace.entries()[i - 1].t, trace.entries()[i].t) << i;
        if (c.op == 0 && c.version >= 0x2AAA) {
            EXPECT_EQ(trace.entries().back().baud, 9600);
        }
        sim->stop();
    }
}

TEST_F(TracedLink, AReadTraceReplaysAgainstAFreshSimulatorAndHoldsTheMemory) {
    for (uint16_t version : {uint16_t{0x2C00}, uint16_t{0x2AA9}}) {
        SimOptions o;
        o.version = version;
        startSim(o);
        tcom.setTiming(LinkTiming{0.5, 20, 0});   // no 3 ms paces: the bytes are what counts here
        tcom.initComm();
        const auto radio = randomMemory(version);
        sim->setMemory(radio);
        trace.start();
        ASSERT_TRUE(tcom.readMemory());
        tcom.closePort();
        sim->stop();

        int blocks = 0;
        const auto shown = memoryFromTrace(trace.entries(), &blocks);
        EXPECT_EQ(blocks, 188);
        EXPECT_EQ(shown, radio);

        InProcessRadio fresh(o);
        fresh.setMemory(shown);
        VirtualClock freshClock;
        SimulatedPort freshPort(fresh, freshClock);
        for (const ReplayRun& run : replayTrace(trace.entries(), freshPort)) {
            ASSERT_EQ(run.got, run.expected) << "after " << run.sent.size() << " bytes sent";
        }
    }
}

}  // namespace
}  // namespace orv::test
