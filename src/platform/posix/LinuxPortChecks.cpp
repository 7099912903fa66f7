#include "platform/posix/LinuxPortChecks.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include "platform/PortAdvice.h"

namespace orv::platform::posix {

namespace {

namespace fs = std::filesystem;
using portadvice::GroupBlock;

// Where udev looks for rules, the first one holding a name winning.
const char* const kRulesFolders[] = {"/etc/udev/rules.d", "/run/udev/rules.d", "/usr/lib/udev/rules.d",
                                     "/lib/udev/rules.d"};
// The rules file a fix of ours suggests.
const std::string kOurRules = std::string(portadvice::kUdevRulesFolder) + "/99-orv-serial.rules";

// The adapters brltty's rules usually claim, for a check without a port.
struct KnownChip { int vendor, product; const char* name; };
const KnownChip kBrailleLookalikes[] = {{0x1a86, 0x7523, "CH340"}, {0x10c4, 0xea60, "CP210x"}};

class LinuxSystem {
public:
    explicit LinuxSystem(std::string root) : root_(std::move(root)) {
        while (root_.size() > 1 && root_.back() == '/') root_.pop_back();
        if (root_ == "/") root_.clear();
    }

    // `path` (absolute, as on the machine) under the root.
    std::string at(const std::string& path) const { return root_ + path; }

    std::optional<std::string> read(const std::string& path) const {
        std::ifstream in(at(path), std::ios::binary);
        if (!in) return std::nullopt;
        std::string text(64 * 1024, '\0');
        in.read(text.data(), static_cast<std::streamsize>(text.size()));
        text.resize(static_cast<std::size_t>(in.gcount()));
        return text;
    }

    std::string firstLine(const std::string& path) const {
        const auto text = read(path);
        if (!text) return {};
        std::string line = text->substr(0, text->find('\n'));
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back()))) line.pop_back();
        return line;
    }

    // The names in folder `path`, sorted; `unreadable` set when it cannot be listed.
    std::vector<std::string> list(const std::string& path, bool* unreadable = nullptr) const {
        std::vector<std::string> names;
        std::error_code ec;
        fs::directory_iterator it(at(path), ec);
        if (ec) {
            if (unreadable) *unreadable = true;
            return names;
        }
        for (const auto& e : it) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::optional<std::string> link(const std::string& path) const {
        std::error_code ec;
        const fs::path target = fs::read_symlink(at(path), ec);
        if (ec) return std::nullopt;
        return target.string();
    }

    // `path` with the links of its last part followed as the system would,
    // inside the root (a /dev/serial/by-id name gives its /dev/ttyUSB0).
    std::string resolve(std::string path) const {
        for (int hop = 0; hop < 16; ++hop) {
            const auto target = link(path);
            if (!target) break;
            const fs::path t(*target);
            path = (t.is_absolute() ? t : fs::path(path).parent_path() / t).lexically_normal().string();
        }
        return path;
    }

    bool exists(const std::string& path) const {
        std::error_code ec;
        return fs::exists(at(path), ec);
    }

    // The folder of a sysfs device, with its links followed inside the root,
    // as a path on the machine.
    std::optional<std::string> canonical(const std::string& path) const {
        std::error_code ec;
        const fs::path real = fs::canonical(at(path), ec);
        if (ec) return std::nullopt;
        const std::string s = real.string();
        if (root_.empty()) return s;
        const std::string rootReal = fs::weakly_canonical(root_, ec).string();
        if (s.compare(0, rootReal.size(), rootReal) != 0) return std::nullopt;
        return s.substr(rootReal.size());
    }

private:
    std::string root_;
};

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, sep)) parts.push_back(part);
    return parts;
}

std::vector<unsigned> numbers(const std::string& s) {
    std::vector<unsigned> out;
    std::istringstream in(s);
    unsigned long n = 0;
    while (in >> n) out.push_back(static_cast<unsigned>(n));
    return out;
}

std::string hex4(int id) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id) & 0xFFFFu);
    return text;
}

// "crw-rw---- root:dialout".
std::string modeText(unsigned mode) {
    std::string t = S_ISCHR(mode) ? "c" : "-";
    const char* rwx = "rwx";
    for (int bit = 8; bit >= 0; --bit) t += (mode & (1u << bit)) ? rwx[(8 - bit) % 3] : '-';
    return t;
}

