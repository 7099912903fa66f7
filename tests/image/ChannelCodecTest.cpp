// Channel record codec: encodings, field placement and refused texts.
#include <gtest/gtest.h>

#include <functional>

#include "image/FieldError.h"
#include "MapTables.h"
#include "image/clsChannel.h"

using namespace orv;
using orv::test::Bits;

namespace {

struct Fixture {
    MemoryImage img;
    ChannelGridView view;
    clsChannel ch{img, view};
};

int word(const MemoryImage& img, int a) { return img[a] * 256 + img[a + 1]; }

}  // namespace

TEST(ChannelCodec, FrequencyBytesToText) {
    const std::pair<int, const char*> cases[] = {
        {0xAC44, "155.12500"}, {0x0000, "000.00"}, {0xFFFF, "181.91875"}, {0x0001, "100.00125"}, {0x0960, "103.00000"}};
    for (auto [code, text] : cases) {
        Fixture f;
        int a = orv::test::recordAddr(3, 5, 0);
        f.img[a] = static_cast<uint8_t>(code >> 8);
        f.img[a + 1] = static_cast<uint8_t>(code & 0xFF);
        f.img[a + 4] = static_cast<uint8_t>(code >> 8);
        f.img[a + 5] = static_cast<uint8_t>(code & 0xFF);
        f.ch.Read_Channel(3, 5);
        EXPECT_EQ(f.view.cells[5][colRecFreq], text);
        EXPECT_EQ(f.view.cells[5][colTxFreq], text);
    }
}

TEST(ChannelCodec, FrequencyTextToBytes) {
    const std::pair<const char*, int> cases[] = {
        {"155.125", 0xAC44}, {"155.12499", 0xAC44}, {"000.00", 0},     {"0", 0},        {"", 0},
        {"abc", 0},          {"100.00125", 0x0001}, {"103", 0x0960},   {"181.91875", 0xFFFF},
        {" 162.4 MHz", 0xC300}, {"162.55", 0xC378}, {"136", 0x7080},   {"174", 0xE740},
    };
    for (auto [text, code] : cases) {
        EXPECT_EQ(clsChannel::dFreqToDbl(text), code) << text;
        EXPECT_EQ(clsChannel::freqCode(text, "Rec Freq"), code) << text;
        EXPECT_TRUE(clsChannel::freqTextValid(text)) << text;
        Fixture f;
        f.view.cells[9][colRecFreq] = text;
        f.view.cells[9][colTxFreq] = text;
        f.ch.Write_Channel(6, 9);
        EXPECT_EQ(word(f.img, orv::test::recordAddr(6, 9, 0)), code) << text;
        EXPECT_EQ(word(f.img, orv::test::recordAddr(6, 9, 4)), code) << text;
    }
}

TEST(ChannelCodec, CodeGuardBytesToText) {
    const std::pair<int, const char*> cases[] = {
        {0x8813, "D023"}, {0xC813, "D023-"}, {0x8013, "D023"}, {0x0670, "067.0"}, {0x0000, "000.0"},
        {0x0885, "088.5"}, {0x2541, "254.1"}, {0x89EC, "D754"}, {0xFFFF, "D777-"}, {0xB600, "D000"},
        // Tone words with non-decimal nibbles show their hexadecimal digits.
        {0x0A70, "0A7.0"}, {0x7FFF, "7FF.F"}, {0x100B, "100.B"},
    };
    for (auto [w, text] : cases) {
        EXPECT_EQ(clsChannel::codeGuardText(static_cast<uint16_t>(w)), text);
        Fixture f;
        int a = orv::test::recordAddr(1, 15, 0);
        f.img[a + 2] = static_cast<uint8_t>(w >> 8);
        f.img[a + 3] = static_cast<uint8_t>(w & 0xFF);
        f.img[a + 6] = static_cast<uint8_t>(w >> 8);
        f.img[a + 7] = static_cast<uint8_t>(w & 0xFF);
        f.ch.Read_Channel(1, 15);
        EXPECT_EQ(f.view.cells[15][colRecCG], text);
        EXPECT_EQ(f.view.cells[15][colTxCG], text);
    }
}

