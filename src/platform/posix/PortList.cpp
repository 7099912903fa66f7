#include "platform/SerialPortList.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <libserialport.h>
#include <sys/stat.h>
#include <unistd.h>
#include "platform/PortAdvice.h"
#include "platform/posix/UserGroups.h"

namespace orv {

namespace {

using platform::posix::groupName;
using platform::posix::listedInGroup;

std::string text(const char* s) { return s ? s : ""; }

// The links of /dev/serial/by-id name USB adapters by maker, product and
// serial number; the one that resolves to `device` is its stable name.
std::string stableNameOf(const std::string& device) {
    const std::string folder = "/dev/serial/by-id";
    std::string found;
    char real[4096];
    if (!::realpath(device.c_str(), real)) return found;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            if (e->d_name[0] == '.') continue;
            const std::string link = folder + "/" + e->d_name;
            char target[4096];
            if (::realpath(link.c_str(), target) && std::strcmp(target, real) == 0) found = link;
        }
        ::closedir(dir);
    }
    return found;
}

std::string transportName(enum sp_transport t) {
    switch (t) {
    case SP_TRANSPORT_USB: return "USB";
    case SP_TRANSPORT_BLUETOOTH: return "Bluetooth";
    case SP_TRANSPORT_NATIVE: break;
    }
    return "built-in";
}

}  // namespace

std::string examplePortName() { return "/dev/ttyUSB0"; }

std::string defaultSlotDevice(int slot) {
    static const char* const devices[kPortSlots] = {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0", "/dev/ttyS1"};
    return devices[slot >= 1 && slot <= kPortSlots ? slot - 1 : 0];
}

std::string deviceAccess(const std::string& device, bool& mayOpen) {
    mayOpen = false;
    struct stat st{};
    if (::stat(device.c_str(), &st) != 0) return std::string("no: ") + std::strerror(errno);
    if (!S_ISCHR(st.st_mode)) return "no: not a serial device";
    if (::access(device.c_str(), R_OK | W_OK) == 0) {
        mayOpen = true;
        return "yes";
    }
    const auto block = portadvice::groupBlock(st.st_mode, st.st_gid, false, listedInGroup(st.st_gid));
    return "no: " + portadvice::groupAdvice(block, groupName(st.st_gid));
}

std::vector<SerialPortInfo> listSerialPorts() {
    std::vector<SerialPortInfo> out;
    struct sp_port** list = nullptr;
    if (sp_list_ports(&list) != SP_OK) return out;
    for (int i = 0; list[i]; ++i) {
        const struct sp_port* p = list[i];
        SerialPortInfo info;
        info.device = text(sp_get_port_name(p));
        const enum sp_transport t = sp_get_port_transport(p);
        info.transport = transportName(t);
        if (t == SP_TRANSPORT_USB) {
            info.manufacturer = text(sp_get_port_usb_manufacturer(p));
            info.product = text(sp_get_port_usb_product(p));
            info.serialNumber = text(sp_get_port_usb_serial(p));
            if (sp_get_port_usb_vid_pid(p, &info.vendorId, &info.productId) != SP_OK) info.vendorId = info.productId = -1;
        }
        info.stableName = stableNameOf(info.device);
        info.access = deviceAccess(info.device, info.mayOpen);
        out.push_back(std::move(info));
    }
    sp_free_port_list(list);
    std::sort(out.begin(), out.end(), [](const SerialPortInfo& a, const SerialPortInfo& b) { return a.device < b.device; });
    return out;
}

}  // namespace orv
