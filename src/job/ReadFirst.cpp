#include "job/ReadFirst.h"

#include <ctime>

#include "image/MemoryMap.h"
#include "job/RadioConnection.h"
#include "job/RadioIdentity.h"
#include "job/RadioJob.h"
#include "job/RadioPart.h"
#include "link/ORVCom.h"

namespace orv {

std::array<bool, memmap::kBlocks> blocksReadFirst(const RadioJobPlan& plan) {
    using W = RadioJobPlan::Write;
    RadioPart part = RadioPart::All;
    if (plan.write == W::Group) part = RadioPart::Group;
    else if (plan.write == W::Globals) part = RadioPart::Globals;
    else if (plan.write == W::SkipGlobals) part = RadioPart::Groups;
    const BlockRange range = blocksOf(part, plan.group);
    std::array<bool, memmap::kBlocks> blocks{};
    for (int b = range.first; b <= range.last; ++b) blocks[static_cast<std::size_t>(b)] = true;
    for (int b = 0; b < memmap::kTuningBlocks; ++b) blocks[static_cast<std::size_t>(b)] = true;
    return blocks;
}

ReadFirst readFirst(ORVCom& com, const MemoryImage& target, const RadioJobPlan& plan,
                    const std::string& backupFolder) {
    ReadFirst r;
    r.radio = target;
    r.read = com.readBlocksInto(blocksReadFirst(plan), r.radio);
    r.cancelled = com.readCancelled();
    if (!r.read) return r;
    r.version = versionWordText(com.versionBytes());
    r.fingerprint = radioFingerprint(r.radio, com.versionBytes());
    if (!backupFolder.empty())
        r.backup = keepBackup(r.radio, BackupKind::Read, backupFolder, std::time(nullptr), kBackupsKept, r.fingerprint);
    const RadioMask mask = verifyMaskFor(plan);
    r.changes = compareImages(r.radio, target, &mask);
    r.selection = selectChanges(r.radio, target, mask);
    return r;
}

std::vector<std::string> changeLines(const ReadFirst& before) {
    std::vector<std::string> lines;
    if (!before.origin.empty()) lines.push_back(before.origin);
    for (const Difference& d : before.changes) lines.push_back(d.line());
    return lines;
}

}  // namespace orv
