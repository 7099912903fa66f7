// Folders, the per-user data folder (%APPDATA%) and the lock (LockFileEx) on
// Windows.
#include "platform/Folders.h"
#include "platform/TestHooks.h"

#include <cerrno>
#include "platform/win32/Wide.h"

namespace orv::platform {

using win32::errnoFor;
using win32::isSeparator;
using win32::narrow;
using win32::widen;

int makeFolders(const std::string& path) {
    // The part of the path that names a drive or a share, never created:
    // "C:", "\\server\share".
    std::size_t pos = 0;
    if (path.size() >= 2 && path[1] == ':') {
        pos = 2;
    } else if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) {
        int parts = 0;
        pos = 2;
        while (pos < path.size() && parts < 2) {
            if (isSeparator(path[pos])) ++parts;
            if (parts < 2) ++pos;
        }
    }
    while (pos <= path.size()) {
        std::size_t next = pos;
        while (next < path.size() && !isSeparator(path[next])) ++next;
        const std::string sofar = path.substr(0, next);
        pos = next + 1;
        if (sofar.empty() || next == 0 || isSeparator(sofar.back()) || (sofar.size() == 2 && sofar[1] == ':')) continue;
        if (!::CreateDirectoryW(widen(sofar).c_str(), nullptr)) {
            const DWORD err = ::GetLastError();
            if (err != ERROR_ALREADY_EXISTS && err != ERROR_ACCESS_DENIED) return errnoFor(err);
        }
    }
    const DWORD attrs = ::GetFileAttributesW(widen(path).c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) return errnoFor(::GetLastError());
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) return ENOTDIR;
    return 0;
}

std::vector<FolderEntry> listFolder(const std::string& folder) {
    std::vector<FolderEntry> out;
    WIN32_FIND_DATAW found{};
    HANDLE h = ::FindFirstFileExW(widen(folder + "\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                  nullptr, 0);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
        FolderEntry entry;
        entry.name = narrow(found.cFileName);
        if (entry.name == "." || entry.name == "..") continue;
        entry.regular = !(found.dwFileAttributes &
                          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
        // 100-nanosecond steps since 1601-01-01.
        const long long ticks = (static_cast<long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                                found.ftLastWriteTime.dwLowDateTime;
        entry.modifiedNs = (ticks - 116444736000000000LL) * 100;
        out.push_back(std::move(entry));
    } while (::FindNextFileW(h, &found));
    ::FindClose(h);
    return out;
}

int nameState(const std::string& path) {
    if (::GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) return EEXIST;
    const DWORD err = ::GetLastError();
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? 0 : errnoFor(err);
}

void removeFile(const std::string& path) { ::DeleteFileW(widen(path).c_str()); }

std::tm localTime(std::time_t when) {
    std::tm tm {};
    localtime_s(&tm, &when);
    return tm;
}

std::string environmentValue(const char* name) {
    const std::wstring wideName = widen(name);
    const DWORD n = ::GetEnvironmentVariableW(wideName.c_str(), nullptr, 0);
    if (n == 0) return {};
    std::wstring value(n, L'\0');
    const DWORD got = ::GetEnvironmentVariableW(wideName.c_str(), value.data(), n);
    value.resize(got < n ? got : 0);
    return narrow(value);
}

std::string systemDataFolder(const Environment& env) {
    const std::string appData = env("APPDATA");
    return appData.empty() ? appData : appData + "\\ORVEDIT";
}

std::string dataFolderMissing() { return "neither ORVEDIT_DATA_DIR nor APPDATA is set"; }

FileLock::FileLock(const std::string& lockFile, LockWait wait) {
    HANDLE h = ::CreateFileW(widen(lockFile).c_str(), GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        error_ = errnoFor(::GetLastError());
        return;
    }
    // The first byte of the file, held by one open of it at a time.
    OVERLAPPED at{};
    BOOL locked = ::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at);
    DWORD err = locked ? 0 : ::GetLastError();
    if (!locked && err == ERROR_LOCK_VIOLATION && wait == LockWait::UntilFree) {
        hooks::lockWaits();
        at = OVERLAPPED{};
        locked = ::LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at);
        err = locked ? 0 : ::GetLastError();
    }
    if (!locked) {
        error_ = err == ERROR_LOCK_VIOLATION ? EWOULDBLOCK : errnoFor(err);
        ::CloseHandle(h);
        return;
    }
    handle_ = reinterpret_cast<long long>(h);
}

FileLock::~FileLock() {
    if (handle_ == -1) return;
    HANDLE h = reinterpret_cast<HANDLE>(handle_);
    OVERLAPPED at{};
    ::UnlockFileEx(h, 0, 1, 0, &at);
    ::CloseHandle(h);
}

}  // namespace orv::platform
