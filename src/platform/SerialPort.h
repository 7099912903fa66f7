// What the link logic needs of a serial port: the operations of the port
// control (port number/device, settings string, open/close, one byte out,
// count and discard of received bytes, one byte in) plus a wait for
// readability so that idle waits cost no CPU.
#pragma once
#include <stdexcept>
#include <string>

namespace orv {

// A port that cannot be opened or used; the message names the device and the
// reason (for a permission error, the group that owns the device).
class SerialPortError : public std::runtime_error {
public:
    // `error`: the errno behind the failure (0 when none).
    explicit SerialPortError(const std::string& message, int error = 0)
        : std::runtime_error(message), error_(error) {}
    int error() const { return error_; }

private:
    int error_ = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // The device behind the port (e.g. "/dev/ttyUSB0"); takes effect on open.
    virtual void setDevice(const std::string& device) = 0;
    virtual std::string device() const = 0;
    // "4800,n,8,1" etc. Applied at once when open, else at open.
    virtual void setSettings(const std::string& settings) = 0;
    virtual std::string settings() const = 0;

    virtual void open() = 0;            // throws SerialPortError
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void output(unsigned char byte) = 0;   // throws SerialPortError
    virtual int inBufferCount() = 0;               // bytes waiting now
    virtual void discardInput() = 0;               // InBufferCount = 0
    virtual int input() = 0;                       // one byte, or -1 when none
    // Wait until at least one byte is waiting or `ms` passed; true if readable.
    virtual bool waitReadable(int ms) = 0;
};

}  // namespace orv
