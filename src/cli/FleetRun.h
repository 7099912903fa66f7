// orvedit-cli on several radios at once: one worker thread per port, each
// running the same RadioJob on its own port, link and trace, with one
// progress line per radio on the progress stream and a result table at the
// end. A failure on one radio never stops the others; the stop flag (Ctrl-C)
// stops all of them.
#pragma once
#include <atomic>
#include <csignal>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>
#include "cli/RadioJob.h"

namespace orvcli {

struct FleetOptions {
    int retries = 0;
    std::FILE* progress = stderr;   // nullptr: no progress lines
    bool interactive = false;   // redraw the lines in place (a terminal), else one line per event
    std::size_t columns = 0;    // the terminal's width: longer lines are cut (0: never)
    // Polled by the drawing loop; when set, `stop` is raised for every worker.
    const volatile std::sig_atomic_t* interrupted = nullptr;
};

std::vector<RadioJobResult> runFleet(const std::vector<std::string>& ports, const orv::MemoryImage& image,
                                     const RadioJobPlan& plan, std::atomic<bool>& stop, const FleetOptions& options);

// The result table: port, version, written, verified, error; then the
// differences of every radio whose verify found some.
// With `dryRun` the WRITTEN column says "no" for a radio listed but not written.
void printResultTable(std::ostream& out, const std::vector<RadioJobResult>& results, bool dryRun = false);

// The same for scripts: a JSON array, one object per radio (port, version,
// fingerprint, written, verified, error or null, differences, and the
// changes the read first found: one object per field or byte range with
// kind, where, radio and new).
void printResultJson(std::ostream& out, const std::vector<RadioJobResult>& results, bool dryRun = false);

// Where the trace of the k-th port (1-based) of several goes: FILE with "-k"
// before its extension ("trace.txt" -> "trace-2.txt").
std::string numberedPath(const std::string& path, std::size_t k);

}  // namespace orvcli
