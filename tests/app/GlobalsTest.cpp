// The global parameters window: its texts, its load / hide / show / close
// states and what shell.session().GlobalsWindowOpen() says, and how its selections reach the
// image (save, close with Yes, a file save while hidden) or do not.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include "app/EditorShell.h"
#include "app/FileOpenSave.h"
#include "RadioTestSupport.h"
#include "app/frmGlobals.h"
#include "image/clsGlobals.h"

using namespace orv;
using namespace orv::test;

namespace {

class GlobalsTest : public AppFixture {
protected:
    void SetUp() override {
        ensureApp();
        unloadGlobals();
        shell.image().clear();
        shell.image()[0x07] = (31 << 3) | 0x04 | 3;   // 2906.25 Hz, 20 chars/s, 1020 ms
        shell.image()[0x9B] = 0x80 | 7;                // frequencies only, 2 s
        shell.image()[0x80] = 0x25;                    // position 1: Group 3, Channel 6
        shell.image()[0xFF] = 0x23;                    // global group 3, channel 4
    }
    void TearDown() override { unloadGlobals(); }

    void unloadGlobals() {
        delete shell.session().globalsWindow();
        ASSERT_FALSE(shell.session().GlobalsWindowOpen());
    }

    frmGlobals* open() {
        shell.session().showGlobalsWindow();
        return shell.session().globalsWindow();
    }

    FakeShell shell;
    ScriptedBoxes boxes{shell.session().prompts()};
};

TEST_F(GlobalsTest, WindowCarriesItsTexts) {
    frmGlobals* w = open();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Group '0' Globals  -  ORV Editor   ");
    const std::pair<const char*, const char*> labels[] = {
        {"lblDTMFDev", "DTMF FM Deviation in Hz:"}, {"lblPorch", "Front Porch Time in Milliseconds:"},
        {"lblAniRate", "ANI Rate in Chars/Second:"}, {"lblPriRate", "Priority Rate in seconds:"},
        {"lblBattSave", "Global Battery Saver:"}, {"lblFreqDisplay", "Display Frequencies Only:"},
        {"lblPerChanPower", "Per Channel Power Selection:"}, {"lblTalkBack", "Talk Back Scan:"},
        {"lblNuisanceChan", "Nuisance Channel Delete:"}, {"lblLoPowerSwitch", "Low Power:"},
        {"lblChanScan", "Channel Scan:"}, {"lblPriScan", "Priority Scan:"},
        {"lblRTA", "Repeater Talk Around:"}, {"lblGroupScan", "Group Scan:"},
        {"lblPos", "Position:"}, {"lblGroup", "Group"}, {"lblGrpVar", "Keypad"}, {"lblChan", "Channel"},
        {"lblChanVar", "Keypad"},
        {"lblPos1", "1"}, {"lblPos16", "16"},
        {"lblGlobGrp", "Global Group:"}, {"lblGlobChan", "Global Channel:"}};
    for (const auto& [name, caption] : labels) {
        auto* l = w->findChild<QLabel*>(name);
        ASSERT_NE(l, nullptr) << name;
        EXPECT_EQ(l->text(), caption) << name;
    }
    const std::pair<const char*, const char*> frames[] = {
        {"fraUnit", "Global Variables"}, {"fraToggles", "Toggle Switch Assignments"},
        {"fraRotarySwitch", "Rotary Switch Assignments"}};
    for (const auto& [name, caption] : frames)
        EXPECT_EQ(w->findChild<QGroupBox*>(name)->title(), caption) << name;
    EXPECT_EQ(w->findChild<QCheckBox*>("chkSample")->text(),
              "A checked box indicates the assignment is variable from the keypad.");

    for (QComboBox* c : {w->cboDTMFDev(), w->cboPorchTime(), w->cboANIRate(), w->cboPriRate(), w->cboBattSave()})
        EXPECT_EQ(c->toolTip(), "Select value from list.") << c->objectName().toStdString();
    EXPECT_TRUE(w->cboFreqDisplay()->toolTip().isEmpty());
    EXPECT_EQ(w->cboGroup(0)->count(), 16);
    EXPECT_EQ(w->cboChan(15)->count(), 17);
    EXPECT_EQ(w->cboChanScan()->itemText(0), "Always Off");

    QMenu* menu = w->menuBar()->findChild<QMenu*>("mnuFile");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Window");
    QStringList entries;
    for (QAction* a : menu->actions()) entries << (a->isSeparator() ? QString("-") : a->text());
    EXPECT_EQ(entries, QStringList({"Save Settings And Close Window", "Close Window Without Saving",
                                    "-", "Read Settings Again"}));
}

TEST_F(GlobalsTest, LoadShowsTheImageAndSetsTheFlag) {
    frmGlobals* w = open();
    EXPECT_TRUE(shell.session().GlobalsWindowOpen());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->cboDTMFDev()->currentText(), "2906.25");
    EXPECT_EQ(w->cboANIRate()->currentText(), "20");
    EXPECT_EQ(w->cboPorchTime()->currentText(), "1020");
    EXPECT_EQ(w->cboPriRate()->currentText(), "2");
    EXPECT_EQ(w->cboFreqDisplay()->currentText(), "Enabled");
    EXPECT_EQ(w->cboGroup(0)->currentText(), "Group 3");
    EXPECT_EQ(w->cboChan(0)->currentText(), "Channel 6");
    EXPECT_EQ(w->cboGlobalGroup()->currentText(), "3");
    EXPECT_EQ(w->cboGlobalChannel()->currentText(), "4");
}

