// The texts the link's users show: the progress of a transfer and the advice
// under a link error.
#include <gtest/gtest.h>
#include <cerrno>
#include "link/LinkAdvice.h"
#include "link/TransferProgress.h"

namespace orv {
namespace {

TEST(TransferProgress, BytesRateAndTimeLeft) {
    struct Case { int value, min, max; double elapsed; const char* expected; };
    const Case cases[] = {
        {100, 0, 6016, 0.0, "100/6016 bytes  0 B/s"},                   // no time passed: no rate, no promise
        {96, 0, 6016, 1.0, "96/6016 bytes  96 B/s  1:02 left"},        // minutes and seconds
        {6016, 0, 6016, 8.0, "6016/6016 bytes  752 B/s"},              // the end: nothing left
        {512, 256, 640, 1.0, "256/384 bytes  256 B/s  0:01 left"},      // counted from Min
    };
    for (const Case& c : cases)
        EXPECT_EQ(transferProgressText(transferProgress(c.value, c.min, c.max, c.elapsed)), c.expected)
            << c.value << " after " << c.elapsed;
}

TEST(LinkAdvice, NamesTheDeviceWhatToCheckAndTheRadiosState) {
    const std::string unchanged = " Nothing was changed on the radio.";
    const std::string partly =
        " The write stopped part-way: the radio may hold part of the new programming; write it again before using "
        "the radio.";
    struct Case {
        LinkFailure failure;
        std::string device, choice;
        int openError;
        bool changed;
        std::string expected;
        int wrongAnswer = -1;   // what the radio said instead (-1: nothing)
    };
    const Case cases[] = {
        {LinkFailure::PortOpen, "/dev/ttyUSB0", "in the menu", ENOENT, false,
         "Device /dev/ttyUSB0: check that the cable is plugged in and that this is the radio's port (in the menu)." +
             unchanged},
        {LinkFailure::PortOpen, "/dev/ttyUSB0", "", EACCES, false,
         "Device /dev/ttyUSB0: check that the cable is plugged in and that this is the radio's port. orvedit-cli "
         "doctor --port /dev/ttyUSB0 (in the editor: Comm-Port > Check Port...) looks for what stands in the way." +
             unchanged},
        {LinkFailure::PortOpen, "", "--port", EPERM, false,
         "Device (no device set): check that the cable is plugged in and that this is the radio's port (--port). "
         "orvedit-cli doctor (in the editor: Comm-Port > Check Port...) looks for what stands in the way." +
             unchanged},
        {LinkFailure::PortOpen, "/dev/ttyS1", "", EBUSY, false,
         "Device /dev/ttyS1: check that the cable is plugged in and that this is the radio's port. orvedit-cli "
         "doctor --port /dev/ttyS1 (in the editor: Comm-Port > Check Port...) looks for what stands in the way." +
             unchanged},
        {LinkFailure::PortLost, "/dev/ttyS1", "", 0, false,
         "Device /dev/ttyS1 stopped working: check the cable and the port." + unchanged},
        {LinkFailure::NoAnswer, "/dev/ttyUSB0", "in the menu", 0, false,
         "No answer on /dev/ttyUSB0: check the cable, that the radio is switched on and in programming mode, and the "
         "port (in the menu)." + unchanged},
        // A write whose retry could not even hook the radio again.
        {LinkFailure::NoAnswer, "/dev/ttyUSB0", "", 0, true,
         "No answer on /dev/ttyUSB0: check the cable, that the radio is switched on and in programming mode, and the "
         "port." + partly},
        {LinkFailure::ReadStopped, "/dev/ttyUSB0", "", 0, false,
         "The radio stopped answering on /dev/ttyUSB0: check the cable, the radio's power and that it is in "
         "programming mode." + unchanged},
        {LinkFailure::WriteFailed, "/dev/ttyUSB0", "in the menu", 0, true,
         "The radio stopped answering on /dev/ttyUSB0: check the cable, the radio's power and that it is in "
         "programming mode." + partly},
        // A radio that answers wrongly is told apart from a silent one.
        {LinkFailure::NoAnswer, "/dev/ttyUSB0", "", 0, false,
         "Something on /dev/ttyUSB0 answered the handshake with 0x00 instead of 0x12: check that it is the radio, in "
         "programming mode, and the port." + unchanged, 0x00},
        {LinkFailure::WriteFailed, "/dev/ttyUSB0", "", 0, true,
         "The radio on /dev/ttyUSB0 refused the write (it answered 0x00, not 0x01): cycle its power and try again." +
             partly, 0x00},
        {LinkFailure::WriteFailed, "/dev/ttyUSB0", "", 0, true,
         "The radio on /dev/ttyUSB0 answered the write with 0x5A, which is no answer to it: check the cable and the "
         "line for noise." + partly, 0x5A},
    };
    LinkAdviceFacts stopped{"/dev/ttyUSB0", "", 0, true, -1, true};
    EXPECT_EQ(linkAdvice(LinkFailure::WriteFailed, stopped),
              "The write on /dev/ttyUSB0 was stopped by the user, not by the radio." + partly);
    for (const Case& c : cases) {
        const LinkAdviceFacts facts{c.device, c.choice, c.openError, c.changed, c.wrongAnswer};
        EXPECT_EQ(linkAdvice(c.failure, facts), c.expected);
        EXPECT_EQ(withLinkAdvice("COMM ERROR", c.failure, facts), "COMM ERROR\n" + c.expected);
    }
}

}  // namespace
}  // namespace orv
