#include "platform/SerialPortLine.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>
#include "platform/SerialPort.h"

namespace orv {

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

constexpr int kStandardRates[] = {300, 600, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400};

}  // namespace

LineSettings parseLineSettings(const std::string& settings) {
    std::vector<std::string> parts;
    std::stringstream ss(settings);
    std::string item;
    while (std::getline(ss, item, ',')) parts.push_back(trimmed(item));
    auto bad = [&]() -> SerialPortError {
        return SerialPortError("Invalid line settings \"" + settings +
                               "\" (expected speed,parity,data bits,stop bits, e.g. 4800,n,8,1)");
    };
    if (parts.size() != 4) throw bad();
    LineSettings s;
    try {
        std::size_t used = 0;
        s.baud = std::stoi(parts[0], &used);
        if (used != parts[0].size()) throw bad();
        s.dataBits = std::stoi(parts[2], &used);
        if (used != parts[2].size()) throw bad();
        s.stopBits = std::stoi(parts[3], &used);
        if (used != parts[3].size()) throw bad();
    } catch (const std::logic_error&) {
        throw bad();
    }
    if (parts[1].size() != 1) throw bad();
    s.parity = static_cast<char>(std::tolower(static_cast<unsigned char>(parts[1][0])));
    if (std::string("neoms").find(s.parity) == std::string::npos) throw bad();
    if (std::find(std::begin(kStandardRates), std::end(kStandardRates), s.baud) == std::end(kStandardRates))
        throw bad();
    if (s.dataBits < 5 || s.dataBits > 8) throw bad();
    if (s.stopBits != 1 && s.stopBits != 2) throw bad();
    return s;
}

std::string comDevicePath(const std::string& device) {
    static const std::string kPrefix = "\\\\.\\";
    std::string name = device.rfind(kPrefix, 0) == 0 ? device.substr(kPrefix.size()) : device;
    auto upper = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    name = upper(name);
    const bool numbered = name.size() > 3 && name.compare(0, 3, "COM") == 0 &&
                          std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                          name[3] != '0';
    return numbered ? kPrefix + name : device;
}

}  // namespace orv
