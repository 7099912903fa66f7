// Group record codec: encodings, field placement and the user code guard.
#include <gtest/gtest.h>

#include <functional>

#include "MapTables.h"
#include "image/clsGroup.h"

using namespace orv;
using orv::test::Bits;

namespace {

struct Fixture {
    MemoryImage img;
    GroupView view;
    clsGroup grp{img, view};
    uint8_t& param(int g, int k) { return img[orv::test::paramAddr(g, k)]; }
};

}  // namespace

TEST(GroupCodec, PasswordAndLabelAddresses) {
    // Group index 1 (odd, page 2) and group index 0.
    const std::pair<int, int> where[] = {{1, 0x02A6}, {0, 0x0126}};
    for (auto [g, pw] : where) {
        Fixture f;
        f.view.txtPassWord = "123456";
        f.view.txtGrpLab = "ABCDEFGH";
        f.grp.Write_Password(g);
        f.grp.Write_Group_Label(g);
        EXPECT_EQ(f.img[pw], 0x12);
        EXPECT_EQ(f.img[pw + 1], 0x34);
        EXPECT_EQ(f.img[pw + 2], 0x56);
        EXPECT_EQ(f.img[pw + 0x0D], 0x0A);  // 0x33 - 0x26
        EXPECT_EQ(f.img[pw + 0x14], 0x11);  // last label byte, 0x3A
    }
}

TEST(GroupCodec, TimeOutAndScanHold) {
    struct Case {
        int byte;
        int tot;
        const char* scan;
    };
    const Case cases[] = {{0x4B, 4, "5.5"}, {0x00, 0, "0.0"}, {0xFF, 15, "7.5"}, {0x1A, 1, "5.0"}};
    for (const Case& c : cases) {
        Fixture f;
        f.param(3, 0x2D) = static_cast<uint8_t>(c.byte);
        f.grp.Read_TOT_Scan(3);
        EXPECT_EQ(f.view.cboTOT, c.tot);
        EXPECT_EQ(f.view.cboScan, c.scan);
        f.param(3, 0x2D) = 0x99;
        f.grp.Write_TOT_Scan(3);
        EXPECT_EQ(f.param(3, 0x2D), c.byte);
    }
    // The scan hold text is read for its number; "OFF" or no selection is 0.
    Fixture f;
    f.view.cboTOT = -1;
    f.view.cboScan = " 2.5 s";
    f.grp.Write_TOT_Scan(0);
    EXPECT_EQ(f.param(0, 0x2D), 0x05);
}

TEST(GroupCodec, PriorityChannels) {
    const std::pair<int, int> reads[] = {{0xC5, 0}, {0x45, 17}, {0x05, 6}, {0x0F, 16}, {0x30, 1}, {0x80, 0}};
    for (auto [b, idx] : reads) {
        Fixture f;
        f.param(2, 0x2E) = static_cast<uint8_t>(b);
        f.param(2, 0x2F) = static_cast<uint8_t>(b);
        f.grp.Read_Pri_1(2);
        f.grp.Read_Pri_2(2);
        EXPECT_EQ(f.view.cboPri1Chan, idx) << b;
        EXPECT_EQ(f.view.cboPri2Chan, idx) << b;
    }
    struct W {
        int before, index, after;
    };
    const W writes[] = {{0x85, 17, 0x45}, {0xC0, 16, 0x0F}, {0x4A, 0, 0x8A}, {0xF5, 1, 0x30}, {0x00, 0, 0x80}};
    for (const W& w : writes) {
        Fixture f;
        f.param(7, 0x2E) = static_cast<uint8_t>(w.before);
        f.param(7, 0x2F) = static_cast<uint8_t>(w.before);
        f.view.cboPri1Chan = w.index;
        f.view.cboPri2Chan = w.index;
        f.grp.Write_Pri_1(7);
        f.grp.Write_Pri_2(7);
        EXPECT_EQ(f.param(7, 0x2E), w.after) << w.before << " " << w.index;
        EXPECT_EQ(f.param(7, 0x2F), w.after) << w.before << " " << w.index;
    }
}

