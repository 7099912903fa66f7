// The channel CSV: what the export writes passes a strict reader of the
// column layout; each mapping case of a hand-written file lands in the bytes
// it means; a value the radio cannot hold is refused with its row, column
// and value; export then import gives back the same bytes.
#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "ChirpCsvReader.h"
#include "MapTables.h"
#include "interchange/ChannelCsv.h"
#include "image/clsGroup.h"

using namespace orv;
using orv::test::labelAddr;
using orv::test::paramAddr;
using orv::test::recordAddr;

namespace {

const char* const kHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
    "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> out(1);
    for (char c : s) {
        if (c == sep) out.emplace_back();
        else out.back() += c;
    }
    return out;
}

// A strict reader of the layout: CR LF line ends, the header exactly, 21
// fields per row, each field in the form the layout gives it. Returns the
// problems found (none for a good file).
std::vector<std::string> strictReaderProblems(const std::string& text) {
    std::vector<std::string> problems;
    if (text.size() < 2 || text.substr(text.size() - 2) != "\r\n") problems.push_back("no CR LF at the end");
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto end = text.find("\r\n", pos);
        if (end == std::string::npos) break;
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    for (const auto& l : lines)
        if (l.find_first_of("\r\n\"") != std::string::npos) problems.push_back("stray line end or quote: " + l);
    if (lines.empty() || lines[0] != kHeader) return {"header"};
    static const std::vector<std::regex> forms = {
        std::regex("[1-9]|1[0-6]"),                                   // Location
        std::regex("[0-9A-Z*$/+%\\\\|_<>h-][0-9A-Z*$/+%\\\\|_<>h -]{0,7}|"),  // Name
        std::regex("\\d{1,4}\\.\\d{6}"),                              // Frequency
        std::regex("|\\+|-|split|off"),                               // Duplex
        std::regex("\\d{1,4}\\.\\d{6}"),                              // Offset
        std::regex("|Tone|TSQL|DTCS|Cross|TSQL-R|DTCS-R"),            // Tone
        std::regex("\\d{1,3}\\.\\d"),                                 // rToneFreq
        std::regex("\\d{1,3}\\.\\d"),                                 // cToneFreq
        std::regex("[0-7]{3}"),                                       // DtcsCode
        std::regex("[NR]{2}"),                                        // DtcsPolarity
        std::regex("[0-7]{3}"),                                       // RxDtcsCode
        std::regex("Tone->Tone|Tone->DTCS|DTCS->Tone|DTCS->|->Tone|->DTCS|DTCS->DTCS"),  // CrossMode
        std::regex("FM|NFM|WFM|AM|NAM|DV|USB|LSB|CW|RTTY|DIG|PKT|CWR|FSK"),              // Mode
        std::regex("2\\.50|5\\.00|6\\.25|8\\.33|10\\.00|12\\.50|15\\.00|20\\.00|25\\.00|30\\.00|50\\.00|100\\.00"),
        std::regex("|S|P"),                                           // Skip
        std::regex("5\\.0W|1\\.0W"),                                   // Power
    };
    int lastLocation = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto f = split(lines[i], ',');
        if (f.size() != 21) {
            problems.push_back("row " + std::to_string(i + 1) + " has " + std::to_string(f.size()) + " fields");
            continue;
        }
        for (std::size_t c = 0; c < forms.size(); ++c)
            if (!std::regex_match(f[c], forms[c]))
                problems.push_back("row " + std::to_string(i + 1) + " column " + std::to_string(c + 1) + ": " + f[c]);
        if (std::regex_match(f[0], forms[0])) {
            const int loc = std::stoi(f[0]);
            if (loc <= lastLocation) problems.push_back("location out of order: " + f[0]);
            lastLocation = loc;
        }
    }
    return problems;
}

// ---- images ------------------------------------------------------------------

void setWord(MemoryImage& img, int a, int w) {
    img[a] = static_cast<uint8_t>(w >> 8);
    img[a + 1] = static_cast<uint8_t>(w & 0xFF);
}

