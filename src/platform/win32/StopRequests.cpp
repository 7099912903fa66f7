// Stop requests on Windows: the console's control events, caught with
// SetConsoleCtrlHandler. Ctrl-C stands for 130 (as SIGINT on POSIX),
// Ctrl-Break and the closing of the console window for 143 (as SIGTERM).
// The handler runs on a thread of its own; after a close the system ends
// the program once the handler returns, so the handler gives the operation
// a few seconds to stop first.
#include "platform/StopRequests.h"

#include <windows.h>

namespace orv::platform {

namespace {

volatile std::sig_atomic_t g_requested = 0;
volatile std::sig_atomic_t g_status = 0;
std::atomic<bool> g_stop{false};

constexpr int kInterruptStatus = 130;   // 128 + SIGINT
constexpr int kTerminateStatus = 143;   // 128 + SIGTERM
// How long the handler of a close holds the system off (it allows about five seconds).
constexpr DWORD kCloseGraceMs = 4500;

BOOL WINAPI onConsoleStop(DWORD event) {
    int status = 0;
    switch (event) {
    case CTRL_C_EVENT: status = kInterruptStatus; break;
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT: status = kTerminateStatus; break;
    default: return FALSE;   // log-off and shut-down: the system's own handling
    }
    g_requested = 1;
    g_status = status;
    g_stop.store(true);
    if (event == CTRL_CLOSE_EVENT) ::Sleep(kCloseGraceMs);
    return TRUE;
}

}  // namespace

const volatile std::sig_atomic_t* stopRequested() { return &g_requested; }

std::atomic<bool>& stopFlag() { return g_stop; }

int stopExitStatus() { return g_status; }

struct StopRequestsCaught::Saved {};

StopRequestsCaught::StopRequestsCaught() : saved_(std::make_unique<Saved>()) {
    g_requested = 0;
    g_status = 0;
    g_stop = false;
    ::SetConsoleCtrlHandler(onConsoleStop, TRUE);
}

StopRequestsCaught::~StopRequestsCaught() { ::SetConsoleCtrlHandler(onConsoleStop, FALSE); }

const char* stopStatusHelp() { return "130 Ctrl-C, 143 Ctrl-Break or the console window closing"; }

}  // namespace orv::platform
