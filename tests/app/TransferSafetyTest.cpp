// The main window during a radio exchange: what the window system can do to
// it meanwhile (a close request, an activation, a shortcut, dismissing a
// question) never breaks the transfer, and every exchange starts from a fresh
// progress dialog. Each transfer runs against the simulator over a real
// pseudo-terminal.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "SimRadioSupport.h"
#include "app/RadioCommands.h"
#include "app/frmGlobals.h"

using namespace orv;
using namespace orv::test;

namespace {

class TransferSafety : public test::EditorFixture {
protected:
    void SetUp() override { delete session->globalsWindow(); }
    void TearDown() override {
        if (session) delete session->globalsWindow();
    }

    // Short settle pauses: the transfers need no real radio's pauses here.
    // The byte time-out is the radio's own: the simulator answers at once,
    // so it costs nothing, and a loaded machine (a sanitizer build) cannot
    // time a healthy transfer out.
    frmGroups& openFast() {
        auto& win = open();
        {
            LinkTiming t = session->link().timing();
            t.settleMs = 20;
            t.byteTimeout = LinkTiming{}.byteTimeout;
            session->link().setTiming(t);
        }
        return win;
    }
    // A close request as the window system sends it: to the window, which
    // passes it on even while the widget is disabled.
    static void requestClose(QWidget& w) {
        QCloseEvent e;
        QCoreApplication::sendEvent(w.windowHandle(), &e);
    }
    // The focus moves to the progress dialog and then back to the main
    // window, as a click on it or Alt+Tab does.
    static void activate(frmGroups& win) {
        win.session().link().proc().activateWindow();
        QCoreApplication::processEvents();
        win.activateWindow();
        QCoreApplication::processEvents();
    }
};

TEST_F(TransferSafety, CloseAndActivationDuringATransferLeaveItComplete) {
    struct Case { const char* name; bool write; bool close; };
    const Case cases[] = {{"close during read", false, true}, {"activation during read", false, false},
                          {"close during write", true, true}, {"activation during write", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimRadio radio;
        const Memory before = pattern(11);
        radio.sim.setMemory(before);
        ScriptedBoxes boxes(session->prompts());
        auto& win = static_cast<test::TestWindow&>(openFast());
        win.answer = QMessageBox::No;
        // Well inside the block phase of either transfer.
        WhenReceived during(radio.sim, c.write ? 1500 : 200, [&] {
            if (c.close)
                requestClose(win);
            else
                activate(win);
        });
        if (c.write) {
            boxes.answer({MsgAnswer::OK, MsgAnswer::Yes});
            action(win, "mnuWriteAll")->trigger();
            test::waitForRadio(win.session());
        } else {
            action(win, "mnuRead")->trigger();
            test::waitForRadio(win.session());
        }
        EXPECT_TRUE(during.fired());
        EXPECT_EQ(win.asked, 0) << "no question during a transfer";
        EXPECT_TRUE(win.isVisible());
        EXPECT_FALSE(boxes.wasAskedStartingWith("Error reading radio"));
        EXPECT_FALSE(boxes.wasAskedStartingWith("Download Failed. Cycle Radio Power before Retrying."));
        if (c.write)
            EXPECT_EQ(radio.sim.memory(), expectedAfterWrite(before, imageMemory(image()), memmap::page0WriteMask(), true));
        else
            EXPECT_EQ(imageMemory(image()), before);
        EXPECT_TRUE(win.isEnabled());
        // Afterwards the window closes as usual.
        EXPECT_TRUE(win.close());
        EXPECT_EQ(win.asked, 1);
        w.reset();
    }
}

// The global window cannot be closed during a write either: no "Save Global
// Parameters?" while page 0 is being written, and the window stays.
TEST_F(TransferSafety, TheGlobalWindowStaysOpenDuringATransfer) {
    SimRadio radio;
    radio.sim.setMemory(pattern(11));
    ScriptedBoxes boxes(session->prompts());
    auto& win = openFast();
    session->showGlobalsWindow();
    QPointer<frmGlobals> globals = session->globalsWindow();
    ASSERT_TRUE(globals);
    WhenReceived during(radio.sim, 1500, [&] { requestClose(*globals); });
    boxes.answer({MsgAnswer::OK, MsgAnswer::Yes});
    action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(win.session());
    EXPECT_TRUE(during.fired());
    EXPECT_FALSE(boxes.wasAsked("Save Global Parameters?"));
    ASSERT_TRUE(globals);
    EXPECT_TRUE(globals->isVisible());
    EXPECT_EQ(radio.sim.memory(), expectedAfterWrite(pattern(11), imageMemory(image()), memmap::page0WriteMask(), true));
}

TEST_F(TransferSafety, NoSecondRadioCommandStartsWhileOneRuns) {
    SimOptions silent;
    silent.faults.silent = true;
    SimRadio radio(silent);
    ScriptedBoxes boxes(session->prompts());   // the hook's Retry/Cancel box is answered Cancel
    auto& win = open();
    session->link().setTiming(LinkTiming{0.02, 0, 0});
    bool refused = false;
    int beepsInside = 0;
    // During the handshake of "Read Global Information from Radio", which
    // shows no progress dialog.
    WhenReceived during(radio.sim, 13, [&] {
        QTest::keyClick(&win, Qt::Key_F2);
        QTest::keyClick(&win, Qt::Key_F4);
        const int b = beeps;
        refused = !finishRun(mnuRead_Click(win)) && !mnuCommPort_Click(win, 2);
        beepsInside = beeps - b;
    });
    action(win, "mnuReadGlobal")->trigger();
    test::waitForRadio(win.session());
    EXPECT_TRUE(during.fired());
    EXPECT_TRUE(refused);
    EXPECT_EQ(beepsInside, 2);
    // One series of four attempts (ten 0x00 and 0x0A 0x14 0x28 each), one box.
    EXPECT_EQ(radio.sim.receivedCount(), 4 * 13);
    EXPECT_EQ(boxes.texts(),
              std::vector<QString>{linkError("Error Hooking to Radio.", LinkFailure::NoAnswer, radio.sim.devicePath())});
    EXPECT_EQ(session->link().portNumber(), 1);
    EXPECT_TRUE(action(win, "mnuRead")->isEnabled()) << "the radio commands are offered again";
}

// The exchange runs on the link's worker thread while the window thread goes
// on serving its events: its timers keep firing through the waits on a
// silent radio, and what the user sends meanwhile (the shortcut of a second
// read, a close request, a write) starts nothing and closes nothing.
TEST_F(TransferSafety, WindowThreadStaysLiveAndRefusesCommandsWhileATransferWaits) {
    SimOptions silent;
    silent.faults.silent = true;
    SimRadio radio(silent);
    ScriptedBoxes boxes(session->prompts());   // the hook's Retry/Cancel box is answered Cancel
    auto& win = static_cast<test::TestWindow&>(open());
    session->link().setTiming(LinkTiming{0.1, 0, 0});
    int ticksWhileRunning = 0;
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] { ticksWhileRunning += session->link().running() ? 1 : 0; });
    ticker.start();
    bool refused = false;
    WhenReceived during(radio.sim, 13, [&] {
        QTest::keyClick(&win, Qt::Key_F2);
        requestClose(win);
        refused = !finishRun(mnuRead_Click(win)) && !finishRun(mnuWriteAll_Click(win));
    });
    action(win, "mnuRead")->trigger();
    test::waitForRadio(win.session());
    ticker.stop();
    EXPECT_TRUE(during.fired());
    EXPECT_TRUE(refused);
    EXPECT_GT(ticksWhileRunning, 1) << "the window thread served its timer during the waits";
    EXPECT_FALSE(session->link().running());
    // One read's series of four attempts, one box, and the window still open.
    EXPECT_EQ(radio.sim.receivedCount(), 4 * 13);
    EXPECT_EQ(boxes.texts(),
              std::vector<QString>{linkError("Error Hooking to Radio.", LinkFailure::NoAnswer, radio.sim.devicePath())});
    EXPECT_EQ(win.asked, 0);
    EXPECT_TRUE(win.isVisible());
    EXPECT_TRUE(win.isEnabled());
}

