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
#include <vector>
#include "files/ImageFile.h"
#include "image/MemoryMap.h"
#include "cli/PrintableLine.h"
#include "image/NumText.h"
#include "platform/Files.h"

namespace orvcli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command could not finish (e.g. the output cannot be written)
inline constexpr int kExitUsage = 2;    // bad usage or bad input (unreadable file, refused value)
inline constexpr int kExitInterrupted = 130;  // Ctrl-C, as a shell reports a command ended by SIGINT (128 + 2)

// The size of a programming file as help texts give it ("6019 bytes").
inline const std::string kProgrammingFileBytes = std::to_string(orv::memmap::kFileSize) + " bytes";

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

// A file a command names: the option (or argument) that names it and its name.
struct NamedFile {
    std::string option;   // "-o", "--trace", "FILE"
    std::string path;
};

// Refuses, before anything is read or written, an output that is the same
// file as one of the inputs or as another output, however the two are
// spelt (links, relative names, ".."; platform::sameFile): bad usage, one
// line naming both. An empty name and "-" (the standard stream) name no file.
inline void refuseSameFile(const std::vector<NamedFile>& inputs, const std::vector<NamedFile>& outputs) {
    auto isFile = [](const NamedFile& f) { return !f.path.empty() && !isStdStream(f.path); };
    auto describe = [](const NamedFile& f) { return f.option + " \"" + f.path + "\""; };
    for (std::size_t k = 0; k < outputs.size(); ++k) {
        const NamedFile& out = outputs[k];
        if (!isFile(out)) continue;
        std::vector<NamedFile> others(inputs);
        others.insert(others.end(), outputs.begin(), outputs.begin() + static_cast<std::ptrdiff_t>(k));
        for (const NamedFile& other : others)
            if (isFile(other) && orv::platform::sameFile(out.path, other.path))
                throw CommandFailure{kExitUsage, describe(out) + " is the same file as " + describe(other) +
                                                     ": name another file; nothing was read or written"};
    }
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
