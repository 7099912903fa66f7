// What the radio log (files/RadioLog.h) says of each radio job: one entry
// per read, write, verify and alignment write, made here from the job's plan
// and result for the editor and the command-line tool alike, and appended
// to the log in the per-user data folder.
#pragma once
#include <string>
#include <vector>
#include "files/RadioLog.h"
#include "image/MemoryImage.h"
#include "job/RadioJob.h"
#include "job/RadioPart.h"

namespace orv {

// Who writes the entry, and where.
struct LogSource {
    std::string program;   // "orvedit", "orvedit-cli"
    std::string folder;    // the log's folder (platform::dataFolder()); empty: nothing is logged
    std::string unit;      // the roster unit being written, empty for none

    // The program's own source: its name and the per-user data folder.
    static LogSource forProgram(const std::string& program);
};

// The entry's common part: the time now, the program and its version, the
// operation, the port (with its stable name and adapter serial when the
// system lists it) and the radio's version word ("-" is none).
RadioLogEntry logEntry(const LogSource& source, const std::string& operation, const std::string& device,
                       const std::string& radioVersion);

// The groups and the global area `part` covers.
void coverPart(RadioLogEntry& entry, RadioPart part, int group);

// A read: `read` is the programming as the read left it; the fingerprint
// when the read covered the tuning blocks.
RadioLogEntry readLogEntry(const LogSource& source, const std::string& device, const std::string& radioVersion,
                           RadioPart part, int group, const MemoryImage& read, bool ok, bool cancelled,
                           const std::vector<std::string>& backups);

// A write (with its read first and its verify) or a verify on its own;
// `written` is what the write sent from. Backups the caller kept itself
// (the image before a write) are added to those the job kept.
RadioLogEntry jobLogEntry(const LogSource& source, const RadioJobPlan& plan, const PortJobResult& result,
                          const MemoryImage& written, const std::vector<std::string>& backups = {});

// Appends `entry` unless the source has no folder; empty, or why the log
// could not be written (a warning, (never a reason to fail the job).
std::string logRadioJob(const LogSource& source, const RadioLogEntry& entry);

// Where the programming `target` came from, when the log says it was read
// from another radio than `before`'s: its page 0 still holds that radio's
// tuning values, so the latest successful read whose fingerprint they give
// (with that read's version word) names it. "read from radio 3F2A-91C0 on
// 2026-12-01; this radio is 77B1-04DE", or empty (the same radio, a radio
// the log never read, or no read first).
std::string originNote(const RadioLogContents& log, const MemoryImage& target, const ReadFirst& before);

// The same, with the log read from the source's folder.
std::string originNote(const LogSource& source, const MemoryImage& target, const ReadFirst& before);

// Which entries a listing of the log shows: those at or after `since`
// (a date "2026-12-01" or a time "2026-12-01T10:00:00Z"), of `unit`, on
// `port` (its device or stable name); an empty criterion takes every entry.
struct LogFilter {
    std::string since, unit, port;
    bool matches(const RadioLogEntry& e) const;
};

// The columns a listing of the log shows, the command-line tool's table
// and the editor's window alike: the heading and the entry's text.
struct LogColumn {
    const char* heading;
    std::string (*text)(const RadioLogEntry&);
};
const std::vector<LogColumn>& logColumns();

// The file name of a backup path, as the log keeps it.
std::string backupName(const std::string& path);

}  // namespace orv
