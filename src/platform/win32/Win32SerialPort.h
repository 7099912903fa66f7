// SerialPort on a Windows communications port (COM1, COM12, a USB adapter's
// virtual port, or under Wine a pseudo-terminal mapped to a COM name): raw
// 8-bit line, no flow control, idle waits through the port's own read
// time-outs.
//
// No lock is taken besides the open itself: Windows opens a communications
// port for one handle only (a second CreateFile fails with access denied),
// which is what the advisory lock gives on POSIX systems.
#pragma once
#include <string>
#include <vector>
#include "platform/SerialPort.h"
#include "platform/SerialPortLine.h"

namespace orv {

// Text of a failed open: device, reason and what to do about it.
std::string describeOpenError(const std::string& device, unsigned long err);

class Win32SerialPort : public SerialPort {
public:
    Win32SerialPort() = default;
    explicit Win32SerialPort(std::string device) : device_(std::move(device)) {}
    ~Win32SerialPort() override;
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    void setDevice(const std::string& device) override { device_ = device; }
    std::string device() const override { return device_; }
    void setSettings(const std::string& settings) override;
    std::string settings() const override { return settings_; }

    void open() override;
    void close() override;
    bool isOpen() const override { return handle_ != nullptr; }

    void output(unsigned char byte) override;
    int inBufferCount() override;
    void discardInput() override;
    int input() override;
    bool waitReadable(int ms) override;

private:
    void apply(const LineSettings& s, bool drainFirst);
    void setReadWait(int ms);              // sets the read time-outs when they change
    int driverCount();                     // bytes the driver holds now
    std::size_t readInto(std::size_t n);   // one ReadFile of up to n bytes into buf_
    [[noreturn]] void fail(const std::string& what, unsigned long err);

    std::string device_;
    std::string settings_ = "4800,n,8,1";
    void* handle_ = nullptr;           // the open port, or null
    int readWait_ = -1;                // the wait the port's time-outs give now
    std::vector<unsigned char> buf_;   // received, not yet taken
    std::size_t head_ = 0;             // next byte of buf_ to hand out
};

}  // namespace orv
