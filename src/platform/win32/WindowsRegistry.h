// The registry of this machine as the port doctor reads it: HKEY_LOCAL_MACHINE
// for reading only, text values as UTF-8, numbers as their decimal digits.
#pragma once
#include "platform/win32/WindowsPortChecks.h"

namespace orv::platform::win32 {

class WindowsRegistry : public RegistryReader {
public:
    std::vector<std::string> subkeys(const std::string& key) const override;
    std::vector<std::pair<std::string, std::string>> values(const std::string& key) const override;
};

// Opening `port` for reading and writing, as the serial port opens it.
PortOpen probePort(const std::string& port);

}  // namespace orv::platform::win32
