// Files on Windows: a save is a new temporary file in the target's folder,
// written through to the disk, then put in the target's place with
// ReplaceFileW (the target exists: its attributes and security stay) or
// MoveFileExW (a new file). A read-only file is write-protected; the
// reserved device names are refused like devices.
#include "platform/Files.h"

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>
#include "platform/TestHooks.h"
#include "platform/win32/Wide.h"

namespace orv::platform {

using win32::isSeparator;
using win32::widen;
using win32::narrow;
using win32::win32Error;

namespace {

// The folder that holds `path` ("." for a bare file name).
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        // "C:name" lies in the current folder of drive C.
        if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
        return ".";
    }
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

std::string baseNameOf(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(2) : path;
    return path.substr(slash + 1);
}

// The device named by the last component of `path` when it is one of the
// names Windows keeps for devices in every folder (CON, NUL, COM1, ...,
// "nul.txt" and "Con .orv" too), or when `path` is in the device namespace
// (\\.\COM3); empty otherwise.
std::string reservedDeviceName(const std::string& path) {
    if (path.size() >= 4 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] == '.' && isSeparator(path[3]))
        return path.substr(4);
    const std::string base = baseNameOf(path);
    std::string stem = base.substr(0, base.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    std::string upper;
    for (char c : stem) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    static const char* const kNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* n : kNames)
        if (upper == n) return stem;
    if (upper.size() == 4 && (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
        upper[3] >= '1' && upper[3] <= '9')
        return stem;
    return {};
}

FileStatus notRegular(const std::string& what, const std::string& path, const std::string& kind) {
    FileStatus st;
    st.kind = FileStatus::Kind::NotRegular;
    st.message = what + " \"" + path + "\": it is " + kind + ", not a regular file";
    return st;
}

FileStatus reservedName(const std::string& what, const std::string& path, const std::string& device) {
    return notRegular(what, path, "the device \"" + device + "\" (a name Windows reserves in every folder)");
}

FileStatus unwritable(FileStatus st) {
    st.kind = FileStatus::Kind::Unwritable;
    return st;
}


// The file a symbolic link (or junction) `path` leads to, so that file is
// the one replaced; `path` itself when it is no link or leads nowhere.
std::string resolveLink(const std::string& path) {
    HANDLE h = ::CreateFileW(widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return path;
    std::wstring final(32768, L'\0');
    const DWORD n = ::GetFinalPathNameByHandleW(h, final.data(), static_cast<DWORD>(final.size()), FILE_NAME_NORMALIZED);
    ::CloseHandle(h);
    if (n == 0 || n >= final.size()) return path;
    final.resize(n);
    if (final.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        final = L"\\\\" + final.substr(8);
    else if (final.compare(0, 4, L"\\\\?\\") == 0)
        final = final.substr(4);
    return win32::narrow(final);
}

// The target of a save, resolved and checked: `exists` tells whether there
// is a file to replace.
FileStatus checkTarget(const std::string& path, std::string& target, bool& exists) {
    exists = false;
    target = path;
    if (const std::string device = reservedDeviceName(path); !device.empty())
        return reservedName("Cannot save", path, device);
    DWORD attrs = ::GetFileAttributesW(widen(path).c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return {};
        return win32Error("Cannot save", path, err);
    }
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) {
        target = resolveLink(path);
        attrs = ::GetFileAttributesW(widen(target).c_str());
        if (attrs == INVALID_FILE_ATTRIBUTES) {
            // A link to nothing: the save puts a file in the link's place.
            target = path;
            return {};
        }
    }
    exists = true;
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) return unwritable(systemError("Cannot save", path, EISDIR));
    if (attrs & FILE_ATTRIBUTE_DEVICE) return notRegular("Cannot save", path, "a device");
    if (attrs & FILE_ATTRIBUTE_READONLY) return writeProtected(path, target);
    return {};
}

// The identity (volume and file index) of an open file.
bool identityOf(HANDLE h, BY_HANDLE_FILE_INFORMATION& info) {
    return h != nullptr && h != INVALID_HANDLE_VALUE && ::GetFileType(h) == FILE_TYPE_DISK &&
           ::GetFileInformationByHandle(h, &info) != 0;
}

// `path` names the file this process's standard output already writes to:
// a save there goes to the open stream, so an appended log keeps its lines.
bool isOwnStdout(const std::string& path) {
    BY_HANDLE_FILE_INFORMATION out{}, named{};
    if (!identityOf(::GetStdHandle(STD_OUTPUT_HANDLE), out)) return false;
    HANDLE h = ::CreateFileW(widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool same = identityOf(h, named) && out.dwVolumeSerialNumber == named.dwVolumeSerialNumber &&
                      out.nFileIndexHigh == named.nFileIndexHigh && out.nFileIndexLow == named.nFileIndexLow;
    ::CloseHandle(h);
    return same;
}

// Writes all of `n` bytes to `h`; 0 or the system's error code.
DWORD writeAll(HANDLE h, const unsigned char* p, std::size_t n) {
    while (n > 0) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(n, 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(h, p, chunk, &written, nullptr)) return ::GetLastError();
        p += written;
        n -= written;
    }
    return 0;
}

// A new, unused name for a temporary file beside `target`: ".<name>.<pid>-<random>.tmp",
// the name cut (at a character's start) so that the whole stays within the
// 255 characters a name may have.
std::string temporaryName(const std::string& target, unsigned long long random) {
    char suffix[40];
    std::snprintf(suffix, sizeof suffix, ".%lu-%08llx.tmp", static_cast<unsigned long>(::GetCurrentProcessId()),
                  random & 0xFFFFFFFFull);
    std::string base = baseNameOf(target);
    std::size_t room = 255 - 1 - std::strlen(suffix);
    if (base.size() > room) {
        while (room > 0 && (static_cast<unsigned char>(base[room]) & 0xC0) == 0x80) --room;
        base.resize(room);
    }
    std::string folder = folderOf(target);
    if (!folder.empty() && !isSeparator(folder.back()) && folder.back() != ':') folder += '\\';
    return folder + "." + base + suffix;
}

// `path` as a full path with backslashes. ReplaceFileW is given full paths:
// Wine's refuses a relative or slash-separated one ("Directory name invalid").
std::string fullPathOf(const std::string& path) {
    const std::wstring wide = widen(path);
    const DWORD need = ::GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::wstring full(need, L'\0');
    const DWORD got = ::GetFullPathNameW(wide.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need) return path;
    full.resize(got);
    return narrow(full);
}

// Reads from `h` until its end or `cap` bytes in all; `name` is the file in
// the message of a failure.
FileStatus readHandleUpTo(HANDLE h, const std::string& name, std::size_t cap, std::string& out) {
    char chunk[65536];
    while (out.size() < cap) {
        const DWORD want = static_cast<DWORD>(std::min(sizeof chunk, cap - out.size()));
        DWORD got = 0;
        if (!::ReadFile(h, chunk, want, &got, nullptr)) {
            const DWORD err = ::GetLastError();
            if (err == ERROR_BROKEN_PIPE || err == ERROR_HANDLE_EOF) break;   // the writer is gone: the end
            return win32Error("Cannot read", name, err);
        }
        if (got == 0) break;
        out.append(chunk, got);
    }
    return {};
}

// A stop request of the console (Ctrl-C, Ctrl-Break, the window closing)
// arrives on a thread of its own. While a file is being replaced it waits
// here, and is passed on (to the program's own handler or the system's,
// which ends the program) once the replacement is complete: the temporary
// file and its move happen together or not at all.
std::mutex g_replacing;

BOOL WINAPI waitForReplacement(DWORD) {
    std::lock_guard<std::mutex> wait(g_replacing);
    return FALSE;
}

class ConsoleStopDeferred {
public:
    ConsoleStopDeferred() {
        static std::once_flag installed;
        std::call_once(installed, [] { ::SetConsoleCtrlHandler(waitForReplacement, TRUE); });
        g_replacing.lock();
    }
    ~ConsoleStopDeferred() { g_replacing.unlock(); }
    ConsoleStopDeferred(const ConsoleStopDeferred&) = delete;
    ConsoleStopDeferred& operator=(const ConsoleStopDeferred&) = delete;
};

}  // namespace