TEST(GroupCodec, PasswordAndID) {
    struct Pw {
        const char* text;
        std::array<int, 3> bytes;
        const char* readBack;
    };
    const Pw pws[] = {{"123456", {0x12, 0x34, 0x56}, "123456"},
                      {"1234", {0x00, 0x12, 0x34}, "001234"},
                      {"", {0x00, 0x00, 0x00}, "000000"},
                      {"1234567", {0x12, 0x34, 0x56}, "123456"},
                      {"AB12x9", {0xAB, 0x12, 0x09}, "AB1209"}};
    for (const Pw& p : pws) {
        Fixture f;
        f.view.txtPassWord = p.text;
        f.grp.Write_Password(5);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(f.param(5, 0x26 + i), p.bytes[i]) << p.text;
        f.grp.Read_Password(5);
        EXPECT_EQ(f.view.txtPassWord, p.readBack);
    }
    struct Id {
        const char* text;
        std::array<int, 4> bytes;
        const char* readBack;
    };
    const Id ids[] = {{"1234567", {0x01, 0x23, 0x45, 0x67}, "1234567"},
                      {"12345678", {0x12, 0x34, 0x56, 0x78}, "2345678"},
                      {"42", {0x00, 0x00, 0x00, 0x42}, "0000042"}};
    for (const Id& d : ids) {
        Fixture f;
        f.view.txtID = d.text;
        f.grp.Write_ID_Num(8);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(f.param(8, 0x29 + i), d.bytes[i]) << d.text;
        f.grp.Read_ID_Num(8);
        EXPECT_EQ(f.view.txtID, d.readBack);
    }
    Fixture f;
    f.param(0, 0x29) = 0xF3;
    f.param(0, 0x2A) = 0x0B;
    f.param(0, 0x2B) = 0xC0;
    f.param(0, 0x2C) = 0x07;
    f.grp.Read_ID_Num(0);
    EXPECT_EQ(f.view.txtID, "30BC007");
}

TEST(GroupCodec, BatterySaverAndBitFields) {
    Fixture f;
    f.param(4, 0x30) = 0x80;
    f.grp.Read_Battery_Saver(4);
    EXPECT_TRUE(f.view.optBattSaveOff);
    EXPECT_FALSE(f.view.optBattSaveOn);
    f.param(4, 0x30) = 0xFF;
    f.view.optBattSaveOn = true;
    f.view.optBattSaveOff = false;
    f.grp.Write_Battery_Saver(4);
    EXPECT_EQ(f.param(4, 0x30), 0x7F);

    f.param(4, 0x32) = 0xC0;
    f.view.cboBackLight = 3;
    f.view.cboDisplay = 1;
    f.view.cboDuration = 7;
    f.grp.Write_BackLight(4);
    f.grp.Write_Display_Mode(4);
    f.grp.Write_Duration(4);
    EXPECT_EQ(f.param(4, 0x32), 0xFF);

    f.param(4, 0x32) = 0x1D;  // back light 1, display 1, duration 5
    f.param(4, 0x31) = 0x50;  // BCI 2, ANI 2
    f.grp.Read_BackLight(4);
    f.grp.Read_Display_Mode(4);
    f.grp.Read_Duration(4);
    f.grp.Read_Busy_Channel_Indicate(4);
    f.grp.Read_ANI_DTMF(4);
    EXPECT_EQ(f.view.cboBackLight, 1);
    EXPECT_EQ(f.view.cboDisplay, 1);
    EXPECT_EQ(f.view.cboDuration, 5);
    EXPECT_EQ(f.view.cboBCI, 2);
    EXPECT_EQ(f.view.cboANI, 2);
}

