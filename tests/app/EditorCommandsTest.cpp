// The main window with its real commands, end to end: a radio read shows up
// in the window, an edit typed into the grid reaches a saved file and the
// radio exactly as the codecs encode it, and closing the window asks the
// loaded global window first.
#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QApplication>
#include <array>
#include <QSqlTableModel>
#include "EditorTestSupport.h"
#include "app/ChannelGrid.h"
#include "app/FileOpenSave.h"
#include "app/PrintCommands.h"
#include "files/ImageFile.h"
#include "app/RadioCommands.h"
#include "app/frmTune.h"
#include "RadioTestSupport.h"
#include "SimRadioSupport.h"
#include "image/WriteDefaults.h"
#include "app/frmGlobals.h"

using namespace orv;

namespace {

using Memory = std::array<uint8_t, MemoryImage::kRadioSize>;

Memory defaultMemory() {
    const MemoryImage img = defaultImage();
    Memory m{};
    std::copy(img.data(), img.data() + m.size(), m.begin());
    return m;
}

int rec(int g, int c, int j) { return channelRecordAddr(g, c, j).address(); }
int gp(int g, int k) { return groupParamAddr(g, k).address(); }

class EditorCommandsTest : public test::EditorFixture {
protected:
    void SetUp() override {
        delete session->globalsWindow();
    }
    void TearDown() override {
        session->prompts().setFileChooser({});
        delete session->globalsWindow();
    }
    QTemporaryDir files;
};

TEST_F(EditorCommandsTest, ReadRadioShowsItsGroupsAndASavedFileHoldsTheTypedEdit) {
    Memory mem = defaultMemory();
    mem[rec(0, 0, 0)] = 0xAC;  // group 1 channel 1 receives 155.125 MHz
    mem[rec(0, 0, 1)] = 0x44;
    mem[rec(0, 0, 6)] = 0xC8;  // transmit code guard D023-
    mem[rec(0, 0, 7)] = 0x13;
    mem[gp(1, 0x2D)] = 0x4B;   // group 2: time-out 60 s, scan hold 5.5 s
    test::SimRadio radio;
    radio.sim.setMemory(mem);
    test::ScriptedBoxes boxes(session->prompts());

    auto& win = open();
    action(win, "mnuRead")->trigger();
    test::waitForRadio(win.session());
    EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text.toStdString();
    EXPECT_EQ(beeps, 1) << "a finished read beeps once";
    EXPECT_EQ(cell(0, 1), "155.12500");
    EXPECT_EQ(cell(0, 4), "D023-");

    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(1);
    EXPECT_EQ(widget<QComboBox>(win, "cboTOT")->currentText(), "60");
    EXPECT_EQ(widget<QComboBox>(win, "cboScan")->currentText(), "5.5");
    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(0);

    typeCell(1, 1, "155.5");
    EXPECT_EQ(cell(1, 1), "155.50000");
    EXPECT_EQ(beeps, 1) << "the edit was accepted";

    const QString path = files.filePath("radio.orv");
    session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return path; });
    action(win, "mnuSave")->trigger();
    MemoryImage saved;
    ASSERT_TRUE(loadImageFile(path.toStdString(), saved).ok());

    // The radio's memory with the one edit (155.5 MHz is code 44400, 0xAD70).
    Memory expected = mem;
    expected[rec(0, 1, 0)] = 0xAD;
    expected[rec(0, 1, 1)] = 0x70;
    for (int a = 0; a < MemoryImage::kRadioSize; ++a) ASSERT_EQ(saved[a], expected[size_t(a)]) << "byte " << a;
    EXPECT_EQ(win.windowTitle(), "ORV File - " + path + "   ORV Editor[*]");
}

TEST_F(EditorCommandsTest, WriteRadioSendsTheScreenAndNoMeansNoPageZero) {
    test::SimRadio radio;
    Memory before{};
    test::fillPattern(before.data(), int(before.size()), 7);
    radio.sim.setMemory(before);
    test::ScriptedBoxes boxes(session->prompts());

    auto& win = open();
    typeCell(2, 3, "151.625");  // group 1 channel 3 transmits on 151.625 MHz
    boxes.answer({MsgAnswer::OK, MsgAnswer::No});
    action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(win.session());
    ASSERT_TRUE(boxes.wasAsked("Are you sure you want to write to the radio?"));
    ASSERT_TRUE(boxes.wasAsked("Write Global Parameters?"));

    const Memory after = radio.sim.memory();
    for (int a = 0; a < 256; ++a) ASSERT_EQ(after[size_t(a)], before[size_t(a)]) << "page 0 byte " << a;
    // 151.625 MHz is code 41300, 0xA154.
    EXPECT_EQ(after[size_t(rec(0, 2, 4))], 0xA1);
    EXPECT_EQ(after[size_t(rec(0, 2, 5))], 0x54);
    for (int b = 8; b < MemoryImage::kBlocks; ++b) {
        for (int i = 0; i < 32; ++i) {
            const int a = 32 * b + i;
            const bool flagBlock = (b - 8) % 12 == 0;
            const int expected = flagBlock ? (i == 0 ? (before[size_t(a)] & ~0x20) | (image()[a] & 0x20)
                                                     : before[size_t(a)])
                                           : image()[a];
            ASSERT_EQ(after[size_t(a)], expected) << "byte " << a;
        }
    }
    for (const auto& m : radio.maskedWrites()) EXPECT_GE(m.address, 256) << "page 0 was written";
}

