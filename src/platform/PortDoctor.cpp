#include "platform/PortDoctor.h"

namespace orv {

const char* findingLevelName(FindingLevel level) {
    switch (level) {
    case FindingLevel::Ok: return "ok";
    case FindingLevel::Note: return "note";
    case FindingLevel::Warning: return "warning";
    case FindingLevel::Problem: break;
    }
    return "problem";
}

std::string findingLine(const PortFinding& f) {
    std::string line = std::string(findingLevelName(f.level)) + ": " + f.subject + ": " + f.finding + ".";
    if (!f.fix.empty()) line += " Fix: " + f.fix + ".";
    return line;
}

bool anyProblem(const std::vector<PortFinding>& findings) {
    for (const PortFinding& f : findings)
        if (f.level == FindingLevel::Problem) return true;
    return false;
}

}  // namespace orv
