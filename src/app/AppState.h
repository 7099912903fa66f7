// Program-wide set-up shared by the editor's start-up and its tests.
#pragma once
#include <QString>

namespace orv {

// Organisation and application name "ORVEDIT", settings in INI format under
// $XDG_CONFIG_HOME. Safe to call more than once.
void initAppIdentity();

// "Version 1.0.0" from the build's version numbers.
QString versionText();

// Message boxes without their own title carry the application's title.
inline constexpr const char* kAppTitle = "ORVEDIT";

}  // namespace orv
