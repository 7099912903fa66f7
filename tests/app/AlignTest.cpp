// The alignment tool's windows against the simulated radio on a real
// pseudo-terminal, driven by key events and clicks: the warning and the
// start, each row's Write, the three calculators, closing with the restore,
// every failure of the start and the restore, and one exchange at a time.
#include <gtest/gtest.h>
#include <optional>
#include <tuple>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "SimRadioSupport.h"
#include "app/QtHost.h"
#include "app/RadioBusy.h"
#include "app/RadioCommands.h"
#include "app/TuneBox.h"
#include "app/Twips.h"
#include "app/WindowPosition.h"
#include "app/frmHelp.h"
#include "app/frmPullGain.h"
#include "app/frmRefOsc.h"
#include "app/frmTune.h"
#include "app/frmVCOMod.h"
#include "platform/posix/PosixSerialPort.h"

using namespace orv;
using namespace orv::test;

namespace orv::test {
inline bool operator==(const SimRadio::Masked& a, const SimRadio::Masked& b) {
    return a.address == b.address && a.mask == b.mask && a.value == b.value;
}
inline void PrintTo(const SimRadio::Masked& m, std::ostream* os) {
    *os << "{" << m.address << ", " << m.mask << ", " << m.value << "}";
}
}  // namespace orv::test

namespace {

using Masked = SimRadio::Masked;

// The radio's memory: a pattern with known tuning values.
Memory radioMemory() {
    Memory m{};
    fillPattern(m.data(), static_cast<int>(m.size()), 7);
    m[11] = 0x1B;   // row 0
    m[20] = 0x24;   // row 1
    m[55] = 0xAB;   // row 2
    m[56] = 0xCD;
    m[31] = 0x12;   // row 3
    m[32] = 0x34;
    m[9] = 0x73;    // row 4
    m[8] = 0x08;    // row 5
    return m;
}

// Group 1 while the tool runs: flags 0x0E38 twice, channels A B C x 4, D, E, blank, blank.
Memory withTestChannels(Memory m) {
    const uint8_t a[8] = {0x96, 0, 0, 0, 0x96, 0, 0, 0}, b[8] = {0xBE, 0xA0, 0, 0, 0xBE, 0xA0, 0, 0},
                  c[8] = {0xE7, 0x40, 0, 0, 0xE7, 0x40, 0, 0}, d[8] = {0xE7, 0x3C, 0, 0, 0xE7, 0x3C, 0, 0},
                  e[8] = {0xE7, 0x3E, 0, 0, 0xE7, 0x3E, 0, 0}, blank[8] = {};
    const uint8_t* rec[16] = {a, b, c, a, b, c, a, b, c, a, b, c, d, e, blank, blank};
    for (int ch = 0; ch < 16; ++ch) std::copy(rec[ch], rec[ch] + 8, m.begin() + 0x180 + 8 * ch);
    for (int i = 0; i < 4; ++i) m[std::size_t(0x120 + i)] = i % 2 ? 0x38 : 0x0E;
    return m;
}

// Calls `f` with the modal dialog once it is shown (the calculators write
// to the radio before they show themselves).
void whenModal(std::function<void(QDialog*)> f) {
    auto watcher = std::make_shared<std::unique_ptr<test::DialogWatcher>>();
    *watcher = std::make_unique<test::DialogWatcher>([watcher, f](QDialog* d) {
        if (!*watcher || QApplication::activeModalWidget() != d) return;
        // Once: the watcher goes when the event loop next runs.
        test::DialogWatcher* self = (*watcher).release();
        // As a person would: once it has the focus.
        EXPECT_TRUE(QTest::qWaitFor([d] { return d->isActiveWindow(); }, 2000)) << "the dialog never got the focus";
        f(d);
        self->deleteLater();
    });
}

void typeInto(QWidget* w, const QString& keys) { QTest::keyClicks(w, keys); }

class AlignTest : public AppFixture {
protected:
    void SetUp() override {
        auto s = appSettings();
        s->remove(QStringLiteral("Position"));
        main.move(50, 40);
        main.resize(300, 200);
        main.show();
    }
    void TearDown() override { delete session().alignmentWindow(); }
    EditorSession& session() { return main.session(); }
    RadioLink& link() { return main.session().link(); }
    void makeRadio(SimOptions o = {}) {
        radio = std::make_unique<SimRadio>(o);
        radio->sim.setMemory(original);
        link().applyStoredPort();   // the simulator's device
        // Short enough that a silent radio costs about a second, long enough
        // for a loaded machine.
        LinkTiming t = link().timing();
        t.byteTimeout = 0.3;
        t.settleMs = 20;
        link().setTiming(t);
    }
    // The radio goes silent from here on, as if its cable were pulled.
    void unplugRadio() {
        SimFaults unplugged;
        unplugged.silent = true;
        radio->sim.setFaults(unplugged);
    }
    frmTune* open() {
        finishRun(mnuTuneRadio_Click(session()));
        frmTune* w = session().alignmentWindow();
        if (!w)
            for (const Asked& a : boxes.asked) ADD_FAILURE() << "start refused: " << a.text.toStdString();
        if (w) {
            QApplication::setActiveWindow(w);
            radio->sim.clearTrace();
            boxes.asked.clear();
        }
        return w;
    }

