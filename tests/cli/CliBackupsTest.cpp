// Backups: their names, the newest 200 kept, no two ever the same file, a
// folder that cannot be used; and orvedit-cli read/write keeping them.
#include <gtest/gtest.h>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include "RunCli.h"
#include "files/Backups.h"
#include "sim/RadioSim.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string base(const std::string& path) { return fs::path(path).filename().string(); }

MemoryImage imageOf(uint8_t fill) {
    MemoryImage img;
    for (int i = 0; i < MemoryImage::kSize; ++i) img[i] = static_cast<uint8_t>(fill + i);
    return img;
}

MemoryImage loaded(const std::string& path) {
    MemoryImage img;
    EXPECT_TRUE(loadImageFile(path, img).ok()) << path;
    return img;
}

class Backups : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("orv-backups-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        ::setenv("TZ", "UTC", 1);
        ::tzset();
    }
    void TearDown() override { fs::remove_all(dir); }
    fs::path dir;
};

TEST_F(Backups, AreNamedAfterTheMomentTheRadioAndTheOperation) {
    struct Case { BackupKind kind; std::time_t when; int sequence; const char* fingerprint; const char* name; };
    for (const Case& c : {Case{BackupKind::Read, 0, 1, "", "19700101-000000-read.orv"},
                          Case{BackupKind::Write, 1706745599, 1, "", "20240131-235959-write.orv"},
                          Case{BackupKind::Read, 1706745599, 3, "", "20240131-235959-read-3.orv"},
                          Case{BackupKind::Exit, 1706745599, 2, "", "20240131-235959-exit-2.orv"},
                          Case{BackupKind::Read, 1706745599, 1, "3F2A-91C0", "20240131-235959-3F2A-91C0-read.orv"},
                          Case{BackupKind::Read, 1706745599, 2, "3F2A-91C0", "20240131-235959-3F2A-91C0-read-2.orv"},
                          // not a fingerprint: a name never takes a path or odd text from it
                          Case{BackupKind::Read, 1706745599, 1, "../x/y-zz", "20240131-235959-read.orv"}}) {
        const std::string name = backupFileName(c.kind, c.when, c.sequence, c.fingerprint);
        EXPECT_EQ(name, c.name);
        std::ofstream(dir / name) << "x";
    }
    // Both forms are backups, so the newest 200 of either are kept.
    for (const char* name : {"20240131-235959-3F2A-91C0-write.orv", "20240131-235959-3F2A-91C0-exit-3.orv",
                             "20240131-235959-3F2A-read.orv", "20240131-235959-3f2a-91c0-read.orv"})
        std::ofstream(dir / name) << "x";
    EXPECT_EQ(listBackups(dir.string()).size(), 7u + 2u) << "the last two are not backups' names";
}

TEST_F(Backups, SeveralInTheSameSecondNeverOverwriteEachOther) {
    const std::string folder = (dir / "a" / "b").string();   // created on the way
    std::vector<std::string> paths;
    for (int i = 0; i < 3; ++i) {
        const BackupResult r = keepBackup(imageOf(static_cast<uint8_t>(i)), BackupKind::Read, folder, 1706745599);
        ASSERT_TRUE(r) << r.status.message;
        paths.push_back(r.path);
        EXPECT_TRUE(loaded(r.path) == imageOf(static_cast<uint8_t>(i)));
    }
    EXPECT_EQ(base(paths[0]), "20240131-235959-read.orv");
    EXPECT_EQ(base(paths[1]), "20240131-235959-read-2.orv");
    EXPECT_EQ(base(paths[2]), "20240131-235959-read-3.orv");
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u) << "backups are the user's own";

    // Four threads at once, in the same second.
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) keepBackup(imageOf(static_cast<uint8_t>(t)), BackupKind::Write, folder, 1706745600);
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(listBackups(folder).size(), 43u);
}

TEST_F(Backups, KeepOnlyTheNewestAndNothingButBackups) {
    const std::string folder = dir.string();
    for (const char* other : {"notes.orv", "20240101-000000-read.orv.tmp", "20240101-000000-copy.orv"})
        std::ofstream(dir / other) << "x";
    for (int i = 0; i < 8; ++i)
        ASSERT_TRUE(keepBackup(imageOf(0), i % 2 ? BackupKind::Read : i % 4 ? BackupKind::Write : BackupKind::Exit,
                               folder, 1000000 + i, 5));   // an exit backup is among the five kept
    const auto kept = listBackups(folder);
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(base(kept.front()), backupFileName(BackupKind::Read, 1000003));   // oldest of the five kept
    EXPECT_EQ(base(kept.back()), backupFileName(BackupKind::Read, 1000007));
    for (const char* other : {"notes.orv", "20240101-000000-read.orv.tmp", "20240101-000000-copy.orv"})
        EXPECT_TRUE(fs::exists(dir / other)) << other;
}

