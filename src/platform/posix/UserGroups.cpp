#include "platform/posix/UserGroups.h"

#include <cstring>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace orv::platform::posix {

std::string groupName(unsigned gid) {
    if (const struct group* g = ::getgrgid(static_cast<gid_t>(gid))) return g->gr_name;
    return std::to_string(gid);
}

std::string userName(unsigned uid) {
    if (const struct passwd* p = ::getpwuid(static_cast<uid_t>(uid))) return p->pw_name;
    return std::to_string(uid);
}

bool listedInGroup(unsigned gid) {
    const struct passwd* p = ::getpwuid(::getuid());
    if (!p) return false;
    if (p->pw_gid == static_cast<gid_t>(gid)) return true;
    const struct group* g = ::getgrgid(static_cast<gid_t>(gid));
    if (!g || !g->gr_mem) return false;
    for (char** m = g->gr_mem; *m; ++m)
        if (std::strcmp(*m, p->pw_name) == 0) return true;
    return false;
}

}  // namespace orv::platform::posix
