// orvedit-cli diff, csv-export and csv-import, run as the real executable:
// exit codes, output, atomic replacement, inputs untouched on refusal.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include "CliScratch.h"
#include "image/WriteDefaults.h"
#include "files/ImageFile.h"
#include "image/MemoryImage.h"

namespace fs = std::filesystem;
using orv::test::CliResult;
using orv::test::slurp;
using orv::MemoryImage;

namespace {

class CliInterchange : public orv::test::CliScratch {};

int rec(int g, int c, int j) { return orv::channelRecordAddr(g, c, j).address(); }

TEST_F(CliInterchange, DiffPrintsOneLinePerDifferenceAndTellsByItsExitCode) {
    const MemoryImage a = orv::defaultImage();
    MemoryImage b = a;
    b[rec(2, 4, 0)] = 0xAC;  // 162.40000 -> 155.13750
    b[rec(2, 4, 1)] = 0x4E;
    b[0x20] = 0x55;          // a tuning byte
    const std::string pa = writeImage("a.orv", a), pb = writeImage("b.orv", b);
    writeText("short.orv", "not an image");

    struct Case {
        std::vector<std::string> args;
        int exitCode;
        std::string out;
        std::string errPart;
    };
    const std::vector<Case> cases = {
        {{"diff", pa, pa}, 0, "", ""},
        {{"diff", pa, pb}, 1,
         "global area byte 0x0020 (not shown by any field): 00 -> 55\n"
         "group 3 channel 5 Rec Freq: 162.40000 -> 155.13750\n",
         ""},
        {{"diff", pb, pa}, 1,
         "global area byte 0x0020 (not shown by any field): 55 -> 00\n"
         "group 3 channel 5 Rec Freq: 155.13750 -> 162.40000\n",
         ""},
        {{"diff", pa, path("missing.orv")}, 2, "", "missing.orv"},
        {{"diff", path("short.orv"), pa}, 2, "", "short.orv"},
        {{"diff", pa}, 2, "", "B"},
    };
    for (const auto& c : cases) {
        const CliResult r = run(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.args.back() << ": " << r.err;
        EXPECT_EQ(r.out, c.out);
        if (c.errPart.empty()) {
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        }
    }
}

TEST_F(CliInterchange, DiffJsonGivesOneObjectPerDifference) {
    const MemoryImage a = orv::defaultImage();
    MemoryImage b = a;
    b[rec(2, 4, 0)] = 0xAC;
    b[rec(2, 4, 1)] = 0x4E;
    b[0x20] = 0x55;
    const std::string pa = writeImage("a.orv", a), pb = writeImage("b.orv", b);
    CliResult r = run({"diff", "--json", pa, pb});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out, nullptr, false),
              nlohmann::json::parse(R"j([
                  {"kind": "bytes", "where": "global area byte 0x0020 (not shown by any field)",
                   "a": "00", "b": "55", "first": 32, "last": 32},
                  {"kind": "field", "where": "group 3 channel 5 Rec Freq", "a": "162.40000", "b": "155.13750"}])j"))
        << r.out;
    r = run({"diff", "--json", pa, pa});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "[]\n");
}