TEST_F(GlobalsTest, ShowingAgainKeepsTheEditsWithoutReadingTheImage) {
    frmGlobals* w = open();
    w->cboDTMFDev()->setCurrentIndex(3);
    w->mnuExit_Click();                         // "Close Window Without Saving"
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(shell.session().GlobalsWindowOpen());
    EXPECT_EQ(shell.image()[0x07] >> 3, 31);      // the image is not touched
    shell.image()[0x07] = 0;                       // nor read again on showing
    shell.session().showGlobalsWindow();
    EXPECT_EQ(shell.session().globalsWindow(), w);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->cboDTMFDev()->currentIndex(), 3);
    w->mnuReadSettings_Click();                 // "Read Settings Again" discards them
    EXPECT_EQ(w->cboDTMFDev()->currentText(), "0");
}

TEST_F(GlobalsTest, SaveSettingsWritesTheImageAndHides) {
    frmGlobals* w = open();
    w->cboGroup(15)->setCurrentText("Global");
    w->chkGrpVar(0)->setChecked(true);
    w->mnuSave_Click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(shell.session().GlobalsWindowOpen());
    EXPECT_EQ(shell.image()[0x8F] & 0xF0, 0);      // a "Global" position stores nibble 0 ...
    EXPECT_EQ(shell.image()[0x90] & 0x80, 0x80);   // ... and its bit
    EXPECT_EQ(shell.image()[0x95] & 0x01, 0x01);   // position 1 variable from the keypad
}

TEST_F(GlobalsTest, HiddenEditsReachASavedFile) {
    frmGlobals* w = open();
    w->cboPriRate()->setCurrentIndex(0);       // ".25" -> bits 2..0 of 0x9B = 0
    w->mnuExit_Click();
    const QString path = tempDir() + "/hidden.orv";
    shell.session().prompts().setFileChooser([&](QWidget*, bool, const QString&) { return path; });
    ASSERT_TRUE(FileOpenSave::saveFileAs(shell));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), MemoryImage::kSize);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0x9B]), 0x80);
}

TEST_F(GlobalsTest, ClosingAsksAndFollowsTheAnswer) {
    struct Case { MsgAnswer answer; bool stays; uint8_t image07; };
    const Case cases[] = {{MsgAnswer::Cancel, true, 0xFF}, {MsgAnswer::No, false, 0xFF},
                          {MsgAnswer::Yes, false, 0x07}};
    for (const Case& c : cases) {
        shell.image()[0x07] = 0xFF;
        frmGlobals* w = open();
        w->cboDTMFDev()->setCurrentIndex(0);
        ScriptedBoxes local{shell.session().prompts()};
        local.answer({c.answer});
        w->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_EQ(local.asked.size(), 1u);
        EXPECT_EQ(local.asked[0].text, "Save Global Parameters?");
        EXPECT_EQ(local.asked[0].title, "ORVEDIT");
        EXPECT_EQ(local.asked[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(shell.session().GlobalsWindowOpen(), c.stays);
        EXPECT_EQ(shell.session().globalsWindow() != nullptr, c.stays);
        EXPECT_EQ(shell.image()[0x07], c.image07);
        if (c.stays) {
            EXPECT_EQ(shell.session().globalsWindow()->cboDTMFDev()->currentIndex(), 0);   // edits kept
            unloadGlobals();
        } else {
            // The next "Global Parameters" loads afresh from the image.
            frmGlobals* again = open();
            EXPECT_EQ(again->cboDTMFDev()->currentIndex(), c.image07 >> 3);
            unloadGlobals();
        }
    }
}

TEST_F(GlobalsTest, MainCodecLoadsTheWindowAndItsDecodesReachTheControls) {
    ASSERT_FALSE(shell.session().GlobalsWindowOpen());
    shell.session().readGlobals();
    frmGlobals* w = shell.session().globalsWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(shell.session().GlobalsWindowOpen());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->cboDTMFDev()->currentText(), "2906.25");

    shell.image()[0x07] = 5 << 3;                  // a later decode through GLOBALS ...
    shell.session().readGlobals();
    QCoreApplication::processEvents();          // ... shows in the controls
    EXPECT_EQ(w->cboDTMFDev()->currentText(), "468.75");

    w->cboPorchTime()->setCurrentIndex(1);      // a user's edit reaches GLOBALS' encode
    shell.session().writeGlobals();
    EXPECT_EQ(shell.image()[0x07] & 0x03, 1);
}

TEST_F(GlobalsTest, AnEditKeepsTheOtherFieldsOfALaterDecode) {
    frmGlobals* w = open();
    // A codec on the window's selections that does not refresh the controls.
    clsGlobals plain(shell.image(), shell.session().globals().view());
    shell.image()[0x07] = 4 << 3;                  // DTMF "375"
    plain.Read_Globals();
    w->cboBattSave()->setCurrentIndex(1);       // the user edits another field
    plain.Write_Globals();
    EXPECT_EQ(shell.image()[0x07] >> 3, 4);
    EXPECT_EQ(shell.image()[0x06] & 0x04, 0x04);
}

}  // namespace
