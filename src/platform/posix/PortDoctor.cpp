#include "platform/PortDoctor.h"

#include "platform/posix/LinuxPortChecks.h"

namespace orv {

std::vector<PortFinding> checkPorts(const std::string& port, const std::string& root) {
    return platform::posix::linuxPortFindings(root.empty() ? std::string("/") : root, port);
}

}  // namespace orv
