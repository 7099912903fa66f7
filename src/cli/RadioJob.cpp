#include "cli/RadioJob.h"

namespace orvcli {

using Step = RadioJobResult::Step;

std::string stepText(Step step) {
    switch (step) {
    case Step::Done: return "yes";
    case Step::Failed: return "FAILED";
    case Step::Stopped: return "stopped";
    case Step::NotAsked: break;
    }
    return "-";
}

std::string writtenText(const RadioJobResult& r, bool dryRun) {
    if (r.identical) return "same";
    if (dryRun && r.written == Step::NotAsked && r.ok()) return "no";
    return stepText(r.written);
}

RadioJobResult runRadioJob(const std::string& device, const orv::MemoryImage& image, const RadioJobPlan& plan,
                           orv::LinkHost& host, const std::atomic<bool>& stop,
                           const std::function<void(const orv::ReadFirst&)>& changes) {
    orv::RadioJobHooks hooks;
    hooks.stopped = [&stop] { return stop.load(); };
    hooks.confirmChanges = [&](const orv::ReadFirst& before) {
        if (changes) changes(before);
        return !plan.dryRun;
    };
    return orv::runRadioJobOn({device, plan.timing, kPortChoice}, image, plan, host, hooks);
}

}  // namespace orvcli
