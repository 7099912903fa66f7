// The POSIX serial port: open-failure texts, exclusive use
// and the line speed a peer sees.
#include <gtest/gtest.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <vector>
#include <termios.h>
#include <unistd.h>
#include "platform/posix/PosixSerialPort.h"
#include "sim/RadioSim.h"

namespace orv {
namespace {

TEST(OpenError, PermissionErrorNamesTheOwningGroup) {
    const group* g = ::getgrnam("dialout");
    if (!g) GTEST_SKIP() << "no group dialout here";
    std::string path = ::testing::TempDir() + "orv-perm-" + std::to_string(::getpid());
    std::ofstream(path) << "x";
    ::chmod(path.c_str(), 0660);  // the group may read and write: joining it is the way in
    if (::chown(path.c_str(), static_cast<uid_t>(-1), g->gr_gid) != 0) {
        std::filesystem::remove(path);
        GTEST_SKIP() << "cannot give the file to group dialout";
    }
    std::string text = describeOpenError(path, EACCES);
    std::filesystem::remove(path);
    EXPECT_NE(text.find(path), std::string::npos);
    EXPECT_NE(text.find("add yourself to group dialout"), std::string::npos) << text;
}

TEST(OpenError, PermissionAdviceFollowsTheDevicesGroupAndMode) {
    const group* dialout = ::getgrnam("dialout");
    const unsigned other = dialout ? dialout->gr_gid : 54321u;
    const std::string otherName = dialout ? "dialout" : "54321";
    struct Case {
        const char* name;
        unsigned mode, gid;
        std::vector<std::string> mentions, absent;
    };
    const Case cases[] = {
        {"group may read and write", S_IFCHR | 0660, other, {"group " + otherName, "usermod -aG " + otherName}, {"udev"}},
        {"owner only, root:root", S_IFCHR | 0600, 0, {"no group may open it", "udev rule", "crw------- (0600)", "group root"},
         {"usermod"}},
        {"group may only read", S_IFCHR | 0640, other, {"no group may open it", "udev rule", "group " + otherName},
         {"usermod"}},
        {"the superuser's group", S_IFCHR | 0660, 0, {"no group may open it", "udev rule"}, {"usermod"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = describeAccessDenied("/dev/ttyUSB7", c.mode, 0, c.gid);
        EXPECT_NE(text.find("/dev/ttyUSB7"), std::string::npos) << text;
        EXPECT_NE(text.find("permission denied"), std::string::npos) << text;
        for (const auto& m : c.mentions) EXPECT_NE(text.find(m), std::string::npos) << text << " / " << m;
        for (const auto& m : c.absent) EXPECT_EQ(text.find(m), std::string::npos) << text << " / " << m;
        EXPECT_EQ(text.find('\n'), std::string::npos);
    }
}

// The reason of a failed open is the failing call's own errno, in the
// system's words: a device held exclusively is not said to be "in use by
// another program", and a device that failed is not said to be missing.
TEST(OpenError, TheReasonIsTheFailedOpensOwnError) {
    const struct {
        int err;
        const char* says;
        const char* never;
    } cases[] = {
        {ENOENT, "no such device", "in use"},
        {ENXIO, "no such device", "in use"},
        {EBUSY, "held for exclusive use", "in use by another program"},
        {EIO, "the device failed", "no such device"},
        {ENOTTY, "not a serial port", "in use"},
        {ETIMEDOUT, "", "in use"},
    };
    for (const auto& c : cases) {
        const std::string text = describeOpenError("/dev/ttyUSB3", c.err);
        EXPECT_EQ(text.rfind("Cannot open serial port /dev/ttyUSB3: ", 0), 0u) << text;
        EXPECT_NE(text.find(std::strerror(c.err)), std::string::npos) << text;
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
        EXPECT_EQ(text.find(c.never), std::string::npos) << text;
    }
}

TEST(OpenError, BusyPortIsInUseByAnotherProgram) {
    RadioSim sim;
    sim.start();
    PosixSerialPort first(sim.devicePath()), second(sim.devicePath());
    first.open();
    try {
        second.open();
        FAIL() << "a second open of the same port succeeded";
    } catch (const SerialPortError& e) {
        EXPECT_NE(std::string(e.what()).find("in use by another program"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(sim.devicePath()), std::string::npos);
    }
    first.close();
    EXPECT_NO_THROW(second.open());  // free again once the first user closed it
    second.close();
    sim.stop();
}

TEST(PosixSerialPort, SpeedChangeReachesThePeerAndInputCanBeDiscarded) {
    SimOptions o;
    o.thinkTimeMs = 0;
    RadioSim sim(o);
    sim.start();
    PosixSerialPort port(sim.devicePath());
    port.open();
    port.setSettings("9600,n,8,1");
    EXPECT_EQ(port.settings(), "9600,n,8,1");
    // The handshake makes the simulator answer; the answer can be waited for,
    // counted, and thrown away.
    for (unsigned char b : {0x0A, 0x14, 0x28}) port.output(b);
    ASSERT_TRUE(port.waitReadable(1000));
    EXPECT_EQ(port.inBufferCount(), 1);
    port.discardInput();
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_EQ(port.input(), -1);
    EXPECT_FALSE(port.waitReadable(20));
    auto trace = sim.trace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace.front().baud, 9600);
    EXPECT_THROW(port.setSettings("9600,q,8,1"), SerialPortError);
    EXPECT_EQ(port.settings(), "9600,n,8,1");
    port.close();
    EXPECT_FALSE(port.isOpen());
    sim.stop();
}

}  // namespace
}  // namespace orv
