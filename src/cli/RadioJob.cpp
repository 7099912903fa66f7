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

RadioJobResult runRadioJob(const std::string& device, const orv::MemoryImage& image, const RadioJobPlan& plan,
                           orv::LinkHost& host, const std::atomic<bool>& stop) {
    orv::RadioJobHooks hooks;
    hooks.stopped = [&stop] { return stop.load(); };
    return orv::runRadioJobOn({device, plan.timing, kPortChoice}, image, plan, host, hooks);
}

}  // namespace orvcli
