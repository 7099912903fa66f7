// The line settings string and the names a communications port goes by,
// shared by every system's serial port.
#include <gtest/gtest.h>
#include "platform/SerialPort.h"
#include "platform/SerialPortLine.h"

namespace orv {
namespace {

TEST(LineSettings, ParsesTheFourFieldsAndRefusesTheRest) {
    struct Case { const char* text; bool ok; int baud; char parity; int data; int stop; };
    const Case cases[] = {
        {"4800,n,8,1", true, 4800, 'n', 8, 1},
        {"9600,N,8,1", true, 9600, 'n', 8, 1},
        {"19200,e,7,2", true, 19200, 'e', 7, 2},
        {" 38400 , o , 8 , 1 ", true, 38400, 'o', 8, 1},
        {"", false, 0, 0, 0, 0},
        {"4800,n,8", false, 0, 0, 0, 0},
        {"4801,n,8,1", false, 0, 0, 0, 0},
        {"4800,x,8,1", false, 0, 0, 0, 0},
        {"4800,n,9,1", false, 0, 0, 0, 0},
        {"4800,n,8,3", false, 0, 0, 0, 0},
        {"48k,n,8,1", false, 0, 0, 0, 0},
        {"4800,n,8,1,1", false, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        if (!c.ok) {
            EXPECT_THROW(parseLineSettings(c.text), SerialPortError);
            continue;
        }
        LineSettings s = parseLineSettings(c.text);
        EXPECT_EQ(s.baud, c.baud);
        EXPECT_EQ(s.parity, c.parity);
        EXPECT_EQ(s.dataBits, c.data);
        EXPECT_EQ(s.stopBits, c.stop);
    }
}

TEST(ComDevicePath, GivesNumberedPortsTheDevicePrefixAndLeavesOtherNamesAlone) {
    struct Case { const char* given; const char* opened; };
    const Case cases[] = {
        {"COM5", "\\\\.\\COM5"},
        {"com12", "\\\\.\\COM12"},
        {"\\\\.\\COM5", "\\\\.\\COM5"},
        {"COM", "COM"},
        {"COM0", "COM0"},
        {"COM5x", "COM5x"},
        {"/dev/ttyUSB0", "/dev/ttyUSB0"},
    };
    for (const Case& c : cases) EXPECT_EQ(comDevicePath(c.given), c.opened) << c.given;
}

}  // namespace
}  // namespace orv