TEST(GroupCodec, UserCodeGuard) {
    struct W {
        bool enabled;
        int entry;
        int byte0;   // bits 4..0 of byte 0x00 after the write
        int byte31;  // bit 7 of byte 0x31
    };
    const W writes[] = {{true, 0, 0x0F, 0x80}, {true, 5, 0x14, 0x80}, {true, 16, 0x1F, 0x80},
                        {false, 5, 0x04, 0x00}, {false, 0, 0x0F, 0x00}, {true, 1, 0x10, 0x80}};
    for (const W& w : writes) {
        Fixture f;
        f.view.optUCGEnabled = w.enabled;
        f.view.optUCGDisabled = !w.enabled;
        f.view.cboUCGChan = w.entry;
        f.grp.Write_UCG_Enable(9);
        f.grp.Write_UCG_Chan(9);
        EXPECT_EQ(f.param(9, 0x00), w.byte0) << w.entry;
        EXPECT_EQ(f.param(9, 0x31), w.byte31) << w.entry;
        // Reading back gives the same choice.
        GroupView back;
        clsGroup g2(f.img, back);
        g2.Read_UCG_Enable(9);
        g2.Read_UCG_Chan(9);
        EXPECT_EQ(back.optUCGEnabled, w.enabled);
        EXPECT_EQ(back.optUCGDisabled, !w.enabled);
        EXPECT_EQ(back.cboUCGChan, w.enabled || w.entry != 16 ? w.entry : 0) << w.entry;
    }
    struct R {
        int byte0, byte31, entry;
    };
    const R reads[] = {{0x03, 0x80, 0}, {0x03, 0x00, 4}, {0x13, 0x80, 4}, {0x0F, 0x00, 0},
                       {0x1F, 0x00, 16}, {0x1F, 0x80, 16}, {0x0F, 0x80, 0}, {0x0E, 0x00, 15}};
    for (const R& r : reads) {
        Fixture f;
        f.param(12, 0x00) = static_cast<uint8_t>(r.byte0);
        f.param(12, 0x31) = static_cast<uint8_t>(r.byte31);
        f.grp.Read_UCG_Chan(12);
        EXPECT_EQ(f.view.cboUCGChan, r.entry) << r.byte0 << " " << r.byte31;
    }
}

TEST(GroupCodec, GroupLabelRead) {
    Fixture f;
    for (int i = 0; i < 8; ++i) f.param(6, 0x33 + i) = 0xFF;
    f.grp.Read_Group_Label(6);
    EXPECT_EQ(f.view.txtGrpLab, "");
    f.param(6, 0x34) = 0x2F;
    f.param(6, 0x39) = 0x30;
    f.grp.Read_Group_Label(6);
    EXPECT_EQ(f.view.txtGrpLab, "h ");
}