int randomGuard(std::mt19937& rng) {
    std::uniform_int_distribution<int> kind(0, 2), digit(0, 9), hundreds(0, 7), oct(0, 0777), coin(0, 1);
    switch (kind(rng)) {
    case 0: return 0;
    case 1: {
        int w = 0;
        while (w == 0) w = hundreds(rng) << 12 | digit(rng) << 8 | digit(rng) << 4 | digit(rng);
        return w;
    }
    default: return 0x8800 | (coin(rng) ? 0x4000 : 0) | oct(rng);
    }
}

// Group g filled with values the layout can express (receive frequency
// sometimes none), the rest of the image random.
MemoryImage expressibleImage(std::mt19937& rng, int g) {
    // Frequencies on the 2.5 kHz raster (even codes), which the rules accept.
    std::uniform_int_distribution<int> byte(0, 255), inBandHalf(14400, 29600), kind(0, 7), code(0, 0x30);
    auto inBand = [&](std::mt19937& r) { return 2 * inBandHalf(r); };
    MemoryImage img;
    for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>(byte(rng));
    for (int c = 0; c < 16; ++c) {
        const int rx = kind(rng) == 0 ? 0 : inBand(rng);
        const int k = kind(rng);
        const int tx = k == 0 ? 0 : k < 4 ? rx : inBand(rng);
        setWord(img, recordAddr(g, c, 0), rx);
        setWord(img, recordAddr(g, c, 2), randomGuard(rng));
        setWord(img, recordAddr(g, c, 4), tx);
        setWord(img, recordAddr(g, c, 6), kind(rng) < 2 ? 0 : randomGuard(rng));
        for (int i = 0; i < 8; ++i) img[labelAddr(g, c, i)] = static_cast<uint8_t>(code(rng));
    }
    return img;
}

// As expressibleImage, plus encodings the codec reads but would store
// differently: unused bits of digital code guards, label bytes without a
// character, and empty locations with leftovers in them; and a frequency off
// the rules' raster, which only its own channel keeps.
MemoryImage quirkyImage(std::mt19937& rng, int g) {
    MemoryImage img = expressibleImage(rng, g);
    std::uniform_int_distribution<int> c16(0, 15), unused(0, 0x1E), none(0x31, 0xFF);
    for (int n = 0; n < 6; ++n) {
        const int a = recordAddr(g, c16(rng), 2);
        if (img[a] & 0x80) img[a] = static_cast<uint8_t>((img[a] & 0xC1) | (unused(rng) << 1));
        img[labelAddr(g, c16(rng), c16(rng) % 8)] = static_cast<uint8_t>(none(rng));
    }
    setWord(img, recordAddr(g, c16(rng), 0), 0);
    setWord(img, recordAddr(g, c16(rng), 4), 2 * c16(rng) + 30001);  // 137.50125 MHz and the like
    return img;
}

ChannelGridView channels(const MemoryImage& img, int g) {
    GroupView v;
    clsGroup(img, v).Read_Group(g);
    return v.channels;
}

// ---- the strict reader and the round trips --------------------------------------

TEST(ChannelCsv, ExportPassesAStrictReaderOfTheLayout) {
    std::mt19937 rng(7);
    std::vector<std::pair<std::string, MemoryImage>> images = {{"zero image", MemoryImage{}}};
    for (int g : {0, 5, 14}) {
        images.push_back({"expressible, group " + std::to_string(g + 1), expressibleImage(rng, g)});
        images.push_back({"quirky, group " + std::to_string(g + 1), quirkyImage(rng, g)});
    }
    for (const auto& [name, img] : images) {
        for (int g : {0, 5, 14}) {
            std::string text;
            try {
                text = exportChannelCsv(img, g);
            } catch (const FieldError&) {
                continue;  // a random group may hold a tone with non-decimal digits
            }
            EXPECT_EQ(strictReaderProblems(text), std::vector<std::string>{}) << name << ", group " << g + 1;
        }
    }
}

TEST(ChannelCsv, ExportThenImportGivesBackTheSameBytes) {
    std::mt19937 rng(11);
    for (int round = 0; round < 40; ++round) {
        const int g = round % 15;
        const MemoryImage img = round % 2 ? quirkyImage(rng, g) : expressibleImage(rng, g);
        const std::string text = exportChannelCsv(img, g);
        const ChannelCsvImport back = importChannelCsv(img, g, text);
        EXPECT_TRUE(back.image == img) << "round " << round;
    }
}

