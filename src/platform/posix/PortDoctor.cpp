#include "platform/PortDoctor.h"

#include "platform/SystemInfoProgram.h"
#include "platform/posix/LinuxPortChecks.h"

namespace orv {

std::vector<PortFinding> checkPorts(const std::string& port, const std::string& root) {
    return platform::posix::linuxPortFindings(root.empty() ? std::string("/") : root, port);
}

// POSIX systems have no one system-information program.
std::string platform::systemInfoProgram() { return {}; }

}  // namespace orv
