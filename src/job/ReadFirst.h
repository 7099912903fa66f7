// Knowing the radio before writing it: the part of the radio a write will
// send to (a whole write: the whole radio; always with the tuning blocks
// that name the radio) is read first and kept as a backup, then compared
// with what is to be written, field by field in the wording of diff and
// Compare ("group 3 channel 5 Rec Freq: 155.12500 -> 155.13750", the
// radio's value first), over exactly the bits the write sends. What differs
// is what a write of only the differences sends.
#pragma once
#include <string>
#include <vector>
#include "files/Backups.h"
#include "image/MemoryImage.h"
#include "image/VerifyMask.h"
#include "interchange/Compare.h"

namespace orv {

class ORVCom;
struct RadioJobPlan;

struct ReadFirst {
    bool read = false;          // every block asked for arrived
    bool cancelled = false;     // the user stopped the read
    MemoryImage radio;          // what the radio holds; outside what was read, the target's bytes
    std::string version;        // the radio's version word ("2C00")
    std::string fingerprint;    // the radio's name (job/RadioIdentity.h)
    BackupResult backup;        // the backup of what was read (none when not asked for)
    std::vector<Difference> changes;   // what the write changes, in words
    WriteSelection selection;          // what it sends when it sends only what differs
    // The programming was read from another radio (job/JobLog.h's
    // originNote): said once, before the changes. Empty: nothing to say.
    std::string origin;
    bool identical() const { return read && selection.empty(); }
};

// The blocks the read before `plan`'s write reads: the written part's and
// the tuning blocks.
std::array<bool, memmap::kBlocks> blocksReadFirst(const RadioJobPlan& plan);

// Reads over `com` (its handshake, dialog and messages as for a read), keeps
// the backup (unless `backupFolder` is empty) and compares with `target`.
ReadFirst readFirst(ORVCom& com, const MemoryImage& target, const RadioJobPlan& plan,
                    const std::string& backupFolder);

// The change list as lines: the origin note when there is one, then
// "where: radio -> new", one a difference.
std::vector<std::string> changeLines(const ReadFirst& before);

}  // namespace orv