TEST(ChannelCsv, ExportImportedElsewhereGivesTheSameChannels) {
    std::mt19937 rng(12);
    for (int round = 0; round < 20; ++round) {
        const int g = round % 15;
        const MemoryImage src = expressibleImage(rng, g);
        const MemoryImage other = expressibleImage(rng, g);
        const std::string text = exportChannelCsv(src, g);
        const MemoryImage dst = importChannelCsv(other, g, text).image;
        // Every row of the file comes back as it was written.
        const std::string back = exportChannelCsv(dst, g);
        for (const auto& row : split(text, '\n')) EXPECT_NE(back.find(row), std::string::npos) << row;
        const auto a = channels(src, g), b = channels(dst, g), o = channels(other, g);
        for (std::size_t c = 0; c < 16; ++c) {
            const bool exported = a.cells[c][colRecFreq] != "000.00";
            const auto& want = exported ? a : o;  // a location not in the file keeps its channel
            EXPECT_EQ(b.cells[c], want.cells[c]) << round << " " << c;
            EXPECT_EQ(b.chkScan[c], want.chkScan[c]);
            EXPECT_EQ(b.chkNarr[c], want.chkNarr[c]);
            EXPECT_EQ(b.chkLoPower[c], want.chkLoPower[c]);
            for (int j = 0; j < 8; ++j)
                EXPECT_EQ(dst[recordAddr(g, static_cast<int>(c), j)],
                          (exported ? src : other)[recordAddr(g, static_cast<int>(c), j)]);
        }
        // Nothing outside the group's channel fields moved.
        for (int addr = 0; addr < MemoryImage::kSize; ++addr) {
            const bool inChannels = (addr >= recordAddr(g, 0, 0) && addr < labelAddr(g, 16, 0)) ||
                                    (addr >= paramAddr(g, 0x20) && addr < paramAddr(g, 0x26));
            if (!inChannels) {
                EXPECT_EQ(dst[addr], other[addr]) << addr;
            }
        }
    }
}

// Group g holding only values the common channel tool has in its lists
// (its tones and digital codes), the rest of the image random.
MemoryImage toolListImage(std::mt19937& rng, int g) {
    MemoryImage img = expressibleImage(rng, g);
    std::uniform_int_distribution<std::size_t> tone(0, orv::test::kTones.size() - 1),
        dcs(0, orv::test::kDtcsCodes.size() - 1);
    std::uniform_int_distribution<int> kind(0, 2), coin(0, 1);
    auto guard = [&] {
        switch (kind(rng)) {
        case 0: return 0;
        case 1: {
            const int tenths = static_cast<int>(std::lround(orv::test::kTones[tone(rng)] * 10));
            return (tenths / 1000) << 12 | (tenths / 100 % 10) << 8 | (tenths / 10 % 10) << 4 | tenths % 10;
        }
        default:
            return 0x8800 | (coin(rng) ? 0x4000 : 0) | std::stoi(std::to_string(orv::test::kDtcsCodes[dcs(rng)]), nullptr, 8);
        }
    };
    for (int c = 0; c < 16; ++c) {
        setWord(img, recordAddr(g, c, 2), guard());
        setWord(img, recordAddr(g, c, 6), guard());
    }
    return img;
}

TEST(ChannelCsv, TheChannelToolReadsEveryExportWithItsMeaning) {
    std::mt19937 rng(21);
    for (int round = 0; round < 30; ++round) {
        const int g = round % 15;
        const MemoryImage img = toolListImage(rng, g);
        const orv::test::Reading read = orv::test::readChirpCsv(exportChannelCsv(img, g));
        EXPECT_EQ(read.errors, std::vector<std::string>{}) << "round " << round;
        const ChannelGridView v = channels(img, g);
        int withFrequency = 0;
        for (const auto& cells : v.cells) withFrequency += cells[colRecFreq] != "000.00";
        EXPECT_EQ(static_cast<int>(read.rows.size()), withFrequency);
        for (const orv::test::Meaning& m : read.rows) {
            const auto c = static_cast<std::size_t>(m.location - 1);
            const auto& cells = v.cells[c];
            const std::string at = "round " + std::to_string(round) + " location " + std::to_string(m.location);
            EXPECT_EQ(m.rxHz, orv::test::parseFreq(cells[colRecFreq])) << at;
            EXPECT_EQ(m.txHz, orv::test::parseFreq(cells[colTxFreq])) << at;
            EXPECT_EQ(m.txGuard, cells[colTxCG]) << at;
            EXPECT_EQ(m.rxGuard, cells[colRecCG]) << at;
            EXPECT_EQ(m.name, cells[colChLabel].substr(std::min(cells[colChLabel].find_first_not_of(' '),
                                                                cells[colChLabel].size())))
                << at;
            EXPECT_EQ(m.narrow, v.chkNarr[c] != 0) << at;
            EXPECT_EQ(m.scan, v.chkScan[c] != 0) << at;
            EXPECT_EQ(m.watts, v.chkLoPower[c] ? 1.0 : 5.0) << at;
        }
    }
}

