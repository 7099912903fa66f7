// One table of values per kind of field, run against every way a value comes
// in: the rule itself, the grid (typed, pasted and, for frequencies, the
// offset entry), the JSON import and the CSV import. They must all accept
// and refuse the same values.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include "FakeScreen.h"
#include "edit/GroupEditor.h"
#include "image/FieldError.h"
#include "image/FieldRules.h"
#include "image/Programming.h"
#include "image/WriteDefaults.h"
#include "interchange/ChannelCsv.h"
#include "interchange/ProgrammingJson.h"

using namespace orv;

namespace {

using K = FieldKind;

struct Case {
    K kind;
    const char* value;
    bool accepted;
};

// None of these equals what the entry points' fields hold before (150 MHz,
// D025, "OLD", 000000, 0000000), so each one is checked.
const Case kCases[] = {
    // Frequencies: 136 to 174 MHz on the 2.5 or the 6.25 kHz raster, 0 for none.
    {K::Frequency, "162.4", true},       {K::Frequency, "136", true},          {K::Frequency, "174", true},
    {K::Frequency, "155.00625", true},   {K::Frequency, "155.0025", true},     {K::Frequency, "0", true},
    {K::Frequency, "000.00", true},      {K::Frequency, "162.4000000", true},
    {K::Frequency, "120", false},        {K::Frequency, "175", false},         {K::Frequency, "162.4001", false},
    {K::Frequency, "162.4113", false},   {K::Frequency, "135.9975", false},    {K::Frequency, "174.0025", false},
    {K::Frequency, "162.40125", false},  {K::Frequency, "162.41234567", false},
    // Code guards: a tone below 800.0 with at most one decimal, or D and three octal digits.
    {K::CodeGuard, "067.0", true},       {K::CodeGuard, "67", true},           {K::CodeGuard, "799.9", true},
    {K::CodeGuard, "254.1", true},       {K::CodeGuard, "000.0", true},        {K::CodeGuard, "D023", true},
    {K::CodeGuard, "D754-", true},       {K::CodeGuard, "d023-", true},        {K::CodeGuard, "D777", true},
    {K::CodeGuard, "800.0", false},      {K::CodeGuard, "999.9", false},       {K::CodeGuard, "D778", false},
    {K::CodeGuard, "067.05", false},     {K::CodeGuard, "D089", false},        {K::CodeGuard, "1234.5", false},
    {K::CodeGuard, "D02", false},        {K::CodeGuard, "D0231", false},
    // Labels: at most 8 characters of the radio's set.
    {K::Label, "BASE", true},            {K::Label, "abc h", true},            {K::Label, "A-1/2 <>", true},
    {K::Label, "NINECHARS", false},      {K::Label, "A#B", false},             {K::Label, "\xC3\xA4", false},
    // Passwords and ID numbers: decimal digits, at most 6 and 7 of them.
    {K::Password, "123456", true},       {K::Password, "42", true},
    {K::Password, "ZZZZZZ", false},      {K::Password, "1234567", false},      {K::Password, "12 34", false},
    {K::IdNumber, "1234567", true},      {K::IdNumber, "12345678", false},     {K::IdNumber, "12A", false},
};

// ---- the grid -------------------------------------------------------------------

int gridColumn(K kind) { return kind == K::Frequency ? colRecFreq : kind == K::CodeGuard ? colRecCG : colChLabel; }

struct Grid {
    MemoryImage image = defaultImage();
    test::FakeScreen screen;
    GroupEditor editor{image, screen};
    Grid() {
        editor.loadGroup(0);
        for (int r = 0; r < kChannels; ++r) {
            screen.setCellText(r, colRecFreq, "150");
            screen.setCellText(r, colTxFreq, "150");
            screen.setCellText(r, colRecCG, "D025");
            screen.setCellText(r, colChLabel, "OLD");
        }
    }
};

// Typed into row 1 and the cell edit ended.
bool typed(K kind, const std::string& value) {
    Grid g;
    const int col = gridColumn(kind);
    g.screen.setCurrent(1, col);
    if (!g.editor.beforeCellEdit(col)) return false;
    g.editor.afterCellEdit(1, col, value);
    return g.screen.beeps == 0;
}

// Row 1 holding the value, copied and pasted into row 4.
bool pasted(K kind, const std::string& value) {
    Grid g;
    g.screen.cells[1][size_t(gridColumn(kind))] = value;
    g.screen.setCurrent(1, 0);
    const std::string clip = g.editor.copyRow();
    g.screen.setCurrent(4, 0);
    if (g.editor.paste(clip) != PasteResult::Pasted) return false;
    return g.screen.beeps == 0;
}

// The offset entry on a row receiving nothing: the offset is the transmit frequency.
bool offset(const std::string& value) {
    Grid g;
    g.screen.setCellText(3, colRecFreq, "0");
    g.screen.setCurrent(3, colTxFreq);
    if (!g.editor.beforeCellEdit(colTxFreq)) return false;
    g.editor.keyUp(EditKey::Space);
    g.editor.offsetKeyUp(EditKey::Return, value);
    return g.screen.beeps == 0;
}

// ---- the JSON import ----------------------------------------------------------------

const char* jsonKey(K kind) {
    switch (kind) {
    case K::Frequency: return "Rec Freq";
    case K::CodeGuard: return "Rec CG";
    case K::Label: return "Ch Label";
    case K::Password: return "txtPassWord";
    case K::IdNumber: return "txtID";
    }
    return "";
}

Programming oldProgramming() {
    Programming p = decodeProgramming(defaultImage());
    GroupView& g = p.groups[0];
    g.txtPassWord = "000000";
    g.txtID = "0000000";
    g.channels.cells[2][colRecFreq] = "150.00000";
    g.channels.cells[2][colRecCG] = "D025";
    g.channels.cells[2][colChLabel] = "OLD";
    return p;
}

bool viaJson(K kind, const std::string& value) {
    Json group = {{"group", 1}};
    if (kind == K::Password || kind == K::IdNumber) {
        group[jsonKey(kind)] = value;
    } else {
        Json channels = Json::array();
        for (int c = 0; c < kChannels; ++c) channels.push_back(nullptr);
        channels[2] = {{jsonKey(kind), value}};
        group["channels"] = channels;
    }
    Programming prog = oldProgramming();
    try {
        applyJson({{"groups", {group}}}, prog);
        return true;
    } catch (const FieldError&) {
        return false;
    }
}

// ---- the CSV import ------------------------------------------------------------------

// A row of location 3 giving `value` in the columns that carry the field: a
// code guard text as the tone mode and the tone or digital code columns
// (a tone of 0 is no code guard).
std::string csvRow(K kind, const std::string& value) {
    std::string name = "NAME", freq = "150.000000", tone, rTone = "88.5", dtcs = "023", pol = "NN";
    if (kind == K::Frequency) freq = value;
    if (kind == K::Label) name = value;
    if (kind == K::CodeGuard) {
        if (value[0] == 'D' || value[0] == 'd') {
            const bool inverted = value.back() == '-';
            tone = "DTCS";
            dtcs = value.substr(1, value.size() - (inverted ? 2 : 1));
            pol = inverted ? "RR" : "NN";
        } else if (numericValue(value) != 0) {
            tone = "Tone";
            rTone = value;
        }
    }
    return std::string(kChannelCsvHeader) + "\r\n3," + name + "," + freq + ",,0," + tone + "," + rTone + ",88.5," +
           dtcs + "," + pol + ",023,Tone->Tone,FM,12.50,,High,,,,,\r\n";
}

bool viaCsv(K kind, const std::string& value) {
    MemoryImage img;
    encodeProgramming(oldProgramming(), img);
    try {
        (void)importChannelCsv(img, 0, csvRow(kind, value));
        return true;
    } catch (const FieldError&) {
        return false;
    }
}

bool hasGridField(K kind) { return kind == K::Frequency || kind == K::CodeGuard || kind == K::Label; }

TEST(FieldRules, EveryEntryPointAcceptsAndRefusesTheSameValues) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.value);
        const Refusal why = fieldRefusal(c.kind, c.value);
        EXPECT_EQ(!why, c.accepted) << "the rule";
        if (why) {
            EXPECT_FALSE(why->empty()) << "a refusal says why";
        }
        EXPECT_EQ(viaJson(c.kind, c.value), c.accepted) << "JSON import";
        if (!hasGridField(c.kind)) continue;  // the grid and the CSV have no password or ID
        EXPECT_EQ(typed(c.kind, c.value), c.accepted) << "typed into the grid";
        EXPECT_EQ(pasted(c.kind, c.value), c.accepted) << "pasted into the grid";
        if (c.kind == K::Frequency) {
            EXPECT_EQ(offset(c.value), c.accepted) << "the offset entry";
        }
        EXPECT_EQ(viaCsv(c.kind, c.value), c.accepted) << "CSV import";
    }
}

