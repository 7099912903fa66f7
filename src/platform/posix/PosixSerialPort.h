// SerialPort on a POSIX terminal device (a USB adapter, a built-in UART or a
// pseudo-terminal): raw 8-bit line, no flow control, non-blocking reads,
// exclusive use, idle waits through poll().
#pragma once
#include <string>
#include <vector>
#include "platform/SerialPort.h"
#include "platform/SerialPortLine.h"

namespace orv {

// Text of an open() failure: device, the failing call's reason (its errno's
// text) and what to do about it.
std::string describeOpenError(const std::string& device, int err);
// The port's lock is held (flock answered EWOULDBLOCK): another program uses it.
std::string describeLockHeld(const std::string& device);

// What to do about a device this user may not open, from its owner, group
// and mode: join the device's own group when that group may read and write
// it; otherwise say that no group grants access and a udev rule is needed.
std::string describeAccessDenied(const std::string& device, unsigned mode, unsigned uid, unsigned gid);

class PosixSerialPort : public SerialPort {
public:
    PosixSerialPort() = default;
    explicit PosixSerialPort(std::string device) : device_(std::move(device)) {}
    ~PosixSerialPort() override;
    PosixSerialPort(const PosixSerialPort&) = delete;
    PosixSerialPort& operator=(const PosixSerialPort&) = delete;

    void setDevice(const std::string& device) override { device_ = device; }
    std::string device() const override { return device_; }
    void setSettings(const std::string& settings) override;
    std::string settings() const override { return settings_; }

    void open() override;
    void close() override;
    bool isOpen() const override { return fd_ >= 0; }

    void output(unsigned char byte) override;
    int inBufferCount() override;
    void discardInput() override;
    int input() override;
    bool waitReadable(int ms) override;

    int fd() const { return fd_; }

private:
    void apply(const LineSettings& s, bool drainFirst);
    void fill();                       // moves what the driver holds into buf_
    [[noreturn]] void fail(const std::string& what, int err);

    std::string device_;
    std::string settings_ = "4800,n,8,1";
    int fd_ = -1;
    std::vector<unsigned char> buf_;   // received, not yet taken
    std::size_t head_ = 0;             // next byte of buf_ to hand out
};

}  // namespace orv