// ---- the mapping ------------------------------------------------------------------

struct Mapped {
    const char* row;  // Location,Name,...
    std::array<const char*, 5> cells;  // Rec Freq, Rec CG, Tx Freq, Tx CG, Ch Label as the grid shows them
    int narrow, scan, lowPower;
};

TEST(ChannelCsv, EachMappingCaseImportsToTheBytesItMeans) {
    const std::vector<Mapped> table = {
        {"1,SIMPLEX,155.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,",
         {"155.12500", "000.0", "155.12500", "000.0", " SIMPLEX"}, 0, 1, 0},
        {"2,RPT UP,146.940000,+,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,High,a note,,,,",
         {"146.94000", "000.0", "147.54000", "100.0", "  RPT UP"}, 0, 1, 0},
        {"3,RPT DN,146.94,-,0.6,TSQL,88.5,67.0,023,NN,023,Tone->Tone,NFM,5.00,S,Low,,,,,",
         {"146.94000", "067.0", "146.34000", "067.0", "  RPT DN"}, 1, 0, 1},
        {"4,SPLIT,151.000000,split,159.500000,DTCS,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,P,high,,,,,",
         {"151.00000", "D023", "159.50000", "D023", "   SPLIT"}, 0, 1, 0},
        {"5,RX ONLY,162.550000,off,0.000000,DTCS,88.5,88.5,754,RN,023,Tone->Tone,FM,12.50,,High,,,,,",
         {"162.55000", "D754", "000.00", "D754-", " RX ONLY"}, 0, 1, 0},
        {"6,X TT,150.000000,,0.000000,Cross,100.0,123.0,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,",
         {"150.00000", "123.0", "150.00000", "100.0", "    X TT"}, 0, 1, 0},
        {"7,X TD,150.000000,,0.000000,Cross,100.0,88.5,023,NR,754,Tone->DTCS,FM,12.50,,High,,,,,",
         {"150.00000", "D754-", "150.00000", "100.0", "    X TD"}, 0, 1, 0},
        {"8,X DT,150.000000,,0.000000,Cross,88.5,123.0,754,RN,023,DTCS->Tone,FM,12.50,,High,,,,,",
         {"150.00000", "123.0", "150.00000", "D754-", "    X DT"}, 0, 1, 0},
        {"9,X DD,150.000000,,0.000000,Cross,88.5,88.5,754,NR,023,DTCS->DTCS,FM,12.50,,High,,,,,",
         {"150.00000", "D023-", "150.00000", "D754", "    X DD"}, 0, 1, 0},
        {"10,X D,150.000000,,0.000000,Cross,88.5,88.5,754,RN,023,DTCS->,FM,12.50,,High,,,,,",
         {"150.00000", "000.0", "150.00000", "D754-", "     X D"}, 0, 1, 0},
        {"11,X T,150.000000,,0.000000,Cross,88.5,71.9,023,NN,023,->Tone,FM,12.50,,High,,,,,",
         {"150.00000", "071.9", "150.00000", "000.0", "     X T"}, 0, 1, 0},
        {"12,RX D,150.000000,,0.000000,Cross,88.5,88.5,023,NR,606,->DTCS,FM,12.50,,High,,,,,",
         {"150.00000", "D606-", "150.00000", "000.0", "    RX D"}, 0, 1, 0},
        {"13,abc h,136.000000,+,38.000000,Tone,254.1,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,",
         {"136.00000", "000.0", "174.00000", "254.1", "   ABC h"}, 0, 1, 0},
        {"14,\"Q 1\",150.006250,,0,,,,,,,,FM,,,,,,,,",
         {"150.00625", "000.0", "150.00625", "000.0", "     Q 1"}, 0, 1, 0},
    };
    std::string csv = std::string(kHeader) + "\r\n";
    for (const auto& m : table) csv += std::string(m.row) + "\r\n";
    MemoryImage base;
    setWord(base, recordAddr(2, 15, 0), 0xAC44);  // location 16 is not in the file
    setWord(base, recordAddr(2, 15, 6), 0x8013);
    base[paramAddr(2, 0x24)] = 0x80;
    const ChannelCsvImport result = importChannelCsv(base, 2, csv);
    EXPECT_EQ(result.rows, 14);
    const ChannelGridView v = channels(result.image, 2);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const auto& m = table[i];
        for (std::size_t k = 0; k < 5; ++k)
            EXPECT_EQ(v.cells[i][k + 1], m.cells[k])
                << "row " << m.row << " column " << k + 1;
        EXPECT_EQ(v.chkNarr[i], m.narrow) << m.row;
        EXPECT_EQ(v.chkScan[i], m.scan) << m.row;
        EXPECT_EQ(v.chkLoPower[i], m.lowPower) << m.row;
    }
    // Byte-level spot checks of the encodings the grid texts stand for.
    EXPECT_EQ(result.image[recordAddr(2, 4, 6)], 0xC9);  // D754- transmit on location 5
    EXPECT_EQ(result.image[recordAddr(2, 4, 7)], 0xEC);
    EXPECT_EQ(result.image[recordAddr(2, 4, 4)], 0x00);  // no transmit frequency
    // Location 16 kept everything, also its scan flag and the odd digital word.
    for (int j = 0; j < 8; ++j) EXPECT_EQ(result.image[recordAddr(2, 15, j)], base[recordAddr(2, 15, j)]);
    EXPECT_EQ(result.image[paramAddr(2, 0x24)] & 0x80, 0x80);
}

