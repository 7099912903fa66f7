// The serial link to the radio: handshake, version probe, speed change,
// block and masked-byte transfers, and the six read/write operations.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include "LinkHost.h"
#include "MemoryImage.h"
#include "SerialPort.h"

namespace orv {

class ORVCom {
public:
    ORVCom(MemoryImage& image, SerialPort& port, LinkHost& host);

    // Module constants.
    void initComm();
    int commRetries = 3;
    int hookReply = 0x12;
    double byteTimeout = 0.5;
    std::array<int, 256> writeMask{};
    std::array<uint8_t, 4> versionBytes{};
    bool fastRadio = false;
    bool allowFastBaud = false;

    static const char* const kSettings[4];  // "4800,n,8,1", "9600,n,8,1", ...

    void closePort();
    bool getByte(uint8_t& value);
    bool hookRadio();
    void readRadioVersion();
    bool setBaudRate(int index);
    void unhookRadio();

    bool readBlock(int block);
    bool writeBlock(int block);
    bool writeMaskedByte(int high, int low, int mask, int value);

    bool readMemory();
    bool readGroup(int group);   // 1..15
    bool readGlobal();
    bool writeMemory(bool skipPage0);
    bool writeGlobal();
    bool writeGroup(int group);  // 1..15

    MemoryImage& image() { return image_; }
    SerialPort& port() { return port_; }
    LinkHost& host() { return host_; }

private:
    MemoryImage& image_;
    SerialPort& port_;
    LinkHost& host_;
};

}  // namespace orv