// ------------------------------------------------------------ who is asking

struct GroupEntry { std::string name; unsigned gid = 0; std::vector<std::string> members; };

struct Identity {
    bool known = false;
    unsigned uid = 0, gid = 0;
    std::vector<unsigned> groups;  // this process's (the login's), the primary one among them
    std::string user;              // from the user database, empty when not listed
    std::optional<unsigned> databaseGid;
    std::map<unsigned, std::string> userNames;  // the user database's names by number
};

Identity readIdentity(const LinuxSystem& sys) {
    Identity id;
    const auto status = sys.read("/proc/self/status");
    if (!status) return id;
    bool haveUid = false;
    for (const std::string& line : split(*status, '\n')) {
        const auto colon = line.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = line.substr(0, colon);
        const auto values = numbers(line.substr(colon + 1));
        // Uid and Gid give real, effective, saved and file-system ids: the
        // effective one decides an open.
        if (key == "Uid" && values.size() >= 2) id.uid = values[1], haveUid = true;
        if (key == "Gid" && values.size() >= 2) id.gid = values[1];
        if (key == "Groups") id.groups = values;
    }
    if (!haveUid) return id;
    id.known = true;
    id.groups.push_back(id.gid);
    if (const auto passwd = sys.read("/etc/passwd"))
        for (const std::string& line : split(*passwd, '\n')) {
            const auto f = split(line, ':');
            if (f.size() < 4 || numbers(f[2]).size() != 1) continue;
            const unsigned uid = numbers(f[2])[0];
            id.userNames.emplace(uid, f[0]);
            if (uid == id.uid && id.user.empty()) {
                id.user = f[0];
                const auto g = numbers(f[3]);
                if (g.size() == 1) id.databaseGid = g[0];
            }
        }
    return id;
}

std::vector<GroupEntry> readGroups(const LinuxSystem& sys) {
    std::vector<GroupEntry> out;
    const auto text = sys.read("/etc/group");
    if (!text) return out;
    for (const std::string& line : split(*text, '\n')) {
        const auto f = split(line, ':');
        if (f.size() < 3 || numbers(f[2]).size() != 1) continue;
        GroupEntry g{f[0], numbers(f[2])[0], {}};
        if (f.size() >= 4)
            for (const std::string& m : split(f[3], ','))
                if (!m.empty()) g.members.push_back(m);
        out.push_back(std::move(g));
    }
    return out;
}

// ------------------------------------------------------------ the adapter

struct Adapter {
    std::string device;  // "/dev/ttyUSB0"
    std::string name;    // "ttyUSB0"
    std::string driver;  // "ftdi_sio", empty when none is known
    int vendorId = -1, productId = -1;
    std::string maker, product;
};

int hexNumber(const std::string& s) {
    if (s.empty()) return -1;
    try {
        return std::stoi(s, nullptr, 16);
    } catch (...) {
        return -1;
    }
}

Adapter readAdapter(const LinuxSystem& sys, const std::string& device) {
    Adapter a;
    a.device = device;
    a.name = fs::path(device).filename().string();
    const std::string tty = "/sys/class/tty/" + a.name;
    if (const auto driver = sys.link(tty + "/device/driver")) a.driver = fs::path(*driver).filename().string();
    // The USB device is the first folder above the port that has IDs.
    if (auto dir = sys.canonical(tty + "/device")) {
        for (fs::path p(*dir); p.has_relative_path() && p.string().rfind("/sys/", 0) == 0; p = p.parent_path()) {
            const std::string here = p.string();
            if (!sys.exists(here + "/idVendor")) continue;
            a.vendorId = hexNumber(sys.firstLine(here + "/idVendor"));
            a.productId = hexNumber(sys.firstLine(here + "/idProduct"));
            a.maker = sys.firstLine(here + "/manufacturer");
            a.product = sys.firstLine(here + "/product");
            break;
        }
    }
    return a;
}

bool isUsb(const Adapter& a) { return a.vendorId >= 0 && a.productId >= 0; }

std::string idsText(int vendor, int product) { return hex4(vendor) + ":" + hex4(product); }

// ------------------------------------------------------------ processes

struct Process { std::string pid, name; };

