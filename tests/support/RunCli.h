// Runs the real orvedit-cli executable as a child process and collects its
// exit code, standard output and standard error.
#pragma once
#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "ChildProcess.h"

#ifndef ORVEDIT_CLI
#error "ORVEDIT_CLI must name the orvedit-cli executable"
#endif

namespace orv::test {

using CliResult = orv::test::ChildResult;

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The command line of orvedit-cli with `args`. The radio commands (read,
// write, verify) get the link's short timing unless `args` name one: what
// the tests check is the bytes, against simulators that answer at once or
// not at all.
inline std::vector<std::string> cliCommand(const std::vector<std::string>& args) {
    std::vector<std::string> argv{ORVEDIT_CLI};
    argv.insert(argv.end(), args.begin(), args.end());
    const bool radio = !args.empty() && (args[0] == "read" || args[0] == "write" || args[0] == "verify");
    if (radio && std::find(args.begin(), args.end(), "--link-timing") == args.end()) {
        argv.push_back("--link-timing");
        argv.push_back("short");
    }
    return argv;
}

// Runs orvedit-cli to its end, stdin from `stdinFrom` (/dev/null unless
// named). (`scratch` is kept for the callers; the output is captured through
// pipes.) `stdoutTo` names a file to take the standard output instead (e.g.
// /dev/full); `out` then stays empty.
inline CliResult runCli(const std::vector<std::string>& args, const std::string& /*scratch*/ = {},
                        const std::string& stdoutTo = {}, const std::string& stdinFrom = "/dev/null") {
    return orv::test::runChild(cliCommand(args), stdoutTo, stdinFrom);
}

}  // namespace orv::test
