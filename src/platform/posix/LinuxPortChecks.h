// The port doctor's checks on Linux, reading the system under `root`, a
// folder that stands for / ("/" on the live machine): the device and its
// owner, group and mode (root/dev), this login's user and groups
// (root/proc/self/status) against the user and group database
// (root/etc/passwd, root/etc/group), the adapter, its driver and its
// latency timer (root/sys/class/tty, root/sys/bus/usb-serial/devices), the
// running brltty and ModemManager and the programs that hold the port
// (root/proc/<pid>/comm and fd), the udev rules (root/etc/udev/rules.d,
// root/run/udev/rules.d, root/usr/lib/udev/rules.d, root/lib/udev/rules.d)
// and what udev made of the device (root/run/udev/data).
#pragma once
#include <string>
#include <vector>
#include "platform/PortDoctor.h"

namespace orv::platform::posix {

// The findings for `port` (a device or a link to one such as a
// /dev/serial/by-id name), or for every USB serial adapter under root/sys
// when `port` is empty (with the system's own findings when there is none).
std::vector<PortFinding> linuxPortFindings(const std::string& root, const std::string& port);

}  // namespace orv::platform::posix
