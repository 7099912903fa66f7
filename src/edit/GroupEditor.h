// The rules of the group editor, without a window: storing the group on
// screen into the image (all or nothing) and loading one, the group switch,
// the typed group number, the grid's key rules and the checks after a cell
// edit, the undo record, copying and pasting rows, and the offset entry. The
// window feeds its events in and shows what the rules leave in the
// GroupScreen.
#pragma once
#include <optional>
#include <string>
#include "edit/ChannelTable.h"
#include "image/MemoryImage.h"

namespace orv {

// The keys the rules tell apart; the window maps its key codes onto these.
enum class EditKey {
    Other, Home, Up, Down, Left, Right, Tab, Backtab, Backspace, Return, Enter, Escape, Space,
    Shift, Control, Alt, Meta, C, S, F1
};

// What a paste found on the clipboard.
enum class PasteResult { Pasted, NothingSelected, NoMode };

class GroupEditor {
public:
    GroupEditor(MemoryImage& image, GroupScreen& screen) : image_(image), screen_(screen) {}

    // ---- the group on screen ----------------------------------------------
    // The index 0..14 of the group on screen.
    int currentGroup() const { return currentGroup_; }
    void setCurrentGroup(int g) { currentGroup_ = g; }
    // Stores the screen into group g of the image: all fields or none. A
    // value the image cannot hold beeps and leaves the image as it was.
    [[nodiscard]] bool storeGroup(int g);
    // Loads group g of the image onto the screen.
    void loadGroup(int g);
    // A group chosen in the list: the group on screen is stored first (while
    // `loading` nothing moves), then `index` is loaded. False when the group
    // on screen could not be stored: the screen stays on it (the window puts
    // its list back to currentGroup()).
    [[nodiscard]] bool chooseGroup(int index, bool loading);

    // ---- the typed group number ---------------------------------------------
    // A key going down / coming up in the group number's text field. keyUp
    // returns the text to put back when the number is outside 1..15.
    void groupKeyDown(const std::string& shownText);
    std::optional<std::string> groupKeyUp(const std::string& shownText);

    // ---- the grid ----------------------------------------------------------------
    // A cell is about to be edited; false cancels the edit ("Chan").
    bool beforeCellEdit(int col);
    // A click in the grid: the next key takes the undo record.
    void click() { undoArmed_ = true; }
    void keyDown(EditKey key);
    void keyUp(EditKey key);
    // The edit of a cell ended with `text`: checked and stored, or refused.
    void afterCellEdit(int row, int col, const std::string& text);
    // The frequency check of a typed or computed value for the current row.
    bool validateFrequency(double value, int column);
    int editColumn() const { return editColumn_; }
    double editOldValue() const { return editOldValue_; }

    // ---- undo ---------------------------------------------------------------------
    // Puts the recorded cell back as it was; nothing when there is no record.
    void undo();
    bool canUndo() const { return undoColumn_ >= 1 && undoColumn_ <= 5; }

    // ---- copy and paste -----------------------------------------------------------
    // The clipboard text of one row / of all 16 rows.
    std::string rowText(int row) const;
    std::string allRowsText() const;
    // "Copy a row" / "Copy All" (menu or not): the text to put on the
    // clipboard; copiedLength() is its length afterwards.
    std::string copyRow();
    std::string copyAll(bool setsMode = true);
    long copiedLength() const { return copiedLength_; }
    // Paste of `clipboard` according to the mode of the last copy.
    PasteResult paste(const std::string& clipboard);
    // What an activation of the window resets: modes, copied length, last offset.
    void resetCopyState();
    bool pasteRowMode() const { return pasteRowMode_; }
    bool pasteAllMode() const { return pasteAllMode_; }

    // ---- the offset entry ---------------------------------------------------------
    // A key released in the offset text box, whose text is now `text`.
    // Returns the text the box must show afterwards.
    std::string offsetKeyUp(EditKey key, const std::string& text);
    bool offsetOpen() const { return offsetRow_ >= 0; }
    const std::string& lastOffsetText() const { return lastOffsetText_; }

private:
    void copyReceiveToTransmit(int col, bool allRows);
    void pasteRow(int row, const std::string& text);
    void openOffsetEntry(int row);

    MemoryImage& image_;
    GroupScreen& screen_;
    int currentGroup_ = 0;
    int lastGoodGroupText_ = 0;
    int editColumn_ = 0;
    double editOldValue_ = 0;
    // Undo record.
    bool undoArmed_ = false;
    int undoColumn_ = -1;
    int undoRow_ = 0;
    std::string undoText_;
    // Copy-and-paste state.
    bool pasteRowMode_ = false;
    bool pasteAllMode_ = false;
    long copiedLength_ = -1;
    // Offset entry.
    int offsetRow_ = -1;
    EditKey lastOffsetKey_ = EditKey::Other;
    std::string lastOffsetText_;
};

}  // namespace orv
