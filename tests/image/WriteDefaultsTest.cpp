// Start-up defaults written into the zero image.
#include <gtest/gtest.h>

#include "image/WriteDefaults.h"
#include "image/clsGroup.h"

using namespace orv;

namespace {

// Parameter block of each group as published in the memory map.
constexpr int kParamBase[15] = {0x0100, 0x0280, 0x0400, 0x0580, 0x0700, 0x0880, 0x0A00, 0x0B80,
                                0x0D00, 0x0E80, 0x1000, 0x1180, 0x1300, 0x1480, 0x1600};

}  // namespace

TEST(WriteDefaults, GlobalBytes) {
    MemoryImage img;
    writeGlobalDefaults(img);
    MemoryImage expected;
    expected[7] = 0xF8;
    for (int i = 1; i <= 15; ++i) expected[128 + i] = static_cast<uint8_t>(i * 16 + 15);
    expected[148] = 0xFF;
    expected[149] = 0xFF;
    expected[152] = 0xFA;
    expected[153] = 0x80;
    EXPECT_EQ(img, expected);
    EXPECT_EQ(img[128], 0);
    EXPECT_EQ(img[129], 0x1F);
    EXPECT_EQ(img[143], 0xFF);
    // Offset 128 is not written even when it holds something.
    MemoryImage other;
    other[128] = 0x42;
    writeGlobalDefaults(other);
    EXPECT_EQ(other[128], 0x42);
}

TEST(WriteDefaults, ChannelRecordsAndLabels) {
    const MemoryImage img = defaultImage();
    const int rx[4] = {0xC300, 0xC328, 0xC350, 0xC378};
    for (int g = 0; g < 15; ++g) {
        for (int c = 0; c < 16; ++c) {
            const int rec = kParamBase[g] + 0x80 + 8 * c;
            EXPECT_EQ(img[rec] * 256 + img[rec + 1], rx[c % 4]) << g << "/" << c;
            for (int j = 2; j < 8; ++j) EXPECT_EQ(img[rec + j], 0) << g << "/" << c << " byte " << j;
            // "Ch n" right-aligned in 8, the h kept lower case (code 0x2F).
            const int lab = kParamBase[g] + 0x100 + 8 * c;
            const int blanks = c + 1 < 10 ? 4 : 3;
            for (int i = 0; i < blanks; ++i) EXPECT_EQ(img[lab + i], 0x30);
            EXPECT_EQ(img[lab + blanks], 0x0C);      // C
            EXPECT_EQ(img[lab + blanks + 1], 0x2F);  // h
            EXPECT_EQ(img[lab + blanks + 2], 0x30);  // blank
            if (c + 1 < 10) {
                EXPECT_EQ(img[lab + 7], c + 1);
            } else {
                EXPECT_EQ(img[lab + 6], 1);
                EXPECT_EQ(img[lab + 7], (c + 1) % 10);
            }
        }
    }
    // Group 1 channel 1 and channel 16.
    EXPECT_EQ(img[0x180], 0xC3);
    EXPECT_EQ(img[0x181], 0x00);
    EXPECT_EQ(img[0x180 + 8 * 15], 0xC3);
    EXPECT_EQ(img[0x181 + 8 * 15], 0x78);
}

TEST(WriteDefaults, GroupLabelsAndUntouchedBytes) {
    const MemoryImage img = defaultImage();
    for (int g = 0; g < 15; ++g) {
        GroupView view;
        MemoryImage copy = img;
        clsGroup(copy, view).Read_Group(g);
        std::string want = "GROUP" + std::to_string(g + 1);
        want.insert(0, 8 - want.size(), ' ');
        EXPECT_EQ(view.txtGrpLab, want);
        EXPECT_EQ(view.channels.cells[8][colChLabel], "    Ch 9");
        EXPECT_EQ(view.channels.cells[15][colRecFreq], "162.55000");
        // Every other parameter byte stays zero.
        for (int k = 0; k < 128; ++k) {
            if (k >= 51 && k <= 58) continue;
            EXPECT_EQ(img[kParamBase[g] + k], 0) << g << " k " << k;
        }
    }
    EXPECT_EQ(img[0x0E80 + 51], 0x30);  // GROUP10: one blank
    EXPECT_EQ(img[0x0E80 + 52], 0x10);  // G
    // Bytes beyond the radio memory are not written.
    for (int a = MemoryImage::kRadioSize; a < MemoryImage::kSize; ++a) EXPECT_EQ(img[a], 0);
}

TEST(WriteDefaults, OutOfRangeGroupWritesNothing) {
    MemoryImage img;
    writeGroupDefaults(img, 15);
    writeGroupDefaults(img, -1);
    EXPECT_EQ(img, MemoryImage{});
}
