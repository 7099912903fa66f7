// orvedit-cli against hostile and careless input: every refusal is exit 2,
// one short line naming the file and the place, and the output untouched.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>
#include "CliScratch.h"
#include "sim/RadioSim.h"

namespace fs = std::filesystem;
using orv::test::CliResult;

namespace {

class CliHostile : public orv::test::CliScratch {};

// A document that sets one channel cell of group 3.
std::string cellDoc(const std::string& key, const std::string& jsonValue) {
    std::string channels;
    for (int c = 0; c < 16; ++c) channels += (c ? "," : "") + std::string(c == 4 ? "{\"" + key + "\":" + jsonValue + "}" : "null");
    return "{\"groups\":[{\"group\":3,\"channels\":[" + channels + "]}]}";
}
std::string groupDoc(const std::string& members) { return "{\"groups\":[{\"group\":3," + members + "}]}"; }

std::string manyKeys(int n) {
    std::string s = "{";
    for (int i = 0; i < n; ++i) s += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":1";
    return s + "}";
}

TEST_F(CliHostile, RefusedDocumentsExitTwoWithOneShortLineNamingThePlace) {
    const std::string deep(100000, '[');
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> mentions;
    };
    const std::vector<Case> cases = {
        {"deep nesting under an unknown key", "{\"x\":" + deep + std::string(100000, ']') + "}",
         {"x[0][0][0][0]", "nested too deeply"}},
        {"deep nesting under globals", "{\"globals\":" + deep, {"globals[0][0][0][0]", "nested too deeply"}},
        {"deep nesting at the top", deep, {"nested too deeply"}},
        {"a long text in a list", "{\"globals\":{\"cboDTMFDev\":\"" + std::string(3 << 20, 'A') + "\"}}",
         {"globals.cboDTMFDev", "text too long", "\"AAAAAAAAAA"}},
        {"a number beyond a double", groupDoc("\"chkPriTX\":1e400"), {"groups[0].chkPriTX", "number too large", "1e400"}},
        {"a 5000-digit integer", groupDoc("\"chkPriTX\":" + std::string(5000, '9')),
         {"groups[0].chkPriTX", "number too large", "9999999999"}},
        {"a key given twice", groupDoc("\"chkPriTX\":\"bad\",\"chkPriTX\":1"), {"groups[0].chkPriTX", "given twice"}},
        {"160000 unknown keys", manyKeys(160000), {"k0", "unknown key"}},
        {"frequency NaN", cellDoc("Rec Freq", "\"NaN\""), {"channels[4].\"Rec Freq\"", "decimal number", "\"NaN\""}},
        {"frequency inf", cellDoc("Tx Freq", "\"inf\""), {"channels[4].\"Tx Freq\"", "\"inf\""}},
        {"frequency in hexadecimal", cellDoc("Rec Freq", "\"0x10\""), {"\"0x10\""}},
        {"frequency abc", cellDoc("Rec Freq", "\"abc\""), {"\"abc\""}},
        {"frequency with an exponent", cellDoc("Rec Freq", "\"1.55125e2\""), {"\"1.55125e2\""}},
        {"frequency with a sign", cellDoc("Rec Freq", "\"-155.125\""), {"\"-155.125\""}},
        {"frequency with a blank", cellDoc("Rec Freq", "\" 155.125\""), {"\" 155.125\""}},
        {"frequency with a unit", cellDoc("Rec Freq", "\"155.125 MHz\""), {"\"155.125 MHz\""}},
        {"frequency out of range", cellDoc("Rec Freq", "\"99\""), {"\"99\""}},
        {"channel label of 9 characters", cellDoc("Ch Label", "\"ABCDEFGHI\""), {"\"Ch Label\"", "at most 8"}},
        {"group label of 9 characters", groupDoc("\"txtGrpLab\":\"GROUP1234\""), {"groups[0].txtGrpLab", "at most 8"}},
        {"password of 7 digits", groupDoc("\"txtPassWord\":\"1234567\""), {"groups[0].txtPassWord", "at most 6"}},
        {"ID of 8 digits", groupDoc("\"txtID\":\"12345678\""), {"groups[0].txtID", "at most 7"}},
        {"a document over the limit", "{\"x\":\"" + std::string(5 << 20, 'A') + "\"}", {"larger than 4 MiB"}},
        {"a malformed document with a long token", "[" + std::string(100000, 't') + "]", {"malformed JSON", "last read"}},
    };
    const std::string keep(6019, '\x5A');
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = writeText("bad.json", c.text);
        writeText("out.orv", keep);
        CliResult r = run({"import", in, "-o", path("out.orv")});
        EXPECT_EQ(r.exitCode, 2);
        auto lines = r.errLines();
        EXPECT_EQ(orv::test::slurp(path("out.orv")), keep);
        if (lines.size() != 1u) {
            ADD_FAILURE() << lines.size() << " lines: " << r.err.substr(0, 400);
            continue;
        }
        EXPECT_LT(lines[0].size(), 300u) << lines[0].substr(0, 400);
        EXPECT_NE(lines[0].find("bad.json"), std::string::npos) << lines[0];
        for (const auto& m : c.mentions) EXPECT_NE(lines[0].find(m), std::string::npos) << lines[0] << " / " << m;
    }
}

