// What orvedit-cli does with one radio: the radio job (job/RadioJob.h:
// write, verify or both) on its own connection to the port. The same job
// runs on the main thread for one radio and on one worker thread per radio
// for several.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include "image/MemoryImage.h"
#include "job/JobText.h"
#include "job/RadioJob.h"
#include "link/LinkHost.h"
#include "link/ORVCom.h"

namespace orvcli {

// How the tool's user names the radio's device, in the link's advice.
inline constexpr const char* kPortChoice = "given with --port";

// The core job's plan and the link's timing for the tool's own port.
struct RadioJobPlan : orv::RadioJobPlan {
    orv::LinkTiming timing;     // the link's waits and pauses
    bool dryRun = false;        // read first and list the changes, write nothing
};
using orv::verifyMaskFor;
using RadioJobResult = orv::PortJobResult;

// Runs the job on `port` with `host` for its messages and progress; `stop`
// is the Cancel button (Ctrl-C). `image` is copied, never changed.
// `changes` sees the change list of the read first (the tool prints it) before
// anything is written.
RadioJobResult runRadioJob(const std::string& port, const orv::MemoryImage& image, const RadioJobPlan& plan,
                           orv::LinkHost& host, const std::atomic<bool>& stop,
                           const std::function<void(const orv::ReadFirst&)>& changes = {});

// "yes", "FAILED", "stopped", "-"; "same" for a radio that already held the
// programming, "no" for a dry run's.
std::string writtenText(const RadioJobResult& r, bool dryRun);

// What the tool says of a radio that already holds the programming.
inline constexpr const char* kAlreadyHolds = orv::kRadioHoldsIt;

// "yes", "FAILED", "stopped", "-".
std::string stepText(RadioJobResult::Step step);

}  // namespace orvcli