    Memory original = radioMemory();
    FakeShell main;   // the main window and its session
    ScriptedBoxes boxes{main.session().prompts()};
    BeepCounter beeps{main.session().prompts()};
    std::unique_ptr<SimRadio> radio;
};

TEST_F(AlignTest, WarningCancelledDoesNothing) {
    makeRadio();
    boxes.answer({MsgAnswer::Cancel});
    EXPECT_FALSE(finishRun(mnuTuneRadio_Click(session())));
    EXPECT_EQ(session().alignmentWindow(), nullptr);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text,
              "Radio tuning requires special test procedures\n"
              "and should be performed only by a qualified service\n"
              "technician with the proper equipment.\n"
              "\n"
              "-----------See Service Manual-----------\n"
              "            Press OK to continue.");
    EXPECT_EQ(boxes.asked[0].title, "Tune Radio:  Warning");
    EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Information);
    EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::OKCancel);
    EXPECT_TRUE(radio->sim.received().empty());
    EXPECT_FALSE((session().alignmentWindow() != nullptr));
}

TEST_F(AlignTest, StartShowsTheWindowWithTheRadiosValues) {
    makeRadio();
    bool openSignal = false;
    // The window is closed in TearDown, after this frame is gone: the
    // listener lives only as long as the flag it writes.
    QObject listener;
    QObject::connect(&session(), &EditorSession::alignmentOpenChanged, &listener,
                     [&](bool o) { openSignal = o; });
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(openSignal);
    EXPECT_TRUE((session().alignmentWindow() != nullptr));
    EXPECT_EQ(session().alignmentWindow(), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(main.isEnabled());
    EXPECT_EQ(radio->sim.memory(), withTestChannels(original));

    EXPECT_EQ(w->windowTitle(), "ORV Alignment Tool");
    struct Row { const char* caption; const char* text; int fixLen, max; };
    const Row rows[6] = {{"Transmit high power", "1B", 2, 255},
                         {"Transmit low power", "24", 2, 255},
                         {"Reference Osc. voltage sens.", "ABCD", 4, 65535},
                         {"Reference Osc. frequency", "1234", 4, 65535},
                         {"Transmit deviation", "73", 2, 255},
                         {"Receiver front end tuning gain", "08", 2, 255}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(w->Label2[i]->text(), rows[i].caption);
        EXPECT_EQ(w->ScrewDriver[i]->EditWin()->text(), rows[i].text);
        EXPECT_EQ(w->ScrewDriver[i]->FixLen(), rows[i].fixLen);
        EXPECT_EQ(w->ScrewDriver[i]->max(), rows[i].max);
        EXPECT_EQ(w->ScrewDriver[i]->min(), 0);
        EXPECT_EQ(w->ScrewDriver[i]->MaxInc(), 1);
        EXPECT_EQ(w->ScrewDriver[i]->Delta(), 32);
        EXPECT_FALSE(w->ScrewDriver[i]->Wrap());
        EXPECT_FALSE(w->ScrewDriver[i]->Locked());
        EXPECT_EQ(w->cmdWrite[i]->text(), "Write");
    }
    for (QPushButton* b : {w->cmdPullGain, w->cmdRefOsc, w->cmdVCO}) EXPECT_EQ(b->text(), "Calc");
    EXPECT_EQ(w->cmdHelp->text(), "Help");
    EXPECT_EQ(w->Label1->text(),
              "Warning:  This utility has made certain modifications to the radio channel data.  The original "
              "frequencies will be restored when this window is closed.  Do not disconnect the radio without "
              "closing this window.");
    // Centred without a saved position (the window frame, unknown before the
    // window is first shown, may shift it by its width).
    const QRect screen = w->screen()->geometry();
    EXPECT_NEAR(w->x(), (screen.width() - w->frameGeometry().width()) / 2, 4);
    EXPECT_NEAR(w->y(), (screen.height() - w->frameGeometry().height()) / 2, 4);
}

TEST_F(AlignTest, EachWriteButtonSendsItsRowsMaskedBytes) {
    struct Case { int row; std::function<void(TuneBox*)> edit; std::vector<Masked> writes; };
    // The keys are copied: the list a call is given ends with that call.
    auto keys = [](std::vector<Qt::Key> ks) {
        return [ks](TuneBox* b) { for (Qt::Key k : ks) QTest::keyClick(b->EditWin(), k); };
    };
    const Case cases[] = {
        {0, [](TuneBox* b) { QTest::keyClick(b->EditWin(), Qt::Key_Home); typeInto(b->EditWin(), "3c"); },
         {{11, 0xFF, 0x3C}}},
        {1, keys({Qt::Key_End, Qt::Key_PageDown, Qt::Key_PageDown}), {{20, 0xFF, 0x22}}},
        {2, [](TuneBox* b) { QTest::keyClick(b->EditWin(), Qt::Key_Home); typeInto(b->EditWin(), "8001"); },
         {{55, 0xFF, 0x80}, {56, 0xFF, 0x01}}},
        {3, [](TuneBox* b) { QTest::mouseClick(b->upButton(), Qt::LeftButton); }, {{31, 0xFF, 0x12}, {32, 0xFF, 0x35}}},
        {4, [](TuneBox*) {}, {{9, 0xFF, 0x73}}},
        // A digit still pending is taken when the focus moves to the button.
        {5, [](TuneBox* b) { QTest::keyClick(b->EditWin(), Qt::Key_Home); typeInto(b->EditWin(), "F"); },
         {{8, 0xFF, 0xF8}}},
    };
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    Memory expected = withTestChannels(original);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        radio->sim.clearTrace();
        w->ScrewDriver[c.row]->EditWin()->setFocus();
        c.edit(w->ScrewDriver[c.row]);
        QTest::mouseClick(w->cmdWrite[c.row], Qt::LeftButton);
        test::waitForRadio(session());
        EXPECT_EQ(radio->maskedWrites(), c.writes);
        EXPECT_TRUE(w->ScrewDriver[c.row]->EditWin()->hasFocus()) << "the focus stays on the row written";
        for (const Masked& m : c.writes) expected[std::size_t(m.address)] = static_cast<uint8_t>(m.value);
        EXPECT_EQ(radio->sim.memory(), expected);
    }
    EXPECT_TRUE(boxes.asked.empty());

    // Closing restores group 1; the tuning bytes keep the last written values.
    EXPECT_TRUE(finishRun(session().closeAlignmentWindow()));
    for (int g1 = 0x120; g1 < 0x200; ++g1) expected[std::size_t(g1)] = original[std::size_t(g1)];
    EXPECT_EQ(radio->sim.memory(), expected);
    EXPECT_FALSE((session().alignmentWindow() != nullptr));
    EXPECT_EQ(session().alignmentWindow(), nullptr);
    auto s = appSettings();
    EXPECT_TRUE(s->contains(QStringLiteral("Position/TuneTop")));
    EXPECT_TRUE(s->contains(QStringLiteral("Position/TuneLeft")));
}

