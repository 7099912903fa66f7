// The orv-radiosim program: device path first, memory saved on SIGTERM,
// clear refusal of bad image files.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

#include "ChildProcess.h"
#include "PtyClient.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

// orv-radiosim with `args`, its stdout and stderr through pipes.
std::unique_ptr<orv::test::ChildProcess> spawn(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ORV_RADIOSIM_EXE};
    argv.insert(argv.end(), args.begin(), args.end());
    return std::make_unique<orv::test::ChildProcess>(argv, orv::test::Output::pipe(), orv::test::Output::pipe());
}

std::string readLine(int fd) {
    std::string line;
    char ch;
    while (true) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) <= 0) break;
        if (read(fd, &ch, 1) != 1 || ch == '\n') break;
        line += ch;
    }
    return line;
}

std::string readAll(int fd) {
    std::string s;
    char buf[512];
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) s.append(buf, static_cast<std::size_t>(n));
    return s;
}

Bytes slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void spit(const fs::path& p, const Bytes& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                             static_cast<std::streamsize>(b.size()));
}

struct TempDir {
    TempDir() {
        char tmpl[] = "/tmp/orvsimXXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { fs::remove_all(path); }
    fs::path path;
};

}  // namespace

TEST(OrvRadiosim, PrintsThePathFirstAndSavesMemoryOnSigterm) {
    TempDir dir;
    Bytes image(6019);
    for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i % 251);
    spit(dir.path / "in.orv", image);
    const fs::path saved = dir.path / "out.orv";
    const fs::path trace = dir.path / "trace.txt";

    auto c = spawn({"--image", (dir.path / "in.orv").string(), "--save", saved.string(), "--trace",
                     trace.string(), "--radio-version", "2AA9"});
    const std::string path = readLine(c->outFd);
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    {
        PtyClient cl(path);
        ASSERT_EQ(cl.hook(), Bytes{0x12});
        cl.send({0x2B});
        EXPECT_EQ(cl.read(1), Bytes{0x2A});
        Bytes frame{0xD4, 30};
        frame.insert(frame.end(), 32, 0x5A);
        cl.send(frame);
        EXPECT_EQ(cl.read(1), Bytes{0x01});
    }
    c->signal(SIGTERM);
    EXPECT_EQ(c->exitCode(), 0) << readAll(c->errFd);

    Bytes expected = image;
    std::fill(expected.begin() + 32 * 30, expected.begin() + 32 * 31, 0x5A);
    EXPECT_EQ(slurp(saved), expected);  // the three bytes past the radio memory come from --image

    std::ifstream t(trace);
    std::string first;
    std::getline(t, first);
    EXPECT_EQ(first.substr(0, 2), "R ");
    EXPECT_NE(first.find(" 00 4800"), std::string::npos) << first;
}

// --version WORD is the old spelling of --radio-version WORD: still taken,
// with a warning.
TEST(OrvRadiosim, TakesTheOldSpellingOfTheRadiosVersionWithAWarning) {
    auto c = spawn({"--version", "2AA9"});
    const std::string path = readLine(c->outFd);
    ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
    {
        PtyClient cl(path);
        ASSERT_EQ(cl.hook(), Bytes{0x12});
        cl.send({0x2B});
        EXPECT_EQ(cl.read(1), Bytes{0x2A});
    }
    c->signal(SIGTERM);
    EXPECT_EQ(c->exitCode(), 0);
    EXPECT_EQ(readAll(c->errFd),
              "orv-radiosim: warning: --version 2AA9 is the old spelling of --radio-version 2AA9\n");
}

TEST(OrvRadiosim, RefusesBadImageFilesWithAMessage) {
    TempDir dir;
    spit(dir.path / "short.orv", Bytes(100));
    struct Case { std::string file; std::string says; };
    for (const Case& k : {Case{(dir.path / "short.orv").string(), "100 bytes"},
                          Case{(dir.path / "missing.orv").string(), "cannot open"}}) {
        auto c = spawn({"--image", k.file});
        const std::string out = readAll(c->outFd);
        const std::string err = readAll(c->errFd);
        EXPECT_NE(c->exitCode(), 0);
        EXPECT_TRUE(out.empty()) << out;
        EXPECT_NE(err.find(k.file), std::string::npos) << err;
        EXPECT_NE(err.find(k.says), std::string::npos) << err;
    }
}

