#include "cli/LogCommand.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include "cli/CliSupport.h"
#include "job/JobLog.h"
#include "platform/Folders.h"

namespace {

struct LogArgs {
    orv::LogFilter filter;
    bool json = false;
};

int runLog(const LogArgs& a) {
    const std::string folder = orv::platform::dataFolder();
    if (folder.empty()) throw orvcli::CommandFailure{orvcli::kExitUsage, orv::platform::dataFolderMissing()};
    const orv::RadioLogContents log = orv::readRadioLog(folder);
    if (!log.status) throw orvcli::CommandFailure{orvcli::kExitFailure, log.status.message};
    for (const std::string& w : log.warnings) orvcli::reportError("warning: " + w);
    std::vector<orv::RadioLogEntry> shown;
    std::copy_if(log.entries.begin(), log.entries.end(), std::back_inserter(shown),
                 [&](const orv::RadioLogEntry& e) { return a.filter.matches(e); });
    if (a.json) {
        // The log's own lines: one JSON object per entry.
        for (const orv::RadioLogEntry& e : shown) std::cout << orv::radioLogLine(e) << '\n';
    } else {
        const auto& columns = orv::logColumns();
        std::vector<std::size_t> width;
        for (const orv::LogColumn& c : columns) width.push_back(std::string(c.heading).size());
        std::vector<std::vector<std::string>> rows;
        for (const orv::RadioLogEntry& e : shown) {
            std::vector<std::string> row;
            for (std::size_t i = 0; i < columns.size(); ++i) {
                row.push_back(orvcli::printableLine(columns[i].text(e)));
                width[i] = std::max(width[i], row.back().size());
            }
            rows.push_back(std::move(row));
        }
        const auto line = [&](const std::vector<std::string>& cells) {
            std::string out;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                out += cells[i];
                if (i + 1 < cells.size()) out += std::string(width[i] - cells[i].size() + 2, ' ');
            }
            while (!out.empty() && out.back() == ' ') out.pop_back();
            std::cout << out << '\n';
        };
        std::vector<std::string> headings;
        for (const orv::LogColumn& c : columns) headings.push_back(c.heading);
        line(headings);
        for (const auto& row : rows) line(row);
    }
    orvcli::flushStdoutOrFail();
    return orvcli::kExitOk;
}

}  // namespace

void addLogCommand(CLI::App& app, int& exitCode) {
    auto a = std::make_shared<LogArgs>();
    CLI::App* cmd = app.add_subcommand(
        "log", "List the radio log: every read, write, verify and alignment write of this user's programs");
    cmd->add_option("--since", a->filter.since, "Only entries from this date or time on (2026-12-01, UTC)");
    cmd->add_option("--unit", a->filter.unit, "Only the entries of this roster unit");
    cmd->add_option("--port", a->filter.port, "Only the entries on this port (device or stable name)");
    cmd->add_flag("--json", a->json, "Print the entries as JSON, one object per line, as the log keeps them");
    cmd->callback([a, &exitCode] { exitCode = orvcli::runGuarded([&] { return runLog(*a); }); });
}
