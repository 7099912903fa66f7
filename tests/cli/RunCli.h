// Runs the real orvedit-cli executable as a child process and collects its
// exit code, standard output and standard error.
#pragma once
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifndef ORVEDIT_CLI
#error "ORVEDIT_CLI must name the orvedit-cli executable"
#endif

namespace clitest {

struct CliResult {
    int exitCode = -1;
    std::string out;
    std::string err;
    // The lines of stderr (without the final line end).
    std::vector<std::string> errLines() const {
        std::vector<std::string> lines;
        std::istringstream in(err);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `scratch` is a folder for the captured output files; `stdoutTo` names a
// file to take the standard output instead (e.g. /dev/full), then `out`
// stays empty.
inline CliResult runCli(const std::vector<std::string>& args, const std::string& scratch,
                        const std::string& stdoutTo = {}) {
    const std::string outPath = stdoutTo.empty() ? scratch + "/.stdout" : stdoutTo;
    const std::string errPath = scratch + "/.stderr";
    pid_t pid = ::fork();
    if (pid == 0) {
        int o = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int n = ::open("/dev/null", O_RDONLY);
        if (o < 0 || e < 0 || n < 0) ::_exit(126);
        ::dup2(n, 0);
        ::dup2(o, 1);
        ::dup2(e, 2);
        std::vector<char*> argv;
        std::string exe = ORVEDIT_CLI;
        argv.push_back(exe.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    CliResult r;
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
    if (stdoutTo.empty()) {
        r.out = slurp(outPath);
        ::unlink(outPath.c_str());
    }
    r.err = slurp(errPath);
    ::unlink(errPath.c_str());
    return r;
}

}  // namespace clitest
