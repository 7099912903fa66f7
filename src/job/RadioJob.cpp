#include "job/RadioJob.h"

#include <ctime>
#include "files/RadioLog.h"
#include "job/JobLog.h"
#include "job/RadioIdentity.h"

#include "image/MemoryMap.h"
#include "image/TrNoop.h"
#include "link/ORVCom.h"
#include "job/RadioPart.h"
#include "job/RadioVerify.h"

namespace orv {

using Step = RadioJobResult::Step;

RadioMask verifyMaskFor(const RadioJobPlan& plan) {
    using W = RadioJobPlan::Write;
    const bool page0 = !(plan.write == W::SkipGlobals || (plan.write == W::None && plan.skipGlobals));
    const RadioMask all = writtenBitsMask(page0);
    const bool group = plan.write == W::Group || (plan.write == W::None && plan.group != 0);
    const bool globals = plan.write == W::Globals || (plan.write == W::None && plan.globalsOnly);
    if (!group && !globals) return all;
    const BlockRange range = blocksOf(group ? RadioPart::Group : RadioPart::Globals, plan.group);
    return maskBlocks(all, range.first, range.last);
}

RadioPart partOf(const RadioJobPlan& plan) {
    using W = RadioJobPlan::Write;
    switch (plan.write) {
    case W::Group: return RadioPart::Group;
    case W::Globals: return RadioPart::Globals;
    case W::SkipGlobals: return RadioPart::Groups;
    case W::All: return RadioPart::All;
    case W::None: break;
    }
    if (plan.group != 0) return RadioPart::Group;
    if (plan.globalsOnly) return RadioPart::Globals;
    return plan.skipGlobals ? RadioPart::Groups : RadioPart::All;
}

namespace {

// The programming bytes a write of `plan` covers (the progress' count).
int sentBytes(const RadioJobPlan& plan, const WriteSelection* selection) {
    using W = RadioJobPlan::Write;
    const bool page0 = plan.write == W::All || plan.write == W::Globals;
    const BlockRange range = plan.write == W::Group     ? blocksOf(RadioPart::Group, plan.group)
                             : plan.write == W::Globals ? BlockRange{0, -1}
                                                        : blocksOf(RadioPart::Groups);
    int n = 0;
    if (page0) n += selection ? selection->page0Count() : memmap::kPageSize;
    for (int b = range.first; b <= range.last; ++b)
        n += !selection || selection->blocks[static_cast<std::size_t>(b)] ? memmap::kBlockSize : 0;
    return n;
}

}  // namespace

RadioJobResult runRadioJob(ORVCom& com, const MemoryImage& image, const RadioJobPlan& plan,
                           const RadioJobHooks& hooks, const std::string& backupFolder) {
    using W = RadioJobPlan::Write;
    const auto stopped = [&hooks] { return hooks.stopped && hooks.stopped(); };
    RadioJobResult r;

    // What the write sends: everything, or only what differs from what the
    // radio holds (read now, or by an earlier read).
    std::optional<WriteSelection> selection = plan.only;
    std::optional<MemoryImage> radioBefore = plan.radioBefore;
    if (radioBefore) r.readDigest = programmingDigest(*radioBefore);
    if (plan.write != W::None && plan.readFirst) {
        r.before = readFirst(com, image, plan, plan.backupReads ? backupFolder : std::string());
        if (!plan.logFolder.empty() && r.before->read)
            r.before->origin = originNote(readRadioLog(plan.logFolder), image, *r.before);
        const ReadFirst& before = *r.before;
        if (before.read) {
            r.readDigest = programmingDigest(before.radio);
            r.fingerprint = before.fingerprint;
        }
        if (!before.read) {
            r.written = before.cancelled ? Step::Stopped : Step::Failed;
            r.failure = before.cancelled ? "interrupted; nothing written"
                                         : "reading the radio before the write failed; nothing written";
            return r;
        }
        if (plan.backupReads && !before.backup)
            r.warning = "no backup kept of what the radio held: " + before.backup.status.message;
        if (before.identical()) {
            r.identical = true;
            return r;
        }
        if (hooks.confirmChanges && !hooks.confirmChanges(before)) return r;
        if (stopped()) {
            r.written = Step::Stopped;
            r.failure = "interrupted; nothing written";
            return r;
        }
        radioBefore = before.radio;
        if (!plan.sendAll) selection = before.selection;
    }
    com.setWriteSelection(selection ? &*selection : nullptr);
    struct ClearSelection {
        ORVCom& com;
        ~ClearSelection() { com.setWriteSelection(nullptr); }
    } clearSelection{com};

    if (plan.write != W::None) {
        bool ok = false;
        switch (plan.write) {
        case W::Group:
            ok = com.writeGroup(plan.group);
            if (!ok) r.writeMessage = ORV_TR_NOOP("RadioJob", "Write Group Failed");
            break;
        case W::Globals:
            ok = com.writeGlobal();
            if (!ok) r.writeMessage = ORV_TR_NOOP("RadioJob", "Write Global Failed");
            break;
        default:
            ok = com.writeMemory(plan.write == W::SkipGlobals);
            if (!ok) r.writeMessage = ORV_TR_NOOP("RadioJob", "writing the radio failed");
            break;
        }
        r.writeAccepted = ok;
        r.failure = r.writeMessage;
        // An earlier read of the radio (the editor's, before its list of
        // changes) covered the tuning blocks that name it.
        if (plan.radioBefore && r.fingerprint.empty() && com.versionBytes() != decltype(com.versionBytes()){})
            r.fingerprint = radioFingerprint(*plan.radioBefore, com.versionBytes());
        r.bytesSent = sentBytes(plan, selection ? &*selection : nullptr);
        // A stopped write ends after the current block and counts as done
        // for the link; here it is what it is: stopped.
        r.written = stopped() ? Step::Stopped : ok ? Step::Done : Step::Failed;
        if (r.written == Step::Stopped)
            r.failure = ok ? "interrupted; the write stopped after the current block"
                           : "interrupted; the write did not complete";
    }

    const bool mayVerify = plan.write == W::None || r.written == Step::Done;
    if (!plan.verify || !mayVerify || stopped()) return r;
    if (plan.write != W::None && hooks.beforeVerify && !hooks.beforeVerify()) return r;
    // After a write of only what differs, what was sent is read back.
    const VerifyResult v = selection && radioBefore && plan.write != W::None
                               ? verifyBlocks(com, image, *radioBefore, verifyMaskFor(plan), selection->blocksToRead())
                               : verifyRadio(com, image, verifyMaskFor(plan));
    if (v.outcome == VerifyResult::Outcome::ReadFailed) {
        const bool stop = stopped();
        r.verified = stop ? Step::Stopped : Step::Failed;
        r.failure = stop ? "interrupted; nothing verified" : "reading the radio for the verify failed";
        return r;
    }
    r.radioRead = true;
    r.readDigest = programmingDigest(v.radio);
    // A verify on its own of the whole radio or its global area read the tuning blocks.
    if (plan.write == W::None && plan.group == 0 && !plan.skipGlobals)
        r.fingerprint = radioFingerprint(v.radio, com.versionBytes());
    if (plan.backupReads) {
        r.readBackup = keepBackup(v.radio, BackupKind::Read, backupFolder, std::time(nullptr), kBackupsKept, r.fingerprint);
        if (!r.readBackup) r.warning = "no backup kept of what the radio holds: " + r.readBackup.status.message;
    }
    if (v.matches()) {
        r.verified = Step::Done;
    } else {
        r.verified = Step::Failed;
        r.differences = v.lines;
        const std::size_t n = v.lines.size();
        r.failure = "the radio differs from " + plan.comparedWith + " (" + std::to_string(n) +
                    (n == 1 ? " difference)" : " differences)");
    }
    return r;
}

PortJobResult runRadioJobOn(const PortSetup& setup, const MemoryImage& image, const RadioJobPlan& plan,
                            LinkHost& host, const RadioJobHooks& hooks, const std::string& backupFolder) {
    using W = RadioJobPlan::Write;
    PortJobResult r;
    r.port = setup.device;
    MemoryImage img = image;
    ConnectionRecord record;
    {
        RadioConnection connection(setup, img, host);
        static_cast<RadioJobResult&>(r) = runRadioJob(connection.com(), img, plan, hooks, backupFolder);
        // A failed hook of a group or whole write leaves the dialog to its caller.
        if (!r.writeAccepted && (plan.write == W::Group || plan.write == W::All || plan.write == W::SkipGlobals))
            host.progUnload();
        record = connection.finish();
    }
    r.version = record.version;
    r.trace = std::move(record.trace);
    r.traceDropped = record.traceDropped;
    r.radioChanged = record.radioChanged;
    r.allowFastBaud = record.allowFastBaud;
    return r;
}

}  // namespace orv