TEST_F(AlignTest, CalculatorsWriteTheirReferenceThenTheResultOrTheCurrentValue) {
    enum class Close { OK, Cancel, CloseBox };
    struct Case {
        const char* name;
        QPushButton* frmTune::*button;
        std::vector<std::pair<int, QString>> typed;  // text box index, keys
        Close close;
        int row;
        QString rowText;
        std::vector<Masked> writes;
    };
    const Case cases[] = {
        {"pull gain", &frmTune::cmdPullGain, {{0, "50"}, {1, "76"}}, Close::OK, 2, "FB14",
         {{55, 0xFF, 0}, {56, 0xFF, 0}, {31, 0xFF, 0}, {32, 0xFF, 0},
          {55, 0xFF, 0xFB}, {56, 0xFF, 0x14}, {31, 0xFF, 0x12}, {32, 0xFF, 0x34}}},
        // Cancelled: both words the opening zeroed come back from the window's copy.
        {"pull gain cancelled", &frmTune::cmdPullGain, {{0, "51"}}, Close::Cancel, 2, "FB14",
         {{55, 0xFF, 0}, {56, 0xFF, 0}, {31, 0xFF, 0}, {32, 0xFF, 0},
          {55, 0xFF, 0xFB}, {56, 0xFF, 0x14}, {31, 0xFF, 0x12}, {32, 0xFF, 0x34}}},
        {"ref osc", &frmTune::cmdRefOsc, {{0, "49"}}, Close::OK, 3, "0126",
         {{31, 0xFF, 0}, {32, 0xFF, 0}, {31, 0xFF, 0x01}, {32, 0xFF, 0x26}}},
        // The close box counts as Cancel: the earlier result (294) is not taken again.
        {"ref osc closed", &frmTune::cmdRefOsc, {{0, "51"}}, Close::CloseBox, 3, "0126",
         {{31, 0xFF, 0}, {32, 0xFF, 0}, {31, 0xFF, 0x01}, {32, 0xFF, 0x26}}},
        {"vco", &frmTune::cmdVCO, {{0, "5.0"}}, Close::OK, 4, "6D", {{9, 0xFF, 0x73}, {9, 0xFF, 109}}},
        {"vco cancelled", &frmTune::cmdVCO, {{0, "4.75"}}, Close::Cancel, 4, "6D", {{9, 0xFF, 0x73}, {9, 0xFF, 109}}},
    };
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        radio->sim.clearTrace();
        if (c.name == std::string("ref osc closed")) w->ScrewDriver[3]->setValue(0x4444);  // shown, not written
        whenModal([&](QDialog* d) {
            std::vector<QLineEdit*> texts;
            if (auto* p = qobject_cast<frmPullGain*>(d)) texts = {p->Text1, p->Text2};
            if (auto* r = qobject_cast<frmRefOsc*>(d)) texts = {r->Text1};
            if (auto* v = qobject_cast<frmVCOMod*>(d)) texts = {v->Text1};
            ASSERT_FALSE(texts.empty());
            for (const auto& [i, keys] : c.typed) {
                if (i > 0) {
                    // The technician tabs to the next reading.
                    QTest::keyClick(texts[std::size_t(i - 1)], Qt::Key_Tab);
                    QCoreApplication::processEvents();
                }
                typeInto(texts[std::size_t(i)], keys);
            }
            auto* calc = static_cast<AlignCalcDialog*>(d);
            if (c.close == Close::OK) QTest::mouseClick(calc->cmdOK, Qt::LeftButton);
            else if (c.close == Close::Cancel) QTest::mouseClick(calc->cmdCancel, Qt::LeftButton);
            else d->close();
        });
        QTest::mouseClick(w->*(c.button), Qt::LeftButton);
        test::waitForRadio(session());
        EXPECT_EQ(radio->maskedWrites(), c.writes);
        if (c.close == Close::CloseBox) {
            EXPECT_EQ(w->lRefOsc, -1);
        }
        w->ScrewDriver[c.row]->sync();
        EXPECT_EQ(c.close == Close::CloseBox ? QString("4444") : c.rowText,
                  w->ScrewDriver[c.row]->EditWin()->text());
    }
    EXPECT_TRUE(boxes.asked.empty());
    auto s = appSettings();
    for (const char* key : {"PullGainTop", "PullGainLeft", "XtalAdjTop", "XtalAdjLeft", "VCOModTop", "VCOModLeft"})
        EXPECT_TRUE(s->contains(QStringLiteral("Position/") + key)) << key;
}