TEST_F(CliHostile, AFrequencyIsADecimalNumberOrOneOfTheTextsForNone) {
    // Group 3, channel 5, receive frequency: bytes 0 and 1 of its record.
    const int first = 0x100 + 0x180 * 2 + 128 + 8 * 4;
    const std::pair<const char*, int> cases[] = {
        {"\"\"", 0}, {"\"0\"", 0}, {"\"000.00\"", 0}, {"\"155.125\"", 44100}, {"\"136\"", 28800},
        {"\"174.0\"", 59200}, {"\"162.45\"", 49960},
    };
    writeText("empty.json", "{}");
    ASSERT_EQ(run({"import", path("empty.json"), "-o", path("base.orv")}).exitCode, 0);
    for (const auto& [value, code] : cases) {
        SCOPED_TRACE(value);
        CliResult r = run({"import", writeText("f.json", cellDoc("Rec Freq", value)), "-o", path("out.orv"), "--base",
                           path("base.orv")});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::string bytes = orv::test::slurp(path("out.orv"));
        ASSERT_EQ(bytes.size(), 6019u);
        EXPECT_EQ(static_cast<uint8_t>(bytes[first]) * 256 + static_cast<uint8_t>(bytes[first + 1]), code);
    }
}

TEST_F(CliHostile, InputsThatNeverEndAreRefusedAndPipesDoNotHang) {
    ASSERT_EQ(::mkfifo(path("pipe.json").c_str(), 0600), 0);
    struct Case {
        std::vector<std::string> args;
        std::string mention;
    };
    const std::vector<Case> cases = {
        {{"import", "/dev/zero", "-o", path("out.orv")}, "larger than 4 MiB"},
        {{"import", "/dev/urandom", "-o", path("out.orv")}, "/dev/urandom"},
        // A pipe without a writer reads as empty instead of waiting forever.
        {{"import", path("pipe.json"), "-o", path("out.orv")}, "malformed JSON"},
        // A programming file must be a regular file: a pipe is not even opened for waiting.
        {{"export", path("pipe.json")}, "pipe (FIFO)"},
        {{"import", path("pipe.json"), "-o", path("out.orv"), "--base", path("pipe.json")}, "pipe (FIFO)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1]);
        CliResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        ASSERT_EQ(r.errLines().size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(path("out.orv")));
    }
}

// A character device of our own: the slave side of a new pseudo-terminal.
// (Never /dev/null: a save that wrongly replaced it would break the machine.)
struct OwnDevice {
    OwnDevice() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0) path = ::ptsname(master);
    }
    ~OwnDevice() {
        if (master >= 0) ::close(master);
    }
    int master = -1;
    std::string path;
};

TEST_F(CliHostile, SpecialOutputPathsAreRefusedAndLinksWrittenThrough) {
    OwnDevice device;
    ASSERT_FALSE(device.path.empty());
    ASSERT_EQ(::mkfifo(path("fifo.orv").c_str(), 0600), 0);
    writeText("empty.json", "{}");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string mention;
    };
    const std::vector<Case> cases = {
        {"new into a FIFO", {"new", "-o", path("fifo.orv")}, "pipe (FIFO)"},
        {"import into a FIFO", {"import", path("empty.json"), "-o", path("fifo.orv")}, "pipe (FIFO)"},
        {"export into a device", {"export", path("real.orv"), "-o", device.path}, "character device"},
        {"new into a device", {"new", "-o", device.path}, "character device"},
        {"new into an empty name", {"new", "-o", ""}, "empty"},
        {"move into a FIFO", {"move", path("real.orv"), "--from", "1", "--to", "2", "-o", path("fifo.orv")},
         "pipe (FIFO)"},
    };
    ASSERT_EQ(run({"new", "-o", path("real.orv")}).exitCode, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CliResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.errLines().size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
    }
    struct stat st {};
    ASSERT_EQ(::lstat(path("fifo.orv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::stat(device.path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));

    // A link to a FIFO is refused the same way; a link to a file is written through.
    fs::create_symlink("fifo.orv", dir / "to-fifo.orv");
    EXPECT_EQ(run({"new", "-o", path("to-fifo.orv")}).exitCode, 2);
    fs::create_symlink("real.orv", dir / "to-real.orv");
    writeText("real.orv", "old");
    ASSERT_EQ(run({"new", "-o", path("to-real.orv")}).exitCode, 0);
    EXPECT_TRUE(fs::is_symlink(dir / "to-real.orv"));
    EXPECT_EQ(fs::file_size(dir / "real.orv"), 6019u);
}

TEST_F(CliHostile, RadioCommandsRefuseBadNamesBeforeTouchingTheRadio) {
    orv::RadioSim sim;
    sim.start();
    ASSERT_EQ(run({"new", "-o", path("good.orv")}).exitCode, 0);
    ASSERT_EQ(::mkfifo(path("fifo.orv").c_str(), 0600), 0);
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string mention;
    };
    const std::vector<Case> cases = {
        {"read from an empty port name", {"read", "--port", "", "-o", path("out.orv")}, "--port"},
        {"write to an empty port name", {"write", "--port", "", "-i", path("good.orv"), "--yes"}, "--port"},
        {"read into an empty file name", {"read", "--port", sim.devicePath(), "-o", ""}, "--output"},
        {"read into a FIFO", {"read", "--port", sim.devicePath(), "-o", path("fifo.orv")}, "pipe (FIFO)"},
        {"write with a link timing it does not know",
         {"write", "--port", sim.devicePath(), "-i", path("good.orv"), "--yes", "--link-timing", "fast"},
         "--link-timing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CliResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.errLines().size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.mention), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(path("out.orv")));
    EXPECT_EQ(sim.receivedCount(), 0);
    sim.stop();
}

}  // namespace
