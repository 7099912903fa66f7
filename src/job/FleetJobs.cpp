#include "job/FleetJobs.h"

#include <exception>

namespace orv {

namespace {

std::vector<std::string> portsOf(const std::vector<FleetWork>& work) {
    std::vector<std::string> ports;
    for (const FleetWork& w : work) ports.push_back(w.port);
    return ports;
}

}  // namespace

PortJobResult runLoggedJob(const PortSetup& setup, const MemoryImage& image, const RadioJobPlan& plan,
                           const LogSource& log, const std::string& writeBackup, LinkHost& host,
                           const std::atomic<bool>& stop, bool dryRun,
                           const std::function<void(const ReadFirst&)>& changes) {
    RadioJobHooks hooks;
    hooks.stopped = [&stop] { return stop.load(); };
    hooks.confirmChanges = [&](const ReadFirst& before) {
        if (changes) changes(before);
        return !dryRun;
    };
    PortJobResult r = runRadioJobOn(setup, image, plan, host, hooks);
    r.unit = log.unit;
    const std::string logged = logRadioJob(log, jobLogEntry(log, plan, r, image, {writeBackup}));
    if (!logged.empty()) r.warning += (r.warning.empty() ? "" : "; ") + logged;
    return r;
}

std::string fleetOutcome(const PortJobResult& r) {
    if (r.ok()) {
        std::string s = "done";
        if (r.written == RadioJobResult::Step::Done) s += ", written";
        if (r.verified == RadioJobResult::Step::Done) s += ", verified";
        return s;
    }
    return "FAILED: " + r.failure;
}

FleetJobs::FleetJobs(std::vector<FleetWork> work, FleetPlan plan)
    : work_(std::move(work)), plan_(std::move(plan)), board_(portsOf(work_)), running_(work_.size()),
      results_(work_.size()) {
    for (std::size_t i = 0; i < work_.size(); ++i)
        hosts_.push_back(std::make_unique<FleetHost>(board_, i, stop_, plan_.retries));
    for (std::size_t i = 0; i < work_.size(); ++i) {
        workers_.emplace_back([this, i] {
            const FleetWork& w = work_[i];
            PortJobResult& r = results_[i];
            LogSource log = plan_.log;
            log.unit = w.unit;
            try {
                r = runLoggedJob({w.port, plan_.timing, plan_.portChoice}, w.image, plan_.job, log, w.writeBackup,
                                 *hosts_[i], stop_, plan_.dryRun);
            } catch (const std::exception& e) {
                r.port = w.port;
                r.unit = w.unit;
                r.failure = std::string("internal error: ") + e.what();
            }
            // The link's own message says why: the first box it showed.
            if (!r.failure.empty() && r.differences.empty() && !hosts_[i]->firstMessage().empty())
                r.failure += ": " + hosts_[i]->firstMessage();
            board_.finish(i, fleetOutcome(r));
            --running_;
        });
    }
}

FleetJobs::~FleetJobs() {
    stop_ = true;
    for (std::thread& t : workers_)
        if (t.joinable()) t.join();
}

std::vector<PortJobResult> FleetJobs::join() {
    for (std::thread& t : workers_)
        if (t.joinable()) t.join();
    return results_;
}

}  // namespace orv
