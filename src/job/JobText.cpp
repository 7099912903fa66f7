#include "job/JobText.h"

#include "image/MemoryMap.h"

namespace orv {

namespace {
// The file name of a path: the backups keep their time in the name.
std::string fileName(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

std::string radioPartText(RadioPart part, int group) {
    const std::string groups = std::to_string(memmap::kGroups) + " groups";
    switch (part) {
    case RadioPart::All: return groups + " and the global information";
    case RadioPart::Globals: return "the global information";
    case RadioPart::Group: return "group " + std::to_string(group);
    case RadioPart::Groups: return groups;
    }
    return groups;
}

std::string readDoneText(RadioPart part, int group, const std::string& device, const std::string& backupPath) {
    return "Read " + radioPartText(part, group) + " from " + device + " \u2014 " +
           (backupPath.empty() ? std::string("no backup kept") : "backup " + fileName(backupPath));
}

std::string wroteText(RadioPart part, int group, const std::string& device) {
    return "Wrote " + radioPartText(part, group) + " to " + device;
}

std::string radioEndedText(RadioAction action, RadioPart part, int group, const std::string& device, bool cancelled) {
    std::string what;
    switch (action) {
    case RadioAction::Read: what = "Reading " + radioPartText(part, group) + " from " + device; break;
    case RadioAction::Write: what = "Writing " + radioPartText(part, group) + " to " + device; break;
    case RadioAction::Verify: what = "Verifying the radio on " + device; break;
    }
    return what + (cancelled ? " cancelled" : " failed");
}

}  // namespace orv
