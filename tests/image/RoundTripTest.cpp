// Reading an image into the views and writing the views back changes no
// byte, except where the stored form has more than one encoding of a value;
// those cases are spelled out in canonical() below. Labels of bytes without
// a character keep them.
#include <gtest/gtest.h>

#include <random>

#include "MapTables.h"
#include "image/clsGlobals.h"
#include "image/clsGroup.h"

using namespace orv;

namespace {

MemoryImage randomImage(std::mt19937& rng) {
    MemoryImage img;
    std::uniform_int_distribution<int> byte(0, 255);
    for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>(byte(rng));
    return img;
}

// Random bytes that are mostly radio character codes, sometimes not.
void sprinkleLabels(MemoryImage& img, std::mt19937& rng, bool onlyValid) {
    std::uniform_int_distribution<int> code(0, 0x30), any(0, 255), coin(0, 7);
    auto fill = [&](int a) {
        img[a] = static_cast<uint8_t>(onlyValid || coin(rng) ? code(rng) : any(rng));
    };
    for (int g = 0; g < 15; ++g) {
        for (int i = 0; i < 8; ++i) fill(orv::test::paramAddr(g, 0x33 + i));
        for (int c = 0; c < 16; ++c)
            for (int i = 0; i < 8; ++i) fill(orv::test::labelAddr(g, c, i));
    }
}

// The image that a read followed by a write of group g must leave.
void canonicalGroup(MemoryImage& img, int g) {
    for (int c = 0; c < 16; ++c) {
        for (int j : {2, 6}) {
            int a = orv::test::recordAddr(g, c, j);
            if (img[a] & 0x80) img[a] = static_cast<uint8_t>((img[a] & 0xC1) | 0x08);  // digital code guard
        }
    }
    // Labels keep their bytes, also those that are no characters (their
    // text is the one the bytes are shown as).
    img[orv::test::paramAddr(g, 0x29)] &= 0x0F;  // the eighth ID digit is not shown
    for (int k : {0x2E, 0x2F}) {
        uint8_t& b = img[orv::test::paramAddr(g, k)];
        if (b & 0x80) b &= 0xBF;  // "OFF" clears "MAIN"
    }
    uint8_t& b0 = img[orv::test::paramAddr(g, 0x00)];
    const bool enabled = img[orv::test::paramAddr(g, 0x31)] & 0x80;
    const bool chanSet = b0 & 0x10;
    if (chanSet && !enabled) b0 &= 0xEF;                 // a disabled guard stores no channel-set flag
    if (!chanSet && enabled) b0 |= 0x0F;                 // enabled without a channel reads as entry "0"
}

void canonicalGlobals(MemoryImage& img) {
    // Switch codes 1 and 2 come back as 3 ("Always Off").
    int codes[5] = {(img[0x98] & 0xE0) >> 5, (img[0x98] & 0x1C) >> 2, (img[0x98] & 0x03) * 2 + (img[0x99] >> 7),
                    (img[0x99] & 0x70) >> 4, (img[0x99] & 0x0E) >> 1};
    for (int& c : codes)
        if (c == 1 || c == 2) c = 3;
    img[0x98] = static_cast<uint8_t>(codes[0] << 5 | codes[1] << 2 | codes[2] >> 1);
    img[0x99] = static_cast<uint8_t>((codes[2] & 1) << 7 | codes[3] << 4 | codes[4] << 1 | (img[0x99] & 1));
    // "Global" rotary positions: nibble 0 and the position's bit set.
    for (int p = 0; p < 16; ++p) {
        const int pb = p < 8 ? 1 : 0, m = 1 << (p % 8);
        uint8_t& b = img[0x80 + p];
        if ((b & 0xF0) == 0xF0 || (img[0x90 + pb] & m)) {
            b &= 0x0F;
            img[0x90 + pb] |= static_cast<uint8_t>(m);
        }
        if (img[0x92 + pb] & m) b &= 0xF0;
    }
}

}  // namespace

