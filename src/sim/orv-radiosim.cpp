// orv-radiosim: a simulated radio on a pseudo-terminal. Prints the device
// path to open as its first line, serves until SIGINT, SIGTERM or SIGHUP, then writes
// the trace and the radio memory if asked to.
#include <CLI/CLI.hpp>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <pthread.h>
#include <stdexcept>
#include <string>

#include "link/SerialTrace.h"
#include "sim/RadioSim.h"
#include "Version.h"

namespace {

// "2C00", "0x2C00" or "2c00"; throws on anything else or values above `max`.
long parseHex(const std::string& text, long max, const std::string& what) {
    std::string t = text;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) t = t.substr(2);
    if (t.empty() || t.size() > 8 || t.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw std::runtime_error(what + ": \"" + text + "\" is not a hexadecimal number");
    const long v = std::stol(t, nullptr, 16);
    if (v > max) throw std::runtime_error(what + ": \"" + text + "\" is out of range");
    return v;
}

// The editor's serial trace format (link/SerialTrace.h), so that a trace
// from either side reads the same and a user's trace replays here.
void writeTrace(const std::string& path, const std::vector<orv::SimTraceEntry>& trace) {
    std::ofstream out(path, std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write trace file \"" + path + "\"");
    std::vector<orv::TraceEntry> entries;
    entries.reserve(trace.size());
    for (const auto& e : trace) entries.push_back({static_cast<char>(e.dir), e.t, e.value, e.baud});
    orv::writeTraceText(out, entries);
    if (!out.flush()) throw std::runtime_error("cannot write trace file \"" + path + "\"");
}

// Makes `link` a symbolic link to `device`, so that settings and scripts can
// name the simulator once although its pseudo-terminal changes every run. A
// link left by an earlier run is replaced; anything else at `link` is kept
// and refused.
void makeLink(const std::string& link, const std::string& device) {
    struct stat st{};
    if (::lstat(link.c_str(), &st) == 0 && !S_ISLNK(st.st_mode))
        throw std::runtime_error("--link: \"" + link + "\" exists and is not a symbolic link; not replacing it");
    const std::string temp = link + ".orv-radiosim-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    if (::symlink(device.c_str(), temp.c_str()) != 0 || ::rename(temp.c_str(), link.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        throw std::runtime_error("--link: cannot make \"" + link + "\": " + std::strerror(err));
    }
}

// Removes `link` at exit, unless another simulator has taken the name since.
void removeLink(const std::string& link, const std::string& device) {
    char target[4096];
    const ssize_t n = ::readlink(link.c_str(), target, sizeof target - 1);
    if (n > 0 && std::string(target, static_cast<std::size_t>(n)) == device) ::unlink(link.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Simulated ORV radio on a pseudo-terminal"};
    std::string imagePath, radioVersionText = "2C00", oldVersionText, tracePath, savePath, handshakeText;
    orv::SimOptions opt;
    app.add_option("--image", imagePath, "radio memory to start with (6019- or 6016-byte file)");
    auto* radioVersionOpt = app.add_option("--radio-version", radioVersionText,
                                           "the radio's version word in hexadecimal (2AAA or more: fast radio; "
                                           "default 2C00)");
    // --version once named the radio's version word; with a value it still
    // does (with a warning), without one it prints the program's version.
    auto* versionOpt = app.add_option("--version", oldVersionText,
                                      "print the program's version and exit (followed by a word: the old "
                                      "spelling of --radio-version)")
                           ->expected(0, 1);
    app.add_flag("--realtime", opt.realtime, "pace every byte at the line rate the client set");
    opt.thinkTimeMs = 2.0;
    app.add_option("--think-ms", opt.thinkTimeMs, "least time before the first byte of any reply (default 2)")
        ->check(CLI::Range(0.0, 1000.0));
    app.add_option("--trace", tracePath, "write every byte exchanged to this file on exit");
    app.add_option("--save", savePath, "write the radio memory to this 6019-byte file on exit");
    std::string linkPath;
    app.add_option("--link", linkPath,
                   "make this path a symbolic link to the pseudo-terminal (removed on exit), a name to give the "
                   "editor's port setting once");
    app.add_flag("--silent", opt.faults.silent, "never answer anything");
    app.add_option("--handshake-reply", handshakeText, "answer the handshake with this byte (hex)");
    app.add_flag("--refuse-speed", opt.faults.refuseSpeedChange, "refuse the speed change");
    app.add_option("--dead-after", opt.faults.deadAfterBytes, "go silent for good after N received bytes")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--nak-masked", opt.faults.maskedNakCount, "refuse the first K masked writes")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--drop-masked", opt.faults.maskedSilentCount, "leave the first K masked writes unanswered")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--drop-blocks", opt.faults.blockWriteSilentCount, "leave the first K block writes unanswered")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--garbage", opt.faults.garbageBeforeReplies, "send N bytes 0xEE before every reply")
        ->check(CLI::NonNegativeNumber);
    CLI11_PARSE(app, argc, argv);
    if (versionOpt->count() > 0 && oldVersionText.empty()) {
        std::cout << "orv-radiosim " ORV_VERSION_STRING << std::endl;
        return 0;
    }
    const char* versionOptionName = "--radio-version";
    if (versionOpt->count() > 0) {
        if (radioVersionOpt->count() > 0) {
            std::cerr << "orv-radiosim: --version " << oldVersionText << " and --radio-version: give only one\n";
            return 2;
        }
        std::cerr << "orv-radiosim: warning: --version " << oldVersionText
                  << " is the old spelling of --radio-version " << oldVersionText << '\n';
        radioVersionText = oldVersionText;
        versionOptionName = "--version";
    }
    // The trace grows with every byte exchanged: keep it only when it is to be written.
    opt.keepTrace = !tracePath.empty();

    try {
        opt.version =
            static_cast<uint16_t>(parseHex(radioVersionText, std::numeric_limits<uint16_t>::max(), versionOptionName));
        if (!handshakeText.empty())
            opt.faults.handshakeReply = static_cast<int>(parseHex(handshakeText, std::numeric_limits<uint8_t>::max(), "--handshake-reply"));

        orv::SimImageFile file;
        if (!imagePath.empty()) file = orv::loadSimImage(imagePath);

        // Block the stop signals in every thread (the serving thread inherits
        // the mask) and take them synchronously below.
        sigset_t stopSignals;
        sigemptyset(&stopSignals);
        sigaddset(&stopSignals, SIGINT);
        sigaddset(&stopSignals, SIGTERM);
        sigaddset(&stopSignals, SIGHUP);
        pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

        orv::RadioSim sim(opt);
        sim.setMemory(file.memory);
        sim.start();
        if (!linkPath.empty()) makeLink(linkPath, sim.devicePath());
        std::cout << sim.devicePath() << std::endl;

        int sig = 0;
        sigwait(&stopSignals, &sig);
        sim.stop();
        if (!linkPath.empty()) removeLink(linkPath, sim.devicePath());

        int rc = 0;
        if (!tracePath.empty()) {
            try {
                writeTrace(tracePath, sim.trace());
            } catch (const std::exception& e) {
                std::cerr << "orv-radiosim: " << e.what() << '\n';
                rc = 1;
            }
        }
        if (!savePath.empty()) {
            file.memory = sim.memory();
            try {
                orv::saveSimImage(savePath, file);
            } catch (const std::exception& e) {
                std::cerr << "orv-radiosim: " << e.what() << '\n';
                rc = 1;
            }
        }
        return rc;
    } catch (const std::exception& e) {
        std::cerr << "orv-radiosim: " << e.what() << '\n';
        return 1;
    }
}
