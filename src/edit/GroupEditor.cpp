#include "edit/GroupEditor.h"

#include "edit/FrequencyCheck.h"
#include "edit/RowText.h"
#include "edit/clsMoves.h"
#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/NumText.h"
#include "image/Programming.h"
#include "image/clsGroup.h"

namespace orv {

namespace {

bool isFrequencyColumn(int col) { return col == colRecFreq || col == colTxFreq; }
bool isCodeGuardColumn(int col) { return col == colRecCG || col == colTxCG; }

// Keys that move or end an edit: they never count as typed text.
bool isEditingKey(EditKey k) {
    switch (k) {
    case EditKey::Up: case EditKey::Down: case EditKey::Left: case EditKey::Right: case EditKey::Tab:
    case EditKey::Backtab: case EditKey::Backspace: case EditKey::Return: case EditKey::Enter:
    case EditKey::Shift: case EditKey::Control: case EditKey::Alt: case EditKey::Meta: case EditKey::Escape:
        return true;
    default:
        return false;
    }
}

bool isEnter(EditKey k) { return k == EditKey::Return || k == EditKey::Enter; }

// A length in characters, as the clipboard's text is compared.
long textLength(const std::string& t) { return static_cast<long>(utf8Chars(t).size()); }

constexpr ChannelCheck kCheckOrder[3] = {ChannelCheck::Scan, ChannelCheck::Narrow, ChannelCheck::LowPower};

}  // namespace

// ---------------------------------------------------------------- the group on screen

bool GroupEditor::storeGroup(int g) {
    if (g < 0 || g >= kGroups) return true;
    screen_.finishEdit();
    GroupView view;
    screen_.controlsToView(view);
    // Written into a copy first: a value the image cannot hold leaves the
    // image exactly as it was.
    // Only the fields whose text changed are written: a field left alone
    // keeps its bytes, also those its text cannot hold (a label of bytes
    // that are no characters, the unused bits of a digital code guard).
    MemoryImage scratch = image_;
    try {
        GroupView before;
        clsGroup(static_cast<const MemoryImage&>(scratch), before).Read_Group(g);
        encodeChangedGroup(before, view, g, scratch);
    } catch (const FieldError&) {
        screen_.beep();
        return false;
    }
    image_ = scratch;
    return true;
}

bool GroupEditor::screenDiffers(int g) {
    if (g < 0 || g >= kGroups) return false;
    // Both sides go through the same encoding, so that bits the screen does
    // not show never count as a change.
    GroupView loaded;
    clsGroup(static_cast<const MemoryImage&>(image_), loaded).Read_Group(g);
    MemoryImage asLoaded = image_;
    try {
        clsGroup(asLoaded, loaded).Write_Group(g);
    } catch (const FieldError&) {
        return false;   // the stored group itself cannot be stored again: nothing to compare with
    }
    GroupView shown;
    screen_.controlsToView(shown);
    MemoryImage asShown = image_;
    try {
        clsGroup(asShown, shown).Write_Group(g);
    } catch (const FieldError&) {
        return true;
    }
    return !(asShown == asLoaded);
}

void GroupEditor::loadGroup(int g) {
    if (g < 0 || g >= kGroups) return;
    GroupView view;  // every field the screen shows is set by the decode
    clsGroup(static_cast<const MemoryImage&>(image_), view).Read_Group(g);
    screen_.viewToControls(view);
}

bool GroupEditor::chooseGroup(int index, bool loading) {
    if (!loading && currentGroup_ >= 0 && !storeGroup(currentGroup_)) return false;
    if (!loading) currentGroup_ = index;
    if (currentGroup_ >= 0 && !loading) loadGroup(currentGroup_);
    undoColumn_ = -1;   // the undo record belonged to the group that went
    if (offsetRow_ >= 0) {   // the offset entry belonged to a row of that group
        offsetRow_ = -1;
        screen_.hideOffsetEntry();
    }
    lastGoodGroupText_ = 0;
    return true;
}

// ---------------------------------------------------------------- the typed group number

void GroupEditor::groupKeyDown(const std::string& shownText) {
    if (lastGoodGroupText_ == 0) lastGoodGroupText_ = toInt16(numericValue(shownText));
}

std::optional<std::string> GroupEditor::groupKeyUp(const std::string& shownText) {
    const double v = numericValue(shownText);
    if (v >= 1 && v <= kGroups) return std::nullopt;
    screen_.beep();
    const std::string back = std::to_string(lastGoodGroupText_);
    lastGoodGroupText_ = 0;
    return back;
}

// ---------------------------------------------------------------- the grid

bool GroupEditor::beforeCellEdit(int col) {
    if (col == colChan) return false;  // the channel number cannot be edited
    editColumn_ = col;
    const std::string t = screen_.cellText(screen_.currentRow(), col);
    if (isNumeric(t)) editOldValue_ = numericValue(t);
    editOldText_ = t;
    return true;
}

void GroupEditor::keyDown(EditKey key) {
    // A modifier alone types nothing: the Control of Ctrl+Z after a click
    // must not replace the record that Undo is about to use.
    const bool modifier = key == EditKey::Shift || key == EditKey::Control || key == EditKey::Alt || key == EditKey::Meta;
    if (!undoArmed_ || modifier) return;
    undoColumn_ = screen_.currentColumn();
    undoRow_ = screen_.currentRow();
    undoText_ = screen_.cellText(undoRow_, undoColumn_);
    undoArmed_ = false;
}

void GroupEditor::copyReceiveToTransmit(int col, bool allRows) {
    const int row = screen_.currentRow();
    if (!allRows) {
        screen_.setCellText(row, col, screen_.cellText(row, col - 2));
        return;
    }
    screen_.beginBulkEdit();
    screen_.setCellText(row, col, screen_.cellText(row, col - 2));
    for (int r = 0; r < kChannels; ++r) {
        screen_.setCurrent(r, col);
        screen_.setCellText(r, col, screen_.cellText(r, col - 2));
    }
    screen_.endBulkEdit();
    screen_.setCurrent(0, 0);
}

void GroupEditor::keyUp(EditKey key) {
    const int c = editColumn_;
    const int row = screen_.currentRow();
    if (key == EditKey::Home) {
        screen_.finishEdit();
        screen_.setCurrent(row, colRecFreq);
        return;
    }
    const bool txColumn = c == colTxFreq || c == colTxCG;
    const bool inColumn = screen_.currentColumn() == c;
    if (txColumn && inColumn && (key == EditKey::C || key == EditKey::S)) {
        screen_.cancelEdit();
        copyReceiveToTransmit(c, key == EditKey::C);
        return;
    }
    if (c == colTxFreq && inColumn && key == EditKey::Space) {
        screen_.cancelEdit();
        screen_.setCellNumber(row, colTxFreq, editOldValue_);
        openOffsetEntry(row);
        return;
    }
    if (isFrequencyColumn(c) && inColumn && !isEditingKey(key) && !isNumeric(screen_.cellText(row, c))) {
        screen_.beep();
        if (screen_.isEditing())
            screen_.setEditorText(formatFreqCell(editOldValue_));
        else
            screen_.setCellNumber(row, c, editOldValue_);
    }
}

void GroupEditor::afterCellEdit(int row, int col, const std::string& text) {
    if (col == colChan) return;
    if (isFrequencyColumn(col)) {
        if (isNumeric(text)) {
            screen_.setCurrent(row, col);
            validateFrequency(numericValue(text), col);
        } else if (trimBlanks(text).empty()) {
            screen_.setCellNumber(row, col, 0.0);  // an emptied cell holds no frequency
            screen_.accepted();
        } else {
            refuse(text, "a frequency is a number in MHz");
            screen_.setCellNumber(row, col, editOldValue_);
        }
        return;
    }
    const FieldKind rule = isCodeGuardColumn(col) ? FieldKind::CodeGuard : FieldKind::Label;
    if (const Refusal why = fieldRefusal(rule, text, editOldText_)) {
        refuse(text, *why);  // the cell keeps its previous text
        return;
    }
    screen_.setCellText(row, col, text);
    screen_.accepted();
}

void GroupEditor::refuse(const std::string& value, const std::string& reason) {
    lastRefusal_ = value + ": " + reason;
    screen_.refused(lastRefusal_);
}

bool GroupEditor::validateFrequency(double value, int column) {
    const int row = screen_.currentRow();
    if (value == editOldValue_) {
        screen_.setCellNumber(row, column, value);  // what the cell held is kept
        screen_.accepted();
        return true;
    }
    const FrequencyCheck r = checkFrequency(value);
    switch (r.outcome) {
    case FrequencyCheck::Outcome::Store:
        screen_.setCellNumber(row, column, r.value);
        screen_.accepted();
        return true;
    case FrequencyCheck::Outcome::Unchanged:
        screen_.setCellNumber(row, column, value);
        screen_.accepted();
        return true;
    case FrequencyCheck::Outcome::Refuse:
        screen_.setCellNumber(row, column, editOldValue_);
        refuse(numberText(value), r.reason);
        return false;
    }
    return false;
}

// ---------------------------------------------------------------- undo

void GroupEditor::undo() {
    if (undoColumn_ < 0) return;
    screen_.finishEdit();
    screen_.setCurrent(undoRow_, screen_.currentColumn());
    // The recorded text as it was: a digital code guard such as "D023" comes
    // back as itself, not as a number.
    if (undoColumn_ >= 1 && undoColumn_ <= 5) screen_.setCellText(undoRow_, undoColumn_, undoText_);
}

// ---------------------------------------------------------------- copy and paste

std::string GroupEditor::rowText(int row) const {
    std::array<std::string, 6> cells;
    for (int c = 0; c < 6; ++c) cells[static_cast<std::size_t>(c)] = screen_.cellText(row, c);
    return makeRowText(cells, screen_.checkValue(ChannelCheck::Scan, row),
                       screen_.checkValue(ChannelCheck::Narrow, row), screen_.checkValue(ChannelCheck::LowPower, row));
}

std::string GroupEditor::allRowsText() const {
    std::string t;
    for (int r = 0; r < kChannels; ++r) t += rowText(r);
    return t;
}

std::string GroupEditor::copyRow() {
    pasteRowMode_ = true;
    pasteAllMode_ = false;
    copiedText_ = rowText(screen_.currentRow());
    copiedLength_ = textLength(copiedText_);
    return copiedText_;
}

std::string GroupEditor::copyAll(bool setsMode) {
    copiedText_ = allRowsText();
    copiedLength_ = textLength(copiedText_);
    if (setsMode) {
        pasteAllMode_ = true;
        pasteRowMode_ = false;
    }
    return copiedText_;
}

bool GroupEditor::pasteOffered(const std::string& clipboard) const {
    return copiedLength_ >= 0 && textLength(clipboard) == copiedLength_;
}

bool GroupEditor::holdsOwnCopy(const std::string& clipboard) const {
    return copiedLength_ >= 0 && clipboard == copiedText_;
}

void GroupEditor::resetCopyState() {
    pasteRowMode_ = false;
    pasteAllMode_ = false;
    copiedLength_ = -1;
    copiedText_.clear();
    lastOffsetText_.clear();
}

PasteResult GroupEditor::paste(const std::string& clipboard) {
    // Compared by length only, as the copy recorded it: any other text of
    // the same length is split as rows.
    if (textLength(clipboard) != copiedLength_) return PasteResult::NothingSelected;
    if (!pasteRowMode_ && !pasteAllMode_) return PasteResult::NoMode;
    screen_.finishEdit();
    screen_.beginBulkEdit();
    if (pasteRowMode_) {
        pasteRow(screen_.currentRow(), clipboard);
    } else {
        const std::vector<std::string> rows = splitRows(clipboard, kChannels);
        for (int r = 0; r < kChannels; ++r) {
            screen_.setCurrent(r, screen_.currentColumn());
            pasteRow(r, rows[static_cast<std::size_t>(r)]);
        }
        screen_.setCurrent(0, 0);
    }
    screen_.endBulkEdit();
    return PasteResult::Pasted;
}

void GroupEditor::pasteRow(int row, const std::string& text) {
    const auto f = splitRowText(text);
    // Every pasted cell goes through the checks of a typed one; a refused
    // cell keeps its value (with a beep) and the others are still pasted.
    for (int col = 1; col <= 4; ++col) {
        const std::string& field = f[static_cast<std::size_t>(col)];
        const bool asText = !field.empty() && static_cast<unsigned char>(field[0]) >= 'D';
        const std::string current = screen_.cellText(row, col);
        if (isFrequencyColumn(col)) {
            const double value = numericValue(field);
            if (!asText && isNumeric(current) && value == numericValue(current)) continue;  // kept as it is
            const FrequencyCheck r = asText ? FrequencyCheck{FrequencyCheck::Outcome::Refuse, 0,
                                                             "a frequency is a number in MHz"}
                                            : checkFrequency(value);
            if (r.outcome == FrequencyCheck::Outcome::Refuse)
                refuse(field, r.reason);
            else
                screen_.setCellNumber(row, col, r.outcome == FrequencyCheck::Outcome::Store ? r.value : 0.0);
        } else {
            const std::string value = asText ? field : numberText(numericValue(field));
            if (const Refusal why = fieldRefusal(FieldKind::CodeGuard, value, current))
                refuse(field, *why);
            else
                screen_.setCellText(row, col, value);
        }
    }
    const std::string& label = f[5];
    if (const Refusal why = fieldRefusal(FieldKind::Label, label, screen_.cellText(row, colChLabel)))
        refuse(label, *why);
    else
        screen_.setCellText(row, colChLabel, label);
    for (int i = 0; i < 3; ++i) {
        const double v = roundHalfEven(numericValue(f[static_cast<std::size_t>(6 + i)]));
        if (v >= 0 && v <= 2)
            screen_.setCheckValue(kCheckOrder[i], row, static_cast<int>(v));
        else
            refuse(f[static_cast<std::size_t>(6 + i)], "a check box is 0, 1 or 2");
    }
}

// ---------------------------------------------------------------- the offset entry

void GroupEditor::openOffsetEntry(int row) {
    offsetRow_ = row;
    screen_.showOffsetEntry(row, lastOffsetText_);
}

void GroupEditor::closeOffsetEntry() {
    offsetRow_ = -1;
    screen_.hideOffsetEntry();
}

std::string GroupEditor::offsetKeyUp(EditKey key, const std::string& text) {
    std::string t = text;
    const bool partial = t == "-" || t == "." || t == "-.";
    // Keys that type nothing (F1 asks for help, the others move or modify)
    // are never refused as input and leave the remembered offset whole.
    const bool typesNothing = isEnter(key) || key == EditKey::Left || key == EditKey::Right ||
                              key == EditKey::Up || key == EditKey::Down || key == EditKey::Home ||
                              key == EditKey::F1 || key == EditKey::Shift || key == EditKey::Control ||
                              key == EditKey::Alt || key == EditKey::Meta || key == EditKey::Tab ||
                              key == EditKey::Backtab || key == EditKey::Escape || key == EditKey::NoText;
    if (!typesNothing && !partial && !isNumeric(t)) {
        refuse(t, "an offset is a number in MHz");
        if (offsetRow_ >= 0) screen_.setCellNumber(offsetRow_, editColumn_, editOldValue_);
        return "";
    }
    // Escape, and Enter on an empty box, close the entry and change nothing:
    // the Transmit frequency keeps the value it had before the Space.
    if (key == EditKey::Escape || (isEnter(key) && trimBlanks(t).empty())) {
        closeOffsetEntry();
        return t;
    }
    if (isEnter(key)) {
        const int row = offsetRow_ >= 0 ? offsetRow_ : screen_.currentRow();
        const double value = numericValue(screen_.cellText(row, editColumn_ - 2)) + numericValue(t);
        screen_.setCurrent(row, editColumn_);
        screen_.setCellText(row, editColumn_, numberText(value));
        validateFrequency(value, editColumn_);
        lastOffsetText_ = t;
        lastOffsetKey_ = key;
        closeOffsetEntry();
        return t;
    }
    if (key == EditKey::F1) screen_.showHelp(1);
    if (typesNothing) return t;
    if (isEnter(lastOffsetKey_) && !t.empty()) {
        const auto chars = utf8Chars(t);
        t = chars.back();  // a new entry starts from the key just typed
    }
    lastOffsetKey_ = key;
    return t;
}

// ---------------------------------------------------------------- group moves

MoveResult GroupEditor::moveBanks(const std::string& fromText, const std::string& toText, int shown) {
    const int from = toInt16(numericValue(fromText));
    const int to = toInt16(numericValue(toText));
    // A position past the last group has no bank: refused before anything
    // is stored or moved.
    if (from > kGroups || to > kGroups) {
        screen_.beep();
        return MoveResult::BadPosition;
    }
    // The group on screen goes into the image first, so that an edit typed
    // since the last store moves with its bank instead of being lost.
    if (!storeGroup(shown)) return MoveResult::NotStored;  // storeGroup has beeped
    const bool moves = from > 0 && to > 0 && from != to;
    if (moves) clsMoves(image_).moveGroups(from, to);
    loadGroup(shown);
    return moves ? MoveResult::Moved : MoveResult::NothingMoved;
}

}  // namespace orv
