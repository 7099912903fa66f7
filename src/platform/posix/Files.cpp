// Files on POSIX systems: a save is an unnamed temporary file (O_TMPFILE)
// or a uniquely named one, fsync'ed, then linked and renamed over the target;
// the ending signals are held while the temporary has a name.
#include "platform/Files.h"
#include "platform/TestHooks.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <mutex>
#include <optional>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace orv::platform {

namespace {

// The folder that holds `path` ("." for a bare file name).
std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// What a file that is not a regular file is, for a message.
std::string kindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a pipe (FIFO)";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISDIR(mode)) return "a folder";
    return "not a regular file";
}

// A system error that means the target is one no save may replace.
FileStatus unwritable(FileStatus st) {
    st.kind = FileStatus::Kind::Unwritable;
    return st;
}

FileStatus notRegular(const std::string& what, const std::string& path, const std::string& target, mode_t mode) {
    FileStatus st;
    st.kind = FileStatus::Kind::NotRegular;
    st.message = what + " \"" + path + "\": " + (target == path ? "it" : "the link's target \"" + target + "\"") +
                 " is " + kindOf(mode) + ", not a regular file";
    return st;
}

// Follows symbolic links from `path` to the file they name, so that file is
// the one replaced (not the link). A loop (or a chain longer than the
// system's own limit) is refused with ELOOP.
FileStatus resolveTarget(const std::string& path, std::string& target) {
    std::string current = path;
    for (int depth = 0; depth <= 40; ++depth) {
        struct stat st{};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = current;
            return {};
        }
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
        ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n <= 0) return systemError("Cannot save", path, n < 0 ? errno : ENOENT);
        link.resize(static_cast<std::size_t>(n));
        if (link[0] != '/') link = folderOf(current) + "/" + link;
        current = link;
    }
    return unwritable(systemError("Cannot save", path, ELOOP));
}


// The target of a save, resolved and checked: `existing` is filled when it
// exists (it is then a regular file).
FileStatus checkTarget(const std::string& path, std::string& target, bool& hasExisting, struct stat& existing) {
    if (FileStatus st = resolveTarget(path, target); !st) return st;
    hasExisting = ::lstat(target.c_str(), &existing) == 0;
    if (!hasExisting) {
        // A link the system resolves by itself (/dev/stdout names a pipe or a
        // terminal through /proc) has a target no path reaches.
        struct stat viaSystem{};
        if (::stat(path.c_str(), &viaSystem) == 0 && !S_ISREG(viaSystem.st_mode))
            return notRegular("Cannot save", path, path, viaSystem.st_mode);
        return {};
    }
    if (S_ISDIR(existing.st_mode)) return unwritable(systemError("Cannot save", path, EISDIR));
    if (!S_ISREG(existing.st_mode)) return notRegular("Cannot save", path, target, existing.st_mode);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES)
        return writeProtected(path, target);
    return {};
}

// Gives the new file the owner and group of the one it replaces, as far as
// the system lets this user: root may give both, others may at most give a
// group they belong to. Refusals are not errors: the file is then the saver's.
void keepOwner(int fd, const struct stat& existing) {
    struct stat mine{};
    if (::fstat(fd, &mine) != 0) return;
    if (mine.st_uid == existing.st_uid && mine.st_gid == existing.st_gid) return;
    if (::fchown(fd, existing.st_uid, existing.st_gid) == 0) return;
    if (mine.st_gid != existing.st_gid) (void)::fchown(fd, static_cast<uid_t>(-1), existing.st_gid);
}

