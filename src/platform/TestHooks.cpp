#include "platform/TestHooks.h"

#include <atomic>

namespace orv::platform::hooks {

namespace {
std::atomic<SaveStepHook> g_saveStep{nullptr};
std::atomic<bool> g_namedOnly{false};
std::atomic<LockWaitHook> g_lockWait{nullptr};
}  // namespace

void setSaveStepHook(SaveStepHook hook) { g_saveStep.store(hook); }

void saveStep(SaveStep step) {
    if (const SaveStepHook hook = g_saveStep.load()) hook(step);
}

void setNamedTemporariesOnly(bool on) { g_namedOnly.store(on); }

bool namedTemporariesOnly() { return g_namedOnly.load(); }

void setLockWaitHook(LockWaitHook hook) { g_lockWait.store(hook); }

void lockWaits() {
    if (const LockWaitHook hook = g_lockWait.load()) hook();
}

}  // namespace orv::platform::hooks
