#include "platform/win32/WindowsRegistry.h"

#include "platform/SerialPortLine.h"
#include "platform/win32/Wide.h"

namespace orv::platform::win32 {

namespace {

// An open key, closed when it goes.
class Key {
public:
    explicit Key(const std::string& path) {
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, widen(path).c_str(), 0, KEY_READ, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

std::vector<std::string> WindowsRegistry::subkeys(const std::string& key) const {
    std::vector<std::string> out;
    const Key k(key);
    if (!k.get()) return out;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD length = 256;
        const LONG r = RegEnumKeyExW(k.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r == ERROR_SUCCESS) out.push_back(narrow(std::wstring(name, length)));
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> WindowsRegistry::values(const std::string& key) const {
    std::vector<std::pair<std::string, std::string>> out;
    const Key k(key);
    if (!k.get()) return out;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        BYTE data[2048];
        DWORD nameLength = 256, dataLength = sizeof data, type = 0;
        const LONG r = RegEnumValueW(k.get(), i, name, &nameLength, nullptr, &type, data, &dataLength);
        if (r == ERROR_NO_MORE_ITEMS) break;
        if (r != ERROR_SUCCESS) continue;
        std::string text;
        if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
            std::wstring w(reinterpret_cast<const wchar_t*>(data), dataLength / sizeof(wchar_t));
            while (!w.empty() && w.back() == L'\0') w.pop_back();
            text = narrow(w);
        } else if (type == REG_DWORD && dataLength == sizeof(DWORD)) {
            DWORD n = 0;
            memcpy(&n, data, sizeof n);
            text = std::to_string(n);
        } else {
            continue;
        }
        out.emplace_back(narrow(std::wstring(name, nameLength)), std::move(text));
    }
    return out;
}

PortOpen probePort(const std::string& port) {
    HANDLE h = CreateFileW(widen(comDevicePath(port)).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
        return PortOpen::Opens;
    }
    switch (GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_BUSY:
        return PortOpen::InUse;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return PortOpen::Missing;
    default:
        return PortOpen::Fails;
    }
}

}  // namespace orv::platform::win32
