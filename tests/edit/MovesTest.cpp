// Group moves: the bank orders of clsMoves, the bytes that must stay, and
// the Move command's rules over the group on screen (stored first, reloaded
// after; refused positions and a group that cannot be stored move nothing).
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include "FakeScreen.h"
#include "image/WriteDefaults.h"
#include "edit/GroupEditor.h"
#include "edit/clsMoves.h"
#include "image/clsGroup.h"

using namespace orv;
using orv::test::FakeScreen;

namespace {

using Order = std::array<int, 15>;  // position p holds the old bank order[p - 1]

MemoryImage patterned() {
    MemoryImage img;
    for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>((a * 131 + a / 7 + 5) & 0xFF);
    return img;
}

bool inSomeBank(int address) {
    for (int p = 1; p <= 15; ++p)
        if (address >= 384 * p && address < 384 * p + 128) return true;
    return false;
}

// Checks the banks against `order` and every other byte against `before`.
void expectBanks(const MemoryImage& img, const MemoryImage& before, const Order& order) {
    for (int p = 1; p <= 15; ++p)
        for (int k = 0; k < 128; ++k)
            ASSERT_EQ(img[384 * p + k], before[384 * order[size_t(p - 1)] + k]) << "position " << p << " byte " << k;
    for (int a = 0; a < MemoryImage::kSize; ++a)
        if (!inSomeBank(a)) {
            ASSERT_EQ(img[a], before[a]) << "address " << a << " is no bank byte";
        }
}

TEST(Moves, TheBanksBetweenTheTwoPositionsShiftByOnePlace) {
    struct Case { int from, to; Order order; };
    const Case cases[] = {
        {15, 1, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {1, 15, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1}},
        {5, 3, {1, 2, 5, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {3, 5, {1, 2, 4, 5, 3, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {14, 15, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14}},
        {7, 7, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " to " + std::to_string(c.to));
        const MemoryImage before = patterned();
        MemoryImage img = before;
        clsMoves(img).moveGroups(c.from, c.to);
        expectBanks(img, before, c.order);
    }
}

TEST(Moves, LabelsFlagsAndGroupParametersStayWithTheirPosition) {
    MemoryImage img = defaultImage();
    GroupView first, last;
    clsGroup(static_cast<const MemoryImage&>(img), first).Read_Group(0);
    clsGroup(static_cast<const MemoryImage&>(img), last).Read_Group(14);
    first.txtGrpLab = "FIRST";
    first.channels.cells[0][colRecFreq] = "151.625";
    first.channels.cells[0][colChLabel] = "ONE";
    first.channels.chkScan[0] = 1;
    first.cboTOT = 3;
    last.channels.cells[0][colRecFreq] = "155.125";
    clsGroup(img, first).Write_Group(0);
    clsGroup(img, last).Write_Group(14);

    clsMoves(img).moveGroups(1, 15);
    GroupView g1, g15;
    clsGroup(static_cast<const MemoryImage&>(img), g1).Read_Group(0);
    clsGroup(static_cast<const MemoryImage&>(img), g15).Read_Group(14);
    EXPECT_EQ(g15.channels.cells[0][colRecFreq], "151.62500") << "the frequencies moved";
    EXPECT_EQ(g1.txtGrpLab, "   FIRST");
    EXPECT_EQ(g1.cboTOT, 3);
    EXPECT_EQ(g1.channels.cells[0][colChLabel], "     ONE");
    EXPECT_EQ(g1.channels.chkScan[0], 1);
    EXPECT_EQ(g15.channels.chkScan[0], last.channels.chkScan[0]);
}

TEST(Moves, APositionOutsideOneToFifteenMovesNothing) {
    for (auto [from, to] : {std::pair{0, 3}, {3, 16}, {-1, 15}, {16, 16}}) {
        SCOPED_TRACE(std::to_string(from) + " to " + std::to_string(to));
        MemoryImage img = patterned();
        EXPECT_THROW(clsMoves(img).moveGroups(from, to), std::out_of_range);
        EXPECT_TRUE(img == patterned());
    }
}

// ---------------------------------------------------------------- the Move command

// Group g's channel 1 receives 140 + g MHz in the image; group 1 is on
// screen, with 155.125 MHz typed into channel 2 and not stored yet.
struct MoveBench {
    MemoryImage image = defaultImage();
    FakeScreen screen;
    GroupEditor editor{image, screen};
    MoveBench() {
        for (int g = 0; g < 15; ++g) {
            editor.loadGroup(g);
            screen.setCellText(0, colRecFreq, std::to_string(140 + g));
            EXPECT_TRUE(editor.storeGroup(g));
        }
        editor.loadGroup(0);
        screen.setCellText(1, colRecFreq, "155.125");
    }
    std::string imageCell(int g, int row, int col) const {
        GroupView v;
        clsGroup(image, v).Read_Group(g);
        return v.channels.cells[size_t(row)][size_t(col)];
    }
};

TEST(MoveCommand, StoresTheGroupOnScreenMovesAndShowsItAgain) {
    struct Case {
        const char* name;
        const char* from;
        const char* to;
        bool unstorable;         // a code guard on screen the image cannot hold
        MoveResult result;
        const char* shownCh1;    // channel 1 on screen afterwards
        const char* shownCh2;    // channel 2 on screen afterwards
        int typedEditInGroup;    // the group whose channel 2 holds the typed edit in the image, or -1
        int beeps;
    };
    const Case cases[] = {
        {"1 to 15 takes the typed edit along", "1", "15", false, MoveResult::Moved, "141.00000", "162.45000", 14, 0},
        {"15 to 1", "15", "1", false, MoveResult::Moved, "154.00000", "162.45000", 1, 0},
        {"equal positions", "4", "4", false, MoveResult::NothingMoved, "140.00000", "155.12500", 0, 0},
        {"a position that is no number", "abc", "3", false, MoveResult::NothingMoved, "140.00000", "155.12500", 0, 0},
        {"position 0", "0", "3", false, MoveResult::NothingMoved, "140.00000", "155.12500", 0, 0},
        {"position 16 is refused", "16", "1", false, MoveResult::BadPosition, "140.00000", "155.12500", -1, 1},
        {"a group that cannot be stored", "1", "15", true, MoveResult::NotStored, "140.00000", "155.12500", -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MoveBench b;
        if (c.unstorable) b.screen.cells[5][colRecCG] = "BAD";
        const MemoryImage before = b.image;
        const int loads = b.screen.loads;
        EXPECT_EQ(b.editor.moveBanks(c.from, c.to, 0), c.result);
        EXPECT_EQ(b.screen.cells[0][colRecFreq], c.shownCh1);
        EXPECT_EQ(b.screen.cells[1][colRecFreq], c.shownCh2);
        EXPECT_EQ(b.screen.beeps, c.beeps);
        const bool ranToTheEnd = c.result == MoveResult::Moved || c.result == MoveResult::NothingMoved;
        EXPECT_EQ(b.screen.loads, loads + (ranToTheEnd ? 1 : 0)) << "the group on screen is shown again";
        if (c.typedEditInGroup >= 0)
            EXPECT_EQ(b.imageCell(c.typedEditInGroup, 1, colRecFreq), "155.12500");
        else
            EXPECT_TRUE(b.image == before) << "nothing stored, nothing moved";
    }
}

}  // namespace
