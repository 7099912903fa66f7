// Editing the whole radio without a window: the list of every channel (its
// order, filter and duplicates), Find, the bulk plans with their refusals,
// and the undo history.
#include <gtest/gtest.h>

#include <string>
#include <vector>
#include "edit/BulkEdit.h"
#include "edit/ChannelList.h"
#include "edit/EditHistory.h"
#include "image/WriteDefaults.h"
#include "image/clsGroup.h"

using namespace orv;

namespace {

// The start-up image with a few channels programmed.
struct Radio {
    MemoryImage image = defaultImage();
    void set(int g, int c, const char* rx, const char* rxCg, const char* tx = "0", const char* label = nullptr) {
        GroupView v;
        clsGroup(static_cast<const MemoryImage&>(image), v).Read_Group(g);
        auto& cells = v.channels.cells[size_t(c)];
        cells[colRecFreq] = rx;
        cells[colRecCG] = rxCg;
        cells[colTxFreq] = tx;
        if (label) cells[colChLabel] = label;
        clsGroup(image, v).Write_Group(g);
    }
    Radio() {
        // No frequencies but the ones set here (the start-up rows repeat four frequencies).
        for (int g = 0; g < kGroups; ++g) {
            GroupView v;
            clsGroup(static_cast<const MemoryImage&>(image), v).Read_Group(g);
            for (auto& cells : v.channels.cells) cells[colRecFreq] = cells[colTxFreq] = "0";
            clsGroup(image, v).Write_Group(g);
        }
        set(0, 0, "150.00000", "067.0", "155.00000", "BASE");
        set(0, 1, "151.25000", "D023", "0", "YARD");
        set(3, 7, "150.00000", "67", "0", "DUP");   // the same receive frequency and tone as group 1 ch 1
        set(14, 15, "173.99500", "0", "0", "LAST");
    }
    std::vector<ChannelEntry> list() const { return listChannels(image); }
};

std::vector<int> kept(const std::vector<ChannelEntry>& list, const std::string& filter) {
    const ChannelFilter f = parseChannelFilter(filter);
    std::vector<int> rows;
    for (const ChannelEntry& e : list)
        if (filterKeeps(f, e)) rows.push_back(listIndex(e.at));
    return rows;
}

}  // namespace

TEST(ChannelList, HoldsEveryChannelAsTheGridShowsIt) {
    const Radio r;
    const auto list = r.list();
    ASSERT_EQ(list.size(), 240u);
    const ChannelEntry& e = list[0];
    EXPECT_EQ(e.texts[lcGroup], "1");
    EXPECT_EQ(e.texts[lcChan], "1");
    EXPECT_EQ(e.texts[lcRecFreq], "150.00000");
    EXPECT_EQ(e.texts[lcTxFreq], "155.00000");
    EXPECT_EQ(e.texts[lcGroupLabel].find("GROUP1") != std::string::npos, true);
    EXPECT_EQ(list[size_t(listIndex({14, 15}))].texts[lcChLabel], "    LAST");
}

