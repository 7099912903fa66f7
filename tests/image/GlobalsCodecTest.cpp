// Global record codec: simple fields, toggle switches, rotary switch.
#include <gtest/gtest.h>
#include <stdexcept>

#include <functional>

#include "MapTables.h"
#include "image/clsGlobals.h"

using namespace orv;
using orv::test::Bits;

namespace {

// A view in which nothing is selected and every check box agrees with the
// given fill, so that a write changes only what a test sets.
GlobalsView neutralView(int fill) {
    GlobalsView v;
    v.cboGroup.fill(-1);
    v.cboChan.fill(-1);
    v.chkGrpVar.fill(fill ? 1 : 0);
    v.chkChanVar.fill(fill ? 1 : 0);
    return v;
}

}  // namespace

TEST(GlobalsCodec, SimpleFieldsRead) {
    struct Case {
        int address, byte;
        int GlobalsView::*field;
        int index;
    };
    const Case cases[] = {
        {0x07, 0xF8, &GlobalsView::cboDTMFDev, 31},  {0x07, 0x03, &GlobalsView::cboPorchTime, 3},
        {0x07, 0x04, &GlobalsView::cboANIRate, 1},   {0x9B, 0x07, &GlobalsView::cboPriRate, 7},
        {0x06, 0xFB, &GlobalsView::cboBattSave, 0},  {0x06, 0x04, &GlobalsView::cboBattSave, 1},
        {0x9B, 0x80, &GlobalsView::cboFreqDisplay, 1}, {0x9B, 0x40, &GlobalsView::cboLoPower, 1},
        {0x9B, 0x20, &GlobalsView::cboTalkBack, 1},  {0x9B, 0x10, &GlobalsView::cboNuisanceChan, 1},
        {0x9B, 0xEF, &GlobalsView::cboNuisanceChan, 0}, {0x07, 0x48, &GlobalsView::cboDTMFDev, 9},
    };
    for (const Case& c : cases) {
        MemoryImage img;
        img[c.address] = static_cast<uint8_t>(c.byte);
        GlobalsView v;
        clsGlobals glb(img, v);
        glb.Read_Globals();
        EXPECT_EQ(v.*c.field, c.index) << std::hex << c.address << " " << c.byte;
    }
    EXPECT_EQ(lists::cboDTMFDev()[31], "2906.25");
    EXPECT_EQ(lists::cboPorchTime()[3], "1020");
    EXPECT_EQ(lists::cboPriRate()[7], "2");
}

TEST(GlobalsCodec, SwitchCodes) {
    const int assignment[8] = {2, 0, 0, 0, 1, 5, 4, 3};
    const char* names[8] = {"Keypad", "", "", "Always Off", "Always On", "Right Toggle", "Middle Toggle", "Left Toggle"};
    for (int code = 0; code < 8; ++code) {
        EXPECT_EQ(clsGlobals::Set_Switch_Assignment(code), assignment[code]);
        EXPECT_EQ(SwitchName(code), names[code]);
        // The list entry names the switch (codes 1 and 2 show "Always Off").
        std::string entry = lists::cboSwitch()[static_cast<std::size_t>(assignment[code])];
        EXPECT_EQ(entry, code == 1 || code == 2 ? "Always Off" : names[code]);
    }
    const int returns[6] = {3, 4, 0, 7, 6, 5};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(clsGlobals::Set_Switch_Returns(i), returns[i]);
    EXPECT_EQ(clsGlobals::Set_Switch_Returns(6), 0);
    EXPECT_EQ(clsGlobals::Set_Switch_Returns(-1), 0);
    EXPECT_EQ(SwitchName(8), "");

    // Priority scan "Right Toggle" (code 5) and "Always On" (code 4).
    const std::pair<int, std::pair<int, int>> pri[] = {{5, {0x02, 0x80}}, {1, {0x02, 0x00}}};
    for (auto [index, bits] : pri) {
        MemoryImage img;
        GlobalsView v = neutralView(0);
        v.cboPriScan = index;
        clsGlobals(img, v).Write_Switch_Assignments();
        EXPECT_EQ(img[0x98], bits.first);
        EXPECT_EQ(img[0x99], bits.second);
    }
    // Codes 1 and 2 read as "Always Off" and are written back as 3.
    for (int code : {1, 2}) {
        MemoryImage img;
        img[0x98] = static_cast<uint8_t>(code * 32 | code * 4 | code / 2);
        img[0x99] = static_cast<uint8_t>((code % 2) * 128 | code * 16 | code * 2);
        GlobalsView v;
        clsGlobals glb(img, v);
        glb.Read_Switch_Assignments();
        for (int idx : {v.cboLoPowerSwitch, v.cboChanScan, v.cboPriScan, v.cboRTA, v.cboGroupScan}) EXPECT_EQ(idx, 0);
        glb.Write_Switch_Assignments();
        EXPECT_EQ(img[0x98], 3 * 32 | 3 * 4 | 1);
        EXPECT_EQ(img[0x99], 128 | 3 * 16 | 3 * 2);
    }
}