TEST_F(EditorCommandsTest, ClosingAsksTheLoadedGlobalWindowFirst) {
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    win.answer = QMessageBox::No;
    action(win, "mnuGlobals")->trigger();
    ASSERT_NE(session->globalsWindow(), nullptr);
    session->globalsWindow()->hide();  // hidden still counts as loaded

    boxes.answer({MsgAnswer::Cancel});
    EXPECT_FALSE(win.close());
    EXPECT_TRUE(boxes.wasAsked("Save Global Parameters?"));
    EXPECT_EQ(win.asked, 0) << "the main question waits for the global window";
    EXPECT_TRUE(session->GlobalsWindowOpen());

    boxes.answer({MsgAnswer::No});
    EXPECT_TRUE(win.close());
    EXPECT_EQ(win.asked, 1);
    EXPECT_FALSE(session->GlobalsWindowOpen());
}

TEST_F(EditorCommandsTest, CommPortEntriesStoreThePortAndNameTheirDevices) {
    auto& win = open();
    action(win, "mnuCommPort3")->trigger();
    EXPECT_TRUE(action(win, "mnuCommPort3")->isChecked());
    EXPECT_FALSE(action(win, "mnuCommPort1")->isChecked());
    EXPECT_EQ(RadioLink::storedPort(), 3);
    EXPECT_EQ(session->link().portNumber(), 3);
    EXPECT_TRUE(action(win, "mnuCommPort3")->toolTip().contains(RadioLink::deviceForPort(3)));
    action(win, "mnuCommPort1")->trigger();
    EXPECT_EQ(RadioLink::storedPort(), 1);
}

TEST_F(EditorCommandsTest, TheGlobalWindowLooksTheSameWhoeverOpensIt) {
    test::SimRadio radio;
    radio.sim.setMemory(defaultMemory());
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    { LinkTiming t = session->link().timing(); t.settleMs = 20; session->link().setTiming(t); }

    action(win, "mnuGlobals")->trigger();
    ASSERT_NE(session->globalsWindow(), nullptr);
    const QSize fromMenu = session->globalsWindow()->size();
    const QFont menuFont = session->globalsWindow()->cboDTMFDev()->font();
    delete session->globalsWindow();

    action(win, "mnuReadGlobal")->trigger();   // a decode loads the window without an owner

    test::waitForRadio(win.session());
    ASSERT_NE(session->globalsWindow(), nullptr);
    EXPECT_EQ(session->globalsWindow()->size(), fromMenu);
    EXPECT_EQ(session->globalsWindow()->cboDTMFDev()->font(), menuFont);
    EXPECT_DOUBLE_EQ(menuFont.pointSizeF(), QApplication::font().pointSizeF());   // the desktop's font
}

