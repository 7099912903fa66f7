// Helpers of the Windows implementation: UTF-8 <-> UTF-16 for the wide API,
// and the system's error codes as errno values and messages.
#pragma once
#include <windows.h>

#include <string>
#include "platform/FileStatus.h"

namespace orv::platform::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

// The errno nearest to the system error `code` (EIO when none is near).
int errnoFor(DWORD code);

// The system's text for an error code: one line, without the closing period.
std::string systemText(DWORD code);

// `<what> "<path>": <the system's text>`, NotFound for a missing file or
// folder, System otherwise; errorNumber is errnoFor(code).
FileStatus win32Error(const std::string& what, const std::string& path, DWORD code);

// Whether `c` separates folders in a path.
inline bool isSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace orv::platform::win32
