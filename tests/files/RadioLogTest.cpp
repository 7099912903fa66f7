// The radio log's lines and file, and the digest it records: a line goes
// into the log and comes back the same, a damaged line is skipped with a
// warning, lines appended at once from several threads stay whole.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>
#include "files/RadioLog.h"
#include "files/Sha256.h"

using namespace orv;

namespace {

std::string freshFolder(const char* name) {
    const auto dir = std::filesystem::temp_directory_path() / (std::string("orv-log-") + name + "-" +
                                                               std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(dir);
    return dir.string();
}

TEST(Sha256, KnownDigests) {
    struct Case { std::string input; const char* digest; };
    const Case cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        // 56 bytes: the length no longer fits the first block.
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000, 'a'), "41edece42d63e8d9bf515a9ba6932e1c20cbc9f5a5d134645adb5db1b9737ea3"},
    };
    for (const Case& c : cases) EXPECT_EQ(sha256Hex(c.input.data(), c.input.size()), c.digest) << c.input.size();
}

TEST(RadioLog, UtcTimestamps) {
    struct Case { std::time_t when; const char* text; };
    for (const Case& c : {Case{0, "1970-01-01T00:00:00Z"}, Case{951782400, "2000-02-29T00:00:00Z"},
                          Case{1796766968, "2026-12-08T21:56:08Z"}, Case{-1, "1969-12-31T23:59:59Z"}})
        EXPECT_EQ(utcTimestamp(c.when), c.text);
}

RadioLogEntry sample(int n) {
    RadioLogEntry e;
    e.time = utcTimestamp(1796766968 + n);
    e.program = "orvedit-cli";
    e.programVersion = "1.0.0";
    e.operation = "write";
    e.device = "/dev/ttyUSB0";
    e.stableName = "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0";
    e.adapterSerial = "A10KJ3";
    e.radioVersion = "2C00";
    e.fingerprint = "3F2A-91C0";
    e.unit = "Truck " + std::to_string(n);
    e.groups = {1, 2, 15};
    e.globals = true;
    e.sha256Read = std::string(64, 'a');
    e.sha256Written = std::string(64, 'b');
    e.bytesSent = 6016;
    e.result = "failed";
    e.message = "line one\nline two \"quoted\" \x01";
    e.backups = {"20261208-215608-3F2A-91C0-read.orv"};
    return e;
}

TEST(RadioLog, AnEntryIsOneLineAndComesBackTheSame) {
    const RadioLogEntry e = sample(1);
    const std::string line = radioLogLine(e);
    EXPECT_EQ(line.find('\n'), std::string::npos);
    RadioLogEntry back;
    ASSERT_TRUE(parseRadioLogLine(line, back));
    EXPECT_EQ(back, e);
}

TEST(RadioLog, DamagedLinesAreSkippedWithAWarning) {
    const std::string folder = freshFolder("damaged");
    ASSERT_TRUE(appendRadioLog(folder, sample(1)).ok());
    {
        std::ofstream out(folder + "/" + kRadioLogName, std::ios::app);
        out << "{\"time\": \"2026-12-08T21:56:09Z\", \"operation\": \"read\"\n";   // cut short
        out << "[1, 2]\n";                                                           // not an object
        out << "{\"time\": \"x\", \"operation\": \"read\", \"groups\": \"all\"}\n";  // a field of the wrong type
        out << "{\"operation\": \"read\"}\n";                                        // no time
    }
    ASSERT_TRUE(appendRadioLog(folder, sample(2)).ok());
    {
        std::ofstream out(folder + "/" + kRadioLogName, std::ios::app);
        out << "{\"time\": \"2026-12-08T21:56:09Z\", \"operation\": \"read\"}";      // no line end: cut off
    }
    const RadioLogContents log = readRadioLog(folder);
    ASSERT_TRUE(log.status.ok()) << log.status.message;
    ASSERT_EQ(log.entries.size(), 2u);
    EXPECT_EQ(log.entries[0], sample(1));
    EXPECT_EQ(log.entries[1], sample(2));
    EXPECT_EQ(log.warnings, (std::vector<std::string>{
                                "radio-log.jsonl line 2 is damaged and was skipped",
                                "radio-log.jsonl line 3 is damaged and was skipped",
                                "radio-log.jsonl line 4 is damaged and was skipped",
                                "radio-log.jsonl line 5 is damaged and was skipped",
                                "radio-log.jsonl line 7 is damaged and was skipped"}));
    std::filesystem::remove_all(folder);
}

TEST(RadioLog, NoLogYetReadsAsEmpty) {
    const RadioLogContents log = readRadioLog(freshFolder("none"));
    EXPECT_TRUE(log.status.ok());
    EXPECT_TRUE(log.entries.empty());
    EXPECT_TRUE(log.warnings.empty());
}

TEST(RadioLog, LinesAppendedAtOnceStayWhole) {
    const std::string folder = freshFolder("concurrent");
    constexpr int kWriters = 4, kEach = 100;
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w)
        writers.emplace_back([&, w] {
            RadioLogEntry e = sample(w);
            e.message = std::string(3000, char('A' + w));   // long lines: several pages a write
            for (int i = 0; i < kEach; ++i) EXPECT_TRUE(appendRadioLog(folder, e).ok());
        });
    for (auto& t : writers) t.join();
    const RadioLogContents log = readRadioLog(folder);
    EXPECT_TRUE(log.warnings.empty());
    ASSERT_EQ(log.entries.size(), std::size_t(kWriters * kEach));
    for (const RadioLogEntry& e : log.entries) EXPECT_EQ(e.message, std::string(3000, e.message[0]));
    std::filesystem::remove_all(folder);
}

}  // namespace
