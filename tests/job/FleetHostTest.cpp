// The host of one radio among several: its answers to the link's questions,
// the stop flag as Cancel, and what the board shows of it.
#include <gtest/gtest.h>
#include "job/FleetHost.h"

namespace orv {
namespace {

TEST(FleetHost, AnswersRetryOnlyWithinItsAllowanceAndNeverAfterAStop) {
    struct Case { int retries; bool stop; MsgButtons buttons; std::vector<MsgAnswer> answers; };
    const Case cases[] = {
        {0, false, MsgButtons::RetryCancel, {MsgAnswer::Cancel}},
        {2, false, MsgButtons::RetryCancel, {MsgAnswer::Retry, MsgAnswer::Retry, MsgAnswer::Cancel}},
        {2, true, MsgButtons::RetryCancel, {MsgAnswer::Cancel}},
        {2, false, MsgButtons::OK, {MsgAnswer::OK}},
        {2, false, MsgButtons::OKCancel, {MsgAnswer::Cancel}},
        {2, false, MsgButtons::YesNo, {MsgAnswer::No}},
    };
    for (const Case& c : cases) {
        FleetBoard board({"/dev/a"});
        std::atomic<bool> stop{c.stop};
        FleetHost host(board, 0, stop, c.retries);
        for (std::size_t i = 0; i < c.answers.size(); ++i)
            EXPECT_EQ(host.messageBox("Error writing radio\nCheck the cable.", "ORV Write", MsgIcon::None, c.buttons),
                      c.answers[i])
                << "case with " << c.retries << " retries, answer " << i;
        // A radio's row is one line: the advice follows the first line.
        EXPECT_EQ(host.firstMessage(), "Error writing radio; Check the cable.");
        EXPECT_EQ(board.rows()[0].messages.size(), c.answers.size());
    }
}

TEST(FleetBoard, ShowsOneLinePerRadioAndItsEvents) {
    FleetBoard board({"/dev/ttyUSB0", "/dev/pts/12"});
    std::atomic<bool> stop{false};
    FleetHost a(board, 0, stop, 0), b(board, 1, stop, 0);
    a.progShowForm("Writing ORV Memory", true);
    a.progress(3008, 6016);
    b.messageBox("Error Hooking to Radio.", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel);
    board.finish(1, "FAILED: writing the radio failed");

    const auto rows = board.rows();
    EXPECT_EQ(fleetProgressLine(rows[0], 12),
              "/dev/ttyUSB0  Writing ORV Memory [##########----------] 3008/6016 bytes");
    EXPECT_EQ(fleetProgressLine(rows[1], 12), "/dev/pts/12   FAILED: writing the radio failed");
    const std::vector<std::string> events = board.takeEvents();
    const std::vector<std::string> expected = {"/dev/ttyUSB0: Writing ORV Memory",
                                               "/dev/pts/12: COMM ERROR: Error Hooking to Radio. -> Cancel",
                                               "/dev/pts/12: FAILED: writing the radio failed"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(board.takeEvents().empty());
}

}  // namespace
}  // namespace orv
