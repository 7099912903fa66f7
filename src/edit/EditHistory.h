// The undo history of the programming: one step per command, each the whole
// memory image before and after it (6019 bytes twice; a few megabytes for
// the whole depth), with the command's name and the group and channel it
// changed, so that an undo can show them first. Undo moves back one step and
// hands out the image to restore, Redo moves forward again; a new command
// drops the steps that were undone. No window: the editor's windows record
// where their commands commit to the image and restore what it hands out.
#pragma once
#include <cstddef>
#include <deque>
#include <string>
#include "image/MemoryImage.h"

namespace orv {

struct EditStep {
    std::string name;        // "Paste 16 Rows", as the Edit menu shows it after "Undo "
    MemoryImage before;
    MemoryImage after;
    int group = -1;          // the group changed (0..14), -1 for several or the global parameters
    int channel = -1;        // the channel changed (0..15) in that group, -1 for several
};

class EditHistory {
public:
    // The steps kept; the oldest goes when a new one would exceed it.
    static constexpr std::size_t kDepth = 200;

    // A new history (a file opened, a radio read, New): nothing to undo or redo.
    void clear();
    // A command changed `before` into `after`: a new step (false, and nothing
    // kept, when they are equal). The steps undone before it are dropped.
    bool record(std::string name, const MemoryImage& before, const MemoryImage& after, int group = -1,
                int channel = -1);
    // The step the next Undo / Redo acts on, or null.
    const EditStep* nextUndo() const;
    const EditStep* nextRedo() const;
    // Moves one step back (forward) and returns it: its `before` (`after`)
    // is the image to restore. Only when nextUndo (nextRedo) is not null.
    const EditStep& undo();
    const EditStep& redo();
    std::size_t undoCount() const { return done_; }
    std::size_t redoCount() const { return steps_.size() - done_; }

private:
    std::deque<EditStep> steps_;
    std::size_t done_ = 0;   // steps_[0 .. done_) are done, the rest undone
};

}  // namespace orv
