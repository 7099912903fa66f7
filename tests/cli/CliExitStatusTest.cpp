// orvedit-cli's one exit mapping, command by command through the real
// executable: 2 bad usage or bad input, 1 the radio, a disk or the standard
// output failed, each failure one line on stderr that says why.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "CliScratch.h"
#include "sim/RadioSim.h"

namespace {

using orv::test::CliResult;

class CliExitStatus : public orv::test::CliScratch {};

TEST_F(CliExitStatus, EveryCommandMapsItsFailuresTheSameWay) {
    orv::RadioSim silent(orv::SimOptions{.faults = orv::SimFaults{.silent = true}});
    silent.start();
    orv::RadioSim radio;
    radio.start();
    ASSERT_EQ(run({"new", "-o", path("a.orv")}).exitCode, 0);
    const std::string a = path("a.orv");
    orv::MemoryImage other = readImage(a);
    other[700] ^= 0xFF;   // so that diff has lines to print
    writeImage("b.orv", other);
    const std::string missing = path("missing.orv");
    const std::string full = "/dev/full";

    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string stdoutTo;   // empty: a file in the scratch folder
        int exitCode;
        std::string mention;    // in the one error line
    };
    const std::vector<Case> cases = {
        {"diff into a full output", {"diff", a, path("b.orv")}, full, 1, "standard output"},
        {"diff of a missing file", {"diff", a, missing}, "", 2, "missing.orv"},
        {"export into a full output", {"export", a}, full, 1, "standard output"},
        {"csv-export into a full output", {"csv-export", a, "--group", "1"}, full, 1, "standard output"},
        {"report into a full output", {"report", a}, full, 1, "standard output"},
        {"report of a missing file", {"report", missing}, "", 2, "missing.orv"},
        {"move to no position", {"move", a, "--from", "0", "--to", "2"}, "", 2, "--from 0"},
        {"move of a missing file", {"move", missing, "--from", "1", "--to", "2"}, "", 2, "missing.orv"},
        {"write naming a port twice",
         {"write", "--port", radio.devicePath(), "--port", radio.devicePath(), "-i", a, "--yes"}, "", 2,
         "more than once"},
        {"read from a radio that never answers", {"read", "--port", silent.devicePath(), "-o", path("r.orv")}, "", 1,
         "reading the radio failed"},
        {"write and verify into a full output",
         {"write", "--port", radio.devicePath(), "-i", a, "--yes", "--verify", "--no-backup"}, full, 1,
         "standard output"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult r = orv::test::runCli(c.args, dir.string(), c.stdoutTo);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
        ASSERT_FALSE(r.errLines().empty());
        EXPECT_NE(r.errLines().back().find(c.mention), std::string::npos) << r.err;
    }
    silent.stop();
    radio.stop();
}

}  // namespace
