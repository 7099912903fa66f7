// orvedit-cli ports: the machine's serial ports as a table and as JSON, the
// same list either way.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include "CliScratch.h"

namespace {

class CliPorts : public orv::test::CliScratch {};

TEST_F(CliPorts, TableAndJsonListTheSamePorts) {
    const auto json = run({"ports", "--json"});
    ASSERT_EQ(json.exitCode, 0) << json.err;
    const auto ports = nlohmann::json::parse(json.out);
    ASSERT_TRUE(ports.is_array());
    const auto table = run({"ports"});
    ASSERT_EQ(table.exitCode, 0) << table.err;
    if (ports.empty()) {
        EXPECT_EQ(table.out, "No serial ports found.\n");
        return;
    }
    EXPECT_EQ(table.out.rfind("DEVICE", 0), 0u) << table.out;
    for (const auto& p : ports) {
        EXPECT_EQ(p["device"].get<std::string>().rfind("/dev/", 0), 0u) << p.dump();
        EXPECT_NE(table.out.find(p["device"].get<std::string>()), std::string::npos) << table.out;
        EXPECT_EQ(p["mayOpen"].get<bool>(), p["access"] == "yes") << p.dump();
    }
}

}  // namespace
