// orvedit-cli move, run as the real executable: the bank orders, the file
// replaced in place or written elsewhere, and refused positions or files
// leaving every file as it was.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>
#include "CliScratch.h"
#include "files/ImageFile.h"
#include "image/MemoryImage.h"

namespace fs = std::filesystem;
using orv::test::CliResult;
using orv::MemoryImage;

namespace {

MemoryImage patterned() {
    MemoryImage img;
    for (int a = 0; a < MemoryImage::kSize; ++a) img[a] = static_cast<uint8_t>((a * 37 + a / 11 + 3) & 0xFF);
    return img;
}

// The image with its banks (128 bytes at 384 x p) in the order given:
// position p gets the old bank order[p - 1].
MemoryImage reordered(const MemoryImage& old, const std::array<int, 15>& order) {
    MemoryImage img = old;
    for (int p = 1; p <= 15; ++p)
        for (int k = 0; k < 128; ++k) img[384 * p + k] = old[384 * order[size_t(p - 1)] + k];
    return img;
}

class CliMove : public orv::test::CliScratch {};

TEST_F(CliMove, MovesTheBanksInPlaceOrIntoTheOutputFile) {
    struct Case { const char* from; const char* to; bool inPlace; std::array<int, 15> order; };
    const Case cases[] = {
        {"15", "1", false, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}},
        {"1", "15", true, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 1}},
        {"5", "3", false, {1, 2, 5, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {"9", "9", true, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " to " + c.to);
        const std::string in = writeImage("in.orv", patterned());
        std::vector<std::string> args = {"move", in, "--from", c.from, "--to", c.to};
        if (!c.inPlace) args.insert(args.end(), {"-o", path("out.orv")});
        const CliResult r = run(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.err, "");
        MemoryImage got;
        ASSERT_TRUE(orv::loadImageFile(c.inPlace ? in : path("out.orv"), got).ok());
        EXPECT_TRUE(got == reordered(patterned(), c.order));
        if (!c.inPlace) {
            MemoryImage input;
            ASSERT_TRUE(orv::loadImageFile(in, input).ok());
            EXPECT_TRUE(input == patterned()) << "the input stays as it was";
        }
        fs::remove(path("out.orv"));
    }
}

TEST_F(CliMove, RefusedPositionsAndFilesLeaveEveryFileAsItWas) {
    struct Case { const char* name; std::vector<std::string> args; const char* said; };
    const std::string in = writeImage("in.orv", patterned());
    const std::string shortFile = path("short.orv");
    orv::test::runCli({"new", "-o", shortFile}, dir.string());
    fs::resize_file(shortFile, 6015);
    const std::string out = path("out.orv");
    const Case cases[] = {
        {"from 16", {"move", in, "--from", "16", "--to", "1", "-o", out}, "--from 16"},
        {"to 0", {"move", in, "--from", "3", "--to", "0"}, "--to 0"},
        {"negative", {"move", in, "--from=-1", "--to", "4"}, "--from -1"},
        {"no number", {"move", in, "--from", "x", "--to", "4"}, "--from"},
        {"no to", {"move", in, "--from", "2"}, "--to"},
        {"not a programming file", {"move", shortFile, "--from", "2", "--to", "4"}, "6019 bytes"},
        {"no such file", {"move", path("none.orv"), "--from", "2", "--to", "4", "-o", out}, "none.orv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CliResult r = run(c.args);
        EXPECT_EQ(r.exitCode, 2);
        ASSERT_EQ(r.errLines().size(), 1u) << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << r.err;
        MemoryImage input;
        ASSERT_TRUE(orv::loadImageFile(in, input).ok());
        EXPECT_TRUE(input == patterned());
        EXPECT_FALSE(fs::exists(out));
        EXPECT_EQ(fs::file_size(shortFile), 6015u);
    }
}

}  // namespace