// ---- refusals -------------------------------------------------------------------------

const char* const kGoodRow = "1,NAME,155.125000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,,High,,,,,";

std::string withColumns(std::vector<std::pair<int, std::string>> changes) {
    auto f = split(kGoodRow, ',');
    for (const auto& [col, value] : changes) f[static_cast<std::size_t>(col)] = value;
    std::string row;
    for (std::size_t i = 0; i < f.size(); ++i) row += (i ? "," : "") + f[i];
    return std::string(kHeader) + "\r\n" + row + "\r\n";
}

enum { Loc, Name, Freq, Duplex, Offset, Tone, RTone, CTone, Dtcs, Pol, RxDtcs, Cross, Mode, TStep, Skip, Power };

struct Refusal {
    std::string csv;
    int row;
    std::string column;
    std::string value;
    std::string reason;  // a part of the reason
};

TEST(ChannelCsv, AValueTheRadioCannotHoldIsRefusedWithRowColumnAndValue) {
    const std::string h = std::string(kHeader) + "\r\n";
    const std::vector<Refusal> table = {
        {withColumns({{Freq, "155.126000"}}), 2, "Frequency", "155.126000", "not on the 2.5 or 6.25 kHz raster"},
        {withColumns({{Freq, "180.000000"}}), 2, "Frequency", "180.000000", "outside 136 to 174 MHz"},
        {withColumns({{Freq, "155.1250001"}}), 2, "Frequency", "155.1250001", "too many digits"},
        {withColumns({{Freq, "1.5e2"}}), 2, "Frequency", "1.5e2", "a frequency is a decimal number"},
        {withColumns({{Duplex, "+"}, {Offset, "40.000000"}}), 2, "Offset", "40.000000",
         "transmit frequency 195.125000 MHz: outside"},
        {withColumns({{Duplex, "-"}, {Offset, "155.200000"}}), 2, "Offset", "155.200000", "-0.075000 MHz"},
        {withColumns({{Duplex, "split"}, {Offset, "455.000000"}}), 2, "Offset", "455.000000", "outside"},
        {withColumns({{Duplex, "x"}}), 2, "Duplex", "x", "not a duplex"},
        {withColumns({{Tone, "Tone"}, {RTone, "67.25"}}), 2, "rToneFreq", "67.25", "at most one decimal"},
        {withColumns({{Tone, "Tone"}, {RTone, "800.0"}}), 2, "rToneFreq", "800.0", "below 800.0 Hz"},
        {withColumns({{Tone, "TSQL"}, {CTone, "0.0"}}), 2, "cToneFreq", "0.0", "no tone"},
        {withColumns({{Tone, "DTCS"}, {Dtcs, "1000"}}), 2, "DtcsCode", "1000", "three octal digits"},
        {withColumns({{Tone, "DTCS"}, {Dtcs, "089"}}), 2, "DtcsCode", "089", "octal digits (0 to 7)"},
        {withColumns({{Tone, "DTCS"}, {Pol, "NX"}}), 2, "DtcsPolarity", "NX", "N or R"},
        {withColumns({{Tone, "Cross"}, {Cross, "->DTCS"}, {RxDtcs, "778"}}), 2, "RxDtcsCode", "778", "octal"},
        {withColumns({{Tone, "Cross"}, {Cross, "Tone->X"}}), 2, "CrossMode", "Tone->X", "not a cross mode"},
        {withColumns({{Tone, "TSQL-R"}}), 2, "Tone", "TSQL-R", "reverse"},
        {withColumns({{Mode, "AM"}}), 2, "Mode", "AM", "FM (wide) and NFM"},
        {withColumns({{Skip, "X"}}), 2, "Skip", "X", "skip"},
        {withColumns({{Power, "5.0 Watt"}}), 2, "Power", "5.0 Watt", "High, Low or a wattage"},
        {withColumns({{Name, "TOOLONGNAME"}}), 2, "Name", "TOOLONGNAME", "at most 8 characters"},
        {withColumns({{Name, "A#B"}}), 2, "Name", "A#B", "\"#\" is not a character of the radio"},
        {withColumns({{Name, "\xC3\xA4"}}), 2, "Name", "\xC3\xA4", "is not a character of the radio"},
        {withColumns({{Loc, "1.0"}}), 2, "Location", "1.0", "a whole number"},
        {withColumns({{Loc, ""}}), 2, "Location", "", "a whole number"},
        {h + "1,NAME,155.125000\r\n", 2, "", "", "the row has 3 fields, the header 21"},
        {h + "1,\"NAME,155.125000\r\n", 2, "", "", "not closed"},
        {h + "1,NA\"ME\",155.125000\r\n", 2, "", "", "a quote inside a field"},
        {"Location,Name\r\n", 1, "Frequency", "", "the header has no such column"},
        {std::string(kHeader) + ",Name\r\n", 1, "Name", "Name", "names this column twice"},
        {kGoodRow + std::string("\r\n"), 1, "Location", "", "the header has no such column"},
        {"\r\n\r\n", 1, "", "", "the file is empty"},
        {h + std::string(kChannelCsvMaxBytes, ' '), 0, "", "", "larger than 1 MiB"},
    };
    MemoryImage img;
    for (const auto& r : table) {
        try {
            (void)importChannelCsv(img, 0, r.csv);
            ADD_FAILURE() << "accepted: " << r.csv;
        } catch (const FieldError& e) {
            EXPECT_EQ(e.row(), r.row) << e.what();
            EXPECT_EQ(e.column(), r.column) << e.what();
            EXPECT_EQ(e.value(), r.value) << e.what();
            EXPECT_NE(e.reason().find(r.reason), std::string::npos) << e.what();
        }
    }
}