bool writeAll(int fd, const unsigned char* p, std::size_t n, int& err) {
    while (n > 0) {
        ssize_t w = ::write(fd, p, n);
        if (w < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

// The longest file name the folder takes (255 where the system cannot say).
std::size_t nameLimit(const std::string& folder) {
    const long n = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return n > 0 ? static_cast<std::size_t>(n) : 255;
}

// A new, unused name for a temporary file beside `target`: ".<name>.<pid>-<random>.tmp",
// the name cut so that the whole stays within the folder's limit (a legal
// 250-byte name must still save).
std::string temporaryName(const std::string& target, unsigned long long random) {
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%d-%08llx.tmp", static_cast<int>(::getpid()), random & 0xFFFFFFFFull);
    const std::string folder = folderOf(target);
    const std::size_t room = nameLimit(folder) - 1 - std::strlen(suffix);
    return folder + "/." + baseNameOf(target).substr(0, room) + suffix;
}

// Opens a new temporary file without a name (O_TMPFILE) in the folder of
// `target`, where the file system can make one; -1 where it cannot.
int openUnnamedTemporary(const std::string& target) {
    if (hooks::namedTemporariesOnly()) return -1;
    return ::open(folderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
}

// Creates a new temporary file beside `target` under a new unique name,
// returned in `tempPath`.
int openNamedTemporary(const std::string& target, std::string& tempPath, int& err) {
    // One generator per thread: the radios of a fleet keep their backups at once.
    thread_local std::mt19937_64 rng{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = temporaryName(target, rng());
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST) {
            err = errno;
            tempPath.clear();
            return -1;
        }
    }
    tempPath.clear();
    err = EEXIST;
    return -1;
}

// The signals that end a program politely (Ctrl-C, SIGTERM, SIGHUP, SIGQUIT).
constexpr int kEnding[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// While any save of the process holds them: how many do, each signal's
// disposition before, and the signal that arrived meanwhile (0: none).
std::mutex g_holdMutex;
int g_holds = 0;                       // under g_holdMutex
struct sigaction g_before[std::size(kEnding)];
bool g_replaced[std::size(kEnding)];   // our handler stands in for the default
std::atomic<int> g_holding{0};         // g_holds, for the handler
std::atomic<int> g_arrived{0};
static_assert(std::atomic<int>::is_always_lock_free);

// Stands in for the default action of an ending signal while a save holds
// it: remembers it; when the hold ended meanwhile, passes it on at once (the
// default action is back by then).
extern "C" void noteEndingSignal(int sig) {
    g_arrived.store(sig);
    if (g_holding.load() == 0) ::raise(sig);
}

// Holds off the signals that end a program politely while alive, so that a
// temporary file with a name and its rename (or removal) happen together or
// not at all: the saving thread blocks them, and for the other threads of
// the process a signal whose action is the default (ending the program) is
// remembered instead. When the last hold ends the default action is back
// and a signal that came meanwhile ends the program then. A handler the
// program installed itself (a Cancel button) is left as it is.
class TerminationDeferred {
public:
    TerminationDeferred() {
        sigset_t set;
        sigemptyset(&set);
        for (int s : kEnding) sigaddset(&set, s);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
        std::lock_guard<std::mutex> lock(g_holdMutex);
        if (g_holds++ > 0) return;
        g_holding.store(1);
        struct sigaction note {};
        note.sa_handler = noteEndingSignal;
        note.sa_mask = set;
        note.sa_flags = SA_RESTART;
        for (std::size_t k = 0; k < std::size(kEnding); ++k) {
            g_replaced[k] = ::sigaction(kEnding[k], nullptr, &g_before[k]) == 0 &&
                            !(g_before[k].sa_flags & SA_SIGINFO) && g_before[k].sa_handler == SIG_DFL &&
                            ::sigaction(kEnding[k], &note, nullptr) == 0;
        }
    }
    ~TerminationDeferred() {
        int arrived = 0;
        {
            std::lock_guard<std::mutex> lock(g_holdMutex);
            if (--g_holds == 0) {
                g_holding.store(0);
                for (std::size_t k = 0; k < std::size(kEnding); ++k) {
                    struct sigaction now {};
                    if (g_replaced[k] && ::sigaction(kEnding[k], nullptr, &now) == 0 &&
                        now.sa_handler == noteEndingSignal)
                        ::sigaction(kEnding[k], &g_before[k], nullptr);
                    g_replaced[k] = false;
                }
                arrived = g_arrived.exchange(0);
            }
        }
        // A signal held for this thread is taken here, one that another
        // thread remembered right after.
        ::pthread_sigmask(SIG_SETMASK, &old_, nullptr);
        if (arrived != 0) ::raise(arrived);
    }
    TerminationDeferred(const TerminationDeferred&) = delete;
    TerminationDeferred& operator=(const TerminationDeferred&) = delete;

private:
    sigset_t old_;
};

// Gives the unnamed temporary file `fd` a new unique name beside `target`.
int nameTemporary(int fd, const std::string& target, std::string& tempPath) {
    // One generator per thread: the radios of a fleet keep their backups at once.
    thread_local std::mt19937_64 rng{std::random_device{}()};
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = temporaryName(target, rng());
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, tempPath.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
        if (errno != EEXIST) {
            const int e = errno;
            tempPath.clear();
            return e;
        }
    }
    tempPath.clear();
    return EEXIST;
}

// `path` names the file this process's standard output already writes to
// (/dev/stdout, /proc/self/fd/1, or the file's own name): a save there goes
// to the open stream, so an appended log keeps its lines and a pipe its reader.
bool isOwnStdout(const std::string& path) {
    struct stat out{}, named{};
    return ::fstat(STDOUT_FILENO, &out) == 0 && ::stat(path.c_str(), &named) == 0 && out.st_dev == named.st_dev &&
           out.st_ino == named.st_ino;
}

}  // namespace

FileStatus checkReplaceTarget(const std::string& path) {
    if (isOwnStdout(path)) return {};
    std::string target;
    bool hasExisting = false;
    struct stat existing{};
    return checkTarget(path, target, hasExisting, existing);
}

FileStatus replaceFile(const std::string& path, const void* data, std::size_t size) {
    if (isOwnStdout(path)) {
        std::fflush(stdout);  // what the program printed before comes first
        int err = 0;
        if (!writeAll(STDOUT_FILENO, static_cast<const unsigned char*>(data), size, err))
            return systemError("Cannot write", path, err);
        return {};
    }
    std::string target;
    bool hasExisting = false;
    struct stat existing{};
    if (FileStatus st = checkTarget(path, target, hasExisting, existing); !st) return st;

    // A temporary without a name leaves nothing behind whenever the program
    // ends; one with a name holds the ending signals from before it has its
    // name until it is renamed or removed.
    std::optional<TerminationDeferred> deferred;
    std::string tempPath;
    int err = 0;
    int fd = openUnnamedTemporary(target);
    if (fd < 0) {
        deferred.emplace();
        fd = openNamedTemporary(target, tempPath, err);
        if (fd < 0) return systemError("Cannot save", path, err);
    }
    hooks::saveStep(hooks::SaveStep::TemporaryCreated);

    auto fail = [&](int e) {
        if (fd >= 0) ::close(fd);
        if (!tempPath.empty()) ::unlink(tempPath.c_str());
        return systemError("Cannot save", path, e);
    };

    // An existing file keeps its owner, group and permissions; a new one gets
    // 0666 less the umask (which open() already applied). The mode is set
    // after the owner, since a change of owner clears the set-id bits.
    if (hasExisting) keepOwner(fd, existing);
    if (hasExisting && ::fchmod(fd, existing.st_mode & 07777) != 0) return fail(errno);
    if (!writeAll(fd, static_cast<const unsigned char*>(data), size, err)) return fail(err);
    hooks::saveStep(hooks::SaveStep::Written);
    if (::fsync(fd) != 0) return fail(errno);
    hooks::saveStep(hooks::SaveStep::Synced);
    if (!deferred) deferred.emplace();
    if (tempPath.empty())
        if (int e = nameTemporary(fd, target, tempPath); e != 0) return fail(e);
    const int closeResult = ::close(fd);
    fd = -1;
    if (closeResult != 0) return fail(errno);
    if (::rename(tempPath.c_str(), target.c_str()) != 0) return fail(errno);
    hooks::saveStep(hooks::SaveStep::Renamed);
    deferred.reset();

    // Make the rename itself durable; a folder that cannot be synced does not
    // undo a save that has already taken place.
    int dirFd = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

namespace {

// Opens `path` for reading and reads its status; a folder (or, with
// regularOnly, anything but a regular file) is refused. The open does not
// wait for a pipe's writer or a modem's carrier; reads afterwards block as
// usual. On success the caller owns `fd`.
FileStatus openForReading(const std::string& path, bool regularOnly, int& fd, struct stat& st) {
    fd = ::open(path.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return systemError("Cannot open", path, errno);
    int err = 0;
    FileStatus refused;
    if (::fstat(fd, &st) != 0)
        err = errno;
    else if (S_ISDIR(st.st_mode))
        err = EISDIR;
    else if (regularOnly && !S_ISREG(st.st_mode))
        refused = notRegular("Cannot open", path, path, st.st_mode);
    else if (int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        err = errno;
    if (err == 0 && refused.ok()) return {};
    ::close(fd);
    fd = -1;
    return err != 0 ? systemError("Cannot open", path, err) : refused;
}

// Reads from `fd` until end of file or `max` bytes, appending to `out`;
// closes `fd` either way.
FileStatus readAndClose(int fd, const std::string& path, std::size_t max, std::string& out) {
    char chunk[65536];
    while (out.size() < max) {
        const std::size_t want = std::min(sizeof chunk, max - out.size());
        ssize_t n = ::read(fd, chunk, want);
        if (n < 0) {
            if (errno == EINTR) continue;
            int e = errno;
            ::close(fd);
            return systemError("Cannot read", path, e);
        }
        if (n == 0) break;
        out.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return {};
}

}  // namespace

FileStatus readUpTo(const std::string& path, bool regularOnly, std::size_t cap, std::string& out,
                    long long& sizeOnDisk) {
    int fd = -1;
    struct stat st{};
    if (FileStatus status = openForReading(path, regularOnly, fd, st); !status) return status;
    sizeOnDisk = static_cast<long long>(st.st_size);
    return readAndClose(fd, path, cap, out);
}

FileStatus readStandardInputUpTo(std::size_t cap, std::string& out) {
    static const std::string name = "the standard input";
    // A copy of descriptor 0, so that reading it to its end closes only the copy.
    const int fd = ::fcntl(0, F_DUPFD_CLOEXEC, 0);
    if (fd < 0) return systemError("Cannot read", name, errno);
    struct stat st{};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        return systemError("Cannot read", name, EISDIR);
    }
    return readAndClose(fd, name, cap, out);
}

bool mayReadAndWrite(const std::string& path) { return ::access(path.c_str(), R_OK | W_OK) == 0; }

}  // namespace orv::platform
