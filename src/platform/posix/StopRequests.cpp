// Stop requests on POSIX systems: SIGINT, SIGTERM and SIGHUP, caught with
// sigaction. No SA_RESTART, so a wait in poll() wakes up at once.
#include "platform/StopRequests.h"

#include <iterator>

namespace orv::platform {

namespace {

volatile std::sig_atomic_t g_requested = 0;
volatile std::sig_atomic_t g_signal = 0;   // the signal that asked to stop
// The same, for worker threads (lock-free, so the signal handler may set it).
std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free);

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void onStopSignal(int sig) {
    g_requested = 1;
    g_signal = sig;
    g_stop.store(true);
}

}  // namespace

const volatile std::sig_atomic_t* stopRequested() { return &g_requested; }

std::atomic<bool>& stopFlag() { return g_stop; }

int stopExitStatus() { return g_signal != 0 ? 128 + g_signal : 0; }

struct StopRequestsCaught::Saved {
    struct sigaction old[std::size(kSignals)] {};
};

StopRequestsCaught::StopRequestsCaught() : saved_(std::make_unique<Saved>()) {
    g_requested = 0;
    g_signal = 0;
    g_stop = false;
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;
    for (std::size_t k = 0; k < std::size(kSignals); ++k) sigaction(kSignals[k], &sa, &saved_->old[k]);
}

StopRequestsCaught::~StopRequestsCaught() {
    for (std::size_t k = 0; k < std::size(kSignals); ++k) sigaction(kSignals[k], &saved_->old[k], nullptr);
}

const char* stopStatusHelp() { return "130 Ctrl-C, 143 SIGTERM, 129 SIGHUP"; }

}  // namespace orv::platform
