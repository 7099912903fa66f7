// The terminal on POSIX systems: isatty and the window size ioctl.
#include "platform/Terminal.h"

#include <csignal>
#include <sys/ioctl.h>
#include <unistd.h>

namespace orv::platform {

namespace {

int descriptorOf(StdStream stream) {
    switch (stream) {
    case StdStream::Input: return STDIN_FILENO;
    case StdStream::Output: return STDOUT_FILENO;
    case StdStream::Error: break;
    }
    return STDERR_FILENO;
}

}  // namespace

void reportBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

void answerOnParentConsole() {}

bool isInteractive(StdStream stream) { return ::isatty(descriptorOf(stream)) == 1; }

// Every terminal this program meets takes the VT sequences.
bool redrawsInPlace(StdStream stream) { return stream != StdStream::Input && isInteractive(stream); }

std::size_t terminalColumns(StdStream stream) {
    winsize ws {};
    if (!isInteractive(stream) || ::ioctl(descriptorOf(stream), TIOCGWINSZ, &ws) != 0) return 0;
    return ws.ws_col;
}

}  // namespace orv::platform
