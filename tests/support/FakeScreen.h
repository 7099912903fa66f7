// The group screen of the edit tests: the in-memory screen of the core, and
// a record of what the rules asked of the window (beeps, the offset entry,
// help, bulk edits, loads of the controls).
#pragma once
#include <string>
#include <vector>
#include "edit/MemoryScreen.h"

namespace orv::test {

class FakeScreen : public MemoryScreen {
public:
    void beginBulkEdit() override { ++bulkDepth; }
    void endBulkEdit() override { --bulkDepth; }
    void viewToControls(const GroupView& view) override {
        MemoryScreen::viewToControls(view);
        ++loads;
    }

    void beep() override { ++beeps; }
    void showOffsetEntry(int row, const std::string& text) override {
        offsetShown = true;
        offsetRow = row;
        offsetText = text;
    }
    void hideOffsetEntry() override { offsetShown = false; }
    void showHelp(int context) override { helpShown.push_back(context); }

    int beeps = 0;
    int loads = 0;
    int bulkDepth = 0;
    bool offsetShown = false;
    int offsetRow = -1;
    std::string offsetText;
    std::vector<int> helpShown;
};

}  // namespace orv::test
