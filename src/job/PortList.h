// The serial ports of this machine (found by the platform layer) as the
// command-line tool shows them.
#pragma once
#include <string>
#include <vector>
#include "platform/SerialPortList.h"

namespace orv {

// The list as a text table with a header line, one port a line.
std::string portTable(const std::vector<SerialPortInfo>& ports);

}  // namespace orv