TEST(ChannelList, FilterKeepsRowsByTextInAnyColumnOrByFrequencyRange) {
    const Radio r;
    const auto list = r.list();
    struct Case { const char* filter; std::vector<int> rows; };
    const Case cases[] = {
        {"yard", {1}},                                   // a label, case ignored
        {"d023", {1}},                                   // a code guard
        {"150-150.5", {0, listIndex({3, 7})}},          // a receive frequency in range
        {"155 - 154", {0}},                              // a transmit frequency, the ends in any order
        {"173.995-174", {listIndex({14, 15})}},
        {"nothing like it", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(kept(list, c.filter), c.rows) << c.filter;
    EXPECT_EQ(kept(list, "").size(), 240u);
    EXPECT_EQ(kept(list, "GROUP12").size(), 16u) << "the group's label is a column too";
}

TEST(ChannelList, SortsNumbersByValueAndTiesInChannelOrder) {
    const Radio r;
    auto list = r.list();
    EXPECT_FALSE(listLess(list[1], list[0], lcRecFreq));
    EXPECT_TRUE(listLess(list[0], list[1], lcRecFreq));             // 150 before 151.25
    EXPECT_TRUE(listLess(list[size_t(listIndex({8, 0}))], list[size_t(listIndex({9, 0}))], lcGroup))
        << "group 9 before group 10: by number, not by text";
    EXPECT_TRUE(listLess(list[size_t(listIndex({1, 0}))], list[0], lcRecFreq));  // 0 before 150
    EXPECT_TRUE(listLess(list[0], list[size_t(listIndex({3, 7}))], lcRecFreq));  // equal: channel order
    EXPECT_TRUE(listLess(list[0], list[1], lcChLabel));             // BASE before YARD, blanks aside
}

TEST(ChannelList, DuplicatesShareReceiveFrequencyAndCodeGuardAsTheRadioReadsThem) {
    Radio r;
    r.set(5, 0, "151.25000", "D023-", "0");   // inverted: another code
    const auto list = r.list();
    const auto dup = duplicateChannels(list);
    std::vector<int> rows;
    for (size_t i = 0; i < dup.size(); ++i)
        if (dup[i]) rows.push_back(int(i));
    EXPECT_EQ(rows, (std::vector<int>{0, listIndex({3, 7})})) << "067.0 and 67 are one tone; channels without a "
                                                                   "frequency are never duplicates";
}

TEST(Find, MatchesTextFrequencyOrCodeGuardAndComesRound) {
    const Radio r;
    const auto list = r.list();
    struct Case { FindKind kind; const char* text; ChannelRef from; std::optional<ChannelRef> next; };
    const Case cases[] = {
        {FindKind::Text, "dup", {0, 0}, ChannelRef{3, 7}},
        {FindKind::Frequency, "15000", {0, 0}, ChannelRef{3, 7}},   // the grid's shorthand
        {FindKind::Frequency, "150", {3, 7}, ChannelRef{0, 0}},     // after the last: from group 1 again
        {FindKind::Frequency, "155", {0, 5}, ChannelRef{0, 0}},     // a transmit frequency
        {FindKind::CodeGuard, "67", {0, 0}, ChannelRef{3, 7}},
        {FindKind::CodeGuard, "d023", {0, 0}, ChannelRef{0, 1}},
        {FindKind::Text, "base", {0, 0}, ChannelRef{0, 0}},         // the only one: itself, last
        {FindKind::Frequency, "180", {0, 0}, std::nullopt},
        {FindKind::Text, "", {0, 0}, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto got = findNext(list, c.from, FindQuery{c.kind, c.text});
        EXPECT_EQ(got, c.next) << c.text;
    }
}

TEST(BulkEdit, SetFieldChecksEveryChannelAndChangesNothingWhenOneIsRefused) {
    const Radio r;
    const std::vector<ChannelRef> sel = {{0, 0}, {0, 1}, {3, 7}};
    struct Case { int column; const char* value; size_t changes; size_t refusals; const char* firstRefusal; };
    const Case cases[] = {
        {lcRecFreq, "16240", 3, 0, ""},                    // the shorthand, as typed into the grid
        {lcRecFreq, "180", 0, 3, "Group 1 Ch 1 Rec Freq: 180: "},
        {lcTxCG, "D023", 3, 0, ""},
        {lcTxCG, "D029", 0, 3, "Group 1 Ch 1 Tx CG: D029: "},
        {lcChLabel, "OK", 3, 0, ""},
        {lcChLabel, "TOO LONG LABEL", 0, 3, "Group 1 Ch 1 Ch Label: TOO LONG LABEL: "},
        {lcNarrow, "1", 3, 0, ""},
        {lcNarrow, "7", 0, 3, "Group 1 Ch 1 Narrow Band: 7: a check box is 0, 1 or 2"},
        {lcGroupLabel, "X", 0, 1, "Group Label: not a field of a channel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        const BulkPlan plan = planSetField(r.image, sel, c.column, c.value);
        EXPECT_EQ(plan.changes.size(), c.changes);
        ASSERT_EQ(plan.refusals.size(), c.refusals);
        if (c.refusals) {
            EXPECT_EQ(plan.refusals[0].rfind(c.firstRefusal, 0), 0u) << plan.refusals[0];
            EXPECT_TRUE(plan.result == r.image);
        } else {
            EXPECT_FALSE(plan.result == r.image);
        }
    }
    // Applied, the list shows the value in every selected channel, the others as they were.
    const auto after = listChannels(planSetField(r.image, sel, lcRecFreq, "16240").result);
    for (const ChannelRef& at : sel) EXPECT_EQ(after[size_t(listIndex(at))].texts[lcRecFreq], "162.40000");
    EXPECT_EQ(after[2].texts[lcRecFreq], r.list()[2].texts[lcRecFreq]);
}

TEST(BulkEdit, ShiftAddsKilohertzToTheChosenFrequenciesOnly) {
    const Radio r;
    const std::vector<ChannelRef> sel = {{0, 0}, {0, 1}};
    const auto at = [](const BulkPlan& p, ChannelRef c, int col) {
        return listChannels(p.result)[size_t(listIndex(c))].texts[size_t(col)];
    };
    BulkPlan both = planShift(r.image, sel, "12.5", true, true);
    ASSERT_TRUE(both.ok());
    EXPECT_EQ(at(both, {0, 0}, lcRecFreq), "150.01250");
    EXPECT_EQ(at(both, {0, 0}, lcTxFreq), "155.01250");
    EXPECT_EQ(at(both, {0, 1}, lcTxFreq), "000.00000") << "no frequency stays none";
    EXPECT_EQ(both.changes.size(), 3u);
    BulkPlan down = planShift(r.image, sel, "-1000", false, true);
    EXPECT_EQ(at(down, {0, 0}, lcRecFreq), "150.00000");
    EXPECT_EQ(at(down, {0, 0}, lcTxFreq), "154.00000");
    // 151.25 + 1 kHz is on neither raster: refused, and with it the whole plan.
    BulkPlan off = planShift(r.image, sel, "1", true, false);
    ASSERT_EQ(off.refusals.size(), 2u);
    EXPECT_EQ(off.refusals[1].rfind("Group 1 Ch 2 Rec Freq: 151.251: ", 0), 0u) << off.refusals[1];
    EXPECT_TRUE(off.result == r.image);
    EXPECT_TRUE(off.changes.empty());
    EXPECT_EQ(planShift(r.image, sel, "abc", true, true).refusals,
              std::vector<std::string>{"abc: an offset is a number in kHz"});
}

TEST(EditHistory, UndoAndRedoWalkTheStepsAndANewCommandDropsTheUndone) {
    MemoryImage a, b, c, d;
    b[10] = 1;
    c[10] = 2;
    d[20] = 3;
    EditHistory h;
    EXPECT_FALSE(h.record("same", a, a));
    ASSERT_TRUE(h.record("first", a, b, 2, 5));
    ASSERT_TRUE(h.record("second", b, c));
    EXPECT_EQ(h.nextUndo()->name, "second");
    EXPECT_TRUE(h.undo().before == b);
    EXPECT_EQ(h.nextRedo()->name, "second");
    EXPECT_EQ(h.nextUndo()->group, 2);
    EXPECT_TRUE(h.undo().before == a);
    EXPECT_EQ(h.nextUndo(), nullptr);
    EXPECT_TRUE(h.redo().after == b);
    ASSERT_TRUE(h.record("third", b, d));
    EXPECT_EQ(h.nextRedo(), nullptr) << "the undone second step is gone";
    EXPECT_EQ(h.undoCount(), 2u);
    h.clear();
    EXPECT_EQ(h.nextUndo(), nullptr);
}

TEST(EditHistory, KeepsTheNewestStepsUpToItsDepth) {
    EditHistory h;
    MemoryImage prev;
    for (int i = 1; i <= int(EditHistory::kDepth) + 5; ++i) {
        MemoryImage next = prev;
        next[0] = uint8_t(i);
        next[1] = uint8_t(i >> 8);
        ASSERT_TRUE(h.record("step " + std::to_string(i), prev, next));
        prev = next;
    }
    EXPECT_EQ(h.undoCount(), EditHistory::kDepth);
    const EditStep* oldest = nullptr;
    while (h.nextUndo()) oldest = &h.undo();
    ASSERT_NE(oldest, nullptr);
    EXPECT_EQ(oldest->name, "step 6");
}
