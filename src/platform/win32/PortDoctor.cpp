#include "platform/PortDoctor.h"

#include "platform/Files.h"
#include "platform/SystemInfoProgram.h"
#include "platform/win32/WindowsRegistry.h"

namespace orv {

std::vector<PortFinding> checkPorts(const std::string& port, const std::string&) {
    const platform::win32::WindowsRegistry registry;
    const platform::win32::PortProbe probe = platform::win32::probePort;
    return platform::win32::windowsPortFindings(registry, probe, port);
}

std::string platform::systemInfoProgram() {
    const platform::win32::WindowsRegistry registry;
    return platform::win32::systemInfoProgramIn(
        registry, [](const std::string& path) { return platform::fileKind(path) == platform::FileKind::Regular; });
}

}  // namespace orv
