// The report's page description and plain-text form, against hand-set bytes,
// the start-up defaults and random images (whose channel texts must match
// what the grid's codec shows).
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>
#include <sstream>
#include "image/WriteDefaults.h"
#include "image/Views.h"
#include "image/clsChannel.h"
#include "image/clsGroup.h"
#include "report/UnitReport.h"

using namespace orv;

namespace {

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

std::string report(const MemoryImage& img, const std::string& path = "radio.orv") {
    return reportText(PrintUnitReport(img, path));
}

// The first line of the report that contains `needle` (empty when none).
std::string lineWith(const std::string& text, const std::string& needle) {
    for (const std::string& l : lines(text))
        if (l.find(needle) != std::string::npos) return l;
    return "";
}

// The text of a row between two character positions (1-based, inclusive
// start, exclusive end), blanks at its end removed.
std::string field(const std::string& line, int from, int to) {
    if (static_cast<int>(line.size()) < from) return "";
    std::string f = line.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from));
    while (!f.empty() && f.back() == ' ') f.pop_back();
    return f;
}

void setParam(MemoryImage& img, int g, int k, int v) { img[groupParamAddr(g, k).address()] = static_cast<uint8_t>(v); }
void setWord(MemoryImage& img, int g, int c, int j, int w) {
    img[channelRecordAddr(g, c, j).address()] = static_cast<uint8_t>(w >> 8);
    img[channelRecordAddr(g, c, j + 1).address()] = static_cast<uint8_t>(w & 0xFF);
}

// The row of channel c in the section of group g.
std::string channelRow(const std::string& text, int g, int c) {
    const std::vector<std::string> ls = lines(text);
    auto it = std::find(ls.begin(), ls.end(), std::string(9, ' ') + "Group " + std::to_string(g + 1) + " Data:");
    if (it == ls.end()) return "";
    it = std::find_if(it, ls.end(), [](const std::string& l) { return l.find("Chan:") != std::string::npos; });
    if (std::distance(it, ls.end()) <= c + 1) return "";
    return *(it + c + 1);
}

}  // namespace

// Pages and page breaks by the group count at page 0 byte 5: above 14 every
// group of the image (never more than the 15 it holds), else Group 1 only.
TEST(UnitReport, PagesFollowTheGroupCount) {
    struct Case {
        int count;
        int pages;
        int groups;
    };
    const Case cases[] = {{0, 1, 1}, {1, 1, 1}, {14, 1, 1}, {15, 8, 15}, {16, 8, 15}, {200, 8, 15}, {255, 8, 15}};
    for (const Case& c : cases) {
        MemoryImage img = defaultImage();
        img[5] = static_cast<uint8_t>(c.count);
        const ReportDocument doc = PrintUnitReport(img, "f.orv");
        const std::string text = reportText(doc);
        SCOPED_TRACE("count " + std::to_string(c.count));
        EXPECT_EQ(static_cast<int>(doc.pages.size()), c.pages);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), c.pages - 1);
        for (int g = 1; g <= 16; ++g)
            EXPECT_EQ(text.find("Group " + std::to_string(g) + " Data:") != std::string::npos, g <= c.groups) << g;
        if (c.pages == 8) {
            // Page 1: header, globals, Group 1; then two groups a page, each
            // page opening with two empty lines.
            for (int p = 1; p < 8; ++p) {
                const auto& ls = doc.pages[static_cast<std::size_t>(p)].lines;
                ASSERT_GE(ls.size(), 3u);
                EXPECT_TRUE(ls[0].items.empty() && ls[1].items.empty());
                EXPECT_EQ(ls[2].items.at(0).text, "Group " + std::to_string(2 * p) + " Data:");
            }
        }
        EXPECT_EQ(text.find("\f\n\n\n         Group 2 Data:") != std::string::npos, c.pages == 8);
    }
}

