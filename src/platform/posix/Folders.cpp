// Folders, the per-user data folder and the lock on POSIX systems.
#include "platform/Folders.h"
#include "platform/TestHooks.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {

int makeFolders(const std::string& path) {
    std::string sofar;
    std::size_t pos = 0;
    while (pos <= path.size()) {
        const std::size_t next = path.find('/', pos);
        sofar = path.substr(0, next == std::string::npos ? path.size() : next);
        pos = next == std::string::npos ? path.size() + 1 : next + 1;
        if (sofar.empty()) continue;
        if (::mkdir(sofar.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return errno;
    if (!S_ISDIR(st.st_mode)) return ENOTDIR;
    return 0;
}

std::vector<FolderEntry> listFolder(const std::string& folder) {
    std::vector<FolderEntry> out;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return out;
    while (const dirent* e = ::readdir(dir)) {
        FolderEntry entry;
        entry.name = e->d_name;
        if (entry.name == "." || entry.name == "..") continue;
        struct stat st {};
        if (::lstat((folder + "/" + entry.name).c_str(), &st) == 0) {
            entry.regular = S_ISREG(st.st_mode);
            entry.modifiedNs = static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000LL + st.st_mtim.tv_nsec;
        }
        out.push_back(std::move(entry));
    }
    ::closedir(dir);
    return out;
}

int nameState(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0) return EEXIST;
    return errno == ENOENT ? 0 : errno;
}

void removeFile(const std::string& path) { ::unlink(path.c_str()); }

std::tm localTime(std::time_t when) {
    std::tm tm {};
    localtime_r(&when, &tm);
    return tm;
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string systemDataFolder(const Environment& env) {
    std::string base;
    if (const std::string xdg = env("XDG_DATA_HOME"); !xdg.empty() && xdg[0] == '/') {
        base = xdg;
    } else if (const std::string home = env("HOME"); !home.empty()) {
        base = home + "/.local/share";
    } else {
        return {};
    }
    return base + "/ORVEDIT/ORVEDIT";
}

std::string dataFolderMissing() { return "neither ORVEDIT_DATA_DIR, XDG_DATA_HOME nor HOME is set"; }

FileLock::FileLock(const std::string& lockFile, LockWait wait) {
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    int how = LOCK_EX | LOCK_NB;
    while (::flock(fd, how) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK && wait == LockWait::UntilFree && how != LOCK_EX) {
            hooks::lockWaits();
            how = LOCK_EX;
            continue;
        }
        error_ = errno;
        ::close(fd);
        return;
    }
    handle_ = fd;
}

FileLock::~FileLock() {
    if (handle_ >= 0) ::close(static_cast<int>(handle_));   // closing releases the lock
}

}  // namespace orv::platform
