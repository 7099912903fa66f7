#include "cli/RadioJob.h"

#include <cstdio>
#include "files/Backups.h"
#include "image/MemoryMap.h"
#include "link/ORVCom.h"
#include "link/PosixSerialPort.h"
#include "link/RadioVerify.h"
#include "link/TracingSerialPort.h"

namespace orvcli {

using orv::ORVCom;
using Step = RadioJobResult::Step;

orv::RadioMask verifyMaskFor(const RadioJobPlan& plan) {
    using W = RadioJobPlan::Write;
    const bool page0 = !(plan.write == W::SkipGlobals || (plan.write == W::None && plan.skipGlobals));
    const orv::RadioMask all = orv::writtenBitsMask(page0);
    const bool group = plan.write == W::Group || (plan.write == W::None && plan.group != 0);
    const bool globals = plan.write == W::Globals || (plan.write == W::None && plan.globalsOnly);
    if (group) return orv::maskBlocks(all, ORVCom::firstGroupBlock(plan.group), ORVCom::lastGroupBlock(plan.group));
    if (globals) return orv::maskBlocks(all, 0, orv::memmap::kPage0Blocks - 1);
    return all;
}

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
    orv::PosixSerialPort port(device);
    orv::SerialTrace trace;
    orv::TracingSerialPort traced(port, trace);
    orv::MemoryImage img = image;
    ORVCom com(img, traced, host);
    trace.start();

    if (plan.write != W::None) {
        bool ok = false;
        switch (plan.write) {
        case W::Group:
            ok = com.writeGroup(plan.group);
            if (!ok) {
                host.progUnload();   // a failed hook leaves the dialog to its caller
                r.failure = "Write Group Failed";
            }
            break;
        case W::Globals:
            ok = com.writeGlobal();
            if (!ok) r.failure = "Write Global Failed";
            break;
        default:
            ok = com.writeMemory(plan.write == W::SkipGlobals);
            if (!ok) {
                host.progUnload();
                r.failure = "writing the radio failed";
            }
            break;
        }
        // A write stopped by Ctrl-C ends after the current block and counts
        // as done for the link; here it is what it is: stopped.
        r.written = stop.load() ? Step::Stopped : ok ? Step::Done : Step::Failed;
        if (r.written == Step::Stopped)
            r.failure = ok ? "interrupted; the write stopped after the current block"
                           : "interrupted; the write did not complete";
    }

    const bool mayVerify = plan.write == W::None || r.written == Step::Done;
    if (plan.verify && mayVerify && !stop.load()) {
        const orv::VerifyResult v = orv::verifyRadio(com, img, verifyMaskFor(plan));
        if (v.outcome == orv::VerifyResult::Outcome::ReadFailed) {
            r.verified = stop.load() ? Step::Stopped : Step::Failed;
            r.failure = stop.load() ? "interrupted; nothing verified" : "reading the radio for the verify failed";
        } else {
            if (plan.backupReads) {
                const orv::BackupResult b = orv::keepBackup(v.radio, orv::BackupKind::Read);
                if (!b) r.warning = "no backup kept of what the radio holds: " + b.status.message;
            }
            if (v.matches()) {
                r.verified = Step::Done;
            } else {
                r.verified = Step::Failed;
                r.differences = v.lines;
                const std::size_t n = v.lines.size();
                r.failure = "the radio differs from the file (" + std::to_string(n) +
                            (n == 1 ? " difference)" : " differences)");
            }
        }
    }
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
