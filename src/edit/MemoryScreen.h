// A group screen without a window: the grid as 16 x 6 cell texts (frequency
// cells show their number as "000.00000", as the real grid does), the three
// check box arrays, the group controls as a view and a cell editor that is
// open or not. The group editor's rules run on it where no window is (the
// fuzz targets, the tests); what they ask of a window (beeps, the offset
// entry, help) does nothing here.
#pragma once
#include <array>
#include <optional>
#include <string>
#include "edit/ChannelTable.h"
#include "image/NumText.h"

namespace orv {

class MemoryScreen : public GroupScreen {
public:
    MemoryScreen() {
        for (int r = 0; r < kChannels; ++r) {
            cells[size_t(r)][colChan] = std::to_string(r + 1);
            for (int c = 1; c < kGridColumns; ++c) setCellText(r, c, c == colChLabel ? "" : "0");
        }
    }

    // ---- the grid
    std::string cellText(int row, int col) const override {
        if (editor && row == row_ && col == col_) return *editor;
        return cells.at(size_t(row)).at(size_t(col));
    }
    void setCellText(int row, int col, const std::string& text) override {
        cells.at(size_t(row)).at(size_t(col)) = isFrequency(col) ? formatFreqCell(numericValue(text)) : text;
    }
    void setCellNumber(int row, int col, double value) override {
        cells.at(size_t(row)).at(size_t(col)) = isFrequency(col) ? formatFreqCell(value) : numberText(value);
    }
    int checkValue(ChannelCheck box, int row) const override { return checks(box).at(size_t(row)); }
    void setCheckValue(ChannelCheck box, int row, int value) override { checks(box).at(size_t(row)) = value; }
    int currentRow() const override { return row_; }
    int currentColumn() const override { return col_; }
    void setCurrent(int row, int col) override {
        row_ = row;
        col_ = col;
    }

    // ---- the cell editor: `editor` holds the text typed into the current cell
    bool isEditing() const override { return editor.has_value(); }
    void setEditorText(const std::string& text) override { editor = text; }
    void finishEdit() override {
        if (editor) setCellText(row_, col_, *editor);
        editor.reset();
    }
    void cancelEdit() override { editor.reset(); }

    // ---- the group controls
    void controlsToView(GroupView& view) override {
        view = controls;
        for (int r = 0; r < kChannels; ++r) {
            view.channels.cells[size_t(r)] = cells[size_t(r)];
            view.channels.chkScan[size_t(r)] = chkScan[size_t(r)];
            view.channels.chkNarr[size_t(r)] = chkNarr[size_t(r)];
            view.channels.chkLoPower[size_t(r)] = chkLoPower[size_t(r)];
        }
    }
    void viewToControls(const GroupView& view) override {
        controls = view;
        for (int r = 0; r < kChannels; ++r) {
            for (int c = 1; c < kGridColumns; ++c) setCellText(r, c, view.channels.cells[size_t(r)][size_t(c)]);
            chkScan[size_t(r)] = view.channels.chkScan[size_t(r)];
            chkNarr[size_t(r)] = view.channels.chkNarr[size_t(r)];
            chkLoPower[size_t(r)] = view.channels.chkLoPower[size_t(r)];
        }
    }

    // ---- what the rules ask of a window
    void beep() override {}
    void showOffsetEntry(int, const std::string&) override {}
    void hideOffsetEntry() override {}
    void showHelp(int) override {}

    std::array<std::array<std::string, kGridColumns>, kChannels> cells{};
    std::array<int, kChannels> chkScan{}, chkNarr{}, chkLoPower{};
    std::optional<std::string> editor;
    GroupView controls;

private:
    static bool isFrequency(int col) { return col == colRecFreq || col == colTxFreq; }
    std::array<int, kChannels>& checks(ChannelCheck b) {
        return b == ChannelCheck::Scan ? chkScan : b == ChannelCheck::Narrow ? chkNarr : chkLoPower;
    }
    const std::array<int, kChannels>& checks(ChannelCheck b) const {
        return b == ChannelCheck::Scan ? chkScan : b == ChannelCheck::Narrow ? chkNarr : chkLoPower;
    }
    int row_ = 0;
    int col_ = 0;
};

}  // namespace orv
