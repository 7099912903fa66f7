// orvedit-cli keeps files and the terminal safe from careless or hostile
// arguments and from the moment a command is stopped: empty output names,
// outputs that can never be written, control bytes in what it echoes, text
// after a JSON document, signals during a radio operation, and a file that
// changes while the radio is read.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>
#include "CliScratch.h"
#include "RadioMemory.h"
#include "WaitFor.h"
#include "sim/RadioSim.h"

namespace {

using orv::test::CliResult;
using orv::test::Memory;

using orv::test::pattern;

class CliFileSafety : public orv::test::CliScratch {
protected:
    void SetUp() override {
        CliScratch::SetUp();
        ASSERT_EQ(run({"new", "-o", path("a.orv")}).exitCode, 0);
        a = path("a.orv");
    }
    std::string a;
};

TEST_F(CliFileSafety, AnEmptyOutputNameIsRefusedByEveryCommand) {
    const std::string csv = writeText("a.csv", "Location,Name,Frequency\n1,NEW,146.520000\n");
    const std::string before = orv::test::slurp(a);
    const std::vector<std::vector<std::string>> commands = {
        {"csv-import", a, csv, "--group", "1", "-o", ""},
        {"move", a, "--from", "1", "--to", "2", "-o", ""},
        {"csv-export", a, "--group", "1", "-o", ""},
        {"export", a, "-o", ""},
        {"report", a, "--pdf", ""},
        {"read", "--port", path("no-port"), "-o", path("r.orv"), "--trace", ""},
        {"write", "--port", path("no-port"), "-i", a, "--yes", "--trace", ""},
        {"verify", "--port", path("no-port"), "-i", a, "--trace", ""},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0]);
        const CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("the name is empty"), std::string::npos) << r.err;
        EXPECT_EQ(orv::test::slurp(a), before) << "the input was replaced";
    }
}

TEST_F(CliFileSafety, MessagesAreOnePrintableLineOfAtMost1000Bytes) {
    const std::string hostileName = path("x\x1b[2J\a\tname.orv");
    const std::string longName = path(std::string(200, 'A') + "/" + std::string(3000, 'B') + ".orv");
    const std::string csv = writeText("c.csv", "Location,Name,Frequency\n1,\x1b[31mX\tY,146.520000\n");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string mention;   // in stderr
    };
    const std::vector<Case> cases = {
        {"a file name", {"report", hostileName}, "x\\x1b[2J\\x07\\x09name.orv"},
        {"a CSV value", {"csv-import", a, csv, "--group", "1", "-o", path("o.orv")}, "\\x1b[31mX\\x09Y"},
        {"a CSV value reported, not refused",
         {"csv-import", a, csv, "--group", "1", "--skip-unfit", "-o", path("o.orv")}, "\\x1b[31mX\\x09Y"},
        {"an argument", {"move", a, "--from", "x\x1b[5m", "--to", "2"}, "x\\x1b[5m"},
        {"a long file name", {"report", longName}, "\xE2\x80\xA6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult r = run(c.args);
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
        for (const std::string& line : r.errLines()) {
            EXPECT_LE(line.size(), 1000u);
            for (const char ch : line) EXPECT_GE(static_cast<unsigned char>(ch), 0x20) << line;
        }
    }
}

TEST_F(CliFileSafety, AJsonDocumentFollowedByANulByteIsRefused) {
    const CliResult r = run({"import", writeText("j.json", std::string("{}\0zz", 5)), "-o", path("o.orv")});
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_FALSE(std::filesystem::exists(path("o.orv")));
}

TEST_F(CliFileSafety, AReportPdfNeedsNoDisplayWhateverThePlatformSays) {
    const char* saved = std::getenv("QT_QPA_PLATFORM");
    const std::string savedPlatform = saved ? saved : "";
    ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    const CliResult r = run({"report", a, "--pdf", path("r.pdf")});
    if (saved) ::setenv("QT_QPA_PLATFORM", savedPlatform.c_str(), 1);
    else ::unsetenv("QT_QPA_PLATFORM");
    if (r.err.find("no PDF output") != std::string::npos) GTEST_SKIP() << "this build writes no PDF";
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(orv::test::slurp(path("r.pdf")).rfind("%PDF", 0), 0u);
}

