// Which platform this build is for, for the few callers (tests among them)
// whose expectations differ; the code itself asks the platform layer.
#pragma once
#include <string>

namespace orv::platform {

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

// What separates a folder from the names in it in the paths this program
// makes (either separator is understood where the system takes both).
inline constexpr char kPathSeparator = kWindows ? '\\' : '/';

// `name` in `folder`.
inline std::string inFolder(const std::string& folder, const std::string& name) {
    return folder + kPathSeparator + name;
}

}  // namespace orv::platform
