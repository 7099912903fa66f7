#include "cli/MoveCommand.h"

#include <exception>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "edit/clsMoves.h"
#include "files/ImageFile.h"

using orvcli::kExitFailure;
using orvcli::kExitOk;
using orvcli::kExitUsage;
using orvcli::reportError;

namespace {

struct MoveOptions {
    std::string input;
    std::string output;
    int from = 0;
    int to = 0;
};

int runMove(const MoveOptions& o) {
    // Everything is checked before anything is written: a refused position
    // or file leaves every file as it was.
    for (const auto& [name, value] : {std::pair{"--from", o.from}, std::pair{"--to", o.to}}) {
        if (!orv::clsMoves::isPosition(value)) {
            reportError(std::string(name) + " " + std::to_string(value) + ": a group position is 1 to 15");
            return kExitUsage;
        }
    }
    orv::MemoryImage img;
    if (auto st = orv::loadImageFile(o.input, img); !st) {
        reportError(st.message);
        return kExitUsage;
    }
    orv::clsMoves(img).moveGroups(o.from, o.to);
    // The file is replaced in one step (temporary file, then rename).
    const std::string& target = o.output.empty() ? o.input : o.output;
    if (auto st = orv::saveImageFile(target, img); !st) {
        reportError(st.message);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

void addMoveCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<MoveOptions>();
    CLI::App* cmd = app.add_subcommand(
        "move", "Move the channels of one group position to another, shifting the groups in between "
                "(group parameters, channel labels and flags stay)");
    cmd->add_option("FILE", opts->input, "Programming file (6019 bytes); replaced unless -o is given")->required();
    cmd->add_option("--from", opts->from, "Group position 1..15 whose channels move")->required();
    cmd->add_option("--to", opts->to, "Group position 1..15 where they land")->required();
    cmd->add_option("-o,--output", opts->output, "Write the result to this file instead of FILE");
    cmd->callback([opts, &exitCode] {
        try {
            exitCode = runMove(*opts);
        } catch (const std::exception& e) {
            reportError(e.what());
            exitCode = kExitFailure;
        }
    });
}
