#include "files/RadioLog.h"

#include <nlohmann/json.hpp>
#include <cstdio>
#include "files/Sha256.h"
#include "platform/Append.h"
#include "platform/Files.h"
#include "platform/Folders.h"

namespace orv {

namespace {

using Json = nlohmann::json;

std::string logPath(const std::string& folder) { return folder + "/" + kRadioLogName; }

// Days since 1970-01-01 to a civil date (the proleptic Gregorian calendar).
void civilFromDays(long long z, int& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<int>(yy + (m <= 2));
}

template <class T>
void take(const Json& j, const char* key, T& into) {
    const auto it = j.find(key);
    if (it != j.end() && !it->is_null()) into = it->get<T>();
}

}  // namespace

std::string programmingDigest(const MemoryImage& image) { return sha256Hex(image.data(), MemoryImage::kSize); }

std::string utcTimestamp(std::time_t when) {
    const long long t = static_cast<long long>(when);
    long long days = t / 86400;
    long long secs = t % 86400;
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    int y;
    unsigned m, d;
    civilFromDays(days, y, m, d);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02lld:%02lld:%02lldZ", y, m, d, secs / 3600, secs / 60 % 60,
                  secs % 60);
    return text;
}

std::string radioLogLine(const RadioLogEntry& e) {
    Json j;
    j["time"] = e.time;
    j["program"] = e.program;
    j["programVersion"] = e.programVersion;
    j["operation"] = e.operation;
    j["port"] = {{"device", e.device}, {"stableName", e.stableName}, {"adapterSerial", e.adapterSerial}};
    j["radioVersion"] = e.radioVersion;
    j["fingerprint"] = e.fingerprint;
    j["unit"] = e.unit;
    j["groups"] = e.groups;
    j["globals"] = e.globals;
    j["sha256Read"] = e.sha256Read;
    j["sha256Written"] = e.sha256Written;
    j["bytesSent"] = e.bytesSent;
    j["result"] = e.result;
    j["verified"] = e.verified;
    j["message"] = e.message;
    j["backups"] = e.backups;
    // One line whatever the texts hold: a line end inside a text is escaped,
    // bytes that are not UTF-8 are replaced.
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

bool parseRadioLogLine(const std::string& line, RadioLogEntry& out) {
    const Json j = Json::parse(line, nullptr, false);
    if (j.is_discarded() || !j.is_object()) return false;
    RadioLogEntry e;
    try {
        take(j, "time", e.time);
        take(j, "operation", e.operation);
        if (e.time.empty() || e.operation.empty()) return false;
        take(j, "program", e.program);
        take(j, "programVersion", e.programVersion);
        if (const auto p = j.find("port"); p != j.end() && p->is_object()) {
            take(*p, "device", e.device);
            take(*p, "stableName", e.stableName);
            take(*p, "adapterSerial", e.adapterSerial);
        }
        take(j, "radioVersion", e.radioVersion);
        take(j, "fingerprint", e.fingerprint);
        take(j, "unit", e.unit);
        take(j, "groups", e.groups);
        take(j, "globals", e.globals);
        take(j, "sha256Read", e.sha256Read);
        take(j, "sha256Written", e.sha256Written);
        take(j, "bytesSent", e.bytesSent);
        take(j, "result", e.result);
        take(j, "verified", e.verified);
        take(j, "message", e.message);
        take(j, "backups", e.backups);
    } catch (const Json::exception&) {
        return false;   // a field of the wrong type
    }
    out = std::move(e);
    return true;
}

FileStatus appendRadioLog(const std::string& folder, const RadioLogEntry& entry) {
    if (folder.empty()) return systemError("cannot keep the radio log", "(no per-user data folder)", ENOENT);
    if (const int e = platform::makeFolders(folder); e != 0) return systemError("cannot make the folder", folder, e);
    // The backups' lock: a program that appends takes its turn with the
    // others, and with the backups they keep.
    platform::FileLock lock(folder + "/.lock");
    if (lock.error() != 0) return systemError("cannot lock the folder", folder, lock.error());
    return platform::appendToFile(logPath(folder), radioLogLine(entry) + "\n");
}

RadioLogContents readRadioLog(const std::string& folder) {
    RadioLogContents out;
    const std::string path = logPath(folder);
    if (platform::nameState(path) == 0) return out;   // nothing logged yet
    std::string text;
    long long size = 0;
    constexpr std::size_t kMostRead = 256u << 20;
    out.status = platform::readUpTo(path, true, kMostRead, text, size);
    if (!out.status.ok()) return out;
    std::size_t at = 0;
    int lineNumber = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        const bool whole = end != std::string::npos;
        if (!whole) end = text.size();
        ++lineNumber;
        const std::string line = text.substr(at, end - at);
        at = end + 1;
        if (line.empty()) continue;
        RadioLogEntry e;
        if (whole && parseRadioLogLine(line, e))
            out.entries.push_back(std::move(e));
        else
            out.warnings.push_back(std::string(kRadioLogName) + " line " + std::to_string(lineNumber) +
                                   " is damaged and was skipped");
    }
    return out;
}

}  // namespace orv
