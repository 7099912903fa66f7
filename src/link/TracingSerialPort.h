// A SerialPort that records every byte crossing another one into a
// SerialTrace: each byte sent when it is handed to the port, each byte
// received as soon as the port has it (also the bytes the link discards:
// they were on the line all the same), with the line speed set at that
// moment. Otherwise it behaves exactly as the port it wraps.
#pragma once
#include <deque>
#include "platform/SerialPort.h"
#include "link/SerialTrace.h"

namespace orv {

class TracingSerialPort : public SerialPort {
public:
    TracingSerialPort(SerialPort& inner, SerialTrace& trace);

    SerialPort& inner() { return inner_; }
    SerialTrace& trace() { return trace_; }

    void setDevice(const std::string& device) override { inner_.setDevice(device); }
    std::string device() const override { return inner_.device(); }
    void setSettings(const std::string& settings) override;
    std::string settings() const override { return inner_.settings(); }

    void open() override { inner_.open(); }
    void close() override;
    bool isOpen() const override { return inner_.isOpen(); }

    void output(unsigned char byte) override;
    int inBufferCount() override;
    void discardInput() override;
    int input() override;
    bool waitReadable(int ms) override;

private:
    // Takes every byte the port holds now into pending_, recording each.
    void pull();
    int baud() const;

    SerialPort& inner_;
    SerialTrace& trace_;
    std::deque<unsigned char> pending_;
};

}  // namespace orv
