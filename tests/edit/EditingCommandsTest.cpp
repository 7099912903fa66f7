// The editing commands' rules without a window: the undo record, the row
// text and the copy modes, pasting (every pasted cell checked like a typed
// one), the clipboard ownership, and the offset entry.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include "FakeScreen.h"
#include "image/WriteDefaults.h"
#include "edit/GroupEditor.h"
#include "edit/RowText.h"

using namespace orv;
using orv::test::FakeScreen;

namespace {

// An editor on the start-up image with group 1 on its screen.
struct Bench {
    MemoryImage image = defaultImage();
    FakeScreen screen;
    GroupEditor editor{image, screen};
    Bench() { editor.loadGroup(0); }

    // A click on a cell and the first key typed there.
    void clickAndKey(int row, int col) {
        screen.setCurrent(row, col);
        editor.click();
        editor.keyDown(EditKey::Other);
    }
    // Puts raw cell texts and check values into a row, as the grid could show them.
    void putRow(int row, const std::array<std::string, 9>& f) {
        for (int c = 1; c <= 5; ++c) screen.cells[size_t(row)][size_t(c)] = f[size_t(c)];
        screen.chkScan[size_t(row)] = std::stoi(f[6]);
        screen.chkNarr[size_t(row)] = std::stoi(f[7]);
        screen.chkLoPower[size_t(row)] = std::stoi(f[8]);
    }
};

// ---------------------------------------------------------------- undo

TEST(Undo, PutsTheRecordedTextBackInEveryEditableColumn) {
    struct Case { const char* name; int col; const char* recorded; const char* typed; };
    const Case cases[] = {
        {"receive frequency", colRecFreq, "151.62500", "155.125"},
        {"transmit frequency", colTxFreq, "000.00000", "150"},
        {"digital code guard stays a code, not 0", colRecCG, "D023", "067.0"},
        {"inverted digital code", colTxCG, "D754-", "0"},
        {"tone", colTxCG, "067.0", "D023"},
        {"channel label", colChLabel, "  BASE 1", "OTHER"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        b.screen.cells[6][size_t(c.col)] = c.recorded;
        b.clickAndKey(6, c.col);
        b.screen.setCellText(6, c.col, c.typed);
        b.screen.setCurrent(0, 0);
        b.editor.undo();
        EXPECT_EQ(b.screen.cells[6][size_t(c.col)], c.recorded);
        EXPECT_EQ(b.screen.currentRow(), 6);
    }
}

TEST(Undo, TheRecordIsTakenOnTheFirstKeyAfterAClickAndDroppedByAGroupSwitch) {
    struct Case {
        const char* name;
        std::function<void(Bench&)> run;  // records (or not) and changes the label of row 2
        const char* expected;             // the label after Undo
    };
    const Case cases[] = {
        {"a key without a click records nothing",
         [](Bench& b) {
             b.screen.setCurrent(2, colChLabel);
             b.editor.keyDown(EditKey::Other);
             b.screen.cells[2][colChLabel] = "TYPED";
         },
         "TYPED"},
        {"later keys keep the text before the first one",
         [](Bench& b) {
             b.clickAndKey(2, colChLabel);
             b.screen.cells[2][colChLabel] = "T";
             b.editor.keyDown(EditKey::Other);
             b.screen.cells[2][colChLabel] = "TYPED";
         },
         "    Ch 3"},
        {"Control after a click (Ctrl+Z) keeps the record of the edit",
         [](Bench& b) {
             b.clickAndKey(2, colChLabel);
             b.screen.cells[2][colChLabel] = "TYPED";
             b.screen.setCurrent(9, colRecFreq);
             b.editor.click();
             b.editor.keyDown(EditKey::Control);
         },
         "    Ch 3"},
        {"a group switch drops the record",
         [](Bench& b) {
             b.clickAndKey(2, colChLabel);
             ASSERT_TRUE(b.editor.chooseGroup(1, false));
             b.screen.cells[2][colChLabel] = "TYPED";
         },
         "TYPED"},
        {"the channel number column is never restored",
         [](Bench& b) {
             b.clickAndKey(2, colChan);
             b.screen.cells[2][colChLabel] = "TYPED";
         },
         "TYPED"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        c.run(b);
        b.editor.undo();
        EXPECT_EQ(b.screen.cells[2][colChLabel], c.expected);
    }
}

TEST(Undo, EndsTheEditOfAnotherCellFirstWithoutDroppingIt) {
    Bench b;
    b.clickAndKey(2, colChLabel);
    b.screen.cells[2][colChLabel] = "TYPED";
    b.screen.setCurrent(4, colChLabel);
    b.screen.editor = "PENDING";
    b.editor.undo();
    EXPECT_FALSE(b.screen.isEditing());
    EXPECT_EQ(b.screen.cells[4][colChLabel], "PENDING");
    EXPECT_EQ(b.screen.cells[2][colChLabel], "    Ch 3");
}

// ---------------------------------------------------------------- copy

TEST(Copy, RowTextIsNineTabSeparatedFieldsEndedByACarriageReturnOnly) {
    Bench b;
    b.putRow(4, {"", "155.12500", "D023", "155.72500", "067.0", "  LABEL5", "1", "0", "1"});
    b.screen.setCurrent(4, colRecCG);
    const std::string row = "5\t155.12500\tD023\t155.72500\t067.0\t  LABEL5\t1\t0\t1\r";
    EXPECT_EQ(b.editor.copyRow(), row);
    EXPECT_EQ(b.editor.copiedLength(), long(row.size()));

    const std::string all = b.editor.copyAll();
    EXPECT_EQ(b.editor.copiedLength(), long(all.size()));
    EXPECT_EQ(all.find('\n'), std::string::npos);
    const std::vector<std::string> rows = splitRows(all, 17);
    EXPECT_EQ(rows[0], "1\t162.40000\t000.0\t000.00000\t000.0\t    Ch 1\t0\t0\t0");
    EXPECT_EQ(rows[4] + '\r', row);
    EXPECT_EQ(rows[15].substr(0, 13), "16\t162.55000\t");
    EXPECT_EQ(rows[16], "") << "16 rows, the last one ended by its carriage return";
    EXPECT_EQ(all.back(), '\r');
}

TEST(Copy, CopiedLengthCountsCharacters) {
    Bench b;
    b.putRow(0, {"", "0", "0", "0", "0", "CAF\xC3\x89", "0", "0", "0"});  // "CAFÉ": five bytes, four characters
    const std::string t = b.editor.copyRow();
    EXPECT_EQ(b.editor.copiedLength(), long(t.size()) - 1);
    EXPECT_TRUE(b.editor.pasteOffered(std::string(t.size() - 1, 'x')));
    EXPECT_FALSE(b.editor.pasteOffered(std::string(t.size(), 'x')));
}

TEST(Copy, EachCopySetsItsModeAndTheDoubleClickKeepsTheMenuCopysMode) {
    struct Case { const char* name; const char* copies; bool rowMode, allMode; bool lengthOfRow; };
    // r = Copy a row, a = Copy All, g = the grid's double-click copy.
    const Case cases[] = {
        {"Copy a row", "r", true, false, true},
        {"Copy All", "a", false, true, false},
        {"Copy a row after Copy All", "ar", true, false, true},
        {"double-click after Copy a row", "rg", true, false, false},
        {"double-click after Copy All", "ag", false, true, false},
        {"double-click alone", "g", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        b.screen.setCurrent(3, 1);
        for (const char* k = c.copies; *k; ++k) {
            if (*k == 'r') b.editor.copyRow();
            if (*k == 'a') b.editor.copyAll();
            if (*k == 'g') b.editor.copyAll(false);
        }
        EXPECT_EQ(b.editor.pasteRowMode(), c.rowMode);
        EXPECT_EQ(b.editor.pasteAllMode(), c.allMode);
        EXPECT_EQ(b.editor.copiedLength(), long(c.lengthOfRow ? b.editor.rowText(3).size() : b.editor.allRowsText().size()));
    }
}

TEST(Copy, OnlyTheTextOfTheLastCopyCountsAsOurOwn) {
    Bench b;
    EXPECT_FALSE(b.editor.pasteOffered(""));
    const std::string row = b.editor.copyRow();
    std::string other = row;
    other[0] = 'X';
    EXPECT_TRUE(b.editor.holdsOwnCopy(row));
    EXPECT_FALSE(b.editor.holdsOwnCopy(other));
    EXPECT_TRUE(b.editor.pasteOffered(other)) << "Paste compares lengths only";
    EXPECT_FALSE(b.editor.pasteOffered(row + "x"));
    b.editor.resetCopyState();
    EXPECT_FALSE(b.editor.holdsOwnCopy(row));
    EXPECT_FALSE(b.editor.pasteOffered(row));
    EXPECT_EQ(b.editor.copiedLength(), -1);
}

// ---------------------------------------------------------------- paste

TEST(Paste, ARowGoesIntoTheCurrentRowAndItsCheckBoxes) {
    Bench b;
    b.putRow(1, {"", "155.12500", "D023", "155.72500", "088.5", "  COPIED", "1", "2", "1"});
    b.screen.setCurrent(1, colRecFreq);
    const std::string text = b.editor.copyRow();
    const auto before = b.screen.cells;
    b.screen.setCurrent(4, colTxCG);
    EXPECT_EQ(b.editor.paste(text), PasteResult::Pasted);
    EXPECT_EQ(b.screen.cells[4], (std::array<std::string, 6>{"5", "155.12500", "D023", "155.72500", "88.5", "  COPIED"}));
    EXPECT_EQ(b.screen.chkScan[4], 1);
    EXPECT_EQ(b.screen.chkNarr[4], 2);
    EXPECT_EQ(b.screen.chkLoPower[4], 1);
    for (int r : {0, 1, 2, 3, 5, 15}) EXPECT_EQ(b.screen.cells[size_t(r)], before[size_t(r)]) << r;
    EXPECT_EQ(b.screen.beeps, 0);
    EXPECT_EQ(b.screen.bulkDepth, 0);
}

TEST(Paste, AllRowsComeBackAndRowOneColumnOneEndsCurrent) {
    Bench b;
    for (int r = 0; r < 16; ++r)
        b.putRow(r, {"", "15" + std::to_string(r % 10) + ".12500", "D02" + std::to_string(r % 8), "000.00000",
                     "067.0", "LAB" + std::to_string(r), std::to_string(r % 2), "0", "1"});
    const auto copied = b.screen.cells;
    const std::string text = b.editor.copyAll();
    b.editor.loadGroup(3);  // other rows on screen
    b.screen.setCurrent(7, 4);
    EXPECT_EQ(b.editor.paste(text), PasteResult::Pasted);
    for (int r = 0; r < 16; ++r) {
        SCOPED_TRACE(r);
        for (int c : {1, 2, 3, 5}) EXPECT_EQ(b.screen.cells[size_t(r)][size_t(c)], copied[size_t(r)][size_t(c)]);
        EXPECT_EQ(b.screen.cells[size_t(r)][colTxCG], "67");
        EXPECT_EQ(b.screen.chkScan[size_t(r)], r % 2);
    }
    EXPECT_EQ(b.screen.currentRow(), 0);
    EXPECT_EQ(b.screen.currentColumn(), 0);
    EXPECT_EQ(b.screen.beeps, 0);
}

TEST(Paste, TheClipboardMustHoldTextOfTheCopiedLengthAndAMode) {
    struct Case { const char* name; std::function<std::string(Bench&)> prepare; PasteResult result; };
    const Case cases[] = {
        {"other text of the same length is split as a row",
         [](Bench& b) {
             const std::string t = b.editor.copyRow();
             return "9\t150.00000\tD023\t000.00000\t000.0\tSAMELEN\t1\t1\t1" + std::string(t.size() - 47, ' ') + "\r";
         },
         PasteResult::Pasted},
        {"text of another length", [](Bench& b) { return b.editor.copyRow() + "x"; }, PasteResult::NothingSelected},
        {"nothing copied since the activation",
         [](Bench& b) {
             const std::string t = b.editor.copyRow();
             b.editor.resetCopyState();
             return t;
         },
         PasteResult::NothingSelected},
        {"only the double-click copy", [](Bench& b) { return b.editor.copyAll(false); }, PasteResult::NoMode},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        b.screen.setCurrent(0, 1);
        const std::string text = c.prepare(b);
        const auto before = b.screen.cells;
        b.screen.setCurrent(6, 1);
        EXPECT_EQ(b.editor.paste(text), c.result);
        if (c.result == PasteResult::Pasted) {
            EXPECT_EQ(b.screen.cells[6][colRecFreq], "150.00000");
            EXPECT_EQ(b.screen.cells[6][colChLabel].substr(0, 7), "SAMELEN");
            EXPECT_EQ(b.screen.chkNarr[6], 1);
        } else {
            EXPECT_EQ(b.screen.cells, before);
        }
    }
}

TEST(Paste, EveryPastedCellGoesThroughTheChecksOfATypedOne) {
    const std::array<std::string, 9> good = {"9", "155.12500", "D023", "155.72500", "067.0", "  LABEL", "1", "0", "1"};
    struct Case {
        const char* name;
        int field;
        const char* value;
        const char* shown;  // the target cell afterwards (check boxes: their value)
        int beeps;
    };
    // Row 5 of group 1 holds 162.40000, 000.0, 000.00000, 000.0, "    Ch 5" and cleared boxes.
    const Case cases[] = {
        {"frequency shorthand", 1, "16240", "162.40000", 0},
        {"no frequency", 3, "", "000.00000", 0},
        {"frequency off the channel steps", 1, "162.4113", "162.40000", 1},
        {"frequency outside the band", 3, "180", "000.00000", 1},
        {"frequency of 11 characters", 1, "162.41234567", "162.40000", 1},
        {"text in a frequency", 1, "DXX", "162.40000", 1},
        {"digital code", 2, "D754-", "D754-", 0},
        {"tone, as its number", 4, "088.5", "88.5", 0},
        {"code guard of four digits", 2, "1234.5", "000.0", 1},
        {"negative code guard", 4, "-5", "000.0", 1},
        {"letters that are no code", 4, "ZZZ", "000.0", 1},
        {"label of nine characters", 5, "NINECHARS", "    Ch 5", 1},
        {"grey check box", 6, "2", "2", 0},
        {"check value 3", 8, "3", "0", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bench b;
        std::array<std::string, 9> f = good;
        f[size_t(c.field)] = c.value;
        // The row as another editor could have copied it: the fields as they are.
        b.putRow(1, f);
        b.screen.setCurrent(1, 1);
        const std::string clip = b.editor.copyRow();
        b.screen.setCurrent(4, 1);
        EXPECT_EQ(b.editor.paste(clip), PasteResult::Pasted);
        const std::string got = c.field <= 5 ? b.screen.cells[4][size_t(c.field)]
                                : std::to_string(c.field == 6 ? b.screen.chkScan[4]
                                                 : c.field == 7 ? b.screen.chkNarr[4] : b.screen.chkLoPower[4]);
        EXPECT_EQ(got, c.shown);
        EXPECT_EQ(b.screen.beeps, c.beeps);
        // The other cells of the row are pasted all the same.
        EXPECT_EQ(b.screen.cells[4][c.field == 5 ? colRecCG : colChLabel], c.field == 5 ? "D023" : "  LABEL");
    }
}

// ---------------------------------------------------------------- the offset entry

// Group 1 with row 3 receiving 150 MHz and transmitting 151 MHz; the space
// bar in its "Tx Freq" cell opens the offset entry.
struct OffsetBench : Bench {
    OffsetBench() {
        screen.setCellText(3, colRecFreq, "150");
        screen.setCellText(3, colTxFreq, "151");
        open();
    }
    void open() {
        screen.setCurrent(3, colTxFreq);
        EXPECT_TRUE(editor.beforeCellEdit(colTxFreq));
        editor.keyUp(EditKey::Space);
    }
    std::string tx() const { return screen.cells[3][colTxFreq]; }
};

TEST(Offset, KeysReleasedInTheBoxComputeOrRefuse) {
    struct Step { EditKey key; const char* text; };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* tx;       // transmit frequency afterwards
        int beeps;
        bool open;            // the entry is still shown
        const char* boxText;  // what the box shows after the last key
    };
    const EditKey O = EditKey::Other, Ret = EditKey::Return;
    const Case cases[] = {
        {"-2 on 150 gives 148", {{O, "-"}, {O, "-2"}, {Ret, "-2"}}, "148.00000", 0, false, "-2"},
        {"5 on 150 gives 155 (keypad Enter)", {{O, "5"}, {EditKey::Enter, "5"}}, "155.00000", 0, false, "5"},
        {"a minus alone adds nothing", {{O, "-"}, {Ret, "-"}}, "150.00000", 0, false, "-"},
        {"a point and minus-point are accepted while typing", {{O, "-"}, {O, "-."}, {O, "-.5"}, {Ret, "-.5"}},
         "149.50000", 0, false, "-.5"},
        {"a lone point waits", {{O, "."}}, "151.00000", 0, true, "."},
        {"a letter empties the box and restores the cell", {{O, "1"}, {O, "1x"}}, "151.00000", 1, true, ""},
        {"an offset out of the band is refused", {{O, "30"}, {Ret, "30"}}, "151.00000", 1, false, "30"},
        {"an offset off the channel steps is refused", {{Ret, "0.0013"}}, "151.00000", 1, false, "0.0013"},
        {"F1 shows the help and types nothing", {{EditKey::F1, ""}}, "151.00000", 0, true, ""},
        {"Left and Right move the cursor", {{EditKey::Left, ""}, {EditKey::Right, ""}}, "151.00000", 0, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OffsetBench b;
        ASSERT_TRUE(b.screen.offsetShown);
        EXPECT_EQ(b.screen.offsetRow, 3);
        std::string shown;
        for (const Step& s : c.steps) shown = b.editor.offsetKeyUp(s.key, s.text);
        EXPECT_EQ(b.tx(), c.tx);
        EXPECT_EQ(b.screen.beeps, c.beeps);
        EXPECT_EQ(b.screen.offsetShown, c.open);
        EXPECT_EQ(shown, c.boxText);
        EXPECT_EQ(b.screen.helpShown, c.steps.front().key == EditKey::F1 ? std::vector<int>{1} : std::vector<int>{});
    }
}

// After an Enter the next key starts a new entry, but only a key that types:
// help, moving and modifier keys keep the remembered "-2" whole.
TEST(Offset, KeysThatTypeNothingKeepTheRememberedOffset) {
    for (const EditKey key : {EditKey::F1, EditKey::NoText, EditKey::Home, EditKey::Left, EditKey::Up, EditKey::Down,
                              EditKey::Shift, EditKey::Control}) {
        SCOPED_TRACE(int(key));
        OffsetBench b;
        b.editor.offsetKeyUp(EditKey::Return, "-2");
        b.open();
        EXPECT_EQ(b.editor.offsetKeyUp(key, "-2"), "-2");
        EXPECT_EQ(b.editor.offsetKeyUp(EditKey::Return, "-2"), "-2");
        EXPECT_EQ(b.tx(), "148.00000");
        EXPECT_EQ(b.editor.lastOffsetText(), "-2");
    }
}

TEST(Offset, AGroupSwitchClosesTheEntry) {
    OffsetBench b;
    ASSERT_TRUE(b.screen.offsetShown);
    ASSERT_TRUE(b.editor.chooseGroup(1, false));
    EXPECT_FALSE(b.screen.offsetShown);
}

TEST(Offset, TheLastOffsetIsOfferedAgainUntilTheNextActivation) {
    OffsetBench b;
    EXPECT_EQ(b.screen.offsetText, "");
    b.editor.offsetKeyUp(EditKey::Return, "-2");
    EXPECT_EQ(b.editor.lastOffsetText(), "-2");
    b.open();
    EXPECT_TRUE(b.screen.offsetShown);
    EXPECT_EQ(b.screen.offsetText, "-2");
    EXPECT_EQ(b.screen.cells[3][colTxFreq], "148.00000") << "the space bar put the old value back";
    // The first key after an Enter starts a new entry from that key.
    EXPECT_EQ(b.editor.offsetKeyUp(EditKey::Other, "-27"), "7");
    EXPECT_EQ(b.editor.offsetKeyUp(EditKey::Other, "72"), "72");
    b.editor.resetCopyState();
    b.open();
    EXPECT_EQ(b.screen.offsetText, "");
}

}  // namespace
