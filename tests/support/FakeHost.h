// A scripted LinkHost for the link tests: records message boxes, beeps and
// progress, answers boxes from a script, and can press Cancel on cue. On a
// virtual clock (the simulated port's) its time is that clock's and a pause
// moves it on; without one it keeps the steady clock and sleeps.
#pragma once
#include <chrono>
#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>
#include "link/LinkHost.h"
#include "VirtualClock.h"

namespace orv::test {

struct Box {
    std::string text, title;
    MsgIcon icon;
    MsgButtons buttons;
    double at;  // host clock when it was shown
};

class FakeHost : public LinkHost {
public:
    std::vector<Box> boxes;
    std::deque<MsgAnswer> answers;   // for Retry/Cancel and Yes/No boxes; empty: Cancel / No
    int beeps = 0;
    int shows = 0, unloads = 0;
    std::vector<std::string> shownMessages;
    std::vector<std::string> rangeViolations;
    int peakValue = 0;
    std::vector<int> pauses;  // every sleepMs, in order
    VirtualClock* clock = nullptr;  // the link's time when set
    bool cancelled = false;
    bool loaded = false;
    // Called whenever the link looks at the Cancel flag; a test uses it to
    // press Cancel at a moment of its choosing.
    std::function<void(FakeHost&)> onCancelPoll;
    // Called with every box as it is shown, before it is answered.
    std::function<void(const Box&)> onBox;
    // Cancel once the progress value reaches this (checked when it is set).
    int cancelAtValue = -1;

    void sleepMs(int ms) override {
        pauses.push_back(ms);
        if (clock) clock->advance(ms / 1000.0);
        else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
    double now() override {
        if (clock) return clock->now();
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    }
    void beep() override { ++beeps; }
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override {
        boxes.push_back({text, title, icon, buttons, now()});
        if (onBox) onBox(boxes.back());
        if (buttons == MsgButtons::OK) return MsgAnswer::OK;
        if (!answers.empty()) {
            MsgAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
    }
    void progShowForm(const std::string& message, bool) override {
        ++shows;
        loaded = true;
        cancelled = false;
        shownMessages.push_back(message);
    }
    void progEnableCancel() override { cancelled = false; }
    bool progCancelled() override {
        if (onCancelPoll) onCancelPoll(*this);
        return cancelled;
    }
    void progress(int v, int max) override {
        if (v < 0 || v > max)
            rangeViolations.push_back(std::to_string(v) + " outside [0, " + std::to_string(max) + "]");
        max_ = max;
        value_ = v;
        if (v > peakValue) peakValue = v;
        if (cancelAtValue >= 0 && v >= cancelAtValue) {
            cancelled = true;
            cancelAtValue = -1;
        }
    }
    int progValue() const { return value_; }
    int progMax() const { return max_; }
    void progUnload() override {
        ++unloads;
        loaded = false;
    }

    std::vector<std::string> titles() const {
        std::vector<std::string> t;
        for (const auto& b : boxes) t.push_back(b.title);
        return t;
    }

private:
    int max_ = 100, value_ = 0;
};

}  // namespace orv::test