TEST(ChannelCodec, CodeGuardTextToBytes) {
    const std::pair<const char*, int> cases[] = {
        {"D023", 0x8813}, {"d023-", 0xC813}, {"D023-", 0xC813}, {"D754-", 0xC9EC}, {"D089", 0x8801},
        {" D023 ", 0x8813}, {" 67 ", 0x0670},  // blanks around the text are not part of it
        {"67", 0x0670},   {"067.0", 0x0670}, {"67.0", 0x0670},  {"067.05", 0x0670}, {"100", 0x1000},
        {"", 0x0000},     {"000.0", 0x0000}, {"254.1", 0x2541}, {".5", 0x0005},     {"0A7.0", 0x0A70},
        {"7FF.F", 0x7FFF},
        // A tone of 800 Hz or more sets bit 15 and so reads back as a digital code.
        {"800.0", 0x8000}, {"999.9", 0x9999},
        // A point with no tenths digit means tenths 0.
        {"67.", 0x0670},  {"254.", 0x2540},
        // Only the first decimal is stored; the integer part is padded to three digits.
        {"67.25", 0x0672}, {"7.25", 0x0072}, {"1.23", 0x0012},
    };
    for (auto [text, w] : cases) {
        EXPECT_TRUE(clsChannel::codeGuardTextValid(text)) << text;
        EXPECT_EQ(clsChannel::codeGuardWord(text, "Rec CG"), w) << text;
        Fixture f;
        f.view.cells[0][colRecCG] = text;
        f.view.cells[0][colTxCG] = text;
        f.ch.Write_Channel(0, 0);
        EXPECT_EQ(word(f.img, orv::test::recordAddr(0, 0, 2)), w) << text;
        EXPECT_EQ(word(f.img, orv::test::recordAddr(0, 0, 6)), w) << text;
    }
    EXPECT_EQ(clsChannel::codeGuardText(0x8000), "D000");
}

TEST(ChannelCodec, LabelReadAndWrite) {
    Fixture f;
    for (int i = 0; i < 8; ++i) f.img[orv::test::labelAddr(2, 4, i)] = 0xFF;
    for (int i = 0; i < 8; ++i) f.img[orv::test::labelAddr(2, 5, i)] = 0x00;
    f.ch.Read_Channel(2, 4);
    f.ch.Read_Channel(2, 5);
    EXPECT_EQ(f.view.cells[4][colChLabel], " BLANK  ");
    EXPECT_EQ(f.view.cells[5][colChLabel], "00000000");

    f.view.cells[4][colChLabel] = "ch 5";
    f.view.cells[4][colRecCG] = f.view.cells[4][colTxCG] = "0";
    f.ch.Write_Channel(2, 4);
    const uint8_t want[8] = {0x30, 0x30, 0x30, 0x30, 0x0C, 0x2F, 0x30, 0x05};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(f.img[orv::test::labelAddr(2, 4, i)], want[i]) << i;
}

TEST(ChannelCodec, FlagsUseOneBitPerChannel) {
    // Channel c uses bit c of the second byte (c < 8) or bit c-8 of the first.
    for (int g : {0, 1}) {
        for (int c = 0; c < 16; ++c) {
            Fixture f;
            const int k = c < 8 ? 1 : 0;
            const int bit = 1 << (c % 8);
            f.img[orv::test::paramAddr(g, 0x20 + k)] = static_cast<uint8_t>(bit);
            f.img[orv::test::paramAddr(g, 0x22 + k)] = static_cast<uint8_t>(0xFF & ~bit);
            f.img[orv::test::paramAddr(g, 0x24 + k)] = static_cast<uint8_t>(bit);
            f.ch.Read_Channel(g, c);
            EXPECT_EQ(f.view.chkLoPower[c], 1) << c;
            EXPECT_EQ(f.view.chkNarr[c], 0) << c;
            EXPECT_EQ(f.view.chkScan[c], 1) << c;
        }
    }
    // A grey box (2) clears its bit like an unchecked one.
    Fixture f;
    f.img[orv::test::paramAddr(0, 0x21)] = 0xFF;
    f.view.chkLoPower[3] = 2;
    f.ch.Write_Lo_Power(0, 3);
    EXPECT_EQ(f.img[orv::test::paramAddr(0, 0x21)], 0xF7);
}

