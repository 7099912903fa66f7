// orvedit-cli read and write end to end against the simulator: exit codes,
// and the file written only after a complete read.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <chrono>
#include <csignal>
#include <thread>
#include "sim/RadioSim.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> pattern(std::size_t n, unsigned seed) {
    std::vector<uint8_t> v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>((i * 31 + seed * 17 + (i >> 5)) & 0xFF);
    return v;
}

class CliRadio : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("orv-cli-radio-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override {
        if (sim) sim->stop();
        fs::remove_all(dir);
    }
    void startSim(SimOptions o = {}) {
        sim = std::make_unique<RadioSim>(o);
        sim->start();
        std::array<uint8_t, 6016> m{};
        auto p = pattern(6016, 1);
        std::copy(p.begin(), p.end(), m.begin());
        sim->setMemory(m);
    }
    // Runs the tool with stdin from /dev/null; returns its exit status.
    int run(const std::string& args) {
        std::string cmd = std::string(ORVEDIT_CLI) + " " + args + " < /dev/null 2> " + (dir / "err").string();
        int st = std::system(cmd.c_str());
        std::ifstream in(dir / "err");
        err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }
    std::string port() const { return "--port " + sim->devicePath(); }

    // Runs the tool, sends it SIGINT after `ms`, returns its exit status.
    int runInterrupted(const std::vector<std::string>& args, int ms) {
        pid_t pid = ::fork();
        if (pid == 0) {
            std::freopen("/dev/null", "r", stdin);
            std::freopen((dir / "err").c_str(), "w", stderr);
            std::vector<char*> argv{const_cast<char*>(ORVEDIT_CLI)};
            for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(ORVEDIT_CLI, argv.data());
            ::_exit(127);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        ::kill(pid, SIGINT);
        int st = 0;
        ::waitpid(pid, &st, 0);
        std::ifstream in(dir / "err");
        err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }

    fs::path dir;
    std::unique_ptr<RadioSim> sim;
    std::string err;
};

TEST_F(CliRadio, ReadWritesTheWholeImageOnlyAfterACompleteRead) {
    startSim();
    fs::path out = dir / "radio.orv";
    ASSERT_EQ(run("read " + port() + " -o " + out.string()), 0) << err;
    auto bytes = readAll(out);
    ASSERT_EQ(bytes.size(), 6019u);
    auto mem = sim->memory();
    EXPECT_TRUE(std::equal(mem.begin(), mem.end(), bytes.begin()));
    EXPECT_EQ(bytes[6016] | bytes[6017] | bytes[6018], 0);
}

TEST_F(CliRadio, FailedReadLeavesTheFileAsItWas) {
    SimOptions o;
    o.faults.handshakeReply = 0x00;  // refuses at once, no time-outs
    startSim(o);
    fs::path out = dir / "radio.orv";
    EXPECT_EQ(run("read " + port() + " -o " + out.string()), 1);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_NE(err.find("Error Hooking to Radio."), std::string::npos) << err;

    auto old = pattern(6019, 5);
    writeAll(out, old);
    EXPECT_EQ(run("read " + port() + " -o " + out.string() + " --globals"), 1);
    EXPECT_EQ(readAll(out), old);
}

TEST_F(CliRadio, ReadOfOneGroupUpdatesOnlyItsBlocksOfAnExistingFile) {
    startSim();
    fs::path out = dir / "radio.orv";
    EXPECT_EQ(run("read " + port() + " -o " + out.string() + " --group 3"), 2) << "the file must exist";
    EXPECT_FALSE(fs::exists(out));
    auto old = pattern(6019, 9);
    writeAll(out, old);
    ASSERT_EQ(run("read " + port() + " -o " + out.string() + " --group 3"), 0) << err;
    auto now = readAll(out);
    auto mem = sim->memory();
    ASSERT_EQ(now.size(), 6019u);
    for (std::size_t a = 0; a < 6019; ++a) {
        bool inGroup = a >= 32 * 32 && a < 44 * 32;
        ASSERT_EQ(now[a], inGroup ? mem[a] : old[a]) << a;
    }
}

