// orvedit-cli write on several radios at once, verify, and the serial trace
// files, end to end against simulators on real pseudo-terminals.
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <thread>
#include "ChildProcess.h"
#include "RunCli.h"
#include "TraceReplay.h"
#include "RadioMemory.h"
#include "WaitFor.h"
#include "files/RadioLog.h"
#include "image/Programming.h"
#include "link/ORVCom.h"
#include "link/SerialTrace.h"
#include "sim/RadioSim.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using orv::test::Memory;
using orv::test::runCli;

using orv::test::pattern;

// What the radio holds after a whole write of `image` over `before`.
Memory afterWrite(const Memory& before, const Memory& image) {
    Memory m = before;
    const auto mask = memmap::page0WriteMask();
    for (int a = 0; a < 256; ++a) {
        const int k = mask[static_cast<std::size_t>(a)];
        m[size_t(a)] = static_cast<uint8_t>((before[size_t(a)] & ~k) | (image[size_t(a)] & k));
    }
    for (int b = 8; b < 188; ++b) {
        const std::size_t a = static_cast<std::size_t>(32 * b);
        if ((b - 8) % 12 == 0)
            m[a] = static_cast<uint8_t>((before[a] & ~0x20) | (image[a] & 0x20));
        else
            std::copy(image.begin() + static_cast<long>(a), image.begin() + static_cast<long>(a) + 32,
                      m.begin() + static_cast<long>(a));
    }
    return m;
}

std::vector<TraceEntry> readTraceFile(const fs::path& p) {
    std::ifstream in(p);
    return readTraceText(in);
}

std::vector<uint8_t> sentBytes(const std::vector<TraceEntry>& t) {
    std::vector<uint8_t> out;
    for (const TraceEntry& e : t)
        if (e.dir == TraceEntry::kToRadio) out.push_back(e.value);
    return out;
}

// The line of the result table that names `port`.
std::string tableLine(const std::string& out, const std::string& port) {
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);)
        if (line.rfind(port + " ", 0) == 0) return line;
    return {};
}

class CliFleet : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(::testing::TempDir()) / ("orv-cli-fleet-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        ::setenv("ORVEDIT_DATA_DIR", (dir / "data").c_str(), 1);
        image = pattern(5);
        std::ofstream(dir / "plan.orv", std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()), 6016)
            .write("\0\0\0", 3);
    }
    void TearDown() override {
        for (auto& s : sims) s->stop();
        fs::remove_all(dir);
    }
    RadioSim& addSim(SimOptions o = {}, unsigned seed = 0) {
        sims.push_back(std::make_unique<RadioSim>(o));
        sims.back()->start();
        sims.back()->setMemory(pattern(100 + seed + static_cast<unsigned>(sims.size())));
        return *sims.back();
    }
    std::vector<std::string> portArgs() const {
        std::vector<std::string> a;
        for (const auto& s : sims) {
            a.push_back("--port");
            a.push_back(s->devicePath());
        }
        return a;
    }
    orv::test::CliResult run(std::vector<std::string> args) { return runCli(args, dir.string()); }
    std::string plan() const { return (dir / "plan.orv").string(); }

    fs::path dir;
    Memory image{};
    std::vector<std::unique_ptr<RadioSim>> sims;
};

