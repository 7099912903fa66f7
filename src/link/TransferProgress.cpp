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

const char* transferProgressPattern(const TransferProgress& p) {
    return p.secondsLeft >= 0 ? kProgressLeftPattern : kProgressPattern;
}

std::vector<std::string> transferProgressArgs(const TransferProgress& p) {
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.0f", p.bytesPerSecond);
    std::vector<std::string> args{std::to_string(p.done), std::to_string(p.total), rate};
    if (p.secondsLeft >= 0) {
        char left[32];
        std::snprintf(left, sizeof left, "%d:%02d", p.secondsLeft / 60, p.secondsLeft % 60);
        args.emplace_back(left);
    }
    return args;
}

std::string transferProgressText(const TransferProgress& p) {
    // The pattern's %n are single digits, each taken in turn.
    const std::string pattern = transferProgressPattern(p);
    const std::vector<std::string> args = transferProgressArgs(p);
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' && std::size_t(next - '1') < args.size()) {
            text += args[std::size_t(next - '1')];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace orv
