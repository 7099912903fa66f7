// What orvedit-cli does with one radio: write it (all, one group, the global
// area, or all but the global area), verify it, or both, on its own port,
// link and trace. The same job runs on the main thread for one radio and on
// one worker thread per radio for several.
#pragma once
#include <atomic>
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "link/LinkHost.h"
#include "link/SerialTrace.h"
#include "image/VerifyMask.h"

namespace orvcli {

struct RadioJobPlan {
    enum class Write { None, All, SkipGlobals, Globals, Group };
    Write write = Write::All;
    int group = 0;              // 1..15 with Write::Group (also for a verify of one group)
    bool globalsOnly = false;   // a verify of the global area only (with Write::None)
    bool skipGlobals = false;   // a verify without the global area (with Write::None)
    bool verify = false;
    bool backupReads = true;    // keep what a verify read as a backup
};

// The bits the job's verify compares: what its write sends.
orv::RadioMask verifyMaskFor(const RadioJobPlan& plan);

struct RadioJobResult {
    enum class Step { NotAsked, Done, Failed, Stopped };
    std::string port;
    std::string version = "-";            // the radio's version word ("2C00"), "-" when never hooked
    Step written = Step::NotAsked;
    Step verified = Step::NotAsked;
    std::vector<std::string> differences; // the verify's lines when the radio differs
    std::string failure;                  // what went wrong, in the tool's words (empty: nothing)
    std::string warning;                  // a backup that could not be kept
    std::vector<orv::TraceEntry> trace;
    std::size_t traceDropped = 0;
    // Every way a job can fail or be stopped sets `failure`.
    bool ok() const { return failure.empty(); }
};

// Runs the job on `port` with `host` for its messages and progress; `stop`
// is the Cancel button (Ctrl-C). `image` is copied, never changed.
RadioJobResult runRadioJob(const std::string& port, const orv::MemoryImage& image, const RadioJobPlan& plan,
                           orv::LinkHost& host, const std::atomic<bool>& stop);

// "yes", "FAILED", "stopped", "-".
std::string stepText(RadioJobResult::Step step);

}  // namespace orvcli
