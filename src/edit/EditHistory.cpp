#include "edit/EditHistory.h"

#include <stdexcept>

namespace orv {

void EditHistory::clear() {
    steps_.clear();
    done_ = 0;
}

bool EditHistory::record(std::string name, const MemoryImage& before, const MemoryImage& after, int group,
                         int channel) {
    if (before == after) return false;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
    steps_.push_back(EditStep{std::move(name), before, after, group, channel});
    if (steps_.size() > kDepth) steps_.pop_front();
    done_ = steps_.size();
    return true;
}

const EditStep* EditHistory::nextUndo() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }

const EditStep* EditHistory::nextRedo() const { return done_ < steps_.size() ? &steps_[done_] : nullptr; }

const EditStep& EditHistory::undo() {
    if (done_ == 0) throw std::logic_error("nothing to undo");
    return steps_[--done_];
}

const EditStep& EditHistory::redo() {
    if (done_ >= steps_.size()) throw std::logic_error("nothing to redo");
    return steps_[done_++];
}

}  // namespace orv
