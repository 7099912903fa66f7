// The Windows serial port without a port behind it: what a failed open says
// and that nothing is used before the port is open.
#include <gtest/gtest.h>
#include <windows.h>
#include "platform/win32/Win32SerialPort.h"

namespace orv {
namespace {

TEST(Win32OpenError, NamesTheDeviceAndWhatToDo) {
    // The reason is the failed open's own error, never a guess: an adapter
    // just unplugged answers "access denied", which is not "in use".
    struct Case { unsigned long err; const char* says; const char* code; };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, "no such device", "(Windows error 2)"},
        {ERROR_PATH_NOT_FOUND, "no such device", "(Windows error 3)"},
        {ERROR_ACCESS_DENIED, "or its adapter was unplugged", "(Windows error 5)"},
        {ERROR_SHARING_VIOLATION, "in use by another program", "(Windows error 32)"},
        {ERROR_NOT_SUPPORTED, "not a serial port", "(Windows error 50)"},
    };
    for (const Case& c : cases) {
        const std::string text = describeOpenError("COM7", c.err);
        EXPECT_EQ(text.rfind("Cannot open serial port COM7: ", 0), 0u) << text;
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
        EXPECT_NE(text.find(c.code), std::string::npos) << text;
    }
}

TEST(Win32SerialPort, AMissingPortFailsToOpenWithItsNameAndUnopenedUseFails) {
    Win32SerialPort port("COM231");
    try {
        port.open();
        FAIL() << "COM231 opened";
    } catch (const SerialPortError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot open serial port COM231: no such device", 0), 0u) << e.what();
    }
    EXPECT_FALSE(port.isOpen());
    EXPECT_THROW(port.output(0x55), SerialPortError);
    EXPECT_THROW(port.waitReadable(1), SerialPortError);
    EXPECT_EQ(port.input(), -1);
    EXPECT_EQ(port.inBufferCount(), 0);
    EXPECT_THROW(port.setSettings("4800,n,8"), SerialPortError);
}

}  // namespace
}  // namespace orv
