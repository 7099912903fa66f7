// One job on one radio: a write (all, all but the global area, the global
// area, or one group), by default after a read of the radio that keeps what
// it held as a backup, lists what the write changes and lets it send only
// what differs; then a verify of what was written (or a verify on its
// own), then a backup of what the verify read. The editor and the
// command-line tool both run it and only present its result; the editor on
// its link's worker thread, the command-line tool on its own port, once per
// radio of a fleet.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include "files/Backups.h"
#include "image/MemoryImage.h"
#include "image/VerifyMask.h"
#include "job/RadioConnection.h"
#include "job/RadioPart.h"
#include "job/ReadFirst.h"

namespace orv {

struct RadioJobPlan {
    enum class Write { None, All, SkipGlobals, Globals, Group };
    Write write = Write::All;
    int group = 0;              // 1..15 with Write::Group (also for a verify of one group)
    bool globalsOnly = false;   // a verify of the global area only (with Write::None)
    bool skipGlobals = false;   // a verify without the global area (with Write::None)
    bool verify = false;
    bool backupReads = true;    // keep what a verify read (and the read first) as a backup
    // Read the part first (the backup, the change list) and send only what
    // differs; an identical radio gets no write.
    bool readFirst = false;
    // With readFirst: the radio log that says where the programming came
    // from (job/JobLog.h's originNote); empty: not looked at.
    std::string logFolder;
    // With readFirst: send everything all the same (the list is still made).
    bool sendAll = false;
    // Send only this, the differences an earlier read found in `radioBefore`
    // (the editor's write after its change list); the verify reads back
    // what was sent.
    std::optional<WriteSelection> only;
    std::optional<MemoryImage> radioBefore;
    // What a verify that finds differences names as the other side: "the
    // radio differs from the file (3 differences)".
    std::string comparedWith = "the file";
};

// The part of the radio the job covers (what it writes, else what it verifies).
RadioPart partOf(const RadioJobPlan& plan);

// The bits the job's verify compares: what its write sends.
RadioMask verifyMaskFor(const RadioJobPlan& plan);

// What the job asks of its caller while it runs (on the job's thread).
struct RadioJobHooks {
    // The user's stop (the progress dialog's Cancel, Ctrl-C); none: never.
    std::function<bool()> stopped;
    // Between a write that completed and its verify: true goes on to the
    // verify (the editor's "Verify now?"); none: always.
    std::function<bool()> beforeVerify;
    // After the read first, with what the write would change: true goes on
    // to the write (the tool prints the list; a dry run answers false);
    // none: always. Not asked when the radio already holds the programming.
    std::function<bool(const ReadFirst&)> confirmChanges;
};

struct RadioJobResult {
    enum class Step { NotAsked, Done, Failed, Stopped };
    Step written = Step::NotAsked;
    Step verified = Step::NotAsked;
    // What the link's write operation returned (a stopped write may still
    // count as done for the link), and the message of a failed write:
    // "Write Group Failed", "Write Global Failed" or "writing the radio failed".
    bool writeAccepted = false;
    std::string writeMessage;
    // The verify read the radio (it then compared and kept the backup).
    bool radioRead = false;
    std::vector<std::string> differences;   // the verify's lines when the radio differs
    BackupResult readBackup;                // the backup of what the verify read
    std::string failure;                    // what went wrong, in the tool's words (empty: nothing)
    std::string warning;                    // a backup that could not be kept
    // The read before the write (with readFirst): what the radio held, the
    // change list; `identical` when it held the programming already and
    // nothing was written.
    std::optional<ReadFirst> before;
    bool identical = false;
    int bytesSent = 0;                      // the programming bytes the write covered
    // What the radio log keeps of the job's reads: the SHA-256 of the
    // programming as the radio's last read left it (empty: nothing read),
    // and the radio's fingerprint where a read covered the tuning blocks.
    std::string readDigest;
    std::string fingerprint;
    // Every way a job can fail or be stopped sets `failure`.
    bool ok() const { return failure.empty(); }
};

// Runs the job over `com` (open or not; it is left open) and compares with
// `image`, what the radio should hold; `backupFolder` receives the backup.
RadioJobResult runRadioJob(ORVCom& com, const MemoryImage& image, const RadioJobPlan& plan,
                           const RadioJobHooks& hooks = {}, const std::string& backupFolder = orv::backupFolder());

// The job's result on one port, with what the connection learnt: the
// radio's version word and every byte exchanged.
struct PortJobResult : RadioJobResult {
    std::string port;
    std::string unit;             // the roster unit this radio was given, empty for none
    std::string version = "-";
    std::vector<TraceEntry> trace;
    std::size_t traceDropped = 0;
    bool radioChanged = false;
    bool allowFastBaud = false;   // the link's state as the job left it (PortSetup)
};

// Runs the job on a connection of its own to `setup`'s device, `host`
// showing its messages and progress. `image` is copied, never changed.
PortJobResult runRadioJobOn(const PortSetup& setup, const MemoryImage& image, const RadioJobPlan& plan,
                            LinkHost& host, const RadioJobHooks& hooks = {},
                            const std::string& backupFolder = orv::backupFolder());

}  // namespace orv
