#include "cli/RadioJob.h"

#include <cstdio>
#include "link/ORVCom.h"
#include "platform/SerialPortNative.h"
#include "link/TracingSerialPort.h"

namespace orvcli {

using orv::ORVCom;
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
    using W = RadioJobPlan::Write;
    RadioJobResult r;
    r.port = device;
    orv::NativeSerialPort port(device);
    orv::SerialTrace trace;
    orv::TracingSerialPort traced(port, trace);
    orv::MemoryImage img = image;
    ORVCom com(img, traced, host, plan.timing);
    com.setPortChoice(kPortChoice);
    trace.start();

    orv::RadioJobHooks hooks;
    hooks.stopped = [&stop] { return stop.load(); };
    static_cast<orv::RadioJobResult&>(r) = orv::runRadioJob(com, img, plan, hooks);
    // A failed hook of a group or whole write leaves the dialog to its caller.
    if (!r.writeAccepted && (plan.write == W::Group || plan.write == W::All || plan.write == W::SkipGlobals))
        host.progUnload();
    com.closePort();

    if (com.versionBytes()[0] != 0 || com.versionBytes()[1] != 0) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X", com.versionBytes()[0], com.versionBytes()[1]);
        r.version = text;
    }
    r.trace = trace.entries();
    r.traceDropped = trace.dropped();
    return r;
}

}  // namespace orvcli
