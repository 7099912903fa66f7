// Folders, the per-user data folder and a lock programs take turns on.
#pragma once
#include <ctime>
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

// The program's per-user data folder: $XDG_DATA_HOME/ORVEDIT/ORVEDIT (an
// absolute $XDG_DATA_HOME), else ~/.local/share/ORVEDIT/ORVEDIT; on Windows
// %APPDATA%\ORVEDIT. Empty when the variables it comes from are not set.
std::string userDataFolder();

// Why userDataFolder() is empty, for a message.
std::string userDataFolderMissing();

// Holds an exclusive lock on the file `lockFile` (created when missing)
// while alive, so that programs and threads take turns.
class FileLock {
public:
    explicit FileLock(const std::string& lockFile);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    // 0 when the lock is held, else the errno of the failure.
    int error() const { return error_; }

private:
    long long handle_ = -1;   // the descriptor or handle of the open lock file
    int error_ = 0;
};

}  // namespace orv::platform
