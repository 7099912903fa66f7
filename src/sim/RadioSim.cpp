// The pty shell of the simulated radio: a pty pair, a serving thread that
// feeds the radio's state machine with every byte read from the master side
// (and the line speed the client set on the terminal) and writes each reply
// byte when it is due. The state machine is shared with the callers'
// threads (memory, trace, faults) under one lock.
#include "sim/RadioSim.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "platform/posix/TermiosSpeed.h"

namespace orv {

namespace {

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
    const speed_t first = platform::termiosSpeed(wire::kSpeeds[0]);
    cfsetispeed(&t, first);
    cfsetospeed(&t, first);
    tcsetattr(fd, TCSANOW, &t);
}

}  // namespace

struct RadioSim::Impl {
    explicit Impl(SimOptions o) : core(o) {}

    mutable std::mutex mu;  // guards core
    SimRadioCore core;

    int master = -1;
    int slave = -1;
    int wake[2] = {-1, -1};
    std::string path;
    std::thread thread;
    std::atomic<bool> running{false};
    Clock::time_point t0;

    double now() const { return std::chrono::duration<double>(Clock::now() - t0).count(); }
    // The line speed the client set on its side of the terminal.
    int currentBaud() const {
        termios t{};
        if (master < 0 || tcgetattr(master, &t) != 0) return 0;
        return platform::baudOfTermiosSpeed(cfgetospeed(&t));
    }

    void onReceived(const uint8_t* buf, ssize_t n) {
        const double t = now();
        const int baud = currentBaud();
        std::lock_guard<std::mutex> lock(mu);
        core.setLineSpeed(baud);
        for (ssize_t i = 0; i < n; ++i) core.feed(buf[i], t);
    }

    // Seconds until the next reply byte is due (kIdleTick when none waits).
    double untilDue() {
        const int baud = currentBaud();
        std::lock_guard<std::mutex> lock(mu);
        if (!core.hasReply()) return kIdleTick;
        core.setLineSpeed(baud);
        return std::max(0.0, core.nextDue() - now());
    }

    // Sends every byte that is due; returns false when the pty is full.
    bool sendDue() {
        for (;;) {
            const int baud = currentBaud();
            // Written and traced under the lock: whoever has seen the byte
            // and then asks for the trace finds it there.
            std::lock_guard<std::mutex> lock(mu);
            if (!core.hasReply()) return true;
            core.setLineSpeed(baud);
            const double t = now();
            if (core.nextDue() > t) return true;
            const uint8_t v = core.nextReply();
            const ssize_t w = ::write(master, &v, 1);
            if (w != 1) {
                if (w < 0 && errno == EINTR) continue;
                return false;  // EAGAIN: wait for POLLOUT
            }
            core.takeReply(t);
        }
    }

    void serve() {
        uint8_t buf[512];
        bool blocked = false;
        while (running.load()) {
            const double wait = blocked ? kIdleTick : std::min(kIdleTick, untilDue());
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
            blocked = !sendDue();
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
    impl_->core.setFaults(faults);
}

std::array<uint8_t, memmap::kRadioSize> RadioSim::memory() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->core.memory();
}

void RadioSim::setMemory(const std::array<uint8_t, memmap::kRadioSize>& m) {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->core.setMemory(m);
}

std::vector<SimTraceEntry> RadioSim::trace() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->core.trace();
}

void RadioSim::clearTrace() {
    std::lock_guard<std::mutex> lock(impl_->mu);
    impl_->core.clearTrace();
}

std::vector<uint8_t> RadioSim::received() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->core.received();
}

long RadioSim::receivedCount() const {
    std::lock_guard<std::mutex> lock(impl_->mu);
    return impl_->core.receivedCount();
}

}  // namespace orv
