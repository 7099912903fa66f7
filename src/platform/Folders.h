// Folders, the per-user data folder and the lock programs take turns on.
#pragma once
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orv::platform {

// Creates `path` and the folders above it where missing (readable only by
// this user where the system has such modes). 0, or the errno of the failure
// (ENOTDIR when `path` exists and is not a folder).
int makeFolders(const std::string& path);

struct FolderEntry {
    std::string name;
    bool regular = false;      // a regular file (not a folder, link or device)
    long long modifiedNs = 0;  // last modification, nanoseconds since 1970-01-01 UTC
};

// The entries of `folder` ("." and ".." left out); empty when it cannot be read.
std::vector<FolderEntry> listFolder(const std::string& folder);

// 0 when nothing has the name `path`, EEXIST when something has, or the
// errno that keeps the question from being answered.
int nameState(const std::string& path);

// Removes the file `path`; a failure is not reported.
void removeFile(const std::string& path);

// The local time of `when`.
std::tm localTime(std::time_t when);

// The value of the environment variable `name` (UTF-8), empty when unset.
std::string environmentValue(const char* name);

// The environment as the data folder's answer reads it: the value of the
// variable `name` (UTF-8), empty when it is unset.
using Environment = std::function<std::string(const char* name)>;

// The program's one per-user data folder: the working databases, the
// backups (its folder "backups") and the radio log live there. The variable
// ORVEDIT_DATA_DIR names it when set (this is the one place that reads it);
// else it is the system's own answer (systemDataFolder). Empty when the
// variables it comes from are not set.
std::string dataFolder();
// The same answer for the environment `env`.
std::string dataFolderIn(const Environment& env);

// The system's answer without ORVEDIT_DATA_DIR: on POSIX systems
// $XDG_DATA_HOME/ORVEDIT/ORVEDIT (an absolute $XDG_DATA_HOME), else
// $HOME/.local/share/ORVEDIT/ORVEDIT; on Windows %APPDATA%\ORVEDIT.
std::string systemDataFolder(const Environment& env);

// Why dataFolder() is empty, for a message.
std::string dataFolderMissing();

// Whether a FileLock waits for another holder to let go.
enum class LockWait { UntilFree, No };

// Holds an exclusive lock on the file `lockFile` (created when missing)
// while alive, so that programs and threads take turns; every lock of the
// program (the backups, the working databases) is one of these. The system
// lets go of it when its holder ends, however it ends, so a lock is never
// left stale. Two FileLocks of the same file exclude each other also within
// one process.
class FileLock {
public:
    explicit FileLock(const std::string& lockFile, LockWait wait = LockWait::UntilFree);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // 0 when the lock is held; EWOULDBLOCK when LockWait::No found it held
    // elsewhere; else the errno of the failure.
    int error() const { return error_; }

private:
    long long handle_ = -1;   // the descriptor or handle of the open lock file
    int error_ = 0;
};

}  // namespace orv::platform