// Every field of every channel of every group, written on an image of 0x00
// and one of 0xFF: the write changes exactly the field's bits at the field's
// address, nothing else.
TEST(ChannelCodec, EachFieldWritesOnlyItsOwnBits) {
    struct FieldCase {
        const char* name;
        std::function<void(ChannelGridView&, int c, int fill)> set;
        void (clsChannel::*write)(int, int);
        std::function<std::vector<Bits>(int g, int c, int fill)> bits;
    };
    auto word2 = [](int a, int w) { return std::vector<Bits>{{a, 0xFF, w >> 8}, {a + 1, 0xFF, w & 0xFF}}; };
    auto flag = [](int g, int c, int k, int v) {
        int a = orv::test::paramAddr(g, k + (c < 8 ? 1 : 0));
        int m = 1 << (c % 8);
        return std::vector<Bits>{{a, m, v ? m : 0}};
    };
    const FieldCase cases[] = {
        {"rx freq", [](ChannelGridView& v, int c, int) { v.cells[c][colRecFreq] = "155.125"; },
         &clsChannel::Write_RX_Freq, [&](int g, int c, int) { return word2(orv::test::recordAddr(g, c, 0), 0xAC44); }},
        {"tx freq", [](ChannelGridView& v, int c, int) { v.cells[c][colTxFreq] = "100.00125"; },
         &clsChannel::Write_TX_Freq, [&](int g, int c, int) { return word2(orv::test::recordAddr(g, c, 4), 0x0001); }},
        {"rx cg", [](ChannelGridView& v, int c, int) { v.cells[c][colRecCG] = "D754-"; },
         &clsChannel::Write_RX_CG, [&](int g, int c, int) { return word2(orv::test::recordAddr(g, c, 2), 0xC9EC); }},
        {"tx cg", [](ChannelGridView& v, int c, int) { v.cells[c][colTxCG] = "254.1"; },
         &clsChannel::Write_TX_CG, [&](int g, int c, int) { return word2(orv::test::recordAddr(g, c, 6), 0x2541); }},
        {"label", [](ChannelGridView& v, int c, int) { v.cells[c][colChLabel] = "AB-h"; },
         &clsChannel::Write_Chan_Alpha,
         [](int g, int c, int) {
             const int codes[8] = {0x30, 0x30, 0x30, 0x30, 0x0A, 0x0B, 0x24, 0x2F};
             std::vector<Bits> b;
             for (int i = 0; i < 8; ++i) b.push_back({orv::test::labelAddr(g, c, i), 0xFF, codes[i]});
             return b;
         }},
        {"low power", [](ChannelGridView& v, int c, int fill) { v.chkLoPower[c] = fill ? 0 : 1; },
         &clsChannel::Write_Lo_Power, [&](int g, int c, int fill) { return flag(g, c, 0x20, !fill); }},
        {"narrow", [](ChannelGridView& v, int c, int fill) { v.chkNarr[c] = fill ? 0 : 1; },
         &clsChannel::Write_Narrow_Band, [&](int g, int c, int fill) { return flag(g, c, 0x22, !fill); }},
        {"scan", [](ChannelGridView& v, int c, int fill) { v.chkScan[c] = fill ? 0 : 1; },
         &clsChannel::Write_Scan_List, [&](int g, int c, int fill) { return flag(g, c, 0x24, !fill); }},
    };
    for (const FieldCase& fc : cases) {
        for (int g = 0; g < 15; ++g) {
            for (int c = 0; c < 16; ++c) {
                for (int fill : {0x00, 0xFF}) {
                    MemoryImage img = orv::test::filled(static_cast<uint8_t>(fill));
                    const MemoryImage before = img;
                    ChannelGridView view;
                    fc.set(view, c, fill);
                    clsChannel ch(img, view);
                    (ch.*fc.write)(g, c);
                    std::string diff = orv::test::checkOnly(before, img, fc.bits(g, c, fill));
                    ASSERT_EQ(diff, "") << fc.name << " group " << g << " channel " << c << " fill " << fill;
                }
            }
        }
    }
}

