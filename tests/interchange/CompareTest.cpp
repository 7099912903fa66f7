// The field-by-field comparison: one line per field kind in the export's
// wording, byte summaries for bits no field shows, masks, and the field bit
// table checked against the codecs themselves.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "MapTables.h"
#include "interchange/Compare.h"

using namespace orv;
using orv::test::labelAddr;
using orv::test::paramAddr;
using orv::test::recordAddr;

namespace {

std::vector<std::string> lines(const std::vector<Difference>& diffs) {
    std::vector<std::string> v;
    for (const auto& d : diffs) v.push_back(d.line());
    return v;
}

void setWord(MemoryImage& img, int a, int word) {
    img[a] = static_cast<uint8_t>(word >> 8);
    img[a + 1] = static_cast<uint8_t>(word & 0xFF);
}

void setLabel(MemoryImage& img, int a, const std::string& text) {
    const std::string padded = std::string(8 - text.size(), ' ') + text;
    for (int i = 0; i < 8; ++i) {
        const std::string code = charToRadioCode(std::string(1, padded[static_cast<std::size_t>(i)]));
        img[a + i] = static_cast<uint8_t>(hexToNum(code));
    }
}

using Edit = std::function<void(MemoryImage&)>;
Edit byteIs(int a, int v) {
    return [a, v](MemoryImage& m) { m[a] = static_cast<uint8_t>(v); };
}
Edit wordIs(int a, int w) {
    return [a, w](MemoryImage& m) { setWord(m, a, w); };
}
Edit labelIs(int a, std::string t) {
    return [a, t](MemoryImage& m) { setLabel(m, a, t); };
}
Edit bytesAre(int a, std::vector<int> v) {
    return [a, v](MemoryImage& m) {
        for (std::size_t i = 0; i < v.size(); ++i) m[a + static_cast<int>(i)] = static_cast<uint8_t>(v[i]);
    };
}

struct Case {
    const char* name;
    Edit a;  // applied to a zero image for "this"
    Edit b;  // for "that"
    std::vector<std::string> expected;
};

TEST(Compare, OneLinePerDifferingFieldInTheExportWording) {
    const std::vector<Case> cases = {
        {"frequency", wordIs(recordAddr(2, 4, 0), 0xAC44), wordIs(recordAddr(2, 4, 0), 0xAC4E),
         {"group 3 channel 5 Rec Freq: 155.12500 -> 155.13750"}},
        {"code guard", wordIs(recordAddr(0, 0, 6), 0x0670), wordIs(recordAddr(0, 0, 6), 0xC9EC),
         {"group 1 channel 1 Tx CG: 067.0 -> D754-"}},
        {"channel label keeps its blanks", labelIs(labelAddr(1, 15, 0), "ABCD"), labelIs(labelAddr(1, 15, 0), "ABCDE"),
         {"group 2 channel 16 Ch Label: \"    ABCD\" -> \"   ABCDE\""}},
        {"channel flag, odd group, channel 9", byteIs(paramAddr(1, 0x20), 0), byteIs(paramAddr(1, 0x20), 0x01),
         {"group 2 channel 9 chkLoPower: 0 -> 1"}},
        {"two lists in one byte, one differs", byteIs(paramAddr(3, 0x2D), 0x4B), byteIs(paramAddr(3, 0x2D), 0x5B),
         {"group 4 cboTOT: 60 -> 75"}},
        {"option pair", byteIs(paramAddr(5, 0x30), 0x00), byteIs(paramAddr(5, 0x30), 0x80),
         {"group 6 optBattSave: On -> Off"}},
        {"group label", labelIs(paramAddr(14, 0x33), "FIRE"), labelIs(paramAddr(14, 0x33), "EMS"),
         {"group 15 txtGrpLab: \"    FIRE\" -> \"     EMS\""}},
        {"user code guard channel and its enable bit", byteIs(paramAddr(0, 0), 0x14),
         [](MemoryImage& m) { m[paramAddr(0, 0x31)] = 0x80; },
         {"group 1 optUCG: Disabled -> Enabled", "group 1 cboUCGChan: 5 -> 0"}},
        {"global list", byteIs(0x07, 0x00), byteIs(0x07, 0xF8), {"globals cboDTMFDev: 0 -> 2906.25"}},
        {"global field over two bytes", bytesAre(0x98, {0x00, 0x00}), bytesAre(0x98, {0x02, 0x80}),
         {"globals cboPriScan: Keypad -> Right Toggle"}},
        {"rotary position 16 made Global by its bit", byteIs(0x90, 0x00), byteIs(0x90, 0x80),
         {"globals rotary position 16 cboGroup: Group 1 -> Global"}},
        {"a global list without a selection", byteIs(0xFF, 0x00), byteIs(0xFF, 0xF0),
         {"globals cboGlobalGroup: 1 -> (no selection)"}},
        // Bits no field shows: one line per address range, in hex.
        {"digital code guard's unused bit", wordIs(recordAddr(0, 0, 2), 0x8813), wordIs(recordAddr(0, 0, 2), 0x8013),
         {"group 1 channel record byte 0x0182 (not shown by any field): 88 -> 80"}},
        {"tuning bytes", bytesAre(0x10, {1, 2, 3}), bytesAre(0x10, {1, 5, 6, 7}),
         {"global area bytes 0x0011-0x0013 (not shown by any field): 02 03 00 -> 05 06 07"}},
        {"a long range shows its first eight bytes", [](MemoryImage&) {},
         [](MemoryImage& m) {
             for (int a = 0x20; a < 0x30; ++a) m[a] = 0xEE;
         },
         {"global area bytes 0x0020-0x002F (not shown by any field): 00 00 00 00 00 00 00 00 ... (16 bytes) -> "
          "EE EE EE EE EE EE EE EE ... (16 bytes)"}},
        {"a label of bytes that are no characters is named as its field, with its bytes",
         [](MemoryImage& m) {
             for (int i = 0; i < 8; ++i) m[labelAddr(0, 15, i)] = 0xFF;
         },
         [](MemoryImage& m) {
             for (int i = 0; i < 8; ++i) m[labelAddr(0, 15, i)] = 0xFE;
             m[paramAddr(1, 0)] = 0xC0;
         },
         {"group 1 channel 16 Ch Label: \" BLANK  \" (bytes FF FF FF FF FF FF FF FF) -> "
          "\" BLANK  \" (bytes FE FE FE FE FE FE FE FE)",
          "group 2 parameter byte 0x0280 (not shown by any field): 00 -> C0"}},
        {"bytes outside the radio memory", byteIs(6018, 0), byteIs(6018, 9),
         {"byte 0x1782 (outside the radio memory): 00 -> 09"}},
        {"a field difference covers its own unused bits", wordIs(recordAddr(0, 0, 2), 0x8813),
         wordIs(recordAddr(0, 0, 2), 0x9014), {"group 1 channel 1 Rec CG: D023 -> D024"}},
        {"globals first, then group by group, byte ranges after the group's fields",
         [](MemoryImage&) {},
         [](MemoryImage& m) {
             m[paramAddr(1, 0x40)] = 1;
             m[paramAddr(1, 0x30)] = 0x40;
             m[0x9A] = 1;
             m[paramAddr(0, 0x30)] = 0x20;
         },
         {"global area byte 0x009A (not shown by any field): 00 -> 01", "group 1 chkPriTX: 0 -> 1",
          "group 2 chkGroupScanList: 0 -> 1", "group 2 parameter byte 0x02C0 (not shown by any field): 00 -> 01"}},
    };
    for (const auto& c : cases) {
        MemoryImage a, b;
        c.a(a);
        c.b(b);
        EXPECT_EQ(lines(compareImages(a, b)), c.expected) << c.name;
        EXPECT_TRUE(compareImages(a, a).empty()) << c.name;
    }
}

TEST(Compare, OnlyTheBitsOfTheMaskCount) {
    struct MaskCase {
        const char* name;
        Edit b;
        std::vector<std::pair<int, int>> mask;  // address, bits that count
        std::vector<std::string> expected;
    };
    const std::vector<MaskCase> cases = {
        {"a cleared bit does not count", byteIs(paramAddr(0, 0), 0x10), {{paramAddr(0, 0), 0x20}}, {}},
        {"a set bit counts", byteIs(paramAddr(0, 0), 0x30), {{paramAddr(0, 0), 0x20}},
         {"group 1 chkUCGEncode: 0 -> 1"}},
        {"a summary shows only ranges with counting bits", bytesAre(0x08, {1, 2, 3}), {{0x09, 0x02}},
         {"global area byte 0x0009 (not shown by any field): 00 -> 02"}},
        {"the bytes outside the radio memory never count", byteIs(6016, 1), {}, {}},
        {"a field shows 'that' with the ignored bits of 'this'",
         [](MemoryImage& m) {
             m[paramAddr(0, 0x31)] = 0x80;
             m[paramAddr(0, 0)] = 0x1F;
         },
         {{paramAddr(0, 0x31), 0x80}}, {"group 1 optUCG: Disabled -> Enabled", "group 1 cboUCGChan: 1 -> 0"}},
    };
    for (const auto& c : cases) {
        MemoryImage a, b;
        c.b(b);
        CompareMask mask{};
        for (auto [addr, bits] : c.mask) mask[static_cast<std::size_t>(addr)] = static_cast<uint8_t>(bits);
        EXPECT_EQ(lines(compareImages(a, b, &mask)), c.expected) << c.name;
    }
}

TEST(Compare, GlobalFieldsAreExactlyThePageZeroBitsAWriteSends) {
    // The page-0 write mask of the radio link, and of each group's first
    // 32-byte block only bit 5 of its first byte (plus the user code guard
    // channel, which the image keeps but a write never sends).
    std::array<int, 256> sent{};
    sent[6] = 0x04;
    sent[7] = 0xFF;
    for (int a = 0x80; a <= 0x98; ++a) sent[static_cast<std::size_t>(a)] = 0xFF;
    sent[0x99] = 0xFE;
    sent[0x9B] = 0xF7;
    sent[0xFF] = 0xFF;
    const auto bits = fieldBits();
    for (int a = 0; a < 256; ++a) EXPECT_EQ(bits[static_cast<std::size_t>(a)], sent[static_cast<std::size_t>(a)]) << a;
    for (int g = 0; g < 15; ++g) {
        EXPECT_EQ(bits[static_cast<std::size_t>(paramAddr(g, 0))], 0x3F) << g;
        for (int k = 1; k < 0x20; ++k) EXPECT_EQ(bits[static_cast<std::size_t>(paramAddr(g, k))], 0) << g << " " << k;
    }
    for (int a = MemoryImage::kRadioSize; a < MemoryImage::kSize; ++a) EXPECT_EQ(bits[static_cast<std::size_t>(a)], 0);
}

// The field bit table against the codecs: a change in bits that no field
// owns never changes a shown value (it would appear as a field line), and
// any change at all is reported by an entry that covers its address.
TEST(Compare, EveryChangedBitIsReportedWhereItLies) {
    std::mt19937 rng(20240514);
    std::uniform_int_distribution<int> byte(0, 255);
    MemoryImage base;
    for (int a = 0; a < MemoryImage::kSize; ++a) base[a] = static_cast<uint8_t>(byte(rng));
    const auto owned = fieldBits();
    // Page 0, the parameter block of an odd group, one channel's record,
    // label and flag bytes of an even group (the other groups and channels
    // repeat their layout), and the tail.
    std::vector<int> addresses;
    for (int a = 0; a < 256; ++a) addresses.push_back(a);
    for (int k = 0; k < 128; ++k) addresses.push_back(paramAddr(3, k));
    for (int j = 0; j < 8; ++j) addresses.push_back(recordAddr(2, 9, j));
    for (int i = 0; i < 8; ++i) addresses.push_back(labelAddr(2, 9, i));
    for (int k = 0x20; k < 0x26; ++k) addresses.push_back(paramAddr(2, k));
    for (int a = MemoryImage::kRadioSize; a < MemoryImage::kSize; ++a) addresses.push_back(a);
    for (int a : addresses) {
        const uint8_t own = owned[static_cast<std::size_t>(a)];
        if (own != 0xFF) {
            MemoryImage b = base;
            b[a] = static_cast<uint8_t>(b[a] ^ ~own);
            const auto d = compareImages(base, b);
            ASSERT_EQ(d.size(), 1u) << a;
            EXPECT_EQ(d[0].kind, Difference::Kind::Bytes) << a << ": " << d[0].line();
            EXPECT_EQ(d[0].firstAddress, a);
        }
        for (int bit = 0; bit < 8; ++bit) {
            if (!(own >> bit & 1)) continue;
            MemoryImage b = base;
            b[a] = static_cast<uint8_t>(b[a] ^ (1 << bit));
            const auto d = compareImages(base, b);
            ASSERT_FALSE(d.empty()) << a;
            for (const auto& e : d) {
                EXPECT_LE(e.firstAddress, a) << e.line();
                EXPECT_GE(e.lastAddress, a) << e.line();
            }
        }
    }
}

}  // namespace
