// orvedit-cli report, run as the real executable: text on stdout, --pdf
// through the shared renderer, and the refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include "PdfText.h"
#include "CliScratch.h"
#include "image/WriteDefaults.h"
#include "files/ImageFile.h"
#include "report/UnitReport.h"

namespace fs = std::filesystem;
using orv::test::CliResult;
using orv::MemoryImage;

namespace {

class ReportCli : public orv::test::CliScratch {
protected:
    void SetUp() override {
#ifndef ORV_CLI_HAS_PDF
        if (std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()).find("Pdf") != std::string::npos)
            GTEST_SKIP() << "this build has no PDF output";
#endif
        CliScratch::SetUp();
    }
};

MemoryImage withCount(int n) {
    MemoryImage img = orv::defaultImage();
    img[5] = static_cast<uint8_t>(n);
    return img;
}

MemoryImage randomImage(unsigned seed, int n) {
    std::mt19937 rng(seed);
    MemoryImage img;
    for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>(rng() & 0xFF);
    img[5] = static_cast<uint8_t>(n);
    return img;
}

}  // namespace

// The text is the report of the file as given on the command line, with one
// form-feed line per page break.
TEST_F(ReportCli, PrintsTheReportAsText) {
    struct Case {
        std::string name;
        MemoryImage img;
        int formFeeds;
    };
    const Case cases[] = {
        {"defaults", orv::defaultImage(), 0}, {"count 14", withCount(14), 0},   {"count 15", withCount(15), 7},
        {"count 200", withCount(200), 7},     {"random 0", randomImage(7, 3), 0}, {"random 15", randomImage(8, 15), 7},
        {"random 255", randomImage(9, 255), 7},
    };
    fs::create_directory(dir / "sub");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeImage("radio.orv", c.img);
        // Not tidied: the header shows the path exactly as typed.
        const std::string given = (dir / "sub" / ".." / "radio.orv").string();
        const CliResult r = run({"report", given});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, orv::reportText(orv::PrintUnitReport(c.img, given)));
        EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\f'), c.formFeeds);
        EXPECT_EQ(r.out.substr(0, r.out.find('\n')), std::string(19, ' ') + "ORV Unit Data Printout:    " + given);
        EXPECT_NE(r.out.find("\n         Group 1 Data:\n"), std::string::npos);
        EXPECT_EQ(r.out.find("Group 16 Data:"), std::string::npos);
    }
}

// Anything but a 6019-byte programming file: exit 2, one line naming the
// file, nothing on stdout, and an existing PDF left as it was.
TEST_F(ReportCli, RefusesWhatIsNotAProgrammingFile) {
    std::ofstream(path("short.orv"), std::ios::binary) << std::string(6018, '\0');
    std::ofstream(path("long.orv"), std::ios::binary) << std::string(6020, '\0');
    std::ofstream(path("empty.orv"), std::ios::binary);
    fs::create_directory(dir / "folder.orv");
    std::ofstream(path("keep.pdf"), std::ios::binary) << "old";
    for (const std::string name : {"short.orv", "long.orv", "empty.orv", "folder.orv", "missing.orv"}) {
        for (bool pdf : {false, true}) {
            std::vector<std::string> args = {"report", path(name)};
            if (pdf) args.insert(args.end(), {"--pdf", path("keep.pdf")});
            const CliResult r = run(args);
            SCOPED_TRACE(name + (pdf ? " --pdf" : ""));
            EXPECT_EQ(r.exitCode, 2);
            EXPECT_EQ(r.out, "");
            ASSERT_EQ(r.errLines().size(), 1u) << r.err;
            EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
            EXPECT_EQ(orv::test::readFile(path("keep.pdf")), "old");
        }
    }
    EXPECT_EQ(run({"report"}).exitCode, 2);
}

// --pdf: the printed form, one page for 14 groups or less, eight for 15,
// replacing an existing file in one step; the header shows the file.
TEST_F(ReportCli, WritesThePrintedFormAsPdf) {
    struct Case {
        int count;
        int pages;
    };
    std::ofstream(path("out.pdf"), std::ios::binary) << "old";
    for (const Case& c : {Case{0, 1}, Case{14, 1}, Case{15, 8}, Case{200, 8}}) {
        SCOPED_TRACE(c.count);
        const std::string in = writeImage("unit 7.orv", withCount(c.count));
        const CliResult r = run({"report", in, "--pdf", path("out.pdf")});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "");
        const std::string pdf = orv::test::readFile(path("out.pdf"));
        ASSERT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(orv::test::pageCount(pdf), c.pages);
        const std::string text = orv::test::text(path("out.pdf"));
        EXPECT_NE(text.find("ORV Unit Data Printout:"), std::string::npos);
        EXPECT_NE(text.find("unit 7.orv"), std::string::npos);
        EXPECT_EQ(text.find("Group 15 Data:") != std::string::npos, c.pages == 8);
        EXPECT_EQ(entries(), (std::vector<std::string>{"out.pdf", "unit 7.orv"}));  // no temporary left
    }
}

// Without a window system named in the environment the PDF is still made
// (offscreen); with no display at all nothing may crash.
TEST_F(ReportCli, PdfNeedsNoDisplay) {
    const std::string in = writeImage("r.orv", withCount(15));
    const char* saved = std::getenv("QT_QPA_PLATFORM");
    const std::string keep = saved ? saved : "";
    const char* display = std::getenv("DISPLAY");
    const std::string keepDisplay = display ? display : "";
    ::unsetenv("QT_QPA_PLATFORM");
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    const CliResult r = run({"report", in, "--pdf", path("r.pdf")});
    if (saved) ::setenv("QT_QPA_PLATFORM", keep.c_str(), 1);
    if (display) ::setenv("DISPLAY", keepDisplay.c_str(), 1);
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(orv::test::pageCount(orv::test::readFile(path("r.pdf"))), 8);
}

// A PDF that cannot be written: exit 1 (2 for an output that is a folder:
// bad input), one line, and what was there stays.
TEST_F(ReportCli, UnwritablePdfFailsAndKeepsWhatWasThere) {
    const std::string in = writeImage("r.orv", withCount(15));
    fs::create_directory(dir / "taken.pdf");
    std::ofstream(dir / "taken.pdf" / "inside", std::ios::binary) << "x";
    for (const auto& [target, exitCode] : {std::pair{path("no such folder/r.pdf"), 1}, std::pair{path("taken.pdf"), 2}}) {
        const CliResult r = run({"report", in, "--pdf", target});
        SCOPED_TRACE(target);
        EXPECT_EQ(r.exitCode, exitCode);
        EXPECT_EQ(r.out, "");
        ASSERT_EQ(r.errLines().size(), 1u) << r.err;
        EXPECT_NE(r.err.find(target), std::string::npos) << r.err;
    }
    EXPECT_TRUE(fs::is_directory(dir / "taken.pdf"));
    EXPECT_EQ(orv::test::readFile((dir / "taken.pdf" / "inside").string()), "x");
    EXPECT_EQ(entries(), (std::vector<std::string>{"r.orv", "taken.pdf"}));
}
