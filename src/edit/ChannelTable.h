// What the group editor's rules need of the window: the 16 rows of the
// channel grid (bound to the working table), the per-channel check boxes, and
// the other group controls as a view. The editor implements it over its
// widgets; the tests implement it over plain arrays, so the rules run
// without a window or a database.
#pragma once
#include <string>
#include "image/Views.h"

namespace orv {

// The per-channel check box arrays beside the grid.
enum class ChannelCheck { Scan, Narrow, LowPower };

class ChannelTable {
public:
    virtual ~ChannelTable() = default;

    // The text a cell shows (a frequency as "162.40000"; the editor's text
    // while the cell is being edited).
    virtual std::string cellText(int row, int col) const = 0;
    // Stores a text into a cell; the frequency columns keep the numeric
    // value of the text.
    virtual void setCellText(int row, int col, const std::string& text) = 0;
    // Stores a number into a frequency cell.
    virtual void setCellNumber(int row, int col, double value) = 0;

    virtual int checkValue(ChannelCheck box, int row) const = 0;
    virtual void setCheckValue(ChannelCheck box, int row, int value) = 0;

    virtual int currentRow() const = 0;
    virtual int currentColumn() const = 0;
    virtual void setCurrent(int row, int col) = 0;

    // The cell editor: whether a cell is being edited, its text replaced,
    // the edit ended storing (finish) or dropping (cancel) the editor's text.
    virtual bool isEditing() const = 0;
    virtual void setEditorText(const std::string& text) = 0;
    virtual void finishEdit() = 0;
    virtual void cancelEdit() = 0;

    // Cells set together are stored together.
    virtual void beginBulkEdit() {}
    virtual void endBulkEdit() {}
};

// The whole group screen: the grid and its check boxes, the group controls,
// and the few things the rules ask of the window.
class GroupScreen : public ChannelTable {
public:
    // The controls (group fields, grid cells, check boxes) into a view, and back.
    virtual void controlsToView(GroupView& view) = 0;
    virtual void viewToControls(const GroupView& view) = 0;
    virtual void beep() = 0;
    // A value refused for `why` ("162.4113: not on the 2.5 or 6.25 kHz
    // raster"): the beep, and the reason where the window shows one.
    virtual void refused(const std::string& why) {
        (void)why;
        beep();
    }
    // A typed, pasted or computed value was stored: a refusal shown for an
    // earlier value is out of date.
    virtual void accepted() {}
    // Shows the offset entry for `row` with `text` selected (the last offset).
    virtual void showOffsetEntry(int row, const std::string& text) = 0;
    virtual void hideOffsetEntry() = 0;
    // Shows the one-line help of a context (1: the offset entry).
    virtual void showHelp(int context) = 0;
};

}  // namespace orv
