// The group screen the clipboard target pastes into: the grid as 16 x 6 cell
// texts (frequency cells show their number as "000.00000", as the real grid
// does), the three check box arrays, the group controls as a view and a cell
// editor that is open or not. What the rules ask of the window (beeps, the
// offset entry, help) is ignored.
#pragma once
#include <array>
#include <optional>
#include <string>
#include "edit/ChannelTable.h"
#include "image/NumText.h"

namespace orv::fuzzing {

class MemoryScreen : public GroupScreen {
public:
    MemoryScreen() {
        for (int r = 0; r < kChannels; ++r) {
            cells_[size_t(r)][colChan] = std::to_string(r + 1);
            for (int c = 1; c < kGridColumns; ++c) setCellText(r, c, c == colChLabel ? "" : "0");
        }
    }

    std::string cellText(int row, int col) const override {
        if (editor_ && row == row_ && col == col_) return *editor_;
        return cells_.at(size_t(row)).at(size_t(col));
    }
    void setCellText(int row, int col, const std::string& text) override {
        cells_.at(size_t(row)).at(size_t(col)) = isFrequency(col) ? formatFreqCell(numericValue(text)) : text;
    }
    void setCellNumber(int row, int col, double value) override {
        cells_.at(size_t(row)).at(size_t(col)) = isFrequency(col) ? formatFreqCell(value) : numberText(value);
    }
    int checkValue(ChannelCheck box, int row) const override {
        return const_cast<MemoryScreen*>(this)->checks(box).at(size_t(row));
    }
    void setCheckValue(ChannelCheck box, int row, int value) override { checks(box).at(size_t(row)) = value; }
    int currentRow() const override { return row_; }
    int currentColumn() const override { return col_; }
    void setCurrent(int row, int col) override {
        row_ = row;
        col_ = col;
    }

    bool isEditing() const override { return editor_.has_value(); }
    void setEditorText(const std::string& text) override { editor_ = text; }
    void finishEdit() override {
        if (editor_) setCellText(row_, col_, *editor_);
        editor_.reset();
    }
    void cancelEdit() override { editor_.reset(); }

    void controlsToView(GroupView& view) override {
        view = controls_;
        for (int r = 0; r < kChannels; ++r) {
            view.channels.cells[size_t(r)] = cells_[size_t(r)];
            view.channels.chkScan[size_t(r)] = scan_[size_t(r)];
            view.channels.chkNarr[size_t(r)] = narrow_[size_t(r)];
            view.channels.chkLoPower[size_t(r)] = lowPower_[size_t(r)];
        }
    }
    void viewToControls(const GroupView& view) override {
        controls_ = view;
        for (int r = 0; r < kChannels; ++r) {
            for (int c = 1; c < kGridColumns; ++c) setCellText(r, c, view.channels.cells[size_t(r)][size_t(c)]);
            scan_[size_t(r)] = view.channels.chkScan[size_t(r)];
            narrow_[size_t(r)] = view.channels.chkNarr[size_t(r)];
            lowPower_[size_t(r)] = view.channels.chkLoPower[size_t(r)];
        }
    }

    void beep() override {}
    void showOffsetEntry(int, const std::string&) override {}
    void hideOffsetEntry() override {}
    void showHelp(int) override {}

private:
    static bool isFrequency(int col) { return col == colRecFreq || col == colTxFreq; }
    std::array<int, kChannels>& checks(ChannelCheck b) {
        return b == ChannelCheck::Scan ? scan_ : b == ChannelCheck::Narrow ? narrow_ : lowPower_;
    }
    std::array<std::array<std::string, kGridColumns>, kChannels> cells_{};
    std::array<int, kChannels> scan_{}, narrow_{}, lowPower_{};
    std::optional<std::string> editor_;
    GroupView controls_;
    int row_ = 0;
    int col_ = 0;
};

}  // namespace orv::fuzzing
