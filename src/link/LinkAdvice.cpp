#include "link/LinkAdvice.h"

#include <cerrno>
#include <cstdio>
#include "link/Protocol.h"
#include "platform/PortAdvice.h"

namespace orv {

namespace {
std::string hexByte(int b) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", b & 0xFF);
    return text;
}
}  // namespace

std::string linkAdvice(LinkFailure failure, const LinkAdviceFacts& f) {
    const std::string device = f.device.empty() ? std::string("(no device set)") : f.device;
    const std::string choice = f.portChoice.empty() ? std::string() : " (" + f.portChoice + ")";
    std::string what;
    switch (failure) {
    case LinkFailure::PortOpen:
        what = "Device " + device + ": check that the cable is plugged in and that this is the radio's port" + choice + ".";
        // A refused or busy port has a cause on this machine the doctor finds.
        if (f.openError == EACCES || f.openError == EPERM || f.openError == EBUSY)
            what += " " + portadvice::doctorPointer(f.device);
        break;
    case LinkFailure::PortLost:
        what = "Device " + device + " stopped working: check the cable and the port" + choice + ".";
        break;
    case LinkFailure::NoAnswer:
        if (f.wrongAnswer >= 0)
            what = "Something on " + device + " answered the handshake with " + hexByte(f.wrongAnswer) +
                   " instead of " + hexByte(wire::kHandshakeReply) + ": check that it is the radio, in programming "
                   "mode, and the port" + choice + ".";
        else
            what = "No answer on " + device + ": check the cable, that the radio is switched on and in programming "
                   "mode, and the port" + choice + ".";
        break;
    case LinkFailure::WriteFailed:
        if (f.stoppedByUser) {
            what = "The write on " + device + " was stopped by the user, not by the radio.";
            break;
        }
        if (f.wrongAnswer == wire::kNak) {
            what = "The radio on " + device + " refused the write (it answered " + hexByte(wire::kNak) +
                   ", not " + hexByte(wire::kAck) + "): cycle its power and try again.";
            break;
        }
        if (f.wrongAnswer >= 0) {
            what = "The radio on " + device + " answered the write with " + hexByte(f.wrongAnswer) +
                   ", which is no answer to it: check the cable and the line for noise.";
            break;
        }
        [[fallthrough]];
    case LinkFailure::ReadStopped:
        what = "The radio stopped answering on " + device + ": check the cable, the radio's power and that it is in "
               "programming mode.";
        break;
    }
    // Nothing reaches the radio's memory before a write sends its first byte.
    if (f.radioChanged)
        what += " The write stopped part-way: the radio may hold part of the new programming; write it again before "
                "using the radio.";
    else
        what += " Nothing was changed on the radio.";
    return what;
}

std::string withLinkAdvice(const std::string& first, LinkFailure failure, const LinkAdviceFacts& facts) {
    return first + "\n" + linkAdvice(failure, facts);
}

}  // namespace orv
