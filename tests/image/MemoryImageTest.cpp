// Memory map, byte helpers, radio character set and labels.
#include <gtest/gtest.h>

#include <algorithm>

#include "MapTables.h"
#include "image/MemoryImage.h"

using namespace orv;
using orv::test::kParamBase;

TEST(MemoryImage, FreshImageIsZero) {
    MemoryImage img;
    for (int a = 0; a < MemoryImage::kSize; ++a) ASSERT_EQ(img[a], 0) << a;
    EXPECT_EQ(decodeLabel(img, 1, 0x33), "00000000");
    EXPECT_EQ(freqCodeToText(0), "000.00");
}

TEST(MemoryImage, PokeChangesOnlyMaskedBits) {
    struct Case {
        uint8_t old;
        int mask, value;
        uint8_t result;
    };
    const Case cases[] = {{0xFF, 0x30, 0x20, 0xEF}, {0x80, 0xCF, 0x0F, 0x0F}, {0x00, 255, 0x14F, 0x4F},
                          {0xAA, 0x00, 0xFF, 0xAA}, {0x00, 0x0F, -2, 0x0E}};
    for (const Case& c : cases) {
        MemoryImage img;
        img[3 * 256 + 7] = c.old;
        pokeImage(img, 3, 7, c.mask, c.value);
        EXPECT_EQ(img[3 * 256 + 7], c.result);
        EXPECT_EQ(peekImage(img, 3, 7), c.result);
        EXPECT_EQ(img[3 * 256 + 6], 0);
        EXPECT_EQ(img[3 * 256 + 8], 0);
    }
}

TEST(MemoryImage, GroupPagesAndAddressesFollowTheMap) {
    const int pages[] = {1, 2, 4, 5, 7, 8, 10, 11, 13, 14, 16, 17, 19, 20, 22};
    for (int g = 0; g < 15; ++g) {
        EXPECT_EQ(groupPage(g), pages[g]);
        for (int k : {0, 0x33, 127}) EXPECT_EQ(groupParamAddr(g, k).address(), kParamBase[g] + k) << g;
        for (int c : {0, 7, 15})
            for (int j : {0, 7}) {
                EXPECT_EQ(channelRecordAddr(g, c, j).address(), kParamBase[g] + 0x80 + 8 * c + j) << g;
                EXPECT_EQ(channelLabelAddr(g, c, j).address(), kParamBase[g] + 0x100 + 8 * c + j) << g;
            }
    }
    EXPECT_EQ(groupPage(15), 0);
    EXPECT_EQ(groupPage(-1), 0);
    EXPECT_EQ(channelLabelAddr(14, 15, 7).address(), 0x177F);  // last byte of the radio memory
}

TEST(MemoryImage, HexToNumValuesEachCharacter) {
    const std::pair<const char*, double> cases[] = {{"70", 112}, {"0A", 10}, {"G5", 5}, {"123", 291},
                                                    {"", 0},     {"1000", 0}, {"fF", 255}, {"F", 15},
                                                    {"FFF", 4095}, {" 6", 6}};
    for (auto [t, v] : cases) EXPECT_EQ(hexToNum(t), v) << t;
}

TEST(MemoryImage, RadioCharacterSet) {
    const std::string chars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-*$/+%\\|_<>h ";
    ASSERT_EQ(chars.size(), 49u);
    for (std::size_t code = 0; code < chars.size(); ++code) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned>(code));
        EXPECT_EQ(charToRadioCode(std::string(1, chars[code])), hex);
        EXPECT_EQ(radioCodeToChar(hex), std::string(1, chars[code]));
    }
    const std::pair<const char*, const char*> toCode[] = {{"a", "30"}, {"H", "11"}, {"", "30"}, {"AB", "30"},
                                                         {"~", "30"}, {"\xC3\xA9", "30"}};
    for (auto [c, code] : toCode) EXPECT_EQ(charToRadioCode(c), code) << c;
    const std::pair<const char*, const char*> toChar[] = {{"5", "5"}, {"31", ""}, {"FF", ""}, {"0a", ""},
                                                         {"", "0"}, {"030", ""}};
    for (auto [code, c] : toChar) EXPECT_EQ(radioCodeToChar(code), c) << code;
}

