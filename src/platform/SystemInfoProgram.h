// The system's own system-information program, which the about box starts
// where the system has one.
#pragma once
#include <string>

namespace orv::platform {

// Its full path (Windows: where the registry keeps it), or empty where the
// system has none; the editor then shows its own window of what it knows.
std::string systemInfoProgram();

}  // namespace orv::platform
