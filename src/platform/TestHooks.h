// Where tests look into the platform layer: a hook called at each step of a
// save and when a lock must wait, and a switch that makes a save take the
// path a machine's file system would otherwise not let it take. The
// programs never set them; a hook that is not set costs one atomic load.
// They are plain function pointers, set by a test before the code it
// watches runs (a forked child sets its own).
#pragma once

namespace orv::platform::hooks {

// The steps of replaceFile (Files.h), in their order.
enum class SaveStep {
    TemporaryCreated,   // the temporary file is open (with or without a name)
    Written,            // the content is in it
    Synced,             // and on the disk
    Renamed,            // it has taken the target's place
};

using SaveStepHook = void (*)(SaveStep step);
// nullptr: no hook.
void setSaveStepHook(SaveStepHook hook);
// Called by replaceFile at each step.
void saveStep(SaveStep step);

// POSIX: every save uses a named temporary file, as on a file system that
// refuses O_TMPFILE. No effect on Windows, whose temporaries always have a
// name.
void setNamedTemporariesOnly(bool on);
bool namedTemporariesOnly();

// Called by FileLock when the lock is held elsewhere and the caller is about
// to wait for it (not for a lock taken at once, nor for a try that fails).
using LockWaitHook = void (*)();
void setLockWaitHook(LockWaitHook hook);
void lockWaits();

}  // namespace orv::platform::hooks
