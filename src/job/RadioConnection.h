// One connection to one radio: the system's serial port on a device, every
// byte traced, and the link (ORVCom) over it with a host for its messages
// and progress. The command-line tool, the editor's jobs and the fleet all
// make their connections here, one per radio operation, on the thread that
// runs the operation; nothing of it is shared with another thread.
#pragma once
#include <cstddef>
#include <string>
#include <vector>
#include "image/MemoryImage.h"
#include "link/LinkHost.h"
#include "link/ORVCom.h"
#include "link/SerialTrace.h"
#include "link/TracingSerialPort.h"
#include "platform/SerialPortNative.h"

namespace orv {

// Where and how to reach a radio.
struct PortSetup {
    std::string device;        // "/dev/ttyUSB0", "COM5", a simulator's link
    LinkTiming timing;         // the link's waits and pauses
    std::string portChoice;    // where the user names the device (the link's advice names it)
    // Whether the next hook may move a fast radio to the faster speed: the
    // link's state as the last operation left it (a read allows it, a write
    // does not), carried from one connection to the next.
    bool allowFastBaud = false;
};

// What a connection leaves behind once it is closed.
struct ConnectionRecord {
    std::string version = "-";             // the radio's version word ("2C00"); "-" when it never told it
    std::vector<TraceEntry> trace;         // every byte exchanged
    std::size_t traceDropped = 0;
    bool radioChanged = false;             // a write had sent data into the radio's memory
    bool readCancelled = false;            // the last read ended by the user's cancel
    bool allowFastBaud = false;            // as the connection's last operation left it
};

class RadioConnection {
public:
    // `image` is what the link reads into and writes from.
    RadioConnection(const PortSetup& setup, MemoryImage& image, LinkHost& host);
    ~RadioConnection();
    RadioConnection(const RadioConnection&) = delete;
    RadioConnection& operator=(const RadioConnection&) = delete;

    ORVCom& com() { return com_; }
    // Closes the port and returns what the connection learnt.
    ConnectionRecord finish();

private:
    NativeSerialPort port_;
    SerialTrace trace_;
    TracingSerialPort traced_;
    ORVCom com_;
};

// "2C00" for the version bytes 2C 00; "-" when both are 0 (never hooked).
std::string versionWordText(const std::array<uint8_t, wire::kVersionBytes>& bytes);

}  // namespace orv
