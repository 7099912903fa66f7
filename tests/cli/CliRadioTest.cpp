// orvedit-cli read and write end to end against the simulator: exit codes,
// and the file written only after a complete read.
#include <gtest/gtest.h>
#include "link/LinkAdvice.h"
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>
#include <csignal>
#include <cstdlib>
#include "ChildProcess.h"
#include "WaitFor.h"
#include "sim/RadioSim.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::waitFor;

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
    // The tool's command line. It waits 0.1 s per byte and pauses 20 ms
    // instead of the radio's 0.5 s and 500 ms: what is checked here is what
    // it sends.
    static std::vector<std::string> command(std::vector<std::string> args) {
        args.insert(args.begin(), ORVEDIT_CLI);
        args.push_back("--link-timing");
        args.push_back("short");
        return args;
    }
    // Runs the tool (arguments separated by spaces) with stdin from
    // /dev/null; returns its exit status.
    int run(const std::string& args) {
        std::vector<std::string> words;
        std::istringstream in(args);
        for (std::string w; in >> w;) words.push_back(w);
        const test::ChildResult r = test::runChild(command(words));
        err = r.err;
        return r.exitCode;
    }
    std::string port() const { return "--port " + sim->devicePath(); }

    // Runs the tool, sends it SIGINT once the radio has received `bytes`
    // bytes, returns its exit status once it ended and every byte it sent
    // has reached the radio.
    int runInterrupted(const std::vector<std::string>& args, long bytes) {
        const long before = sim->receivedCount();
        test::ChildProcess cli(command(args), test::Output::null(), test::Output::file((dir / "err").string()));
        EXPECT_TRUE(waitFor([&] { return sim->receivedCount() - before >= bytes; }))
            << "the radio got only " << sim->receivedCount() - before << " bytes";
        cli.signal(SIGINT);
        const int code = cli.exitCode();
        std::ifstream in(dir / "err");
        err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return code;
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
    // The box's text, then the same advice the editor gives, for this tool.
    const std::string advice =
        orv::linkAdvice(orv::LinkFailure::NoAnswer, {sim->devicePath(), "given with --port", 0, false});
    EXPECT_NE(err.find("COMM ERROR: Error Hooking to Radio.\n" + advice + "\n"), std::string::npos) << err;

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
    EXPECT_EQ(run("write " + port() + " -i " + in.string() + " --yes --globals --retries 1 --no-read-first"), 1);
    // One Retry allowed: two hook series.
    std::size_t n = 0;
    for (std::size_t p = err.find("Error Hooking to Radio."); p != std::string::npos;
         p = err.find("Error Hooking to Radio.", p + 1))
        ++n;
    EXPECT_EQ(n, 2u) << err;
    EXPECT_NE(err.find("Write Global Failed"), std::string::npos) << err;
}

// How many of `frames` the radio got when `got` is `prologue`, whole frames
// from the first on, then the release 0x01; -1 when it is anything else.
long wholeFramesThenRelease(const std::vector<uint8_t>& got, const std::vector<uint8_t>& prologue,
                            const std::vector<std::vector<uint8_t>>& frames) {
    if (got.size() < prologue.size() + 1 || !std::equal(prologue.begin(), prologue.end(), got.begin()) ||
        got.back() != 0x01)
        return -1;
    std::size_t at = prologue.size();
    for (std::size_t k = 0;; ++k) {
        if (at == got.size() - 1) return static_cast<long>(k);
        if (k == frames.size()) return -1;
        const auto& f = frames[k];
        if (got.size() - 1 - at < f.size() || !std::equal(f.begin(), f.end(), got.begin() + static_cast<long>(at)))
            return -1;
        at += f.size();
    }
}

TEST_F(CliRadio, CtrlCStopsAReadWithoutWritingAndAWriteAfterTheCurrentBlock) {
    SimOptions o;
    o.realtime = true;  // slow enough to be interrupted half-way
    o.version = 0x2000;  // a slow radio: stays at 4800 bit/s, byte-clocked block reads
    startSim(o);
    fs::path out = dir / "radio.orv";
    auto old = pattern(6019, 6);
    writeAll(out, old);

    // The bytes of a whole read and a whole write (blocks 8..187) of this radio.
    std::vector<uint8_t> hook(10, 0x00);
    hook.insert(hook.end(), {0x0A, 0x14, 0x28, 0x2B, 0x00, 0x00, 0x00});
    std::vector<std::vector<uint8_t>> readFrames, writeFrames;
    for (int b = 0; b < 188; ++b) {
        std::vector<uint8_t> f{0xC6, static_cast<uint8_t>(b)};
        f.insert(f.end(), 31, 0x00);
        readFrames.push_back(f);
    }
    for (int b = 8; b < 188; ++b) {
        const auto base = static_cast<std::size_t>(b * 32);
        if ((b - 8) % 12 == 0) {  // a group's first block: only its flag bit, as a masked write
            writeFrames.push_back({0xD1, static_cast<uint8_t>(base >> 8), static_cast<uint8_t>(base & 0xFF), 0x20,
                                   old[base]});
            continue;
        }
        std::vector<uint8_t> f{0xD4, static_cast<uint8_t>(b)};
        f.insert(f.end(), old.begin() + static_cast<long>(base), old.begin() + static_cast<long>(base + 32));
        writeFrames.push_back(f);
    }
    std::vector<uint8_t> writePrologue{0x01, 0x01};
    writePrologue.insert(writePrologue.end(), hook.begin(), hook.end());

    // Interrupted while the blocks come (two requests sent): the radio gets
    // whole block requests, then the release, and the file stays as it was.
    EXPECT_EQ(runInterrupted({"read", "--port", sim->devicePath(), "-o", out.string()},
                             static_cast<long>(hook.size() + 2 * 33)), 130) << err;
    long blocks = -1;
    EXPECT_TRUE(waitFor([&] { return (blocks = wholeFramesThenRelease(sim->received(), hook, readFrames)) >= 2; }))
        << "not whole block requests and a release: " << sim->received().size() << " bytes";
    EXPECT_LT(blocks, 188);
    EXPECT_EQ(readAll(out), old);
    EXPECT_NE(err.find("not written"), std::string::npos) << err;

    // Interrupted while the blocks go: stopped after a whole block, then the release.
    sim->clearTrace();
    EXPECT_EQ(runInterrupted({"write", "--port", sim->devicePath(), "-i", out.string(), "--yes", "--skip-globals", "--no-read-first"},
                             static_cast<long>(writePrologue.size() + 5 + 34)), 130) << err;
    EXPECT_TRUE(waitFor([&] {
        return (blocks = wholeFramesThenRelease(sim->received(), writePrologue, writeFrames)) >= 2;
    })) << "not whole blocks and a release: " << sim->received().size() << " bytes";
    EXPECT_LT(blocks, 180);
    EXPECT_NE(err.find("stopped after the current block"), std::string::npos) << err;
}

}  // namespace
}  // namespace orv
