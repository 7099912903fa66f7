// The terminal host: its progress line and how it answers questions.
#include <gtest/gtest.h>
#include <cstdio>
#include "cli/TermHost.h"

namespace orv {
namespace {

TEST(TermHost, ProgressLineShowsBytesRateAndTimeLeft) {
    struct Case { int value, min, max; double elapsed; const char* expected; };
    const Case cases[] = {
        {0, 0, 6016, 0.0, "M [------------------------------] 0/6016 bytes  0 B/s"},
        {3008, 0, 6016, 4.0, "M [###############---------------] 3008/6016 bytes  752 B/s  0:04 left"},
        {6016, 0, 6016, 8.0, "M [##############################] 6016/6016 bytes  752 B/s"},
        {9999, 0, 384, 1.0, "M [##############################] 384/384 bytes  384 B/s"},
        {-5, 0, 256, 1.0, "M [------------------------------] 0/256 bytes  0 B/s"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TermHost::progressLine("M", c.value, c.min, c.max, c.elapsed), c.expected);
}

TEST(TermHost, RetriesAreAnsweredRetryUntilTheAllowanceIsSpent) {
    volatile std::sig_atomic_t interrupted = 0;
    std::FILE* sink = std::tmpfile();
    TermHost host(&interrupted, sink);
    host.setRetries(2);
    EXPECT_EQ(host.messageBox("x", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel), MsgAnswer::Retry);
    EXPECT_EQ(host.messageBox("x", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel), MsgAnswer::Retry);
    EXPECT_EQ(host.messageBox("x", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel), MsgAnswer::Cancel);
    EXPECT_EQ(host.messageBox("x", "ORV Read", MsgIcon::Exclamation, MsgButtons::OK), MsgAnswer::OK);
    // After Ctrl-C no retry is spent.
    host.setRetries(1);
    interrupted = 1;
    EXPECT_EQ(host.messageBox("x", "DOWNLOAD ERROR", MsgIcon::None, MsgButtons::RetryCancel), MsgAnswer::Cancel);
    std::fclose(sink);
}

TEST(TermHost, InterruptCountsAsCancelOnlyOnceCancelIsEnabled) {
    volatile std::sig_atomic_t interrupted = 1;
    std::FILE* sink = std::tmpfile();
    TermHost host(&interrupted, sink);
    host.progShowForm("Reading ORV Memory", false);
    EXPECT_FALSE(host.progCancelled());
    host.progEnableCancel();
    EXPECT_TRUE(host.progCancelled());
    host.progUnload();
    EXPECT_FALSE(host.progCancelled());
    std::fclose(sink);
}

}  // namespace
}  // namespace orv