TEST_F(CliFleet, FourRadiosOneDyingMidWriteGiveThreeSuccessesAndOneClearFailure) {
    std::vector<Memory> before;
    for (int i = 0; i < 4; ++i) {
        SimOptions o;
        if (i == 2) o.faults.deadAfterBytes = 3000;   // about half-way through the blocks
        addSim(o, static_cast<unsigned>(i));
        before.push_back(sims.back()->memory());
    }
    std::vector<std::string> args = {"write", "-i", plan(), "--yes", "--verify", "--trace", (dir / "t.txt").string()};
    for (const auto& a : portArgs()) args.push_back(a);
    const auto r = run(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;

    EXPECT_EQ(r.out.rfind("PORT", 0), 0u) << r.out;
    for (int i = 0; i < 4; ++i) {
        const std::string port = sims[size_t(i)]->devicePath();
        const std::string line = tableLine(r.out, port);
        SCOPED_TRACE(line);
        std::istringstream cols(line);
        std::string p, version, written, verified;
        cols >> p >> version >> written >> verified;
        EXPECT_EQ(version, "2C00");
        if (i == 2) {
            EXPECT_EQ(written, "FAILED");
            EXPECT_EQ(verified, "-");
            EXPECT_NE(line.find("writing the radio failed: Error writing radio"), std::string::npos);
            EXPECT_NE(sims[2]->memory(), afterWrite(before[2], image));
        } else {
            EXPECT_EQ(written, "yes");
            EXPECT_EQ(verified, "yes");
            EXPECT_EQ(sims[size_t(i)]->memory(), afterWrite(before[size_t(i)], image));
        }
        // Each radio's own trace file: exactly what that radio received.
        EXPECT_EQ(sentBytes(readTraceFile(dir / ("t-" + std::to_string(i + 1) + ".txt"))), sims[size_t(i)]->received());
        // Not a terminal: one line per event, the port first.
        EXPECT_NE(r.err.find(port + ": Writing ORV Memory\n"), std::string::npos) << r.err;
    }
    EXPECT_NE(r.err.find("1 of 4 radios failed"), std::string::npos) << r.err;
}

TEST_F(CliFleet, VerifyReportsARadioThatDiffersInOneField) {
    struct Case { const char* name; int address; uint8_t flip; std::vector<std::string> extra; int exit; const char* says; };
    const Case cases[] = {
        {"as written", -1, 0, {}, 0, "Radio matches"},
        {"one byte of the ANI/ID number", 300, 0x10, {}, 1, "group 1 txtID: 777018C -> 777019C"},
        {"global byte, globals left out", 140, 0x01, {"--skip-globals"}, 0, "Radio matches"},
        {"another group than the one asked for", 300, 0x10, {"--group", "2"}, 0, "Radio matches"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RadioSim& sim = addSim();
        Memory radio = image;
        if (c.address >= 0) radio[size_t(c.address)] ^= c.flip;
        sim.setMemory(radio);
        std::vector<std::string> args = {"verify", "--port", sim.devicePath(), "-i", plan()};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, c.exit) << r.err;
        EXPECT_NE(r.out.find(c.says), std::string::npos) << r.out;
        EXPECT_EQ(sim.memory(), radio) << "a verify only reads";
        sims.back()->stop();
    }
}

// --json gives one object per radio in port order, for one radio as for
// several, in place of the verdict lines and the table.
TEST_F(CliFleet, JsonGivesOneObjectPerRadio) {
    const std::string differs = "group 1 txtID: 777018C -> 777019C";
    struct Case {
        const char* name;
        std::string command;
        std::vector<bool> spoiled;   // per radio: one byte of the ID changed
        int exit;
    };
    const Case cases[] = {
        {"verify, one radio that differs", "verify", {true}, 1},
        {"verify, two radios, the second differs", "verify", {false, true}, 1},
        // The write reads first: the radio's byte 300 is the one change, and
        // the one it sends.
        {"write, one radio that differs", "write", {true}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (auto& s : sims) s->stop();
        sims.clear();
        for (bool spoil : c.spoiled) {
            Memory radio = image;
            if (spoil) radio[300] ^= 0x10;
            addSim().setMemory(radio);
        }
        std::vector<std::string> args = {c.command, "-i", plan(), "--json"};
        if (c.command == "write") args.push_back("--yes");
        for (const auto& a : portArgs()) args.push_back(a);
        const auto r = run(args);
        EXPECT_EQ(r.exitCode, c.exit) << r.err;
        const nlohmann::json doc = nlohmann::json::parse(r.out, nullptr, false);
        ASSERT_TRUE(doc.is_array()) << r.out;
        ASSERT_EQ(doc.size(), c.spoiled.size()) << r.out;
        for (std::size_t k = 0; k < c.spoiled.size(); ++k) {
            const nlohmann::json& o = doc[k];
            EXPECT_EQ(o.value("port", ""), sims[k]->devicePath());
            EXPECT_EQ(o.value("version", ""), "2C00");
            EXPECT_EQ(o.value("written", ""), c.command == "write" ? "yes" : "-");
            const bool write = c.command == "write";
            EXPECT_EQ(o["error"].is_null(), write || !c.spoiled[k]) << o.dump();
            const nlohmann::json expected =
                c.spoiled[k] && !write ? nlohmann::json::array({differs}) : nlohmann::json::array();
            EXPECT_EQ(o["differences"], expected) << o.dump();
            ASSERT_TRUE(o["changes"].is_array()) << o.dump();
            EXPECT_EQ(o["changes"].size(), write ? 1u : 0u) << o.dump();
            EXPECT_TRUE(write ? o["fingerprint"].is_string() : o["fingerprint"].is_null()) << o.dump();
            if (c.command == "verify") {
                EXPECT_EQ(o.value("verified", ""), c.spoiled[k] ? "FAILED" : "yes");
            }
        }
        EXPECT_EQ(r.out.find("PORT"), std::string::npos) << "no table besides the JSON";
    }
}

// --quiet leaves errors only: a run that succeeds prints nothing at all
// (without it, the same run prints progress lines), one that fails prints
// its error lines and no progress, verdict or table.
TEST_F(CliFleet, QuietPrintsErrorsOnly) {
    struct Case {
        const char* name;
        std::vector<std::string> args;   // the ports are added
        std::vector<bool> spoiled;
        int exit;
    };
    const std::string out = (dir / "read.orv").string();
    const Case cases[] = {
        {"read", {"read", "-o", out}, {false}, 0},
        {"write, one radio", {"write", "-i", plan(), "--yes", "--verify"}, {false}, 0},
        {"verify, one radio", {"verify", "-i", plan()}, {false}, 0},
        {"verify, one radio that differs", {"verify", "-i", plan()}, {true}, 1},
        {"verify, two radios", {"verify", "-i", plan()}, {false, false}, 0},
        {"verify, two radios, the second differs", {"verify", "-i", plan()}, {false, true}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const bool quiet : {false, true}) {
            for (auto& s : sims) s->stop();
            sims.clear();
            for (bool spoil : c.spoiled) {
                Memory radio = image;
                if (spoil) radio[300] ^= 0x10;
                addSim().setMemory(radio);
            }
            std::vector<std::string> args = c.args;
            if (quiet) args.push_back("--quiet");
            for (const auto& a : portArgs()) args.push_back(a);
            const auto r = run(args);
            EXPECT_EQ(r.exitCode, c.exit) << r.err;
            if (!quiet) {
                EXPECT_NE(r.err, "") << "progress lines without --quiet";
                continue;
            }
            EXPECT_EQ(r.out, "");
            if (c.exit == 0) {
                EXPECT_EQ(r.err, "");
            } else {
                EXPECT_NE(r.err.find("group 1 txtID: 777018C -> 777019C"), std::string::npos) << r.err;
                if (sims.size() > 1) {   // the failed radio named, the other not
                    const std::string port = sims.back()->devicePath();
                    EXPECT_NE(r.err.find(port + ": group 1 txtID"), std::string::npos) << r.err;
                    EXPECT_EQ(r.err.find(sims.front()->devicePath()), std::string::npos) << r.err;
                }
            }
        }
    }
}

TEST_F(CliFleet, WriteWithVerifyFailsWhenTheRadioDoesNotKeepWhatWasWritten) {
    RadioSim& sim = addSim();
    // Long after block 9 has been written, the radio loses one of its bytes.
    std::atomic<bool> done{false};
    std::thread spoil([&] {
        test::waitFor([&] { return done || sim.receivedCount() >= 3000; }, 120.0);
        Memory m = sim.memory();
        m[300] ^= 0x01;
        sim.setMemory(m);
    });
    const auto r = run({"write", "--port", sim.devicePath(), "-i", plan(), "--yes", "--verify"});
    done = true;
    spoil.join();
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.out.find("group 1 txtID: 777018C -> 777018D"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("the radio differs from the file"), std::string::npos) << r.err;
}

TEST_F(CliFleet, CtrlCStopsEveryRadio) {
    SimOptions o;
    o.realtime = true;   // a write then takes seconds
    addSim(o);
    addSim(o);
    // The radio's own waits: the radios pace their bytes at the line rate,
    // which a busy machine can stretch past the short time-out.
    // The write itself is what is stopped: no read before it.
    std::vector<std::string> args = {"write", "-i", plan(), "--yes", "--verify", "--no-read-first", "--link-timing", "radio"};
    for (const auto& a : portArgs()) args.push_back(a);
    const std::string errPath = (dir / "err").string(), outPath = (dir / "out").string();
    test::ChildProcess cli(orv::test::cliCommand(args), test::Output::file(outPath),
                                test::Output::file(errPath));
    // Once both radios are well into their blocks.
    EXPECT_TRUE(test::waitFor([&] { return sims[0]->receivedCount() >= 800 && sims[1]->receivedCount() >= 800; }));
    cli.signal(SIGINT);
    EXPECT_EQ(cli.exitCode(), 130);
    const std::string out = orv::test::slurp(outPath);
    for (const auto& s : sims) {
        const std::string line = tableLine(out, s->devicePath());
        EXPECT_NE(line.find(" stopped "), std::string::npos) << line;
        EXPECT_LT(s->receivedCount(), 4000) << "the write went on";
    }
}

TEST_F(CliFleet, BadPortListsAreRefusedBeforeAnythingIsSent) {
    RadioSim& sim = addSim();
    const auto dup = run({"write", "--port", sim.devicePath(), "--port", sim.devicePath(), "-i", plan(), "--yes"});
    EXPECT_EQ(dup.exitCode, 2);
    EXPECT_NE(dup.err.find("more than once"), std::string::npos) << dup.err;
    const auto twoReads = run({"read", "--port", sim.devicePath(), "--port", "/dev/null", "-o", (dir / "x.orv").string()});
    EXPECT_EQ(twoReads.exitCode, 2);
    EXPECT_EQ(sim.receivedCount(), 0);
}

// A trace a user saved with --trace replays against a fresh simulator: the
// same replies, and the same memory afterwards.
TEST_F(CliFleet, AUsersTraceReplaysAgainstTheSimulator) {
    RadioSim& sim = addSim();
    const Memory start = sim.memory();
    const auto r = run({"write", "--port", sim.devicePath(), "-i", plan(), "--yes", "--trace", (dir / "user.txt").string()});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::vector<TraceEntry> trace = readTraceFile(dir / "user.txt");
    ASSERT_FALSE(trace.empty());

    RadioSim fresh;
    fresh.start();
    fresh.setMemory(start);
    for (const test::ReplayRun& run : test::replayTrace(trace, fresh.devicePath())) {
        ASSERT_EQ(run.got, run.expected) << "after " << run.sent.size() << " bytes sent";
    }
    // The last byte (the release) is not answered: wait until it is there.
    test::waitFor([&] { return fresh.receivedCount() >= sim.receivedCount(); }, 1.0);
    EXPECT_EQ(fresh.received(), sim.received());
    EXPECT_EQ(fresh.memory(), sim.memory());
    fresh.stop();
}

TEST(CliHelp, ListsEveryCommand) {
    const std::string scratch = ::testing::TempDir();
    const auto r = runCli({"--help"}, scratch);
    EXPECT_EQ(r.exitCode, 0);
    for (const char* cmd : {"new", "export", "import", "read", "write", "verify", "report", "move"})
        EXPECT_NE(r.out.find(std::string("  ") + cmd), std::string::npos) << cmd << "\n" << r.out;
}

// A roster of three units over two radios: each radio gets its row's ID and
// password; the row of the radio that failed stays free, and the next run
// hands out that row and the third.
TEST_F(CliFleet, ARosterGivesEachRadioItsRowAndAFailedRadioKeepsItsRowFree) {
    addSim();
    SimOptions dying;
    dying.faults.deadAfterBytes = 3000;
    addSim(dying);
    std::ofstream(dir / "fleet.csv") << "unit,id,password.1\nTruck A,1111111,1234\nTruck B,2222222,5678\n"
                                        "Truck C,3333333,9999\n";
    std::vector<std::string> args = {"write", "-i", plan(), "--yes", "--roster", (dir / "fleet.csv").string()};
    for (const auto& a : portArgs()) args.push_back(a);
    const auto r = run(args);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(tableLine(r.out, sims[0]->devicePath()).find("Truck A"), std::string::npos) << r.out;
    EXPECT_NE(tableLine(r.out, sims[1]->devicePath()).find("Truck B"), std::string::npos) << r.out;
    MemoryImage got;
    const Memory held = sims[0]->memory();
    std::copy(held.begin(), held.end(), got.data());
    const Programming p = decodeProgramming(got);
    EXPECT_EQ(p.groups[0].txtID, "1111111");
    EXPECT_EQ(p.groups[14].txtID, "1111111");
    EXPECT_EQ(p.groups[0].txtPassWord, "001234");

    // Truck B is free again, Truck A is done: a dry run shows who gets what.
    sims[1]->setFaults({});
    args = {"write", "-i", plan(), "--dry-run", "--json", "--roster", (dir / "fleet.csv").string()};
    for (const auto& a : portArgs()) args.push_back(a);
    const auto dry = run(args);
    ASSERT_EQ(dry.exitCode, 0) << dry.err;
    const auto j = nlohmann::json::parse(dry.out);
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0]["unit"], "Truck B");
    EXPECT_EQ(j[1]["unit"], "Truck C");
    EXPECT_EQ(j[0]["written"], "no");

    // A value the field refuses stops everything first, naming its row and column.
    std::ofstream(dir / "bad.csv") << "unit,id\nTruck A,1\nTruck B,12X\n";
    const auto before = sims[0]->receivedCount();
    args = {"write", "-i", plan(), "--yes", "--roster", (dir / "bad.csv").string()};
    for (const auto& a : portArgs()) args.push_back(a);
    const auto bad = run(args);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.err.find("row 3, column id: \"12X\""), std::string::npos) << bad.err;
    EXPECT_EQ(sims[0]->receivedCount(), before);
}