// Every group field, for every group, on images of 0x00 and 0xFF: only the
// field's own bits change, and they get the expected value.
TEST(GroupCodec, EachFieldWritesOnlyItsOwnBits) {
    struct K {
        int k, mask, value;
    };
    struct FieldCase {
        const char* name;
        std::function<void(GroupView&)> set;
        void (clsGroup::*write)(int);
        std::vector<K> bits;
    };
    const FieldCase cases[] = {
        {"password ones", [](GroupView& v) { v.txtPassWord = "FFFFFF"; }, &clsGroup::Write_Password,
         {{0x26, 0xFF, 0xFF}, {0x27, 0xFF, 0xFF}, {0x28, 0xFF, 0xFF}}},
        {"password", [](GroupView& v) { v.txtPassWord = "90817"; }, &clsGroup::Write_Password,
         {{0x26, 0xFF, 0x09}, {0x27, 0xFF, 0x08}, {0x28, 0xFF, 0x17}}},
        {"id ones", [](GroupView& v) { v.txtID = "FFFFFFFF"; }, &clsGroup::Write_ID_Num,
         {{0x29, 0xFF, 0xFF}, {0x2A, 0xFF, 0xFF}, {0x2B, 0xFF, 0xFF}, {0x2C, 0xFF, 0xFF}}},
        {"id zeros", [](GroupView& v) { v.txtID = "0"; }, &clsGroup::Write_ID_Num,
         {{0x29, 0xFF, 0}, {0x2A, 0xFF, 0}, {0x2B, 0xFF, 0}, {0x2C, 0xFF, 0}}},
        {"label", [](GroupView& v) { v.txtGrpLab = "Grp 7"; }, &clsGroup::Write_Group_Label,
         {{0x33, 0xFF, 0x30}, {0x34, 0xFF, 0x30}, {0x35, 0xFF, 0x30}, {0x36, 0xFF, 0x10},
          {0x37, 0xFF, 0x1B}, {0x38, 0xFF, 0x19}, {0x39, 0xFF, 0x30}, {0x3A, 0xFF, 0x07}}},
        {"tot/scan max", [](GroupView& v) { v.cboTOT = 15; v.cboScan = "7.5"; }, &clsGroup::Write_TOT_Scan,
         {{0x2D, 0xFF, 0xFF}}},
        {"tot/scan off", [](GroupView& v) { v.cboTOT = 0; v.cboScan = "0.0"; }, &clsGroup::Write_TOT_Scan,
         {{0x2D, 0xFF, 0x00}}},
        {"pri1 off", [](GroupView& v) { v.cboPri1Chan = 0; }, &clsGroup::Write_Pri_1, {{0x2E, 0xC0, 0x80}}},
        {"pri1 main", [](GroupView& v) { v.cboPri1Chan = 17; }, &clsGroup::Write_Pri_1, {{0x2E, 0xC0, 0x40}}},
        {"pri1 ch16", [](GroupView& v) { v.cboPri1Chan = 16; }, &clsGroup::Write_Pri_1, {{0x2E, 0xCF, 0x0F}}},
        {"pri1 ch1", [](GroupView& v) { v.cboPri1Chan = 1; }, &clsGroup::Write_Pri_1, {{0x2E, 0xCF, 0x00}}},
        {"pri2 off", [](GroupView& v) { v.cboPri2Chan = 0; }, &clsGroup::Write_Pri_2, {{0x2F, 0xC0, 0x80}}},
        {"pri2 ch11", [](GroupView& v) { v.cboPri2Chan = 11; }, &clsGroup::Write_Pri_2, {{0x2F, 0xCF, 0x0A}}},
        {"batt off", [](GroupView& v) { v.optBattSaveOff = true; v.optBattSaveOn = false; },
         &clsGroup::Write_Battery_Saver, {{0x30, 0x80, 0x80}}},
        {"batt on", [](GroupView& v) { v.optBattSaveOff = false; v.optBattSaveOn = true; },
         &clsGroup::Write_Battery_Saver, {{0x30, 0x80, 0x00}}},
        {"scan list on", [](GroupView& v) { v.chkGroupScanList = 1; }, &clsGroup::Write_Group_Scan_List,
         {{0x30, 0x40, 0x40}}},
        {"scan list grey", [](GroupView& v) { v.chkGroupScanList = 2; }, &clsGroup::Write_Group_Scan_List,
         {{0x30, 0x40, 0x00}}},
        {"pri tx", [](GroupView& v) { v.chkPriTX = 1; }, &clsGroup::Write_Pri_TX, {{0x30, 0x20, 0x20}}},
        {"pri tx off", [](GroupView& v) { v.chkPriTX = 0; }, &clsGroup::Write_Pri_TX, {{0x30, 0x20, 0x00}}},
        {"lockouts", [](GroupView& v) { v.chkPriKeyLock = 1; v.chkENTCLRLock = 1; },
         &clsGroup::Write_Keyboard_Lockouts, {{0x30, 0x18, 0x18}}},
        {"lockouts off", [](GroupView& v) { v.chkPriKeyLock = 0; v.chkENTCLRLock = 0; },
         &clsGroup::Write_Keyboard_Lockouts, {{0x30, 0x18, 0x00}}},
        {"bci", [](GroupView& v) { v.cboBCI = 3; }, &clsGroup::Write_Busy_Channel_Indicate, {{0x31, 0x60, 0x60}}},
        {"bci off", [](GroupView& v) { v.cboBCI = 0; }, &clsGroup::Write_Busy_Channel_Indicate, {{0x31, 0x60, 0}}},
        {"ani", [](GroupView& v) { v.cboANI = 3; }, &clsGroup::Write_ANI_DTMF, {{0x31, 0x18, 0x18}}},
        {"ani off", [](GroupView& v) { v.cboANI = 0; }, &clsGroup::Write_ANI_DTMF, {{0x31, 0x18, 0}}},
        {"backlight", [](GroupView& v) { v.cboBackLight = 3; }, &clsGroup::Write_BackLight, {{0x32, 0x30, 0x30}}},
        {"backlight off", [](GroupView& v) { v.cboBackLight = 0; }, &clsGroup::Write_BackLight, {{0x32, 0x30, 0}}},
        {"display", [](GroupView& v) { v.cboDisplay = 1; }, &clsGroup::Write_Display_Mode, {{0x32, 0x08, 0x08}}},
        {"display 7seg", [](GroupView& v) { v.cboDisplay = 0; }, &clsGroup::Write_Display_Mode, {{0x32, 0x08, 0}}},
        {"duration", [](GroupView& v) { v.cboDuration = 7; }, &clsGroup::Write_Duration, {{0x32, 0x07, 0x07}}},
        {"duration off", [](GroupView& v) { v.cboDuration = 0; }, &clsGroup::Write_Duration, {{0x32, 0x07, 0}}},
        {"encode", [](GroupView& v) { v.chkUCGEncode = 1; }, &clsGroup::Write_UCG_Encode, {{0x00, 0x20, 0x20}}},
        {"encode off", [](GroupView& v) { v.chkUCGEncode = 0; }, &clsGroup::Write_UCG_Encode, {{0x00, 0x20, 0}}},
        {"ucg enabled", [](GroupView& v) { v.optUCGEnabled = true; v.optUCGDisabled = false; v.cboUCGChan = 5; },
         &clsGroup::Write_UCG_Enable, {{0x31, 0x80, 0x80}, {0x00, 0x10, 0x10}}},
        {"ucg enabled ch0", [](GroupView& v) { v.optUCGEnabled = true; v.optUCGDisabled = false; v.cboUCGChan = 0; },
         &clsGroup::Write_UCG_Enable, {{0x31, 0x80, 0x80}, {0x00, 0x10, 0x00}}},
        {"ucg disabled", [](GroupView& v) { v.optUCGEnabled = false; v.optUCGDisabled = true; v.cboUCGChan = 5; },
         &clsGroup::Write_UCG_Enable, {{0x31, 0x80, 0x00}, {0x00, 0x10, 0x00}}},
        {"ucg chan 0", [](GroupView& v) { v.cboUCGChan = 0; }, &clsGroup::Write_UCG_Chan, {{0x00, 0x0F, 0x0F}}},
        {"ucg chan 1", [](GroupView& v) { v.cboUCGChan = 1; }, &clsGroup::Write_UCG_Chan, {{0x00, 0x0F, 0x00}}},
        {"ucg chan 16", [](GroupView& v) { v.cboUCGChan = 16; }, &clsGroup::Write_UCG_Chan, {{0x00, 0x0F, 0x0F}}},
        // No selection is cut by the mask like any other value.
        {"bci none", [](GroupView& v) { v.cboBCI = -1; }, &clsGroup::Write_Busy_Channel_Indicate,
         {{0x31, 0x60, 0x60}}},
    };
    for (const FieldCase& fc : cases) {
        for (int g = 0; g < 15; ++g) {
            for (int fill : {0x00, 0xFF}) {
                MemoryImage img = orv::test::filled(static_cast<uint8_t>(fill));
                const MemoryImage before = img;
                GroupView view;
                fc.set(view);
                clsGroup grp(img, view);
                (grp.*fc.write)(g);
                std::vector<Bits> bits;
                for (const K& k : fc.bits) bits.push_back({orv::test::paramAddr(g, k.k), k.mask, k.value});
                ASSERT_EQ(orv::test::checkOnly(before, img, bits), "") << fc.name << " group " << g << " fill " << fill;
            }
        }
    }
}

