// The progress dialog and the Qt link host: cancel semantics for reads and
// writes, the main window's enabled state, the clamped progress value, and
// the host's calls from the link's worker thread.
#include <gtest/gtest.h>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <thread>
#include "app/QtHost.h"
#include "app/UserPrompts.h"
#include "RadioTestSupport.h"
#include "app/Twips.h"
#include "app/WindowQueue.h"
#include "app/frmProc.h"

using namespace orv;
using namespace orv::test;

namespace {

class ProcTest : public AppFixture {
protected:
    void SetUp() override {
        ensureApp();
        main.move(100, 80);
        main.show();
    }
    QWidget main;
    UserPrompts prompts;
    ScriptedBoxes boxes{prompts};
    WindowQueue queue;
};

TEST_F(ProcTest, ReadCancelSetsTheFlagAtOnceWithoutAsking) {
    frmProc proc(prompts, &main);
    proc.ShowForm("Reading ORV Memory", false);
    EXPECT_EQ(proc.windowTitle(), "ORV Processing");
    EXPECT_EQ(proc.lblInfo()->text(), "Reading ORV Memory");
    EXPECT_EQ(proc.CancelButton()->text(), "Cancel");
    proc.EnableCancel();
    QTest::mouseClick(proc.CancelButton(), Qt::LeftButton);
    EXPECT_TRUE(proc.Cancelled());
    EXPECT_TRUE(boxes.asked.empty());
    proc.unload();
}

TEST_F(ProcTest, WriteCancelAsksAndOnlyYesSetsTheFlag) {
    struct Case { MsgAnswer answer; bool cancelled; };
    for (const Case c : {Case{MsgAnswer::No, false}, Case{MsgAnswer::Yes, true}}) {
        ScriptedBoxes local{prompts};
        local.answer({c.answer});
        frmProc proc(prompts, &main);
        proc.ShowForm("Writing ORV Memory", true);
        proc.EnableCancel();
        QTest::mouseClick(proc.CancelButton(), Qt::LeftButton);
        EXPECT_EQ(proc.Cancelled(), c.cancelled);
        ASSERT_EQ(local.asked.size(), 1u);
        EXPECT_EQ(local.asked[0].text,
                  "Warning:\nCancelling a write operation may leave the radio in an unpredictable "
                  "state.\nAre you sure you want to cancel?");
        EXPECT_EQ(local.asked[0].title, "ORVEDIT");
        EXPECT_EQ(local.asked[0].icon, MsgIcon::Question);
        EXPECT_EQ(local.asked[0].buttons, MsgButtons::YesNo);
        proc.unload();
    }
}

TEST_F(ProcTest, CancelIsInertUntilEnabledAndShowFormClearsTheFlag) {
    frmProc proc(prompts, &main);
    proc.ShowForm("Reading ORV Memory", false);
    EXPECT_FALSE(proc.CancelButton()->isEnabled());
    QTest::mouseClick(proc.CancelButton(), Qt::LeftButton);
    proc.CancelButton_Click();
    EXPECT_FALSE(proc.Cancelled());

    proc.EnableCancel();
    proc.CancelButton_Click();
    ASSERT_TRUE(proc.Cancelled());
    proc.ShowForm("Reading ORV Group", false);
    EXPECT_FALSE(proc.Cancelled());
    EXPECT_FALSE(proc.CancelButton()->isEnabled());
    proc.unload();
}

TEST_F(ProcTest, MainWindowIsReEnabledOnlyIfTheDialogDisabledIt) {
    for (bool enabledBefore : {true, false}) {
        main.setEnabled(enabledBefore);
        frmProc proc(prompts, &main);
        proc.ShowForm("Reading ORV Memory", false);
        EXPECT_FALSE(main.isEnabled());
        // The dialog is a window of its own: disabling the main window leaves Cancel usable.
        proc.EnableCancel();
        EXPECT_TRUE(proc.CancelButton()->isEnabled() && proc.isEnabled());
        proc.unload();
        EXPECT_EQ(main.isEnabled(), enabledBefore);
        EXPECT_FALSE(proc.isVisible());
        // A second unload (the command unloads again after the transfer) changes nothing.
        main.setEnabled(false);
        proc.unload();
        EXPECT_FALSE(main.isEnabled());
    }
    main.setEnabled(true);
}

TEST_F(ProcTest, DialogIsPlaced500TwipsFromTheMainWindow) {
    frmProc proc(prompts, &main);
    proc.ShowForm("x", false);
    const int d = twipsToPx(500);
    EXPECT_EQ(proc.pos(), main.pos() + QPoint(d, d));
    proc.unload();
}

// Under the bar: the bytes done of the range, with the rate and time left
// once the transfer has run a moment (the wording is the core's).
TEST_F(ProcTest, BytesDoneShowUnderTheBar) {
    frmProc proc(prompts, &main);
    proc.ShowForm("Reading ORV Memory", false);
    proc.setProgress(3008, 6016);
    EXPECT_TRUE(proc.lblProgress()->text().startsWith("3008/6016 bytes  ")) << proc.lblProgress()->text().toStdString();
    EXPECT_TRUE(proc.lblProgress()->isVisible());
    proc.unload();
}

// The link calls its host from a worker thread: the dialog is driven and the
// boxes are answered on the window thread, a sleeping link leaves Cancel
// live, and a read of the bar sees every update sent before it.
TEST_F(ProcTest, HostCalledFromAWorkerDrivesTheDialogOnTheWindowThread) {
    frmProc proc(prompts, &main);
    QtHost host(proc, prompts, queue, &main);
    struct Seen {
        double slept = 0;
        bool cancelled = false;
        int value = -1, max = -1;
        MsgAnswer answer = MsgAnswer::OK;
    } seen;
    std::atomic<bool> done{false};
    const Qt::HANDLE windowThread = QThread::currentThreadId();
    Qt::HANDLE boxThread = nullptr;
    prompts.setMessageHandler([&](QWidget*, const QString&, const QString&, MsgIcon, MsgButtons) {
        boxThread = QThread::currentThreadId();
        return MsgAnswer::Retry;
    });
    std::thread worker([&] {
        host.progShowForm("Reading ORV Memory", false);
        host.progEnableCancel();
        host.progress(3000, 6016);
        // The link sleeps between its looks at the flag; the window thread
        // serves the Cancel meanwhile.
        const double t0 = host.now();
        for (int i = 0; i < 1000 && !seen.cancelled; ++i) {
            host.sleepMs(10);
            seen.cancelled = host.progCancelled();
        }
        seen.slept = host.now() - t0;
        seen.answer = host.messageBox("Error Hooking to Radio.", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel);
        host.progUnload();
        done = true;
    });
    // Cancel is pressed once the link has enabled it.
    QTimer press;
    QObject::connect(&press, &QTimer::timeout, &proc, [&] {
        if (!proc.CancelButton()->isEnabled()) return;
        press.stop();
        QTest::mouseClick(proc.CancelButton(), Qt::LeftButton);
    });
    press.start(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 10000));
    worker.join();
    EXPECT_EQ(proc.value(), 3000);
    EXPECT_EQ(proc.max(), 6016);
    EXPECT_GE(seen.slept, 0.009);
    EXPECT_TRUE(seen.cancelled) << "Cancel was served while the link slept";
    EXPECT_EQ(seen.answer, MsgAnswer::Retry);
    EXPECT_EQ(boxThread, windowThread);
    EXPECT_FALSE(proc.isLoaded());
    EXPECT_TRUE(main.isEnabled());
}

