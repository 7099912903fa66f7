// Several radios at once: one worker thread per radio, each with its own
// port, link and FleetHost. The hosts report into one FleetBoard (a row per
// radio: the stage, the progress, the messages), which the program's main
// thread draws as one progress line per radio. Nothing here needs a terminal
// or a window system.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>
#include "link/LinkHost.h"

namespace orv {

// One radio's row as the board shows it.
struct RadioRow {
    std::string port;
    std::string stage;                  // "waiting", the progress dialog's message, or the outcome
    int value = 0, min = 0, max = 0;    // the progress bar
    std::vector<std::string> messages;  // every message box, "TITLE: text"
    bool finished = false;
};

class FleetBoard {
public:
    explicit FleetBoard(std::vector<std::string> ports);

    std::size_t size() const { return size_; }

    // Worker side (any thread).
    void setStage(std::size_t row, const std::string& stage);
    void setProgress(std::size_t row, int value, int min, int max);
    void addMessage(std::size_t row, const std::string& message);
    void finish(std::size_t row, const std::string& outcome);

    // Reader side: a copy of every row, and how many changes the board has
    // seen (to redraw only when something changed).
    std::vector<RadioRow> rows() const;
    std::uint64_t changes() const;
    // The events since the last call, one line each ("PORT: what happened"):
    // stages begun, messages, outcomes. For output that is not a terminal.
    std::vector<std::string> takeEvents();

private:
    void event(std::size_t row, const std::string& what);

    std::size_t size_;
    mutable std::mutex mu_;
    std::vector<RadioRow> rows_;
    std::vector<std::string> events_;
    std::uint64_t changes_ = 0;
};

// One radio's progress line: port (padded to `portWidth`), stage, bar, bytes,
// and the latest message while the radio has not finished.
std::string fleetProgressLine(const RadioRow& row, std::size_t portWidth);

// The link host of one worker. Message boxes go to the board (Retry while a
// retry allowance lasts and no stop is asked for, Cancel otherwise; OK-Cancel
// and Yes-No questions get Cancel and No); the progress dialog is the row;
// the stop flag is the dialog's Cancel button. Used by one thread only.
class FleetHost : public LinkHost {
public:
    FleetHost(FleetBoard& board, std::size_t row, const std::atomic<bool>& stop, int retries);

    void sleepMs(int ms) override;
    double now() override;
    void beep() override {}
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;

    void progShowForm(const std::string& message, bool writeFlag) override;
    void progEnableCancel() override { cancelEnabled_ = true; }
    bool progCancelled() override { return cancelEnabled_ && stop_.load(); }
    void progress(int value, int max) override;
    // The row keeps the furthest point reached (the link sets 0 before it unloads).
    void progUnload() override;

    // The text of the first message box shown (empty when none was).
    const std::string& firstMessage() const { return firstMessage_; }

private:
    FleetBoard& board_;
    std::size_t row_;
    const std::atomic<bool>& stop_;
    int retriesLeft_;
    bool cancelEnabled_ = false;
    int max_ = 100, value_ = 0, peak_ = 0;
    std::string firstMessage_;
};

}  // namespace orv
