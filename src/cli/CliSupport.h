// Conventions shared by every orvedit-cli command: exit codes and the one
// line an error gets on stderr.
#pragma once
#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <string>
#include "files/ImageFile.h"

namespace orvcli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command could not finish (e.g. the output cannot be written)
inline constexpr int kExitUsage = 2;    // bad usage or bad input (unreadable file, refused value)

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

inline orv::MemoryImage loadImageOrFail(const std::string& path) {
    orv::MemoryImage img;
    if (auto st = orv::loadImageFile(path, img); !st) throw CommandFailure{kExitUsage, st.message};
    return img;
}

inline void saveImageOrFail(const std::string& path, const orv::MemoryImage& img) {
    if (auto st = orv::saveImageFile(path, img); !st) throw CommandFailure{saveFailureExit(st), st.message};
}

// Runs a command's body: a CommandFailure prints its line and gives its exit
// code, any other exception prints its text and gives kExitFailure.
inline int runGuarded(const std::function<void()>& body) {
    try {
        body();
        return kExitOk;
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
