// orvedit-cli read / write: the radio operations of the link on a terminal.
#include "cli/RadioCommands.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>

#include "cli/CliSupport.h"
#include "files/ImageFile.h"
#include "image/MemoryImage.h"
#include "link/ORVCom.h"
#include "link/PosixSerialPort.h"
#include "link/TermHost.h"

namespace {

using orvcli::kExitFailure;
using orvcli::kExitOk;
using orvcli::kExitUsage;
using orvcli::reportError;

constexpr int kExitInterrupted = 130;

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void onInterrupt(int) { g_interrupted = 1; }

// Ctrl-C becomes the progress dialog's Cancel while an operation runs. No
// SA_RESTART, so a wait in poll() wakes up at once.
class InterruptAsCancel {
public:
    InterruptAsCancel() {
        g_interrupted = 0;
        struct sigaction sa {};
        sa.sa_handler = onInterrupt;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = 0;
        sigaction(SIGINT, &sa, &old_);
    }
    ~InterruptAsCancel() { sigaction(SIGINT, &old_, nullptr); }
    InterruptAsCancel(const InterruptAsCancel&) = delete;
    InterruptAsCancel& operator=(const InterruptAsCancel&) = delete;

private:
    struct sigaction old_ {};
};

struct ReadArgs {
    std::string port, file;
    int group = 0;
    bool globals = false;
};

struct WriteArgs {
    std::string port, file;
    int group = 0;
    bool globals = false, skipGlobals = false, yes = false;
    int retries = 0;
};

// One radio connection's worth of objects.
struct Link {
    explicit Link(const std::string& device, orv::MemoryImage& img, int retries)
        : port(device), host(&g_interrupted), com(img, port, host) {
        host.setRetries(retries);
        host.setInteractive(::isatty(STDERR_FILENO) == 1);
    }
    orv::PosixSerialPort port;
    orv::TermHost host;
    orv::ORVCom com;
};

int runRead(const ReadArgs& a) {
    // An output that can never be written is refused before the radio is read.
    if (auto st = orv::checkSaveTarget(a.file); !st) {
        reportError(st.message);
        return orvcli::saveFailureExit(st);
    }
    orv::MemoryImage img;
    const bool partial = a.group != 0 || a.globals;
    if (partial) {
        // Only some blocks come from the radio: the rest of the file stays.
        if (auto st = orv::loadImageFile(a.file, img); !st) {
            reportError(st.message);
            return kExitUsage;
        }
    }
    bool ok;
    {
        Link link(a.port, img, 0);
        InterruptAsCancel guard;
        if (a.group != 0)
            ok = link.com.readGroup(a.group);
        else if (a.globals)
            ok = link.com.readGlobal();
        else
            ok = link.com.readMemory();
        link.com.closePort();
    }
    if (g_interrupted) {
        reportError("interrupted; " + a.file + " not written");
        return kExitInterrupted;
    }
    if (!ok) {
        reportError("reading the radio failed; " + a.file + " not written");
        return kExitFailure;
    }
    if (auto st = orv::saveImageFile(a.file, img); !st) {
        reportError(st.message);
        return orvcli::saveFailureExit(st);
    }
    return kExitOk;
}

bool confirmWrite() {
    std::cerr << "Are you sure you want to write to the radio? [y/N] " << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer)) return false;
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "YES" || answer == "Yes";
}

int runWrite(const WriteArgs& a) {
    orv::MemoryImage img;
    if (auto st = orv::loadImageFile(a.file, img); !st) {
        reportError(st.message);
        return kExitUsage;
    }
    if (!a.yes) {
        if (::isatty(STDIN_FILENO) != 1) {
            reportError("refusing to write to the radio without confirmation: stdin is not a terminal (use --yes)");
            return kExitUsage;
        }
        if (!confirmWrite()) {
            std::cerr << "Nothing written.\n";
            return kExitOk;
        }
    }
    bool ok;
    std::string failure;
    {
        Link link(a.port, img, a.retries);
        InterruptAsCancel guard;
        if (a.group != 0) {
            ok = link.com.writeGroup(a.group);
            failure = "Write Group Failed";
            if (!ok) link.host.progUnload();  // a failed hook leaves the dialog to its caller
        } else if (a.globals) {
            ok = link.com.writeGlobal();
            failure = "Write Global Failed";
        } else {
            ok = link.com.writeMemory(a.skipGlobals);
            failure = "writing the radio failed";
            if (!ok) link.host.progUnload();
        }
        link.com.closePort();
    }
    if (g_interrupted) {
        reportError(ok ? "interrupted; the write stopped after the current block"
                       : "interrupted; the write did not complete");
        return kExitInterrupted;
    }
    if (!ok) {
        reportError(failure);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

void addRadioCommands(CLI::App& app, int& exitCode) {
    auto r = std::make_shared<ReadArgs>();
    CLI::App* read = app.add_subcommand("read", "Read the radio's memory into a programming file");
    read->add_option("--port", r->port, "Serial device of the radio (e.g. /dev/ttyUSB0)")
        ->required()
        ->check(orvcli::nonEmptyName());
    read->add_option("-o,--output", r->file, "Programming file to write (6019 bytes)")
        ->required()
        ->check(orvcli::nonEmptyName());
    auto* rg = read->add_option("--group", r->group, "Read only this group (1-15) into the existing FILE")
                   ->check(CLI::Range(1, 15));
    read->add_flag("--globals", r->globals, "Read only the global area (page 0) into the existing FILE")
        ->excludes(rg);
    read->callback([r, &exitCode] { exitCode = runRead(*r); });

    auto w = std::make_shared<WriteArgs>();
    CLI::App* write = app.add_subcommand("write", "Write a programming file to the radio");
    write->add_option("--port", w->port, "Serial device of the radio (e.g. /dev/ttyUSB0)")
        ->required()
        ->check(orvcli::nonEmptyName());
    write->add_option("-i,--input", w->file, "Programming file to send (exactly 6019 bytes)")
        ->required()
        ->check(orvcli::nonEmptyName());
    auto* wg = write->add_option("--group", w->group, "Write only this group (1-15)")->check(CLI::Range(1, 15));
    auto* wgl = write->add_flag("--globals", w->globals, "Write only the global area (page 0)");
    auto* wsk = write->add_flag("--skip-globals", w->skipGlobals, "Write groups 1-15 but not the global area");
    wg->excludes(wgl, wsk);
    wgl->excludes(wg, wsk);
    wsk->excludes(wg, wgl);
    write->add_flag("-y,--yes", w->yes, "Do not ask for confirmation");
    write->add_option("--retries", w->retries, "Answer Retry to this many failure questions (default 0: Cancel)")
        ->check(CLI::NonNegativeNumber);
    write->callback([w, &exitCode] { exitCode = runWrite(*w); });
}
