// The course of one radio command in the editor: it starts at once and ends
// when its job's result has been committed on the window thread (or at once,
// when the command was refused or the user said no before anything was
// sent). The window ignores it; a test waits on it, and a command that
// must follow another (the main window's close after the alignment
// window's) chains on it. Used on the window thread only.
#pragma once
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace orv {

class RadioRun {
public:
    RadioRun() : state_(std::make_shared<State>()) {}
    // A command that ended before any job: ok or not.
    static RadioRun ended(bool ok) {
        RadioRun r;
        r.finish(ok);
        return r;
    }

    bool finished() const { return state_->finished; }
    // Whether the command did what it was asked (a read that brought the
    // radio's memory, a write the radio took, a verify that matched).
    bool ok() const { return state_->ok; }

    // Ends the command (once; later calls do nothing) and runs what waits on it.
    void finish(bool ok) const {
        if (state_->finished) return;
        state_->finished = true;
        state_->ok = ok;
        auto then = std::move(state_->then);
        for (auto& f : then) f(ok);
    }
    // Runs `f(ok)` when the command ends (at once when it has).
    void then(std::function<void(bool)> f) const {
        if (state_->finished) f(state_->ok);
        else state_->then.push_back(std::move(f));
    }

private:
    struct State {
        bool finished = false;
        bool ok = false;
        std::vector<std::function<void(bool)>> then;
    };
    std::shared_ptr<State> state_;
};

}  // namespace orv
