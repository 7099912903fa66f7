// What a user is told about getting at a serial port: the group to join and
// the command that joins it, that a login started before the joining must be
// left, the udev rule when no group may open a device, and the help's
// paragraph on ports. The texts of both systems are here and are plain
// functions of their inputs, so the open errors of the ports, the port list,
// the port doctor, the link's messages and the programs' help all say the
// same and every one of them is tested on any system.
#pragma once
#include <string>

namespace orv::portadvice {

// The group the serial devices belong to on most Linux systems.
inline constexpr const char* kSerialGroup = "dialout";
// Where a udev rule of the administrator's goes.
inline constexpr const char* kUdevRulesFolder = "/etc/udev/rules.d";

// What keeps a user out of a device the owner's and the others' bits do not
// open to them.
enum class GroupBlock {
    None,        // the device's group is in this login and may read and write
    JoinGroup,   // the group may read and write; the user is not in it
    LogInAgain,  // the user joined the group after this login started
    NoGroup,     // no group may read and write it (or only the superuser's)
};

// `mode` and `gid`: the device's; `inThisLogin`: the group is one of this
// process's; `inGroupDatabase`: the group database lists the user in it.
GroupBlock groupBlock(unsigned mode, unsigned gid, bool inThisLogin, bool inGroupDatabase);

// "sudo usermod -aG dialout $USER".
std::string joinGroupCommand(const std::string& group);

// The udev rule that gives a device to the serial group with mode 0660: the
// adapter named by its two USB IDs when they are known (>= 0), else every
// USB serial adapter.
std::string udevGroupRule(int vendorId = -1, int productId = -1);

// One sentence (no closing period) that says what to do about `block` for a
// device of group `group`; empty for None.
std::string groupAdvice(GroupBlock block, const std::string& group, int vendorId = -1, int productId = -1);

// How to make udev apply a changed rule to an adapter already plugged in.
std::string udevReloadCommand();

// The help's paragraph on serial ports (several lines, no closing newline):
// their names, how a user gets the right to open them and the port doctor.
std::string linuxPortHelp();
std::string windowsPortHelp();
// The one of this system.
std::string portAccessHelp();

// Where the port doctor is, for a message about `device` it would explain.
std::string doctorPointer(const std::string& device);

}  // namespace orv::portadvice
