// Every link operation of orvedit-cli against every fault the simulator can
// inject, on a real pseudo-terminal: exit status, the lines on stderr, and
// what is left in the output file or in the radio.
//
// The rules: a read writes its file only after a complete read, so a failed
// or interrupted read leaves the file as it was; a write leaves the radio
// holding exactly the write frames that reached it whole, in the order the
// operation sends them (never a torn block).
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include "ChildProcess.h"
#include "sim/RadioSim.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr int kMem = 6016;
constexpr int kHookBytes = 19;  // reads: wake-up, handshake, version, speed; writes: 2 releases, wake-up, handshake, version
constexpr int kGroup = 2;       // the group of the group operations

enum class Op { ReadAll, ReadGroup, ReadGlobals, WriteAll, WriteNoPage0, WriteGroup, WriteGlobals };
enum class Fault { None, Silent, WrongHookReply, DeadEarly, DeadMid, DeadAtEnd, Garbage, Naks, DroppedReplies, CtrlC };

const char* name(Op op) {
    switch (op) {
    case Op::ReadAll: return "read all";
    case Op::ReadGroup: return "read group";
    case Op::ReadGlobals: return "read globals";
    case Op::WriteAll: return "write all";
    case Op::WriteNoPage0: return "write without page 0";
    case Op::WriteGroup: return "write group";
    case Op::WriteGlobals: return "write globals";
    }
    return "";
}
const char* name(Fault f) {
    switch (f) {
    case Fault::None: return "no fault";
    case Fault::Silent: return "silent";
    case Fault::WrongHookReply: return "wrong hook reply";
    case Fault::DeadEarly: return "dead early";
    case Fault::DeadMid: return "dead mid-way";
    case Fault::DeadAtEnd: return "dead at the end";
    case Fault::Garbage: return "garbage";
    case Fault::Naks: return "NAKs";
    case Fault::DroppedReplies: return "dropped replies";
    case Fault::CtrlC: return "Ctrl-C";
    }
    return "";
}

bool isRead(Op op) { return op == Op::ReadAll || op == Op::ReadGroup || op == Op::ReadGlobals; }