TEST(GlobalsCodec, RotaryPositions) {
    struct Case {
        int byte;      // 0x80 + p
        bool grpBit, chanBit;
        int group, chan;     // indices read
        int byteBack;        // after writing back
        bool grpBitBack, chanBitBack;
    };
    const Case cases[] = {
        {0xF3, false, false, 15, 3, 0x03, true, false},   // group nibble 15: "Global"
        {0x53, true, false, 15, 3, 0x03, true, false},    // Global bit wins over the nibble
        {0x07, false, true, 0, 16, 0x00, false, true},    // channel "Global"
        {0x00, false, false, 0, 0, 0x00, false, false},   // "Group 1", "Channel 1"
        {0xEF, false, false, 14, 15, 0xEF, false, false},
    };
    for (int p : {0, 6, 7, 8, 15}) {
        for (const Case& c : cases) {
            MemoryImage img;
            const int byteOfPair = p < 8 ? 1 : 0;
            const int bit = 1 << (p % 8);
            img[0x80 + p] = static_cast<uint8_t>(c.byte);
            if (c.grpBit) img[0x90 + byteOfPair] = static_cast<uint8_t>(bit);
            if (c.chanBit) img[0x92 + byteOfPair] = static_cast<uint8_t>(bit);
            img[0x94 + byteOfPair] = static_cast<uint8_t>(bit);
            GlobalsView v;
            clsGlobals glb(img, v);
            glb.Read_Rotary_Switch();
            EXPECT_EQ(v.cboGroup[p], c.group) << p;
            EXPECT_EQ(v.cboChan[p], c.chan) << p;
            EXPECT_EQ(v.chkGrpVar[p], 1);
            EXPECT_EQ(v.chkChanVar[p], 0);
            glb.Write_Rotary_Switch();
            EXPECT_EQ(img[0x80 + p], c.byteBack) << p;
            EXPECT_EQ((img[0x90 + byteOfPair] & bit) != 0, c.grpBitBack) << p;
            EXPECT_EQ((img[0x92 + byteOfPair] & bit) != 0, c.chanBitBack) << p;
            EXPECT_EQ(img[0x94 + byteOfPair], bit);
        }
    }
}

TEST(GlobalsCodec, GlobalGroupAndChannel) {
    const std::pair<int, std::pair<int, int>> cases[] = {{0x00, {0, 0}}, {0xEF, {14, 15}}, {0xF5, {-1, 5}}};
    for (auto [b, idx] : cases) {
        MemoryImage img;
        img[0xFF] = static_cast<uint8_t>(b);
        GlobalsView v;
        clsGlobals glb(img, v);
        EXPECT_NO_THROW(glb.Read_Globals());
        EXPECT_EQ(v.cboGlobalGroup, idx.first);
        EXPECT_EQ(v.cboGlobalChannel, idx.second);
        glb.Write_Globals();
        EXPECT_EQ(img[0xFF], b);  // no selection keeps the stored nibble
    }
}

