#include "cli/FleetRun.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include "job/FleetHost.h"
#include "job/RadioConnection.h"

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

}  // namespace

std::vector<RadioJobResult> runFleet(const std::vector<std::string>& ports, const orv::MemoryImage& image,
                                     const RadioJobPlan& plan, std::atomic<bool>& stop, const FleetOptions& options) {
    const std::vector<PortWork> work(ports.size(), PortWork{image, plan.log.unit, plan.writeBackup});
    return runFleet(ports, work, plan, stop, options);
}

std::vector<RadioJobResult> runFleet(const std::vector<std::string>& ports, const std::vector<PortWork>& work,
                                     const RadioJobPlan& plan, std::atomic<bool>& stop, const FleetOptions& options) {
    std::vector<orv::FleetWork> jobs;
    for (std::size_t i = 0; i < ports.size(); ++i)
        jobs.push_back({ports[i], work[i].image, work[i].unit, work[i].writeBackup});
    orv::FleetPlan fleet{plan, plan.timing, kPortChoice, plan.log, options.retries, plan.dryRun};
    orv::FleetJobs run(std::move(jobs), std::move(fleet));
    BoardPrinter printer(run.board(), options);
    while (run.running()) {
        if ((options.interrupted && *options.interrupted) || stop.load()) run.stop();
        printer.draw(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::vector<RadioJobResult> results = run.join();
    printer.draw(true);
    return results;
}

namespace {

// A host for the probe that asks whether a radio is there: it says nothing,
// answers every question Cancel and shows no progress.
class ProbeHost : public orv::LinkHost {
public:
    void sleepMs(int ms) override {
        if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    double now() override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
    void beep() override {}
    orv::MsgAnswer messageBox(const std::string&, const std::string&, orv::MsgIcon, orv::MsgButtons buttons) override {
        int none = 0;
        return orv::unattendedAnswer(buttons, none, true);
    }
    void progShowForm(const std::string&, bool) override {}
    void progEnableCancel() override {}
    bool progCancelled() override { return false; }
    void progress(int, int) override {}
    void progUnload() override {}
};

// Whether a radio on `port` answers the hook now (its port opens, it
// answers the handshake); it is left unhooked.
bool radioAnswers(const std::string& port, const orv::LinkTiming& timing) {
    ProbeHost host;
    orv::MemoryImage scratch;
    orv::RadioConnection connection({port, timing, kPortChoice}, scratch, host);
    const bool hooked = connection.com().hookRadio();
    if (hooked) connection.com().unhookRadio();
    connection.finish();
    return hooked;
}

// Waits until `answers` is what the probe finds, or `ending`; true when found.
bool waitForRadio(const std::string& port, const orv::LinkTiming& timing, bool answers,
                  const std::atomic<bool>& ending) {
    while (!ending.load()) {
        if (radioAnswers(port, timing) == answers) return true;
        for (int i = 0; i < 5 && !ending.load(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }
    return false;
}

}  // namespace

std::vector<RadioJobResult> runWatch(const std::vector<std::string>& ports, const orv::MemoryImage& image,
                                     orv::RosterRows* rows, const RadioJobPlan& plan, std::atomic<bool>& ending,
                                     std::atomic<bool>& stop, const FleetOptions& options) {
    orv::FleetBoard board(ports);
    std::mutex resultsMutex;
    std::vector<RadioJobResult> results;
    std::atomic<std::size_t> running{ports.size()};
    std::vector<std::thread> workers;
    for (std::size_t i = 0; i < ports.size(); ++i) {
        workers.emplace_back([&, i] {
            const std::string& port = ports[i];
            while (!ending.load()) {
                board.setStage(i, "waiting for a radio");
                if (!waitForRadio(port, plan.timing, true, ending)) break;
                RadioJobPlan own = plan;
                orv::MemoryImage programming = image;
                if (rows) {
                    const std::optional<orv::RosterRow> row = rows->take();
                    if (!row) {
                        board.setStage(i, "no roster row left; unplug the radio");
                        waitForRadio(port, plan.timing, false, ending);
                        continue;
                    }
                    programming = row->image;
                    own.log.unit = row->unit;
                }
                orv::FleetHost host(board, i, stop, options.retries);
                RadioJobResult r;
                try {
                    r = runRadioJob(port, programming, own, host, stop);
                } catch (const std::exception& e) {
                    r.port = port;
                    r.unit = own.log.unit;
                    r.failure = std::string("internal error: ") + e.what();
                }
                if (!r.failure.empty() && r.differences.empty() && !host.firstMessage().empty())
                    r.failure += ": " + host.firstMessage();
                const bool done = r.ok() && (r.identical || r.written == RadioJobResult::Step::Done) &&
                                  (!own.verify || r.identical || r.verified == RadioJobResult::Step::Done);
                if (rows) {
                    if (done) rows->finished(own.log.unit);
                    else rows->giveBack(own.log.unit);
                }
                const std::string unit = own.log.unit.empty() ? std::string() : own.log.unit + ": ";
                board.setStage(i, unit + orv::fleetOutcome(r) + "; unplug the radio");
                if (options.progress) std::fputc('\a', options.progress);
                {
                    std::lock_guard<std::mutex> lock(resultsMutex);
                    results.push_back(std::move(r));
                }
                waitForRadio(port, plan.timing, false, ending);
            }
            board.finish(i, "ended");
            --running;
        });
    }
    BoardPrinter printer(board, options);
    while (running.load() > 0) {
        if (options.interrupted && *options.interrupted) ending = true;
        printer.draw(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (std::thread& t : workers) t.join();
    printer.draw(true);
    return results;
}

std::string watchSummary(const std::vector<RadioJobResult>& results) {
    std::size_t written = 0, verified = 0, failed = 0;
    for (const RadioJobResult& r : results) {
        written += r.written == RadioJobResult::Step::Done;
        verified += r.verified == RadioJobResult::Step::Done;
        failed += !r.ok();
    }
    return std::to_string(results.size()) + (results.size() == 1 ? " radio: " : " radios: ") +
           std::to_string(written) + " written, " + std::to_string(verified) + " verified, " +
           std::to_string(failed) + " failed";
}

void printResultTable(std::ostream& out, const std::vector<RadioJobResult>& results, bool dryRun) {
    std::size_t portWidth = 4;
    for (const RadioJobResult& r : results) portWidth = std::max(portWidth, r.port.size());
    auto pad = [](std::string s, std::size_t w) {
        if (s.size() < w) s.append(w - s.size(), ' ');
        return s;
    };
    // A UNIT column when a roster named the radios.
    std::size_t unitWidth = 0;
    for (const RadioJobResult& r : results)
        if (!r.unit.empty()) unitWidth = std::max<std::size_t>({unitWidth, 4, r.unit.size()});
    const auto unitCell = [&](const std::string& text) { return unitWidth == 0 ? std::string() : pad(text, unitWidth) + "  "; };
    out << pad("PORT", portWidth) << "  " << unitCell("UNIT") << pad("VERSION", 7) << "  " << pad("WRITTEN", 7) << "  "
        << pad("VERIFIED", 8) << "  ERROR\n";
    for (const RadioJobResult& r : results) {
        std::string line = pad(r.port, portWidth) + "  " + unitCell(r.unit.empty() ? "-" : r.unit) + pad(r.version, 7) +
                           "  " + pad(writtenText(r, dryRun), 7) + "  " + pad(stepText(r.verified), 8) + "  " +
                           (r.ok() ? std::string() : r.failure);
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
        j["unit"] = r.unit.empty() ? nlohmann::json() : nlohmann::json(r.unit);
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
        j["origin"] = r.before && !r.before->origin.empty() ? nlohmann::json(r.before->origin) : nlohmann::json();
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