// A value equal to what the field holds is kept whatever it is, so that an
// image read from a radio exports and imports again unchanged; any other
// value is checked.
TEST(FieldRules, TheFieldsOwnValueIsAlwaysKept) {
    struct Held { K kind; const char* current; const char* same; const char* other; };
    const Held cases[] = {
        {K::Frequency, "162.40125", "162.401250", "162.40375"},
        {K::Frequency, "181.91875", "181.91875", "181.9"},
        {K::CodeGuard, "0A7.0", "0A7.0", "0A8.0"},
        {K::CodeGuard, "D089", " D089 ", "D088"},
        {K::Password, "12AB56", "12AB56", "12AB57"},
    };
    for (const Held& h : cases) {
        SCOPED_TRACE(h.current);
        EXPECT_FALSE(fieldRefusal(h.kind, h.same, h.current));
        EXPECT_TRUE(fieldRefusal(h.kind, h.other, h.current));
    }
}

TEST(FieldRules, TheGridAndTheImportsKeepAFrequencyTheChannelHolds) {
    // Typed: the value the cell held when the edit began.
    Grid g;
    g.screen.setCellText(1, colRecFreq, "162.40125");
    g.screen.setCurrent(1, colRecFreq);
    ASSERT_TRUE(g.editor.beforeCellEdit(colRecFreq));
    g.editor.afterCellEdit(1, colRecFreq, "162.40125");
    EXPECT_EQ(g.screen.beeps, 0);
    EXPECT_EQ(g.screen.cells[1][colRecFreq], "162.40125");
    g.editor.afterCellEdit(1, colRecFreq, "162.40375");
    EXPECT_EQ(g.screen.beeps, 1);
    EXPECT_EQ(g.editor.lastRefusal(), "162.40375: not on the 2.5 or 6.25 kHz raster");

    // Imported: the channel's own frequency off the raster goes back unchanged.
    Programming p = oldProgramming();
    p.groups[0].channels.cells[2][colRecFreq] = "162.40125";
    MemoryImage img;
    encodeProgramming(p, img);
    const std::string csv = exportChannelCsv(img, 0);
    EXPECT_TRUE(importChannelCsv(img, 0, csv).image == img);
    Programming back = decodeProgramming(img);
    applyJson(programmingToJson(back), back);
    EXPECT_EQ(back.groups[0].channels.cells[2][colRecFreq], "162.40125");
    EXPECT_THROW(importChannelCsv(MemoryImage{}, 0, csv), FieldError) << "another image does not hold it";
}

}  // namespace
