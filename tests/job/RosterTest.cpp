// The fleet roster: each row's values go into the template through the
// group screen's rules, a bad roster is refused by row and column, and the
// rows are handed out past those the log shows as written and verified.
#include <gtest/gtest.h>
#include "image/FieldError.h"
#include "image/Programming.h"
#include "job/Roster.h"

namespace orv::test {
namespace {

TEST(Roster, EachRowGetsItsOwnValuesAndNothingElseChanges) {
    MemoryImage templ;
    for (int a = 0; a < MemoryImage::kRadioSize; ++a) templ[a] = static_cast<uint8_t>(a * 13 + 1);
    Programming base = decodeProgramming(templ);
    for (GroupView& g : base.groups) g.txtID = "1000", g.txtPassWord = "11";
    encodeProgramming(base, templ);
    const Roster r = parseRoster("unit,id,id.2,password.3,label.4\r\n"
                                 "Truck 1,1234567,222,4321,FIRE 1\r\n"
                                 "\r\n"
                                 "\"Truck, 2\",77,,,\r\n",
                                 templ);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].unit, "Truck 1");
    EXPECT_EQ(r.rows[1].unit, "Truck, 2");
    EXPECT_EQ(r.rows[1].row, 4);
    // The fields as the group screen shows them (the codecs pad them).
    const Programming held = decodeProgramming(templ);
    const Programming one = decodeProgramming(r.rows[0].image);
    EXPECT_EQ(one.groups[0].txtID, "1234567");
    EXPECT_EQ(one.groups[1].txtID, "0000222") << "a group's own column wins";
    EXPECT_EQ(one.groups[14].txtID, "1234567");
    EXPECT_EQ(one.groups[2].txtPassWord, "004321");
    EXPECT_EQ(one.groups[3].txtPassWord, held.groups[3].txtPassWord);
    EXPECT_EQ(one.groups[3].txtGrpLab, "  FIRE 1");
    const Programming two = decodeProgramming(r.rows[1].image);
    EXPECT_EQ(two.groups[1].txtID, "0000077") << "an empty cell keeps the template's";
    EXPECT_EQ(two.groups[3].txtGrpLab, held.groups[3].txtGrpLab);
    // Only the fields named change: the channels keep their values.
    for (int g = 0; g < kGroups; ++g) {
        EXPECT_EQ(one.groups[static_cast<std::size_t>(g)].channels.cells, held.groups[static_cast<std::size_t>(g)].channels.cells);
        EXPECT_EQ(one.groups[static_cast<std::size_t>(g)].cboANI, held.groups[static_cast<std::size_t>(g)].cboANI);
    }
}

TEST(Roster, ABadRosterIsRefusedByRowAndColumn) {
    const MemoryImage templ;
    struct Case { const char* text; int row; const char* column; };
    for (const Case& c : {Case{"unit,id\nA,12X\n", 2, "id"}, Case{"unit,id.3\nA,1\nB,12345678\n", 3, "id.3"},
                          Case{"unit,password\nA,1\nB,2\nC,x\n", 4, "password"},
                          Case{"unit,colour\nA,red\n", 1, "colour"}, Case{"unit,id.16\nA,1\n", 1, "id.16"},
                          Case{"unit,label\nA,X\n", 1, "label"}, Case{"id\n1\n", 1, "unit"},
                          Case{"unit,id\nA,1\nA,2\n", 3, "unit"}, Case{"unit,id\n,1\n", 2, "unit"},
                          Case{"unit,unit\nA,B\n", 1, "unit"}, Case{"unit\nA,extra\n", 2, ""},
                          Case{"unit,label.1\nA,ABCDEFGHIJ\n", 2, "label.1"}}) {
        SCOPED_TRACE(c.text);
        try {
            parseRoster(c.text, templ);
            ADD_FAILURE() << "accepted";
        } catch (const FieldError& e) {
            EXPECT_EQ(e.row(), c.row) << e.what();
            EXPECT_EQ(e.column(), c.column) << e.what();
        }
    }
    EXPECT_THROW(parseRoster("", templ), FieldError);
    EXPECT_THROW(parseRoster("unit,id\n", templ), FieldError);
}

TEST(Roster, RowsGoOutPastThoseDoneAndAFailedRadioGivesItsRowBack) {
    const Roster r = parseRoster("unit\nA\nB\nC\nD\n", MemoryImage{});
    RadioLogContents log;
    const auto entry = [](const char* unit, const char* result, const char* verified) {
        RadioLogEntry e;
        e.operation = "write";
        e.unit = unit;
        e.result = result;
        e.verified = verified;
        return e;
    };
    log.entries = {entry("A", "ok", "yes"), entry("B", "ok", ""), entry("C", "failed", "")};
    EXPECT_EQ(unitsDone(log), (std::set<std::string>{"A"}));
    RosterRows rows(r, unitsDone(log));
    EXPECT_EQ(rows.freeRows(), 3u);
    EXPECT_EQ(rows.take()->unit, "B");
    EXPECT_EQ(rows.take()->unit, "C");
    rows.giveBack("B");
    rows.finished("C");
    EXPECT_EQ(rows.take()->unit, "B");
    EXPECT_EQ(rows.take()->unit, "D");
    EXPECT_FALSE(rows.take());
    EXPECT_EQ(rows.freeRows(), 0u);
}

}  // namespace
}  // namespace orv::test