// A codec made on a const image reads like any other and refuses every
// write before it touches a byte.
TEST(GlobalsCodec, AReadingCodecReadsAndRefusesEveryWrite) {
    using Op = void (clsGlobals::*)();
    struct Case { Op op; bool writes; };
    const Case ops[] = {
        {&clsGlobals::Read_Globals, false}, {&clsGlobals::Read_DTMF_Dev, false},
        {&clsGlobals::Read_Front_Porch_Time, false}, {&clsGlobals::Read_ANI_Rate, false},
        {&clsGlobals::Read_Pri_Rate, false}, {&clsGlobals::Read_Battery_Saver_Inhibit, false},
        {&clsGlobals::Read_Freq_Display, false}, {&clsGlobals::Read_Per_Channel_Power, false},
        {&clsGlobals::Read_Talk_Back_Scan, false}, {&clsGlobals::Read_Nuisance_Channel_Delete, false},
        {&clsGlobals::Read_Switch_Assignments, false}, {&clsGlobals::Read_Rotary_Switch, false},
        {&clsGlobals::Write_Globals, true}, {&clsGlobals::Write_DTMF_Dev, true},
        {&clsGlobals::Write_Front_Porch_Time, true}, {&clsGlobals::Write_ANI_Rate, true},
        {&clsGlobals::Write_Pri_Rate, true}, {&clsGlobals::Write_Battery_Saver_Inhibit, true},
        {&clsGlobals::Write_Freq_Display, true}, {&clsGlobals::Write_Per_Channel_Power, true},
        {&clsGlobals::Write_Talk_Back_Scan, true}, {&clsGlobals::Write_Nuisance_Channel_Delete, true},
        {&clsGlobals::Write_Switch_Assignments, true}, {&clsGlobals::Write_Rotary_Switch, true},
    };
    for (const Case& c : ops) {
        const MemoryImage img = orv::test::filled(0x35);
        GlobalsView v;
        GlobalsView expected;
        clsGlobals(MemoryImage(img), expected).Read_Globals();
        clsGlobals glb(img, v);
        if (c.writes) {
            clsGlobals(MemoryImage(img), v).Read_Globals();  // every list selected
            EXPECT_THROW((glb.*c.op)(), std::logic_error);
            EXPECT_TRUE(img == orv::test::filled(0x35));
        } else {
            EXPECT_NO_THROW((glb.*c.op)());
        }
    }
    const MemoryImage img = orv::test::filled(0x35);
    GlobalsView fromConst, fromMutable;
    clsGlobals(img, fromConst).Read_Globals();
    MemoryImage copy = img;
    clsGlobals(copy, fromMutable).Read_Globals();
    EXPECT_EQ(fromConst.cboDTMFDev, fromMutable.cboDTMFDev);
    EXPECT_EQ(fromConst.cboGroup, fromMutable.cboGroup);
    EXPECT_EQ(fromConst.cboRTA, fromMutable.cboRTA);
}