TEST(MemoryImage, LabelEncodingAndDecoding) {
    struct Case {
        const char* text;
        std::array<uint8_t, 8> bytes;
        const char* decoded;
    };
    const Case cases[] = {
        {"abc", {0x30, 0x30, 0x30, 0x30, 0x30, 0x0A, 0x0B, 0x0C}, "     ABC"},
        {"Ch 1", {0x30, 0x30, 0x30, 0x30, 0x0C, 0x2F, 0x30, 0x01}, "    Ch 1"},
        {"", {0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30, 0x30}, "        "},
        {"ABCDEFGHIJ", {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10, 0x11}, "ABCDEFGH"},
        {"a~\xC3\xA9z", {0x30, 0x30, 0x30, 0x30, 0x0A, 0x30, 0x30, 0x23}, "    A  Z"},
        {"-\\|>", {0x30, 0x30, 0x30, 0x30, 0x24, 0x2A, 0x2B, 0x2E}, "    -\\|>"},
    };
    for (const Case& c : cases) {
        MemoryImage img = orv::test::filled(0x77);
        encodeLabel(img, 5, 10, c.text);
        for (int i = 0; i < 8; ++i) EXPECT_EQ(img[5 * 256 + 10 + i], c.bytes[i]) << c.text << " byte " << i;
        EXPECT_EQ(img[5 * 256 + 9], 0x77);
        EXPECT_EQ(img[5 * 256 + 18], 0x77);
        EXPECT_EQ(decodeLabel(img, 5, 10), c.decoded);
    }
    MemoryImage img = orv::test::filled(0xFF);
    EXPECT_EQ(decodeLabel(img, 5, 10), "");
    img[5 * 256 + 12] = 0x0A;
    img[5 * 256 + 15] = 0x31;
    img[5 * 256 + 16] = 0x30;
    EXPECT_EQ(decodeLabel(img, 5, 10), "A ");
}

TEST(MemoryImage, FrequencyCodeText) {
    EXPECT_EQ(freqCodeToText(0), "000.00");
    EXPECT_EQ(freqCodeToText(1), "100.00125");
    EXPECT_EQ(freqCodeToText(44100), "155.12500");
    EXPECT_EQ(freqCodeToText(65535), "181.91875");
}

// The memory map's derived facts against the published layout: the blocks of
// each group, which block's first byte a write sends alone, the flag-pair
// bits, a field's value in its bits, and the frequency code.
TEST(MemoryMap, BlocksBitsAndFrequencyCodesFollowTheLayout) {
    for (int n = 1; n <= 15; ++n) {
        EXPECT_EQ(memmap::firstGroupBlock(n) * 32, kParamBase[static_cast<std::size_t>(n - 1)]) << n;
        EXPECT_EQ(memmap::lastGroupBlock(n), n < 15 ? memmap::firstGroupBlock(n + 1) - 1 : 187) << n;
    }
    for (int b = 0; b < 188; ++b) {
        const bool first = std::find(kParamBase.begin(), kParamBase.end(), b * 32) != kParamBase.end();
        EXPECT_EQ(memmap::isGroupFirstBlock(b), first) << b;
    }

    struct PairCase { int entry; memmap::BitField bit; };
    const PairCase pairs[] = {{0, {0x91, 0x01}}, {7, {0x91, 0x80}}, {8, {0x90, 0x01}}, {15, {0x90, 0x80}}};
    for (const PairCase& c : pairs) EXPECT_EQ(memmap::pairBit(0x90, c.entry), c.bit) << c.entry;

    struct FieldCase { int mask, byte, value, bits; };
    const FieldCase fields[] = {{0xF8, 0xFF, 31, 0xF8}, {0x03, 0xFE, 2, 0x02}, {0x80, 0x80, 1, 0x80}, {0x0F, 0xF0, 0, 0}};
    for (const FieldCase& c : fields) {
        const memmap::BitField f{7, c.mask};
        EXPECT_EQ(memmap::fieldValue(c.byte, f), c.value) << c.mask;
        EXPECT_EQ(memmap::fieldBits(c.value, f), c.bits) << c.mask;
    }
    EXPECT_EQ(memmap::fieldBits(5, {7, 0x03}), 0x01) << "a value too wide keeps to its bits";

    const std::pair<double, double> freqs[] = {{148.0, 38400}, {155.125, 44100}, {162.40, 49920}, {100.00125, 1}};
    for (auto [mhz, code] : freqs) {
        EXPECT_DOUBLE_EQ(memmap::freqMHzToCode(mhz), code) << mhz;
        EXPECT_DOUBLE_EQ(memmap::freqCodeToMHz(code), mhz) << code;
    }
}