FileStatus checkReplaceTarget(const std::string& path) {
    if (isOwnStdout(path)) return {};
    std::string target;
    bool exists = false;
    return checkTarget(path, target, exists);
}

FileStatus replaceFile(const std::string& path, const void* data, std::size_t size) {
    if (isOwnStdout(path)) {
        std::fflush(stdout);   // what the program printed before comes first
        if (DWORD err = writeAll(::GetStdHandle(STD_OUTPUT_HANDLE), static_cast<const unsigned char*>(data), size))
            return win32Error("Cannot write", path, err);
        return {};
    }
    std::string target;
    bool exists = false;
    if (FileStatus st = checkTarget(path, target, exists); !st) return st;
    target = fullPathOf(target);

    ConsoleStopDeferred deferred;
    // One generator per thread: the radios of a fleet keep their backups at once.
    thread_local std::mt19937_64 rng{std::random_device{}()};
    std::string tempPath;
    std::wstring wideTemp;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        tempPath = temporaryName(target, rng());
        wideTemp = widen(tempPath);
        h = ::CreateFileW(wideTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            const DWORD err = ::GetLastError();
            if (err != ERROR_FILE_EXISTS && err != ERROR_ALREADY_EXISTS) return win32Error("Cannot save", path, err);
        }
    }
    if (h == INVALID_HANDLE_VALUE) return win32Error("Cannot save", path, ERROR_FILE_EXISTS);
    hooks::saveStep(hooks::SaveStep::TemporaryCreated);

    auto fail = [&](DWORD err) {
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        ::DeleteFileW(wideTemp.c_str());
        return win32Error("Cannot save", path, err);
    };
    if (DWORD err = writeAll(h, static_cast<const unsigned char*>(data), size)) return fail(err);
    hooks::saveStep(hooks::SaveStep::Written);
    if (!::FlushFileBuffers(h)) return fail(::GetLastError());
    hooks::saveStep(hooks::SaveStep::Synced);
    const BOOL closed = ::CloseHandle(h);
    h = INVALID_HANDLE_VALUE;
    if (!closed) return fail(::GetLastError());

    const std::wstring wideTarget = widen(target);
    const BOOL moved =
        exists ? ::ReplaceFileW(wideTarget.c_str(), wideTemp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                nullptr, nullptr)
               : ::MoveFileExW(wideTemp.c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!moved) return fail(::GetLastError());
    hooks::saveStep(hooks::SaveStep::Renamed);
    return {};
}

