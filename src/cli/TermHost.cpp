#include "cli/TermHost.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include "cli/PrintableLine.h"
#include "link/TransferProgress.h"

namespace orv {

TermHost::TermHost(const volatile std::sig_atomic_t* interrupted, std::FILE* out)
    : interrupted_(interrupted), out_(out) {}

void TermHost::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

double TermHost::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void TermHost::beep() {
    if (interactive_) {
        std::fputc('\a', out_);
        std::fflush(out_);
    }
}

MsgAnswer TermHost::messageBox(const std::string& text, const std::string& title, MsgIcon,
                               MsgButtons buttons) {
    endLine();
    // Each line of the box as a printable line: the device's name (or a
    // file's) may hold any byte.
    std::string lines = (title.empty() ? std::string("ORVEDIT") : title) + ": " + text;
    for (std::size_t start = 0; start <= lines.size();) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        std::fprintf(out_, "%s\n", orvcli::printableLine(lines.substr(start, end - start)).c_str());
        start = end + 1;
    }
    MsgAnswer answer = MsgAnswer::OK;
    switch (buttons) {
    case MsgButtons::OK: answer = MsgAnswer::OK; break;
    case MsgButtons::OKCancel: answer = MsgAnswer::Cancel; break;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: answer = MsgAnswer::No; break;
    case MsgButtons::RetryCancel:
        if (retriesLeft_ > 0 && !(interrupted_ && *interrupted_)) {
            --retriesLeft_;
            std::fprintf(out_, "  -> Retry (%d more allowed)\n", retriesLeft_);
            answer = MsgAnswer::Retry;
        } else {
            std::fprintf(out_, "  -> Cancel\n");
            answer = MsgAnswer::Cancel;
        }
        break;
    }
    std::fflush(out_);
    return answer;
}

void TermHost::progShowForm(const std::string& message, bool) {
    endLine();
    message_ = message;
    shown_ = true;
    cancelEnabled_ = false;
    shownAt_ = now();
    lastDraw_ = -1;
    peak_ = value_;
}

bool TermHost::progCancelled() { return cancelEnabled_ && interrupted_ && *interrupted_ != 0; }

void TermHost::progress(int v, int max) {
    max_ = max;
    value_ = v;
    if (v > peak_) peak_ = v;
    if (shown_) draw(false);
}

void TermHost::progUnload() {
    if (shown_) {
        // The operations reset the value to 0 before unloading: report the
        // furthest point reached.
        int keep = value_;
        value_ = std::max(value_, peak_);
        draw(true);
        value_ = keep;
        endLine();
    }
    shown_ = false;
    cancelEnabled_ = false;
}

std::string TermHost::progressLine(const std::string& message, int value, int min, int max,
                                   double elapsed) {
    const int width = 30;
    const TransferProgress p = transferProgress(value, min, max, elapsed);
    int filled = static_cast<int>(static_cast<long>(p.done) * width / p.total);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(width - filled), '-');
    return message + " [" + bar + "] " + transferProgressText(p);
}

void TermHost::draw(bool force) {
    if (quiet_) return;
    double t = now();
    if (!force && (!interactive_ || (lastDraw_ >= 0 && t - lastDraw_ < 0.1))) return;
    lastDraw_ = t;
    std::string line = orvcli::printableLine(progressLine(message_, value_, 0, max_, t - shownAt_));
    if (interactive_) {
        std::fprintf(out_, "\r%s\033[K", line.c_str());
        lineOpen_ = true;
    } else {
        std::fprintf(out_, "%s\n", line.c_str());
    }
    std::fflush(out_);
}

void TermHost::endLine() {
    if (lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        lineOpen_ = false;
    }
}

}  // namespace orv
