// Child processes for the tests: the programs under test (orvedit-cli,
// orv-radiosim), helper tools, and code that must run in a process of its
// own. Standard input is /dev/null unless a file is named; standard output
// and error go to files, to pipes the test reads, or are captured whole.
#pragma once
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace orv::test {

// A child starts with the signals that end a program as the system sets them
// up, whatever the test runner inherited: a shell starts a background job
// with SIGINT and SIGQUIT ignored, some runners ignore SIGPIPE or block
// signals, and both are passed on through fork and exec. Async-signal-safe,
// so it may run between fork and exec.
inline void resetSignalsInChild() {
    struct sigaction dfl {};
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) ::sigaction(sig, &dfl, nullptr);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

// Where a child's output stream goes.
struct Output {
    enum class To { Null, File, Pipe } to = To::Null;
    std::string path;   // with File
    static Output null() { return {}; }
    static Output file(std::string p) { return {To::File, std::move(p)}; }
    static Output pipe() { return {To::Pipe, {}}; }
};

// A running child; the destructor kills and reaps one still running.
class ChildProcess {
public:
    // argv[0] is a path, or a name looked up in PATH.
    explicit ChildProcess(const std::vector<std::string>& argv, Output out = Output::null(),
                          Output err = Output::null(), const std::string& in = "/dev/null") {
        std::vector<std::string> args = argv;
        std::vector<char*> ptrs;
        for (auto& a : args) ptrs.push_back(a.data());
        ptrs.push_back(nullptr);
        int outPipe[2] = {-1, -1}, errPipe[2] = {-1, -1};
        if ((out.to == Output::To::Pipe && ::pipe2(outPipe, O_CLOEXEC) != 0) ||
            (err.to == Output::To::Pipe && ::pipe2(errPipe, O_CLOEXEC) != 0))
            throw std::runtime_error("pipe failed");
        pid_ = ::fork();
        if (pid_ < 0) throw std::runtime_error("fork failed");
        if (pid_ == 0) {
            // Only async-signal-safe calls from here to exec.
            resetSignalsInChild();
            const int i = ::open(in.c_str(), O_RDONLY);
            const int o = openTarget(out, outPipe[1]);
            const int e = openTarget(err, errPipe[1]);
            if (i < 0 || o < 0 || e < 0) ::_exit(126);
            ::dup2(i, 0);
            ::dup2(o, 1);
            ::dup2(e, 2);
            ::execvp(ptrs[0], ptrs.data());
            ::_exit(127);
        }
        if (outPipe[1] >= 0) ::close(outPipe[1]);
        if (errPipe[1] >= 0) ::close(errPipe[1]);
        outFd = outPipe[0];
        errFd = errPipe[0];
    }
    ~ChildProcess() {
        if (pid_ > 0 && !status_) {
            ::kill(pid_, SIGKILL);
            wait();
        }
        if (outFd >= 0) ::close(outFd);
        if (errFd >= 0) ::close(errFd);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    void signal(int sig) const { ::kill(pid_, sig); }
    // The wait status (as waitpid gives it) once the child ended.
    int wait() {
        while (!status_) {
            int st = 0;
            if (::waitpid(pid_, &st, 0) == pid_) status_ = st;
            else if (errno != EINTR) status_ = -1;
        }
        return *status_;
    }
    // The wait status if the child has ended, without waiting.
    std::optional<int> poll() {
        int st = 0;
        if (!status_ && ::waitpid(pid_, &st, WNOHANG) == pid_) status_ = st;
        return status_;
    }
    // The exit code; -1 when the child was ended by a signal.
    int exitCode() {
        const int st = wait();
        return WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    }

    int outFd = -1;   // with Output::pipe()
    int errFd = -1;

private:
    static int openTarget(const Output& o, int pipeEnd) {
        switch (o.to) {
        case Output::To::Pipe: return pipeEnd;
        case Output::To::File: return ::open(o.path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        case Output::To::Null: break;
        }
        return ::open("/dev/null", O_WRONLY);
    }
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// What a finished child left.
struct ChildResult {
    int exitCode = -1;   // -1: ended by a signal
    std::string out;
    std::string err;
    // The lines of stderr (without the final line end).
    std::vector<std::string> errLines() const {
        std::vector<std::string> lines;
        std::istringstream in(err);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

// Runs argv to its end, stdin from /dev/null, both outputs captured (the
// standard output into the file `stdoutTo` instead when one is named, e.g.
// /dev/full; `out` then stays empty).
inline ChildResult runChild(const std::vector<std::string>& argv, const std::string& stdoutTo = {},
                            const std::string& stdinFrom = "/dev/null") {
    ChildProcess child(argv, stdoutTo.empty() ? Output::pipe() : Output::file(stdoutTo), Output::pipe(), stdinFrom);
    ChildResult r;
    pollfd fds[2] = {{child.outFd, POLLIN, 0}, {child.errFd, POLLIN, 0}};
    std::string* into[2] = {&r.out, &r.err};
    for (int open = child.outFd >= 0 ? 2 : 1; open > 0;) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0) continue;
            char buf[4096];
            const ssize_t n = ::read(fds[k].fd, buf, sizeof buf);
            if (n > 0) {
                into[k]->append(buf, static_cast<std::size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                fds[k].fd = -1;
                --open;
            }
        }
    }
    r.exitCode = child.exitCode();
    return r;
}

// A forked copy of this process running `body` (for what must not touch the
// test's own process: resource limits, signals, another user); its exit
// code is body's result. The destructor kills and reaps one still running.
class ForkedChild {
public:
    explicit ForkedChild(const std::function<int()>& body) {
        pid_ = ::fork();
        if (pid_ == 0) {
            resetSignalsInChild();
            ::_exit(body());
        }
    }
    ~ForkedChild() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            wait();
        }
    }
    ForkedChild(const ForkedChild&) = delete;
    ForkedChild& operator=(const ForkedChild&) = delete;

    bool started() const { return pid_ > 0; }
    void signal(int sig) const { ::kill(pid_, sig); }
    // The exit code once it ended, -1 when ended by a signal (or never started).
    int wait() {
        if (pid_ <= 0) return -1;
        if (!reaped_) {
            while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
            }
            reaped_ = true;
        }
        return WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
    }
    // The signal that ended it once it ended, 0 when it exited (or never started).
    int endingSignal() {
        if (wait() != -1 || pid_ <= 0) return 0;
        return WIFSIGNALED(status_) ? WTERMSIG(status_) : 0;
    }

private:
    pid_t pid_ = -1;
    int status_ = 0;
    bool reaped_ = false;
};

// Runs `body` in a forked copy of this process to its end: its exit code,
// -1 when the copy was ended by a signal.
inline int runForked(const std::function<int()>& body) { return ForkedChild(body).wait(); }

}  // namespace orv::test
