// A folder that stands for / to the port doctor's Linux checks: a user and
// its login, a USB serial adapter as sysfs and /dev show it, processes, udev
// rules and udev's data, each written as the live system has them. Made
// fresh for each test and removed after it. The device is a plain file whose
// mode and group the test sets (its group is one this test may give it).
#pragma once
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace orv::test {

class FakeLinuxRoot {
public:
    // The group number the device file gets, which the fake group database
    // names "dialout".
    unsigned serialGid = 0;
    // The fake user, never the one running the test (so it does not own the device).
    unsigned uid = 0;

    FakeLinuxRoot() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orv-root-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) dir_ = tmpl;
        serialGid = ::geteuid() == 0 ? 20u : static_cast<unsigned>(::getegid());
        uid = static_cast<unsigned>(::geteuid()) + 1000u;
    }
    ~FakeLinuxRoot() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    FakeLinuxRoot(const FakeLinuxRoot&) = delete;
    FakeLinuxRoot& operator=(const FakeLinuxRoot&) = delete;

    std::string path() const { return dir_.string(); }

    void write(const std::string& at, const std::string& text) const {
        const auto p = dir_ / at.substr(1);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    void link(const std::string& at, const std::string& target) const {
        const auto p = dir_ / at.substr(1);
        std::filesystem::create_directories(p.parent_path());
        std::filesystem::create_symlink(target, p);
    }
    void folder(const std::string& at) const { std::filesystem::create_directories(dir_ / at.substr(1)); }

    // The user "ham": this login's groups (`loginGroups`, the primary one
    // first) and whether the group database lists it in dialout.
    void user(const std::vector<unsigned>& loginGroups, bool listedInDialout, unsigned asUid = ~0u) const {
        const unsigned u = asUid == ~0u ? uid : asUid;
        std::string groups;
        for (unsigned g : loginGroups) groups += std::to_string(g) + " ";
        const std::string id = std::to_string(u);
        const std::string gid = std::to_string(loginGroups.empty() ? 5000u : loginGroups.front());
        write("/proc/self/status", "Name:\torvedit-cli\nUid:\t" + id + "\t" + id + "\t" + id + "\t" + id + "\nGid:\t" +
                                       gid + "\t" + gid + "\t" + gid + "\t" + gid + "\nGroups:\t" + groups + "\n");
        write("/etc/passwd", "root:x:0:0:root:/root:/bin/bash\nham:x:" + id + ":" + gid + "::/home/ham:/bin/bash\n");
        write("/etc/group", "root:x:0:\ndialout:x:" + std::to_string(serialGid) + ":" +
                                (listedInDialout ? "ham" : "") + "\nham:x:" + gid + ":\n");
    }

    // A USB adapter `vid`:`pid` on driver `driver` as /dev/<name>, its device
    // file with `mode` in group dialout.
    void adapter(const std::string& name, const std::string& vid, const std::string& pid, const std::string& driver,
                 unsigned mode = 0660, const std::string& dev = "188:0") const {
        const std::string usb = "/sys/devices/pci0000:00/usb1/1-1";
        const std::string port = usb + "/1-1:1.0/" + name;
        write(usb + "/idVendor", vid + "\n");
        write(usb + "/idProduct", pid + "\n");
        write(usb + "/product", "USB Serial\n");
        write(port + "/tty/" + name + "/dev", dev + "\n");
        folder("/sys/bus/usb-serial/drivers/" + driver);
        link(port + "/driver", "../../../../../../bus/usb-serial/drivers/" + driver);
        link(port + "/tty/" + name + "/device", "../../../" + name);
        link("/sys/class/tty/" + name, "../../devices/pci0000:00/usb1/1-1/1-1:1.0/" + name + "/tty/" + name);
        link("/sys/bus/usb-serial/devices/" + name, "../../../devices/pci0000:00/usb1/1-1/1-1:1.0/" + name);
        device("/dev/" + name, mode);
    }
    void device(const std::string& at, unsigned mode) const {
        write(at, "");
        const auto p = (dir_ / at.substr(1)).string();
        EXPECT_EQ(::chown(p.c_str(), static_cast<uid_t>(-1), static_cast<gid_t>(serialGid)), 0);
        EXPECT_EQ(::chmod(p.c_str(), mode), 0);
    }
    void latency(const std::string& name, int ms) const {
        write("/sys/devices/pci0000:00/usb1/1-1/1-1:1.0/" + name + "/latency_timer", std::to_string(ms) + "\n");
    }

    // A running program, and the files it holds open (fd 3, 4, ...).
    void process(int pid, const std::string& comm, const std::vector<std::string>& open = {}) const {
        const std::string at = "/proc/" + std::to_string(pid);
        write(at + "/comm", comm + "\n");
        folder(at + "/fd");
        int fd = 3;
        for (const std::string& target : open) link(at + "/fd/" + std::to_string(fd++), target);
    }

private:
    std::filesystem::path dir_;
};

}  // namespace orv::test