// Print and Print Preview store the group on screen into the image first:
// a value still being typed when Ctrl+P is pressed stays on screen and is in
// the image the report is made from, before any dialog is answered. Without a
// printer the report is saved as a PDF file.
TEST_F(EditorCommandsTest, PrintAndPreviewStoreTheTypedValueFirst) {
    test::ScriptedBoxes boxes(session->prompts());   // "Save the report as a PDF file instead?" Yes
    auto& win = open();
    const QString pdf = files.filePath("report.pdf");
    struct Case { const char* name; std::function<void()> run; const char* firstDialog; };
    const std::vector<Case> cases = {
        {"Ctrl+P", [&] {
             win.activateWindow();
             ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &win; }, 2000));
             QTest::keyClick(grid(win)->activeEditor(), Qt::Key_P, Qt::ControlModifier);
         }, "QFileDialog"},
        {"Print Preview", [&] { action(win, "mnuPreview")->trigger(); }, "QPrintPreviewDialog"},
    };
    int row = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = cell(row, colRecFreq);
        const uint8_t byteBefore = image()[rec(0, row, 0)];
        std::vector<QString> dialogs;
        QString shownAtDialog;
        uint8_t storedAtDialog = 0;
        session->printing().setHooks({[&](QDialog& d) {
                                          dialogs.push_back(QString::fromLatin1(d.metaObject()->className()));
                                          shownAtDialog = cell(row, colRecFreq);
                                          storedAtDialog = image()[rec(0, row, 0)];
                                          auto* fd = dynamic_cast<QFileDialog*>(&d);
                                          if (!fd) return int(QDialog::Rejected);
                                          fd->selectFile(pdf);
                                          return int(QDialog::Accepted);
                                      },
                                      [] { return false; }});
        const QModelIndex idx = table(win)->index(row, colRecFreq);
        grid(win)->setCurrentIndex(idx);
        grid(win)->edit(idx);
        ASSERT_NE(grid(win)->activeEditor(), nullptr);
        grid(win)->activeEditor()->selectAll();
        QTest::keyClicks(grid(win)->activeEditor(), "160");
        c.run();
        QCoreApplication::processEvents();
        ASSERT_FALSE(dialogs.empty());
        EXPECT_EQ(dialogs.front(), c.firstDialog);
        EXPECT_NE(shownAtDialog, before);
        EXPECT_TRUE(shownAtDialog.startsWith("160")) << shownAtDialog.toStdString();
        EXPECT_NE(storedAtDialog, byteBefore) << "the typed value is in the image the report is made from";
        EXPECT_EQ(cell(row, colRecFreq), shownAtDialog);
        ++row;
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("%PDF"));
}

// "Tune" from the main window: while the alignment window is open the radio
// holds test channels, so the radio commands are not offered; closing the
// main window closes the alignment window first (its restore puts group 1
// back), and a kept alignment window keeps the main window open too.
TEST_F(EditorCommandsTest, TheAlignmentWindowHoldsOffTheRadioCommandsAndClosesFirst) {
    Memory mem{};
    test::fillPattern(mem.data(), int(mem.size()), 3);
    test::SimRadio radio;
    radio.sim.setMemory(mem);
    test::ScriptedBoxes boxes(session->prompts());   // the warning: OK
    auto& win = open();
    { LinkTiming t = session->link().timing(); t.settleMs = 20; session->link().setTiming(t); }

    action(win, "mnuTuneRadio")->trigger();

    test::waitForRadio(win.session());
    ASSERT_NE(session->alignmentWindow(), nullptr);
    EXPECT_NE(radio.sim.memory(), mem) << "group 1 holds the test channels";
    for (const char* entry : {"mnuRead", "mnuWriteAll", "mnuTuneRadio", "mnuCommPort2"})
        EXPECT_FALSE(action(win, entry)->isEnabled()) << entry;
    const int beepsBefore = beeps;
    EXPECT_FALSE(test::finishRun(mnuRead_Click(win))) << "refused even when called directly";
    EXPECT_EQ(beeps, beepsBefore + 1);

    // The radio is unplugged: the restore fails, and No keeps both windows.
    radio.sim.stop();
    { LinkTiming t = session->link().timing(); t.byteTimeout = 0.02; session->link().setTiming(t); }
    boxes.answer({MsgAnswer::Cancel, MsgAnswer::No});   // the hook's Retry/Cancel, then "still quit?"
    win.answer = QMessageBox::No;
    EXPECT_FALSE(win.close()) << "the alignment window's restore runs first";
    test::waitForRadio(*session);
    ASSERT_EQ(boxes.asked.size(), 3u);   // the warning at the start, the port's failure, "still quit?"
    EXPECT_TRUE(boxes.asked[2].text.startsWith("Unable to restore original frequencies"));
    EXPECT_EQ(win.asked, 0) << "the main question waits for the alignment window";
    ASSERT_NE(session->alignmentWindow(), nullptr);
    EXPECT_TRUE(win.isVisible());

    // Back in service: closing restores group 1 and then the program closes.
    test::SimRadio again;
    again.sim.setMemory(radio.sim.memory());
    session->link().applyStoredPort();
    { LinkTiming t = session->link().timing(); t.byteTimeout = 0.5; session->link().setTiming(t); }
    win.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !win.isVisible(); }, 60000)) << "the program closes after the restore";
    EXPECT_EQ(session->alignmentWindow(), nullptr);
    EXPECT_EQ(again.sim.memory(), mem) << "group 1 restored byte for byte";
    EXPECT_EQ(win.asked, 1);
}

}  // namespace
