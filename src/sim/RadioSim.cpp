// The simulated radio: a pty pair, a serving thread and the radio's side of
// every exchange of the link.
//
// Timing model. A pseudo-terminal delivers bytes instantly, a real line does
// not. Every received byte gets an "arrival" time: the moment it was read or,
// when pacing at the line rate, no earlier than one character time (10 bits)
// after the previous byte could have arrived. A reply's first byte is never
// sent before arrival + thinkTimeMs, so a client that sends a frame and then
// discards its input cannot lose the answer. When pacing, each sent byte also
// occupies the line for one character time and is handed to the client at the
// moment its last bit would have arrived.
#include "sim/RadioSim.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>
#include <cstdio>
#include <sys/ioctl.h>

#include "image/MemoryMap.h"
#include "link/Protocol.h"

namespace orv {

namespace {

using namespace wire;
constexpr int kMemSize = memmap::kRadioSize;
constexpr int kBlockSize = memmap::kBlockSize;
constexpr int kBlocks = memmap::kBlocks;
constexpr uint8_t kGarbage = 0xEE;  // what a noisy line puts before a reply
constexpr double kIdleTick = 0.05;  // seconds between housekeeping passes when idle

using Clock = std::chrono::steady_clock;

std::string errnoText(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

void makeRaw(int fd) {
    termios t{};
    if (tcgetattr(fd, &t) != 0) return;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B4800);
    cfsetospeed(&t, B4800);
    tcsetattr(fd, TCSANOW, &t);
}

}  // namespace

int baudFromSpeed(unsigned speed) {
    switch (static_cast<speed_t>(speed)) {
    case B50: return 50;
    case B75: return 75;
    case B110: return 110;
    case B134: return 134;
    case B150: return 150;
    case B200: return 200;
    case B300: return 300;
    case B600: return 600;
    case B1200: return 1200;
    case B1800: return 1800;
    case B2400: return 2400;
    case B4800: return 4800;
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    case B230400: return 230400;
    default: return 0;
    }
}

SimImageFile loadSimImage(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open image file \"" + path + "\": " + std::strerror(errno));
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw std::runtime_error("cannot read image file \"" + path + "\"");
    if (bytes.size() != static_cast<std::size_t>(memmap::kFileSize) &&
        bytes.size() != static_cast<std::size_t>(kMemSize)) {
        throw std::runtime_error("image file \"" + path + "\" has " + std::to_string(bytes.size()) +
                                 " bytes; expected " + std::to_string(memmap::kFileSize) + " or " +
                                 std::to_string(kMemSize));
    }
    SimImageFile f;
    std::copy_n(bytes.begin(), kMemSize, reinterpret_cast<char*>(f.memory.data()));
    if (bytes.size() == static_cast<std::size_t>(memmap::kFileSize))
        std::copy_n(bytes.begin() + kMemSize, memmap::kFileTail, reinterpret_cast<char*>(f.tail.data()));
    return f;
}

void saveSimImage(const std::string& path, const SimImageFile& file) {
    const std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) throw std::runtime_error("cannot write image file \"" + tmp + "\": " + std::strerror(errno));
        out.write(reinterpret_cast<const char*>(file.memory.data()), kMemSize);
        out.write(reinterpret_cast<const char*>(file.tail.data()), memmap::kFileTail);
        out.flush();
        if (!out) {
            std::remove(tmp.c_str());
            throw std::runtime_error("cannot write image file \"" + tmp + "\"");
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(tmp.c_str());
        throw std::runtime_error("cannot replace image file \"" + path + "\": " + reason);
    }
}

struct RadioSim::Impl {
    explicit Impl(SimOptions o) : opt(o) {
        mem.fill(0);
        version = {static_cast<uint8_t>(opt.version >> 8), static_cast<uint8_t>(opt.version), 0, 0};
        dead = opt.faults.deadAfterBytes == 0;
    }

    SimOptions opt;
    std::array<uint8_t, kVersionBytes> version;

    mutable std::mutex mu;  // guards mem, traceLog, receivedTotal, newFaults
    std::array<uint8_t, kMemSize> mem;
    std::vector<SimTraceEntry> traceLog;
    long receivedTotal = 0;
    std::unique_ptr<SimFaults> newFaults;  // set by setFaults, taken by the serving thread

    int master = -1;
    int slave = -1;
    int wake[2] = {-1, -1};
    std::string path;
    std::thread thread;
    std::atomic<bool> running{false};
    Clock::time_point t0;