Bytes pattern(std::size_t n, unsigned seed) {
    Bytes v(n);
    for (std::size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>((i * 31 + seed * 17 + (i >> 5)) & 0xFF);
    return v;
}

// One request of an operation as the radio receives it: a masked byte write
// (0xD1, 5 bytes), a block write (0xD4, 34 bytes) or a block read request
// (0xC6 n 0xFF, 3 bytes). `bytes` is its length on the wire.
struct Frame {
    enum Kind { Masked, Block, Read } kind;
    int address;  // Masked: the byte; Block/Read: the block's first byte
    int mask;
    int bytes;
};

// The page-0 bytes a write may change, and their masks.
int page0Mask(int a) {
    if (a == 6) return 0x04;
    if (a == 7 || (a >= 128 && a <= 152) || a == 255) return 0xFF;
    if (a == 153) return 0xFE;
    if (a == 155) return 0xF7;
    return 0;
}

std::vector<Frame> frames(Op op) {
    std::vector<Frame> out;
    auto blocks = [&](int first, int last, Frame::Kind kind) {
        for (int b = first; b <= last; ++b) {
            if (kind == Frame::Read)
                out.push_back({Frame::Read, b * 32, 0, 3});
            else if (b >= 8 && (b - 8) % 12 == 0)  // a group's first block: its flag byte alone
                out.push_back({Frame::Masked, b * 32, 0x20, 5});
            else
                out.push_back({Frame::Block, b * 32, 0xFF, 34});
        }
    };
    auto page0 = [&] {
        for (int a = 0; a < 256; ++a)
            if (page0Mask(a)) out.push_back({Frame::Masked, a, page0Mask(a), 5});
    };
    const int gFirst = 12 * kGroup - 4, gLast = 12 * kGroup + 7;
    switch (op) {
    case Op::ReadAll: blocks(0, 187, Frame::Read); break;
    case Op::ReadGroup: blocks(gFirst, gLast, Frame::Read); break;
    case Op::ReadGlobals: blocks(0, 7, Frame::Read); break;
    case Op::WriteAll: page0(); blocks(8, 187, Frame::Block); break;
    case Op::WriteNoPage0: blocks(8, 187, Frame::Block); break;
    case Op::WriteGroup: blocks(gFirst, gLast, Frame::Block); break;
    case Op::WriteGlobals: page0(); break;
    }
    return out;
}

// The radio after the first `k` frames of a write of `img` reached it.
Bytes applied(Bytes mem, const Bytes& img, const std::vector<Frame>& fs, std::size_t k) {
    for (std::size_t i = 0; i < k; ++i) {
        const Frame& f = fs[i];
        if (f.kind == Frame::Masked) {
            auto a = static_cast<std::size_t>(f.address);
            mem[a] = static_cast<uint8_t>((mem[a] & ~f.mask) | (img[a] & f.mask));
        } else {
            for (int j = 0; j < 32; ++j) mem[static_cast<std::size_t>(f.address + j)] = img[static_cast<std::size_t>(f.address + j)];
        }
    }
    return mem;
}

// Bytes on the wire up to the end of frame `k - 1`, counted from the start.
long wireBytes(const std::vector<Frame>& fs, std::size_t k) {
    long n = kHookBytes;
    for (std::size_t i = 0; i < k; ++i) n += fs[i].bytes;
    return n;
}

struct Case {
    Op op;
    Fault fault;
    // Filled in by plan():
    SimOptions sim;
    long interruptAt = -1;      // Ctrl-C once the radio received this many bytes
    int exitCode = 0;
    std::vector<std::string> mentions;
    std::vector<std::string> never;   // on stderr: what would tell another fault
    std::size_t framesThrough = 0;  // writes: frames the radio holds afterwards (exact)
    bool anyPrefix = false;         // writes: some frames, not all (Ctrl-C)
};

// What each operation prints when it fails, after the link's own message.
std::string failureLine(Op op) {
    switch (op) {
    case Op::ReadAll:
    case Op::ReadGroup:
    case Op::ReadGlobals: return "reading the radio failed";
    case Op::WriteAll:
    case Op::WriteNoPage0: return "writing the radio failed";
    case Op::WriteGroup: return "Write Group Failed";
    case Op::WriteGlobals: return "Write Global Failed";
    }
    return "";
}

// The messages of a transfer that stops at frame `k`.
std::vector<std::string> frameFailure(Op op, const Frame& f) {
    std::vector<std::string> m{failureLine(op)};
    if (f.kind == Frame::Read) m.push_back("Error reading radio");
    if (f.kind == Frame::Block) m.push_back("Error writing radio");
    if (f.kind == Frame::Masked)
        m.push_back(f.address < 256 ? "Download Failed.  Cycle Radio power before Retrying"
                                    : "Download Failed. Cycle Radio Power before Retrying.");
    else if (f.kind == Frame::Block)
        m.push_back("Download Failed. Cycle Radio Power before Retrying.");
    return m;
}

Case plan(Op op, Fault fault) {
    Case c{op, fault, {}, -1, 0, {}, {}, 0, false};
    const auto fs = frames(op);
    const std::size_t all = fs.size();
    c.framesThrough = isRead(op) ? 0 : all;
    auto deadAfterFrames = [&](std::size_t k, long extra) {
        // The radio hears frames 0..k-1 whole (and `extra` bytes of frame k):
        // a write holds exactly those; the transfer fails at frame k, or at
        // the reply to frame k-1 when the radio died on its last byte.
        c.sim.faults.deadAfterBytes = wireBytes(fs, k) + extra;
        c.exitCode = 1;
        c.framesThrough = isRead(op) ? 0 : k;
        c.mentions = frameFailure(op, fs[extra > 0 ? k : k - 1]);
    };
    switch (fault) {
    case Fault::None: break;
    case Fault::Silent:
        c.sim.faults.silent = true;
        c.exitCode = 1;
        c.framesThrough = 0;
        c.mentions = {"Error Hooking to Radio.", failureLine(op), "No answer on "};
        c.never = {"answered the handshake with"};
        break;
    case Fault::WrongHookReply:
    case Fault::Garbage:  // the garbage byte comes first and is taken as the reply
        if (fault == Fault::WrongHookReply) c.sim.faults.handshakeReply = 0x00;
        else c.sim.faults.garbageBeforeReplies = 1;
        c.exitCode = 1;
        c.framesThrough = 0;
        // Something answered: not a silent radio.
        c.mentions = {"Error Hooking to Radio.", failureLine(op), "answered the handshake with 0x"};
        c.never = {"No answer on "};
        break;
    case Fault::DeadEarly: deadAfterFrames(0, 1); break;
    case Fault::DeadMid: deadAfterFrames(all / 2, 2); break;
    case Fault::DeadAtEnd: deadAfterFrames(all, 0); break;
    case Fault::Naks:  // a refused masked write is sent again until accepted
        c.sim.faults.maskedNakCount = 3;
        break;
    case Fault::DroppedReplies:  // two time-outs, then an answer: within the retries
        c.sim.faults.maskedSilentCount = 2;
        break;
    case Fault::CtrlC:
        c.sim.realtime = true;  // slow enough to be interrupted half-way
        c.interruptAt = wireBytes(fs, std::min<std::size_t>(2, all)) + 1;
        c.exitCode = 130;
        c.mentions = {"interrupted by the user"};
        c.never = {"stopped answering"};
        c.anyPrefix = !isRead(op);
        break;
    }
    return c;
}

std::vector<std::string> argsOf(Op op, const std::string& device, const std::string& file) {
    const std::string g = std::to_string(kGroup);
    switch (op) {
    case Op::ReadAll: return {"read", "--port", device, "-o", file};
    case Op::ReadGroup: return {"read", "--port", device, "-o", file, "--group", g};
    case Op::ReadGlobals: return {"read", "--port", device, "-o", file, "--globals"};
    case Op::WriteAll: return {"write", "--port", device, "-i", file, "--yes", "--no-read-first"};
    case Op::WriteNoPage0: return {"write", "--port", device, "-i", file, "--yes", "--no-read-first", "--skip-globals"};
    case Op::WriteGroup: return {"write", "--port", device, "-i", file, "--yes", "--no-read-first", "--group", g};
    case Op::WriteGlobals: return {"write", "--port", device, "-i", file, "--yes", "--no-read-first", "--globals"};
    }
    return {};
}

Bytes slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
void spit(const fs::path& p, const Bytes& b) {
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// One case under way: its simulator, its file and its orvedit-cli child.
struct CaseRun {
    explicit CaseRun(Case c) : c(std::move(c)) {}
    Case c;
    std::unique_ptr<RadioSim> sim;
    fs::path file, err;
    Bytes fileBefore;
    std::unique_ptr<test::ChildProcess> cli;
    bool interrupted = false;
    int status = -1;
    std::optional<std::chrono::steady_clock::time_point> ended;   // when the tool ended
    bool checked = false;
};

class LinkFaultTable : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "orv-faults-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    void TearDown() override { fs::remove_all(dir); }

    void start(CaseRun& r, int index) {
        r.sim = std::make_unique<RadioSim>(r.c.sim);
        r.sim->start();
        std::array<uint8_t, kMem> m{};
        const Bytes p = pattern(kMem, 1);
        std::copy(p.begin(), p.end(), m.begin());
        r.sim->setMemory(m);
        r.file = dir / ("case" + std::to_string(index) + ".orv");
        r.err = dir / ("case" + std::to_string(index) + ".err");
        r.fileBefore = pattern(6019, isRead(r.c.op) ? 5 : 4);
        spit(r.file, r.fileBefore);

        const auto args = argsOf(r.c.op, r.sim->devicePath(), r.file.string());
        std::vector<std::string> argv{ORVEDIT_CLI};
        argv.insert(argv.end(), args.begin(), args.end());
        argv.push_back("--link-timing");
        argv.push_back(timing);
        r.cli = std::make_unique<test::ChildProcess>(argv, test::Output::null(), test::Output::file(r.err.string()));
    }

    // What differs from the rules in a finished case; empty when nothing does.
    std::string problems(const CaseRun& r) {
        const Case& c = r.c;
        std::ifstream in(r.err);
        const std::string err{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        std::string p;
        if (!WIFEXITED(r.status)) p += "ended by signal " + std::to_string(WTERMSIG(r.status)) + "; ";
        else if (WEXITSTATUS(r.status) != c.exitCode)
            p += "exit " + std::to_string(WEXITSTATUS(r.status)) + ", expected " + std::to_string(c.exitCode) + "; ";
        for (const auto& m : c.mentions)
            if (err.find(m) == std::string::npos) p += "no \"" + m + "\" on stderr; ";
        for (const auto& m : c.never)
            if (err.find(m) != std::string::npos) p += "\"" + m + "\" on stderr; ";

        const Bytes memBefore = pattern(kMem, 1);
        const auto mem = r.sim->memory();
        const Bytes memNow(mem.begin(), mem.end());
        const Bytes fileNow = slurp(r.file);
        const auto fs = frames(c.op);
        if (isRead(c.op)) {
            if (memNow != memBefore) p += "a read changed the radio; ";
            Bytes expected = r.fileBefore;
            if (c.exitCode == 0) {
                if (c.op == Op::ReadAll) expected.assign(6019, 0);
                for (const Frame& f : fs) std::copy_n(memBefore.begin() + f.address, 32, expected.begin() + f.address);
            }
            if (fileNow != expected) p += "the file is not as the read must leave it; ";
        } else {
            if (fileNow != r.fileBefore) p += "a write changed its input file; ";
            // The radio holds the first k frames whole, for exactly one k.
            std::size_t k = 0;
            while (k <= fs.size() && applied(memBefore, r.fileBefore, fs, k) != memNow) ++k;
            if (k > fs.size()) p += "the radio holds no prefix of the write (a torn or reordered write); ";
            else if (c.anyPrefix && k == fs.size()) p += "the interrupted write was not stopped; ";
            else if (!c.anyPrefix && k != c.framesThrough)
                p += "the radio holds " + std::to_string(k) + " of " + std::to_string(fs.size()) +
                     " frames, expected " + std::to_string(c.framesThrough) + "; ";
        }
        if (!p.empty()) p += "stderr:\n" + err;
        return p;
    }

    // Runs the cases, `parallel` at a time; returns the problems per case.
    std::vector<std::string> runAll(std::vector<CaseRun>& runs, std::size_t parallel) {
        std::vector<std::string> found(runs.size());
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        std::size_t next = 0, running = 0, done = 0;
        while (done < runs.size()) {
            while (running < parallel && next < runs.size()) {
                start(runs[next], static_cast<int>(next));
                ++next;
                ++running;
            }
            const auto now = std::chrono::steady_clock::now();
            for (std::size_t i = 0; i < next; ++i) {
                CaseRun& r = runs[i];
                if (r.checked) continue;
                if (!r.ended) {
                    if (r.c.interruptAt >= 0 && !r.interrupted && r.sim->receivedCount() >= r.c.interruptAt) {
                        r.cli->signal(SIGINT);
                        r.interrupted = true;
                    }
                    const std::optional<int> st = r.cli->poll();
                    if (!st) continue;
                    r.status = *st;
                    r.ended = now;
                }
                // The simulator handles what the tool sent last on its own
                // thread: the case is judged a little later, while the
                // others go on.
                if (now - *r.ended < std::chrono::milliseconds(20)) continue;
                r.checked = true;
                --running;
                ++done;
                found[i] = problems(r);
                r.sim->stop();
                r.cli.reset();
            }
            if (now > deadline) {
                for (CaseRun& r : runs) r.cli.reset();   // kills what still runs
                ADD_FAILURE() << "cases still running after 120 s";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return found;
    }

    fs::path dir;
    std::string timing = "short";   // the link's waits the cases run with
};

TEST_F(LinkFaultTable, EveryOperationUnderEveryFault) {
    const Op ops[] = {Op::ReadAll, Op::ReadGroup, Op::ReadGlobals, Op::WriteAll,
                      Op::WriteNoPage0, Op::WriteGroup, Op::WriteGlobals};
    const Fault faults[] = {Fault::None, Fault::Silent, Fault::WrongHookReply, Fault::DeadEarly, Fault::DeadMid,
                            Fault::DeadAtEnd, Fault::Garbage, Fault::Naks, Fault::DroppedReplies, Fault::CtrlC};
    std::vector<CaseRun> runs;
    for (Op op : ops)
        for (Fault f : faults) runs.emplace_back(plan(op, f));

    // The cases mostly wait on time-outs, so several run at once. The short
    // test timing (0.1 s per byte) can be missed on a machine loaded far
    // beyond its cores, which shifts a case's bytes; a case that fails is run
    // once more on its own with the radio's own waits (five times as long),
    // and only that result counts.
    const std::vector<std::string> first = runAll(runs, 4);
    std::vector<CaseRun> again;
    for (std::size_t i = 0; i < runs.size(); ++i)
        if (!first[i].empty()) again.emplace_back(runs[i].c);
    if (again.empty()) return;
    std::printf("%zu case(s) run again alone\n", again.size());
    timing = "radio";
    const std::vector<std::string> second = runAll(again, 1);
    for (std::size_t i = 0; i < again.size(); ++i)
        EXPECT_TRUE(second[i].empty()) << name(again[i].c.op) << " / " << name(again[i].c.fault) << ": " << second[i];
}

}  // namespace
}  // namespace orv
