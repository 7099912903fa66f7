// How far a transfer has come, as the progress displays show it: the bytes
// done of the bytes to do, the rate so far and the time left at that rate.
// The terminal's progress line and the editor's progress dialog both word it
// with transferProgressText, so the two never disagree.
#pragma once
#include <string>
#include <vector>
#include "image/TrNoop.h"

namespace orv {

struct TransferProgress {
    int done = 0;             // bytes done, within 0..total
    int total = 0;            // bytes to do (at least 1)
    double bytesPerSecond = 0;
    int secondsLeft = -1;     // -1: not known yet (no rate) or nothing left
};

// The progress of a bar at `value` in [min, max] after `elapsedSeconds`. The
// first 50 ms give no rate (a rate from a few bytes would promise nonsense).
TransferProgress transferProgress(int value, int min, int max, double elapsedSeconds);

// The wording, with %1 bytes done, %2 bytes to do, %3 the rate and %4 the
// time left ("0:04"): a display that translates looks the pattern up and
// fills in transferProgressArgs.
inline constexpr const char* kProgressPattern = ORV_TR_NOOP("TransferProgress", "%1/%2 bytes  %3 B/s");
inline constexpr const char* kProgressLeftPattern = ORV_TR_NOOP("TransferProgress", "%1/%2 bytes  %3 B/s  %4 left");
const char* transferProgressPattern(const TransferProgress& p);
std::vector<std::string> transferProgressArgs(const TransferProgress& p);

// "3008/6016 bytes  752 B/s  0:04 left"; without the time left when it is
// not known or nothing is left.
std::string transferProgressText(const TransferProgress& p);

}  // namespace orv
