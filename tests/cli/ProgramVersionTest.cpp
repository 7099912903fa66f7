// --version (and the editor's --help) through the real programs: each answers
// on standard output with exit status 0, the editor without a display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChildProcess.h"

namespace {

struct VersionCase {
    const char* what;
    std::vector<std::string> argv;
    std::string firstLine;
};

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

// The editor is run with a windowing platform and no display to reach: made
// to open a window, it would fail instead of answering.
std::vector<std::string> withoutDisplay(std::vector<std::string> argv) {
    argv.insert(argv.begin(), {"/usr/bin/env", "-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM=xcb"});
    return argv;
}

}  // namespace

TEST(ProgramVersion, EveryProgramAnswersVersionOnItsFirstLine) {
    const std::string version = ORV_PROJECT_VERSION;
    std::vector<VersionCase> cases = {
        {"orvedit-cli", {ORVEDIT_CLI, "--version"}, "orvedit-cli " + version},
        // --version without a value; with one it sets the radio's version word.
        {"orv-radiosim", {ORV_RADIOSIM_EXE, "--version"}, "orv-radiosim " + version},
    };
#ifdef ORVEDIT_EXE
    cases.push_back({"orvedit", withoutDisplay({ORVEDIT_EXE, "--version"}), "orvedit " + version});
    cases.push_back({"orvedit --help", withoutDisplay({ORVEDIT_EXE, "--help"}), "Usage: orvedit [OPTION]... [FILE]"});
#endif
    for (const VersionCase& c : cases) {
        SCOPED_TRACE(c.what);
        const orv::test::ChildResult r = orv::test::runChild(c.argv);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(firstLine(r.out), c.firstLine);
    }
}
