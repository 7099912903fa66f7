// Replacing and copying a file, the names a save refuses, folders, the
// per-user data folder and the lock, checked the same way on every
// platform; the expectations that differ come from the platform table.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <future>
#include <map>
#include <iterator>
#include <thread>
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Platform.h"
#include "platform/TestHooks.h"

namespace fs = std::filesystem;
using orv::FileStatus;
namespace platform = orv::platform;

namespace {

class PlatformFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("orv-platform-") + info->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_ / "file", fs::perms::owner_all, ec);
        fs::remove_all(dir_, ec);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string contents(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    std::size_t entries() const { return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {})); }

    fs::path dir_;
};

// Windows keeps the device names in every folder, with any extension and in
// any case; elsewhere they are ordinary names.
TEST_F(PlatformFiles, ReservedDeviceNamesAreRefusedOnlyWhereTheSystemReservesThem) {
    struct Row {
        const char* name;
        bool reservedOnWindows;
    };
    const Row rows[] = {
        {"CON", true},        {"con.txt", true},   {"Nul.orv", true},    {"AUX", true},
        {"prn.tar.gz", true}, {"COM1", true},      {"com9.orv", true},   {"LPT1", true},
        {"lpt9", true},       {"CON .orv", true},  {"CONSOLE", false},   {"COM10", false},
        {"COM0", false},      {"LPT", false},      {"xNUL.orv", false},  {"con-fig.orv", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const FileStatus st = platform::checkReplaceTarget(path(row.name));
        if (platform::kWindows && row.reservedOnWindows) {
            EXPECT_EQ(st.kind, FileStatus::Kind::NotRegular);
            EXPECT_TRUE(st.badTarget());
            EXPECT_NE(st.message.find(row.name), std::string::npos) << st.message;
        } else {
            EXPECT_TRUE(st.ok()) << st.message;
        }
    }
    // A device reached through its path is refused everywhere.
    if (!platform::kWindows) {
        EXPECT_EQ(platform::checkReplaceTarget("/dev/zero").kind, FileStatus::Kind::NotRegular);
    }
}

// The save as the layer does it: a new file, then a replacement, and
// nothing else left beside the target.
TEST_F(PlatformFiles, ReplaceWritesTheWholeContentAndLeavesNoTemporaryFile) {
    const std::string target = path("file");
    const std::string first(70000, 'a'), second = "short";
    ASSERT_TRUE(platform::replaceFile(target, first.data(), first.size()).ok());
    EXPECT_EQ(contents(target), first);
    ASSERT_TRUE(platform::replaceFile(target, second.data(), second.size()).ok());
    EXPECT_EQ(contents(target), second);
    EXPECT_EQ(entries(), 1u);

    // The same file named relative to the current folder and with forward
    // slashes, as a command line gives it.
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    const FileStatus relative = platform::replaceFile("file", first.data(), first.size());
    fs::current_path(before);
    ASSERT_TRUE(relative.ok()) << relative.message;
    const FileStatus slashed = platform::replaceFile((dir_ / "file").generic_string(), second.data(), second.size());
    ASSERT_TRUE(slashed.ok()) << slashed.message;
    EXPECT_EQ(contents(target), second);
    EXPECT_EQ(entries(), 1u);

    std::string back;
    long long size = 0;
    ASSERT_TRUE(platform::readUpTo(target, true, 3, back, size).ok());
    EXPECT_EQ(back, "sho");
    EXPECT_EQ(size, 5);
}

TEST_F(PlatformFiles, ReplaceRefusesAWriteProtectedFileAndLeavesItAlone) {
    const std::string target = path("file");
    std::ofstream(target) << "kept";
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (platform::mayReadAndWrite(target)) GTEST_SKIP() << "this user may write any file";
    const FileStatus st = platform::replaceFile(target, "new", 3);
    EXPECT_EQ(st.kind, FileStatus::Kind::Unwritable);
    EXPECT_EQ(contents(target), "kept");
    EXPECT_EQ(entries(), 1u);
}

// Folders are made through every level, in the platform's own separators,
// and a file in the way is reported, never taken for a folder.
TEST_F(PlatformFiles, FoldersAreMadeAndListedWithWhatTheyHold) {
    const std::string deep = platform::inFolder(platform::inFolder(path("a"), "b"), "c");
    ASSERT_EQ(platform::makeFolders(deep), 0);
    EXPECT_TRUE(fs::is_directory(deep));
    EXPECT_EQ(platform::makeFolders(deep), 0);   // already there

    const std::string file = path("file");
    std::ofstream(file) << "x";
    EXPECT_EQ(platform::makeFolders(file), ENOTDIR);
    EXPECT_NE(platform::makeFolders(platform::inFolder(file, "below")), 0);
    EXPECT_EQ(platform::nameState(file), EEXIST);
    EXPECT_EQ(platform::nameState(path("missing")), 0);

    std::string read;
    long long size = 0;
    EXPECT_EQ(platform::readUpTo(path("a"), false, 10, read, size).errorNumber, EISDIR);

    bool sawFile = false, sawFolder = false;
    const long long now = static_cast<long long>(std::time(nullptr)) * 1'000'000'000LL;
    for (const platform::FolderEntry& e : platform::listFolder(dir_.string())) {
        if (e.name == "file") {
            sawFile = true;
            EXPECT_TRUE(e.regular);
            // Within a day of now: the time is counted from 1970, in nanoseconds.
            EXPECT_LT(std::llabs(e.modifiedNs - now), 86'400'000'000'000LL);
        } else if (e.name == "a") {
            sawFolder = true;
            EXPECT_FALSE(e.regular);
        } else {
            ADD_FAILURE() << "unexpected entry " << e.name;
        }
    }
    EXPECT_TRUE(sawFile && sawFolder);
    platform::removeFile(file);
    EXPECT_EQ(platform::nameState(file), 0);
}

// A second holder of the lock waits until the first lets go (the hook says
// when it has found the lock held and waits); one that will not wait is
// refused at once.
std::promise<void>* g_secondWaits = nullptr;

TEST_F(PlatformFiles, AFileLockIsHeldByOneAtATime) {
    const std::string lockFile = path(".lock");
    std::promise<void> secondWaits;
    g_secondWaits = &secondWaits;
    platform::hooks::setLockWaitHook([] { g_secondWaits->set_value(); });
    std::atomic<bool> secondHolds{false};
    std::thread second;
    {
        platform::FileLock first(lockFile);
        ASSERT_EQ(first.error(), 0);
        EXPECT_EQ(platform::FileLock(lockFile, platform::LockWait::No).error(), EWOULDBLOCK);
        second = std::thread([&] {
            platform::FileLock lock(lockFile);
            secondHolds = lock.error() == 0;
        });
        const bool waits = secondWaits.get_future().wait_for(std::chrono::seconds(60)) == std::future_status::ready;
        EXPECT_TRUE(waits) << "the second holder found the lock held";
        EXPECT_FALSE(secondHolds);
    }
    second.join();
    platform::hooks::setLockWaitHook(nullptr);
    EXPECT_TRUE(secondHolds);
    EXPECT_EQ(platform::FileLock(lockFile, platform::LockWait::No).error(), 0) << "free again";
}

// One answer per system for the per-user data folder, whatever else the
// environment holds; ORVEDIT_DATA_DIR names it on every system.
TEST_F(PlatformFiles, TheDataFolderComesFromTheEnvironment) {
    struct Row {
        const char* dataDir;
        const char* xdg;
        const char* home;
        const char* appData;
        const char* posix;
        const char* windows;
    };
    const Row rows[] = {
        {"/d", "/x", "/h", "C:\\A", "/d", "/d"},
        {"", "/x", "/h", "C:\\A", "/x/ORVEDIT/ORVEDIT", "C:\\A\\ORVEDIT"},
        {"", "", "/h", "C:\\A", "/h/.local/share/ORVEDIT/ORVEDIT", "C:\\A\\ORVEDIT"},
        {"", "relative", "/h", "", "/h/.local/share/ORVEDIT/ORVEDIT", ""},
        {"", "/x", "", "", "/x/ORVEDIT/ORVEDIT", ""},
        {"", "", "", "", "", ""},
    };
    for (const Row& row : rows) {
        const std::map<std::string, std::string> env = {
            {"ORVEDIT_DATA_DIR", row.dataDir}, {"XDG_DATA_HOME", row.xdg}, {"HOME", row.home}, {"APPDATA", row.appData}};
        const platform::Environment lookup = [&](const char* name) {
            const auto it = env.find(name);
            return it == env.end() ? std::string() : it->second;
        };
        const std::string expected = platform::kWindows ? row.windows : row.posix;
        SCOPED_TRACE(expected);
        EXPECT_EQ(platform::dataFolderIn(lookup), expected);
    }
    EXPECT_EQ(platform::dataFolder(), platform::dataFolderIn(platform::environmentValue));
}

// A copy takes the target's place whole or not at all: a source that cannot
// be read whole leaves the target as it was.
TEST_F(PlatformFiles, ACopyReplacesTheTargetWholeOrNotAtAll) {
    std::ofstream(path("source"), std::ios::binary) << "0123456789";
    ASSERT_EQ(platform::makeFolders(path("folder")), 0);
    struct Row {
        const char* source;
        std::size_t cap;
        FileStatus::Kind kind;
    };
    const Row rows[] = {
        {"source", 10, FileStatus::Kind::Ok},
        {"source", 9, FileStatus::Kind::TooLarge},
        {"missing", 100, FileStatus::Kind::NotFound},
        {"folder", 100, FileStatus::Kind::System},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        std::ofstream(path("target"), std::ios::binary) << "old";
        const FileStatus st = platform::copyFile(path(row.source), path("target"), row.cap);
        EXPECT_EQ(st.kind, row.kind) << st.message;
        EXPECT_EQ(contents(path("target")), st.ok() ? "0123456789" : "old");
        if (!st.ok()) {
            EXPECT_NE(st.message.find(row.source), std::string::npos) << st.message;
        }
    }
    // A new target is made.
    ASSERT_TRUE(platform::copyFile(path("source"), path("new"), 100).ok());
    EXPECT_EQ(contents(path("new")), "0123456789");
    EXPECT_EQ(entries(), 4u);
}

}  // namespace