TEST_F(AlignTest, CalculatorWindowsOpenWithTheirTextsAndSelections) {
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    struct Seen { QString title, labels, texts, selected; };
    Seen seen;
    auto look = [&](QDialog* d) {
        seen = {d->windowTitle(), {}, {}, {}};
        for (QLabel* l : d->findChildren<QLabel*>()) seen.labels += l->text() + "|";
        // As the window opens, and as the technician tabs from box to box.
        for (QLineEdit* e : d->findChildren<QLineEdit*>()) {
            if (!e->hasFocus()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCoreApplication::processEvents();
            }
            seen.texts += e->text() + "|";
            seen.selected += e->selectedText() + "|";
        }
        d->close();
    };
    whenModal(look);
    QTest::mouseClick(w->cmdPullGain, Qt::LeftButton);
    test::waitForRadio(session());
    EXPECT_EQ(seen.title, "Reference Oscillator Voltage Sensitivity");
    EXPECT_EQ(seen.labels, "Enter the measured frequency from channel 13, in MHz.|"
                           "Enter the measured frequency from channel 14, in MHz.|");
    EXPECT_EQ(seen.texts, "173.9950|173.9975|");
    EXPECT_EQ(seen.selected, "50|75|");
    whenModal(look);
    QTest::mouseClick(w->cmdRefOsc, Qt::LeftButton);
    test::waitForRadio(session());
    EXPECT_EQ(seen.title, "Reference Oscillator Frequency Adjust");
    EXPECT_EQ(seen.labels, "Enter the measured frequency from channel 13, in MHz.|");
    EXPECT_EQ(seen.selected, "50|");
    whenModal(look);
    QTest::mouseClick(w->cmdVCO, Qt::LeftButton);
    test::waitForRadio(session());
    EXPECT_EQ(seen.title, "Transmit Deviation");
    EXPECT_EQ(seen.labels, "Enter the measured deviation from channel 1, in KHz.|");
    EXPECT_EQ(seen.texts, "0.00|");
    EXPECT_EQ(seen.selected, "0.00|");
}

