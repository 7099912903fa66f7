// orvedit-cli read / write / verify: the radio operations of the link on a
// terminal, on one radio or (write, verify) on several at once.
#include "cli/RadioCommands.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "cli/CliSupport.h"
#include "cli/FleetRun.h"
#include "cli/RadioJob.h"
#include "files/Backups.h"
#include "files/ImageFile.h"
#include "image/MemoryImage.h"
#include "image/MemoryMap.h"
#include "job/JobLog.h"
#include "job/JobText.h"
#include "job/Roster.h"
#include "image/FieldError.h"
#include "job/RadioConnection.h"
#include "platform/SerialPortList.h"
#include "job/RadioPart.h"
#include "link/ORVCom.h"
#include "link/SerialTrace.h"
#include "cli/TermHost.h"
#include "platform/StopRequests.h"
#include "platform/Terminal.h"

namespace {

using orvcli::CommandFailure;

// --link-timing: the radio's own waits, or the short ones (0.1 s per byte,
// 20 ms pauses) for runs against a simulator, where only the bytes matter.
void addTimingOption(CLI::App* cmd, orv::LinkTiming& timing) {
    cmd->add_option_function<std::string>(
           "--link-timing",
           [&timing](const std::string& name) {
               timing = name == "short" ? orv::LinkTiming::shortened() : orv::LinkTiming{};
           },
           "The link's waits: radio (the radio's own, default) or short (for a simulator)")
        ->check(CLI::IsMember({"radio", "short"}));
}

using orvcli::kExitFailure;
using orvcli::kExitInterrupted;
using orvcli::kExitOk;
using orvcli::kExitUsage;
using orvcli::reportError;
using orvcli::FleetOptions;
using orvcli::RadioJobResult;
using orvcli::RadioJobPlan;

using orv::platform::StdStream;

// Ctrl-C and a polite end from outside (SIGTERM, SIGHUP; on Windows
// Ctrl-Break and the console closing) become the progress dialog's Cancel
// while an operation runs: the radio is left between blocks, unhooked, and
// no file is half written.
using InterruptAsCancel = orv::platform::StopRequestsCaught;

bool interrupted() { return *orv::platform::stopRequested() != 0; }

// The exit code of an operation a stop request ended: as a shell reports a
// command the signal ended (130 for Ctrl-C).
int interruptedExit() {
    const int status = orv::platform::stopExitStatus();
    return status != 0 ? status : kExitInterrupted;
}

// Progress lines redraw in place on a terminal that can, else one per event.
bool progressInPlace() { return orv::platform::redrawsInPlace(StdStream::Error); }

struct ReadArgs {
    std::string port, file;
    int group = 0;
    bool globals = false;
    std::string trace;
    bool noBackup = false;
    bool quiet = false;
    orv::LinkTiming timing;
};

// write and verify: one radio or several.
struct WriteArgs {
    std::vector<std::string> ports;
    std::string file;
    int group = 0;
    bool globals = false, skipGlobals = false, yes = false;
    int retries = 0;
    bool verify = false;
    std::string trace;
    bool noBackup = false;
    bool json = false, quiet = false;
    bool dryRun = false, full = false, noReadFirst = false;
    std::string roster;
    bool watch = false;
    orv::LinkTiming timing;
};

orv::LogSource logSource();

// The largest roster read (a fleet of thousands fits in far less).
constexpr std::size_t kRosterMaxBytes = 1024 * 1024;

// Each port's programming from the roster: the next row the log does not
// show as written and verified, in port order. A roster that a field's rule
// refuses, or too few rows left, stop the command before any radio is touched.
std::vector<orvcli::PortWork> rosterWork(const WriteArgs& a, const orv::MemoryImage& templ) {
    orv::Roster roster;
    try {
        roster = orv::parseRoster(orvcli::readTextOrFail(a.roster, kRosterMaxBytes), templ);
    } catch (const orv::FieldError& e) {
        throw CommandFailure{kExitUsage, a.roster + ": " + e.what()};
    }
    const orv::LogSource log = logSource();
    orv::RosterRows rows(roster, orv::unitsDone(orv::readRadioLog(log.folder)));
    if (rows.freeRows() < a.ports.size())
        throw CommandFailure{kExitUsage, a.roster + ": " + std::to_string(rows.freeRows()) + " of its " +
                                             std::to_string(roster.rows.size()) + " rows are not yet written and verified, for " +
                                             std::to_string(a.ports.size()) + " radios"};
    std::vector<orvcli::PortWork> work;
    for (std::size_t i = 0; i < a.ports.size(); ++i) {
        const orv::RosterRow row = *rows.take();
        work.push_back({row.image, row.unit, {}});
    }
    return work;
}

// Writes a trace file; false (after the error line) when it cannot be written.
bool saveTrace(const std::string& path, const std::vector<orv::TraceEntry>& entries, std::size_t dropped) {
    if (path.empty()) return true;
    const std::string text = orv::traceText(entries, dropped);
    if (auto st = orv::saveFileAtomically(path, text.data(), text.size()); !st) {
        reportError(st.message);
        return false;
    }
    return true;
}

// Keeps a backup unless told not to; a backup that cannot be kept is a
// warning, never a reason to stop.
// The backup's path, empty when none was kept.
std::string backup(const orv::MemoryImage& img, orv::BackupKind kind, bool noBackup, const std::string& fingerprint = {}) {
    if (noBackup) return {};
    const orv::BackupResult b =
        orv::keepBackup(img, kind, orv::backupFolder(), std::time(nullptr), orv::kBackupsKept, fingerprint);
    if (!b) reportError("warning: no backup kept: " + b.status.message);
    return b.path;
}

// The tool's own entries of the radio log.
orv::LogSource logSource() { return orv::LogSource::forProgram("orvedit-cli"); }

void logRead(const orv::RadioLogEntry& entry) {
    if (const std::string w = orv::logRadioJob(logSource(), entry); !w.empty()) reportError("warning: " + w);
}

// The exit code when the command ends normally: kExitFailure when a trace
// file (already reported) could not be written.
int runRead(const ReadArgs& a) {
    // An output that can never be written is refused before the radio is read.
    orvcli::refuseSameFile({}, {{"-o", a.file}, {"--trace", a.trace}});
    orvcli::checkOutputOrFail(a.file);
    if (!a.trace.empty()) orvcli::checkOutputOrFail(a.trace);
    // For a group or the global area only some blocks come from the radio:
    // the rest of the file stays.
    const bool partial = a.group != 0 || a.globals;
    orv::MemoryImage img = partial ? orvcli::loadImageOrFail(a.file) : orv::MemoryImage{};
    const orv::RadioPart part = a.group != 0 ? orv::RadioPart::Group : a.globals ? orv::RadioPart::Globals : orv::RadioPart::All;
    const orv::BlockRange range = orv::blocksOf(part, a.group);
    bool ok;
    bool traceSaved;
    int bytesRead = 0;
    std::string version;
    bool cancelled = false;
    {
        orv::TermHost host(orv::platform::stopRequested());
        host.setInteractive(progressInPlace());
        host.setQuiet(a.quiet);
        orv::RadioConnection link({a.port, a.timing, orvcli::kPortChoice}, img, host);
        InterruptAsCancel guard;
        if (a.group != 0)
            ok = link.com().readGroup(a.group);
        else if (a.globals)
            ok = link.com().readGlobal();
        else
            ok = link.com().readMemory();
        const orv::ConnectionRecord record = link.finish();
        version = record.version;
        cancelled = record.readCancelled;
        bytesRead = host.progFurthest();
        traceSaved = saveTrace(a.trace, record.trace, record.traceDropped);
    }
    if (!ok || interrupted())
        logRead(orv::readLogEntry(logSource(), a.port, version, part, a.group, img, false, cancelled || interrupted(), {}));
    if (interrupted()) {
        // The progress counts the bytes of the blocks read, from the first
        // block of the range on.
        const int first = range.first;
        const int blocks = bytesRead / orv::memmap::kBlockSize;
        const std::string where =
            blocks == 0 ? "stopped before the first block" : "stopped after block " + std::to_string(first + blocks - 1);
        throw CommandFailure{interruptedExit(), "interrupted by the user; " + where + "; " + a.file + " not written"};
    }
    if (!ok) throw CommandFailure{kExitFailure, "reading the radio failed; " + a.file + " not written"};
    if (partial) {
        // The file may have been changed (saved by the editor, say) during
        // the read: the blocks read go into the file as it is now, so no
        // change made meanwhile is lost.
        orv::MemoryImage now;
        if (auto st = orv::loadImageFile(a.file, now); !st)
            throw CommandFailure{kExitUsage, st.message + " (after the radio was read); " + a.file + " not written"};
        std::copy(img.data() + range.firstByte(), img.data() + range.endByte(), now.data() + range.firstByte());
        img = now;
    }
    // The radio's name is known when the read covered its tuning blocks.
    const orv::RadioLogEntry entry = orv::readLogEntry(logSource(), a.port, version, part, a.group, img, true, false, {});
    orvcli::saveImageOrFail(a.file, img);
    orv::RadioLogEntry logged = entry;
    const std::string kept = backup(img, orv::BackupKind::Read, a.noBackup, entry.fingerprint);
    if (!kept.empty()) logged.backups.push_back(orv::backupName(kept));
    logRead(logged);
    return traceSaved ? kExitOk : kExitFailure;
}

bool confirmWrite(std::size_t radios) {
    if (radios == 1)
        std::cerr << orv::kConfirmWrite << " [y/N] " << std::flush;
    else
        std::cerr << "Are you sure you want to write to the " << radios << " radios? [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES" || answer == "Yes";
}

RadioJobPlan jobPlan(const WriteArgs& a, bool write) {
    RadioJobPlan plan;
    using W = RadioJobPlan::Write;
    plan.group = a.group;
    if (write)
        plan.write = a.group != 0 ? W::Group : a.globals ? W::Globals : a.skipGlobals ? W::SkipGlobals : W::All;
    else
        plan.write = W::None;
    plan.globalsOnly = a.globals;
    plan.skipGlobals = a.skipGlobals;
    plan.verify = a.verify || !write;
    plan.backupReads = !a.noBackup;
    plan.readFirst = write && !a.noReadFirst;
    plan.sendAll = a.full;
    plan.dryRun = a.dryRun;
    plan.timing = a.timing;
    return plan;
}

// One radio: the link's messages and progress line as for read, the verify's
// verdict on stdout. Returns as runRead does.
int runOne(const WriteArgs& a, const orv::MemoryImage& img, const RadioJobPlan& plan) {
    RadioJobResult r;
    {
        orv::TermHost host(orv::platform::stopRequested());
        host.setRetries(a.retries);
        host.setInteractive(progressInPlace());
        host.setQuiet(a.quiet);
        InterruptAsCancel guard;
        // The change list goes out before anything is written.
        const auto listChanges = [&](const orv::ReadFirst& before) {
            if (a.json || a.quiet) return;
            for (const std::string& line : orv::changeLines(before)) std::cout << line << '\n';
            std::cout.flush();
        };
        r = orvcli::runRadioJob(a.ports.front(), img, plan, host, orv::platform::stopFlag(), listChanges);
    }
    const bool traceSaved = saveTrace(a.trace, r.trace, r.traceDropped);
    if (!r.warning.empty()) reportError("warning: " + r.warning);
    if (a.json) {
        orvcli::printResultJson(std::cout, {r}, a.dryRun);
    } else if (a.quiet) {
        for (const std::string& d : r.differences) orvcli::reportLine(d);   // part of the error
    } else {
        if (r.identical) std::cout << orvcli::kAlreadyHolds << '\n';
        if (r.verified == RadioJobResult::Step::Done) std::cout << orv::kRadioMatches << std::endl;
        for (const std::string& d : r.differences) std::cout << d << '\n';
        for (const std::string& d : r.notWritten) std::cout << d << '\n';
    }
    std::cout.flush();   // the verdict comes before the error line
    if (interrupted()) throw CommandFailure{interruptedExit(), r.failure.empty() ? "interrupted by the user" : r.failure};
    if (!r.ok()) throw CommandFailure{kExitFailure, r.failure};
    orvcli::flushStdoutOrFail();
    return traceSaved ? kExitOk : kExitFailure;
}

// How a run of several radios reports: a progress line per radio on the
// error stream (redrawn in place on a terminal) unless quiet.
FleetOptions fleetOptions(const WriteArgs& a) {
    FleetOptions o;
    o.retries = a.retries;
    o.progress = a.quiet ? nullptr : stderr;
    o.interactive = progressInPlace();
    o.interrupted = orv::platform::stopRequested();
    if (o.interactive) o.columns = orv::platform::terminalColumns(StdStream::Error);
    return o;
}

// Several radios at once (or any number from a roster): a progress line
// per radio, then the result table. Returns as runRead does.
int runSeveral(const WriteArgs& a, const std::vector<orvcli::PortWork>& work, const RadioJobPlan& plan) {
    const FleetOptions o = fleetOptions(a);
    std::vector<RadioJobResult> results;
    {
        InterruptAsCancel guard;
        results = orvcli::runFleet(a.ports, work, plan, orv::platform::stopFlag(), o);
    }
    if (a.json) {
        orvcli::printResultJson(std::cout, results, a.dryRun);
    } else if (a.quiet) {
        // No table: one error line per radio that failed, with its differences.
        for (const RadioJobResult& r : results) {
            if (r.ok()) continue;
            reportError(r.port + ": " + r.failure);
            for (const std::string& d : r.differences) orvcli::reportLine(r.port + ": " + d);
        }
    } else {
        orvcli::printResultTable(std::cout, results, a.dryRun);
    }
    bool traceSaved = true;
    for (std::size_t k = 0; k < results.size(); ++k)
        if (!a.trace.empty())
            traceSaved = saveTrace(orvcli::numberedPath(a.trace, k + 1), results[k].trace, results[k].traceDropped) && traceSaved;
    const auto failed = std::count_if(results.begin(), results.end(), [](const RadioJobResult& r) { return !r.ok(); });
    if (interrupted()) throw CommandFailure{interruptedExit(), "interrupted by the user"};
    if (failed > 0)
        throw CommandFailure{kExitFailure,
                             std::to_string(failed) + " of " + std::to_string(results.size()) + " radios failed"};
    orvcli::flushStdoutOrFail();
    return traceSaved ? kExitOk : kExitFailure;
}

// The production line: radios plugged in one after another on every port,
// until Ctrl-C or SIGTERM, which end it after the radios in progress; then
// the table of every radio programmed and the summary. Exit 1 when any
// radio failed, else 0: the stop is how a production line ends.
int runProductionLine(const WriteArgs& a, const orv::MemoryImage& img, const RadioJobPlan& plan) {
    std::optional<orv::Roster> roster;
    std::optional<orv::RosterRows> rows;
    if (!a.roster.empty()) {
        roster = orv::parseRoster(orvcli::readTextOrFail(a.roster, kRosterMaxBytes), img);
        rows.emplace(*roster, orv::unitsDone(orv::readRadioLog(plan.log.folder)));
    }
    const FleetOptions o = fleetOptions(a);
    std::atomic<bool> ending{false};
    std::atomic<bool> neverStopped{false};   // a radio in progress is finished
    std::vector<RadioJobResult> results;
    {
        InterruptAsCancel guard;
        results = orvcli::runWatch(a.ports, img, rows ? &*rows : nullptr, plan, ending, neverStopped, o);
    }
    if (a.json) orvcli::printResultJson(std::cout, results, false);
    else {
        orvcli::printResultTable(std::cout, results, false);
        std::cout << orvcli::watchSummary(results) << '\n';
    }
    orvcli::flushStdoutOrFail();
    const bool failed = std::any_of(results.begin(), results.end(), [](const RadioJobResult& r) { return !r.ok(); });
    return failed ? kExitFailure : kExitOk;
}

// write (with --verify) and verify, on one or several ports.
int runJobs(const WriteArgs& a, bool write) {
    std::set<std::string> seen;
    for (const std::string& p : a.ports)
        if (!seen.insert(p).second) throw CommandFailure{kExitUsage, "the port " + p + " is named more than once"};
    // The trace files are checked before anything is sent.
    if (!a.trace.empty()) {
        std::vector<orvcli::NamedFile> traces;
        if (a.ports.size() == 1) traces.push_back({"--trace", a.trace});
        else
            for (std::size_t k = 0; k < a.ports.size(); ++k)
                traces.push_back({"--trace", orvcli::numberedPath(a.trace, k + 1)});
        orvcli::refuseSameFile({{"-i", a.file}}, traces);
        if (a.ports.size() == 1) orvcli::checkOutputOrFail(a.trace);
        else
            for (std::size_t k = 0; k < a.ports.size(); ++k) orvcli::checkOutputOrFail(orvcli::numberedPath(a.trace, k + 1));
    }
    const orv::MemoryImage img = orvcli::loadImageOrFail(a.file);
    // A bad roster is refused before the question (the production line
    // hands its rows out as radios come).
    if (!a.roster.empty() && !a.watch) rosterWork(a, img);
    if (!a.roster.empty() && a.watch) {
        try {
            orv::parseRoster(orvcli::readTextOrFail(a.roster, kRosterMaxBytes), img);
        } catch (const orv::FieldError& e) {
            throw CommandFailure{kExitUsage, a.roster + ": " + e.what()};
        }
    }
    // A dry run writes nothing: no question, no backup of what would go out.
    if (write && !a.yes && !a.dryRun) {
        if (!orv::platform::isInteractive(StdStream::Input))
            throw CommandFailure{kExitUsage,
                                 "refusing to write to the radio without confirmation: stdin is not a terminal (use --yes)"};
        if (!confirmWrite(a.ports.size())) {
            std::cerr << "Nothing written.\n";
            return kExitOk;
        }
    }
    // What is about to be written, kept before anything is sent.
    if (a.watch) {
        RadioJobPlan plan = jobPlan(a, write);
        if (!a.roster.empty()) plan.verify = true;
        plan.log = logSource();
        plan.logFolder = plan.log.folder;
        return runProductionLine(a, img, plan);
    }
    std::vector<orvcli::PortWork> work =
        a.roster.empty() ? std::vector<orvcli::PortWork>(a.ports.size(), orvcli::PortWork{img, {}, {}}) : rosterWork(a, img);
    RadioJobPlan plan = jobPlan(a, write);
    // A roster row counts as done once written and verified.
    if (!a.roster.empty()) plan.verify = true;
    plan.log = logSource();
    plan.logFolder = plan.log.folder;
    for (orvcli::PortWork& w : work)
        if (write && !a.dryRun) w.writeBackup = backup(w.image, orv::BackupKind::Write, a.noBackup);
    if (a.ports.size() == 1 && a.roster.empty()) {
        plan.writeBackup = work.front().writeBackup;
        return runOne(a, img, plan);
    }
    return runSeveral(a, work, plan);
}

}  // namespace

