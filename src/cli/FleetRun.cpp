#include "cli/FleetRun.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <thread>
#include "cli/FleetHost.h"

namespace orvcli {

namespace {

// Draws the board: in place on a terminal (one line per radio, redrawn when
// something changed), otherwise as one line per event.
class BoardPrinter {
public:
    BoardPrinter(orv::FleetBoard& board, const FleetOptions& o) : board_(board), o_(o) {
        for (const orv::RadioRow& r : board.rows()) width_ = std::max(width_, r.port.size());
    }

    void draw(bool force) {
        if (o_.progress == nullptr) {
            board_.takeEvents();
            return;
        }
        if (!o_.interactive) {
            for (const std::string& e : board_.takeEvents()) std::fprintf(o_.progress, "%s\n", e.c_str());
            std::fflush(o_.progress);
            return;
        }
        const std::uint64_t changes = board_.changes();
        if (!force && drawn_ && changes == seen_) return;
        seen_ = changes;
        const std::vector<orv::RadioRow> rows = board_.rows();
        if (drawn_) std::fprintf(o_.progress, "\033[%zuA", rows.size());
        for (const orv::RadioRow& r : rows) {
            // A line that wrapped would throw the cursor-up count off.
            std::string line = orv::fleetProgressLine(r, width_);
            if (o_.columns > 1 && line.size() >= o_.columns) line.resize(o_.columns - 1);
            std::fprintf(o_.progress, "\r%s\033[K\n", line.c_str());
        }
        std::fflush(o_.progress);
        drawn_ = true;
    }

private:
    orv::FleetBoard& board_;
    const FleetOptions& o_;
    std::size_t width_ = 0;
    bool drawn_ = false;
    std::uint64_t seen_ = 0;
};

std::string outcomeText(const RadioJobResult& r) {
    if (r.ok()) {
        std::string s = "done";
        if (r.written == RadioJobResult::Step::Done) s += ", written";
        if (r.verified == RadioJobResult::Step::Done) s += ", verified";
        return s;
    }
    return "FAILED: " + r.failure;
}

}  // namespace

std::vector<RadioJobResult> runFleet(const std::vector<std::string>& ports, const orv::MemoryImage& image,
                                     const RadioJobPlan& plan, std::atomic<bool>& stop, const FleetOptions& options) {
    orv::FleetBoard board(ports);
    std::vector<RadioJobResult> results(ports.size());
    std::vector<std::unique_ptr<orv::FleetHost>> hosts;
    for (std::size_t i = 0; i < ports.size(); ++i)
        hosts.push_back(std::make_unique<orv::FleetHost>(board, i, stop, options.retries));

    std::atomic<std::size_t> running{ports.size()};
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        workers.emplace_back([&, i] {
            RadioJobResult& r = results[i];
            try {
                r = runRadioJob(ports[i], image, plan, *hosts[i], stop);
            } catch (const std::exception& e) {
                r.port = ports[i];
                r.failure = std::string("internal error: ") + e.what();
            }
            // The link's own message says why: the first box it showed.
            if (!r.failure.empty() && r.differences.empty() && !hosts[i]->firstMessage().empty())
                r.failure += ": " + hosts[i]->firstMessage();
            board.finish(i, outcomeText(r));
            --running;
        });
    }

    BoardPrinter printer(board, options);
    while (running.load() > 0) {
        if (options.interrupted && *options.interrupted) stop = true;
        printer.draw(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (std::thread& t : workers) t.join();
    printer.draw(true);
    return results;
}

void printResultTable(std::ostream& out, const std::vector<RadioJobResult>& results, bool dryRun) {
    std::size_t portWidth = 4;
    for (const RadioJobResult& r : results) portWidth = std::max(portWidth, r.port.size());
    auto pad = [](std::string s, std::size_t w) {
        if (s.size() < w) s.append(w - s.size(), ' ');
        return s;
    };
    out << pad("PORT", portWidth) << "  " << pad("VERSION", 7) << "  " << pad("WRITTEN", 7) << "  "
        << pad("VERIFIED", 8) << "  ERROR\n";
    for (const RadioJobResult& r : results) {
        std::string line = pad(r.port, portWidth) + "  " + pad(r.version, 7) + "  " + pad(writtenText(r, dryRun), 7) +
                           "  " + pad(stepText(r.verified), 8) + "  " + (r.ok() ? std::string() : r.failure);
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }
    for (const RadioJobResult& r : results) {
        if (!r.warning.empty()) out << r.port << ": warning: " << r.warning << '\n';
        if (r.identical) out << r.port << ": " << kAlreadyHolds << '\n';
        if (r.before && !r.before->changes.empty()) {
            out << "\nChanges on " << r.port << ":\n";
            for (const std::string& d : orv::changeLines(*r.before)) out << "  " << d << '\n';
        }
        if (r.differences.empty()) continue;
        out << "\nDifferences on " << r.port << ":\n";
        for (const std::string& d : r.differences) out << "  " << d << '\n';
    }
    out.flush();
}

void printResultJson(std::ostream& out, const std::vector<RadioJobResult>& results, bool dryRun) {
    nlohmann::json all = nlohmann::json::array();
    for (const RadioJobResult& r : results) {
        nlohmann::json j;
        j["port"] = r.port;
        j["version"] = r.version;
        j["fingerprint"] = r.before && r.before->read ? nlohmann::json(r.before->fingerprint) : nlohmann::json();
        j["written"] = writtenText(r, dryRun);
        j["verified"] = stepText(r.verified);
        j["error"] = r.ok() ? nlohmann::json() : nlohmann::json(r.failure);
        j["differences"] = r.differences;
        nlohmann::json changes = nlohmann::json::array();
        if (r.before)
            for (const orv::Difference& d : r.before->changes)
                changes.push_back({{"kind", d.kind == orv::Difference::Kind::Field ? "field" : "bytes"},
                                   {"where", d.where},
                                   {"radio", d.thisValue},
                                   {"new", d.thatValue}});
        j["changes"] = changes;
        if (!r.warning.empty()) j["warning"] = r.warning;
        all.push_back(std::move(j));
    }
    out << all.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    out.flush();
}

std::string numberedPath(const std::string& path, std::size_t k) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    const bool hasExt = dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
    std::string suffix(1, '-');
    suffix += std::to_string(k);
    if (!hasExt) return path + suffix;
    return path.substr(0, dot) + suffix + path.substr(dot);
}

}  // namespace orvcli