    // ---- serving-thread state -------------------------------------------
    enum class Mode {
        Idle, Hs1, Hs2,            // not hooked; Hs1/Hs2: the first (second) handshake byte seen
        Cmd, CmdHs1, CmdHs2,       // hooked; a new handshake is still answered
        SpeedArg,
        ReadNum, ReadClock,
        WriteNum, WriteData,
        MaskHi, MaskLo, MaskMask, MaskValue,
    };
    Mode mode = Mode::Idle;
    int versionIdx = 0;        // next version byte a clock byte asks for, 0: none
    int block = 0;             // block of the current read or write
    int nextByte = 0;          // next byte index of a clocked read
    std::array<uint8_t, kBlockSize> writeBuf{};
    int writeCount = 0;
    int maskAddr = 0, maskMask = 0;
    int maskedSeen = 0;
    int blockWritesSeen = 0;
    long faultBase = 0;        // receivedTotal when the faults in force were set
    bool dead = false;

    struct Out { uint8_t value; double notBefore; };
    std::deque<Out> out;
    double lastArrival = -1e9;  // line model of received bytes
    double lineFree = 0;        // line model of sent bytes

    double now() const { return std::chrono::duration<double>(Clock::now() - t0).count(); }
    int currentBaud() const {
        termios t{};
        if (master < 0 || tcgetattr(master, &t) != 0) return 0;
        return baudFromSpeed(cfgetospeed(&t));
    }
    double charTime(int baud) const { return baud > 0 ? 10.0 / baud : 0.0; }
    bool fast() const { return static_cast<int16_t>(opt.version) >= static_cast<int16_t>(kFastVersion); }

    // Queues one reply (garbage first, when asked for) to a byte that
    // arrived at `arrival`.
    void reply(std::initializer_list<uint8_t> bytes, double arrival, bool garbage = true) {
        replyRange(bytes.begin(), bytes.end(), arrival, garbage);
    }
    template <typename It>
    void replyRange(It first, It last, double arrival, bool garbage = true) {
        if (opt.faults.silent || dead) return;
        const double at = arrival + opt.thinkTimeMs / 1000.0;
        if (garbage)
            for (int i = 0; i < opt.faults.garbageBeforeReplies; ++i) out.push_back({kGarbage, at});
        for (; first != last; ++first) out.push_back({*first, at});
    }

    uint8_t memAt(int addr) {
        std::lock_guard<std::mutex> lock(mu);
        return mem[static_cast<std::size_t>(addr)];
    }

    bool startHandshake(uint8_t b, Mode next) {
        if (b != kHandshake[0]) return false;
        mode = next;
        return true;
    }

    void hooked(double arrival) {
        mode = Mode::Cmd;
        versionIdx = 0;
        const int answer = opt.faults.handshakeReply >= 0 ? static_cast<uint8_t>(opt.faults.handshakeReply) : kHandshakeReply;
        reply({static_cast<uint8_t>(answer)}, arrival);
    }

    void command(uint8_t b, double arrival) {
        if (b != kClock) versionIdx = 0;
        switch (b) {
        case kClock:
            if (versionIdx >= 1 && versionIdx < kVersionBytes) reply({version[static_cast<std::size_t>(versionIdx++)]}, arrival);
            break;  // otherwise a wake-up or stray clock byte: nothing to answer
        case kVersionRequest:
            versionIdx = 1;
            reply({version[0]}, arrival);
            break;
        case kHandshake[0]: mode = Mode::CmdHs1; break;
        case kSpeedChange: mode = Mode::SpeedArg; break;
        case kBlockRead: mode = Mode::ReadNum; break;
        case kBlockWrite: mode = Mode::WriteNum; break;
        case kMaskedWrite: mode = Mode::MaskHi; break;
        case kRelease: mode = Mode::Idle; break;
        default: break;                       // not a request this radio knows
        }
    }