// A question of the link while no progress dialog is up (the hook's
// Retry/Cancel during "Read Group from Radio") stands on a window the user
// can answer, though the exchange keeps the main window disabled.
TEST_F(TransferSafety, TheLinksQuestionsCanBeAnsweredWhileTheMainWindowIsDisabled) {
    SimOptions silent;
    silent.faults.silent = true;
    SimRadio radio(silent);
    auto& win = open();
    session->link().setTiming(LinkTiming{0.02, 0, 0});
    std::vector<QString> texts;
    bool answerable = true, mainDisabled = false;
    session->prompts().setMessageHandler([&](QWidget* parent, const QString& text, const QString&, MsgIcon, MsgButtons) {
        texts.push_back(text);
        answerable = answerable && (!parent || parent->isEnabled());
        mainDisabled = !win.isEnabled();
        return MsgAnswer::Cancel;
    });
    action(win, "mnuReadGroup")->trigger();
    test::waitForRadio(win.session());
    session->prompts().setMessageHandler({});
    EXPECT_EQ(texts,
              std::vector<QString>{linkError("Error Hooking to Radio.", LinkFailure::NoAnswer, radio.sim.devicePath())});
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(answerable);
    EXPECT_TRUE(win.isEnabled());
}

TEST_F(TransferSafety, EachTransferStartsFromAFreshProgressDialog) {
    SimRadio radio;
    radio.sim.setMemory(pattern(5));
    ScriptedBoxes boxes(session->prompts());
    auto& win = openFast();
    boxes.answer({MsgAnswer::OK, MsgAnswer::Yes});
    action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(win.session());
    frmProc& proc = session->link().proc();

    // The read that follows has just started: its job is in the handshake
    // and the window thread has not yet served the link's first call.
    action(win, "mnuRead")->trigger();
    const bool cancelEnabled = proc.CancelButton()->isEnabled();
    const int value = proc.Prog1()->value();
    const std::size_t asked = boxes.asked.size();
    QTest::mouseClick(proc.CancelButton(), Qt::LeftButton);
    test::waitForRadio(win.session());
    EXPECT_TRUE(proc.isHidden());
    EXPECT_FALSE(cancelEnabled);
    EXPECT_EQ(value, proc.Prog1()->minimum());
    EXPECT_EQ(boxes.asked.size(), asked) << "no write-cancel question in a read";
    EXPECT_EQ(imageMemory(image()), radio.sim.memory()) << "the read was not cancelled";
}