// ---- files the common channel tool writes ----------------------------------------------

// A row in the tool's full layout.
std::string toolRow(const std::string& loc, const std::string& name, const std::string& freq,
                    const std::string& mode = "FM", const std::string& power = "5.0W") {
    return loc + "," + name + "," + freq + ",,0.600000,,88.5,88.5,023,NN,023,Tone->Tone," + mode + ",5.00,," + power +
           ",,,,,\r\n";
}

struct PlannedRow {
    int channel;          // -1: not imported
    std::string outcome;  // a part of CsvRowPlan::outcome()
};

struct ToolCase {
    std::string what;
    std::string csv;
    ChannelCsvOptions options;
    CsvPlacement placement;
    std::vector<PlannedRow> rows;
};

TEST(ChannelCsv, FilesOfTheChannelToolArePlannedRowByRow) {
    const std::string h = std::string(kHeader) + "\r\n";
    std::string manyRows = h;  // 18 rows, two of them the radio cannot hold, one past channel 16
    std::vector<PlannedRow> manyPlan;
    for (int i = 0; i < 18; ++i) {
        const std::string loc = std::to_string(i);
        if (i == 3) {
            manyRows += toolRow(loc, "UHF", "446.006250");
            manyPlan.push_back({-1, "cannot be imported: column Frequency: \"446.006250\": outside 136 to 174 MHz"});
        } else if (i == 5) {
            manyRows += toolRow(loc, "AIR", "150.000000", "AM");
            manyPlan.push_back({-1, "column Mode: \"AM\": the radio has the modes FM"});
        } else {
            manyRows += toolRow(loc, "CH" + loc, "146.520000");
            const int next = static_cast<int>(manyPlan.size()) - (i > 3) - (i > 5);
            manyPlan.push_back(next < 16 ? PlannedRow{next, "fits"} : PlannedRow{-1, "there is no channel 17"});
        }
    }
    ChannelCsvOptions skip;
    skip.skipUnfit = true;
    ChannelCsvOptions fit;
    fit.fitNames = true;
    ChannelCsvOptions from5;
    from5.firstChannel = 5;
    ChannelCsvOptions leaveOut3;
    leaveOut3.leaveOut = {3};
    const std::vector<ToolCase> table = {
        {"a new file of the tool: location 0, 50 W",
         h + toolRow("0", "", "146.010000", "FM", "50W"), {}, CsvPlacement::FileOrder,
         {{0, "power 50W -> High"}}},
        {"wattages and names of power",
         h + toolRow("1", "A", "150.000000", "FM", "2.0W") + toolRow("2", "B", "150.000000", "FM", "5") +
             toolRow("3", "C", "150.000000", "FM", "1.0W") + toolRow("4", "D", "150.000000", "FM", "LOW") +
             toolRow("5", "E", "150.000000", "FM", ""),
         {}, CsvPlacement::ByLocation,
         {{0, "power 2.0W -> Low"}, {1, "fits"}, {2, "fits"}, {3, "fits"}, {4, "fits"}}},
        {"a location twice goes in file order",
         h + toolRow("4", "A", "150.000000") + toolRow("4", "B", "150.000000"), {}, CsvPlacement::FileOrder,
         {{0, "fits"}, {1, "fits"}}},
        {"mixed bands and more than 16 rows, without skipping", manyRows, {}, CsvPlacement::FileOrder, manyPlan},
        {"mixed bands and more than 16 rows, skipping", manyRows, skip, CsvPlacement::FileOrder, manyPlan},
        {"long names refused", h + toolRow("1", "Long name here", "150.000000"), {}, CsvPlacement::ByLocation,
         {{-1, "column Name: \"Long name here\": at most 8 characters"}}},
        {"long names and missing characters fitted",
         h + toolRow("1", "Long name here", "150.000000") + toolRow("2", "A#B", "150.000000") +
             toolRow("3", "\xC3\xA4" "bcdefghij", "150.000000"),
         fit, CsvPlacement::ByLocation,
         {{0, "name \"Long name here\" -> \"Long nam\""}, {1, "name \"A#B\" -> \"A B\""},
          {2, "name \"\xC3\xA4" "bcdefghij\" -> \"bcdefgh\""}}},
        {"a first channel uses file order", h + toolRow("1", "A", "150.000000") + toolRow("2", "B", "150.000000"),
         from5, CsvPlacement::FileOrder, {{4, "fits"}, {5, "fits"}}},
        {"a row left out takes no channel",
         h + toolRow("0", "A", "150.000000") + toolRow("1", "B", "150.000000") + toolRow("2", "C", "150.000000"),
         leaveOut3, CsvPlacement::FileOrder, {{0, "fits"}, {-1, "not imported"}, {1, "fits"}}},
        {"comment lines, a byte order mark, LF line ends",
         "\xEF\xBB\xBF# written elsewhere\nLocation,Frequency\n# a note\n3,155.5\n16,174\n", {},
         CsvPlacement::ByLocation, {{2, "fits"}, {15, "fits"}}},
    };
    for (const ToolCase& c : table) {
        const ChannelCsvPlan plan = planChannelCsv(MemoryImage{}, 0, c.csv, c.options);
        EXPECT_EQ(plan.placement, c.placement) << c.what;
        ASSERT_EQ(plan.rows.size(), c.rows.size()) << c.what;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            EXPECT_EQ(plan.rows[i].channel, c.rows[i].channel) << c.what << ", row " << i;
            EXPECT_NE(plan.rows[i].outcome().find(c.rows[i].outcome), std::string::npos)
                << c.what << ", row " << i << ": " << plan.rows[i].outcome();
        }
        // The import applies the plan, or refuses with the first row it cannot hold.
        try {
            const ChannelCsvImport imported = importChannelCsv(MemoryImage{}, 0, c.csv, c.options);
            EXPECT_TRUE(c.options.skipUnfit || plan.unfitRows().empty()) << c.what;
            const ChannelGridView v = channels(imported.image, 0);
            for (const CsvRowPlan& r : plan.rows)
                if (r.channel >= 0) {
                    EXPECT_EQ(std::stod(v.cells[static_cast<std::size_t>(r.channel)][colRecFreq]), std::stod(r.frequency))
                        << c.what << ", row " << r.row;
                }
        } catch (const FieldError& e) {
            ASSERT_FALSE(plan.unfitRows().empty()) << c.what << ": " << e.what();
            EXPECT_EQ(e.row(), plan.unfitRows().front()->row) << c.what;
        }
    }
}

