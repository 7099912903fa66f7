#include "job/FleetHost.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace orv {

FleetBoard::FleetBoard(std::vector<std::string> ports) : size_(ports.size()) {
    for (std::string& p : ports) {
        RadioRow r;
        r.port = std::move(p);
        r.stage = "waiting";
        rows_.push_back(std::move(r));
    }
}

void FleetBoard::event(std::size_t row, const std::string& what) {
    events_.push_back(rows_[row].port + ": " + what);
    ++changes_;
}

void FleetBoard::setStage(std::size_t row, const std::string& stage) {
    std::lock_guard<std::mutex> lock(mu_);
    if (row >= rows_.size()) return;
    rows_[row].stage = stage;
    event(row, stage);
}

void FleetBoard::setProgress(std::size_t row, int value, int min, int max) {
    std::lock_guard<std::mutex> lock(mu_);
    if (row >= rows_.size()) return;
    RadioRow& r = rows_[row];
    if (r.value == value && r.min == min && r.max == max) return;
    r.value = value;
    r.min = min;
    r.max = max;
    ++changes_;
}

void FleetBoard::addMessage(std::size_t row, const std::string& message) {
    std::lock_guard<std::mutex> lock(mu_);
    if (row >= rows_.size()) return;
    rows_[row].messages.push_back(message);
    event(row, message);
}

void FleetBoard::finish(std::size_t row, const std::string& outcome) {
    std::lock_guard<std::mutex> lock(mu_);
    if (row >= rows_.size()) return;
    rows_[row].finished = true;
    rows_[row].stage = outcome;
    event(row, outcome);
}

std::vector<RadioRow> FleetBoard::rows() const {
    std::lock_guard<std::mutex> lock(mu_);
    return rows_;
}

std::uint64_t FleetBoard::changes() const {
    std::lock_guard<std::mutex> lock(mu_);
    return changes_;
}

std::vector<std::string> FleetBoard::takeEvents() {
    std::lock_guard<std::mutex> lock(mu_);
    std::vector<std::string> out;
    out.swap(events_);
    return out;
}

std::string fleetProgressLine(const RadioRow& row, std::size_t portWidth) {
    std::string line = row.port;
    if (line.size() < portWidth) line.append(portWidth - line.size(), ' ');
    line += "  " + row.stage;
    if (row.finished) return line;
    if (row.max > row.min) {
        const int width = 20;
        const int span = row.max - row.min;
        const int done = std::clamp(row.value - row.min, 0, span);
        const int filled = static_cast<int>(static_cast<long>(done) * width / span);
        char counts[48];
        std::snprintf(counts, sizeof counts, " %d/%d bytes", done, span);
        line += " [" + std::string(static_cast<std::size_t>(filled), '#') +
                std::string(static_cast<std::size_t>(width - filled), '-') + "]" + counts;
    }
    if (!row.messages.empty()) line += "  (" + row.messages.back() + ")";
    return line;
}

// ------------------------------------------------------------------ FleetHost

FleetHost::FleetHost(FleetBoard& board, std::size_t row, const std::atomic<bool>& stop, int retries)
    : board_(board), row_(row), stop_(stop), retriesLeft_(retries) {}

void FleetHost::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

double FleetHost::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

MsgAnswer FleetHost::messageBox(const std::string& boxText, const std::string& title, MsgIcon, MsgButtons buttons) {
    // A radio's row and its result are one line each: the advice under a
    // link error follows its first line after "; ".
    std::string text = boxText;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at))
        text.replace(at, 1, "; ");
    if (firstMessage_.empty()) firstMessage_ = text;
    std::string shown = (title.empty() ? std::string("ORVEDIT") : title) + ": " + text;
    const MsgAnswer answer = unattendedAnswer(buttons, retriesLeft_, stop_.load());
    if (buttons == MsgButtons::RetryCancel) shown += answer == MsgAnswer::Retry ? " -> Retry" : " -> Cancel";
    board_.addMessage(row_, shown);
    return answer;
}

void FleetHost::progShowForm(const std::string& message, bool) {
    cancelEnabled_ = false;
    peak_ = value_;
    board_.setStage(row_, message);
}

void FleetHost::progress(int v, int max) {
    max_ = max;
    value_ = v;
    peak_ = std::max(peak_, v);
    board_.setProgress(row_, value_, 0, max_);
}

void FleetHost::progUnload() {
    cancelEnabled_ = false;
    board_.setProgress(row_, std::max(value_, peak_), 0, max_);
}

}  // namespace orv
