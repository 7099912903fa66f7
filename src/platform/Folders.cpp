// The per-user data folder's answer that is the same on every system: the
// variable that overrides it.
#include "platform/Folders.h"

namespace orv::platform {

std::string dataFolderIn(const Environment& env) {
    if (std::string named = env("ORVEDIT_DATA_DIR"); !named.empty()) return named;
    return systemDataFolder(env);
}

std::string dataFolder() { return dataFolderIn(environmentValue); }

}  // namespace orv::platform
