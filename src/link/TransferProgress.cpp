#include "link/TransferProgress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orv {

TransferProgress transferProgress(int value, int min, int max, double elapsed) {
    TransferProgress p;
    p.total = std::max(1, max - min);
    p.done = std::clamp(value - min, 0, p.total);
    p.bytesPerSecond = elapsed > 0.05 ? p.done / elapsed : 0.0;
    if (p.bytesPerSecond > 0 && p.done < p.total)
        p.secondsLeft = static_cast<int>(std::lround((p.total - p.done) / p.bytesPerSecond));
    return p;
}

std::string transferProgressText(const TransferProgress& p) {
    char text[96];
    if (p.secondsLeft >= 0)
        std::snprintf(text, sizeof text, "%d/%d bytes  %.0f B/s  %d:%02d left", p.done, p.total, p.bytesPerSecond,
                      p.secondsLeft / 60, p.secondsLeft % 60);
    else
        std::snprintf(text, sizeof text, "%d/%d bytes  %.0f B/s", p.done, p.total, p.bytesPerSecond);
    return text;
}

}  // namespace orv
