#include "cli/DiffCommand.h"

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include "cli/CliSupport.h"
#include "interchange/Compare.h"

namespace {

struct DiffOptions {
    std::string a;
    std::string b;
    bool json = false;
};

// One difference for scripts: where, A's and B's value; a range of bytes no
// field shows also gives its first and last address.
nlohmann::json differenceJson(const orv::Difference& d) {
    nlohmann::json j;
    j["kind"] = d.kind == orv::Difference::Kind::Field ? "field" : "bytes";
    j["where"] = d.where;
    j["a"] = d.thisValue;
    j["b"] = d.thatValue;
    if (d.kind == orv::Difference::Kind::Bytes) {
        j["first"] = d.firstAddress;
        j["last"] = d.lastAddress;
    }
    return j;
}

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
    if (o.json) {
        nlohmann::json all = nlohmann::json::array();
        for (const auto& d : diffs) all.push_back(differenceJson(d));
        std::cout << all.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    } else {
        for (const auto& d : diffs) std::cout << d.line() << '\n';
    }
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
    cmd->add_flag("--json", opts->json,
                  "Print the differences as a JSON array, one object per difference (kind, where, a, b; first and "
                  "last address for a range of bytes)");
    cmd->footer("Exit status: 0 the files hold the same bytes, 1 they differ or the output cannot be written, 2 bad "
                "usage or a file that is not a programming file.");
    cmd->callback([opts, &exitCode] { exitCode = orvcli::runGuarded([&] { return runDiff(*opts); }); });
}
