// A serial port wired straight to the simulated radio's state machine, on a
// virtual clock: no device, no thread, no waiting. What the link sends is
// fed to the radio at the clock's time; a reply byte can be read once the
// clock has reached the time it is due; a wait for input moves the clock to
// the next reply byte or to the end of the wait. The test's host shares the
// clock (FakeHost::useClock), so the link's pauses and time-outs pass in no
// time at all and every run of a test is the same.
#pragma once
#include <cerrno>
#include <deque>
#include <string>
#include "platform/SerialPort.h"
#include "platform/SerialPortLine.h"
#include "sim/SimRadioCore.h"
#include "VirtualClock.h"

namespace orv::test {

class SimulatedPort : public SerialPort {
public:
    explicit SimulatedPort(VirtualClock& clock) : clock_(clock) {}
    SimulatedPort(SimRadioCore& radio, VirtualClock& clock) : radio_(&radio), clock_(clock) {}

    // Puts `radio` on the far end of the line (none: nothing answers).
    void connect(SimRadioCore& radio) {
        radio_ = &radio;
        pending_.clear();
        if (open_) radio_->setLineSpeed(parseLineSettings(settings_).baud);
    }

    void setDevice(const std::string& device) override { device_ = device; }
    std::string device() const override { return device_; }
    void setSettings(const std::string& settings) override {
        const LineSettings parsed = parseLineSettings(settings);  // throws as a real port does
        settings_ = settings;
        if (open_) {
            take();  // what arrived before the change arrived at the old speed
            if (radio_) radio_->setLineSpeed(parsed.baud);
        }
    }
    std::string settings() const override { return settings_; }

    // The cable pulled while the port is open and, when `back`, plugged in
    // again: the open handle is the old device's (its writes fail with EIO)
    // until the port is opened afresh; without `back` an open fails.
    void replug(bool back) {
        stale_ = open_;
        present_ = back;
    }

    void open() override {
        if (open_) return;
        if (!present_) throw SerialPortError(device_ + ": No such file or directory", ENOENT);
        open_ = true;
        stale_ = false;
        if (radio_) radio_->setLineSpeed(parseLineSettings(settings_).baud);
        discardInput();  // as a real port's open: what came before is gone
    }
    void close() override {
        open_ = false;
        pending_.clear();
    }
    bool isOpen() const override { return open_; }

    void output(unsigned char byte) override {
        if (!open_) throw SerialPortError(device_ + ": the port is not open");
        if (stale_) throw SerialPortError(device_ + ": write failed (Input/output error)", EIO);
        if (radio_) radio_->feed(byte, clock_.now());
        ++sent;
    }
    int inBufferCount() override {
        take();
        return static_cast<int>(pending_.size());
    }
    void discardInput() override {
        take();
        pending_.clear();
    }
    int input() override {
        take();
        if (pending_.empty()) return -1;
        const int b = pending_.front();
        pending_.pop_front();
        return b;
    }
    bool waitReadable(int ms) override {
        take();
        if (!pending_.empty()) return true;
        const double deadline = clock_.now() + ms / 1000.0;
        if (open_ && radio_ && radio_->hasReply() && radio_->nextDue() <= deadline) {
            clock_.advanceTo(radio_->nextDue());
            take();
            return true;
        }
        clock_.advanceTo(deadline);
        return false;
    }

    long sent = 0;  // bytes the link put on the line

private:
    // Moves every reply byte that is due by now into the input buffer (a
    // closed port leaves them to the next open, which drops them).
    void take() {
        while (open_ && radio_ && radio_->hasReply() && radio_->nextDue() <= clock_.now())
            pending_.push_back(radio_->takeReply(radio_->nextDue()));
    }

    SimRadioCore* radio_ = nullptr;
    VirtualClock& clock_;
    std::string device_ = "/dev/simulated";
    std::string settings_ = "4800,n,8,1";
    bool open_ = false;
    bool present_ = true;  // the device exists (replug)
    bool stale_ = false;   // the open handle is a device that went away (replug)
    std::deque<unsigned char> pending_;
};

}  // namespace orv::test
