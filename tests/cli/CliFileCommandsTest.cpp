// orvedit-cli new / export / import, run as the real executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include "files/ImageFile.h"
#include "image/MemoryImage.h"
#include "image/Views.h"
#include "CliScratch.h"
#include "image/WriteDefaults.h"

namespace fs = std::filesystem;
using orv::test::CliResult;
using nlohmann::json;
using orv::MemoryImage;

namespace {

int gp(int g, int k) { return orv::groupParamAddr(g, k).address(); }
int rec(int g, int c, int j) { return orv::channelRecordAddr(g, c, j).address(); }

class CliTest : public orv::test::CliScratch {
protected:
    // Runs import and expects success; returns the written image.
    MemoryImage importOk(const std::string& jsonPath, const std::string& base, const std::string& outName) {
        std::vector<std::string> args = {"import", jsonPath, "-o", path(outName)};
        if (!base.empty()) args.insert(args.end(), {"--base", base});
        CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        return readImage(path(outName));
    }
    json exportOk(const std::string& file) {
        CliResult r = run({"export", file});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return json::parse(r.out);
    }
};

// An image with known, non-default values in every kind of field, plus
// bytes that no codec names.
MemoryImage craftedImage() {
    MemoryImage img = orv::defaultImage();
    img[0x07] = 0xFB;                    // DTMF 31 -> 2906.25, ANI rate 10, porch 3 -> 1020
    img[0x9B] = 0x87;                    // frequency display enabled, priority rate 7 -> 2
    img[0x98] = 0x3A;                    // low power code 1, channel scan 6, priority scan high 2
    img[0x99] = 0xC0;                    // priority scan low 1 (code 5), talk around code 4, group scan 0
    img[0x80] = 0xF3;                    // position 1: group nibble 15, channel 4
    img[0x81] = 0x25;                    // position 2: group 3, channel "Global" by its bit
    img[0x93] = 0x02;
    img[0x96] = 0x80;                    // position 16: channel variable
    img[0xFF] = 0x2A;                    // global group 3, channel 11

    img[gp(1, 0x2D)] = 0x4B;             // Group 2: time-out 60, scan hold 5.5
    img[gp(1, 0x2E)] = 0x45;             // priority 1 MAIN
    img[gp(1, 0x2F)] = 0x05;             // priority 2 Ch 6
    img[gp(1, 0x30)] = 0xA0;             // battery saver off, transmit on priority 1
    img[gp(1, 0x31)] = 0xF0;             // user code guard enabled, BCI Lockout, ANI Only
    img[gp(1, 0x00)] = 0x24;             // encode only; channel-set flag clear -> "0"
    img[gp(1, 0x26)] = 0x12;
    img[gp(1, 0x27)] = 0x34;
    img[gp(1, 0x28)] = 0x56;
    img[gp(1, 0x20)] = 0x01;             // channel 9 low power
    img[gp(1, 0x25)] = 0x80;             // channel 8 scan list
    const uint8_t record[8] = {0xAC, 0x44, 0xC8, 0x13, 0x00, 0x00, 0x06, 0x70};
    for (int j = 0; j < 8; ++j) img[rec(1, 0, j)] = record[j];
    for (int i = 0; i < 8; ++i) img[orv::channelLabelAddr(1, 0, i).address()] = 0xFF;

    // Bytes that belong to no field.
    img[6016] = 0xA1;
    img[6017] = 0xB2;
    img[6018] = 0xC3;
    img[0x9A] = 0x5A;
    for (int g = 0; g < orv::kGroups; ++g)
        for (int k = 0x01; k <= 0x1F; ++k) img[gp(g, k)] = static_cast<uint8_t>(g * 31 + k);
    return img;
}

TEST_F(CliTest, NewWritesTheStartUpDefaults) {
    CliResult r = run({"new", "-o", path("fresh.orv")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fs::file_size(path("fresh.orv")), 6019u);
    EXPECT_EQ(readImage(path("fresh.orv")), orv::defaultImage());
}

TEST_F(CliTest, ExportShowsTheTextsOfTheControls) {
    const std::string file = writeImage("crafted.orv", craftedImage());
    json doc = exportOk(file);

    const json& g = doc["globals"];
    EXPECT_EQ(g["cboDTMFDev"], "2906.25");
    EXPECT_EQ(g["cboPorchTime"], "1020");
    EXPECT_EQ(g["cboANIRate"], "10");
    EXPECT_EQ(g["cboPriRate"], "2");
    EXPECT_EQ(g["cboFreqDisplay"], "Enabled");
    EXPECT_EQ(g["cboLoPower"], "Disabled");
    EXPECT_EQ(g["cboLoPowerSwitch"], "Always Off");
    EXPECT_EQ(g["cboChanScan"], "Middle Toggle");
    EXPECT_EQ(g["cboPriScan"], "Right Toggle");
    EXPECT_EQ(g["cboRTA"], "Always On");
    EXPECT_EQ(g["cboGroupScan"], "Keypad");
    ASSERT_EQ(g["rotary"].size(), 16u);
    EXPECT_EQ(g["rotary"][0], (json{{"cboGroup", "Global"}, {"cboChan", "Channel 4"}, {"chkGrpVar", 1}, {"chkChanVar", 0}}));
    EXPECT_EQ(g["rotary"][1]["cboGroup"], "Group 3");
    EXPECT_EQ(g["rotary"][1]["cboChan"], "Global");
    EXPECT_EQ(g["rotary"][15]["chkChanVar"], 1);
    EXPECT_EQ(g["cboGlobalGroup"], "3");
    EXPECT_EQ(g["cboGlobalChannel"], "11");

    ASSERT_EQ(doc["groups"].size(), 15u);
    EXPECT_EQ(doc["groups"][0]["group"], 1);
    EXPECT_EQ(doc["groups"][0]["txtGrpLab"], "  GROUP1");
    const json& g2 = doc["groups"][1];
    EXPECT_EQ(g2["group"], 2);
    EXPECT_EQ(g2["txtGrpLab"], "  GROUP2");
    EXPECT_EQ(g2["txtPassWord"], "123456");
    EXPECT_EQ(g2["txtID"], "0000000");
    EXPECT_EQ(g2["cboTOT"], "60");
    EXPECT_EQ(g2["cboScan"], "5.5");
    EXPECT_EQ(g2["cboPri1Chan"], "MAIN");
    EXPECT_EQ(g2["cboPri2Chan"], "Ch 6");
    EXPECT_EQ(g2["chkPriTX"], 1);
    EXPECT_EQ(g2["optBattSave"], "Off");
    EXPECT_EQ(g2["optUCG"], "Enabled");
    EXPECT_EQ(g2["cboUCGChan"], "0");
    EXPECT_EQ(g2["chkUCGEncode"], 1);
    EXPECT_EQ(g2["cboBCI"], "Lockout");
    EXPECT_EQ(g2["cboANI"], "ANI Only");
    EXPECT_EQ(g2["cboDisplay"], "7 Segment Mode");
    ASSERT_EQ(g2["channels"].size(), 16u);
    EXPECT_EQ(g2["channels"][0], (json{{"Chan", 1}, {"Rec Freq", "155.12500"}, {"Rec CG", "D023-"},
                                       {"Tx Freq", "000.00"}, {"Tx CG", "067.0"}, {"Ch Label", " BLANK  "},
                                       {"chkScan", 0}, {"chkNarr", 0}, {"chkLoPower", 0}}));
    EXPECT_EQ(g2["channels"][1]["Rec Freq"], "162.45000");
    EXPECT_EQ(g2["channels"][1]["Ch Label"], "    Ch 2");
    EXPECT_EQ(g2["channels"][7]["chkScan"], 1);
    EXPECT_EQ(g2["channels"][8]["chkLoPower"], 1);
    EXPECT_EQ(g2["channels"][15]["Chan"], 16);

    // -o writes the same document as stdout.
    CliResult r = run({"export", file, "-o", path("out.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(json::parse(orv::test::slurp(path("out.json"))), doc);
}

TEST_F(CliTest, ImportOfAnExportKeepsTheBaseAndASecondImportChangesNoByte) {
    const MemoryImage crafted = craftedImage();
    const std::string base = writeImage("crafted.orv", crafted);
    CliResult r = run({"export", base, "-o", path("crafted.json")});
    ASSERT_EQ(r.exitCode, 0) << r.err;

    const MemoryImage first = importOk(path("crafted.json"), base, "first.orv");
    // Bytes no codec names come from the base.
    for (int a : {6016, 6017, 6018, 0x9A}) EXPECT_EQ(first[a], crafted[a]) << a;
    for (int g = 0; g < orv::kGroups; ++g)
        for (int k = 0x01; k <= 0x1F; ++k) EXPECT_EQ(first[gp(g, k)], crafted[gp(g, k)]) << g << " " << k;
    // The document shows the same programming before and after.
    EXPECT_EQ(exportOk(path("first.orv")), exportOk(base));

    const MemoryImage second = importOk(path("crafted.json"), path("first.orv"), "second.orv");
    EXPECT_EQ(second, first);

    // Without --base the defaults are the base: an empty document gives the
    // defaults as the codecs store them, and importing that again is stable.
    writeText("empty.json", "{}");
    const MemoryImage canon = importOk(path("empty.json"), "", "canon.orv");
    EXPECT_EQ(importOk(path("empty.json"), path("canon.orv"), "again.orv"), canon);
    EXPECT_EQ(exportOk(path("canon.orv")), exportOk(writeImage("defaults.orv", orv::defaultImage())));
}

json channelsWith(int index, json entry) {
    json arr = json::array();
    for (int c = 0; c < 16; ++c) arr.push_back(c == index ? entry : json(nullptr));
    return arr;
}
json rotaryWith(int index, json entry) { return channelsWith(index, std::move(entry)); }

// An image of random bytes holds many encodings the codecs would store
// differently (tone words with non-decimal nibbles, stray bits of digital
// code guards, rotary positions stored as group nibble 15, labels with codes
// outside the character set). Fields the document leaves alone must keep
// those bytes exactly; an edited field changes only its own bits.
TEST_F(CliTest, ImportOnARandomBaseChangesOnlyTheEditedFields) {
    MemoryImage noisy;
    uint32_t x = 0x2545F491u;
    for (int a = 0; a < MemoryImage::kSize; ++a) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        noisy[a] = static_cast<uint8_t>(x >> 24);
    }
    const std::string base = writeImage("noisy.orv", noisy);
    ASSERT_EQ(run({"export", base, "-o", path("noisy.json")}).exitCode, 0);
    EXPECT_EQ(importOk(path("noisy.json"), base, "same.orv"), noisy);

    json doc = {{"groups", {{{"group", 5}, {"channels", channelsWith(1, {{"Rec Freq", "155.125"}, {"chkNarr", 1}})}}}}};
    const MemoryImage out = importOk(writeText("edit.json", doc.dump()), base, "edited.orv");
    MemoryImage expected = noisy;
    expected[rec(4, 1, 0)] = 0xAC;
    expected[rec(4, 1, 1)] = 0x44;
    expected[gp(4, 0x23)] = static_cast<uint8_t>(noisy[gp(4, 0x23)] | 0x02);
    for (int a = 0; a < MemoryImage::kSize; ++a) EXPECT_EQ(out[a], expected[a]) << "byte " << a;
}


TEST_F(CliTest, ImportOfOneChangedFieldChangesExactlyThatFieldsBits) {
    writeText("empty.json", "{}");
    const MemoryImage canon = importOk(path("empty.json"), "", "canon.orv");

    struct Change {
        int address, mask, value;
    };
    struct Case {
        const char* name;
        json doc;
        std::vector<Change> changes;
    };
    std::vector<int> labelAddrs;
    const std::vector<Case> cases = {
        {"porch time", {{"globals", {{"cboPorchTime", "690"}}}}, {{0x07, 0x03, 0x02}}},
        {"priority scan Always On", {{"globals", {{"cboPriScan", "Always On"}}}}, {{0x98, 0x03, 0x02}, {0x99, 0x80, 0x00}}},
        {"rotary position 1 channel variable",
         {{"globals", {{"rotary", rotaryWith(0, {{"chkChanVar", 1}})}}}}, {{0x97, 0x01, 0x01}}},
        {"rotary position 16 channel Global",
         {{"globals", {{"rotary", rotaryWith(15, {{"cboChan", "Global"}})}}}}, {{0x8F, 0x0F, 0x00}, {0x92, 0x80, 0x80}}},
        {"global channel", {{"globals", {{"cboGlobalChannel", "16"}}}}, {{0xFF, 0x0F, 0x0F}}},
        {"group 2 time-out", {{"groups", {{{"group", 2}, {"cboTOT", "60"}}}}}, {{gp(1, 0x2D), 0xF0, 0x40}}},
        {"group 1 battery saver", {{"groups", {{{"group", 1}, {"optBattSave", "Off"}}}}}, {{gp(0, 0x30), 0x80, 0x80}}},
        {"group 7 priority 2", {{"groups", {{{"group", 7}, {"cboPri2Chan", "Ch 16"}}}}}, {{gp(6, 0x2F), 0xCF, 0x0F}}},
        {"group 1 channel 3 low power",
         {{"groups", {{{"group", 1}, {"channels", channelsWith(2, {{"chkLoPower", 1}})}}}}}, {{gp(0, 0x21), 0x04, 0x04}}},
        {"group 15 channel 1 receive frequency",
         {{"groups", {{{"group", 15}, {"channels", channelsWith(0, {{"Rec Freq", "155.125"}})}}}}},
         {{rec(14, 0, 0), 0xFF, 0xAC}, {rec(14, 0, 1), 0xFF, 0x44}}},
        {"group 4 channel 10 transmit code guard",
         {{"groups", {{{"group", 4}, {"channels", channelsWith(9, {{"Tx CG", "D754-"}})}}}}},
         {{rec(3, 9, 6), 0xFF, 0xC9}, {rec(3, 9, 7), 0xFF, 0xEC}}},
        {"group 3 label",
         {{"groups", {{{"group", 3}, {"txtGrpLab", "abc"}}}}},
         {{gp(2, 0x33), 0xFF, 0x30}, {gp(2, 0x34), 0xFF, 0x30}, {gp(2, 0x35), 0xFF, 0x30}, {gp(2, 0x36), 0xFF, 0x30},
          {gp(2, 0x37), 0xFF, 0x30}, {gp(2, 0x38), 0xFF, 0x0A}, {gp(2, 0x39), 0xFF, 0x0B}, {gp(2, 0x3A), 0xFF, 0x0C}}},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string name = "change" + std::to_string(n++);
        const MemoryImage out = importOk(writeText(name + ".json", c.doc.dump()), path("canon.orv"), name + ".orv");
        std::map<int, Change> expected;
        for (const auto& ch : c.changes) expected[ch.address] = ch;
        int changedBytes = 0;
        for (int a = 0; a < MemoryImage::kSize; ++a) {
            auto it = expected.find(a);
            if (it == expected.end()) {
                ASSERT_EQ(out[a], canon[a]) << "byte " << a << " changed";
                continue;
            }
            const int mask = it->second.mask;
            EXPECT_EQ(out[a] & ~mask & 0xFF, canon[a] & ~mask & 0xFF) << "other bits of byte " << a;
            EXPECT_EQ(out[a] & mask, it->second.value) << "byte " << a;
            if (out[a] != canon[a]) ++changedBytes;
        }
        EXPECT_GT(changedBytes, 0);
    }
}

TEST_F(CliTest, RefusedInputExitsTwoWithOneLineAndTouchesNoOutput) {
    auto group = [](json fields) {
        json g = {{"group", 3}};
        g.update(fields);
        return json{{"groups", json::array({g})}};
    };
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> mentions;  // parts the error line must contain
    };
    const std::vector<Case> cases = {
        {"malformed JSON", "{\"globals\": {\"cboPorchTime\": \"30\",}}", {"bad.json", "line 1, column 35"}},
        {"not an object", "[1, 2]", {"bad.json", "[1,2]"}},
        {"list value not an entry", json{{"globals", {{"cboPorchTime", "31"}}}}.dump(),
         {"globals.cboPorchTime", "\"31\""}},
        {"list value of the wrong type", group({{"cboTOT", 60}}).dump(), {"groups[0].cboTOT", "60"}},
        {"list text of another list", group({{"cboScan", "8.0"}}).dump(), {"groups[0].cboScan", "\"8.0\""}},
        {"check value 3", group({{"chkPriTX", 3}}).dump(), {"groups[0].chkPriTX", "3"}},
        {"check value true", json{{"globals", {{"rotary", rotaryWith(4, {{"chkGrpVar", true}})}}}}.dump(),
         {"globals.rotary[4].chkGrpVar", "true"}},
        {"option caption", group({{"optUCG", "enabled"}}).dump(), {"groups[0].optUCG", "\"enabled\""}},
        {"frequency out of range", group({{"channels", channelsWith(5, {{"Rec Freq", "200.0"}})}}).dump(),
         {"groups[0].channels[5].\"Rec Freq\"", "\"200.0\""}},
        {"malformed code guard", group({{"channels", channelsWith(2, {{"Tx CG", "D08"}})}}).dump(),
         {"groups[0].channels[2].\"Tx CG\"", "\"D08\""}},
        {"code guard of letters", group({{"channels", channelsWith(2, {{"Rec CG", "abc.d"}})}}).dump(),
         {"groups[0].channels[2].\"Rec CG\"", "\"abc.d\""}},
        {"tone of four digits", group({{"channels", channelsWith(2, {{"Rec CG", "1234.5"}})}}).dump(),
         {"groups[0].channels[2].\"Rec CG\"", "\"1234.5\""}},
        {"negative tone", group({{"channels", channelsWith(2, {{"Tx CG", "-67.0"}})}}).dump(),
         {"groups[0].channels[2].\"Tx CG\"", "\"-67.0\""}},
        {"cell that is not a text", group({{"channels", channelsWith(0, {{"Tx Freq", 162.4}})}}).dump(),
         {"groups[0].channels[0].\"Tx Freq\"", "162.4"}},
        {"channel number out of place", group({{"channels", channelsWith(1, {{"Chan", 5}})}}).dump(),
         {"groups[0].channels[1].Chan", "5"}},
        {"15 channels", group({{"channels", json::array({{}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}})}}).dump(),
         {"groups[0].channels", "15"}},
        {"17 rotary positions", json{{"globals", {{"rotary", json(std::vector<json>(17, json::object()))}}}}.dump(),
         {"globals.rotary", "17"}},
        {"16 groups", json{{"groups", json(std::vector<json>(16, json::object()))}}.dump(), {"groups", "16"}},
        {"unknown group number", json{{"groups", {{{"group", 16}}}}}.dump(), {"groups[0].group", "16"}},
        {"group given twice", json{{"groups", {{{"group", 2}}, {{"group", 2}}}}}.dump(), {"groups[1].group", "2"}},
        {"misspelt group key", group({{"cboTot", "60"}}).dump(), {"groups[0].cboTot", "\"60\""}},
        {"misspelt global key", json{{"globals", {{"cboPorchtime", "30"}}}}.dump(), {"globals.cboPorchtime"}},
        {"unknown top-level key", json{{"global", json::object()}}.dump(), {"global"}},
    };
    const std::string keep = std::string(6019, '\x77');
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string in = writeText("bad.json", c.text);
        for (bool existing : {false, true}) {
            const std::string out = path("out.orv");
            fs::remove(out);
            if (existing) writeText("out.orv", keep);
            CliResult r = run({"import", in, "-o", out});
            EXPECT_EQ(r.exitCode, 2);
            auto lines = r.errLines();
            ASSERT_EQ(lines.size(), 1u) << r.err;
            EXPECT_NE(lines[0].find("bad.json"), std::string::npos) << lines[0];
            for (const auto& m : c.mentions) EXPECT_NE(lines[0].find(m), std::string::npos) << lines[0] << " / " << m;
            if (existing)
                EXPECT_EQ(orv::test::slurp(out), keep);
            else
                EXPECT_FALSE(fs::exists(out));
        }
    }
    // Nothing but the inputs and the kept output is left in the folder.
    EXPECT_EQ(entries(), (std::vector<std::string>{"bad.json", "out.orv"}));
}

TEST_F(CliTest, BadFilesAndBadUsageExitTwo) {
    writeText("short.orv", std::string(6018, '\0'));
    writeText("long.orv", std::string(6020, '\0'));
    writeText("ok.json", "{}");
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::string mention;
    };
    const std::vector<Case> cases = {
        {"export of a missing file", {"export", path("missing.orv")}, "missing.orv"},
        {"export of a short file", {"export", path("short.orv")}, "short.orv"},
        {"export of a long file", {"export", path("long.orv")}, "long.orv"},
        {"import with a short base", {"import", path("ok.json"), "-o", path("out.orv"), "--base", path("short.orv")}, "short.orv"},
        {"import of a missing document", {"import", path("missing.json"), "-o", path("out.orv")}, "missing.json"},
        {"import without -o", {"import", path("ok.json")}, "--output"},
        {"no command", {}, "command is required"},
        {"unknown command", {"frobnicate"}, "frobnicate"},
        {"unknown option", {"new", "-o", path("out.orv"), "--colour"}, "--colour"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CliResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        auto lines = r.errLines();
        ASSERT_EQ(lines.size(), 1u) << r.err;
        EXPECT_NE(lines[0].find(c.mention), std::string::npos) << lines[0];
        EXPECT_FALSE(fs::exists(path("out.orv")));
    }
}

TEST_F(CliTest, EveryCommandHasHelp) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--help"}, {"new", "--help"},
                                          {"export", "--help"}, {"import", "--help"}}) {
        CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 0) << args[0];
        EXPECT_NE(r.out.find("Usage"), std::string::npos) << r.out;
    }
}

}  // namespace
