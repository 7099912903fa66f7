#include "cli/RadioJob.h"

#include <cstdio>
#include "files/Backups.h"
#include "link/ORVCom.h"
#include "link/PosixSerialPort.h"
#include "link/RadioVerify.h"
#include "link/TracingSerialPort.h"

namespace orvcli {

using orv::ORVCom;
using Step = RadioJobResult::Step;

orv::RadioMask verifyMaskFor(const RadioJobSpec& spec) {
    using W = RadioJobSpec::Write;
    const bool page0 = !(spec.write == W::SkipGlobals || (spec.write == W::None && spec.skipGlobals));
    const orv::RadioMask all = orv::writtenBitsMask(page0);
    const bool group = spec.write == W::Group || (spec.write == W::None && spec.group != 0);
    const bool globals = spec.write == W::Globals || (spec.write == W::None && spec.globalsOnly);
    if (group) return orv::maskBlocks(all, ORVCom::firstGroupBlock(spec.group), ORVCom::lastGroupBlock(spec.group));
    if (globals) return orv::maskBlocks(all, 0, 7);
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

RadioJobResult runRadioJob(const std::string& device, const orv::MemoryImage& image, const RadioJobSpec& spec,
                           orv::LinkHost& host, const std::atomic<bool>& stop) {
    using W = RadioJobSpec::Write;
    RadioJobResult r;
    r.port = device;
    orv::PosixSerialPort port(device);
    orv::SerialTrace trace;
    orv::TracingSerialPort traced(port, trace);
    orv::MemoryImage img = image;
    ORVCom com(img, traced, host);
    trace.start();

    if (spec.write != W::None) {
        bool ok = false;
        switch (spec.write) {
        case W::Group:
            ok = com.writeGroup(spec.group);
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
            ok = com.writeMemory(spec.write == W::SkipGlobals);
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

    const bool mayVerify = spec.write == W::None || r.written == Step::Done;
    if (spec.verify && mayVerify && !stop.load()) {
        const orv::VerifyResult v = orv::verifyRadio(com, img, verifyMaskFor(spec));
        if (v.outcome == orv::VerifyResult::Outcome::ReadFailed) {
            r.verified = stop.load() ? Step::Stopped : Step::Failed;
            r.failure = stop.load() ? "interrupted; nothing verified" : "reading the radio for the verify failed";
        } else {
            if (spec.backupReads) {
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

    if (com.versionBytes[0] != 0 || com.versionBytes[1] != 0) {
        char text[8];
        std::snprintf(text, sizeof text, "%02X%02X", com.versionBytes[0], com.versionBytes[1]);
        r.version = text;
    }
    r.trace = trace.entries();
    r.traceDropped = trace.dropped();
    return r;
}

}  // namespace orvcli
