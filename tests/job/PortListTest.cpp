// The serial port list: what it says of a device this user may or may not
// open, and the table the command-line tool prints.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include "ChildProcess.h"
#include "job/PortList.h"

namespace orv {
namespace {

// Whether another user (the superuser's checks are skipped by the system)
// is told `says` and may not open `device`.
bool refusedToNobody(const std::string& device, const std::string& says) {
    return test::runForked([&] {
               if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 5;
               bool mayOpen = true;
               const std::string text = deviceAccess(device, mayOpen);
               return !mayOpen && text.find(says) != std::string::npos ? 0 : 4;
           }) == 0;
}

TEST(PortList, SaysWhetherThisUserMayOpenADeviceAndWhatToDoIfNot) {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    const std::string device = ::ptsname(master);
    bool mayOpen = false;
    EXPECT_EQ(deviceAccess(device, mayOpen), "yes");
    EXPECT_TRUE(mayOpen);
    EXPECT_EQ(deviceAccess("/no/such/device", mayOpen).rfind("no: ", 0), 0u);
    EXPECT_FALSE(mayOpen);
    EXPECT_EQ(deviceAccess("/etc/hostname", mayOpen), "no: not a serial device");

    if (::geteuid() == 0) {
        struct Case { mode_t mode; gid_t gid; std::string says; };
        for (const Case& c : {Case{0600, 0, "no group may open it"}, Case{0660, 20, "add yourself to group"}}) {
            ASSERT_EQ(::chown(device.c_str(), 0, c.gid), 0);
            ASSERT_EQ(::chmod(device.c_str(), c.mode), 0);
            EXPECT_TRUE(refusedToNobody(device, c.says)) << c.says;
        }
    }
    ::close(master);
}

TEST(PortList, TableLinesUpItsColumns) {
    SerialPortInfo usb;
    usb.device = "/dev/ttyUSB0";
    usb.stableName = "/dev/serial/by-id/usb-Maker_Cable_A1-if00-port0";
    usb.transport = "USB";
    usb.manufacturer = "Maker";
    usb.product = "Cable";
    usb.serialNumber = "A1";
    usb.access = "yes";
    SerialPortInfo uart;
    uart.device = "/dev/ttyS0";
    uart.transport = "built-in";
    uart.access = "no: join group dialout";
    EXPECT_EQ(portTable({usb, uart}),
              "DEVICE        STABLE NAME                                      ADAPTER                  MAY OPEN\n"
              "/dev/ttyUSB0  /dev/serial/by-id/usb-Maker_Cable_A1-if00-port0  Maker Cable (serial A1)  yes\n"
              "/dev/ttyS0    -                                                built-in                 no: join group dialout\n");
}

}  // namespace
}  // namespace orv
