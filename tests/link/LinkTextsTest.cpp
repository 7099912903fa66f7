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
    struct Case {
        LinkFailure failure;
        int openError;
        bool changed;
        std::vector<const char*> says;
        std::vector<const char*> never;
    };
    const char* const nothing = "Nothing was changed on the radio.";
    const char* const part = "may hold part of the new programming";
    const Case cases[] = {
        {LinkFailure::PortOpen, ENOENT, false, {"/dev/ttyUSB0", "cable", "(in the menu)", nothing}, {"Permission", part}},
        {LinkFailure::PortOpen, EACCES, false, {"Permission denied", "group", nothing}, {part}},
        {LinkFailure::NoAnswer, 0, false, {"/dev/ttyUSB0", "switched on", "programming mode", "(in the menu)", nothing},
         {part}},
        {LinkFailure::PortLost, 0, false, {"/dev/ttyUSB0", "stopped working", nothing}, {part}},
        {LinkFailure::ReadStopped, 0, false, {"/dev/ttyUSB0", "power", nothing}, {part}},
        {LinkFailure::WriteFailed, 0, true, {"/dev/ttyUSB0", "power", part, "write it again"}, {nothing}},
        // A write whose retry could not even hook the radio again.
        {LinkFailure::NoAnswer, 0, true, {"programming mode", part}, {nothing}},
    };
    for (const Case& c : cases) {
        const std::string line = linkAdvice(c.failure, {"/dev/ttyUSB0", "in the menu", c.openError, c.changed});
        EXPECT_EQ(line.find('\n'), std::string::npos) << line;
        for (const char* s : c.says) EXPECT_NE(line.find(s), std::string::npos) << s << " in: " << line;
        for (const char* s : c.never) EXPECT_EQ(line.find(s), std::string::npos) << s << " in: " << line;
    }
    EXPECT_EQ(withLinkAdvice("Error Hooking to Radio.", LinkFailure::NoAnswer, {"/dev/x", "", 0, false}),
              "Error Hooking to Radio.\n" + linkAdvice(LinkFailure::NoAnswer, {"/dev/x", "", 0, false}));
}

}  // namespace
}  // namespace orv