    void handle(uint8_t b, double arrival) {
        switch (mode) {
        case Mode::Idle:
            startHandshake(b, Mode::Hs1);
            break;
        case Mode::Hs1:
            mode = b == kHandshake[1] ? Mode::Hs2 : Mode::Idle;
            startHandshake(b, Mode::Hs1);
            break;
        case Mode::Hs2:
            if (b == kHandshake[2]) hooked(arrival);
            else { mode = Mode::Idle; startHandshake(b, Mode::Hs1); }
            break;
        case Mode::Cmd:
            command(b, arrival);
            break;
        case Mode::CmdHs1:
            if (b == kHandshake[1]) mode = Mode::CmdHs2;
            else { mode = Mode::Cmd; command(b, arrival); }
            break;
        case Mode::CmdHs2:
            if (b == kHandshake[2]) hooked(arrival);
            else { mode = Mode::Cmd; command(b, arrival); }
            break;
        case Mode::SpeedArg: {
            mode = Mode::Cmd;
            const bool ok = !opt.faults.refuseSpeedChange && b < kSpeedCount;
            reply({ok ? kAck : kNak}, arrival);
            break;
        }
        case Mode::ReadNum:
            if (b < kBlocks) {
                block = b;
                nextByte = 1;
                mode = Mode::ReadClock;
                reply({memAt(block * kBlockSize)}, arrival);
            } else {
                mode = Mode::Cmd;  // no such block: no answer; the clock bytes that follow are ignored
            }
            break;
        case Mode::ReadClock:
            if (b == kReadRest && fast()) {
                std::vector<uint8_t> rest;
                for (int i = nextByte; i < kBlockSize; ++i) rest.push_back(memAt(block * kBlockSize + i));
                replyRange(rest.begin(), rest.end(), arrival, false);
                nextByte = kBlockSize;
            } else {
                reply({memAt(block * kBlockSize + nextByte)}, arrival, false);
                ++nextByte;
            }
            if (nextByte >= kBlockSize) mode = Mode::Cmd;
            break;
        case Mode::WriteNum:
            block = b;
            writeCount = 0;
            mode = Mode::WriteData;
            break;
        case Mode::WriteData:
            writeBuf[static_cast<std::size_t>(writeCount++)] = b;
            if (writeCount == kBlockSize) {
                mode = Mode::Cmd;
                if (block < kBlocks && blockWritesSeen++ >= opt.faults.blockWriteSilentCount) {
                    {
                        std::lock_guard<std::mutex> lock(mu);
                        std::copy(writeBuf.begin(), writeBuf.end(), mem.begin() + block * kBlockSize);
                    }
                    reply({kAck}, arrival);
                }
            }
            break;
        case Mode::MaskHi: maskAddr = b << 8; mode = Mode::MaskLo; break;
        case Mode::MaskLo: maskAddr |= b; mode = Mode::MaskMask; break;
        case Mode::MaskMask: maskMask = b; mode = Mode::MaskValue; break;
        case Mode::MaskValue: {
            mode = Mode::Cmd;
            if (maskAddr >= kMemSize) break;  // outside the memory: no answer, nothing changed
            // The link discards its input right after sending this frame. On a
            // real line the answer cannot come before the frame's five bytes
            // have crossed it; without pacing, hold it back for that long so
            // that a client delayed between its last write and the discard
            // does not lose it.
            if (!opt.realtime) arrival += 5 * charTime(currentBaud());
            const int n = maskedSeen++;
            if (n < opt.faults.maskedSilentCount) break;
            if (n < opt.faults.maskedSilentCount + opt.faults.maskedNakCount) {
                reply({kNak}, arrival);
                break;
            }
            {
                std::lock_guard<std::mutex> lock(mu);
                uint8_t& m = mem[static_cast<std::size_t>(maskAddr)];
                m = static_cast<uint8_t>((m & ~maskMask) | (b & maskMask));
            }
            reply({kAck}, arrival);
            break;
        }
        }
    }

    // Puts faults handed over by setFaults into force, their counts from now.
    void takeNewFaults() {
        {
            std::lock_guard<std::mutex> lock(mu);
            if (!newFaults) return;
            opt.faults = *newFaults;
            newFaults.reset();
            faultBase = receivedTotal;
        }
        // The radio starts afresh: not hooked, nothing left to send.
        mode = Mode::Idle;
        versionIdx = 0;
        out.clear();
        maskedSeen = 0;
        blockWritesSeen = 0;
        dead = opt.faults.deadAfterBytes == 0;
    }

    void onReceived(const uint8_t* buf, ssize_t n) {
        const double t = now();
        const int baud = currentBaud();
        for (ssize_t i = 0; i < n; ++i) {
            takeNewFaults();
            double arrival = t;
            if (opt.realtime) arrival = std::max(t, lastArrival + charTime(baud));
            lastArrival = arrival;
            long total;
            {
                std::lock_guard<std::mutex> lock(mu);
                if (opt.keepTrace) traceLog.push_back({SimTraceEntry::In, t, buf[i], baud});
                total = ++receivedTotal;
            }
            if (dead || opt.faults.silent) continue;
            handle(buf[i], arrival);
            if (opt.faults.deadAfterBytes >= 0 && total - faultBase >= opt.faults.deadAfterBytes) {
                dead = true;  // the link drops: nothing more is sent, not even a queued reply
                out.clear();
            }
        }
    }

    // The time at which the next queued byte may be handed to the client.
    double nextDue(int baud) const {
        const Out& o = out.front();
        if (!opt.realtime) return o.notBefore;
        return std::max(o.notBefore, lineFree) + charTime(baud);
    }

    // Sends every byte that is due; returns false when the pty is full.
    bool sendDue() {
        while (!out.empty()) {
            const int baud = currentBaud();
            const double due = nextDue(baud);
            const double t = now();
            if (due > t) return true;
            const uint8_t v = out.front().value;
            {
                // Written and traced under the lock: whoever has seen the
                // byte and then asks for the trace finds it there.
                std::lock_guard<std::mutex> lock(mu);
                const ssize_t w = ::write(master, &v, 1);
                if (w != 1) {
                    if (w < 0 && errno == EINTR) continue;
                    return false;  // EAGAIN: wait for POLLOUT
                }
                if (opt.keepTrace) traceLog.push_back({SimTraceEntry::Out, t, v, baud});
            }
            out.pop_front();
            // The line is busy from the actual hand-over on, so a late byte
            // never lets the next one follow faster than the line allows.
            lineFree = t;
        }
        return true;
    }

