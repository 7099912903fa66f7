#include "cli/MoveCommand.h"

#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "edit/clsMoves.h"

using orvcli::CommandFailure;
using orvcli::kExitUsage;

namespace {

// The last group position, "15".
const std::string kLastPosition = std::to_string(orv::memmap::kGroups);

struct MoveOptions {
    std::string input;
    std::string output;
    int from = 0;
    int to = 0;
};

void runMove(const MoveOptions& o) {
    // Everything is checked before anything is written: a refused position
    // or file leaves every file as it was.
    for (const auto& [name, value] : {std::pair{"--from", o.from}, std::pair{"--to", o.to}}) {
        if (!orv::clsMoves::isPosition(value))
            throw CommandFailure{kExitUsage, std::string(name) + " " + std::to_string(value) +
                                                 ": a group position is 1 to " + kLastPosition};
    }
    orv::MemoryImage img = orvcli::loadImageOrFail(o.input);
    orv::clsMoves(img).moveGroups(o.from, o.to);
    // The file is replaced in one step (temporary file, then rename).
    orvcli::saveImageOrFail(o.output.empty() ? o.input : o.output, img);
}

}  // namespace

void addMoveCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<MoveOptions>();
    CLI::App* cmd = app.add_subcommand(
        "move", "Move the channels of one group position to another, shifting the groups in between "
                "(group parameters, channel labels and flags stay)");
    cmd->add_option("FILE", opts->input,
                    "Programming file (" + orvcli::kProgrammingFileBytes + "); replaced unless -o is given")
        ->required();
    cmd->add_option("--from", opts->from, "Group position 1.." + kLastPosition + " whose channels move")->required();
    cmd->add_option("--to", opts->to, "Group position 1.." + kLastPosition + " where they land")->required();
    cmd->add_option("-o,--output", opts->output, "Write the result to this file instead of FILE")
        ->check(orvcli::nonEmptyName());
    cmd->callback([opts, &exitCode] { exitCode = orvcli::runGuarded([&] { runMove(*opts); }); });
}