TEST_F(AlignTest, RefusedReadingKeepsTheCalculatorOpen) {
    struct Case { QPushButton* frmTune::*button; QString keys; QString message; };
    const Case cases[] = {
        {&frmTune::cmdPullGain, "75", "Unable to calculate Pull Gain.\nPlease re-check frequencies."},
        {&frmTune::cmdRefOsc, "\b\b\b\b\b\b\b\b175.1",
         "Unable to calculate Reference Oscillator Adjustment.\nPlease re-check frequencies."},
        {&frmTune::cmdVCO, "2.0", "Unable to calculate VCO Modulation Adjustment.\nPlease re-check reading."},
    };
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        boxes.asked.clear();
        bool stayed = false;
        whenModal([&](QDialog* d) {
            auto* calc = static_cast<AlignCalcDialog*>(d);
            QLineEdit* text = d->findChild<QLineEdit*>(QStringLiteral("Text1"));
            typeInto(text, c.keys);
            const QString typed = text->text();
            QTest::mouseClick(calc->cmdOK, Qt::LeftButton);
            stayed = d->isVisible() && text->text() == typed;
            QTest::mouseClick(calc->cmdCancel, Qt::LeftButton);
        });
        QTest::mouseClick(w->*(c.button), Qt::LeftButton);
        test::waitForRadio(session());
        EXPECT_TRUE(stayed);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, c.message);
        EXPECT_EQ(boxes.asked[0].title, "ORV Alignment");
        EXPECT_EQ(boxes.asked[0].icon, MsgIcon::Exclamation);
    }
    EXPECT_EQ(w->lPullGain, -1);
    EXPECT_EQ(w->lRefOsc, -1);
    EXPECT_EQ(w->iVCOMod, -1);
}