TEST(GroupCodec, WholeGroupWritesOnlyItsOwnBlock) {
    for (int g = 0; g < 15; ++g) {
        for (int fill : {0x00, 0xFF}) {
            MemoryImage img = orv::test::filled(static_cast<uint8_t>(fill));
            const MemoryImage before = img;
            GroupView view;
            clsGroup grp(img, view);
            grp.Read_Group(g);
            grp.Write_Group(g);
            for (int a = 0; a < MemoryImage::kSize; ++a) {
                if (a >= orv::test::kParamBase[g] && a < orv::test::kParamBase[g] + 0x180) continue;
                ASSERT_EQ(img[a], before[a]) << "group " << g << " touched 0x" << std::hex << a;
            }
            // Group parameter bytes that hold no field stay as they were.
            for (int k = 0x01; k <= 0x1F; ++k) ASSERT_EQ(img[orv::test::paramAddr(g, k)], fill);
            for (int k = 0x3B; k <= 0x7F; ++k) ASSERT_EQ(img[orv::test::paramAddr(g, k)], fill);
        }
    }
}

TEST(GroupCodec, OutOfRangeGroupTouchesNothing) {
    MemoryImage img = orv::test::filled(0x11);
    const MemoryImage before = img;
    GroupView view;
    clsGroup grp(img, view);
    EXPECT_THROW(grp.Write_Group(15), std::out_of_range);
    EXPECT_THROW(grp.Write_Group(-1), std::out_of_range);
    EXPECT_THROW(grp.Write_Password(15), std::out_of_range);
    EXPECT_EQ(img, before);
}
