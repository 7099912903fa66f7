#include "cli/DiffCommand.h"

#include <iostream>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "files/ImageFile.h"
#include "interchange/Compare.h"

namespace {

struct DiffOptions {
    std::string a;
    std::string b;
};

int runDiff(const DiffOptions& o) {
    orv::MemoryImage a, b;
    for (auto [path, img] : {std::pair{&o.a, &a}, std::pair{&o.b, &b}}) {
        if (auto st = orv::loadImageFile(*path, *img); !st) {
            orvcli::reportError(st.message);
            return orvcli::kExitUsage;
        }
    }
    const std::vector<orv::Difference> diffs = orv::compareImages(a, b);
    for (const auto& d : diffs) std::cout << d.line() << '\n';
    std::cout << std::flush;
    if (!std::cout) {
        orvcli::reportError("cannot write to the standard output");
        return orvcli::kExitUsage;
    }
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
    cmd->footer("Exit status: 0 the files hold the same bytes, 1 they differ, 2 bad usage or a file that is not a "
                "programming file.");
    cmd->callback([opts, &exitCode] {
        try {
            exitCode = runDiff(*opts);
        } catch (const std::exception& e) {
            orvcli::reportError(e.what());
            exitCode = orvcli::kExitUsage;
        }
    });
}
