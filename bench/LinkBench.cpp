// How close the link comes to the line: a full read of a fast radio, of a
// slow radio, and a full write, against the simulator pacing every byte at
// the line rate. For each: measured wall time over the least time the bytes
// and the required pauses take on the wire, and the client's CPU time over
// its wall time. Goal: ratio <= 1.03, CPU <= 5 %. Then the write after a
// read of the radio, which sends only what differs, as ratios to a whole
// write and verify: a one-group edit must take at most half of it.
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include <algorithm>
#include <vector>
#include "image/MemoryImage.h"
#include "image/MemoryMap.h"
#include "job/RadioJob.h"
#include "link/ORVCom.h"
#include "platform/posix/PosixSerialPort.h"
#include "sim/RadioSim.h"
#include "cli/TermHost.h"

namespace {

using namespace orv;

double charTime(int baud) { return 10.0 / baud; }

double threadCpuSeconds() {
    rusage ru {};
    getrusage(RUSAGE_THREAD, &ru);
    auto s = [](const timeval& tv) { return static_cast<double>(tv.tv_sec) + tv.tv_usec / 1e6; };
    return s(ru.ru_utime) + s(ru.ru_stime);
}

struct Term {
    std::string what;
    double seconds;
};

struct Limit {
    std::string formula;
    std::vector<Term> terms;
    double total() const {
        double t = 0;
        for (const auto& x : terms) t += x.seconds;
        return t;
    }
};

// Chars of one hook at 4800 bit/s: ten wake-up bytes and the handshake out,
// the reply in; four version requests and four replies; for a fast radio
// that is read, the speed request (2 out) and its answer.
int hookChars(bool speedChange) { return 13 + 1 + 8 + (speedChange ? 3 : 0); }

Limit fastReadLimit() {
    const double c48 = charTime(4800), c96 = charTime(9600);
    return {"hook chars @4800 + 500 ms + 188 x (3 out + 32 in) chars @9600 + release 1 char @9600",
            {{"hook " + std::to_string(hookChars(true)) + " chars @4800", hookChars(true) * c48},
             {"pause 500 ms", 0.5},
             {"188 blocks x 35 chars @9600", 188 * 35 * c96},
             {"release 1 char @9600", c96}}};
}

Limit slowReadLimit() {
    const double c48 = charTime(4800);
    // A slow block is clocked byte by byte: the 31 clock bytes follow 3 ms
    // pauses, and each reply byte travels while the next pause runs; what
    // remains on the critical path is the request (2 chars), the pauses,
    // and the last clock byte out and the last data byte in (2 chars).
    return {"hook chars @4800 + 500 ms + 188 x (31 x 3 ms + 4 chars @4800) + release 1 char @4800",
            {{"hook " + std::to_string(hookChars(false)) + " chars @4800", hookChars(false) * c48},
             {"pause 500 ms", 0.5},
             {"188 blocks x 31 paces x 3 ms", 188 * 31 * 0.003},
             {"188 blocks x 4 chars @4800", 188 * 4 * c48},
             {"release 1 char @4800", c48}}};
}

Limit fullWriteLimit() {
    const double c48 = charTime(4800);
    return {"hook chars @4800 + 500 ms + 30 x (5 out + 1 in) + 15 x (5 + 1) + 165 x (34 + 1) chars @4800"
            " (release bytes overlap the pause)",
            {{"hook " + std::to_string(hookChars(false)) + " chars @4800", hookChars(false) * c48},
             {"pause 500 ms", 0.5},
             {"page 0: 30 masked bytes x 6 chars @4800", 30 * 6 * c48},
             {"15 flag bytes x 6 chars @4800", 15 * 6 * c48},
             {"165 blocks x 35 chars @4800", 165 * 35 * c48},
             {"release 1 char @4800", c48}}};
}

volatile std::sig_atomic_t g_never = 0;

// The time the line stood idle waiting for the client, from the simulator's
// trace: for every byte the client sent, how long after the moment it could
// have been sent (the radio's last byte before it, or the end of a required
// pause: 500 ms before the transfers, 3 ms before each clock byte of a slow
// block read) it actually arrived.
double clientLatency(const std::vector<SimTraceEntry>& trace, bool slowRead) {
    double total = 0;
    double prevR = -1, lastT = -1;
    int clockLeft = 0, afterC6 = 0;
    for (const auto& e : trace) {
        if (e.dir == SimTraceEntry::Out) {
            lastT = e.t;
            continue;
        }
        if (prevR >= 0) {
            double pace = 0;
            if (slowRead && clockLeft > 0) pace = 0.003;
            if (e.t - prevR > 0.4) pace = 0.5;
            double ready = prevR + pace;
            if (lastT > prevR) ready = std::max(ready, lastT);
            total += std::max(0.0, e.t - ready);
        }
        if (clockLeft > 0) --clockLeft;
        if (afterC6) {
            afterC6 = 0;
            if (slowRead) clockLeft = 31;
        } else if (e.value == 0xC6 && clockLeft == 0) {
            afterC6 = 1;
        }
        prevR = e.t;
    }
    return total;
}

bool report(const char* name, uint16_t version, int op, const Limit& limit) {
    SimOptions o;
    o.realtime = true;
    o.thinkTimeMs = 0;  // the line time itself separates request and reply
    o.version = version;
    RadioSim sim(o);
    sim.start();
    MemoryImage img;
    for (int i = 0; i < MemoryImage::kSize; ++i) img[i] = static_cast<uint8_t>(i * 7);
    PosixSerialPort port(sim.devicePath());
    std::FILE* sink = std::fopen("/dev/null", "w");
    TermHost host(&g_never, sink);
    ORVCom com(img, port, host);

    const double cpu0 = threadCpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    bool ok = op == 0 ? com.readMemory() : com.writeMemory(false);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    const double cpu = threadCpuSeconds() - cpu0;
    sim.stop();
    std::fclose(sink);
    const double client = clientLatency(sim.trace(), op == 0 && version < 0x2AAA);

    const double lim = limit.total();
    const double ratio = wall / lim;
    const double cpuShare = cpu / wall;
    std::printf("%s: %s\n", name, ok ? "ok" : "FAILED");
    std::printf("  limit = %s\n", limit.formula.c_str());
    for (const auto& t : limit.terms) std::printf("    %-44s %9.3f s\n", t.what.c_str(), t.seconds);
    std::printf("    %-44s %9.3f s\n", "limit", lim);
    std::printf("  measured %.3f s   ratio %.4f %s\n", wall, ratio, ratio <= 1.03 ? "(<= 1.03)" : "(ABOVE 1.03)");
    std::printf("  of the excess: client turnaround %.3f s, simulator's own pacing lag %.3f s\n", client,
                wall - lim - client);
    std::printf("  ratio without the simulator's lag (limit + client turnaround) / limit = %.4f\n",
                (lim + client) / lim);
    std::printf("  client CPU %.3f s over %.3f s wall = %.2f %% %s\n\n", cpu, wall, 100 * cpuShare,
                cpuShare <= 0.05 ? "(<= 5 %)" : "(ABOVE 5 %)");
    return ok && ratio <= 1.03 && cpuShare <= 0.05;
}

// A write after the read of the radio sends only what differs: each case
// runs the whole job (read first, the write of the differences, the verify
// of what was sent) against a radio pacing every byte at the line rate, as
// a ratio to a whole write and verify without the read on the same run.
struct ReadFirstCase {
    const char* name;
    std::vector<std::pair<int, int>> changed;   // byte ranges [from, to) the programming changes
    double goal;                                 // the ratio it must keep within (0: none)
};

double timeJob(const RadioJobPlan& plan, const MemoryImage& radio, const MemoryImage& image, bool& ok) {
    SimOptions o;
    o.realtime = true;
    o.thinkTimeMs = 0;
    RadioSim sim(o);
    sim.start();
    std::array<uint8_t, MemoryImage::kRadioSize> held{};
    std::copy(radio.data(), radio.data() + MemoryImage::kRadioSize, held.begin());
    sim.setMemory(held);
    PosixSerialPort port(sim.devicePath());
    std::FILE* sink = std::fopen("/dev/null", "w");
    TermHost host(&g_never, sink);
    MemoryImage scratch = image;
    ORVCom com(scratch, port, host);
    const auto t0 = std::chrono::steady_clock::now();
    const RadioJobResult r = runRadioJob(com, image, plan, {}, std::string());
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    sim.stop();
    std::fclose(sink);
    ok = r.ok() && r.verified == RadioJobResult::Step::Done;
    return wall;
}

bool reportReadFirst() {
    MemoryImage radio, image;
    for (int i = 0; i < MemoryImage::kSize; ++i) radio[i] = static_cast<uint8_t>(i * 7);
    RadioJobPlan whole;
    whole.write = RadioJobPlan::Write::All;
    whole.verify = true;
    whole.backupReads = false;
    bool ok = true, good = true;
    // Today's whole write and verify, of a programming that differs everywhere.
    image = radio;
    for (int i = 0; i < MemoryImage::kRadioSize; ++i) image[i] = static_cast<uint8_t>(~radio[i]);
    const double base = timeJob(whole, radio, image, ok);
    std::printf("write after a read of the radio, against a whole write + verify (%.3f s, %s):\n", base,
                ok ? "ok" : "FAILED");
    good &= ok;
    const int group3 = memmap::firstGroupBlock(3) * memmap::kBlockSize;
    const ReadFirstCase cases[] = {
        {"one-group edit (group 3's 11 channel blocks)", {{group3 + memmap::kBlockSize, group3 + 12 * memmap::kBlockSize}}, 0.5},
        {"one-channel edit (one block of group 3)", {{group3 + 2 * memmap::kBlockSize, group3 + 2 * memmap::kBlockSize + 8}}, 0},
        {"full change (every block and page-0 byte)", {{0, MemoryImage::kRadioSize}}, 0},
    };
    RadioJobPlan readFirst = whole;
    readFirst.readFirst = true;
    for (const ReadFirstCase& c : cases) {
        image = radio;
        for (const auto& [from, to] : c.changed)
            for (int a = from; a < to; ++a) image[a] = static_cast<uint8_t>(~radio[a]);
        const double t = timeJob(readFirst, radio, image, ok);
        const double ratio = t / base;
        std::printf("  %-46s %8.3f s   ratio %.3f %s", c.name, t, ratio, ok ? "" : "FAILED ");
        if (c.goal > 0) std::printf(ratio <= c.goal ? "(<= %.1f)" : "(ABOVE %.1f)", c.goal);
        std::printf("\n");
        good &= ok && (c.goal == 0 || ratio <= c.goal);
    }
    std::printf("\n");
    return good;
}

}  // namespace

int main() {
    // Fine timers for this process (the simulator thread inherits it): the
    // default 50 us slack would show up as pacing error of both sides.
    prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    bool good = true;
    good &= report("full read, fast radio (9600 bit/s)", 0x2C00, 0, fastReadLimit());
    good &= report("full read, slow radio (4800 bit/s, clocked)", 0x2000, 0, slowReadLimit());
    good &= report("full write (4800 bit/s, page 0 included)", 0x2C00, 1, fullWriteLimit());
    good &= reportReadFirst();
    std::printf("%s\n", good ? "all within goals" : "some goal missed");
    return good ? 0 : 1;
}
