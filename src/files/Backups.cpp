#include "files/Backups.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace orv {

namespace {

// Creates `path` and the folders above it where missing.
bool makeFolders(const std::string& path, int& err) {
    std::string sofar;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        const std::size_t next = path.find('/', pos);
        sofar = path.substr(0, next == std::string::npos ? path.size() : next);
        pos = next == std::string::npos ? path.size() + 1 : next + 1;
        if (sofar.empty()) continue;
        if (::mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) {
            err = errno;
            return false;
        }
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        err = errno;
        return false;
    }
    if (!S_ISDIR(st.st_mode)) {
        err = ENOTDIR;
        return false;
    }
    return true;
}

// Holds an exclusive lock on the folder's lock file while alive, so that
// programs and threads keeping backups at the same time take turns.
class FolderLock {
public:
    explicit FolderLock(const std::string& folder) {
        fd_ = ::open((folder + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0) {
            err_ = errno;
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno == EINTR) continue;
            err_ = errno;
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
    ~FolderLock() {
        if (fd_ >= 0) ::close(fd_);   // closing releases the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    int error() const { return fd_ >= 0 ? 0 : err_; }

private:
    int fd_ = -1;
    int err_ = 0;
};

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

// 0 when no file has the name `path`, EEXIST when one has, or the errno
// that keeps the question from being answered.
int nameState(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

// The largest sequence number a backup name may carry (six digits).
constexpr int kMaxSequence = 999999;

}  // namespace

std::string backupFolder() {
    if (const char* data = std::getenv("ORVEDIT_DATA_DIR"); data && *data) return std::string(data) + "/backups";
    std::string base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg == '/') {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::string(home) + "/.local/share";
    } else {
        return {};
    }
    return base + "/ORVEDIT/ORVEDIT/backups";
}

std::string backupFileName(BackupKind kind, std::time_t when, int sequence) {
    std::tm tm {};
    localtime_r(&when, &tm);
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
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            const std::string name = e->d_name;
            int sequence = 1;
            if (!parseBackupName(name, sequence)) continue;
            struct stat st {};
            if (::lstat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
            const long long ns = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
            items.push_back({ns, name.substr(0, 15), sequence, name});
        }
        ::closedir(dir);
    }
    // By the moment each was written: the local time in a name repeats at
    // the end of summer time and jumps with a change of time zone. The name
    // orders backups written within the same clock tick.
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return std::tie(a.mtimeNs, a.stamp, a.sequence, a.name) < std::tie(b.mtimeNs, b.stamp, b.sequence, b.name);
    });
    std::vector<std::string> out;
    for (const Item& i : items) out.push_back(folder + "/" + i.name);
    return out;
}

BackupResult keepBackup(const MemoryImage& image, BackupKind kind, const std::string& folder, std::time_t when,
                        int keep) {
    BackupResult r;
    if (folder.empty()) {
        r.status.kind = FileStatus::Kind::NotFound;
        r.status.message = "no folder for backups: neither XDG_DATA_HOME nor HOME is set";
        return r;
    }
    int err = 0;
    if (!makeFolders(folder, err)) {
        r.status = systemError("cannot create the backup folder", folder, err);
        return r;
    }
    FolderLock lock(folder);
    if (lock.error() != 0) {
        r.status = systemError("cannot lock the backup folder", folder, lock.error());
        return r;
    }
    // The first free name of the moment; a name that cannot be checked (too
    // long, say) ends the search instead of trying the next one for ever.
    std::string path;
    for (int sequence = 1;; ++sequence) {
        path = folder + "/" + backupFileName(kind, when, sequence);
        const int state = nameState(path);
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
    for (std::size_t i = 0; i + keptOthers < others.size(); ++i) ::unlink(others[i].c_str());
    return r;
}

}  // namespace orv
