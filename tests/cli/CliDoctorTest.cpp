// orvedit-cli doctor: the findings as lines and as JSON, and the exit code
// that tells a script whether something keeps the port from working.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include "CliScratch.h"
#include "FakeLinuxRoot.h"

namespace {

class CliDoctor : public orv::test::CliScratch {};

TEST_F(CliDoctor, PrintsOneLinePerFindingAndExitsOneForAProblem) {
    const orv::test::FakeLinuxRoot root;
    root.user({5000}, false);
    root.adapter("ttyUSB0", "0403", "6001", "ftdi_sio");

    const auto text = run({"doctor", "--root", root.path(), "--port", "/dev/ttyUSB0"});
    EXPECT_EQ(text.exitCode, 1) << text.err;
    EXPECT_NE(text.out.find("\nproblem: /dev/ttyUSB0: you may not open the device (owner "), std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Fix: add yourself to group dialout (sudo usermod -aG dialout $USER) and log in again.\n"),
              std::string::npos)
        << text.out;

    const auto json = run({"doctor", "--root", root.path(), "--port", "/dev/ttyUSB0", "--json"});
    EXPECT_EQ(json.exitCode, 1) << json.err;
    const auto findings = nlohmann::json::parse(json.out);
    ASSERT_TRUE(findings.is_array());
    std::size_t lines = 0;
    for (char c : text.out) lines += c == '\n';
    EXPECT_EQ(findings.size(), lines) << "the same findings either way";
    EXPECT_EQ(findings[0]["check"], "adapter");
    EXPECT_EQ(findings[0]["level"], "ok");
    EXPECT_TRUE(findings[0]["fix"].is_null());

    root.user({5000, root.serialGid}, true);
    const auto fixed = run({"doctor", "--root", root.path(), "--port", "/dev/ttyUSB0"});
    EXPECT_EQ(fixed.exitCode, 0) << fixed.out;
}

}  // namespace
