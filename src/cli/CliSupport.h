// Conventions shared by every orvedit-cli command: exit codes and the one
// line an error gets on stderr. Every command's body runs in runGuarded and
// ends a failure by throwing CommandFailure, so the exit code of a failure
// is decided in one place: 2 bad usage or bad input, 1 the radio, a disk or
// the standard output failed, 130 interrupted (128 + the signal for SIGTERM
// and SIGHUP during a radio operation; on Windows 143 for Ctrl-Break and the
// console closing, see platform/StopRequests.h).
#pragma once
#include <CLI/CLI.hpp>
#include <cstddef>
#include <iostream>
#include <string>
#include <type_traits>
#include "files/ImageFile.h"
#include "image/MemoryMap.h"
#include "image/NumText.h"

namespace orvcli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command could not finish (e.g. the output cannot be written)
inline constexpr int kExitUsage = 2;    // bad usage or bad input (unreadable file, refused value)
inline constexpr int kExitInterrupted = 130;  // Ctrl-C, as a shell reports a command ended by SIGINT (128 + 2)

inline constexpr std::size_t kMaxMessageLineBytes = 1000;

// The size of a programming file as help texts give it ("6019 bytes").
inline const std::string kProgrammingFileBytes = std::to_string(orv::memmap::kFileSize) + " bytes";

// One line as the tool prints it on a terminal: line breaks become blanks;
// every other control byte (ESC, BEL, NUL, TAB, DEL, the 8-bit controls) and
// every byte that is not UTF-8 is shown as \xNN, so no file, CSV row or JSON
// value can move the cursor or recolour the terminal. A line longer than
// kMaxMessageLineBytes loses its middle to "…": the start (what and where)
// and the end (why) stay.
inline std::string printableLine(const std::string& text) {
    static const char hex[] = "0123456789abcdef";
    std::string out;
    out.reserve(text.size());
    auto escape = [&](unsigned char b) { out += {'\\', 'x', hex[b >> 4], hex[b & 0xF]}; };
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\n' || b == '\r') { out += ' '; ++i; continue; }
        if (b < 0x20 || b == 0x7F) { escape(b); ++i; continue; }
        if (b < 0x80) { out += static_cast<char>(b); ++i; continue; }
        const std::size_t len = orv::utf8SequenceLength(text, i);
        bool valid = len != 0;
        // U+0080..U+009F are the 8-bit controls (CSI among them).
        if (valid && b == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) valid = false;
        if (!valid) { escape(b); ++i; continue; }
        out.append(text, i, len);
        i += len;
    }
    if (out.size() <= kMaxMessageLineBytes) return out;
    const std::size_t keep = (kMaxMessageLineBytes - orv::kEllipsis.size()) / 2;
    const std::size_t headEnd = orv::utf8Prefix(out, keep);
    std::size_t tailStart = out.size() - keep;
    while (tailStart < out.size() && (static_cast<unsigned char>(out[tailStart]) & 0xC0) == 0x80) ++tailStart;
    return out.substr(0, headEnd) + std::string(orv::kEllipsis) + out.substr(tailStart);
}

// Prints "orvedit-cli: <message>" as one printable line on stderr (see
// printableLine), so a caller can rely on one line per error.
inline void reportError(const std::string& message) {
    std::cerr << printableLine("orvedit-cli: " + message) << '\n' << std::flush;
}

// Prints a line of a command's report (not an error) on stderr under the
// same rules.
inline void reportLine(const std::string& line) { std::cerr << printableLine(line) << '\n'; }

// The exit code of a failed save: an output a save may not replace (a pipe,
// a device, a folder, a loop of links, a write-protected file) is bad usage;
// anything else is a failure to write.
inline int saveFailureExit(const orv::FileStatus& st) { return st.badTarget() ? kExitUsage : kExitFailure; }

// A failure that ends a command: its exit code and the one line to print.
struct CommandFailure {
    int exitCode;
    std::string message;
};

// Flushes the standard output; one that cannot take what was written (a
// full disk, a closed pipe) is a failure of the command.
inline void flushStdoutOrFail() {
    std::cout << std::flush;
    if (!std::cout) throw CommandFailure{kExitFailure, "cannot write to the standard output"};
}

// "-" names the standard input or output where a command reads or writes
// text; it is never taken as a file's name.
inline constexpr const char* kStdStream = "-";
inline bool isStdStream(const std::string& path) { return path == kStdStream; }

// Programming files and traces are not text: "-" is refused there, so no
// file called "-" is ever created or read by mistake.
inline void refuseStdStream(const std::string& path) {
    if (isStdStream(path))
        throw CommandFailure{kExitUsage, "\"-\" (the standard input or output) stands only for text such as JSON, "
                                         "CSV or a report; name a file"};
}

// Refuses, before anything else happens (reading a radio takes a minute),
// an output a save could never replace: a folder, a pipe, a device, a loop
// of links, a write-protected file.
inline void checkOutputOrFail(const std::string& path) {
    refuseStdStream(path);
    if (auto st = orv::checkSaveTarget(path); !st) throw CommandFailure{saveFailureExit(st), st.message};
}

inline orv::MemoryImage loadImageOrFail(const std::string& path) {
    refuseStdStream(path);
    orv::MemoryImage img;
    std::string shortNote;
    if (auto st = orv::loadImageFile(path, img, &shortNote); !st) throw CommandFailure{kExitUsage, st.message};
    if (!shortNote.empty()) reportLine("orvedit-cli: " + shortNote);
    return img;
}

inline void saveImageOrFail(const std::string& path, const orv::MemoryImage& img) {
    refuseStdStream(path);
    if (auto st = orv::saveImageFile(path, img); !st) throw CommandFailure{saveFailureExit(st), st.message};
}

// Reads the text `path` ("-": the standard input) of at most `maxBytes`;
// anything that cannot be read or is longer is bad input.
inline std::string readTextOrFail(const std::string& path, std::size_t maxBytes) {
    std::string text;
    const orv::FileStatus st =
        isStdStream(path) ? orv::readStandardInput(text, maxBytes) : orv::readWholeFile(path, text, maxBytes);
    if (!st) throw CommandFailure{kExitUsage, st.message};
    return text;
}

// Writes the text output of a command: to the standard output when `path`
// is empty or "-", otherwise to the file, replaced in one step.
inline void writeTextOrFail(const std::string& path, const std::string& text) {
    if (path.empty() || isStdStream(path)) {
        std::cout << text;
        flushStdoutOrFail();
        return;
    }
    if (auto st = orv::saveFileAtomically(path, text.data(), text.size()); !st)
        throw CommandFailure{saveFailureExit(st), st.message};
}

// Runs a command's body: a CommandFailure prints its line and gives its exit
// code, any other exception prints its text and gives kExitFailure. A body
// that returns an int gives that as the exit code when it ends normally
// (diff: 1 when the files differ); a void body gives kExitOk.
template <class Body>
int runGuarded(Body&& body) {
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body&>>) {
            body();
            return kExitOk;
        } else {
            return body();
        }
    } catch (const CommandFailure& f) {
        reportError(f.message);
        return f.exitCode;
    } catch (const std::exception& e) {
        reportError(e.what());
        return kExitFailure;
    }
}

// Refuses an empty file or device name at parse time (bad usage, exit 2):
// "" would otherwise reach the system as a name and fail with an odd reason.
inline CLI::Validator nonEmptyName() {
    return CLI::Validator(
        [](std::string& v) { return v.empty() ? std::string("the name is empty") : std::string(); },
        "", "NONEMPTY");
}

}  // namespace orvcli