TEST_F(CliRadio, WriteRefusesBadInputAndUnconfirmedWritesWithoutSendingAnything) {
    startSim();
    fs::path in = dir / "short.orv";
    writeAll(in, pattern(6018, 2));
    EXPECT_EQ(run("write " + port() + " -i " + in.string() + " --yes"), 2);
    fs::path good = dir / "good.orv";
    writeAll(good, pattern(6019, 2));
    EXPECT_EQ(run("write " + port() + " -i " + good.string()), 2) << "no terminal and no --yes";
    EXPECT_NE(err.find("--yes"), std::string::npos) << err;
    EXPECT_EQ(run("write " + port() + " -i " + good.string() + " --yes --group 3 --globals"), 2);
    EXPECT_EQ(run("write " + port() + " -i " + good.string() + " --yes --group 16"), 2);
    EXPECT_TRUE(sim->received().empty());
}

TEST_F(CliRadio, WriteOfAGroupReachesTheRadio) {
    startSim();
    fs::path in = dir / "good.orv";
    auto img = pattern(6019, 4);
    writeAll(in, img);
    ASSERT_EQ(run("write " + port() + " -i " + in.string() + " --yes --group 2"), 0) << err;
    auto mem = sim->memory();
    for (int a = 21 * 32; a < 32 * 32; ++a) ASSERT_EQ(mem[static_cast<std::size_t>(a)], img[static_cast<std::size_t>(a)]) << a;
    EXPECT_EQ(mem[20 * 32] & 0x20, img[20 * 32] & 0x20);
}

TEST_F(CliRadio, WriteThatTheRadioDoesNotAcknowledgeExitsOne) {
    SimOptions o;
    o.faults.handshakeReply = 0x00;
    startSim(o);
    fs::path in = dir / "good.orv";
    writeAll(in, pattern(6019, 4));
    EXPECT_EQ(run("write " + port() + " -i " + in.string() + " --yes --globals --retries 1"), 1);
    // One Retry allowed: two hook series.
    std::size_t n = 0;
    for (std::size_t p = err.find("Error Hooking to Radio."); p != std::string::npos;
         p = err.find("Error Hooking to Radio.", p + 1))
        ++n;
    EXPECT_EQ(n, 2u) << err;
    EXPECT_NE(err.find("Write Global Failed"), std::string::npos) << err;
}

TEST_F(CliRadio, CtrlCStopsAReadWithoutWritingAndAWriteAfterTheCurrentBlock) {
    SimOptions o;
    o.realtime = true;  // slow enough to be interrupted half-way
    o.version = 0x2000;
    startSim(o);
    fs::path out = dir / "radio.orv";
    auto old = pattern(6019, 6);
    writeAll(out, old);
    EXPECT_EQ(runInterrupted({"read", "--port", sim->devicePath(), "-o", out.string()}, 1200), 130) << err;
    EXPECT_EQ(readAll(out), old);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the simulator reads on its own thread
    ASSERT_EQ(sim->received().back(), 0x01) << "the radio is released";

    sim->clearTrace();
    EXPECT_EQ(runInterrupted({"write", "--port", sim->devicePath(), "-i", out.string(), "--yes", "--skip-globals"},
                             1500), 130) << err;
    // Stopped after a whole block: what came last is a complete block write, then the release.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    auto r = sim->received();
    ASSERT_GE(r.size(), 36u);
    EXPECT_EQ(r.back(), 0x01);
    std::size_t blocks = 0;
    for (std::size_t i = 0; i < r.size(); ++i)
        if (r[i] == 0xD4 && i + 34 <= r.size()) ++blocks, i += 33;
    EXPECT_GT(blocks, 0u);
    EXPECT_LT(blocks, 165u);
}

}  // namespace
}  // namespace orv
