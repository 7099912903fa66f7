#include "cli/DoctorCommand.h"

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include "cli/CliSupport.h"
#include "platform/PortDoctor.h"

namespace {

struct DoctorOptions {
    std::string port;
    std::string root;
    bool json = false;
};

nlohmann::json findingJson(const orv::PortFinding& f) {
    return {{"check", f.check},
            {"level", orv::findingLevelName(f.level)},
            {"subject", f.subject},
            {"finding", f.finding},
            {"fix", f.fix.empty() ? nlohmann::json() : nlohmann::json(f.fix)}};
}

// Exit 1 when a finding keeps a port from working, so a script can ask.
int runDoctor(const DoctorOptions& o) {
    const auto findings = orv::checkPorts(o.port, o.root);
    if (o.json) {
        nlohmann::json all = nlohmann::json::array();
        for (const auto& f : findings) all.push_back(findingJson(f));
        std::cout << all.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        for (const auto& f : findings) std::cout << orvcli::printableLine(orv::findingLine(f)) << '\n';
    }
    orvcli::flushStdoutOrFail();
    return orv::anyProblem(findings) ? orvcli::kExitFailure : orvcli::kExitOk;
}

}  // namespace

void addDoctorCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<DoctorOptions>();
    CLI::App* cmd = app.add_subcommand(
        "doctor", "Look for what keeps a serial port from working (groups, brltty, ModemManager, latency, drivers, "
                  "another program holding it) and say what to do; exit 1 when something does");
    cmd->add_option("--port", opts->port, "The port to check (default: every USB serial adapter found)");
    cmd->add_flag("--json", opts->json, "Print the findings as a JSON array (check, level, subject, finding, fix)");
    // The tests' seam: a folder that stands for / (Linux).
    cmd->add_option("--root", opts->root, "Read the system under this folder instead of /")->group("");
    cmd->callback([opts, &exitCode] { exitCode = orvcli::runGuarded([&] { return runDoctor(*opts); }); });
}
