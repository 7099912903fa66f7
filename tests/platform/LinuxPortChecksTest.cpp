// The port doctor on Linux, each finding against a folder that stands for /:
// a user with a CH340 adapter on /dev/ttyUSB0 in group dialout, changed by
// each case to what the finding is about.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include "FakeLinuxRoot.h"
#include "platform/posix/LinuxPortChecks.h"

namespace orv {
namespace {

using test::FakeLinuxRoot;

struct Expect {
    std::string check;
    FindingLevel level;
    std::vector<std::string> says;  // in the finding or its fix
};

struct Case {
    const char* name;
    std::function<void(const FakeLinuxRoot&)> setUp;
    std::string port;
    std::vector<Expect> expected;
    std::string subject = {};  // of every finding expected: the port, else "system"
};

// The user in dialout in this login too; a CH340 as /dev/ttyUSB0, 0660 in dialout.
void usual(const FakeLinuxRoot& r) {
    r.user({5000, r.serialGid}, true);
    r.adapter("ttyUSB0", "1a86", "7523", "ch341-uart");
}

std::string text(const PortFinding& f) { return f.finding + " | " + f.fix; }

TEST(LinuxPortChecks, EachFindingSaysWhatWasFoundAndWhatToDo) {
    const std::string brlttyLine = "ENV{PRODUCT}==\"1a86/7523/*\", ENV{BRLTTY_BRAILLE_DRIVER}=\"bm\", GOTO=\"brltty_usb_run\"\n";
    const Case cases[] = {
        {"in the group, in this login too", usual, "/dev/ttyUSB0",
         {{"adapter", FindingLevel::Ok, {"USB adapter 1a86:7523", "driver ch341-uart"}},
          {"group", FindingLevel::Ok, {"group dialout"}},
          {"in-use", FindingLevel::Ok, {}},
          {"brltty", FindingLevel::Ok, {}},
          {"modemmanager", FindingLevel::Ok, {"not running"}}}},
        {"joined after this login started",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.user({5000}, true);
         },
         "/dev/ttyUSB0", {{"login", FindingLevel::Problem, {"lists you in group dialout", "log out and in again"}}}},
        {"not in the group",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.user({5000}, false);
         },
         "/dev/ttyUSB0",
         {{"group", FindingLevel::Problem,
           {"not in group dialout", "rw-rw----", "sudo usermod -aG dialout $USER", "log in again"}}}},
        {"no group may open it: the udev rule names the adapter",
         [](const FakeLinuxRoot& r) {
             r.user({5000, r.serialGid}, true);
             r.adapter("ttyUSB0", "1a86", "7523", "ch341-uart", 0600);
         },
         "/dev/ttyUSB0",
         {{"access", FindingLevel::Problem,
           {"rw-------", "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", GROUP=\"dialout\", MODE=\"0660\"",
            "/etc/udev/rules.d/"}}}},
        {"the superuser",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.user({0}, false, 0);
         },
         "/dev/ttyUSB0", {{"access", FindingLevel::Ok, {"superuser"}}}},
        {"a stable name is followed to its device",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.link("/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0", "../../ttyUSB0");
         },
         "/dev/serial/by-id/usb-1a86_USB_Serial-if00-port0",
         {{"adapter", FindingLevel::Ok, {"device /dev/ttyUSB0"}}, {"group", FindingLevel::Ok, {}}}},
        {"no such device: the adapters plugged in are named", usual, "/dev/ttyUSB3",
         {{"device", FindingLevel::Problem, {"no such device", "/dev/ttyUSB0"}}}},
        {"another program holds the port",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.process(4242, "minicom", {"/dev/pts/1", "/dev/ttyUSB0"});
             r.process(4300, "bash", {"/dev/pts/1"});
         },
         "/dev/ttyUSB0", {{"in-use", FindingLevel::Problem, {"4242 (minicom)", "close that program first, or end it: kill 4242"}}}},
        {"brltty's rules claim the adapter",
         [&](const FakeLinuxRoot& r) {
             usual(r);
             r.write("/usr/lib/udev/rules.d/85-brltty.rules", "# Device: 1A86:7523\n" + brlttyLine);
         },
         "/dev/ttyUSB0",
         {{"brltty", FindingLevel::Problem,
           {"1a86:7523", "/usr/lib/udev/rules.d/85-brltty.rules", "sudo systemctl mask --now brltty-udev.service",
            "sudo ln -s /dev/null /etc/udev/rules.d/85-brltty.rules"}}}},
        {"brltty's rules kept off by a link to /dev/null",
         [&](const FakeLinuxRoot& r) {
             usual(r);
             r.write("/usr/lib/udev/rules.d/85-brltty.rules", brlttyLine);
             r.link("/etc/udev/rules.d/85-brltty.rules", "/dev/null");
             r.process(700, "brltty");
         },
         "/dev/ttyUSB0", {{"brltty", FindingLevel::Note, {"brltty is running, but no rule of its claims this adapter"}}}},
        {"brltty's rules claim a CH340 while none is plugged in",
         [&](const FakeLinuxRoot& r) {
             r.user({5000, r.serialGid}, true);
             r.write("/lib/udev/rules.d/85-brltty.rules", brlttyLine);
         },
         "",
         {{"device", FindingLevel::Note, {"no USB serial adapter is plugged in"}},
          {"group", FindingLevel::Ok, {"group dialout"}},
          {"brltty", FindingLevel::Warning, {"CH340"}}}},
        {"ModemManager with nothing that keeps it off",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.process(800, "ModemManager");
         },
         "/dev/ttyUSB0",
         {{"modemmanager", FindingLevel::Warning,
           {"ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"",
            "sudo udevadm control --reload-rules", "sudo systemctl disable --now ModemManager"}}}},
        {"ModemManager kept off by udev's mark on the device",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.process(800, "ModemManager");
             r.write("/run/udev/data/c188:0", "E:ID_VENDOR_ID=1a86\nE:ID_MM_DEVICE_IGNORE=1\n");
         },
         "/dev/ttyUSB0", {{"modemmanager", FindingLevel::Ok, {"ID_MM_DEVICE_IGNORE"}}}},
        {"ModemManager: a rule that udev has not applied yet",
         [](const FakeLinuxRoot& r) {
             usual(r);
             r.process(800, "ModemManager");
             r.write("/etc/udev/rules.d/99-radio.rules",
                     "ATTRS{idVendor}==\"1a86\", ATTRS{idProduct}==\"7523\", ENV{ID_MM_DEVICE_IGNORE}=\"1\"\n");
             r.write("/run/udev/data/c188:0", "E:ID_VENDOR_ID=1a86\n");
         },
         "/dev/ttyUSB0",
         {{"modemmanager", FindingLevel::Warning, {"/etc/udev/rules.d/99-radio.rules", "sudo udevadm trigger"}}}},
        {"an FTDI adapter's latency timer at 16 ms",
         [](const FakeLinuxRoot& r) {
             r.user({5000, r.serialGid}, true);
             r.adapter("ttyUSB0", "0403", "6001", "ftdi_sio");
             r.latency("ttyUSB0", 16);
         },
         "/dev/ttyUSB0",
         {{"latency", FindingLevel::Warning,
           {"16 ms", "echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer",
            "DRIVER==\"ftdi_sio\", ATTR{latency_timer}=\"1\""}}}},
        {"an FTDI adapter's latency timer at 1 ms",
         [](const FakeLinuxRoot& r) {
             r.user({5000, r.serialGid}, true);
             r.adapter("ttyUSB0", "0403", "6001", "ftdi_sio");
             r.latency("ttyUSB0", 1);
         },
         "/dev/ttyUSB0", {{"latency", FindingLevel::Ok, {"1 ms"}}}},
        {"every adapter plugged in when no port is named",
         [](const FakeLinuxRoot& r) {
             r.user({5000}, false);
             r.adapter("ttyUSB0", "1a86", "7523", "ch341-uart");
         },
         "", {{"group", FindingLevel::Problem, {"not in group dialout"}}}, "/dev/ttyUSB0"},
        {"no port and not in the serial group",
         [](const FakeLinuxRoot& r) { r.user({5000}, false); }, "",
         {{"group", FindingLevel::Warning, {"sudo usermod -aG dialout $USER"}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const FakeLinuxRoot root;
        c.setUp(root);
        const auto findings = platform::posix::linuxPortFindings(root.path(), c.port);
        for (const Expect& e : c.expected) {
            const PortFinding* found = nullptr;
            for (const PortFinding& f : findings)
                if (f.check == e.check) found = &f;
            ASSERT_NE(found, nullptr) << "no finding " << e.check;
            EXPECT_EQ(found->level, e.level) << e.check << ": " << text(*found);
            for (const std::string& s : e.says) EXPECT_NE(text(*found).find(s), std::string::npos) << s << " in " << text(*found);
            EXPECT_EQ(found->subject, !c.subject.empty() ? c.subject : c.port.empty() ? "system" : c.port);
        }
        // Only what is in the way is a problem, and each problem says what to do.
        bool problemExpected = false;
        for (const Expect& e : c.expected) problemExpected |= e.level == FindingLevel::Problem;
        EXPECT_EQ(anyProblem(findings), problemExpected);
        for (const PortFinding& f : findings) {
            if (f.level == FindingLevel::Problem) {
                EXPECT_FALSE(f.fix.empty()) << f.check;
            }
        }
    }
}

}  // namespace
}  // namespace orv
