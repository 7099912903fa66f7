// The radio log: one JSON line for every read, write, verify and alignment
// write, by the editor or the command-line tool, appended to radio-log.jsonl
// in the per-user data folder. It says afterwards which radio got which
// programming: when, by which program, on which port, the radio's version
// word and fingerprint, the roster unit, the groups covered, the SHA-256 of
// what was read from the radio and of what was written, the bytes sent, the
// result and the backups kept. A line is appended in one write under the
// backups lock, so lines of two programs never interleave; the log is never
// rewritten; a damaged line is skipped (with a warning) by every reader.
#pragma once
#include <ctime>
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "platform/FileStatus.h"

namespace orv {

inline constexpr const char* kRadioLogName = "radio-log.jsonl";

struct RadioLogEntry {
    std::string time;             // UTC, ISO 8601: "2026-12-08T21:56:08Z"
    std::string program;          // "orvedit", "orvedit-cli"
    std::string programVersion;   // "1.0.0"
    std::string operation;        // "read", "write", "verify", "align-write"
    std::string device;           // the port: its device, stable name and adapter serial where known
    std::string stableName;
    std::string adapterSerial;
    std::string radioVersion;     // "2C00"; empty when the radio never told it
    std::string fingerprint;      // "3F2A-91C0"; empty when page 0 was not read
    std::string unit;             // the roster unit written, empty for none
    std::vector<int> groups;      // the groups covered, 1..15
    bool globals = false;         // the global area covered
    std::string sha256Read;       // of the 6019-byte programming read from the radio, empty when none
    std::string sha256Written;    // of the one written, empty when none
    long long bytesSent = 0;
    std::string result;           // "ok", "failed", "stopped"; "same" for a write the radio did not need
    std::string verified;         // a verify's verdict: "yes", "differs", "failed", "stopped"; empty when none ran
    std::string message;          // the result's message, empty for a plain success
    std::vector<std::string> backups;   // file names of the backups kept

    bool operator==(const RadioLogEntry&) const = default;
};

// The SHA-256 (hex) of `image` as a programming file holds it (all 6019
// bytes): what the log says was read or written.
std::string programmingDigest(const MemoryImage& image);

// "2026-12-08T21:56:08Z" for `when`.
std::string utcTimestamp(std::time_t when);

// The entry as one JSON object on one line (no line end), and back. A line
// that is not such an object, or lacks the time or the operation, is
// damaged: nothing.
std::string radioLogLine(const RadioLogEntry& entry);
bool parseRadioLogLine(const std::string& line, RadioLogEntry& out);

// Appends `entry` to the log in `folder` (created when missing) under the
// folder's lock.
FileStatus appendRadioLog(const std::string& folder, const RadioLogEntry& entry);

struct RadioLogContents {
    std::vector<RadioLogEntry> entries;   // in the order appended
    std::vector<std::string> warnings;    // "radio-log.jsonl line 7 is damaged and was skipped"
    FileStatus status;                    // a log that does not exist yet reads as empty
};
RadioLogContents readRadioLog(const std::string& folder);

}  // namespace orv
