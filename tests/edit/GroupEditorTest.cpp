// The group editor's own rules without a window: storing the screen into the
// image (all fields or none), the group switch, the typed group number, the
// grid's key rules and the checks when a cell edit ends.
#include <gtest/gtest.h>

#include <string>
#include "FakeScreen.h"
#include "image/WriteDefaults.h"
#include "edit/GroupEditor.h"
#include "image/clsGroup.h"

using namespace orv;
using orv::test::FakeScreen;

namespace {

struct Bench {
    MemoryImage image = defaultImage();
    FakeScreen screen;
    GroupEditor editor{image, screen};
    Bench() { editor.loadGroup(0); }

    GroupView imageGroup(int g) const {
        GroupView v;
        clsGroup(image, v).Read_Group(g);
        return v;
    }
    // A cell edit as the grid reports it: begin, the keys, the end.
    void typeInto(int row, int col, const std::string& text) {
        screen.setCurrent(row, col);
        ASSERT_TRUE(editor.beforeCellEdit(col));
        screen.editor = text;
        editor.keyUp(text.empty() ? EditKey::Backspace : EditKey::Other);  // the last key typed
        const std::string shown = *screen.editor;
        screen.editor.reset();
        editor.afterCellEdit(row, col, shown);
    }
};

TEST(GroupEditor, StoringIsAllOrNothing) {
    struct Case { const char* name; int col; const char* text; bool stored; };
    const Case cases[] = {
        {"a frequency", colRecFreq, "155.125", true},     {"a digital code", colTxCG, "D754-", true},
        {"a label", colChLabel, "BASE", true},             {"a tone of four digits", colRecCG, "1234.5", false},
        {"a frequency below the band", colTxFreq, "99", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        b.screen.controls.txtGrpLab = "CHANGED";
        b.screen.cells[3][size_t(c.col)] = c.text;
        const MemoryImage before = b.image;
        EXPECT_EQ(b.editor.storeGroup(0), c.stored);
        EXPECT_EQ(b.screen.beeps, c.stored ? 0 : 1);
        if (c.stored) {
            EXPECT_EQ(b.imageGroup(0).txtGrpLab, " CHANGED");
        } else {
            EXPECT_TRUE(b.image == before) << "a refused store changes no byte";
        }
    }
}

TEST(GroupEditor, ChoosingAGroupStoresTheShownOneFirst) {
    Bench b;
    b.screen.cells[0][colRecFreq] = "151.625";
    ASSERT_TRUE(b.editor.chooseGroup(4, false));
    EXPECT_EQ(b.editor.currentGroup(), 4);
    EXPECT_EQ(b.imageGroup(0).channels.cells[0][colRecFreq], "151.62500");
    EXPECT_EQ(b.screen.controls.txtGrpLab, "  GROUP5");

    // A value the image cannot hold keeps the screen on its group.
    b.screen.cells[2][colTxCG] = "abx";
    const MemoryImage before = b.image;
    EXPECT_FALSE(b.editor.chooseGroup(7, false));
    EXPECT_EQ(b.editor.currentGroup(), 4);
    EXPECT_TRUE(b.image == before);

    // While the window loads, a choice moves nothing.
    Bench loading;
    const int loads = loading.screen.loads;
    EXPECT_TRUE(loading.editor.chooseGroup(9, true));
    EXPECT_EQ(loading.editor.currentGroup(), 0);
    EXPECT_EQ(loading.screen.loads, loads);
}

TEST(GroupEditor, TypedGroupNumbersOutsideOneToFifteenGoBack) {
    struct Case { const char* before; const char* after; const char* back; };
    const Case cases[] = {{"3", "16", "3"}, {"3", "0", "3"}, {"12", "", "12"}, {"3", "15", nullptr},
                          {"3", "1x", nullptr}, {"7", "abc", "7"}};
    for (const Case& c : cases) {
        Bench b;
        b.editor.groupKeyDown(c.before);
        const auto back = b.editor.groupKeyUp(c.after);
        EXPECT_EQ(back.has_value(), c.back != nullptr) << c.after;
        if (c.back) {
            EXPECT_EQ(*back, c.back) << c.after;
        }
        EXPECT_EQ(b.screen.beeps, c.back ? 1 : 0) << c.after;
    }
}

TEST(GroupEditor, KeysInTheTransmitColumns) {
    struct Case { const char* name; int col; EditKey key; int row; bool allRows; };
    const Case cases[] = {
        {"C in Tx Freq", colTxFreq, EditKey::C, 6, true},  {"S in Tx Freq", colTxFreq, EditKey::S, 6, false},
        {"C in Tx CG", colTxCG, EditKey::C, 2, true},      {"S in Tx CG", colTxCG, EditKey::S, 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        for (int r = 0; r < kChannels; ++r) b.screen.setCellText(r, c.col - 2, c.col == colTxCG ? "D023" : "151.625");
        b.screen.setCurrent(c.row, c.col);
        ASSERT_TRUE(b.editor.beforeCellEdit(c.col));
        b.screen.editor = "x";
        b.editor.keyUp(c.key);
        EXPECT_FALSE(b.screen.isEditing()) << "the edit was dropped";
        for (int r = 0; r < kChannels; ++r) {
            const bool copied = c.allRows || r == c.row;
            EXPECT_EQ(b.screen.cells[size_t(r)][size_t(c.col)] == b.screen.cells[size_t(r)][size_t(c.col - 2)], copied)
                << "row " << r;
        }
        if (c.allRows) {
            EXPECT_EQ(b.screen.currentRow(), 0);
            EXPECT_EQ(b.screen.currentColumn(), 0);
            EXPECT_EQ(b.screen.bulkDepth, 0);
        }
    }
}

TEST(GroupEditor, KeysThatCannotBePartOfAFrequencyAreRefused) {
    struct Case { const char* shown; EditKey key; bool refused; };
    const Case cases[] = {
        {"16x", EditKey::Other, true}, {"16", EditKey::Other, false},     {"16x", EditKey::Left, false},
        {"16x", EditKey::Backspace, false}, {"16x", EditKey::Return, false}, {"16x", EditKey::Shift, false},
        {"1e400", EditKey::Other, false},   // still a number, if not a finite one: checked at the end
    };
    for (const Case& c : cases) {
        Bench b;
        b.screen.setCurrent(1, colRecFreq);
        ASSERT_TRUE(b.editor.beforeCellEdit(colRecFreq));
        b.screen.editor = c.shown;
        b.editor.keyUp(c.key);
        EXPECT_EQ(b.screen.beeps, c.refused ? 1 : 0) << c.shown;
        EXPECT_EQ(*b.screen.editor, c.refused ? "162.45000" : c.shown) << c.shown;
    }
}

TEST(GroupEditor, HomeGoesToRecFreqAndChanCannotBeEdited) {
    Bench b;
    EXPECT_FALSE(b.editor.beforeCellEdit(colChan));
    b.screen.setCurrent(5, colTxCG);
    ASSERT_TRUE(b.editor.beforeCellEdit(colTxCG));
    b.screen.editor = "D023";
    b.editor.keyUp(EditKey::Home);
    EXPECT_EQ(b.screen.currentRow(), 5);
    EXPECT_EQ(b.screen.currentColumn(), colRecFreq);
    EXPECT_EQ(b.screen.cells[5][colTxCG], "D023") << "the edit was kept";
}

TEST(GroupEditor, TheEndOfACellEditChecksTheText) {
    struct Case { int col; const char* typed; const char* shown; int beeps; };
    const Case cases[] = {
        {colRecFreq, "16240", "162.40000", 0}, {colRecFreq, "1.4", "162.45000", 1},
        {colRecFreq, "", "000.00000", 0},      {colRecFreq, "abc", "162.45000", 1},
        {colRecFreq, "1e400", "162.45000", 1}, {colTxFreq, "174", "174.00000", 0},
        {colRecCG, "67.25", "000.0", 1},       {colRecCG, "-67.0", "000.0", 1},
        {colTxCG, "d023-", "d023-", 0},        {colChLabel, "LABEL", "LABEL", 0},
    };
    for (const Case& c : cases) {
        Bench b;
        b.screen.setCellText(1, colRecFreq, "162.45");
        b.screen.setCellText(1, colTxFreq, "162.45");
        b.screen.setCellText(1, colRecCG, "000.0");
        b.screen.setCellText(1, colTxCG, "000.0");
        b.typeInto(1, c.col, c.typed);
        EXPECT_EQ(b.screen.cells[1][size_t(c.col)], c.shown) << c.typed;
        EXPECT_EQ(b.screen.beeps, c.beeps) << c.typed;
    }
}

}  // namespace
