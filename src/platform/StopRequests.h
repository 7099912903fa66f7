// The user's requests to stop a running operation: Ctrl-C, and a polite end
// from outside (SIGTERM from kill or a service manager, SIGHUP when the
// terminal goes away; on Windows Ctrl-Break and the console window closing).
// While a StopRequestsCaught is alive they do not end the program: they set
// the flags below, which the radio operations poll as their Cancel button,
// so the radio is left between blocks and no file is half written.
//
// The exit status a stop leaves (stopExitStatus) is the one a shell reports
// for a command the signal ended: 128 + the signal number on POSIX (130 for
// Ctrl-C, 143 for SIGTERM, 129 for SIGHUP). On Windows Ctrl-C gives 130,
// Ctrl-Break and the closing of the console window 143; after a close the
// system ends the program within a few seconds, whatever it is doing.
#pragma once
#include <atomic>
#include <csignal>
#include <memory>

namespace orv::platform {

// Nonzero once a stop was requested (polled as the Cancel button).
const volatile std::sig_atomic_t* stopRequested();

// The same for worker threads.
std::atomic<bool>& stopFlag();

// The exit status the last stop request stands for; 0 when there was none.
int stopExitStatus();

// The stops and their exit statuses as the help gives them:
// "130 Ctrl-C, 143 SIGTERM, 129 SIGHUP" on POSIX.
const char* stopStatusHelp();

// Catches the stop requests while alive (see above); the flags are cleared
// when it is made and keep their value after it is gone.
class StopRequestsCaught {
public:
    StopRequestsCaught();
    ~StopRequestsCaught();
    StopRequestsCaught(const StopRequestsCaught&) = delete;
    StopRequestsCaught& operator=(const StopRequestsCaught&) = delete;

private:
    struct Saved;
    std::unique_ptr<Saved> saved_;   // the handlers to put back
};

}  // namespace orv::platform
