#include "platform/PortAdvice.h"

#include <cstdio>
#include "platform/Platform.h"

namespace orv::portadvice {

namespace {

std::string hex4(int id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id) & 0xFFFFu);
    return text;
}

}  // namespace

GroupBlock groupBlock(unsigned mode, unsigned gid, bool inThisLogin, bool inGroupDatabase) {
    // The group is the way in only when it may read and write and is not
    // the superuser's own group.
    if ((mode & 0060) != 0060 || gid == 0) return GroupBlock::NoGroup;
    if (inThisLogin) return GroupBlock::None;
    return inGroupDatabase ? GroupBlock::LogInAgain : GroupBlock::JoinGroup;
}

std::string joinGroupCommand(const std::string& group) { return "sudo usermod -aG " + group + " $USER"; }

std::string udevGroupRule(int vendorId, int productId) {
    const std::string grant = std::string("GROUP=\"") + kSerialGroup + "\", MODE=\"0660\"";
    if (vendorId < 0 || productId < 0) return "KERNEL==\"ttyUSB[0-9]*\", " + grant;
    return "SUBSYSTEM==\"tty\", ATTRS{idVendor}==\"" + hex4(vendorId) + "\", ATTRS{idProduct}==\"" + hex4(productId) +
           "\", " + grant;
}

std::string udevReloadCommand() { return "sudo udevadm control --reload-rules && sudo udevadm trigger"; }

std::string groupAdvice(GroupBlock block, const std::string& group, int vendorId, int productId) {
    switch (block) {
    case GroupBlock::None: break;
    case GroupBlock::JoinGroup:
        return "add yourself to group " + group + " (" + joinGroupCommand(group) + ") and log in again";
    case GroupBlock::LogInAgain:
        return "you are a member of group " + group +
               ", but this login started before you joined: log out and in again";
    case GroupBlock::NoGroup:
        return "no group may open it, so joining a group does not help: a udev rule must give the device to a "
               "group with mode 0660 (for example " + udevGroupRule(vendorId, productId) + " in a file under " +
               kUdevRulesFolder + "/), then plug the adapter in again";
    }
    return {};
}

std::string linuxPortHelp() {
    return std::string("Serial ports (/dev/ttyUSB*, /dev/ttyS*) belong to the group ") + kSerialGroup +
           ": join it once with\n  " + joinGroupCommand(kSerialGroup) +
           "\nand log in again. orvedit-cli doctor [--port DEVICE] looks for what keeps a port from working.";
}

std::string windowsPortHelp() {
    return "Serial ports are named COM1, COM2, ...: the ports command lists this machine's. A port\n"
           "opens for one program at a time. orvedit-cli doctor [--port COMn] looks for what keeps a port from "
           "working.";
}

std::string portAccessHelp() { return platform::kWindows ? windowsPortHelp() : linuxPortHelp(); }

std::string doctorPointer(const std::string& device) {
    return "orvedit-cli doctor" + (device.empty() ? std::string() : " --port " + device) + " (in the editor: Comm-Port > Check Port...) looks for what "
           "stands in the way.";
}

}  // namespace orv::portadvice
