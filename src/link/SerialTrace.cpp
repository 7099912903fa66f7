#include "link/SerialTrace.h"

#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>

namespace orv {

std::string formatTraceLine(const TraceEntry& e) {
    char line[64];
    std::snprintf(line, sizeof line, "%c %.6f %02X %d", e.dir, e.t, e.value, e.baud);
    return line;
}

void writeTraceText(std::ostream& out, const std::vector<TraceEntry>& entries, std::size_t dropped) {
    for (const TraceEntry& e : entries) out << formatTraceLine(e) << '\n';
    if (dropped != 0) out << "# " << dropped << " further bytes were not kept\n";
}

std::string traceText(const std::vector<TraceEntry>& entries, std::size_t dropped) {
    std::ostringstream out;
    writeTraceText(out, entries, dropped);
    return out.str();
}

namespace {

[[noreturn]] void badLine(long number, const std::string& line, const std::string& why) {
    throw TraceFormatError("trace line " + std::to_string(number) + " \"" + line + "\": " + why);
}

bool isHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

}  // namespace

std::vector<TraceEntry> readTraceText(std::istream& in) {
    std::vector<TraceEntry> out;
    std::string line;
    long number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;

        std::istringstream fields(line);
        std::string dir, time, byte, baud, extra;
        if (!(fields >> dir >> time >> byte >> baud)) badLine(number, line, "expected direction, time, byte and line speed");
        if (fields >> extra) badLine(number, line, "more than four fields");
        TraceEntry e;
        if (dir.size() != 1 || (dir[0] != TraceEntry::kToRadio && dir[0] != TraceEntry::kFromRadio))
            badLine(number, line, "the direction must be R or T");
        e.dir = dir[0];
        try {
            std::size_t used = 0;
            e.t = std::stod(time, &used);
            if (used != time.size() || !(e.t >= 0)) throw std::invalid_argument("time");
        } catch (const std::exception&) {
            badLine(number, line, "the time must be a number of seconds, 0 or more");
        }
        if (byte.size() != 2 || !isHexDigit(byte[0]) || !isHexDigit(byte[1]))
            badLine(number, line, "the byte must be two hexadecimal digits");
        e.value = static_cast<uint8_t>(std::stoi(byte, nullptr, 16));
        try {
            std::size_t used = 0;
            e.baud = std::stoi(baud, &used);
            if (used != baud.size() || e.baud < 0) throw std::invalid_argument("baud");
        } catch (const std::exception&) {
            badLine(number, line, "the line speed must be a whole number of bit/s");
        }
        out.push_back(e);
    }
    return out;
}

void SerialTrace::start() {
    entries_.clear();
    dropped_ = 0;
    t0_ = Clock::now();
}

void SerialTrace::record(char dir, uint8_t value, int baud) {
    if (entries_.size() >= limit_) {
        ++dropped_;
        return;
    }
    const double t = std::chrono::duration<double>(Clock::now() - t0_).count();
    entries_.push_back({dir, t, value, baud});
}

}  // namespace orv