// A write that looks at the flag while the user is asked whether to stop it
// waits for the answer.
TEST_F(ProcTest, WorkerWaitsForTheAnswerToAWriteCancel) {
    frmProc proc(prompts, &main);
    QtHost host(proc, prompts, queue, &main);
    host.progShowForm("Writing ORV Memory", true);
    host.progEnableCancel();
    std::atomic<bool> asking{false}, looking{false};
    prompts.setMessageHandler([&](QWidget*, const QString&, const QString&, MsgIcon, MsgButtons) {
        asking = true;
        // The user reads the warning while the write looks at the flag.
        EXPECT_TRUE(QTest::qWaitFor([&] { return looking.load(); }, 10000));
        return MsgAnswer::Yes;
    });
    bool cancelled = false;
    std::thread worker([&] {
        while (!asking) std::this_thread::yield();
        looking = true;
        cancelled = host.progCancelled();   // not yet cancelled: it must wait for the answer
    });
    QTest::mouseClick(proc.CancelButton(), Qt::LeftButton);
    worker.join();
    EXPECT_TRUE(cancelled);
    host.progUnload();
}

// An editor that closes while its job waits for an answer lets the job go:
// the question gets the answer of a host without a user, Cancel counts as
// pressed, and nothing waits for the window thread any more.
TEST_F(ProcTest, AnAbandonedQueueReleasesAWorkerWaitingForTheWindow) {
    frmProc proc(prompts, &main);
    QtHost host(proc, prompts, queue, &main);
    std::atomic<bool> asking{false};
    MsgAnswer answer = MsgAnswer::Retry;
    bool cancelled = false;
    std::thread worker([&] {
        asking = true;
        answer = host.messageBox("Error Hooking to Radio.", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel);
        host.progShowForm("Reading ORV Memory", false);   // returns at once now
        cancelled = host.progCancelled();
    });
    while (!asking) std::this_thread::yield();
    queue.abandon();   // the window thread never serves the question
    worker.join();
    EXPECT_EQ(answer, MsgAnswer::Cancel);
    EXPECT_TRUE(cancelled);
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_FALSE(proc.isLoaded());
}

TEST_F(ProcTest, HostMessageBoxTitlesAndBeeps) {
    frmProc proc(prompts, &main);
    QtHost host(proc, prompts, queue, &main);
    boxes.answer({MsgAnswer::Retry, MsgAnswer::OK});
    EXPECT_EQ(host.messageBox("Error Hooking to Radio.", "COMM ERROR", MsgIcon::None,
                              MsgButtons::RetryCancel),
              MsgAnswer::Retry);
    host.messageBox("Write Group Failed", "", MsgIcon::None, MsgButtons::OK);
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(boxes.asked[0].title, "COMM ERROR");
    EXPECT_EQ(boxes.asked[1].title, "ORVEDIT");

    BeepCounter beeps(prompts);
    host.beep();
    host.beep();
    EXPECT_EQ(beeps.count, 2);
}

}  // namespace
