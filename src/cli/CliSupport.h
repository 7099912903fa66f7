// Conventions shared by every orvedit-cli command: exit codes and the one
// line an error gets on stderr. Every command's body runs in runGuarded and
// ends a failure by throwing CommandFailure, so the exit code of a failure
// is decided in one place: 2 bad usage or bad input, 1 the radio, a disk or
// the standard output failed, 130 interrupted.
#pragma once
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>
#include <type_traits>
#include "files/ImageFile.h"

namespace orvcli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command could not finish (e.g. the output cannot be written)
inline constexpr int kExitUsage = 2;    // bad usage or bad input (unreadable file, refused value)
inline constexpr int kExitInterrupted = 130;  // Ctrl-C, as a shell reports a command ended by SIGINT

// Prints "orvedit-cli: <message>" as one line on stderr; line breaks inside
// the message become blanks so a caller can rely on one line per error.
inline void reportError(std::string message) {
    for (char& ch : message)
        if (ch == '\n' || ch == '\r') ch = ' ';
    std::cerr << "orvedit-cli: " << message << '\n' << std::flush;
}

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

inline orv::MemoryImage loadImageOrFail(const std::string& path) {
    orv::MemoryImage img;
    if (auto st = orv::loadImageFile(path, img); !st) throw CommandFailure{kExitUsage, st.message};
    return img;
}

inline void saveImageOrFail(const std::string& path, const orv::MemoryImage& img) {
    if (auto st = orv::saveImageFile(path, img); !st) throw CommandFailure{saveFailureExit(st), st.message};
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
