// Replacing a file and the names a save refuses, checked the same way on
// every platform; the expectations that differ come from the platform table.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include "platform/Files.h"
#include "platform/Folders.h"
#include "platform/Platform.h"

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

// A second holder of the lock waits until the first lets go.
TEST_F(PlatformFiles, AFileLockIsHeldByOneAtATime) {
    const std::string lockFile = path(".lock");
    std::atomic<bool> secondHolds{false};
    std::thread second;
    {
        platform::FileLock first(lockFile);
        ASSERT_EQ(first.error(), 0);
        second = std::thread([&] {
            platform::FileLock lock(lockFile);
            secondHolds = lock.error() == 0;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        EXPECT_FALSE(secondHolds);
    }
    second.join();
    EXPECT_TRUE(secondHolds);
}

}  // namespace
