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
    Shift, Control, Alt, Meta, C, S, F1,
    NoText   // any other key that types no character (End, Page Up, F2, ...)
};

// What a paste found on the clipboard.
enum class PasteResult { Pasted, NothingSelected, NoMode };

// What a group move did.
enum class MoveResult {
    Moved,        // the banks moved; the group on screen was stored and shown again
    NothingMoved, // equal positions or a position that is no number: the group was stored and shown again
    BadPosition,  // a position above 15: refused with a beep, nothing stored or moved
    NotStored     // the group on screen could not be stored: beep, nothing moved, the screen kept
};

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
    // Whether storing the screen into group g would change the image (a value
    // the image cannot hold counts as a change). An open cell edit is not
    // ended.
    bool screenDiffers(int g);
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
    // A character typed while "Chan" is the current cell: refused (the
    // channel number is the row's place, not a value).
    void typedInChannelNumber(const std::string& text) { refuse(text, "the channel number cannot be changed"); }
    // A click in the grid: the next key takes the undo record.
    void click() { undoArmed_ = true; }
    void keyDown(EditKey key);
    void keyUp(EditKey key);
    // The edit of a cell ended with `text`: checked and stored, or refused.
    void afterCellEdit(int row, int col, const std::string& text);
    // The frequency check of a typed or computed value for the current row.
    // The value the cell held when its edit began is kept without a check.
    bool validateFrequency(double value, int column);
    // Why the last refused value (typed, pasted or computed) was refused:
    // "162.4113: not on the 2.5 or 6.25 kHz raster"; empty before the first.
    const std::string& lastRefusal() const { return lastRefusal_; }

    // ---- undo ---------------------------------------------------------------------
    // Puts the recorded cell back as it was (its text, also for a code
    // guard); nothing when there is no record. A cell being edited is ended
    // first.
    void undo();
    // Forgets the undo record: the screen now shows other programming (a
    // file, the radio, a loaded screen), which an old value must never enter.
    void clearUndo() { undoColumn_ = -1; }

    // ---- copy and paste -----------------------------------------------------------
    // The clipboard text of one row / of all 16 rows.
    std::string rowText(int row) const;
    std::string allRowsText() const;
    // "Copy a row" / "Copy All" (menu or not): the text to put on the
    // clipboard; copiedLength() is its length in characters afterwards. The
    // copy of all rows without `setsMode` (the grid's double-click) leaves the
    // paste modes as the last menu copy set them.
    std::string copyRow();
    std::string copyAll(bool setsMode = true);
    long copiedLength() const { return copiedLength_; }
    // Whether Paste is offered for this clipboard text: its length equals
    // the length of the last copy.
    bool pasteOffered(const std::string& clipboard) const;
    // Whether the clipboard still holds exactly the text the last copy put
    // there (so that emptying it destroys nothing of another program's).
    bool holdsOwnCopy(const std::string& clipboard) const;
    // Paste of `clipboard` according to the mode of the last copy. Every
    // pasted cell goes through the checks of a typed one.
    PasteResult paste(const std::string& clipboard);
    // What an activation of the window resets: modes, copied length and
    // text, last offset.
    void resetCopyState();
    bool pasteRowMode() const { return pasteRowMode_; }
    bool pasteAllMode() const { return pasteAllMode_; }

    // ---- the offset entry ---------------------------------------------------------
    // A key released in the offset text box, whose text is now `text`.
    // Returns the text the box must show afterwards. Enter adds the offset
    // to the Receive frequency; Escape, or Enter on an empty box, closes the
    // entry and changes nothing.
    std::string offsetKeyUp(EditKey key, const std::string& text);
    const std::string& lastOffsetText() const { return lastOffsetText_; }

    // ---- group moves ----------------------------------------------------------
    // The Move dialog's OK with the texts of its two positions, while group
    // `shown` (0..14) is on screen: the group on screen is stored first, the
    // bank at `from` moves to `to` (positions 1..15) and the group on screen
    // is loaded again from the image.
    MoveResult moveBanks(const std::string& fromText, const std::string& toText, int shown);

private:
    void copyReceiveToTransmit(int col, bool allRows);
    void pasteRow(int row, const std::string& text);
    void openOffsetEntry(int row);
    void closeOffsetEntry();
    void refuse(const std::string& value, const std::string& reason);

    MemoryImage& image_;
    GroupScreen& screen_;
    int currentGroup_ = 0;
    int lastGoodGroupText_ = 0;
    int editColumn_ = 0;
    double editOldValue_ = 0;
    std::string editOldText_;  // the cell's text when its edit began
    std::string lastRefusal_;
    // Undo record.
    bool undoArmed_ = false;
    int undoColumn_ = -1;
    int undoRow_ = 0;
    std::string undoText_;
    // Copy-and-paste state.
    bool pasteRowMode_ = false;
    bool pasteAllMode_ = false;
    long copiedLength_ = -1;
    std::string copiedText_;
    // Offset entry.
    int offsetRow_ = -1;
    EditKey lastOffsetKey_ = EditKey::Other;
    std::string lastOffsetText_;
};

}  // namespace orv
