// Several radios at once, for the command-line tool and the editor alike: one
// worker thread per port, each running the radio job on its own connection
// with its own programming (a roster row's, or the same for every radio), a
// FleetHost reporting into one FleetBoard that the caller draws, and the
// job's line in the radio log. A failure on one radio never stops the
// others; stop() stops all of them after the block each is on.
#pragma once
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "image/MemoryImage.h"
#include "job/FleetHost.h"
#include "job/JobLog.h"
#include "job/RadioJob.h"

namespace orv {

// One port's share of the run.
struct FleetWork {
    std::string port;
    MemoryImage image;         // what that radio gets
    std::string unit;          // its roster unit, empty for none
    std::string writeBackup;   // the backup of `image` kept before the run
};

// What every radio of the run does.
struct FleetPlan {
    RadioJobPlan job;
    LinkTiming timing;
    std::string portChoice;    // where the user names the device (the link's advice)
    LogSource log;             // the unit is each work's own
    int retries = 0;           // Retry answers to failure questions
    bool dryRun = false;       // read first and list, write nothing
};

// One radio's job on its own connection to `setup`, with its entry in the
// radio log (`log`; a log that cannot be written is the result's warning).
// `changes` sees the change list before anything is written; a dry run
// writes nothing after it.
PortJobResult runLoggedJob(const PortSetup& setup, const MemoryImage& image, const RadioJobPlan& plan,
                           const LogSource& log, const std::string& writeBackup, LinkHost& host,
                           const std::atomic<bool>& stop, bool dryRun,
                           const std::function<void(const ReadFirst&)>& changes = {});

// "done, written, verified", or "FAILED: why".
std::string fleetOutcome(const PortJobResult& r);

class FleetJobs {
public:
    // Starts a worker per entry of `work` at once.
    FleetJobs(std::vector<FleetWork> work, FleetPlan plan);
    ~FleetJobs();   // stops and joins the workers
    FleetJobs(const FleetJobs&) = delete;
    FleetJobs& operator=(const FleetJobs&) = delete;

    FleetBoard& board() { return board_; }
    bool running() const { return running_.load() > 0; }
    // The user's stop: every radio stops after its current block.
    void stop() { stop_ = true; }
    // Waits for every worker; each port's result, in the order of `work`.
    std::vector<PortJobResult> join();

private:
    std::vector<FleetWork> work_;
    FleetPlan plan_;
    FleetBoard board_;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> running_;
    std::vector<PortJobResult> results_;
    std::vector<std::unique_ptr<FleetHost>> hosts_;
    std::vector<std::thread> workers_;
};

}  // namespace orv
