#include "platform/Append.h"

#include <cerrno>
#include <windows.h>
#include "platform/win32/Wide.h"

namespace orv::platform {
using win32::widen, win32::win32Error;

FileStatus appendToFile(const std::string& path, const std::string& bytes) {
    // FILE_APPEND_DATA alone: every write goes to the end, in one piece,
    // whoever else appends meanwhile.
    HANDLE h = CreateFileW(widen(path).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return win32Error("cannot open", path, GetLastError());
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        FileStatus s = systemError("cannot append to", path, EINVAL);
        s.kind = FileStatus::Kind::NotRegular;
        s.message = "cannot append to \"" + path + "\": not a regular file";
        return s;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const DWORD err = ok ? 0 : GetLastError();
    CloseHandle(h);
    if (!ok) return win32Error("cannot append to", path, err);
    if (written != bytes.size()) return systemError("cannot append to", path, EIO);
    return {};
}

}  // namespace orv::platform