TEST_F(CliInterchange, CsvExportWritesTheGroupToStdoutOrAFile) {
    MemoryImage img = orv::defaultImage();
    const std::string file = writeImage("radio.orv", img);
    CliResult r = run({"csv-export", file, "--group", "2"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")),
              "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
              "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE");
    EXPECT_NE(r.out.find("\r\n3,Ch 3,162.500000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,5.0W,,,,,\r\n"),
              std::string::npos);

    // -o replaces the file in one step: a second name of the old file keeps
    // the old content, and no temporary file is left behind.
    const std::string out = writeText("g2.csv", "old");
    fs::create_hard_link(out, path("old-link.csv"));
    r = run({"csv-export", file, "--group", "2", "-o", out});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(slurp(out), run({"csv-export", file, "--group", "2"}).out);
    EXPECT_EQ(slurp(path("old-link.csv")), "old");
    EXPECT_EQ(entries(), (std::vector<std::string>{"g2.csv", "old-link.csv", "radio.orv"}));

    // Refusals: exit 2, one line, no output file.
    orv::MemoryImage odd = img;
    odd[rec(0, 1, 6)] = 0x0A;  // a tone word with a non-decimal digit
    const std::string oddFile = writeImage("odd.orv", odd);
    struct Case {
        std::vector<std::string> args;
        std::string errPart;
    };
    for (const Case& c : std::vector<Case>{
             {{"csv-export", oddFile, "--group", "1", "-o", path("x.csv")}, "group 1 channel 2 Tx CG: \"0A0.0\""},
             {{"csv-export", file, "--group", "16", "-o", path("x.csv")}, "--group"},
             {{"csv-export", file, "-o", path("x.csv")}, "--group"},
             {{"csv-export", path("none.orv"), "--group", "1", "-o", path("x.csv")}, "none.orv"}}) {
        r = run(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.errPart;
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(path("x.csv")));
    }
    r = run({"csv-export", file, "--group", "1", "-o", path("no/such/dir/x.csv")});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(CliInterchange, CsvImportAppliesTheRowsOrChangesNothing) {
    const MemoryImage img = orv::defaultImage();
    const std::string file = writeImage("radio.orv", img);
    const std::string good = writeText(
        "plan.csv",
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,"
        "Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n"
        "5,RPT,155.137500,+,0.600000,TSQL,88.5,67.0,023,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,\r\n");

    // -o: FILE stays, OUT gets exactly the one channel's changes.
    CliResult r = run({"csv-import", file, good, "--group", "3", "-o", path("out.orv")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "");
    MemoryImage out;
    ASSERT_TRUE(orv::loadImageFile(path("out.orv"), out).ok());
    r = run({"diff", file, path("out.orv")});
    EXPECT_EQ(r.out,
              "group 3 channel 5 Rec Freq: 162.40000 -> 155.13750\n"
              "group 3 channel 5 Rec CG: 000.0 -> 067.0\n"
              "group 3 channel 5 Tx Freq: 000.00 -> 155.73750\n"
              "group 3 channel 5 Tx CG: 000.0 -> 067.0\n"
              "group 3 channel 5 Ch Label: \"    Ch 5\" -> \"     RPT\"\n"
              "group 3 channel 5 chkScan: 0 -> 1\n"
              "group 3 channel 5 chkNarr: 0 -> 1\n"
              "group 3 channel 5 chkLoPower: 0 -> 1\n");
    EXPECT_EQ(slurp(file), slurp(writeImage("again.orv", img)));

    // Without -o, FILE itself is replaced in one step.
    fs::create_hard_link(file, path("old-link.orv"));
    r = run({"csv-import", file, good, "--group", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(slurp(file), slurp(path("out.orv")));
    EXPECT_EQ(slurp(path("old-link.orv")), slurp(path("again.orv")));

    // Refusals: exit 2, the row, column and value named, no file changed.
    const std::string before = slurp(file);
    writeText("existing.orv", "keep me");
    const std::string bad = writeText("bad.csv", slurp(good) + "7,X,450.000000,,0,,,,,,,,FM,,,,,,,,\r\n");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    for (const Case& c : std::vector<Case>{
             {{"csv-import", file, bad, "--group", "3", "-o", path("existing.orv")},
              "orvedit-cli: " + bad + ": row 3 \"X\" 450.000000: column Frequency: \"450.000000\": outside 136 to 174 MHz\n"
              "orvedit-cli: " + bad + ": 1 row(s) the radio cannot hold; nothing was changed\n"},
             {{"csv-import", file, bad, "--group", "3"}, ""},
             {{"csv-import", file, path("none.csv"), "--group", "3"}, ""},
             {{"csv-import", file, good, "--group", "0"}, ""},
             {{"csv-import", path("none.orv"), good, "--group", "3", "-o", path("existing.orv")}, ""}}) {
        r = run(c.args);
        EXPECT_EQ(r.exitCode, 2) << r.err;
        if (!c.err.empty()) {
            EXPECT_EQ(r.err, c.err);
        }
        EXPECT_EQ(slurp(file), before);
        EXPECT_EQ(slurp(path("existing.orv")), "keep me");
    }
    r = run({"csv-import", file, good, "--group", "3", "-o", path("no/such/dir/x.orv")});
    EXPECT_EQ(r.exitCode, 1);
}

TEST_F(CliInterchange, CsvImportOfAChannelToolFileListsSkipsAndFits) {
    const MemoryImage img = orv::defaultImage();
    const std::string file = writeImage("radio.orv", img);
    const std::string csv = writeText(
        "tool.csv",
        "Location,Name,Frequency,Mode,Power\r\n"
        "0,Calling,146.520000,FM,50W\r\n"
        "1,Far away,446.000000,FM,5.0W\r\n"
        "2,Airband,150.000000,AM,5.0W\r\n"
        "3,Long name,147.000000,NFM,2.0W\r\n");

    // Without options: every row it cannot import, then nothing written.
    CliResult r = run({"csv-import", file, csv, "--group", "1"});
    EXPECT_EQ(r.exitCode, 2);
    const std::vector<std::string> refused = {
        "orvedit-cli: " + csv + ": row 3 \"Far away\" 446.000000: column Frequency: \"446.000000\": outside 136 to 174 MHz",
        "orvedit-cli: " + csv + ": row 4 \"Airband\" 150.000000: column Mode: \"AM\": the radio has the modes FM (wide) and NFM (narrow)",
        "orvedit-cli: " + csv + ": row 5 \"Long name\" 147.000000: column Name: \"Long name\": at most 8 characters",
        "orvedit-cli: " + csv + ": 3 row(s) the radio cannot hold; nothing was changed"};
    EXPECT_EQ(r.errLines(), refused);
    EXPECT_EQ(slurp(file), slurp(writeImage("again.orv", img)));

    // With them: the placement, the skipped rows and the changes, one line each.
    r = run({"csv-import", file, csv, "--group", "1", "--skip-unfit", "--fit-names", "--first-channel", "15", "-o",
             path("out.orv")});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.errLines(), (std::vector<std::string>{
                                "rows placed in file order from channel 15",
                                "row 2 \"Calling\" 146.520000: power 50W -> High",
                                "row 3 \"Far away\" 446.000000: skipped: column Frequency: \"446.000000\": outside 136 to 174 MHz",
                                "row 4 \"Airband\" 150.000000: skipped: column Mode: \"AM\": the radio has the modes FM (wide) and NFM (narrow)",
                                "row 5 \"Long name\" 147.000000: name \"Long name\" -> \"Long nam\"; power 2.0W -> Low"}));
    r = run({"csv-export", path("out.orv"), "--group", "1"});
    EXPECT_NE(r.out.find("\r\n15,CALLING,146.520000,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\r\n16,LONG NAM,147.000000,"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(",NFM,12.50,,1.0W,"), std::string::npos) << r.out;
}

// "-" is the standard input or output for every text a command reads or
// writes; with "-" standing for a file, each run must give the same result
// as with the file, and no file named "-" appears. Programming files are no
// text: "-" there is bad usage. Standard input keeps the documents' limits.
TEST_F(CliInterchange, DashIsStandardInputOrOutputForTextOnly) {
    MemoryImage edited = orv::defaultImage();
    edited[rec(2, 4, 0)] = 0xAC;
    edited[rec(2, 4, 1)] = 0x4E;
    const std::string file = writeImage("radio.orv", edited);
    const std::string json = path("doc.json"), csv = path("plan.csv");
    ASSERT_EQ(run({"export", file, "-o", json}).exitCode, 0);
    ASSERT_EQ(run({"csv-export", file, "--group", "3", "-o", csv}).exitCode, 0);
    const std::string fresh = writeImage("fresh.orv", orv::defaultImage());
    writeText("huge.json", std::string((std::size_t{4} << 20) + 1, ' '));
    writeText("huge.csv", std::string((std::size_t{1} << 20) * 2, 'x'));

    struct Case {
        std::string name;
        std::vector<std::string> args;
        std::string stdinFrom;
        int exitCode;
        std::string out;      // the standard output expected
        std::string outFile;  // a programming the run writes, which must carry the edit
        std::string errPart;
    };
    const std::vector<Case> cases = {
        {"export -o -", {"export", file, "-o", "-"}, "/dev/null", 0, slurp(json), "", ""},
        {"csv-export -o -", {"csv-export", file, "--group", "3", "-o", "-"}, "/dev/null", 0, slurp(csv), "", ""},
        {"import -", {"import", "-", "-o", path("in.orv")}, json, 0, "", path("in.orv"), ""},
        {"csv-import FILE -", {"csv-import", fresh, "-", "--group", "3", "-o", path("csv.orv")}, csv, 0, "",
         path("csv.orv"), ""},
        {"import of too much", {"import", "-", "-o", path("no.orv")}, path("huge.json"), 2, "", "", "larger than"},
        {"csv-import of too much", {"csv-import", fresh, "-", "--group", "3", "-o", path("no.orv")},
         path("huge.csv"), 2, "", "", "larger than"},
        {"new -o -", {"new", "-o", "-"}, "/dev/null", 2, "", "", "name a file"},
        {"report --pdf -", {"report", file, "--pdf", "-"}, "/dev/null", 2, "", "", "name a file"},
        {"export of -", {"export", "-"}, file, 2, "", "", "name a file"},
    };
    // The runs start in the scratch folder, where a file "-" would appear.
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    for (const auto& c : cases) {
        const CliResult r = orv::test::runCli(c.args, {}, {}, c.stdinFrom);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.name << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.name;
        if (!c.errPart.empty()) {
            EXPECT_NE(r.err.find(c.errPart), std::string::npos) << c.name << ": " << r.err;
        }
        if (!c.outFile.empty()) {
            MemoryImage got = readImage(c.outFile);
            EXPECT_EQ(got[rec(2, 4, 0)], 0xAC) << c.name;
            EXPECT_EQ(got[rec(2, 4, 1)], 0x4E) << c.name;
        }
        EXPECT_FALSE(fs::exists(dir / "-")) << c.name;
        EXPECT_FALSE(fs::exists(dir / "no.orv")) << c.name;
    }
    fs::current_path(before);
}

TEST_F(CliInterchange, HelpListsTheCommands) {
    const CliResult r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    for (const char* cmd : {"diff", "csv-export", "csv-import", "export", "import", "read", "write", "report"})
        EXPECT_NE(r.out.find(std::string("  ") + cmd), std::string::npos) << cmd;
}

}  // namespace