// The production line: three radios plugged in one after another on the same
// link name each get the next row of the roster and are verified; SIGTERM
// ends the line with the table and the summary.
TEST_F(CliFleet, AProductionLineProgramsRadiosOneAfterAnotherUntilSigterm) {
    const fs::path link = dir / "line";
    std::ofstream(dir / "fleet.csv") << "unit,id\nU1,1111111\nU2,2222222\nU3,3333333\n";
    test::ChildProcess line(test::cliCommand({"write", "--watch", "--yes", "-i", plan(), "--port", link.string(),
                                               "--roster", (dir / "fleet.csv").string()}),
                            test::Output::file((dir / "out").string()), test::Output::file((dir / "err").string()));
    const auto units = [&] {
        std::vector<std::string> done;
        for (const RadioLogEntry& e : readRadioLog((dir / "data").string()).entries)
            if (e.operation == "write" && e.verified == "yes") done.push_back(e.unit);
        return done;
    };
    // How often the line has said it waits for a radio: the next radio is
    // plugged in only once the line has seen the last one go, as a person
    // plugs the next one after the line tells them to unplug.
    const auto waits = [&] {
        const std::string err = orv::test::slurp((dir / "err").string());
        std::size_t n = 0;
        for (std::size_t at = err.find("waiting for a radio"); at != std::string::npos;
             at = err.find("waiting for a radio", at + 1))
            ++n;
        return n;
    };
    for (int k = 1; k <= 3; ++k) {
        ASSERT_TRUE(test::waitFor([&] { return waits() >= static_cast<std::size_t>(k); }, 60))
            << "the line did not wait for radio " << k;
        // A radio with tuning values of its own, saved when it is unplugged.
        Memory m = pattern(200 + static_cast<unsigned>(k));
        std::ofstream(dir / "radio.orv", std::ios::binary).write(reinterpret_cast<const char*>(m.data()), 6016);
        const fs::path saved = dir / ("radio-" + std::to_string(k) + ".orv");
        test::ChildProcess radio({ORV_RADIOSIM_EXE, "--link", link.string(), "--image", (dir / "radio.orv").string(),
                                  "--save", saved.string()});
        ASSERT_TRUE(test::waitFor([&] { return units().size() == static_cast<std::size_t>(k); }, 60))
            << "radio " << k << " was not programmed";
        radio.signal(SIGTERM);   // unplugged
        ASSERT_EQ(radio.exitCode(), 0);
        MemoryImage got;
        std::ifstream(saved, std::ios::binary).read(reinterpret_cast<char*>(got.data()), MemoryImage::kSize);
        EXPECT_EQ(decodeProgramming(got).groups[0].txtID, std::string(1, char('0' + k)) + std::string(6, char('0' + k)));
    }
    EXPECT_EQ(units(), (std::vector<std::string>{"U1", "U2", "U3"}));
    line.signal(SIGTERM);
    EXPECT_EQ(line.exitCode(), 0);
    std::ifstream in(dir / "out");
    const std::string out{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(out.find("3 radios: 3 written, 3 verified, 0 failed"), std::string::npos) << out;
    for (const char* u : {"U1", "U2", "U3"}) EXPECT_NE(out.find(u), std::string::npos) << out;
}

}  // namespace
}  // namespace orv