TEST_F(AlignTest, StartFailures) {
    struct Case {
        const char* name;
        SimFaults faults;
        // text, title, and for a link error the advice under it
        std::vector<std::tuple<QString, QString, std::optional<LinkFailure>>> boxes;
        bool opens;
        bool radioChanged;
    };
    SimFaults silent;
    silent.silent = true;
    SimFaults readDies;
    readDies.deadAfterBytes = 17 + 33 * 2 + 5;   // in the third saved block
    SimFaults blockLost;
    blockLost.blockWriteSilentCount = 1;
    const Case cases[] = {
        {"silent radio", silent,
         {{"Error Hooking to Radio.", "COMM ERROR", LinkFailure::NoAnswer}, {"Unable to contact radio.", "ORVEdit", {}}},
         false, false},
        {"read fails", readDies,
         {{"Error reading radio", "ORV Read", LinkFailure::ReadStopped}, {"Error reading radio.", "ORVEdit", {}}}, false,
         false},
        {"test block write fails", blockLost, {{"Error writing radio", "ORV Write", LinkFailure::WriteFailed}}, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.asked.clear();
        SimOptions o;
        o.faults = c.faults;
        makeRadio(o);
        finishRun(mnuTuneRadio_Click(session()));
        frmTune* w = session().alignmentWindow();
        EXPECT_EQ(w != nullptr, c.opens);
        std::vector<std::pair<QString, QString>> asked;
        for (const Asked& a : boxes.asked)
            if (a.title != "Tune Radio:  Warning") asked.emplace_back(a.text, a.title);
        std::vector<std::pair<QString, QString>> expected;
        for (const auto& [text, title, advice] : c.boxes)
            expected.emplace_back(advice ? linkError(text.toLatin1().constData(), *advice, radio->sim.devicePath(),
                                                     c.radioChanged)
                                         : text,
                                  title);
        EXPECT_EQ(asked, expected);
        EXPECT_TRUE(main.isEnabled());
        EXPECT_EQ(radio->sim.memory() != original, c.radioChanged);
        EXPECT_EQ((session().alignmentWindow() != nullptr), c.opens);
        delete w;
        radio.reset();
    }
}

TEST_F(AlignTest, RestoreFailingAsksAndNoKeepsTheWindow) {
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    w->ScrewDriver[0]->setValue(0x42);
    unplugRadio();

    boxes.answer({MsgAnswer::Cancel, MsgAnswer::No});
    EXPECT_FALSE(finishRun(session().closeAlignmentWindow()));
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(boxes.asked[0].text, linkError("Error Hooking to Radio.", LinkFailure::NoAnswer, radio->sim.devicePath()));
    {   // Cancel lets the port go: another program can open it now.
        PosixSerialPort probe(radio->sim.devicePath());
        EXPECT_NO_THROW(probe.open());
    }
    EXPECT_EQ(boxes.asked[1].text,
              "Unable to restore original frequencies to radio. Do you still wan't to quit alignment");
    EXPECT_EQ(boxes.asked[1].title, "ORV Alignment");
    EXPECT_EQ(boxes.asked[1].icon, MsgIcon::Question);
    EXPECT_EQ(boxes.asked[1].buttons, MsgButtons::YesNo);
    EXPECT_EQ(session().alignmentWindow(), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->ScrewDriver[0]->Value(), 0x42);
    EXPECT_TRUE((session().alignmentWindow() != nullptr));
    EXPECT_FALSE(appSettings()->contains(QStringLiteral("Position/TuneTop")));

    // Still unplugged: Yes leaves the radio with its test channels.
    boxes.asked.clear();
    boxes.answer({MsgAnswer::Cancel, MsgAnswer::Yes});
    EXPECT_TRUE(finishRun(session().closeAlignmentWindow()));
    EXPECT_EQ(boxes.asked.size(), 2u);
    EXPECT_EQ(session().alignmentWindow(), nullptr);
    EXPECT_FALSE((session().alignmentWindow() != nullptr));
    EXPECT_EQ(radio->sim.memory(), withTestChannels(original));
}

// The real "Unable to restore..." box: Return gives No, the safe answer
// (Yes would leave the test channels in the radio).
TEST_F(AlignTest, TheRestoreQuestionDefaultsToStaying) {
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    unplugRadio();
    main.session().prompts().setMessageHandler({});
    QString defaultButton;
    test::DialogWatcher answer([&](QDialog* d) {
        auto* box = qobject_cast<QMessageBox*>(d);
        if (!box) return;
        if (box->text().contains("Hooking")) {
            box->button(QMessageBox::Cancel)->click();
            return;
        }
        if (box->defaultButton()) defaultButton = box->defaultButton()->text();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_FALSE(finishRun(session().closeAlignmentWindow()));
    EXPECT_EQ(defaultButton.remove('&'), "No");
    EXPECT_EQ(session().alignmentWindow(), w);
}

TEST_F(AlignTest, OneExchangeAtATime) {
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    unplugRadio();

    // While row 0's write waits for the radio, nothing else may reach the port.
    struct During {
        bool checked = false;
        bool buttonsDisabled = true;
        bool closeRefused = false;
        bool commandRefused = false;
        int beeps = 0;
    };
    During during;
    const std::function<void()> checkDuring = [&] {
        for (QPushButton* b : w->cmdWrite) during.buttonsDisabled = during.buttonsDisabled && !b->isEnabled();
        for (QPushButton* b : {w->cmdPullGain, w->cmdRefOsc, w->cmdVCO})
            during.buttonsDisabled = during.buttonsDisabled && !b->isEnabled();
        const int before = beeps.count;
        during.closeRefused = !w->close() && w->isVisible();
        w->cmdWrite_Click(1);       // a click that got through all the same
        w->cmdPullGain_Click();
        during.commandRefused = !mnuCommPort_Click(main, 1);   // a main-window radio command
        during.beeps = beeps.count - before;
        during.checked = true;
    };
    // Once the write has started: at its first look at the user interface.
    const auto started = std::make_shared<QMetaObject::Connection>();
    *started = QObject::connect(&link().busy(), &RadioBusy::busyChanged, w, [&, started](bool busy) {
        if (busy) QObject::disconnect(*started);
        if (busy) QTimer::singleShot(0, w, [&] { checkDuring(); });
    });
    QTest::mouseClick(w->cmdWrite[0], Qt::LeftButton);
    test::waitForRadio(session());
    ASSERT_TRUE(during.checked) << "the write never started";
    EXPECT_TRUE(during.buttonsDisabled);
    EXPECT_TRUE(during.closeRefused);
    EXPECT_TRUE(during.commandRefused);
    EXPECT_EQ(during.beeps, 4);
    ASSERT_EQ(boxes.asked.size(), 1u);   // only the one hook's Retry/Cancel
    EXPECT_FALSE(link().busy().isBusy());
    for (QPushButton* b : w->cmdWrite) EXPECT_TRUE(b->isEnabled());
    EXPECT_TRUE(radio->maskedWrites().empty());

    // While the alignment window is open "Tune" only brings it forward.
    boxes.asked.clear();
    EXPECT_TRUE(finishRun(mnuTuneRadio_Click(session())));
    EXPECT_EQ(session().alignmentWindow(), w);
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(AlignTest, OpensAtTheSavedPosition) {
    auto s = appSettings();
    s->setValue(QStringLiteral("Position/TuneTop"), QStringLiteral("1500"));
    s->setValue(QStringLiteral("Position/TuneLeft"), QStringLiteral("3000"));
    s.reset();
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->pos(), QPoint(screenTwipsToPx(3000), screenTwipsToPx(1500)));
    w->move(screenTwipsToPx(600), screenTwipsToPx(450));
    EXPECT_TRUE(finishRun(session().closeAlignmentWindow()));
    s = appSettings();
    EXPECT_EQ(s->value(QStringLiteral("Position/TuneTop")).toString(), QString::number(pxToScreenTwips(screenTwipsToPx(450))));
    EXPECT_EQ(s->value(QStringLiteral("Position/TuneLeft")).toString(), QString::number(pxToScreenTwips(screenTwipsToPx(600))));
}

// A saved place off the screens (another monitor layout, a hand-edited
// setting) brings the window back onto the screen that holds most of it.
TEST(WindowPlace, ASavedPlaceIsKeptOnTheScreens) {
    const QList<QRect> two = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QSize size(400, 300);
    const struct {
        const char* what;
        QPoint saved;
        QPoint placed;
    } cases[] = {
        {"on the first screen", {100, 200}, {100, 200}},
        {"on the second screen", {2000, 50}, {2000, 50}},
        {"its corner on the first, most of it on the second", {1800, 10}, {1800, 10}},
        {"its corner off, most of it on the second", {1850, -100}, {1920, 0}},
        {"far off every screen: onto the first", {9000000, 9000000}, {1920 - 400, 1080 - 300}},
        {"above and left of everything", {-5000, -70}, {0, 0}},
        {"its corner on a screen, the rest below it", {50, 1000}, {50, 1000}},
        {"its corner below every screen", {50, 1100}, {50, 1080 - 300}},
    };
    for (const auto& c : cases) EXPECT_EQ(placeOnScreens(c.saved, size, two), c.placed) << c.what;
    EXPECT_EQ(placeOnScreens({9000, 9000}, QSize(3000, 2000), two), QPoint(0, 0)) << "larger than the screen";
}

TEST_F(AlignTest, ASavedPlaceOffTheScreenOpensOnIt) {
    auto s = appSettings();
    s->setValue(QStringLiteral("Position/TuneTop"), QStringLiteral("9000000"));
    s->setValue(QStringLiteral("Position/TuneLeft"), QStringLiteral("9000000"));
    s.reset();
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    const QRect area = w->screen()->availableGeometry();
    EXPECT_TRUE(area.contains(w->pos())) << w->pos().x() << "," << w->pos().y();
}

TEST_F(AlignTest, HelpOpensTheGuideAtAlignment) {
    makeRadio();
    frmTune* w = open();
    ASSERT_NE(w, nullptr);
    QTest::mouseClick(w->cmdHelp, Qt::LeftButton);
    frmHelp* help = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<frmHelp*>(t); h && h->isVisible()) help = h;
    ASSERT_NE(help, nullptr) << "no help window (guide missing beside the test?)";
    const QString shown = help->browser->cursorForPosition(QPoint(5, 5)).block().text();
    EXPECT_TRUE(shown.startsWith("Alignment")) << shown.toStdString();
    help->close();
}

// The widget passes the window system's events to the rules: a few
// sequences through real key events, clicks and focus changes.
TEST(TuneBoxWidget, KeyEventsClicksAndColour) {
    ensureApp();
    QWidget host;
    TuneBox box(&host);
    QLineEdit other(&host);
    box.setGeometry(0, 0, 90, 24);
    other.setGeometry(0, 30, 90, 24);
    box.setMax(65535);
    box.setMaxInc(1);
    box.setFixLen(4);
    box.setValue(0x1234);
    host.show();
    QApplication::setActiveWindow(&host);
    int changes = 0;
    std::vector<int> leaves;
    QObject::connect(&box, &TuneBox::Change, [&] { ++changes; });
    QObject::connect(&box, &TuneBox::Leave, [&](int d) { leaves.push_back(d); });
    QLineEdit* edit = box.EditWin();
    edit->setFocus();

    QTest::keyClick(edit, Qt::Key_Home);
    QTest::keyClicks(edit, "a");
    EXPECT_EQ(edit->text(), "A234");
    EXPECT_EQ(box.textColor(), QColor(255, 0, 0));
    EXPECT_EQ(changes, 0);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);   // no paste, no typing
    QTest::keyClick(edit, Qt::Key_Delete);
    EXPECT_EQ(edit->text(), "A234");
    other.setFocus();                                        // leaving takes the entry
    EXPECT_EQ(box.Value(), 0xA234);
    EXPECT_EQ(box.textColor(), QColor(0, 0, 0));
    EXPECT_EQ(changes, 1);

    QTest::mouseClick(box.upButton(), Qt::LeftButton);       // the spinner takes the focus back
    EXPECT_EQ(edit->text(), "A235");
    EXPECT_TRUE(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_PageDown);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(box.Value(), 0xA234);
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(leaves, std::vector<int>{2});

    box.setLocked(true);
    EXPECT_FALSE(edit->isEnabled());
    EXPECT_FALSE(box.upButton()->isEnabled());

    // The saved design as a property map, as a settings file gives it back.
    box.readProperties({{"Value", "300"}, {"Locked", "false"}, {"Wrap", "true"}, {"Max", 255}});
    EXPECT_EQ(box.Value(), 300);
    EXPECT_TRUE(box.Wrap());
    EXPECT_FALSE(box.Locked());
    const QVariantMap saved = box.writeProperties();
    EXPECT_EQ(saved.keys(), (QStringList{"Delta", "FixLen", "Locked", "Max", "MaxInc", "Min", "Value", "Wrap"}));
    EXPECT_EQ(saved.value("MaxInc").toLongLong(), 65535);   // missing names take their defaults
}

}  // namespace
