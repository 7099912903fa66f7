// The port doctor on Windows against a faked registry and port probe, on
// every system: an FTDI adapter on COM5 and a Prolific one on COM7, each
// case changing what its finding is about.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>
#include "platform/win32/WindowsPortChecks.h"

namespace orv {
namespace {

using platform::win32::PortOpen;

// Keys by path, each with its values; a key's subkeys are the longer paths below it.
class FakeRegistry : public platform::win32::RegistryReader {
public:
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> keys;

    void set(const std::string& key, const std::string& name, const std::string& value) {
        keys[key].emplace_back(name, value);
    }
    std::vector<std::string> subkeys(const std::string& key) const override {
        std::set<std::string> names;
        const std::string prefix = key + "\\";
        for (const auto& [k, v] : keys)
            if (k.rfind(prefix, 0) == 0) names.insert(k.substr(prefix.size(), k.find('\\', prefix.size()) - prefix.size()));
        return {names.begin(), names.end()};
    }
    std::vector<std::pair<std::string, std::string>> values(const std::string& key) const override {
        const auto it = keys.find(key);
        return it == keys.end() ? std::vector<std::pair<std::string, std::string>>{} : it->second;
    }
};

const std::string kEnum = platform::win32::kEnumKey;
const std::string kClass = std::string(platform::win32::kClassKey) + "\\{4d36e978-e325-11ce-bfc1-08002be10318}\\";

void ftdi(FakeRegistry& r, const char* latency = nullptr) {
    r.set(platform::win32::kSerialCommKey, "\\Device\\VCP0", "COM5");
    const std::string in = kEnum + "\\FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000";
    r.set(in, "Service", "FTSER2K");
    r.set(in, "Driver", "{4d36e978-e325-11ce-bfc1-08002be10318}\\0002");
    r.set(in + "\\Device Parameters", "PortName", "COM5");
    if (latency) r.set(in + "\\Device Parameters", "LatencyTimer", latency);
    r.set(kClass + "0002", "DriverVersion", "2.12.36.4");
    r.set(kClass + "0002", "ProviderName", "FTDI");
}

void prolific(FakeRegistry& r, const char* version, bool started) {
    if (started) r.set(platform::win32::kSerialCommKey, "\\Device\\ProlificSerial0", "COM7");
    const std::string in = kEnum + "\\USB\\VID_067B&PID_2303\\5&2c1a3b4&0&2";
    r.set(in, "Service", "Ser2pl");
    r.set(in, "Driver", "{4d36e978-e325-11ce-bfc1-08002be10318}\\0004");
    r.set(in + "\\Device Parameters", "PortName", "COM7");
    r.set(kClass + "0004", "DriverVersion", version);
    r.set(kClass + "0004", "ProviderName", "Prolific");
}

struct Expect {
    std::string check;
    FindingLevel level;
    std::vector<std::string> says;  // in the finding or its fix
};

struct Case {
    const char* name;
    std::function<void(FakeRegistry&)> setUp;
    std::string port;
    PortOpen opens;
    std::vector<Expect> expected;
    std::vector<std::string> absent = {};  // checks with no finding
};

TEST(WindowsPortChecks, EachFindingSaysWhatWasFoundAndWhatToDo) {
    const Case cases[] = {
        {"an FTDI adapter at the driver's 16 ms", [](FakeRegistry& r) { ftdi(r); }, "COM5", PortOpen::Opens,
         {{"driver", FindingLevel::Ok, {"USB adapter 0403:6001", "FTSER2K 2.12.36.4 (FTDI)"}},
          {"latency", FindingLevel::Warning,
           {"16 ms", "USB Serial Port (COM5) > Properties > Port Settings > Advanced... > Latency Timer (msec): 1"}},
          {"in-use", FindingLevel::Ok, {"opens"}}}},
        {"an FTDI adapter at 1 ms, named in another spelling", [](FakeRegistry& r) { ftdi(r, "1"); }, "\\\\.\\com5",
         PortOpen::Opens, {{"latency", FindingLevel::Ok, {"1 ms"}}}},
        {"a port another program holds", [](FakeRegistry& r) { ftdi(r, "1"); }, "COM5", PortOpen::InUse,
         {{"in-use", FindingLevel::Problem, {"open in another program", "close the other program"}}}},
        {"a Prolific driver that refuses older chips", [](FakeRegistry& r) { prolific(r, "3.8.39.0", true); }, "COM7",
         PortOpen::Opens,
         {{"driver", FindingLevel::Ok, {"067b:2303", "Ser2pl 3.8.39.0 (Prolific)"}},
          {"prolific", FindingLevel::Warning, {"3.8.39.0", "PL2303HXA", "code 10", "3.3.2.102"}}},
         {"latency"}},
        {"a Prolific adapter the driver did not start", [](FakeRegistry& r) { prolific(r, "3.4.25.218", false); },
         "COM7", PortOpen::Missing, {{"prolific", FindingLevel::Problem, {"did not start", "3.3.2.102"}}}},
        {"the older Prolific driver", [](FakeRegistry& r) { prolific(r, "3.3.2.102", true); }, "COM7", PortOpen::Opens,
         {{"driver", FindingLevel::Ok, {"3.3.2.102"}}}, {"prolific"}},
        {"a port the system does not name", [](FakeRegistry& r) { ftdi(r); }, "COM9", PortOpen::Missing,
         {{"device", FindingLevel::Problem, {"no such port", "COM5"}}}, {"driver", "in-use"}},
        {"an adapter that is not plugged in",
         [](FakeRegistry& r) {
             r.set(kEnum + "\\USB\\VID_1A86&PID_7523\\5&1\\Device Parameters", "PortName", "COM4");
         },
         "COM4", PortOpen::Missing,
         {{"device", FindingLevel::Problem, {"not plugged in or its driver did not start", "no serial port"}}}},
        {"a named port that does not open", [](FakeRegistry& r) { ftdi(r, "1"); }, "COM5", PortOpen::Missing,
         {{"device", FindingLevel::Problem, {"does not open", "plug the adapter in again"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry reg;
        c.setUp(reg);
        std::vector<std::string> probed;
        const platform::win32::PortProbe probe = [&](const std::string& p) {
            probed.push_back(p);
            return c.opens;
        };
        const auto findings = platform::win32::windowsPortFindings(reg, probe, c.port);
        for (const Expect& e : c.expected) {
            const PortFinding* found = nullptr;
            for (const PortFinding& f : findings)
                if (f.check == e.check) found = &f;
            ASSERT_NE(found, nullptr) << "no finding " << e.check;
            const std::string text = found->finding + " | " + found->fix;
            EXPECT_EQ(found->level, e.level) << e.check << ": " << text;
            for (const std::string& s : e.says) EXPECT_NE(text.find(s), std::string::npos) << s << " in " << text;
            EXPECT_EQ(found->subject.rfind("COM", 0), 0u) << found->subject;
        }
        for (const std::string& check : c.absent)
            for (const PortFinding& f : findings) EXPECT_NE(f.check, check) << f.finding;
        for (const std::string& p : probed) EXPECT_EQ(p.rfind("COM", 0), 0u) << "the probe gets the port's name";
    }
}

TEST(WindowsPortChecks, WithoutAPortEveryNamedPortIsCheckedInNumberOrder) {
    FakeRegistry reg;
    ftdi(reg, "1");
    reg.set(platform::win32::kSerialCommKey, "\\Device\\Serial1", "COM10");
    reg.set(platform::win32::kSerialCommKey, "\\Device\\Serial0", "COM2");
    std::vector<std::string> probed;
    const platform::win32::PortProbe probe = [&](const std::string& p) {
        probed.push_back(p);
        return PortOpen::Opens;
    };
    EXPECT_FALSE(anyProblem(platform::win32::windowsPortFindings(reg, probe, "")));
    EXPECT_EQ(probed, (std::vector<std::string>{"COM2", "COM5", "COM10"}));

    const auto none = platform::win32::windowsPortFindings(FakeRegistry{}, probe, "");
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].subject, "system");
    EXPECT_NE(findingLine(none[0]).find("note: system: the system names no serial port. Fix: "), std::string::npos);
}

// Where the system-information program is: the registry's own path first,
// then the folder of the tools' location when the program is there.
TEST(WindowsSystemInfo, TheRegistryNamesTheProgramAndTheFolderOnlyWhenItIsThere) {
    const std::string tools = "SOFTWARE\\Microsoft\\Shared Tools";
    struct Case {
        const char* path;      // "PATH" of ...\MSINFO, or null
        const char* folder;    // "MSINFO" of ...\Shared Tools Location, or null
        bool present;          // the folder holds MSINFO32.EXE
        std::string expected;
    };
    const Case cases[] = {
        {"C:\\Windows\\System32\\msinfo32.exe", "C:\\Tools", true, "C:\\Windows\\System32\\msinfo32.exe"},
        {nullptr, "C:\\Tools", true, "C:\\Tools\\MSINFO32.EXE"},
        {"", "C:\\Tools", true, "C:\\Tools\\MSINFO32.EXE"},
        {nullptr, "C:\\Tools", false, ""},
        {nullptr, nullptr, true, ""},
    };
    for (const Case& c : cases) {
        FakeRegistry r;
        if (c.path) r.set(tools + "\\MSINFO", "PATH", c.path);
        if (c.folder) r.set(tools + " Location", "MSINFO", c.folder);
        std::vector<std::string> asked;
        const auto exists = [&](const std::string& p) {
            asked.push_back(p);
            return c.present;
        };
        EXPECT_EQ(platform::win32::systemInfoProgramIn(r, exists), c.expected) << (c.path ? c.path : "-");
        if (c.folder && !(c.path && *c.path)) {
            EXPECT_EQ(asked, std::vector<std::string>{std::string(c.folder) + "\\MSINFO32.EXE"});
        }
    }
}

}  // namespace
}  // namespace orv
