#include "platform/win32/WindowsPortChecks.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace orv::platform::win32 {

namespace {

// The buses whose instances name a serial port in their Device Parameters:
// the FTDI driver's own bus first (its USB instance names no port), then USB
// (CH340, CP210x, Prolific, CDC) and the built-in ports.
const char* const kPortBuses[] = {"FTDIBUS", "USB", "ACPI"};

// The FTDI driver's latency timer when the registry holds none.
constexpr unsigned kFtdiDefaultLatencyMs = 16;
// Prolific's drivers from this version on refuse the PL2303HXA and XA chips,
// which most counterfeit chips present themselves as.
const unsigned kProlificRefusingVersion[] = {3, 4, 0, 0};
constexpr int kProlificVendor = 0x067b;
constexpr int kFtdiVendor = 0x0403;

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// "\\.\com5" -> "COM5".
std::string portName(const std::string& port) {
    std::string p = port;
    if (p.rfind("\\\\.\\", 0) == 0) p = p.substr(4);
    return upper(p);
}

std::string hex4(int id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id) & 0xFFFFu);
    return text;
}

// The four hex digits after `tag` ("VID_") in a device key's name, or -1.
int idAfter(const std::string& name, const char* tag) {
    const auto at = upper(name).find(tag);
    if (at == std::string::npos || at + 8 > name.size()) return -1;
    try {
        std::size_t used = 0;
        const int id = std::stoi(name.substr(at + 4, 4), &used, 16);
        return used == 4 ? id : -1;
    } catch (...) {
        return -1;
    }
}

std::vector<unsigned> versionParts(const std::string& v) {
    std::vector<unsigned> parts;
    unsigned n = 0;
    bool digits = false;
    for (char c : v + ".") {
        if (c >= '0' && c <= '9') {
            n = n * 10 + static_cast<unsigned>(c - '0');
            digits = true;
        } else if (c == '.' && digits) {
            parts.push_back(n);
            n = 0;
            digits = false;
        } else {
            break;
        }
    }
    return parts;
}

bool versionAtLeast(const std::string& v, const unsigned (&least)[4]) {
    const auto parts = versionParts(v);
    if (parts.empty()) return false;
    for (std::size_t i = 0; i < 4; ++i) {
        const unsigned p = i < parts.size() ? parts[i] : 0;
        if (p != least[i]) return p > least[i];
    }
    return true;
}

struct Instance {
    std::string key;   // the instance's key under Enum
    std::string bus;   // "FTDIBUS", "USB", "ACPI"
    int vendorId = -1, productId = -1;
    std::string service, driverKey, description;
};

struct Driver { std::string version, provider, description; };

class Checks {
public:
    Checks(const RegistryReader& reg, const PortProbe& probe) : reg_(reg), probe_(probe) {}

    std::vector<PortFinding> run(const std::string& requested) {
        std::vector<std::string> ports;
        if (!requested.empty()) ports.push_back(portName(requested));
        else
            for (const auto& [device, port] : reg_.values(kSerialCommKey)) ports.push_back(upper(port));
        if (ports.empty())
            add("device", FindingLevel::Note, "system", "the system names no serial port",
                "plug the programming cable in; Device Manager > Ports (COM & LPT) shows its COM number");
        std::sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
            return a.size() != b.size() ? a.size() < b.size() : a < b;  // COM2 before COM10
        });
        for (const std::string& p : ports) checkPort(p);
        return std::move(out_);
    }