// The whole first page of the start-up defaults, as filed in records.
TEST(UnitReport, StartUpDefaultsPrintAsExpected) {
    std::ifstream in(ORV_REPORT_EXPECTED_DIR "/defaults.txt", std::ios::binary);
    ASSERT_TRUE(in) << "missing expected text";
    const std::string expected{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(report(defaultImage(), "/home/tech/radios/unit 7.orv"), expected);
}

// Header: 16 points, the file's path as given; everything else 10 points.
TEST(UnitReport, HeaderNamesTheFileInTheLargeFace) {
    const ReportDocument doc = PrintUnitReport(defaultImage(), "");
    const auto& first = doc.pages.at(0).lines;
    EXPECT_EQ(doc.fontName, "Arial");
    ASSERT_GE(first.size(), 3u);
    EXPECT_EQ(first[0].pointSize, 16);
    EXPECT_EQ(first[0].items, (std::vector<ReportItem>{{20, "ORV Unit Data Printout:    "}}));
    EXPECT_EQ(first[1].pointSize, 16);  // the empty line under the header
    EXPECT_TRUE(first[1].items.empty());
    for (std::size_t i = 2; i < first.size(); ++i) EXPECT_EQ(first[i].pointSize, 10) << i;
    EXPECT_EQ(lines(reportText(doc)).at(0), std::string(19, ' ') + "ORV Unit Data Printout:");  // blanks trimmed
}

// Group fields: the bytes set (in Group 1, and in the odd Group 2, whose
// parameter block starts in the middle of its page) and the line they print.
TEST(UnitReport, GroupFieldsPrintWithTheReportsWording) {
    struct Case {
        std::vector<std::pair<int, int>> bytes;  // group parameter byte, value
        std::string expected;                    // a line of the group section (without indent)
    };
    const Case cases[] = {
        {{{45, 0x05}, {48, 0x00}}, "Time Out Timer = OFF      Scan Hold Time = 2.5      Group Scan Enabled = False"},
        {{{45, 0xF0}, {48, 0x40}}, "Time Out Timer = 225      Scan Hold Time = 0      Group Scan Enabled = True"},
        {{{45, 0x1F}}, "Time Out Timer = 15      Scan Hold Time = 7.5      Group Scan Enabled = False"},
        {{{46, 0xC3}, {47, 0x43}, {48, 0x20}},
         "Priority 1 Channel: Off     Priority 2 Channel: Main      Transmit on Priority 1: Yes"},
        {{{46, 0x03}, {47, 0x3F}}, "Priority 1 Channel: 4     Priority 2 Channel: 16      Transmit on Priority 1: No"},
        {{{50, 0x08 | 0x30 | 0x03}}, "Display: Alpha-Numeric Mode     Back Light: Keypad & Display Change     Duration: 3 Sec On"},
        {{{50, 0x10}}, "Display: 7 Segment Mode     Back Light: Keypad Press     Duration: Off"},
        {{{50, 0x27}}, "Display: 7 Segment Mode     Back Light: Display Change     Duration: 7 Sec On"},
        {{{48, 0x80 | 0x10}}, "Battery Saver: Off      Priority Key: Locked Out      'ENT' & 'CLR' Keys: Enabled"},
        {{{48, 0x08}}, "Battery Saver: On      Priority Key: Enabled      'ENT' & 'CLR' Keys: Locked Out"},
        {{{49, 0x20 | 0x08}}, "Busy Channel Indicator: Indicate      Resident ANI/DTMF: DTMF Only"},
        {{{49, 0x40 | 0x10}}, "Busy Channel Indicator: Override      Resident ANI/DTMF: ANI Only"},
        {{{49, 0x60 | 0x18}}, "Busy Channel Indicator: Lockout      Resident ANI/DTMF: DTMF w/Manual ANI"},
        {{{49, 0x80}, {0, 0x2F}},
         "User Code Guard is Enabled      User code Guard Channel: 16      User Code Guard Encode Only: Yes"},
        {{{49, 0x00}, {0, 0x10}},
         "User Code Guard is Disabled      User code Guard Channel: 1      User Code Guard Encode Only: No"},
        {{{41, 0xA7}, {42, 0x00}, {43, 0x5B}, {44, 0x09}, {38, 0x12}, {39, 0x0F}, {40, 0x90}},
         "ANI/ID Number: 7005B09      Group Label: GROUP1      Unit Password = 120F90"},
        // Codes above 0x30 have no character: the label drops them as the
        // group window does; a label of nothing prints BLANK!.
        {{{51, 0x31}, {52, 0x0A}, {53, 0xFF}, {54, 0x30}, {55, 0x2F}, {56, 0x40}, {57, 0x2A}, {58, 0x24}},
         "ANI/ID Number: 0000000      Group Label: A h\\-      Unit Password = 000000"},
        {{{51, 0xFF}, {52, 0xFF}, {53, 0xFF}, {54, 0xFF}, {55, 0xFF}, {56, 0xFF}, {57, 0xFF}, {58, 0xFF}},
         "ANI/ID Number: 0000000      Group Label: BLANK!      Unit Password = 000000"},
    };
    for (int g : {0, 1, 14}) {
        for (const Case& c : cases) {
            MemoryImage img = defaultImage();
            img[5] = 15;
            for (auto [k, v] : c.bytes) setParam(img, g, k, v);
            std::string exp = c.expected;
            // The start-up group label, right-aligned in its 8 characters.
            const std::string label = "GROUP" + std::to_string(g + 1);
            if (exp.find("GROUP1") != std::string::npos)
                exp.replace(exp.find("GROUP1"), 6, std::string(8 - label.size(), ' ') + label);
            const std::string text = report(img);
            // The line sits in group g's own section.
            const std::string section = text.substr(text.find("Group " + std::to_string(g + 1) + " Data:"));
            EXPECT_EQ(lineWith(section, exp.substr(0, 12)), std::string(9, ' ') + exp)
                << "group " << g + 1;
        }
    }
}

// Channel rows: frequencies, code guards (digital: three octal digits, "-"
// when inverted; tones as the grid shows them), label and the three flags.
TEST(UnitReport, ChannelRowsPrintAtTheirColumns) {
    struct Case {
        int rxFreq, rxCg, txFreq, txCg;
        std::string freqRx, cgRx, freqTx, cgTx;
    };
    const Case cases[] = {
        {0, 0, 0xB2C0, 0x0885, "000.00", "000.0", "157.20000", "088.5"},
        {1, 0xC123, 0xFFFF, 0x8000, "100.00125", "D443-", "181.91875", "D000"},
        {44100, 0x1000, 44100, 0xC1FF, "155.12500", "100.0", "155.12500", "D777-"},
        {0x2000, 0x0A7F, 0x2000, 0x7FFF, "110.24000", "0A7.F", "110.24000", "7FF.F"},
    };
    for (const Case& c : cases) {
        MemoryImage img = defaultImage();
        setWord(img, 0, 5, 0, c.rxFreq);
        setWord(img, 0, 5, 2, c.rxCg);
        setWord(img, 0, 5, 4, c.txFreq);
        setWord(img, 0, 5, 6, c.txCg);
        const std::string row = channelRow(report(img), 0, 5);
        SCOPED_TRACE(row);
        EXPECT_EQ(field(row, 10, 16), "6");
        EXPECT_EQ(field(row, 16, 30), c.freqRx);
        EXPECT_EQ(field(row, 30, 40), c.cgRx);
        EXPECT_EQ(field(row, 40, 54), c.freqTx);
        EXPECT_EQ(field(row, 54, 64), c.cgTx);
    }
}

// Global section: every byte and bit the report reads, with its wording.
TEST(UnitReport, GlobalFieldsPrintWithTheReportsWording) {
    struct Case {
        std::vector<std::pair<int, int>> bytes;  // page 0 offset, value
        std::string expected;
    };
    const Case cases[] = {
        {{{7, 0x00}, {155, 0x00}}, "DTMF Dev = 0    Front Porch Time = 30    ANI Rate = 10    Priority Rate = 0.25"},
        {{{7, 0x17}, {155, 0x01}}, "DTMF Dev = 187.5    Front Porch Time = 1020    ANI Rate = 20    Priority Rate = 0.5"},
        {{{7, 0xF9}, {155, 0x07}}, "DTMF Dev = 2906.25    Front Porch Time = 360    ANI Rate = 10    Priority Rate = 2"},
        {{{6, 0x04}, {155, 0xC0}},
         "Global Battery Saver is Inhibited    Display Frequencies Only is Enabled    Per Channel Power is Enabled"},
        {{{6, 0xFB}, {155, 0x3F}},
         "Global Battery Saver is Enabled    Display Frequencies Only is Disabled    Per Channel Power is Disabled"},
        {{{155, 0x30}}, "Talk Back Scan is Enabled    Nuisance Channel Delete is Enabled"},
        {{{155, 0xCF}}, "Talk Back Scan is Disabled    Nuisance Channel Delete is Disabled"},
        // Priority scan takes two bits of byte 152 and the top bit of 153.
        {{{152, 0xFA}, {153, 0x80}}, "Low Power = Left Toggle    Channel Scan = Middle Toggle    Priority Scan = Right Toggle"},
        {{{152, 0x6C}, {153, 0x00}}, "Low Power = Always Off    Channel Scan = Always Off    Priority Scan = Keypad"},
        {{{152, 0x20}, {153, 0x00}}, "Low Power =     Channel Scan = Keypad    Priority Scan = Keypad"},
        {{{153, 0x5A}}, "Repeater Talk Around = Right Toggle    Group Scan = Right Toggle"},
        {{{153, 0x38}}, "Repeater Talk Around = Always Off    Group Scan = Always On"},
        {{{255, 0xE0}}, "The Global Group is 15   The Global Channel is 1"},
        {{{255, 0x0F}}, "The Global Group is 1   The Global Channel is 16"},
    };
    for (const Case& c : cases) {
        MemoryImage img;
        for (auto [o, v] : c.bytes) img[o] = static_cast<uint8_t>(v);
        EXPECT_EQ(lineWith(report(img), c.expected.substr(0, 12)), std::string(9, ' ') + c.expected);
    }
}

// Rotary positions 1..8 take their flags from bit k of the odd bytes
// 145..151, positions 9..16 from bit k-8 of the even bytes 144..150.
TEST(UnitReport, RotaryRowsTakeTheirFlagsFromTheRightBytes) {
    struct Case {
        int position;  // 1..16
        std::vector<std::pair<int, int>> bytes;
        std::vector<std::string> fields;  // Variable, Group, Channel, Variable
    };
    const Case cases[] = {
        {1, {{128, 0x3A}}, {"No", "4", "11", "No"}},
        {1, {{128, 0x3A}, {145, 0x01}, {147, 0x01}, {149, 0x01}, {151, 0x01}}, {"Yes", "Global", "Global", "Yes"}},
        {8, {{135, 0xFF}, {149, 0x80}, {147, 0x80}}, {"Yes", "16", "Global", "No"}},
        {9, {{136, 0x00}, {144, 0x01}, {150, 0x01}}, {"No", "Global", "1", "Yes"}},
        {16, {{143, 0x12}, {146, 0x80}, {148, 0x80}}, {"Yes", "2", "Global", "No"}},
        // Bits of the other half do not leak into a position.
        {16, {{143, 0x12}, {145, 0xFF}, {147, 0xFF}, {149, 0xFF}, {151, 0xFF}}, {"No", "2", "3", "No"}},
    };
    for (const Case& c : cases) {
        MemoryImage img;
        for (auto [o, v] : c.bytes) img[o] = static_cast<uint8_t>(v);
        const std::vector<std::string> ls = lines(report(img));
        auto head = std::find_if(ls.begin(), ls.end(), [](const std::string& l) { return l.find("Position:") != std::string::npos; });
        ASSERT_NE(head, ls.end());
        EXPECT_EQ(*head, "         Position:   Variable:  Group:  Channel:  Variable:");
        const std::string row = *(head + c.position);
        SCOPED_TRACE(row);
        EXPECT_EQ(field(row, 1, 25), std::string(11, ' ') + std::to_string(c.position));
        EXPECT_EQ((std::vector<std::string>{field(row, 25, 33), field(row, 33, 41), field(row, 41, 54),
                                            field(row, 54, 200)}),
                  c.fields);
    }
}

// The plain-text rules on hand-made descriptions.
TEST(UnitReport, TextRules) {
    struct Case {
        std::vector<ReportPage> pages;
        std::string text;
    };
    const Case cases[] = {
        {{{{{10, {{1, "a"}, {4, "b"}}}}}}, "a  b\n"},
        {{{{{10, {{3, "abcd"}, {4, "x"}, {9, "y"}}}}}}, "  abcdx y\n"},       // overlapping item follows directly
        {{{{{10, {{5, "a  "}, {9, ""}, {12, "  "}}}}}}, "    a\n"},             // trailing blanks removed
        {{{{{10, {}}, {16, {{2, "x"}}}}}}, "\n x\n"},                          // empty line is empty
        {{{{{10, {{1, "p1"}}}}}, {{{10, {}}, {10, {{1, "p2"}}}}}}, "p1\n\f\n\np2\n"},  // form feed line between pages
        {{{{{10, {{1, "äöü"}, {5, "x"}}}}}}, "äöü x\n"},                       // columns count characters
        {{{{{10, {{0, "x"}, {-3, "y"}}}}}}, "xy\n"},                           // column below 1 is column 1
    };
    for (const Case& c : cases) {
        ReportDocument doc;
        doc.pages = c.pages;
        EXPECT_EQ(reportText(doc), c.text);
    }
}

// The grid and the report never disagree on a channel: on random images the
// report's row texts are the codec's cell texts (labels: BLANK! for the
// grid's empty label) and its S/N/L the codec's check boxes (channels 1..8
// in the second byte of each flag pair, 9..16 in the first), for every
// channel of every group.
TEST(UnitReport, RandomImagesMatchTheGrid) {
    std::mt19937 rng(20240512);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 6; ++round) {
        MemoryImage img;
        for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>(byte(rng));
        img[5] = static_cast<uint8_t>(15 + round * 40);
        const std::string text = report(img);
        ASSERT_EQ(std::count(text.begin(), text.end(), '\f'), 7);
        for (int g = 0; g < 15; ++g) {
            ChannelGridView view;
            for (int c = 0; c < 16; ++c) clsChannel(img, view).Read_Channel(g, c);
            for (int c = 0; c < 16; ++c) {
                const std::string row = channelRow(text, g, c);
                const auto& cells = view.cells[c];
                SCOPED_TRACE("group " + std::to_string(g + 1) + " row: " + row);
                std::string label = cells[colChLabel] == " BLANK  " ? "BLANK!" : cells[colChLabel];
                // No text is wider than its column, so every column is exact.
                EXPECT_EQ(field(row, 1, 16), std::string(9, ' ') + std::to_string(c + 1));
                EXPECT_EQ(field(row, 16, 30), cells[colRecFreq]);
                EXPECT_EQ(field(row, 30, 40), cells[colRecCG]);
                EXPECT_EQ(field(row, 40, 54), cells[colTxFreq]);
                EXPECT_EQ(field(row, 54, 64), cells[colTxCG]);
                while (!label.empty() && label.back() == ' ') label.pop_back();
                EXPECT_EQ(field(row, 64, 76), label);
                EXPECT_EQ(field(row, 76, 84), view.chkScan[c] ? "S" : "");
                EXPECT_EQ(field(row, 84, 94), view.chkNarr[c] ? "N" : "");
                EXPECT_EQ(field(row, 94, 200), view.chkLoPower[c] ? "L" : "");
            }
        }
    }
}

// Every code guard word prints as the grid shows it: digital codes by their
// three octal digits (0xC123 is D443-), tones by their four nibbles.
TEST(UnitReport, CodeGuardWordsMatchTheGrid) {
    for (int w = 0; w <= 0xFFFF; ++w)
        ASSERT_EQ(reportCodeGuardText(static_cast<uint16_t>(w)), clsChannel::codeGuardText(static_cast<uint16_t>(w))) << w;
    EXPECT_EQ(reportCodeGuardText(0xC123), "D443-");
    EXPECT_EQ(reportCodeGuardText(0x8000), "D000");
    EXPECT_EQ(reportCodeGuardText(0x1000), "100.0");
}
