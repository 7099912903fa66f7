#include "link/LinkAdvice.h"

#include <cerrno>
#include "platform/PortAdvice.h"

namespace orv {

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
        what = "No answer on " + device + ": check the cable, that the radio is switched on and in programming mode, "
               "and the port" + choice + ".";
        break;
    case LinkFailure::ReadStopped:
    case LinkFailure::WriteFailed:
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