private:
    void add(const char* check, FindingLevel level, const std::string& subject, std::string finding,
             std::string fix = {}) {
        out_.push_back({check, level, subject, std::move(finding), std::move(fix)});
    }

    bool named(const std::string& port) const {
        for (const auto& [device, p] : reg_.values(kSerialCommKey))
            if (upper(p) == port) return true;
        return false;
    }

    std::string namedPorts() const {
        std::vector<std::string> all;
        for (const auto& [device, p] : reg_.values(kSerialCommKey)) all.push_back(upper(p));
        std::sort(all.begin(), all.end());
        std::string text;
        for (const std::string& p : all) text += (text.empty() ? "" : ", ") + p;
        return text;
    }

    std::optional<Instance> findInstance(const std::string& port) const {
        for (const char* bus : kPortBuses) {
            const std::string busKey = std::string(kEnumKey) + "\\" + bus;
            for (const std::string& device : reg_.subkeys(busKey))
                for (const std::string& instance : reg_.subkeys(busKey + "\\" + device)) {
                    const std::string key = busKey + "\\" + device + "\\" + instance;
                    const auto name = reg_.value(key + "\\Device Parameters", "PortName");
                    if (!name || upper(*name) != port) continue;
                    Instance in;
                    in.key = key;
                    in.bus = bus;
                    in.vendorId = idAfter(device, "VID_");
                    in.productId = idAfter(device, "PID_");
                    in.service = reg_.value(key, "Service").value_or("");
                    in.driverKey = reg_.value(key, "Driver").value_or("");
                    in.description = reg_.value(key, "FriendlyName").value_or("");
                    return in;
                }
        }
        return std::nullopt;
    }

    Driver driverOf(const Instance& in) const {
        Driver d;
        if (in.driverKey.empty()) return d;
        const std::string key = std::string(kClassKey) + "\\" + in.driverKey;
        d.version = reg_.value(key, "DriverVersion").value_or("");
        d.provider = reg_.value(key, "ProviderName").value_or("");
        d.description = reg_.value(key, "DriverDesc").value_or("");
        return d;
    }

    void checkPort(const std::string& port) {
        const bool isNamed = named(port);
        const auto in = findInstance(port);
        const Driver driver = in ? driverOf(*in) : Driver{};
        const bool prolific = in && in->vendorId == kProlificVendor;
        const bool refusing = prolific && versionAtLeast(driver.version, kProlificRefusingVersion);
        if (!isNamed) {
            if (refusing) return checkProlific(port, driver, false);
            std::string fix = "plug the adapter in and check the port's name";
            const std::string here = namedPorts();
            fix += here.empty() ? std::string(" (the system names no serial port now)")
                                : " (the ports the system names now: " + here + ")";
            if (in) fix += "; Device Manager > Ports (COM & LPT) shows whether its driver started";
            return add("device", FindingLevel::Problem, port,
                       in ? "the port's adapter is not plugged in or its driver did not start"
                          : "the system names no such port",
                       fix);
        }
        if (in) {
            std::string what = in->vendorId >= 0 ? "USB adapter " + hex4(in->vendorId) + ":" + hex4(in->productId)
                                                 : std::string("serial port");
            if (!in->service.empty()) what += ", driver " + in->service;
            if (!driver.version.empty()) what += " " + driver.version;
            if (!driver.provider.empty()) what += " (" + driver.provider + ")";
            add("driver", FindingLevel::Ok, port, what);
            if (in->bus == std::string("FTDIBUS") || in->vendorId == kFtdiVendor) checkFtdiLatency(port, *in);
            if (refusing) checkProlific(port, driver, true);
        }
        checkOpen(port);
    }

    void checkFtdiLatency(const std::string& port, const Instance& in) {
        const auto text = reg_.value(in.key + "\\Device Parameters", "LatencyTimer");
        unsigned ms = kFtdiDefaultLatencyMs;
        if (text) {
            try {
                ms = static_cast<unsigned>(std::stoul(*text));
            } catch (...) {
            }
        }
        if (ms <= 1) return add("latency", FindingLevel::Ok, port, "the FTDI driver's latency timer is 1 ms");
        add("latency", FindingLevel::Warning, port,
            "the FTDI driver's latency timer is " + std::to_string(ms) +
                " ms: the adapter holds received bytes that long before passing them on, which slows every reply",
            "Device Manager > Ports (COM & LPT) > USB Serial Port (" + port +
                ") > Properties > Port Settings > Advanced... > Latency Timer (msec): 1, then OK and plug the "
                "adapter in again");
    }

    void checkProlific(const std::string& port, const Driver& driver, bool started) {
        const std::string what = "Prolific driver " + driver.version +
                                 " refuses the PL2303HXA and XA chips, which most counterfeit adapters present";
        const std::string fix =
            "use an adapter with a current chip (a current PL2303, FTDI or CP210x), or install Prolific's driver "
            "3.3.2.102 and choose it under Device Manager > the adapter > Properties > Driver > Update Driver > "
            "Browse my computer > Let me pick";
        if (started)
            add("prolific", FindingLevel::Warning, port,
                what + ": if the port does not open or Device Manager marks the adapter (code 10), that is why", fix);
        else
            add("prolific", FindingLevel::Problem, port,
                "the port's Prolific adapter did not start: its " + what, fix);
    }

    void checkOpen(const std::string& port) {
        switch (probe_(port)) {
        case PortOpen::Opens:
            return add("in-use", FindingLevel::Ok, port, "the port opens");
        case PortOpen::InUse:
            return add("in-use", FindingLevel::Problem, port,
                       "the port is open in another program (Windows opens a port for one program at a time)",
                       "close the other program: a terminal, another programming tool, a modem or phone sync "
                       "service");
        case PortOpen::Missing:
            return add("device", FindingLevel::Problem, port, "the system names the port, but it does not open",
                       "plug the adapter in again");
        case PortOpen::Fails:
            break;
        }
        add("in-use", FindingLevel::Problem, port, "the port does not open",
            "Device Manager > Ports (COM & LPT) shows whether its driver works");
    }

    const RegistryReader& reg_;
    const PortProbe& probe_;
    std::vector<PortFinding> out_;
};

}  // namespace

std::optional<std::string> RegistryReader::value(const std::string& key, const std::string& name) const {
    const std::string wanted = upper(name);
    for (const auto& [n, v] : values(key))
        if (upper(n) == wanted) return v;
    return std::nullopt;
}

std::vector<PortFinding> windowsPortFindings(const RegistryReader& registry, const PortProbe& probe,
                                             const std::string& port) {
    return Checks(registry, probe).run(port);
}

std::string systemInfoProgramIn(const RegistryReader& registry,
                                const std::function<bool(const std::string&)>& exists) {
    if (auto path = registry.value("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"); path && !path->empty())
        return *path;
    if (auto folder = registry.value("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
        folder && !folder->empty()) {
        const std::string path = *folder + "\\MSINFO32.EXE";
        if (exists(path)) return path;
    }
    return {};
}

}  // namespace orv::platform::win32
