// The second line of the link's error messages: which device was in use,
// what to check, and what state the radio is in. The first line of each
// message stays the link's fixed text; this line is added under it in the
// editor's message boxes and on the command-line tool's output alike.
#pragma once
#include <string>

namespace orv {

enum class LinkFailure {
    PortOpen,     // the device could not be opened
    PortLost,     // the device failed while in use
    NoAnswer,     // the radio did not answer the handshake
    ReadStopped,  // the radio stopped answering during a block read
    WriteFailed,  // a write was not acknowledged
};

struct LinkAdviceFacts {
    std::string device;       // the device path in use
    std::string portChoice;   // where the user chooses the device ("Comm-Port > Choose Device...", "--port")
    int openError = 0;        // errno of a failed open (EACCES: a permission problem)
    bool radioChanged = false;  // a write had already sent data to the radio
    // NoAnswer, WriteFailed: the byte the radio answered instead of the one
    // expected (a refusal, garbage); -1 when it said nothing.
    int wrongAnswer = -1;
    // WriteFailed: the user stopped the write (Cancel, Ctrl-C, a stop request).
    bool stoppedByUser = false;
};

std::string linkAdvice(LinkFailure failure, const LinkAdviceFacts& facts);

// `first` with the advice as its second line.
std::string withLinkAdvice(const std::string& first, LinkFailure failure, const LinkAdviceFacts& facts);

}  // namespace orv