// Every global field on page-0 images of 0x00 and 0xFF: only its own bits change.
TEST(GlobalsCodec, EachFieldWritesOnlyItsOwnBits) {
    struct FieldCase {
        const char* name;
        std::function<void(GlobalsView&, int fill)> set;
        void (clsGlobals::*write)();
        std::function<std::vector<Bits>(int fill)> bits;
    };
    auto one = [](int a, int m, int onesValue) {
        return [=](int fill) { return std::vector<Bits>{{a, m, fill ? 0 : onesValue}}; };
    };
    const FieldCase cases[] = {
        {"dtmf", [](GlobalsView& v, int f) { v.cboDTMFDev = f ? 0 : 31; }, &clsGlobals::Write_DTMF_Dev, one(0x07, 0xF8, 0xF8)},
        {"porch", [](GlobalsView& v, int f) { v.cboPorchTime = f ? 0 : 3; }, &clsGlobals::Write_Front_Porch_Time, one(0x07, 0x03, 0x03)},
        {"ani rate", [](GlobalsView& v, int f) { v.cboANIRate = f ? 0 : 1; }, &clsGlobals::Write_ANI_Rate, one(0x07, 0x04, 0x04)},
        {"pri rate", [](GlobalsView& v, int f) { v.cboPriRate = f ? 0 : 7; }, &clsGlobals::Write_Pri_Rate, one(0x9B, 0x07, 0x07)},
        {"batt", [](GlobalsView& v, int f) { v.cboBattSave = f ? 0 : 1; }, &clsGlobals::Write_Battery_Saver_Inhibit, one(0x06, 0x04, 0x04)},
        {"freq display", [](GlobalsView& v, int f) { v.cboFreqDisplay = f ? 0 : 1; }, &clsGlobals::Write_Freq_Display, one(0x9B, 0x80, 0x80)},
        {"lo power", [](GlobalsView& v, int f) { v.cboLoPower = f ? 0 : 1; }, &clsGlobals::Write_Per_Channel_Power, one(0x9B, 0x40, 0x40)},
        {"talk back", [](GlobalsView& v, int f) { v.cboTalkBack = f ? 0 : 1; }, &clsGlobals::Write_Talk_Back_Scan, one(0x9B, 0x20, 0x20)},
        {"nuisance", [](GlobalsView& v, int f) { v.cboNuisanceChan = f ? 0 : 1; }, &clsGlobals::Write_Nuisance_Channel_Delete, one(0x9B, 0x10, 0x10)},
        // Index 3 is "Left Toggle" (code 7, all ones), index 2 "Keypad" (code 0).
        {"lo power switch", [](GlobalsView& v, int f) { v.cboLoPowerSwitch = f ? 2 : 3; }, &clsGlobals::Write_Switch_Assignments, one(0x98, 0xE0, 0xE0)},
        {"chan scan", [](GlobalsView& v, int f) { v.cboChanScan = f ? 2 : 3; }, &clsGlobals::Write_Switch_Assignments, one(0x98, 0x1C, 0x1C)},
        {"pri scan", [](GlobalsView& v, int f) { v.cboPriScan = f ? 2 : 3; }, &clsGlobals::Write_Switch_Assignments,
         [](int f) { return std::vector<Bits>{{0x98, 0x03, f ? 0 : 3}, {0x99, 0x80, f ? 0 : 0x80}}; }},
        {"rta", [](GlobalsView& v, int f) { v.cboRTA = f ? 2 : 3; }, &clsGlobals::Write_Switch_Assignments, one(0x99, 0x70, 0x70)},
        {"group scan", [](GlobalsView& v, int f) { v.cboGroupScan = f ? 2 : 3; }, &clsGlobals::Write_Switch_Assignments, one(0x99, 0x0E, 0x0E)},
        {"global group", [](GlobalsView& v, int f) { v.cboGlobalGroup = f ? 0 : 14; }, &clsGlobals::Write_Rotary_Switch, one(0xFF, 0xF0, 0xE0)},
        {"global channel", [](GlobalsView& v, int f) { v.cboGlobalChannel = f ? 0 : 15; }, &clsGlobals::Write_Rotary_Switch, one(0xFF, 0x0F, 0x0F)},
    };
    for (const FieldCase& fc : cases) {
        for (int fill : {0x00, 0xFF}) {
            MemoryImage img = orv::test::filled(static_cast<uint8_t>(fill));
            const MemoryImage before = img;
            GlobalsView v = neutralView(fill);
            fc.set(v, fill);
            clsGlobals glb(img, v);
            (glb.*fc.write)();
            ASSERT_EQ(orv::test::checkOnly(before, img, fc.bits(fill)), "") << fc.name << " fill " << fill;
        }
    }
    // Each rotary position, as a group/channel pair and as "Global".
    for (int p = 0; p < 16; ++p) {
        for (int fill : {0x00, 0xFF}) {
            const int pb = p < 8 ? 1 : 0;
            const int m = 1 << (p % 8);
            struct R {
                int group, chan, grpVar, chanVar;
                std::vector<Bits> bits;
            };
            const R rs[] = {
                {14, 15, fill ? 0 : 1, fill ? 0 : 1,
                 {{0x80 + p, 0xFF, 0xEF}, {0x90 + pb, m, 0}, {0x92 + pb, m, 0},
                  {0x94 + pb, m, fill ? 0 : m}, {0x96 + pb, m, fill ? 0 : m}}},
                {15, 16, fill ? 1 : 0, fill ? 1 : 0,
                 {{0x80 + p, 0xFF, 0x00}, {0x90 + pb, m, m}, {0x92 + pb, m, m}}},
                {0, 0, fill ? 1 : 0, fill ? 1 : 0,
                 {{0x80 + p, 0xFF, 0x00}, {0x90 + pb, m, 0}, {0x92 + pb, m, 0}}},
            };
            for (const R& r : rs) {
                MemoryImage img = orv::test::filled(static_cast<uint8_t>(fill));
                const MemoryImage before = img;
                GlobalsView v = neutralView(fill);
                v.cboGroup[p] = r.group;
                v.cboChan[p] = r.chan;
                v.chkGrpVar[p] = r.grpVar;
                v.chkChanVar[p] = r.chanVar;
                clsGlobals(img, v).Write_Rotary_Switch();
                ASSERT_EQ(orv::test::checkOnly(before, img, r.bits), "") << "position " << p + 1 << " fill " << fill;
            }
        }
    }
}

TEST(GlobalsCodec, WriteAllKeepsBitsOfNoField) {
    for (int fill : {0x00, 0xFF}) {
        MemoryImage img = orv::test::filled(static_cast<uint8_t>(fill));
        GlobalsView v;
        clsGlobals glb(img, v);
        glb.Read_Globals();
        glb.Write_Globals();
        EXPECT_EQ(img[0x06] & 0xFB, fill & 0xFB);
        EXPECT_EQ(img[0x99] & 0x01, fill & 0x01);
        EXPECT_EQ(img[0x9B] & 0x08, fill & 0x08);
        EXPECT_EQ(img[0x9A], fill);
        for (int a = 0; a < MemoryImage::kSize; ++a) {
            if (a == 0x06 || a == 0x07 || (a >= 0x80 && a <= 0x99) || a == 0x9B || a == 0xFF) continue;
            ASSERT_EQ(img[a], fill) << std::hex << a;
        }
    }
}
