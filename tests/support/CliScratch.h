// A test fixture for runs of the command-line tool: a scratch folder made
// fresh for each test (and removed after it) that holds the tool's input and
// output files, with helpers to write inputs into it and list what it holds.
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "RunCli.h"
#include "files/ImageFile.h"

namespace orv::test {

class CliScratch : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orv-cli-XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir = tmpl;
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    CliResult run(const std::vector<std::string>& args) { return runCli(args, dir.string()); }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::string writeImage(const std::string& name, const orv::MemoryImage& img) {
        EXPECT_TRUE(orv::saveImageFile(path(name), img).ok());
        return path(name);
    }
    std::string writeText(const std::string& name, const std::string& text) {
        std::ofstream(path(name), std::ios::binary) << text;
        return path(name);
    }
    orv::MemoryImage readImage(const std::string& p) {
        orv::MemoryImage img;
        const auto st = orv::loadImageFile(p, img);
        EXPECT_TRUE(st.ok()) << st.message;
        return img;
    }
    // The names in the scratch folder, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path dir;
};

}  // namespace orv::test
