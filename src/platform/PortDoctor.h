// The port doctor: what on this machine keeps a serial port from working,
// one finding at a time with what to do about it. Most trouble with a
// programming cable is the port, not the program: a group the user is not
// in (or joined after logging in), a braille display service or a modem
// manager that takes a new adapter, a USB adapter's latency, a driver that
// refuses the chip, another program that holds the port.
//
// The checks of each system read it through a seam the tests fill in:
// Linux through a folder that stands for / (platform/posix/LinuxPortChecks.h),
// Windows through a registry reader and a port probe
// (platform/win32/WindowsPortChecks.h, plain code that builds and is tested
// on every system). checkPorts runs the checks of this system on the live
// machine.
#pragma once
#include <string>
#include <vector>

namespace orv {

enum class FindingLevel {
    Ok,       // looked at, nothing in the way
    Note,     // worth knowing; the port may work anyway
    Warning,  // may get in the way of a radio exchange
    Problem,  // keeps the port from working
};

struct PortFinding {
    std::string check;    // what was looked at: "access", "group", "login", "in-use", "brltty", ...
    FindingLevel level = FindingLevel::Ok;
    std::string subject;  // the device ("/dev/ttyUSB0", "COM5"), or "system"
    std::string finding;  // what was found (no closing period)
    std::string fix;      // what to do, the exact command or setting; empty when nothing
};

// "ok", "note", "warning", "problem".
const char* findingLevelName(FindingLevel level);

// One line: "problem: /dev/ttyUSB0: <finding>. Fix: <fix>." (no newline).
std::string findingLine(const PortFinding& f);

// Whether any finding keeps a port from working.
bool anyProblem(const std::vector<PortFinding>& findings);

// The checks of this system on this machine for `port` (a device, a stable
// name or COMn), or for every serial adapter found when `port` is empty.
// `root` (Linux only) reads the system under another folder than /.
std::vector<PortFinding> checkPorts(const std::string& port, const std::string& root = {});

}  // namespace orv
