#include "link/TracingSerialPort.h"

#include "platform/SerialPortLine.h"

namespace orv {

TracingSerialPort::TracingSerialPort(SerialPort& inner, SerialTrace& trace) : inner_(inner), trace_(trace) {}

int TracingSerialPort::baud() const {
    try {
        return parseLineSettings(inner_.settings()).baud;
    } catch (const SerialPortError&) {
        return 0;
    }
}

void TracingSerialPort::setSettings(const std::string& settings) {
    // Bytes that arrived at the old speed are recorded with it.
    if (inner_.isOpen()) pull();
    inner_.setSettings(settings);
}

void TracingSerialPort::close() {
    pending_.clear();
    inner_.close();
}

void TracingSerialPort::output(unsigned char byte) {
    inner_.output(byte);
    trace_.record(TraceEntry::kToRadio, byte, baud());
}

void TracingSerialPort::pull() {
    const int speed = baud();
    for (int n = inner_.inBufferCount(); n > 0; n = inner_.inBufferCount()) {
        for (int i = 0; i < n; ++i) {
            const int b = inner_.input();
            if (b < 0) return;
            trace_.record(TraceEntry::kFromRadio, static_cast<uint8_t>(b), speed);
            pending_.push_back(static_cast<unsigned char>(b));
        }
    }
}

int TracingSerialPort::inBufferCount() {
    pull();
    return static_cast<int>(pending_.size());
}

void TracingSerialPort::discardInput() {
    pull();
    pending_.clear();
    inner_.discardInput();
}

int TracingSerialPort::input() {
    if (pending_.empty()) pull();
    if (pending_.empty()) return -1;
    const int b = pending_.front();
    pending_.pop_front();
    return b;
}

bool TracingSerialPort::waitReadable(int ms) {
    if (!pending_.empty()) return true;
    const bool readable = inner_.waitReadable(ms);
    if (readable) pull();
    return readable || !pending_.empty();
}

}  // namespace orv
