#include "job/RadioConnection.h"

#include <cstdio>

namespace orv {

RadioConnection::RadioConnection(const PortSetup& setup, MemoryImage& image, LinkHost& host)
    : port_(setup.device), traced_(port_, trace_), com_(image, traced_, host, setup.timing) {
    com_.setPortChoice(setup.portChoice);
    com_.setAllowFastBaud(setup.allowFastBaud);
    trace_.start();
}

RadioConnection::~RadioConnection() { com_.closePort(); }

ConnectionRecord RadioConnection::finish() {
    com_.closePort();
    ConnectionRecord r;
    r.version = versionWordText(com_.versionBytes());
    r.trace = trace_.entries();
    r.traceDropped = trace_.dropped();
    r.radioChanged = com_.radioChanged();
    r.readCancelled = com_.readCancelled();
    r.allowFastBaud = com_.allowsFastBaud();
    return r;
}

std::string versionWordText(const std::array<uint8_t, wire::kVersionBytes>& bytes) {
    if (bytes[0] == 0 && bytes[1] == 0) return "-";
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X", bytes[0], bytes[1]);
    return text;
}

}  // namespace orv