void addRadioCommands(CLI::App& app, int& exitCode) {
    auto r = std::make_shared<ReadArgs>();
    CLI::App* read = app.add_subcommand("read", "Read the radio's memory into a programming file");
    read->add_option("--port", r->port, "Serial device of the radio (e.g. " + orv::examplePortName() + ")")
        ->required()
        ->check(orvcli::nonEmptyName());
    read->add_option("-o,--output", r->file, "Programming file to write (" + orvcli::kProgrammingFileBytes + ")")
        ->required()
        ->check(orvcli::nonEmptyName());
    auto* rg = read->add_option("--group", r->group, "Read only this group (1-15) into the existing FILE")
                   ->check(CLI::Range(1, orv::memmap::kGroups));
    read->add_flag("--globals", r->globals, "Read only the global area (page 0) into the existing FILE")
        ->excludes(rg);
    read->callback([r, &exitCode] { exitCode = orvcli::runGuarded([&] { return runRead(*r); }); });

    read->add_option("--trace", r->trace, "Write every byte exchanged with the radio to this text file")
        ->check(orvcli::nonEmptyName());
    read->add_flag("--no-backup", r->noBackup, "Keep no backup of what was read");
    read->add_flag("-q,--quiet", r->quiet, "Print errors only: no progress lines");
    addTimingOption(read, r->timing);

    // write and verify take the same options; write also --yes, --retries, --verify.
    auto radioOptions = [](CLI::App* cmd, WriteArgs& a, const std::string& fileHelp) {
        cmd->add_option("--port", a.ports, "Serial device of a radio (e.g. " + orv::examplePortName() + "); repeat for several radios")
            ->required()
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->check(orvcli::nonEmptyName());
        cmd->add_option("-i,--input", a.file, fileHelp)->required()->check(orvcli::nonEmptyName());
        auto* g = cmd->add_option("--group", a.group, "Only this group (1-15)")->check(CLI::Range(1, orv::memmap::kGroups));
        auto* gl = cmd->add_flag("--globals", a.globals, "Only the global area (page 0)");
        auto* sk = cmd->add_flag("--skip-globals", a.skipGlobals, "Groups 1-15 but not the global area");
        g->excludes(gl, sk);
        gl->excludes(g, sk);
        sk->excludes(g, gl);
        cmd->add_option("--trace", a.trace,
                        "Write every byte exchanged to this text file (with several ports: FILE-1, FILE-2, ... in port order)")
            ->check(orvcli::nonEmptyName());
        cmd->add_flag("--no-backup", a.noBackup, "Keep no backups of what is written or read");
        cmd->add_flag("-q,--quiet", a.quiet, "Print errors only: no progress lines, no verdict and no table");
        cmd->add_flag("--json", a.json,
                      "Print the result as a JSON array, one object per radio (port, version, written, verified, "
                      "error, differences) instead of the table");
        addTimingOption(cmd, a.timing);
    };

    auto w = std::make_shared<WriteArgs>();
    CLI::App* write = app.add_subcommand("write", "Write a programming file to one radio or several at once");
    radioOptions(write, *w, "Programming file to send (exactly " + orvcli::kProgrammingFileBytes + ")");
    write->add_flag("-y,--yes", w->yes, "Do not ask for confirmation");
    write->add_option("--retries", w->retries, "Answer Retry to this many failure questions (default 0: Cancel)")
        ->check(CLI::NonNegativeNumber);
    write->add_flag("--verify", w->verify,
                    "Read back what was written and compare; exit 1 on a difference");
    auto* noReadFirst = write->add_flag(
        "--no-read-first", w->noReadFirst,
        "Do not read the radio first: no backup of what it held, no list of changes, everything is sent");
    write->add_flag("--dry-run", w->dryRun, "Read the radio and list what a write would change; write nothing")
        ->excludes(noReadFirst);
    write->add_flag("--full", w->full, "After the read, send everything, not only what differs");
    write->add_flag("--watch", w->watch,
                    "A production line: on every port, wait for a radio, program it, beep, wait until it is "
                    "unplugged, and go on with the next; Ctrl-C or SIGTERM end it after the radios in progress "
                    "and print a summary");
    write->add_option("--roster", w->roster,
                      "CSV of the fleet (unit, id, id.N, password, password.N, label.N): each radio gets the next row "
                      "the radio log does not show as written and verified, in port order (implies --verify)")
        ->check(orvcli::nonEmptyName());
    write->callback([w, &exitCode] { exitCode = orvcli::runGuarded([&] { return runJobs(*w, true); }); });

    auto v = std::make_shared<WriteArgs>();
    CLI::App* verify = app.add_subcommand(
        "verify", "Read one radio or several and compare with a programming file over what a write sends");
    radioOptions(verify, *v, "Programming file to compare with (exactly " + orvcli::kProgrammingFileBytes + ")");
    verify->add_option("--retries", v->retries, "Answer Retry to this many failure questions (default 0: Cancel)")
        ->check(CLI::NonNegativeNumber);
    verify->callback([v, &exitCode] { exitCode = orvcli::runGuarded([&] { return runJobs(*v, false); }); });
}