    void serve() {
        uint8_t buf[512];
        bool blocked = false;
        while (running.load()) {
            double wait = kIdleTick;
            if (!out.empty() && !blocked) wait = std::min(wait, std::max(0.0, nextDue(currentBaud()) - now()));
            timespec ts{};
            ts.tv_sec = static_cast<time_t>(wait);
            ts.tv_nsec = static_cast<long>((wait - static_cast<double>(ts.tv_sec)) * 1e9);
            pollfd fds[2] = {{master, static_cast<short>(POLLIN | (blocked ? POLLOUT : 0)), 0},
                             {wake[0], POLLIN, 0}};
            const int r = ppoll(fds, 2, &ts, nullptr);
            if (r < 0) {
                if (errno == EINTR) continue;
                break;
            }
            if (fds[1].revents) break;
            if (fds[0].revents & POLLIN) {
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) onReceived(buf, n);
            } else if (fds[0].revents & (POLLHUP | POLLERR)) {
                // Cannot happen while the slave fd is held open; do not spin if it does.
                ::usleep(1000);
            }
            if (!out.empty()) blocked = !sendDue();
            // A client that made the port exclusive (TIOCEXCL) and closed it
            // could not open it again: the slave held open here keeps the
            // terminal, and its exclusive flag, alive. Nobody else shares
            // this pty, so drop the flag whenever the loop runs.
            ioctl(slave, TIOCNXCL);
        }
    }

    void closeAll() {
        for (int* fd : {&master, &slave, &wake[0], &wake[1]}) {
            if (*fd >= 0) ::close(*fd);
            *fd = -1;
        }
    }
};

RadioSim::RadioSim(SimOptions options) : impl_(std::make_unique<Impl>(options)) {}

RadioSim::~RadioSim() { stop(); }

void RadioSim::start() {
    Impl& d = *impl_;
    if (d.running.load()) return;
    d.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (d.master < 0) throw std::runtime_error(errnoText("posix_openpt"));
    // Raw before anybody opens the slave: no echo, no line editing, no
    // newline translation in either direction.
    makeRaw(d.master);
    if (grantpt(d.master) != 0 || unlockpt(d.master) != 0) {
        const std::string msg = errnoText("grantpt/unlockpt");
        d.closeAll();
        throw std::runtime_error(msg);
    }
    char name[128];
    if (ptsname_r(d.master, name, sizeof name) != 0) {
        const std::string msg = errnoText("ptsname");
        d.closeAll();
        throw std::runtime_error(msg);
    }
    d.path = name;
    // Held open for the whole run so the master never sees a hang-up when the
    // client closes its side between connections.
    d.slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (d.slave < 0) {
        const std::string msg = errnoText(("open " + d.path).c_str());
        d.closeAll();
        throw std::runtime_error(msg);
    }
    makeRaw(d.slave);
    fcntl(d.master, F_SETFL, fcntl(d.master, F_GETFL) | O_NONBLOCK);
    if (pipe2(d.wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        const std::string msg = errnoText("pipe");
        d.closeAll();
        throw std::runtime_error(msg);
    }
    d.t0 = Clock::now();
    d.running = true;
    d.thread = std::thread([&d] { d.serve(); });
}

void RadioSim::stop() {
    Impl& d = *impl_;
    if (!d.running.exchange(false)) return;
    const char c = 1;
    [[maybe_unused]] const ssize_t w = ::write(d.wake[1], &c, 1);
    if (d.thread.joinable()) d.thread.join();
    d.closeAll();
}

std::string RadioSim::devicePath() const { return impl_->path; }

void RadioSim::setFaults(const SimFaults& faults) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->newFaults = std::make_unique<SimFaults>(faults);
}

std::array<uint8_t, memmap::kRadioSize> RadioSim::memory() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->mem;
}

void RadioSim::setMemory(const std::array<uint8_t, memmap::kRadioSize>& m) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->mem = m;
}

std::vector<SimTraceEntry> RadioSim::trace() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->traceLog;
}

void RadioSim::clearTrace() {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->traceLog.clear();
}

std::vector<uint8_t> RadioSim::received() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    std::vector<uint8_t> r;
    for (const auto& e : impl_->traceLog)
        if (e.dir == SimTraceEntry::In) r.push_back(e.value);
    return r;
}

long RadioSim::receivedCount() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->receivedTotal;
}

}  // namespace orv
