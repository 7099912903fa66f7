// What the radio log says of each kind of job: the operation, what it
// covered, its result and verify, the digests and the backups' names.
#include <gtest/gtest.h>
#include "job/JobLog.h"
#include "job/RadioIdentity.h"

namespace orv::test {
namespace {

using W = RadioJobPlan::Write;
using Step = RadioJobResult::Step;

TEST(JobLog, EachJobIsLoggedAsWhatItDid) {
    MemoryImage written;
    written[100] = 7;
    struct Case {
        const char* name;
        W write;
        int group;
        bool globalsOnly;
        Step writtenStep, verifiedStep;
        bool identical, radioRead;
        std::string failure;
        const char* operation;
        std::vector<int> groups;
        bool globals;
        const char* result;
        const char* verified;
        bool digestWritten;
    };
    const std::vector<int> all{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const Case cases[] = {
        {"whole write, verified", W::All, 0, false, Step::Done, Step::Done, false, true, "", "write", all, true, "ok", "yes", true},
        {"groups only, differs", W::SkipGlobals, 0, false, Step::Done, Step::Failed, false, true, "the radio differs",
         "write", all, false, "failed", "differs", true},
        {"one group, the radio held it", W::Group, 3, false, Step::NotAsked, Step::NotAsked, true, false, "", "write",
         {3}, false, "same", "", false},
        {"the globals, stopped", W::Globals, 0, false, Step::Stopped, Step::NotAsked, false, false, "interrupted",
         "write", {}, true, "stopped", "", true},
        {"a dry run", W::All, 0, false, Step::NotAsked, Step::NotAsked, false, false, "", "write", all, true,
         "not written", "", false},
        {"a verify of the globals whose read failed", W::None, 0, true, Step::NotAsked, Step::Failed, false, false,
         "reading failed", "verify", {}, true, "failed", "failed", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioJobPlan plan;
        plan.write = c.write;
        plan.group = c.group;
        plan.globalsOnly = c.globalsOnly;
        PortJobResult r;
        r.port = "/dev/ttyUSB9";
        r.version = "2C00";
        r.written = c.writtenStep;
        r.verified = c.verifiedStep;
        r.identical = c.identical;
        r.radioRead = c.radioRead;
        r.failure = c.failure;
        r.readDigest = "ab";
        r.fingerprint = "3F2A-91C0";
        r.bytesSent = 64;
        r.readBackup.path = "/data/backups/20261208-101010-3F2A-91C0-read.orv";
        const RadioLogEntry e =
            jobLogEntry({"orvedit-cli", "/unused", "Truck 7"}, plan, r, written, {"/data/backups/x-write.orv", ""});
        EXPECT_EQ(e.program, "orvedit-cli");
        EXPECT_EQ(e.operation, c.operation);
        EXPECT_EQ(e.groups, c.groups);
        EXPECT_EQ(e.globals, c.globals);
        EXPECT_EQ(e.result, c.result);
        EXPECT_EQ(e.verified, c.verified);
        EXPECT_EQ(e.message, c.failure);
        EXPECT_EQ(e.unit, "Truck 7");
        EXPECT_EQ(e.device, "/dev/ttyUSB9");
        EXPECT_EQ(e.radioVersion, "2C00");
        EXPECT_EQ(e.fingerprint, "3F2A-91C0");
        EXPECT_EQ(e.sha256Read, "ab");
        EXPECT_EQ(e.sha256Written, c.digestWritten ? programmingDigest(written) : "");
        // Names, not paths; the write's own backup first.
        EXPECT_EQ(e.backups, (std::vector<std::string>{"x-write.orv", "20261208-101010-3F2A-91C0-read.orv"}));
    }
}

TEST(JobLog, AReadNamesTheRadioOnlyWhenItReadTheTuningValues) {
    MemoryImage read;
    read[3] = 0x55;
    struct Case { RadioPart part; bool ok, cancelled; const char* result; bool named; };
    for (const Case& c : {Case{RadioPart::All, true, false, "ok", true}, Case{RadioPart::Globals, true, false, "ok", true},
                          Case{RadioPart::Group, true, false, "ok", false},
                          Case{RadioPart::All, false, true, "stopped", false},
                          Case{RadioPart::All, false, false, "failed", false}}) {
        const RadioLogEntry e = readLogEntry({"orvedit", "", ""}, "COM5", "2C00", c.part, 4, read, c.ok, c.cancelled, {});
        EXPECT_EQ(e.operation, "read");
        EXPECT_EQ(e.result, c.result);
        EXPECT_EQ(e.fingerprint.empty(), !c.named);
        EXPECT_EQ(e.sha256Read.empty(), !c.ok);
        if (c.part == RadioPart::Group) {
            EXPECT_EQ(e.groups, std::vector<int>{4});
        }
    }
    // Nothing is logged without a folder.
    EXPECT_EQ(logRadioJob({"orvedit", "", ""}, RadioLogEntry{}), "");
}

}  // namespace
}  // namespace orv::test

namespace orv::test {
namespace {

// A radio's page 0 tuning values, different for each `seed`.
MemoryImage radioWithTuning(uint8_t seed) {
    MemoryImage m;
    for (int a = 0; a < 64; ++a) m[a] = static_cast<uint8_t>(seed * 7 + a);
    return m;
}

RadioLogEntry readOf(const MemoryImage& radio, const std::string& version, const std::string& day,
                     const char* result = "ok") {
    RadioLogEntry e;
    e.time = day + "T10:00:00Z";
    e.operation = "read";
    e.result = result;
    e.radioVersion = version;
    e.fingerprint = radioFingerprint(radio, version);
    return e;
}

TEST(JobLog, AListingShowsTheEntriesItsFilterTakes) {
    RadioLogEntry e;
    e.time = "2026-12-01T10:00:00Z";
    e.unit = "U1";
    e.device = "/dev/ttyUSB0";
    e.stableName = "/dev/serial/by-id/usb-x";
    struct Case { LogFilter filter; bool shown; };
    for (const Case& c : {Case{{}, true}, Case{{"2026-12-01", "", ""}, true}, Case{{"2026-12-02", "", ""}, false},
                          Case{{"2026-12-01T10:00:01Z", "", ""}, false}, Case{{"2026-11", "", ""}, true},
                          Case{{"", "U1", ""}, true}, Case{{"", "U2", ""}, false},
                          Case{{"", "", "/dev/ttyUSB0"}, true}, Case{{"", "", "/dev/serial/by-id/usb-x"}, true},
                          Case{{"", "", "/dev/ttyUSB1"}, false}})
        EXPECT_EQ(c.filter.matches(e), c.shown) << c.filter.since << "|" << c.filter.unit << "|" << c.filter.port;
}

TEST(JobLog, TheChangeListSaysWhenTheProgrammingCameFromAnotherRadio) {
    const MemoryImage a = radioWithTuning(1), b = radioWithTuning(2), c = radioWithTuning(3);
    MemoryImage templ = a;   // read from radio a, then edited in its groups
    templ[2000] = 0x42;
    ReadFirst onB;
    onB.read = true;
    onB.fingerprint = radioFingerprint(b, "2C00");
    ReadFirst onA = onB;
    onA.fingerprint = radioFingerprint(a, "2C00");
    const std::string fa = radioFingerprint(a, "2C00");
    struct Case { const char* name; std::vector<RadioLogEntry> log; const ReadFirst* before; std::string note; };
    const Case cases[] = {
        {"read from a, written to b", {readOf(a, "2C00", "2026-12-01"), readOf(c, "2C00", "2026-12-03")}, &onB,
         "read from radio " + fa + " on 2026-12-01; this radio is " + onB.fingerprint},
        {"written back to a", {readOf(a, "2C00", "2026-12-01")}, &onA, ""},
        {"a radio the log never read", {readOf(c, "2C00", "2026-12-01")}, &onB, ""},
        {"a failed read says nothing", {readOf(a, "2C00", "2026-12-01", "failed")}, &onB, ""},
        {"the read's own version word names it", {readOf(a, "2B00", "2026-12-01")}, &onB,
         "read from radio " + radioFingerprint(a, "2B00") + " on 2026-12-01; this radio is " + onB.fingerprint},
        {"the latest read of it", {readOf(a, "2C00", "2026-11-01"), readOf(a, "2C00", "2026-12-05")}, &onB,
         "read from radio " + fa + " on 2026-12-05; this radio is " + onB.fingerprint},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        RadioLogContents log;
        log.entries = k.log;
        EXPECT_EQ(originNote(log, templ, *k.before), k.note);
    }
    // Said once, before the changes.
    ReadFirst listed = onB;
    listed.origin = "read from radio X";
    listed.changes.push_back(Difference{});
    EXPECT_EQ(changeLines(listed).front(), "read from radio X");
    EXPECT_EQ(changeLines(listed).size(), 2u);
}

}  // namespace
}  // namespace orv::test
