// orvedit-cli: the headless face of the editor's core. Each subcommand's
// callback stores its exit code; main returns it.
#include <CLI/CLI.hpp>
#include <exception>
#include "cli/CliSupport.h"
#include "cli/CsvCommands.h"
#include "cli/DiffCommand.h"
#include "cli/DoctorCommand.h"
#include "cli/FileCommands.h"
#include "cli/MoveCommand.h"
#include "cli/LogCommand.h"
#include "cli/PortsCommand.h"
#include "cli/RadioCommands.h"
#include "cli/ReportCommand.h"
#include "platform/PortAdvice.h"
#include "platform/StopRequests.h"
#include "platform/Terminal.h"
#include "Version.h"

int main(int argc, char** argv) {
    // A closed pipe on the standard output is a failed write (exit 1), as
    // every other output that cannot be written.
    orv::platform::reportBrokenPipes();
    CLI::App app{"ORVEDIT command-line tool: programming files and their JSON form", "orvedit-cli"};
    app.set_version_flag("--version", "orvedit-cli " ORV_VERSION_STRING, "print the program's version and exit");
    app.require_subcommand(0, 1);  // none is checked below, so that an unknown word is named
    app.footer(
        "Exit codes: 0 success, 1 the command could not finish, 2 bad usage or bad input, 128 + the signal when\n"
        "stopped by one during a radio operation (" + std::string(orv::platform::stopStatusHelp()) + ").\n" +
        orv::portadvice::portAccessHelp() +
        " orv-radiosim gives a simulated radio to try the commands without one.");
    // A usage error is one line, like every other error of the tool.
    app.failure_message([](const CLI::App*, const CLI::Error& e) {
        return orvcli::printableLine(std::string("orvedit-cli: ") + e.what() + " (run with --help for usage)") + "\n";
    });

    int exitCode = orvcli::kExitOk;
    addFileCommands(app, exitCode);
    addRadioCommands(app, exitCode);
    addReportCommand(app, exitCode);
    addMoveCommand(app, exitCode);
    addDiffCommand(app, exitCode);
    addCsvCommands(app, exitCode);
    addPortsCommand(app, exitCode);
    addDoctorCommand(app, exitCode);
    addLogCommand(app, exitCode);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? orvcli::kExitOk : orvcli::kExitUsage;  // --help exits 0
    } catch (const std::exception& e) {
        orvcli::reportError(e.what());
        return orvcli::kExitFailure;
    }
    if (app.get_subcommands().empty()) {
        std::string names;
        for (const CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; }))
            names += (names.empty() ? "" : ", ") + sub->get_name();
        orvcli::reportError("a command is required (" + names + "); run with --help for usage");
        return orvcli::kExitUsage;
    }
    return exitCode;
}