TEST_F(CliFileSafety, ATraceThatCannotBeWrittenIsRefusedBeforeTheRadioIsTouched) {
    orv::RadioSim radio;
    radio.start();
    std::filesystem::create_directory(path("adir"));
    std::filesystem::create_directory(path("bdir-2"));
    const std::vector<std::vector<std::string>> commands = {
        {"read", "--port", radio.devicePath(), "-o", path("r.orv"), "--no-backup", "--trace", path("adir")},
        {"write", "--port", radio.devicePath(), "-i", a, "--yes", "--no-backup", "--trace", path("adir")},
        {"verify", "--port", radio.devicePath(), "-i", a, "--no-backup", "--trace", path("adir")},
        // With several radios, the second radio's trace is the folder.
        {"write", "--port", radio.devicePath(), "--port", path("no-port"), "-i", a, "--yes", "--no-backup",
         "--trace", path("bdir")},
    };
    for (const auto& args : commands) {
        SCOPED_TRACE(args[0] + " " + args.back());
        const CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        EXPECT_EQ(radio.receivedCount(), 0) << "the radio was touched";
    }
    EXPECT_FALSE(std::filesystem::exists(path("r.orv")));
    radio.stop();
}

// A signal that asks the tool to end stops a radio operation cleanly, as
// Ctrl-C does, and the exit code names it as a shell would.
TEST_F(CliFileSafety, TermAndHangupStopARadioOperationLikeCtrlC) {
    const struct {
        const char* command;
        int sig;
        int exitCode;
        long sentBefore;   // bytes the radio has received when the signal comes
        const char* says;
    } cases[] = {
        {"write", SIGTERM, 143, 200, "interrupted; the write stopped"},
        {"write", SIGHUP, 129, 200, "interrupted; the write stopped"},
        {"read", SIGTERM, 143, 20, "interrupted; stopped after block "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + std::to_string(c.sig));
        orv::SimOptions paced;
        paced.realtime = true;
        orv::RadioSim radio(paced);
        radio.start();
        const std::vector<std::string> args =
            std::string(c.command) == "write"
                ? std::vector<std::string>{"write", "--port", radio.devicePath(), "-i", a, "--yes", "--no-backup", "--no-read-first",
                                           "--skip-globals"}
                : std::vector<std::string>{"read", "--port", radio.devicePath(), "-o", path("r.orv"), "--no-backup"};
        orv::test::ChildProcess cli(orv::test::cliCommand(args), orv::test::Output::null(),
                                    orv::test::Output::file(path("err")));
        ASSERT_TRUE(orv::test::waitFor([&] { return radio.receivedCount() >= c.sentBefore; }, 120.0));
        cli.signal(c.sig);
        EXPECT_EQ(cli.exitCode(), c.exitCode);
        EXPECT_NE(orv::test::slurp(path("err")).find(c.says), std::string::npos) << orv::test::slurp(path("err"));
        EXPECT_LT(radio.receivedCount(), 4000) << "the operation went on";
        EXPECT_FALSE(std::filesystem::exists(path("r.orv")));
        radio.stop();
    }
}

// The file is saved by someone else while read --group runs: the group read
// goes into the file as it is then, the other change stays.
TEST_F(CliFileSafety, AGroupReadKeepsChangesMadeToTheFileDuringTheRead) {
    orv::SimOptions paced;
    paced.realtime = true;
    paced.thinkTimeMs = 20.0;
    orv::RadioSim radio(paced);
    const Memory held = pattern(3);
    radio.setMemory(held);
    radio.start();
    orv::test::ChildProcess cli(
        orv::test::cliCommand({"read", "--port", radio.devicePath(), "-o", a, "--group", "1", "--no-backup",
                             "--link-timing", "radio"}),
        orv::test::Output::null(), orv::test::Output::file(path("err")));
    ASSERT_TRUE(orv::test::waitFor([&] { return radio.receivedCount() > 0; }, 60.0));
    orv::MemoryImage changed = readImage(a);
    const int otherGroup = orv::memmap::firstGroupBlock(2) * orv::memmap::kBlockSize;
    changed[otherGroup] ^= 0xFF;
    changed[orv::memmap::kFileSize - 1] ^= 0x5A;
    writeImage("a.orv", changed);
    ASSERT_FALSE(cli.poll().has_value()) << "the read ended before the file changed; nothing was tested";
    EXPECT_EQ(cli.exitCode(), 0) << orv::test::slurp(path("err"));

    orv::MemoryImage expected = changed;
    for (int k = orv::memmap::firstGroupBlock(1) * orv::memmap::kBlockSize;
         k < (orv::memmap::lastGroupBlock(1) + 1) * orv::memmap::kBlockSize; ++k)
        expected[k] = held[static_cast<std::size_t>(k)];
    const orv::MemoryImage got = readImage(a);
    for (int k = 0; k < orv::memmap::kFileSize; ++k) ASSERT_EQ(got[k], expected[k]) << "byte " << k;
}

}  // namespace
