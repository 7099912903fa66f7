#include "platform/SerialPortList.h"

#include <algorithm>
#include <windows.h>
#include "platform/SerialPortLine.h"
#include "platform/win32/Wide.h"

namespace orv {

namespace {

using platform::win32::narrow;
using platform::win32::widen;

// The registry names each port by its driver's device object
// ("\Device\Serial0", "\Device\USBSER000", "\Device\VCP0", "\Device\BthModem0");
// the driver tells the transport.
std::string transportOf(const std::string& driverObject) {
    std::string d = driverObject;
    for (char& c : d) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (d.find("BTH") != std::string::npos) return "Bluetooth";
    for (const char* usb : {"USB", "VCP", "SILABSER", "PROLIFIC", "CH341", "CP210"})
        if (d.find(usb) != std::string::npos) return "USB";
    return "built-in";
}

// COM2 before COM10.
bool byPortNumber(const SerialPortInfo& a, const SerialPortInfo& b) {
    if (a.device.size() != b.device.size()) return a.device.size() < b.device.size();
    return a.device < b.device;
}

}  // namespace

std::string examplePortName() { return "COM3"; }

std::string defaultSlotDevice(int slot) {
    return "COM" + std::to_string(slot >= 1 && slot <= kPortSlots ? slot : 1);
}

std::string deviceAccess(const std::string& device, bool& mayOpen) {
    mayOpen = false;
    HANDLE port = CreateFileW(widen(comDevicePath(device)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (port != INVALID_HANDLE_VALUE) {
        DCB dcb {};
        dcb.DCBlength = sizeof dcb;
        const bool serial = GetCommState(port, &dcb) != 0;
        CloseHandle(port);
        if (!serial) return "no: not a serial device";
        mayOpen = true;
        return "yes";
    }
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return "no: in use by another program";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "no: no such port";
    default:
        return "no: cannot be opened";
    }
}

std::vector<SerialPortInfo> listSerialPorts() {
    std::vector<SerialPortInfo> out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return out;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        wchar_t data[256];
        DWORD nameLen = 256, dataLen = sizeof data, type = 0;
        LONG r = RegEnumValueW(key, i, name, &nameLen, nullptr, &type, reinterpret_cast<BYTE*>(data), &dataLen);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS || type != REG_SZ) continue;
        std::wstring port(data, dataLen / sizeof(wchar_t));
        while (!port.empty() && port.back() == L'\0') port.pop_back();
        SerialPortInfo info;
        info.device = narrow(port);
        info.transport = transportOf(narrow(std::wstring(name, nameLen)));
        info.access = deviceAccess(info.device, info.mayOpen);
        out.push_back(std::move(info));
    }
    RegCloseKey(key);
    std::sort(out.begin(), out.end(), byPortNumber);
    return out;
}

}  // namespace orv