// The editor ends while its job waits for the window thread (a question of
// a silent radio's hook that the window thread never serves): the job is let
// go and the end does not wait for the user, or for ever.
TEST_F(TransferSafety, AnEditorEndingDuringAJobDoesNotWaitForIt) {
    SimOptions silent;
    silent.faults.silent = true;
    SimRadio radio(silent);
    int asked = 0;
    session->prompts().setMessageHandler([&](QWidget*, const QString&, const QString&, MsgIcon, MsgButtons) {
        ++asked;
        return MsgAnswer::Retry;   // a user who would keep the job going for ever
    });
    auto& win = open();
    session->link().setTiming(LinkTiming{0.02, 0, 0});
    action(win, "mnuReadGroup")->trigger();
    ASSERT_TRUE(session->link().running());
    // No event is served from here on: the job's question stays unanswered.
    w.reset();
    session.reset();
    EXPECT_EQ(asked, 0);
}

// A write of part of the programming, and a whole write stopped in its
// progress window, leave the edits unsaved: the title keeps its mark, and
// Open, New and Read Radio ask before they discard them.
TEST_F(TransferSafety, APartOrStoppedWriteIsNoSave) {
    // The answers: OK to the write; for the whole write Yes to "Write
    // Global Parameters?" and Yes to the warning of the Cancel.
    struct Case { const char* name; const char* menu; bool stop; std::initializer_list<MsgAnswer> answers; };
    const Case cases[] = {{"write group", "mnuWriteGroup", false, {MsgAnswer::OK}},
                          {"write global", "mnuWriteGlobal", false, {MsgAnswer::OK}},
                          {"write radio stopped", "mnuWriteAll", true, {MsgAnswer::OK, MsgAnswer::Yes, MsgAnswer::Yes}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SimRadio radio;
        ScriptedBoxes boxes(session->prompts());
        auto& win = openFast();
        widget<QLineEdit>(win, "txtPassWord")->setText("135790");
        ASSERT_TRUE(QTest::qWaitFor([&] { return win.isWindowModified(); }, 2000));
        std::unique_ptr<WhenReceived> stop;
        if (c.stop)
            stop = std::make_unique<WhenReceived>(radio.sim, 1500, [&] {
                QTest::mouseClick(session->link().proc().CancelButton(), Qt::LeftButton);
            });
        boxes.answer(c.answers);
        action(win, c.menu)->trigger();
        test::waitForRadio(win.session());
        if (stop) {
            EXPECT_TRUE(stop->fired());
        }
        EXPECT_NE(radio.sim.memory(), Memory{}) << "the write sent something";
        win.refreshModified();   // as the window's timer does
        EXPECT_TRUE(win.isWindowModified());
        for (const char* discarding : {"mnuOpen", "mnuNew", "mnuRead"}) {
            boxes.asked.clear();
            boxes.answer({MsgAnswer::No});
            action(win, discarding)->trigger();
            test::waitForRadio(win.session());
            EXPECT_TRUE(boxes.wasAsked("Discard the unsaved changes?")) << discarding;
        }
        EXPECT_EQ(widget<QLineEdit>(win, "txtPassWord")->text(), "135790");
        w.reset();
    }
}

TEST_F(TransferSafety, DismissingWriteGlobalParametersStopsTheWrite) {
    for (const bool byEscape : {true, false}) {
        SCOPED_TRACE(byEscape ? "Escape" : "close box");
        SimRadio radio;
        auto& win = open();
        std::vector<QString> seen;
        // The real message boxes, answered the way the window system would.
        test::DialogWatcher answerer([&](QDialog* d) {
            auto* box = qobject_cast<QMessageBox*>(d);
            if (!box) return;
            seen.push_back(box->text());
            if (box->text() == "Write Global Parameters?") {
                if (byEscape)
                    QTest::keyClick(box, Qt::Key_Escape);
                else
                    requestClose(*box);
            } else {
                box->button(QMessageBox::Ok)->click();
            }
        });
        action(win, "mnuWriteAll")->trigger();
        test::waitForRadio(win.session());
        EXPECT_EQ(seen, (std::vector<QString>{"Are you sure you want to write to the radio?",
                                              "Write Global Parameters?"}));
        EXPECT_TRUE(radio.maskedWrites().empty()) << "nothing was written";
        EXPECT_EQ(radio.sim.memory(), Memory{}) << "nothing was written";
        w.reset();
    }
}

}  // namespace
