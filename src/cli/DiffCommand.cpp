#include "cli/DiffCommand.h"

#include <iostream>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "interchange/Compare.h"

namespace {

struct DiffOptions {
    std::string a;
    std::string b;
};

// 0 when the files hold the same fields and bytes, 1 when they differ.
int runDiff(const DiffOptions& o) {
    const orv::MemoryImage a = orvcli::loadImageOrFail(o.a);
    const orv::MemoryImage b = orvcli::loadImageOrFail(o.b);
    // A stored value the fields cannot show is bad input, like a file that
    // is no programming file.
    std::vector<orv::Difference> diffs;
    try {
        diffs = orv::compareImages(a, b);
    } catch (const std::exception& e) {
        throw orvcli::CommandFailure{orvcli::kExitUsage, e.what()};
    }
    for (const auto& d : diffs) std::cout << d.line() << '\n';
    orvcli::flushStdoutOrFail();
    return diffs.empty() ? orvcli::kExitOk : orvcli::kExitFailure;
}

}  // namespace

void addDiffCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<DiffOptions>();
    CLI::App* cmd = app.add_subcommand(
        "diff", "Compare two programming files field by field: one line 'where: A's value -> B's value' per "
                "differing field (the JSON export's names and values), and one per range of bytes no field shows");
    cmd->add_option("A", opts->a, "Programming file (this)")->required();
    cmd->add_option("B", opts->b, "Programming file (that)")->required();
    cmd->footer("Exit status: 0 the files hold the same bytes, 1 they differ or the output cannot be written, 2 bad "
                "usage or a file that is not a programming file.");
    cmd->callback([opts, &exitCode] { exitCode = orvcli::runGuarded([&] { return runDiff(*opts); }); });
}