TEST(ChannelCsv, MissingColumnsTakeTheToolsDefaults) {
    // One tone column serves as both; no power means high; Tone-> is a
    // transmit tone alone.
    const std::string csv =
        "Location,Name,Frequency,Tone,cToneFreq,CrossMode\r\n"
        "1,Rpt,146.940000,TSQL,100.0,\r\n"
        "2,Tx,147.000000,Tone,123.0,\r\n"
        "3,Dcs,147.000000,DTCS,,\r\n"
        "4,X,147.000000,Cross,71.9,Tone->\r\n";
    const ChannelGridView v = channels(importChannelCsv(MemoryImage{}, 0, csv).image, 0);
    const std::vector<std::array<std::string, 4>> want = {{"100.0", "100.0", "146.94000", "     RPT"},
                                                          {"000.0", "123.0", "147.00000", "      TX"},
                                                          {"D023", "D023", "147.00000", "     DCS"},
                                                          {"000.0", "071.9", "147.00000", "       X"}};
    for (std::size_t c = 0; c < want.size(); ++c) {
        EXPECT_EQ(v.cells[c][colRecCG], want[c][0]) << c;
        EXPECT_EQ(v.cells[c][colTxCG], want[c][1]) << c;
        EXPECT_EQ(v.cells[c][colTxFreq], want[c][2]) << c;
        EXPECT_EQ(v.cells[c][colChLabel], want[c][3]) << c;
        EXPECT_EQ(v.chkNarr[c], 0);
        EXPECT_EQ(v.chkScan[c], 1);
        EXPECT_EQ(v.chkLoPower[c], 0);
    }
}

TEST(ChannelCsv, AcceptsWhatSpreadsheetsWrite) {
    // A byte order mark, LF line ends, blank lines, columns in another order
    // and extra columns, no TStep/Comment/digital-voice columns, a quoted field.
    const std::string csv =
        "\xEF\xBB\xBFName,Location,Extra,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
        "RxDtcsCode,CrossMode,Mode,Skip,Power\n"
        "\n"
        "\"HOME\",3,x,155.1250,,0,Tone,67,,,,,,FM,,Low\n";
    const MemoryImage out = importChannelCsv(MemoryImage{}, 0, csv).image;
    const auto v = channels(out, 0);
    EXPECT_EQ(v.cells[2][colRecFreq], "155.12500");
    EXPECT_EQ(v.cells[2][colTxCG], "067.0");
    EXPECT_EQ(v.cells[2][colChLabel], "    HOME");
    EXPECT_EQ(v.chkLoPower[2], 1);
}

}  // namespace
