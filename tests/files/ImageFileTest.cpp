#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "ChildProcess.h"
#include "files/ImageFile.h"

namespace fs = std::filesystem;
using orv::FileStatus;
using orv::MemoryImage;

namespace {

class ImageFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "orv-imagefile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    static MemoryImage pattern(int seed) {
        MemoryImage img;
        for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>((a * 7 + seed) & 0xFF);
        return img;
    }
    static std::string readBytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void writeBytes(const fs::path& p, const std::string& bytes) {
        std::ofstream out(p, std::ios::binary);
        out << bytes;
    }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path dir;
};

TEST_F(ImageFileTest, SaveWritesTheImageByteForByteAndLoadReadsItBack) {
    const MemoryImage img = pattern(3);
    const fs::path file = dir / "radio.orv";
    ASSERT_TRUE(orv::saveImageFile(file.string(), img).ok());

    const std::string bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), 6019u);
    for (int a = 0; a < MemoryImage::kSize; ++a) ASSERT_EQ(static_cast<uint8_t>(bytes[a]), img[a]) << a;
    EXPECT_EQ(entries(), std::vector<std::string>{"radio.orv"});  // no temporary file left over

    MemoryImage back;
    ASSERT_TRUE(orv::loadImageFile(file.string(), back).ok());
    EXPECT_EQ(back, img);
}