struct Processes {
    std::vector<Process> all;
    std::string self;  // this process's id where the root's /proc tells it
};

Processes readProcesses(const LinuxSystem& sys) {
    Processes p;
    if (const auto self = sys.link("/proc/self")) p.self = *self;
    for (const std::string& entry : sys.list("/proc")) {
        if (entry.empty() || !std::all_of(entry.begin(), entry.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        p.all.push_back({entry, sys.firstLine("/proc/" + entry + "/comm")});
    }
    return p;
}

bool running(const Processes& p, const std::string& name) {
    return std::any_of(p.all.begin(), p.all.end(), [&](const Process& q) { return q.name == name; });
}

// ------------------------------------------------------------ udev rules

struct RulesFile { std::string path, text; };

// The rules files udev uses, by name: one in /etc or /run hides one of the
// same name further down, and an empty one or a link to /dev/null turns it off.
std::vector<RulesFile> effectiveRules(const LinuxSystem& sys) {
    std::map<std::string, RulesFile> byName;
    for (const char* folder : kRulesFolders)
        for (const std::string& name : sys.list(folder)) {
            if (byName.count(name) || name.size() < 6 || name.compare(name.size() - 6, 6, ".rules") != 0) continue;
            const std::string path = std::string(folder) + "/" + name;
            // A link to /dev/null reads as empty.
            byName[name] = RulesFile{path, sys.read(path).value_or("")};
        }
    std::vector<RulesFile> out;
    for (auto& [name, f] : byName)
        if (!f.text.empty()) out.push_back(std::move(f));
    return out;
}

// Whether a rule line names the adapter: brltty's ENV{PRODUCT}=="1a86/7523/*"
// or ATTRS{idVendor}=="1a86" with ATTRS{idProduct}=="7523".
bool lineNames(const std::string& line, int vendor, int product) {
    char product3[32];
    std::snprintf(product3, sizeof product3, "\"%x/%x/", static_cast<unsigned>(vendor), static_cast<unsigned>(product));
    const std::string l = lower(line);
    if (l.find(product3) != std::string::npos) return true;
    return l.find("idvendor}==\"" + hex4(vendor) + "\"") != std::string::npos &&
           l.find("idproduct}==\"" + hex4(product) + "\"") != std::string::npos;
}

bool lineNamesAnAdapter(const std::string& line) {
    const std::string l = lower(line);
    return l.find("idvendor") != std::string::npos || l.find("env{product}") != std::string::npos;
}

std::vector<std::string> ruleLines(const RulesFile& f) {
    std::vector<std::string> out;
    for (const std::string& line : split(f.text, '\n'))
        if (!line.empty() && line.find_first_not_of(" \t") != std::string::npos && line[line.find_first_not_of(" \t")] != '#')
            out.push_back(line);
    return out;
}

// ------------------------------------------------------------ the checks

class Checks {
public:
    explicit Checks(const std::string& root)
        : sys_(root), id_(readIdentity(sys_)), groups_(readGroups(sys_)), procs_(readProcesses(sys_)),
          rules_(effectiveRules(sys_)) {}

    std::vector<PortFinding> run(const std::string& port) {
        const std::vector<std::string> devices = port.empty() ? usbDevices() : std::vector<std::string>{port};
        if (devices.empty()) {
            add("device", FindingLevel::Note, "system", "no USB serial adapter is plugged in",
                "plug the programming cable in and run the doctor again; --port checks a built-in port such as "
                "/dev/ttyS0");
            checkSerialGroup();
            checkBrltty(nullptr);
            checkModemManager(nullptr);
        }
        for (const std::string& d : devices) checkPort(d);
        return std::move(out_);
    }

private:
    void add(const char* check, FindingLevel level, const std::string& subject, std::string finding,
             std::string fix = {}) {
        out_.push_back({check, level, subject, std::move(finding), std::move(fix)});
    }

    // The USB serial adapters plugged in: /dev/ttyUSB0, /dev/ttyACM0, ...
    std::vector<std::string> usbDevices() const {
        std::vector<std::string> out;
        for (const std::string& n : sys_.list("/sys/class/tty"))
            if (n.rfind("ttyUSB", 0) == 0 || n.rfind("ttyACM", 0) == 0) out.push_back("/dev/" + n);
        return out;
    }

    const GroupEntry* group(unsigned gid) const {
        for (const GroupEntry& g : groups_)
            if (g.gid == gid) return &g;
        return nullptr;
    }
    const GroupEntry* group(const std::string& name) const {
        for (const GroupEntry& g : groups_)
            if (g.name == name) return &g;
        return nullptr;
    }
    std::string groupName(unsigned gid) const {
        const GroupEntry* g = group(gid);
        return g ? g->name : std::to_string(gid);
    }
    bool inThisLogin(unsigned gid) const {
        return std::find(id_.groups.begin(), id_.groups.end(), gid) != id_.groups.end();
    }
    bool inGroupDatabase(unsigned gid) const {
        if (id_.databaseGid == gid) return true;
        const GroupEntry* g = group(gid);
        return g && !id_.user.empty() && std::find(g->members.begin(), g->members.end(), id_.user) != g->members.end();
    }

    void checkPort(const std::string& port) {
        const std::string device = sys_.resolve(port);
        struct stat st{};
        if (::stat(sys_.at(device).c_str(), &st) != 0) {
            std::string here;
            for (const std::string& d : usbDevices()) here += (here.empty() ? "" : ", ") + d;
            add("device", FindingLevel::Problem, port, "no such device",
                "plug the adapter in and check that the port names it (" +
                    (here.empty() ? std::string("no USB serial adapter is plugged in now")
                                  : "the USB serial devices here: " + here) +
                    ")");
            return;
        }
        const Adapter a = readAdapter(sys_, device);
        std::string what = isUsb(a) ? "USB adapter " + idsText(a.vendorId, a.productId) : std::string("serial port");
        const std::string names = a.maker + (a.maker.empty() || a.product.empty() ? "" : " ") + a.product;
        if (!names.empty()) what += " (" + names + ")";
        if (!a.driver.empty()) what += ", driver " + a.driver;
        if (device != port) what += ", device " + device;
        add("adapter", FindingLevel::Ok, port, what);
        checkAccess(port, a, st);
        checkHolders(port, device);
        checkLatency(port, a);
        checkBrltty(&a, port);
        checkModemManager(&a, port);
    }

    void checkAccess(const std::string& subject, const Adapter& a, const struct stat& st) {
        if (!id_.known) {
            add("access", FindingLevel::Note, subject, "this login's user and groups cannot be read (/proc/self/status)");
            return;
        }
        const unsigned mode = st.st_mode;
        const auto user = id_.userNames.find(st.st_uid);
        const std::string owner = "owner " + (user != id_.userNames.end() ? user->second : std::to_string(st.st_uid)) +
                                  ", group " + groupName(st.st_gid) + ", " +
                                  modeText(mode);
        if (id_.uid == 0) return add("access", FindingLevel::Ok, subject, "you are the superuser, who may open any device");
        if (st.st_uid == id_.uid && (mode & 0600) == 0600)
            return add("access", FindingLevel::Ok, subject, "you own the device and may open it");
        if ((mode & 0006) == 0006) return add("access", FindingLevel::Ok, subject, "anyone may open the device");
        const std::string g = groupName(st.st_gid);
        const GroupBlock block = portadvice::groupBlock(mode, st.st_gid, inThisLogin(st.st_gid), inGroupDatabase(st.st_gid));
        const std::string fix = portadvice::groupAdvice(block, g, a.vendorId, a.productId);
        switch (block) {
        case GroupBlock::None:
            return add("group", FindingLevel::Ok, subject,
                       "you are in group " + g + ", which may open the device, in this login too");
        case GroupBlock::JoinGroup:
            return add("group", FindingLevel::Problem, subject,
                       "you may not open the device (" + owner + "): you are not in group " + g, fix);
        case GroupBlock::LogInAgain:
            return add("login", FindingLevel::Problem, subject,
                       "you may not open the device (" + owner + "): the group database lists you in group " + g +
                           ", but this login does not have it",
                       fix);
        case GroupBlock::NoGroup:
            return add("access", FindingLevel::Problem, subject, "you may not open the device (" + owner + ")", fix);
        }
    }

    // Without a port: the group serial devices usually belong to.
    void checkSerialGroup() {
        const GroupEntry* g = group(portadvice::kSerialGroup);
        if (!g || !id_.known || id_.uid == 0) return;
        const GroupBlock block = portadvice::groupBlock(0660, g->gid, inThisLogin(g->gid), inGroupDatabase(g->gid));
        const std::string fix = portadvice::groupAdvice(block, g->name);
        if (block == GroupBlock::None)
            add("group", FindingLevel::Ok, "system", "you are in group " + g->name + ", in this login too");
        else if (block == GroupBlock::LogInAgain)
            add("login", FindingLevel::Problem, "system",
                "the group database lists you in group " + g->name + ", but this login does not have it", fix);
        else
            add("group", FindingLevel::Warning, "system",
                "you are not in group " + g->name + ", which serial devices usually belong to", fix);
    }

    void checkHolders(const std::string& subject, const std::string& device) {
        std::string holders, pids;
        int unreadable = 0;
        for (const Process& p : procs_.all) {
            if (p.pid == procs_.self) continue;
            bool denied = false;
            const std::string fd = "/proc/" + p.pid + "/fd";
            for (const std::string& n : sys_.list(fd, &denied)) {
                const auto target = sys_.link(fd + "/" + n);
                if (target && (*target == device || *target == subject)) {
                    holders += (holders.empty() ? "" : ", ") + p.pid + " (" + (p.name.empty() ? "?" : p.name) + ")";
                    pids += " " + p.pid;
                    break;
                }
            }
            if (denied) ++unreadable;
        }
        if (!holders.empty())
            add("in-use", FindingLevel::Problem, subject, "the device is open in process " + holders,
                "close that program first, or end it: kill" + pids);
        else if (unreadable > 0 && id_.uid != 0)
            add("in-use", FindingLevel::Note, subject,
                "none of your programs has the device open; the programs of other users could not be looked at",
                "sudo fuser -v " + device + " names every program that has it open");
        else
            add("in-use", FindingLevel::Ok, subject, "no other program has the device open");
    }

    void checkLatency(const std::string& subject, const Adapter& a) {
        const std::string file = "/sys/bus/usb-serial/devices/" + a.name + "/latency_timer";
        const auto ms = numbers(sys_.firstLine(file));
        if (ms.size() != 1) return;
        if (ms[0] <= 1) return add("latency", FindingLevel::Ok, subject, "the adapter's latency timer is 1 ms");
        const std::string driver = a.driver.empty() ? std::string("ftdi_sio") : a.driver;
        add("latency", FindingLevel::Warning, subject,
            "the adapter's latency timer is " + std::to_string(ms[0]) + " ms: it holds received bytes that long "
            "before passing them on, which slows every reply (ORVEDIT asks the driver for low latency while it has "
            "the port open; other programs and drivers may not)",
            "echo 1 | sudo tee " + file + " for now; to keep it, the rule ACTION==\"add\", SUBSYSTEM==\"usb-serial\", "
            "DRIVER==\"" + driver + "\", ATTR{latency_timer}=\"1\" in " + kOurRules);
    }

    // brltty's udev rules start it for the USB IDs of braille displays, and
    // some of those IDs are common serial adapters' (CH340, CP210x): it then
    // takes the port moments after it appears.
    void checkBrltty(const Adapter* a, const std::string& subject = "system") {
        std::string claimedBy, chips;
        const bool builtIn = a && !isUsb(*a);  // no USB IDs, nothing for brltty's rules to claim
        for (const RulesFile& f : rules_) {
            if (builtIn) break;
            if (lower(fs::path(f.path).filename().string()).find("brltty") == std::string::npos) continue;
            for (const std::string& line : ruleLines(f)) {
                if (a && isUsb(*a)) {
                    if (lineNames(line, a->vendorId, a->productId)) claimedBy = f.path;
                    continue;
                }
                for (const KnownChip& c : kBrailleLookalikes)
                    if (lineNames(line, c.vendor, c.product) && chips.find(c.name) == std::string::npos) {
                        chips += (chips.empty() ? "" : " and ") + std::string(c.name);
                        claimedBy = f.path;
                    }
            }
        }
        const bool isRunning = running(procs_, "brltty");
        if (claimedBy.empty()) {
            if (isRunning)
                add("brltty", FindingLevel::Note, subject,
                    "brltty is running, but no rule of its claims " +
                        std::string(a && isUsb(*a) ? "this adapter" : "the common serial adapters"));
            else
                add("brltty", FindingLevel::Ok, subject, "brltty is not running and no rule of its claims serial adapters");
            return;
        }
        const std::string fix = "if no braille display is used here: sudo systemctl mask --now brltty-udev.service "
                                "brltty.service, or keep its rules off with sudo ln -s /dev/null " +
                                std::string(portadvice::kUdevRulesFolder) + "/" +
                                fs::path(claimedBy).filename().string() + "; then plug the adapter in again";
        const std::string state = isRunning ? "brltty is running and " : "";
        if (a && isUsb(*a))
            add("brltty", FindingLevel::Problem, subject,
                state + "brltty's udev rules (" + claimedBy + ") claim this adapter (" +
                    idsText(a->vendorId, a->productId) +
                    ") for a braille display: brltty takes the port moments after it appears",
                fix);
        else
            add("brltty", FindingLevel::Warning, subject,
                state + "brltty's udev rules (" + claimedBy + ") claim " + chips +
                    " adapters for a braille display: brltty takes such a port moments after it appears",
                fix);
    }

    // ModemManager opens new serial ports and sends modem commands for a few
    // seconds, unless udev marks them ID_MM_DEVICE_IGNORE.
    void checkModemManager(const Adapter* a, const std::string& subject = "system") {
        if (!running(procs_, "ModemManager")) {
            add("modemmanager", FindingLevel::Ok, subject, "ModemManager is not running");
            return;
        }
        const bool usb = a && isUsb(*a);
        std::string ruleFile;
        for (const RulesFile& f : rules_)
            for (const std::string& line : ruleLines(f))
                if (line.find("ID_MM_DEVICE_IGNORE") != std::string::npos &&
                    (usb ? lineNames(line, a->vendorId, a->productId) || !lineNamesAnAdapter(line)
                         : !lineNamesAnAdapter(line)))
                    ruleFile = f.path;
        std::optional<bool> markedByUdev;
        if (a) {
            const std::string dev = sys_.firstLine("/sys/class/tty/" + a->name + "/dev");
            if (const auto data = dev.empty() ? std::nullopt : sys_.read("/run/udev/data/c" + dev))
                markedByUdev = data->find("E:ID_MM_DEVICE_IGNORE=1") != std::string::npos;
        }
        if (markedByUdev == true)
            return add("modemmanager", FindingLevel::Ok, subject,
                       "ModemManager is running, but udev marks the device ID_MM_DEVICE_IGNORE, so it leaves it alone");
        if (!ruleFile.empty() && markedByUdev == false)
            return add("modemmanager", FindingLevel::Warning, subject,
                       "ModemManager is running; the rule in " + ruleFile +
                           " would keep it off the device, but udev has not applied it yet",
                       portadvice::udevReloadCommand());
        if (!ruleFile.empty())
            return add("modemmanager", FindingLevel::Ok, subject,
                       "ModemManager is running, but the rule in " + ruleFile + " keeps it off serial adapters");
        const std::string match = usb ? "SUBSYSTEMS==\"usb\", ATTRS{idVendor}==\"" + hex4(a->vendorId) +
                                            "\", ATTRS{idProduct}==\"" + hex4(a->productId) + "\""
                                      : std::string("KERNEL==\"ttyUSB[0-9]*\"");
        add("modemmanager", FindingLevel::Warning, subject,
            "ModemManager is running and may open " + std::string(a ? "the device" : "a new serial adapter") +
                " for several seconds after it appears, sending modem commands",
            "if no modem is used here: sudo systemctl disable --now ModemManager; or keep it off with the rule "
            "ACTION==\"add|change\", " + match + ", ENV{ID_MM_DEVICE_IGNORE}=\"1\" in " + kOurRules + ", then " +
                portadvice::udevReloadCommand());
    }

    LinuxSystem sys_;
    Identity id_;
    std::vector<GroupEntry> groups_;
    Processes procs_;
    std::vector<RulesFile> rules_;
    std::vector<PortFinding> out_;
};

}  // namespace

std::vector<PortFinding> linuxPortFindings(const std::string& root, const std::string& port) {
    return Checks(root.empty() ? std::string("/") : root).run(port);
}

}  // namespace orv::platform::posix
