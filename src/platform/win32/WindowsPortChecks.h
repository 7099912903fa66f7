// The port doctor's checks on Windows, reading the system through a
// registry reader and a port probe: the ports the system names
// (HARDWARE\DEVICEMAP\SERIALCOMM), the device behind a port (the instance
// under SYSTEM\CurrentControlSet\Enum\FTDIBUS, USB or ACPI whose Device
// Parameters name it), its driver (the instance's Service, its Driver's
// class key: DriverVersion, ProviderName), the FTDI driver's LatencyTimer,
// a Prolific driver that refuses older chips, and whether the port opens.
// This file uses no system header: it builds and is tested on every system
// against a fake reader; platform/win32/WindowsRegistry.h is the real one.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>
#include "platform/PortDoctor.h"

namespace orv::platform::win32 {

// What the checks read of the registry, every key a path under
// HKEY_LOCAL_MACHINE with '\' between its parts ("SYSTEM\CurrentControlSet\Enum").
class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    // The names of the key's subkeys; none when the key is missing.
    virtual std::vector<std::string> subkeys(const std::string& key) const = 0;
    // The key's values as text (a number as its decimal digits), by name.
    virtual std::vector<std::pair<std::string, std::string>> values(const std::string& key) const = 0;
    // One value, or nothing when the key or the value is missing.
    virtual std::optional<std::string> value(const std::string& key, const std::string& name) const;
};

// What opening a port for reading and writing gave.
enum class PortOpen { Opens, InUse, Missing, Fails };
using PortProbe = std::function<PortOpen(const std::string& port)>;

// The findings for `port` ("COM5"; "\\.\COM5" and any case work too), or for
// every port the system names when `port` is empty.
std::vector<PortFinding> windowsPortFindings(const RegistryReader& registry, const PortProbe& probe,
                                             const std::string& port);

// The keys the checks read.
inline constexpr const char* kSerialCommKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
inline constexpr const char* kEnumKey = "SYSTEM\\CurrentControlSet\\Enum";
inline constexpr const char* kClassKey = "SYSTEM\\CurrentControlSet\\Control\\Class";

// Where the registry keeps the system-information program: the value "PATH"
// of SOFTWARE\Microsoft\Shared Tools\MSINFO; else the folder in the value
// "MSINFO" of SOFTWARE\Microsoft\Shared Tools Location with "\MSINFO32.EXE",
// when `exists` finds that file; else empty.
std::string systemInfoProgramIn(const RegistryReader& registry,
                                const std::function<bool(const std::string&)>& exists);

}  // namespace orv::platform::win32