TEST_F(ImageFileTest, SaveReplacesAnExistingFileAndKeepsItsPermissions) {
    const fs::path file = dir / "radio.frq";
    writeBytes(file, "old contents");
    ::chmod(file.c_str(), 0640);
    ASSERT_TRUE(orv::saveImageFile(file.string(), pattern(9)).ok());
    EXPECT_EQ(readBytes(file).size(), 6019u);
    struct stat st{};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(ImageFileTest, SaveThroughASymbolicLinkReplacesTheFileItNames) {
    const fs::path real = dir / "real.orv";
    const fs::path link = dir / "link.orv";
    writeBytes(real, "x");
    fs::create_symlink("real.orv", link);
    ASSERT_TRUE(orv::saveImageFile(link.string(), pattern(1)).ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(real).size(), 6019u);
}

TEST_F(ImageFileTest, LoadRefusesAnythingButExactlyOneImageAndLeavesTheImageUntouched) {
    struct Case {
        const char* name;
        std::size_t size;  // bytes in the file; SIZE_MAX = no file, 0 with dirFlag = a folder
        bool folder;
        FileStatus::Kind kind;
    };
    const Case cases[] = {
        {"missing", SIZE_MAX, false, FileStatus::Kind::NotFound},
        {"empty", 0, false, FileStatus::Kind::WrongSize},
        {"one byte short", 6018, false, FileStatus::Kind::WrongSize},
        {"one byte long", 6020, false, FileStatus::Kind::WrongSize},
        {"radio memory only", 6016, false, FileStatus::Kind::WrongSize},
        {"much too long", 100000, false, FileStatus::Kind::WrongSize},
        {"a folder", 0, true, FileStatus::Kind::System},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir / (std::string(c.name) + ".orv");
        if (c.folder)
            fs::create_directory(file);
        else if (c.size != SIZE_MAX)
            writeBytes(file, std::string(c.size, '\x55'));

        MemoryImage img = pattern(42);
        const MemoryImage before = img;
        FileStatus st = orv::loadImageFile(file.string(), img);
        EXPECT_FALSE(st.ok());
        EXPECT_EQ(st.kind, c.kind);
        EXPECT_NE(st.message.find(file.string()), std::string::npos) << st.message;
        EXPECT_EQ(st.message.find('\n'), std::string::npos);
        EXPECT_EQ(img, before);
        if (c.kind == FileStatus::Kind::NotFound) {
            EXPECT_EQ(st.errorNumber, ENOENT);
            EXPECT_NE(st.message.find(std::strerror(ENOENT)), std::string::npos) << st.message;
        }
        if (c.kind == FileStatus::Kind::WrongSize) {
            EXPECT_NE(st.message.find("6019"), std::string::npos) << st.message;
        }
    }
}

TEST_F(ImageFileTest, SaveIntoAFolderThatCannotTakeTheFileReportsTheReason) {
    writeBytes(dir / "plain", "x");
    struct Case {
        fs::path path;
        int errorNumber;
    };
    const Case cases[] = {
        {dir / "no-such-folder" / "radio.orv", ENOENT},
        {dir / "plain" / "radio.orv", ENOTDIR},
        {dir, EISDIR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.string());
        FileStatus st = orv::saveImageFile(c.path.string(), pattern(0));
        EXPECT_FALSE(st.ok());
        EXPECT_EQ(st.errorNumber, c.errorNumber);
        EXPECT_NE(st.message.find(c.path.string()), std::string::npos) << st.message;
        EXPECT_NE(st.message.find(std::strerror(c.errorNumber)), std::string::npos) << st.message;
    }
    EXPECT_EQ(entries(), std::vector<std::string>{"plain"});
}

TEST_F(ImageFileTest, SaveIntoAReadOnlyFolderFailsWithoutLeavingAnything) {
    if (::geteuid() == 0) GTEST_SKIP() << "folder permissions do not bind the superuser";
    const fs::path sub = dir / "ro";
    fs::create_directory(sub);
    writeBytes(sub / "radio.orv", "keep");
    fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
    FileStatus st = orv::saveImageFile((sub / "radio.orv").string(), pattern(0));
    fs::permissions(sub, fs::perms::owner_all);
    EXPECT_FALSE(st.ok());
    EXPECT_EQ(st.errorNumber, EACCES);
    EXPECT_EQ(readBytes(sub / "radio.orv"), "keep");
}

// A save that fails after the temporary file was created (here: the write
// runs into the file size limit) must leave the old file and no temporary.
TEST_F(ImageFileTest, ExistingFileSurvivesASaveThatFailsHalfWay) {
    const fs::path file = dir / "radio.orv";
    writeBytes(file, "the old programming");

    const int code = orv::test::runForked([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit lim{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        FileStatus st = orv::saveImageFile(file.string(), pattern(5));
        return st.ok() ? 0 : st.errorNumber == EFBIG ? 3 : 4;
    });
    EXPECT_EQ(code, 3);
    EXPECT_EQ(readBytes(file), "the old programming");
    EXPECT_EQ(entries(), std::vector<std::string>{"radio.orv"});
}

// The rules for the file a save replaces hold for every caller (the editor's
// Save and orvedit-cli alike), so they are checked here once.
TEST_F(ImageFileTest, SaveRefusesTargetsThatAreNotRegularFilesAndLeavesThemAlone) {
    // A character device of our own (a pseudo-terminal's slave side), never
    // a system one that a wrong save would replace.
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string device = ::ptsname(master);
    // An anonymous pipe by its /proc name, as /dev/stdout names one.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const std::string procPipe = "/proc/self/fd/" + std::to_string(ends[1]);
    ASSERT_EQ(::mkfifo((dir / "pipe.orv").c_str(), 0600), 0);
    fs::create_symlink("pipe.orv", dir / "to-pipe.orv");
    fs::create_symlink("loop-b.orv", dir / "loop-a.orv");
    fs::create_symlink("loop-a.orv", dir / "loop-b.orv");
    struct Case {
        std::string path;
        FileStatus::Kind kind;
        std::string mention;
    };
    const Case cases[] = {
        {(dir / "pipe.orv").string(), FileStatus::Kind::NotRegular, "pipe (FIFO)"},
        {(dir / "to-pipe.orv").string(), FileStatus::Kind::NotRegular, "pipe (FIFO)"},
        {device, FileStatus::Kind::NotRegular, "character device"},
        {procPipe, FileStatus::Kind::NotRegular, "pipe (FIFO)"},
        {(dir / "loop-a.orv").string(), FileStatus::Kind::Unwritable, std::strerror(ELOOP)},
        {dir.string(), FileStatus::Kind::Unwritable, std::strerror(EISDIR)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        for (FileStatus st : {orv::checkSaveTarget(c.path), orv::saveImageFile(c.path, pattern(1))}) {
            EXPECT_EQ(st.kind, c.kind);
            EXPECT_NE(st.message.find(c.path), std::string::npos) << st.message;
            EXPECT_NE(st.message.find(c.mention), std::string::npos) << st.message;
        }
    }
    struct stat st{};
    ASSERT_EQ(::lstat((dir / "pipe.orv").c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    ASSERT_EQ(::stat(device.c_str(), &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    ::close(master);
    ::close(ends[0]);
    ::close(ends[1]);
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a.orv"));
    EXPECT_EQ(entries(), (std::vector<std::string>{"loop-a.orv", "loop-b.orv", "pipe.orv", "to-pipe.orv"}));
    EXPECT_TRUE(orv::checkSaveTarget((dir / "new.orv").string()).ok());
}

// The folder would let a rename replace the file, but its mode says this
// user may not write it. The superuser checks it as another user.
TEST_F(ImageFileTest, SaveRefusesAWriteProtectedFileAndLeavesItAlone) {
    const fs::path file = dir / "protected.orv";
    writeBytes(file, "keep");
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
    const int code = orv::test::runForked([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 5;
        const FileStatus check = orv::checkSaveTarget(file.string());
        const FileStatus st = orv::saveImageFile(file.string(), pattern(3));
        const bool said = st.message.find("write-protected") != std::string::npos;
        return check.kind == FileStatus::Kind::Unwritable && st.kind == FileStatus::Kind::Unwritable && said ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(file), "keep");
    EXPECT_EQ(entries(), std::vector<std::string>{"protected.orv"});
}

// The temporary file's name stays within the folder's name limit however
// long the target's legal name is.
TEST_F(ImageFileTest, SaveUnderTheLongestLegalNameWorks) {
    const long limit = ::pathconf(dir.c_str(), _PC_NAME_MAX);
    for (std::size_t length : {std::size_t{200}, static_cast<std::size_t>(limit)}) {
        const std::string name(length - 4, 'n');
        SCOPED_TRACE(length);
        ASSERT_TRUE(orv::saveImageFile((dir / (name + ".orv")).string(), pattern(4)).ok());
        EXPECT_EQ(readBytes(dir / (name + ".orv")).size(), 6019u);
        fs::remove(dir / (name + ".orv"));
    }
    EXPECT_TRUE(entries().empty());
}

// /dev/stdout names the stream the program already writes: an appended log
// keeps its lines instead of being replaced.
TEST_F(ImageFileTest, SaveToTheProgramsOwnOutputWritesToTheOpenStream) {
    const fs::path log = dir / "log.txt";
    writeBytes(log, "earlier line\n");
    const int code = orv::test::runForked([&] {
        const int fd = ::open(log.c_str(), O_WRONLY | O_APPEND);
        if (fd < 0 || ::dup2(fd, STDOUT_FILENO) < 0) return 5;
        const std::string text = "exported\n";
        const bool ok = orv::checkSaveTarget("/dev/stdout").ok() &&
                        orv::saveFileAtomically("/dev/stdout", text.data(), text.size()).ok();
        return ok ? 0 : 4;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(log), "earlier line\nexported\n");
    EXPECT_EQ(entries(), std::vector<std::string>{"log.txt"});
}

TEST_F(ImageFileTest, SaveKeepsTheOwnerAndGroupOfTheFileItReplaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only the superuser may give a file to another user";
    const fs::path file = dir / "theirs.orv";
    writeBytes(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chmod(file.c_str(), 02664), 0);
    ASSERT_TRUE(orv::saveImageFile(file.string(), pattern(2)).ok());
    struct stat st{};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 02664u);
    EXPECT_EQ(readBytes(file).size(), 6019u);
}

TEST_F(ImageFileTest, ReadWholeFileStopsAtItsLimitWhateverTheFileIs) {
    writeBytes(dir / "small.json", "{}");
    writeBytes(dir / "exact.json", std::string(100, 'x'));
    writeBytes(dir / "over.json", std::string(101, 'x'));
    struct Case {
        std::string path;
        FileStatus::Kind kind;
        std::size_t size;
    };
    const Case cases[] = {
        {(dir / "small.json").string(), FileStatus::Kind::Ok, 2},
        {(dir / "exact.json").string(), FileStatus::Kind::Ok, 100},
        {(dir / "over.json").string(), FileStatus::Kind::TooLarge, 0},
        {"/dev/zero", FileStatus::Kind::TooLarge, 0},
        {(dir / "missing.json").string(), FileStatus::Kind::NotFound, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string out = "unchanged";
        FileStatus st = orv::readWholeFile(c.path, out, 100);
        EXPECT_EQ(st.kind, c.kind);
        if (st.ok()) {
            EXPECT_EQ(out.size(), c.size);
        } else {
            EXPECT_EQ(out, "unchanged");
            EXPECT_NE(st.message.find(c.path), std::string::npos) << st.message;
        }
    }
    // A pipe without a writer is not waited for: it reads as empty.
    ASSERT_EQ(::mkfifo((dir / "pipe.json").c_str(), 0600), 0);
    std::string out = "unchanged";
    EXPECT_TRUE(orv::readWholeFile((dir / "pipe.json").string(), out, 100).ok());
    EXPECT_EQ(out, "");
    // A programming file must be regular: a pipe is refused, not waited for.
    MemoryImage img = pattern(7);
    FileStatus st = orv::loadImageFile((dir / "pipe.json").string(), img);
    EXPECT_EQ(st.kind, FileStatus::Kind::NotRegular);
    EXPECT_EQ(img, pattern(7));
}

}  // namespace
