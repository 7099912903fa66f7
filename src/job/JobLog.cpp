#include "job/JobLog.h"

#include <ctime>
#include "Version.h"
#include "job/RadioIdentity.h"
#include "platform/Folders.h"
#include "platform/Platform.h"
#include "platform/SerialPortList.h"

namespace orv {

LogSource LogSource::forProgram(const std::string& program) { return {program, platform::dataFolder(), {}}; }

std::string backupName(const std::string& path) {
    const auto cut = path.find_last_of(platform::kWindows ? "/\\" : "/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

RadioLogEntry logEntry(const LogSource& source, const std::string& operation, const std::string& device,
                       const std::string& radioVersion) {
    RadioLogEntry e;
    e.time = utcTimestamp(std::time(nullptr));
    e.program = source.program;
    e.programVersion = ORV_VERSION_STRING;
    e.operation = operation;
    e.device = device;
    e.unit = source.unit;
    e.radioVersion = radioVersion == "-" ? std::string() : radioVersion;
    for (const SerialPortInfo& p : listSerialPorts()) {
        if (p.device != device && p.stableName != device) continue;
        e.stableName = p.stableName;
        e.adapterSerial = p.serialNumber;
        break;
    }
    return e;
}

void coverPart(RadioLogEntry& entry, RadioPart part, int group) {
    entry.groups.clear();
    entry.globals = part == RadioPart::All || part == RadioPart::Globals;
    if (part == RadioPart::Group) entry.groups = {group};
    if (part == RadioPart::All || part == RadioPart::Groups)
        for (int g = 1; g <= memmap::kGroups; ++g) entry.groups.push_back(g);
}

RadioLogEntry readLogEntry(const LogSource& source, const std::string& device, const std::string& radioVersion,
                           RadioPart part, int group, const MemoryImage& read, bool ok, bool cancelled,
                           const std::vector<std::string>& backups) {
    RadioLogEntry e = logEntry(source, "read", device, radioVersion);
    coverPart(e, part, group);
    e.result = ok ? "ok" : cancelled ? "stopped" : "failed";
    if (ok) {
        e.sha256Read = programmingDigest(read);
        if (part == RadioPart::All || part == RadioPart::Globals) e.fingerprint = radioFingerprint(read, e.radioVersion);
    } else {
        e.message = cancelled ? "stopped by the user" : "reading the radio failed";
    }
    for (const std::string& b : backups)
        if (!b.empty()) e.backups.push_back(backupName(b));
    return e;
}

namespace {

std::string stepWord(RadioJobResult::Step step, const char* done, const char* failed) {
    using Step = RadioJobResult::Step;
    switch (step) {
    case Step::Done: return done;
    case Step::Failed: return failed;
    case Step::Stopped: return "stopped";
    case Step::NotAsked: break;
    }
    return {};
}

}  // namespace

RadioLogEntry jobLogEntry(const LogSource& source, const RadioJobPlan& plan, const PortJobResult& r,
                          const MemoryImage& written, const std::vector<std::string>& backups) {
    using Step = RadioJobResult::Step;
    const bool write = plan.write != RadioJobPlan::Write::None;
    RadioLogEntry e = logEntry(source, write ? "write" : "verify", r.port, r.version);
    coverPart(e, partOf(plan), plan.group);
    e.fingerprint = r.fingerprint;
    e.sha256Read = r.readDigest;
    if (write && r.written != Step::NotAsked) e.sha256Written = programmingDigest(written);
    e.bytesSent = r.bytesSent;
    e.verified = stepWord(r.verified, "yes", r.radioRead ? "differs" : "failed");
    if (r.identical)
        e.result = "same";
    else if (r.written == Step::Stopped || r.verified == Step::Stopped)
        e.result = "stopped";
    else if (!r.ok())
        e.result = "failed";
    else
        e.result = write && r.written == Step::NotAsked ? "not written" : "ok";
    e.message = r.failure;
    for (const std::string& b : backups)
        if (!b.empty()) e.backups.push_back(backupName(b));
    if (r.before && r.before->backup) e.backups.push_back(backupName(r.before->backup.path));
    if (r.readBackup) e.backups.push_back(backupName(r.readBackup.path));
    return e;
}

std::string originNote(const RadioLogContents& log, const MemoryImage& target, const ReadFirst& before) {
    if (!before.read || before.fingerprint.empty()) return {};
    for (auto it = log.entries.rbegin(); it != log.entries.rend(); ++it) {
        const RadioLogEntry& e = *it;
        if (e.operation != "read" || e.result != "ok" || e.fingerprint.empty()) continue;
        if (radioFingerprint(target, e.radioVersion) != e.fingerprint) continue;
        if (e.fingerprint == before.fingerprint) return {};
        return "read from radio " + e.fingerprint + " on " + e.time.substr(0, 10) + "; this radio is " +
               before.fingerprint;
    }
    return {};
}

std::string originNote(const LogSource& source, const MemoryImage& target, const ReadFirst& before) {
    if (source.folder.empty() || !before.read) return {};
    return originNote(readRadioLog(source.folder), target, before);
}

bool LogFilter::matches(const RadioLogEntry& e) const {
    if (!since.empty() && e.time.substr(0, since.size()) < since) return false;
    if (!unit.empty() && e.unit != unit) return false;
    if (!port.empty() && e.device != port && e.stableName != port) return false;
    return true;
}

namespace {

std::string groupsText(const RadioLogEntry& e) {
    std::string out;
    if (e.groups.size() == static_cast<std::size_t>(memmap::kGroups)) out = "1-15";
    else
        for (int g : e.groups) out += (out.empty() ? "" : ",") + std::to_string(g);
    if (e.globals) out += out.empty() ? "globals" : "+globals";
    return out.empty() ? "-" : out;
}

std::string orDash(const std::string& s) { return s.empty() ? "-" : s; }

}  // namespace

const std::vector<LogColumn>& logColumns() {
    static const std::vector<LogColumn> columns = {
        {"TIME", [](const RadioLogEntry& e) { return e.time; }},
        {"OPERATION", [](const RadioLogEntry& e) { return e.operation; }},
        {"RESULT", [](const RadioLogEntry& e) { return orDash(e.result); }},
        {"VERIFIED", [](const RadioLogEntry& e) { return orDash(e.verified); }},
        {"UNIT", [](const RadioLogEntry& e) { return orDash(e.unit); }},
        {"RADIO", [](const RadioLogEntry& e) { return orDash(e.fingerprint); }},
        {"VERSION", [](const RadioLogEntry& e) { return orDash(e.radioVersion); }},
        {"PORT", [](const RadioLogEntry& e) { return e.stableName.empty() ? e.device : e.stableName; }},
        {"GROUPS", groupsText},
        {"SENT", [](const RadioLogEntry& e) { return std::to_string(e.bytesSent); }},
        {"PROGRAM", [](const RadioLogEntry& e) { return e.program; }},
        {"MESSAGE", [](const RadioLogEntry& e) { return e.message; }},
    };
    return columns;
}

std::string logRadioJob(const LogSource& source, const RadioLogEntry& entry) {
    if (source.folder.empty()) return {};
    const FileStatus st = appendRadioLog(source.folder, entry);
    return st ? std::string() : "the radio log was not written: " + st.message;
}

}  // namespace orv
