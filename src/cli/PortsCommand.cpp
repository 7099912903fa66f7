#include "cli/PortsCommand.h"

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include "cli/CliSupport.h"
#include "job/PortList.h"

namespace {

nlohmann::json portJson(const orv::SerialPortInfo& p) {
    nlohmann::json j;
    j["device"] = p.device;
    j["stableName"] = p.stableName.empty() ? nlohmann::json() : nlohmann::json(p.stableName);
    j["transport"] = p.transport;
    j["manufacturer"] = p.manufacturer;
    j["product"] = p.product;
    j["serialNumber"] = p.serialNumber;
    j["vendorId"] = p.vendorId < 0 ? nlohmann::json() : nlohmann::json(p.vendorId);
    j["productId"] = p.productId < 0 ? nlohmann::json() : nlohmann::json(p.productId);
    j["mayOpen"] = p.mayOpen;
    j["access"] = p.access;
    return j;
}

}  // namespace

void addPortsCommand(CLI::App& app, int& exitCode) {
    auto json = std::make_shared<bool>(false);
    CLI::App* cmd = app.add_subcommand(
        "ports", "List the serial ports of this machine: device, stable name (/dev/serial/by-id), adapter, and "
                 "whether you may open it (if not, the group to join)");
    cmd->add_flag("--json", *json, "Print the list as a JSON array, one object per port");
    cmd->callback([json, &exitCode] {
        exitCode = orvcli::runGuarded([&] {
            const auto ports = orv::listSerialPorts();
            if (*json) {
                nlohmann::json all = nlohmann::json::array();
                for (const auto& p : ports) all.push_back(portJson(p));
                std::cout << all.dump(2) << '\n';
            } else if (ports.empty()) {
                std::cout << "No serial ports found.\n";
            } else {
                std::cout << orv::portTable(ports);
            }
            std::cout.flush();
            if (!std::cout) throw orvcli::CommandFailure{orvcli::kExitFailure, "cannot write to standard output"};
        });
    });
}
