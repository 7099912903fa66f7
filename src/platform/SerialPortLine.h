// The line settings string of a serial port ("4800,n,8,1") and the device
// names a person may give for a port, shared by every system's port class.
#pragma once
#include <string>

namespace orv {

// A parsed line settings string such as "4800,n,8,1".
struct LineSettings {
    int baud = 4800;
    char parity = 'n';   // n, e, o, m, s
    int dataBits = 8;    // 5..8
    int stopBits = 1;    // 1 or 2
};

// Parses "speed,parity,data,stop"; throws SerialPortError on anything else,
// also on a speed that is not one of the standard rates 300..230400.
LineSettings parseLineSettings(const std::string& settings);

// The path that opens a numbered communications port: "COM5", "com12" and
// "\\.\COM5" all give "\\.\COM5" (the prefix lets ports above COM9 open).
// Anything else comes back unchanged, to fail on open with its own name.
std::string comDevicePath(const std::string& device);

}  // namespace orv