// The local time in a name repeats at the end of summer time and jumps with
// a change of time zone: the newest are the last written, and a name that
// looks like ours but names no moment never takes a place among them.
TEST_F(Backups, KeepTheLastWrittenWhateverTheirNamesSay) {
    const std::string folder = dir.string();
    auto writtenAt = [&](const std::string& name, std::time_t t) {
        ASSERT_TRUE(saveImageFile((dir / name).string(), imageOf(1)).ok());
        const timespec times[2] = {{t, 0}, {t, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (dir / name).c_str(), times, 0), 0);
    };
    // Written an hour ago, named an hour later than the clock now says.
    for (int i = 0; i < 3; ++i) writtenAt(backupFileName(BackupKind::Read, 2000000 + i), std::time(nullptr) - 3600 + i);
    writtenAt("20241399-250000-read.orv", std::time(nullptr) + 60);
    const BackupResult r = keepBackup(imageOf(0), BackupKind::Write, folder, 1000000, 3);
    ASSERT_TRUE(r);
    const auto kept = listBackups(folder);
    ASSERT_EQ(kept.size(), 3u);
    EXPECT_EQ(kept.back(), r.path);
    EXPECT_EQ(base(kept.front()), backupFileName(BackupKind::Read, 2000001));
    EXPECT_TRUE(fs::exists(dir / "20241399-250000-read.orv"));
}

TEST_F(Backups, AFolderThatCannotBeUsedIsReportedNotThrown) {
    std::ofstream(dir / "file") << "x";
    const BackupResult r = keepBackup(imageOf(0), BackupKind::Read, (dir / "file" / "backups").string());
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.path.empty());
    EXPECT_NE(r.status.message.find("file/backups"), std::string::npos) << r.status.message;
}

TEST_F(Backups, AFolderWhereNoBackupNameFitsIsReportedAtOnce) {
    // Deep enough that the folder and its lock file fit the system's path
    // limit but no backup name does.
    std::string folder = dir.string();
    while (folder.size() + 200 < PATH_MAX - 20) folder += "/" + std::string(200, 'd');
    folder += "/" + std::string(PATH_MAX - 20 - folder.size() - 2, 'e');
    const BackupResult r = keepBackup(imageOf(0), BackupKind::Write, folder, 1706745600);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.status.errorNumber, ENAMETOOLONG) << r.status.message;
    EXPECT_EQ(r.status.message.rfind("cannot name the backup", 0), 0u) << r.status.message;
}

TEST_F(Backups, TheFolderComesFromTheEnvironment) {
    struct Case { const char* dataDir; const char* xdg; const char* home; std::string folder; };
    const Case cases[] = {
        {"/d", "/x", "/h", "/d/backups"},
        {nullptr, "/x", "/h", "/x/ORVEDIT/ORVEDIT/backups"},
        {nullptr, nullptr, "/h", "/h/.local/share/ORVEDIT/ORVEDIT/backups"},
        {nullptr, "relative", "/h", "/h/.local/share/ORVEDIT/ORVEDIT/backups"},
        {nullptr, nullptr, nullptr, ""},
    };
    const std::string keep[3] = {std::getenv("ORVEDIT_DATA_DIR") ? std::getenv("ORVEDIT_DATA_DIR") : "",
                                 std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "",
                                 std::getenv("HOME") ? std::getenv("HOME") : ""};
    auto set = [](const char* name, const char* value) {
        if (value) ::setenv(name, value, 1);
        else ::unsetenv(name);
    };
    for (const Case& c : cases) {
        set("ORVEDIT_DATA_DIR", c.dataDir);
        set("XDG_DATA_HOME", c.xdg);
        set("HOME", c.home);
        EXPECT_EQ(backupFolder(), c.folder);
    }
    set("ORVEDIT_DATA_DIR", keep[0].empty() ? nullptr : keep[0].c_str());
    set("XDG_DATA_HOME", keep[1].empty() ? nullptr : keep[1].c_str());
    set("HOME", keep[2].empty() ? nullptr : keep[2].c_str());
}

// orvedit-cli read keeps what it read; write keeps what it is about to send,
// also when the write then fails; --no-backup keeps nothing.
TEST_F(Backups, TheCommandLineToolKeepsThem) {
    const std::string data = (dir / "data").string();
    ::setenv("ORVEDIT_DATA_DIR", data.c_str(), 1);
    const std::string folder = data + "/backups";
    RadioSim sim;
    sim.start();
    std::array<uint8_t, 6016> radio{};
    for (std::size_t i = 0; i < radio.size(); ++i) radio[i] = static_cast<uint8_t>(i * 7);
    sim.setMemory(radio);
    const std::string out = (dir / "read.orv").string();

    auto r = orv::test::runCli({"read", "--port", sim.devicePath(), "-o", out}, dir.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto kept = listBackups(folder);
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(base(kept[0]).find("-read"), std::string::npos);
    EXPECT_TRUE(loaded(kept[0]) == loaded(out));

    r = orv::test::runCli({"read", "--port", sim.devicePath(), "-o", out, "--no-backup"}, dir.string());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(listBackups(folder).size(), 1u);

    sim.setFaults(SimFaults{.silent = true});   // the write will fail at the handshake
    const MemoryImage plan = imageOf(9);
    ASSERT_TRUE(saveImageFile((dir / "plan.orv").string(), plan));
    r = orv::test::runCli({"write", "--port", sim.devicePath(), "-i", (dir / "plan.orv").string(), "--yes"}, dir.string());
    EXPECT_EQ(r.exitCode, 1);
    kept = listBackups(folder);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_NE(base(kept[1]).find("-write"), std::string::npos);
    EXPECT_TRUE(loaded(kept[1]) == plan);
    sim.stop();
}

}  // namespace
}  // namespace orv