TEST(ChannelCodec, RefusedTextsThrowAndLeaveTheFieldAlone) {
    const char* badFreqs[] = {"99", "50", "-5", "-155.125", "181.92", "200", "1e9", "100.0006", "-0.0001"};
    for (const char* t : badFreqs) {
        EXPECT_FALSE(clsChannel::freqTextValid(t)) << t;
        EXPECT_THROW(clsChannel::freqCode(t, "Tx Freq"), FieldError) << t;
    }
    const char* badCGs[] = {"D",     "D02",   "Dx23",   "D0 3",   "D-23",  "d12",   "D\xC3\xA9" "1",
                            "D7770", "D023+", "D023--", "abx",    "abc.d", "1234.5", "-67.0",
                            ".",     "6 7.0", "67.0.1", "0a7.0",  "8A7.0", "0A7.",  "1e2"};
    for (const char* t : badCGs) {
        EXPECT_FALSE(clsChannel::codeGuardTextValid(t)) << t;
        EXPECT_THROW(clsChannel::codeGuardWord(t, "Rec CG"), FieldError) << t;
    }

    struct Case {
        int column;
        const char* text;
        int byte;          // first byte of the refused field in the record
        const char* field; // name carried by the error
    };
    const Case cases[] = {{colRecFreq, "99", 0, "Rec Freq"}, {colRecCG, "1234.5", 2, "Rec CG"},
                          {colTxFreq, "190", 4, "Tx Freq"},  {colTxCG, "D1", 6, "Tx CG"}};
    for (const Case& c : cases) {
        for (int g : {4, 13}) {
            MemoryImage img = orv::test::filled(0x5A);
            ChannelGridView view;
            for (auto& row : view.cells) row = {"", "155.125", "D023", "155.125", "D023", "LBL"};
            view.cells[11][c.column] = c.text;
            clsChannel ch(img, view);
            try {
                ch.Write_Channel(g, 11);
                ADD_FAILURE() << c.text << " was accepted";
            } catch (const FieldError& e) {
                EXPECT_NE(e.field().find(c.field), std::string::npos) << e.field();
                EXPECT_NE(e.field().find("Ch 12"), std::string::npos) << e.field();
                EXPECT_EQ(e.value(), c.text);
            }
            // The refused field keeps its bytes; fields before it were written,
            // fields after it (and the label) were not.
            for (int j = 0; j < 8; ++j) {
                int a = orv::test::recordAddr(g, 11, j);
                if (j < c.byte) EXPECT_NE(img[a], 0x5A) << c.text << " byte " << j;
                else EXPECT_EQ(img[a], 0x5A) << c.text << " byte " << j;
            }
            for (int i = 0; i < 8; ++i) EXPECT_EQ(img[orv::test::labelAddr(g, 11, i)], 0x5A);
        }
    }
}

TEST(ChannelCodec, OutOfRangeIndicesTouchNothing) {
    MemoryImage img;
    ChannelGridView view;
    clsChannel ch(img, view);
    const MemoryImage before = img;
    EXPECT_THROW(ch.Write_Channel(15, 0), std::out_of_range);
    EXPECT_THROW(ch.Write_Channel(-1, 0), std::out_of_range);
    EXPECT_THROW(ch.Write_Channel(0, 16), std::out_of_range);
    EXPECT_THROW(ch.Read_Channel(0, -1), std::out_of_range);
    EXPECT_EQ(img, before);
}