FileStatus readUpTo(const std::string& path, bool regularOnly, std::size_t cap, std::string& out,
                    long long& sizeOnDisk) {
    sizeOnDisk = 0;
    if (const std::string device = reservedDeviceName(path); regularOnly && !device.empty())
        return reservedName("Cannot open", path, device);
    const std::wstring wide = widen(path);
    if (const DWORD attrs = ::GetFileAttributesW(wide.c_str());
        attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return systemError("Cannot open", path, EISDIR);
    HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return win32Error("Cannot open", path, ::GetLastError());
    const DWORD type = ::GetFileType(h);
    if (regularOnly && type != FILE_TYPE_DISK) {
        ::CloseHandle(h);
        return notRegular("Cannot open", path, type == FILE_TYPE_PIPE ? "a pipe" : "a device");
    }
    if (LARGE_INTEGER size{}; type == FILE_TYPE_DISK && ::GetFileSizeEx(h, &size)) sizeOnDisk = size.QuadPart;
    const FileStatus st = readHandleUpTo(h, path, cap, out);
    ::CloseHandle(h);
    return st;
}

FileStatus readStandardInputUpTo(std::size_t cap, std::string& out) {
    static const std::string name = "the standard input";
    HANDLE h = ::GetStdHandle(STD_INPUT_HANDLE);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) return systemError("Cannot read", name, EBADF);
    return readHandleUpTo(h, name, cap, out);
}

bool mayReadAndWrite(const std::string& path) {
    const DWORD attrs = ::GetFileAttributesW(widen(path).c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && !(attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

}  // namespace orv::platform
