#include "files/Backups.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <tuple>
#include "platform/Folders.h"
#include "platform/Platform.h"

namespace orv {

namespace {

bool allDigits(const std::string& s, std::size_t from, std::size_t n) {
    if (from + n > s.size()) return false;
    for (std::size_t i = from; i < from + n; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

int number(const std::string& s, std::size_t from, std::size_t n) { return std::atoi(s.substr(from, n).c_str()); }

// The 15 characters "YYYYMMDD-HHMMSS" name a moment of a calendar.
bool isMoment(const std::string& name) {
    if (!allDigits(name, 0, 8) || name[8] != '-' || !allDigits(name, 9, 6)) return false;
    const int month = number(name, 4, 2), day = number(name, 6, 2);
    const int hour = number(name, 9, 2), minute = number(name, 11, 2), second = number(name, 13, 2);
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour < 24 && minute < 60 && second <= 60;
}

// "YYYYMMDD-HHMMSS-read.orv", "...-write-3.orv": true, and the sequence.
bool parseBackupName(const std::string& name, int& sequence) {
    if (name.size() < 24 || !isMoment(name) || name[15] != '-') return false;
    std::string rest = name.substr(16);
    const std::string ext = ".orv";
    if (rest.size() <= ext.size() || rest.compare(rest.size() - ext.size(), ext.size(), ext) != 0) return false;
    rest.resize(rest.size() - ext.size());
    std::string kind = rest;
    sequence = 1;
    if (const auto dash = rest.find('-'); dash != std::string::npos) {
        kind = rest.substr(0, dash);
        const std::string seq = rest.substr(dash + 1);
        if (seq.empty() || seq.size() > 6 || !allDigits(seq, 0, seq.size()) || seq[0] == '0') return false;
        sequence = std::atoi(seq.c_str());
        if (sequence < 2) return false;
    }
    return kind == "read" || kind == "write" || kind == "exit";
}

// The largest sequence number a backup name may carry (six digits).
constexpr int kMaxSequence = 999999;

}  // namespace

std::string backupFolder() {
    const std::string data = platform::dataFolder();
    return data.empty() ? data : platform::inFolder(data, "backups");
}

std::string backupFileName(BackupKind kind, std::time_t when, int sequence) {
    const std::tm tm = platform::localTime(when);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
    const char* operation = kind == BackupKind::Read ? "-read" : kind == BackupKind::Write ? "-write" : "-exit";
    std::string name = std::string(stamp) + operation;
    if (sequence > 1) {
        name += '-';
        name += std::to_string(sequence);
    }
    return name + ".orv";
}

std::vector<std::string> listBackups(const std::string& folder) {
    struct Item {
        long long mtimeNs;
        std::string stamp;
        int sequence;
        std::string name;
    };
    std::vector<Item> items;
    for (const platform::FolderEntry& e : platform::listFolder(folder)) {
        int sequence = 1;
        if (!e.regular || !parseBackupName(e.name, sequence)) continue;
        items.push_back({e.modifiedNs, e.name.substr(0, 15), sequence, e.name});
    }
    // By the moment each was written: the local time in a name repeats at
    // the end of summer time and jumps with a change of time zone. The name
    // orders backups written within the same clock tick.
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return std::tie(a.mtimeNs, a.stamp, a.sequence, a.name) < std::tie(b.mtimeNs, b.stamp, b.sequence, b.name);
    });
    std::vector<std::string> out;
    for (const Item& i : items) out.push_back(platform::inFolder(folder, i.name));
    return out;
}

BackupResult keepBackup(const MemoryImage& image, BackupKind kind, const std::string& folder, std::time_t when,
                        int keep) {
    BackupResult r;
    if (folder.empty()) {
        r.status.kind = FileStatus::Kind::NotFound;
        r.status.message = "no folder for backups: " + platform::dataFolderMissing();
        return r;
    }
    if (const int err = platform::makeFolders(folder); err != 0) {
        r.status = systemError("cannot create the backup folder", folder, err);
        return r;
    }
    // Programs and threads keeping backups in the same folder take turns.
    platform::FileLock lock(platform::inFolder(folder, ".lock"));
    if (lock.error() != 0) {
        r.status = systemError("cannot lock the backup folder", folder, lock.error());
        return r;
    }
    // The first free name of the moment; a name that cannot be checked (too
    // long, say) ends the search instead of trying the next one for ever.
    std::string path;
    for (int sequence = 1;; ++sequence) {
        path = platform::inFolder(folder, backupFileName(kind, when, sequence));
        const int state = platform::nameState(path);
        if (state == 0) break;
        if (state != EEXIST || sequence == kMaxSequence) {
            r.status = systemError("cannot name the backup", path, state);
            return r;
        }
    }
    r.status = saveImageFile(path, image);
    if (!r.status) return r;
    r.path = path;

    // The backup just written is always among those kept, whatever the
    // clock said of the older ones.
    std::vector<std::string> others = listBackups(folder);
    others.erase(std::remove(others.begin(), others.end(), path), others.end());
    const std::size_t keptOthers = static_cast<std::size_t>(std::max(keep, 1)) - 1;
    for (std::size_t i = 0; i + keptOthers < others.size(); ++i) platform::removeFile(others[i]);
    return r;
}

}  // namespace orv