TEST(RoundTrip, GroupsOfRandomImages) {
    std::mt19937 rng(20240611);
    for (int trial = 0; trial < 40; ++trial) {
        MemoryImage img = randomImage(rng);
        sprinkleLabels(img, rng, trial % 2 == 0);
        for (int g = 0; g < 15; ++g) {
            MemoryImage expected = img;
            canonicalGroup(expected, g);
            GroupView view;
            clsGroup grp(img, view);
            grp.Read_Group(g);
            ASSERT_NO_THROW(grp.Write_Group(g)) << "trial " << trial << " group " << g;
            for (int a = 0; a < MemoryImage::kSize; ++a)
                ASSERT_EQ(img[a], expected[a]) << "trial " << trial << " group " << g << " address 0x" << std::hex << a;
            // The canonical image itself round-trips unchanged.
            grp.Read_Group(g);
            grp.Write_Group(g);
            ASSERT_EQ(img, expected);
        }
    }
}

TEST(RoundTrip, GlobalsOfRandomImages) {
    std::mt19937 rng(77);
    for (int trial = 0; trial < 200; ++trial) {
        MemoryImage img = randomImage(rng);
        MemoryImage expected = img;
        canonicalGlobals(expected);
        GlobalsView view;
        clsGlobals glb(img, view);
        glb.Read_Globals();
        glb.Write_Globals();
        for (int a = 0; a < MemoryImage::kSize; ++a)
            ASSERT_EQ(img[a], expected[a]) << "trial " << trial << " address 0x" << std::hex << a;
        glb.Read_Globals();
        glb.Write_Globals();
        ASSERT_EQ(img, expected);
    }
}

TEST(RoundTrip, ViewsSurviveWriteAndRead) {
    // A view filled with every list's last entry and odd texts comes back as it went.
    MemoryImage img;
    GroupView v;
    v.txtGrpLab = "h-*$/+%_";
    v.txtPassWord = "987654";
    v.txtID = "7654321";
    v.cboTOT = 15;
    v.cboScan = "7.5";
    v.cboPri1Chan = 17;
    v.cboPri2Chan = 16;
    v.chkPriTX = 1;
    v.optBattSaveOn = false;
    v.optBattSaveOff = true;
    v.chkGroupScanList = 1;
    v.chkPriKeyLock = 1;
    v.chkENTCLRLock = 0;
    v.cboDisplay = 1;
    v.cboBackLight = 3;
    v.cboDuration = 6;
    v.cboBCI = 2;
    v.cboANI = 3;
    v.optUCGEnabled = true;
    v.optUCGDisabled = false;
    v.cboUCGChan = 16;
    v.chkUCGEncode = 1;
    for (int c = 0; c < 16; ++c) {
        v.channels.cells[c] = {"x", "155.12500", "D754-", "162.40000", "254.1", "   CH" + std::to_string(c)};
        v.channels.chkScan[c] = c % 2;
        v.channels.chkNarr[c] = c % 3 == 0;
        v.channels.chkLoPower[c] = c > 7;
    }
    for (int g : {0, 13}) {
        clsGroup(img, v).Write_Group(g);
        GroupView back;
        back.channels.cells[4][colChan] = "kept";
        clsGroup(img, back).Read_Group(g);
        EXPECT_EQ(back.channels.cells[4][colChan], "kept");  // column 0 is never touched
        back.channels.cells[4][colChan] = "x";
        for (int c = 0; c < 16; ++c) {
            std::string label = "   CH" + std::to_string(c);
            label = label.substr(label.size() > 8 ? label.size() - 8 : 0);
            while (label.size() < 8) label.insert(0, " ");
            EXPECT_EQ(back.channels.cells[c][colChLabel], label);
            back.channels.cells[c][colChan] = "x";
            back.channels.cells[c][colChLabel] = v.channels.cells[c][colChLabel];
        }
        EXPECT_EQ(back.txtGrpLab, v.txtGrpLab);
        EXPECT_EQ(back.txtPassWord, v.txtPassWord);
        EXPECT_EQ(back.txtID, v.txtID);
        EXPECT_EQ(back.cboTOT, v.cboTOT);
        EXPECT_EQ(back.cboScan, v.cboScan);
        EXPECT_EQ(back.cboPri1Chan, v.cboPri1Chan);
        EXPECT_EQ(back.cboPri2Chan, v.cboPri2Chan);
        EXPECT_EQ(back.optBattSaveOff, true);
        EXPECT_EQ(back.cboUCGChan, 16);
        EXPECT_EQ(back.cboDuration, 6);
        EXPECT_EQ(back.channels.cells, v.channels.cells);
        EXPECT_EQ(back.channels.chkScan, v.channels.chkScan);
        EXPECT_EQ(back.channels.chkNarr, v.channels.chkNarr);
        EXPECT_EQ(back.channels.chkLoPower, v.channels.chkLoPower);
    }
}