TEST(OrvRadiosim, SavesA6016ByteImageWithZeroTail) {
    TempDir dir;
    Bytes image(6016, 0x33);
    spit(dir.path / "bare.bin", image);
    auto c = spawn({"--image", (dir.path / "bare.bin").string(), "--save", (dir.path / "out.orv").string()});
    ASSERT_FALSE(readLine(c->outFd).empty());
    c->signal(SIGINT);
    EXPECT_EQ(c->exitCode(), 0);
    image.insert(image.end(), 3, 0x00);
    EXPECT_EQ(slurp(dir.path / "out.orv"), image);
}

namespace {

long residentKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Writes every byte, waiting whenever the pty's buffer is full.
void writeAll(int fd, const Bytes& bytes) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        const ssize_t w = ::write(fd, bytes.data() + sent, bytes.size() - sent);
        if (w > 0) {
            sent += static_cast<std::size_t>(w);
        } else {
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, 100);
        }
    }
}

// Sends `n` wake-up bytes (the radio answers none), then the handshake, so
// that the radio has taken every byte when its answer comes.
void feed(const std::string& path, std::size_t n) {
    PtyClient cl(path);
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    writeAll(fd, Bytes(n, 0x00));
    writeAll(fd, {0x0A, 0x14, 0x28});
    ::close(fd);
    EXPECT_EQ(cl.read(1, 5000), Bytes{0x12});
}

}  // namespace

// The byte trace is kept only when it is to be written: without --trace a
// long session does not make the program grow.
TEST(OrvRadiosim, KeepsTheTraceInMemoryOnlyWithTraceOption) {
    TempDir dir;
    constexpr std::size_t kBytes = 1 << 20;  // a trace entry per byte would be over 16 MiB
    struct Case { bool trace; bool grows; };
    for (const Case& k : {Case{false, false}, Case{true, true}}) {
        std::vector<std::string> args;
        if (k.trace) args = {"--trace", (dir.path / "t.txt").string()};
        auto c = spawn(args);
        const std::string path = readLine(c->outFd);
        ASSERT_EQ(path.rfind("/dev/", 0), 0u) << path;
        feed(path, 4096);
        const long before = residentKiB(c->pid());
        feed(path, kBytes);
        const long growth = residentKiB(c->pid()) - before;
        EXPECT_EQ(growth > 8 * 1024, k.grows) << "grew by " << growth << " KiB, trace " << k.trace;
        c->signal(SIGTERM);
        EXPECT_EQ(c->exitCode(), 0);
    }
}

// --link names the pseudo-terminal by a path that stays the same from run to
// run: a link an earlier run left is taken over, the link goes at exit, and
// a file that is not a link is never replaced.
TEST(OrvRadiosim, LinkNamesThePseudoTerminalWhileItRuns) {
    TempDir dir;
    const fs::path link = dir.path / "radio-link";
    fs::create_symlink("/dev/pts/stale", link);
    for (int sig : {SIGTERM, SIGHUP}) {
        auto c = spawn({"--link", link.string()});
        const std::string path = readLine(c->outFd);
        ASSERT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::read_symlink(link).string(), path);
        {
            PtyClient cl(link.string());
            EXPECT_EQ(cl.hook(), Bytes{0x12});
        }
        c->signal(sig);
        EXPECT_EQ(c->exitCode(), 0) << readAll(c->errFd);
        EXPECT_FALSE(fs::exists(fs::symlink_status(link)));
    }
    std::ofstream(link) << "mine";
    auto c = spawn({"--link", link.string()});
    EXPECT_EQ(c->exitCode(), 1);
    EXPECT_NE(readAll(c->errFd).find("not a symbolic link"), std::string::npos);
    EXPECT_EQ(slurp(link), (Bytes{'m', 'i', 'n', 'e'}));
}
