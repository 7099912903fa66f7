// The user and group database as the serial ports' messages need it: names
// for numbers, and whether the database lists this user in a group (which a
// login started before the joining does not show yet).
#pragma once
#include <string>

namespace orv::platform::posix {

// The name of group or user `id`, or the number as text when it has none.
std::string groupName(unsigned gid);
std::string userName(unsigned uid);

// Whether this user has group `gid` as its primary group or is listed in it.
bool listedInGroup(unsigned gid);

}  // namespace orv::platform::posix
