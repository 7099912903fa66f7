// The "Radio" and "Comm-Port" commands against a simulated radio on a real
// pseudo-terminal: what reaches the screen after a read, exactly which bytes
// a write may change in the radio, and the confirmations that stop a write.
#include <QDir>
#include <QFile>
#include <unistd.h>
#include <gtest/gtest.h>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <array>
#include "app/EditorShell.h"
#include "app/QtHost.h"
#include "app/RadioCommands.h"
#include "RadioTestSupport.h"
#include "SimRadioSupport.h"
#include "image/clsGroup.h"
#include "app/frmGlobals.h"

using namespace orv;
using namespace orv::test;

namespace {

class RadioTest : public AppFixture {
protected:
    void SetUp() override {
        ensureApp();
        delete shell.session().globalsWindow();
        shell.image().clear();
        shell.storeWrites = false;   // the patterns are not groups the screen could hold
        shell.show();
    }
    void TearDown() override { delete shell.session().globalsWindow(); }

    Memory expectedAfterWrite(const Memory& before, const Memory& image, bool page0) {
        return test::expectedAfterWrite(before, image, memmap::page0WriteMask(), page0);
    }

    // The link on the simulator's device (the port setting names it).
    void makeLink() { shell.session().link().applyStoredPort(); }

    FakeShell shell;
    ScriptedBoxes boxes{shell.session().prompts()};
};

TEST_F(RadioTest, ReadRadioLoadsTheMemoryAndShowsTheCurrentGroup) {
    SimRadio radio;
    Memory mem = pattern(1);
    mem[0x07] = 9 << 3;
    radio.sim.setMemory(mem);
    makeLink();
    shell.session().showGlobalsWindow();             // an open global window is refreshed
    ASSERT_EQ(shell.session().globalsWindow()->cboDTMFDev()->currentIndex(), 0);

    ASSERT_TRUE(finishRun(mnuRead_Click(shell)));
    EXPECT_EQ(imageMemory(shell.image()), mem);
    EXPECT_EQ(shell.reads, 1);
    GroupView expected;
    clsGroup(shell.image(), expected).Read_Group(0);
    EXPECT_EQ(shell.view.txtGrpLab, expected.txtGrpLab);
    EXPECT_EQ(shell.view.channels.cells, expected.channels.cells);
    EXPECT_EQ(shell.session().globalsWindow()->cboDTMFDev()->currentText(), "843.75");
    EXPECT_TRUE(shell.isEnabled());
    EXPECT_FALSE(shell.session().link().proc().isLoaded());
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(RadioTest, FailedOrCancelledReadKeepsScreenAndImage) {
    for (bool cancel : {true, false}) {
        SimOptions options;
        if (!cancel) options.faults.deadAfterBytes = 60;   // dies a few blocks into the read
        SimRadio radio(options);
        radio.sim.setMemory(pattern(3));
        makeLink();
        fillPattern(shell.image().data(), MemoryImage::kSize, 4);
        shell.markSaved();   // what the radio or a file last held: nothing to discard
        const MemoryImage before = shell.image();
        bool mainDisabledDuringRead = false;
        QTimer poll;
        if (cancel)
            QObject::connect(&poll, &QTimer::timeout, [&] {
                if (shell.session().link().proc().isLoaded() && shell.session().link().proc().CancelButton()->isEnabled()) {
                    mainDisabledDuringRead = !shell.isEnabled();
                    shell.session().link().proc().CancelButton()->click();
                }
            });
        poll.start(5);
        ScriptedBoxes local{shell.session().prompts()};
        EXPECT_FALSE(finishRun(mnuRead_Click(shell)));
        poll.stop();
        EXPECT_TRUE(shell.image() == before);
        EXPECT_EQ(shell.reads, 0);
        EXPECT_TRUE(shell.isEnabled());
        EXPECT_EQ(shell.session().statusText(), "Reading 15 groups and the global information from " +
                                                    QString::fromStdString(radio.sim.devicePath()) +
                                                    (cancel ? " cancelled" : " failed"));
        if (cancel) {
            EXPECT_TRUE(mainDisabledDuringRead);
            EXPECT_TRUE(local.asked.empty());
        } else {
            EXPECT_TRUE(local.wasAsked(linkError("Error reading radio", LinkFailure::ReadStopped, radio.sim.devicePath())));
        }
    }
}

TEST_F(RadioTest, WriteRadioChangesExactlyTheWritableBytes) {
    struct Case { MsgAnswer globals; bool page0; };
    for (const Case c : {Case{MsgAnswer::Yes, true}, Case{MsgAnswer::No, false}}) {
        SimRadio radio;
        const Memory before = pattern(11);
        radio.sim.setMemory(before);
        makeLink();
        const Memory image = pattern(12);
        std::copy(image.begin(), image.end(), shell.image().data());
        ScriptedBoxes local{shell.session().prompts()};
        local.answer({MsgAnswer::OK, c.globals, MsgAnswer::No});   // the last: "Verify now?"
        finishRun(mnuWriteAll_Click(shell));
        ASSERT_GE(local.asked.size(), 2u);
        EXPECT_EQ(local.asked[0].text, "Are you sure you want to write to the radio?");
        EXPECT_EQ(local.asked[0].buttons, MsgButtons::OKCancel);
        EXPECT_EQ(local.asked[0].icon, MsgIcon::None);
        EXPECT_EQ(local.asked[0].title, "ORVEDIT");
        EXPECT_EQ(local.asked[1].text, "Write Global Parameters?");
        EXPECT_EQ(local.asked[1].buttons, MsgButtons::YesNo);
        ASSERT_EQ(local.asked.size(), 3u);
        EXPECT_EQ(local.asked[2].text, "Verify now?");

        EXPECT_EQ(radio.sim.memory(), expectedAfterWrite(before, image, c.page0));
        int page0Frames = 0;
        for (const auto& w : radio.maskedWrites()) page0Frames += w.address < 256;
        EXPECT_EQ(page0Frames, c.page0 ? 30 : 0);
        EXPECT_TRUE(shell.isEnabled());
        EXPECT_FALSE(shell.session().link().proc().isLoaded());
    }
}

TEST_F(RadioTest, CancelAtTheFirstConfirmationSendsNothing) {
    SimRadio radio;
    const Memory held = pattern(5);   // differs from the empty image everywhere
    radio.sim.setMemory(held);
    makeLink();
    using Cmd = RadioRun (*)(EditorShell&);
    for (Cmd cmd : {Cmd(mnuWriteAll_Click), Cmd(mnuWriteGlobal_Click), Cmd(mnuWriteGroup_Click)}) {
        ScriptedBoxes local{shell.session().prompts()};
        local.answer({MsgAnswer::Cancel});
        const int stores = shell.stores;
        EXPECT_FALSE(finishRun(cmd(shell)));
        EXPECT_EQ(shell.stores, stores + 1);   // the group on screen was stored first
        ASSERT_EQ(local.asked.size(), 1u);     // after the read and the list of changes
        EXPECT_EQ(local.asked[0].text, "Are you sure you want to write to the radio?");
    }
    EXPECT_GT(radio.sim.receivedCount(), 0);   // the reads before the lists
    EXPECT_TRUE(radio.maskedWrites().empty());
    EXPECT_EQ(radio.sim.memory(), held);
    EXPECT_FALSE(shell.session().link().proc().isLoaded());
}

TEST_F(RadioTest, ReadGlobalOpensTheGlobalWindowWithTheRadioValues) {
    SimRadio radio;
    Memory mem{};
    mem[0x07] = (2 << 3) | 1;                   // 187.5 Hz, 360 ms
    mem[0x80 + 4] = 0x7A;                       // position 5: Group 8, Channel 11
    mem[0xFF] = 0x0E;                           // global group 1, channel 15
    radio.sim.setMemory(mem);
    makeLink();
    ASSERT_FALSE(shell.session().GlobalsWindowOpen());
    ASSERT_TRUE(finishRun(mnuReadGlobal_Click(shell)));
    frmGlobals* w = shell.session().globalsWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(shell.session().GlobalsWindowOpen());
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->cboDTMFDev()->currentText(), "187.5");
    EXPECT_EQ(w->cboPorchTime()->currentText(), "360");
    EXPECT_EQ(w->cboGroup(4)->currentText(), "Group 8");
    EXPECT_EQ(w->cboChan(4)->currentText(), "Channel 11");
    EXPECT_EQ(w->cboGlobalChannel()->currentText(), "15");
    EXPECT_EQ(shell.reads, 0);                  // the group on screen is not redisplayed
}

TEST_F(RadioTest, ReadAndWriteGroupUseTheGroupOnScreen) {
    SimRadio radio;
    const Memory before = pattern(21);
    radio.sim.setMemory(before);
    makeLink();
    shell.currentGroup = 14;                    // "15": blocks 176..187
    ASSERT_TRUE(finishRun(mnuReadGroup_Click(shell)));
    Memory image = imageMemory(shell.image());
    for (int a = 0; a < MemoryImage::kRadioSize; ++a)
        EXPECT_EQ(image[a], a >= 176 * 32 ? before[a] : 0) << a;
    EXPECT_EQ(shell.reads, 1);

    // Change the group in the image and write it back: only that group's
    // blocks change, its first block only in bit 5 of its first byte.
    for (int a = 176 * 32; a < MemoryImage::kRadioSize; ++a) shell.image()[a] ^= 0xFF;
    ScriptedBoxes local{shell.session().prompts()};
    local.answer({MsgAnswer::OK});
    ASSERT_TRUE(finishRun(mnuWriteGroup_Click(shell)));
    const Memory after = radio.sim.memory();
    for (int a = 0; a < MemoryImage::kRadioSize; ++a) {
        uint8_t want = before[a];
        if (a == 176 * 32) want = before[a] ^ 0x20;
        else if (a >= 177 * 32) want = static_cast<uint8_t>(~before[a]);
        ASSERT_EQ(after[a], want) << a;
    }
    EXPECT_FALSE(local.wasAsked("Write Group Failed"));
}

// The report each radio command leaves for the status bar: what it read or
// wrote on which device, the backup kept, the verify's verdict; a failure
// replaces the success before it.
TEST_F(RadioTest, StatusSaysWhatEachCommandDidOnWhichDevice) {
    SimRadio radio;
    radio.sim.setMemory(pattern(31));
    makeLink();
    shell.currentGroup = 2;
    const QString dev = QString::fromStdString(radio.sim.devicePath());
    const QString dash = QString::fromUtf8(" \u2014 ");
    using Cmd = RadioRun (*)(EditorShell&);
    const MsgAnswer OK = MsgAnswer::OK, Yes = MsgAnswer::Yes, Cancel = MsgAnswer::Cancel;
    struct Case { const char* name; Cmd cmd; std::initializer_list<MsgAnswer> answers; QString starts; const char* ends; };
    const Case cases[] = {
        {"read", mnuRead_Click, {}, "Read 15 groups and the global information from " + dev + dash + "backup ", ".orv"},
        {"verify", mnuVerify_Click, {}, "Radio matches", ""},
        {"read group", mnuReadGroup_Click, {}, "Read group 3 from " + dev + dash + "backup ", ".orv"},
        {"read global", mnuReadGlobal_Click, {}, "Read the global information from " + dev + dash + "backup ", ".orv"},
        {"write group", mnuWriteGroup_Click, {OK}, "Wrote group 3 to " + dev, ""},
        {"write global", mnuWriteGlobal_Click, {OK}, "Wrote the global information to " + dev, ""},
        {"identical radio", mnuWriteGroup_Click, {OK}, "The radio already holds this programming.", ""},
        {"write and verify", mnuWriteAll_Click, {OK, Yes, Yes},
         "Wrote 15 groups and the global information to " + dev + dash + "Radio matches", ""},
        {"verify of other programming", mnuVerify_Click, {},
         "Verify: the radio differs from the programming on screen (", " difference)"},
        {"silent radio", mnuReadGroup_Click, {Cancel}, "Reading group 3 from " + dev + " failed", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (QString(c.name) == "silent radio") {
            SimFaults silent;
            silent.silent = true;
            radio.sim.setFaults(silent);
            shell.session().link().setTiming(LinkTiming{0.05, 0, 0});
        }
        // What is written differs from what the radio holds, except for
        // the write that finds the radio holding it already.
        const QString name = QString::fromLatin1(c.name);
        if (name == "write group" || name == "write and verify") shell.image()[37 * 32] ^= 0x11;   // group 3
        if (name == "write global") shell.image()[0x80] ^= 0x01;
        if (name == "verify of other programming") shell.image()[38 * 32 + 1] ^= 0x01;   // a group 3 channel
        ScriptedBoxes local{shell.session().prompts()};
        local.answer(c.answers);
        finishRun(c.cmd(shell));
        const QString status = shell.session().statusText();
        EXPECT_TRUE(status.startsWith(c.starts)) << status.toStdString();
        EXPECT_TRUE(status.endsWith(QString::fromLatin1(c.ends))) << status.toStdString();
        if (*c.ends) {
            EXPECT_FALSE(status.mid(c.starts.size()).contains('/')) << "the backup's name, not its path";
        }
    }
}

TEST_F(RadioTest, FailedGroupWriteSaysSoWithoutTitleOrIcon) {
    SimRadio radio;
    radio.sim.setMemory(pattern(9));
    makeLink();
    // The radio answers the read before the write, then falls silent.
    shell.session().prompts().setChangesAnswer([&radio](QWidget*, const ChangeListView&) {
        SimFaults silent;
        silent.silent = true;
        radio.sim.setFaults(silent);
        return true;
    });
    ScriptedBoxes local{shell.session().prompts()};
    local.answer({MsgAnswer::OK, MsgAnswer::Cancel});   // confirm; Cancel at "Error Hooking to Radio."
    EXPECT_FALSE(finishRun(mnuWriteGroup_Click(shell)));
    ASSERT_EQ(local.asked.size(), 3u);
    // The fixed text, then where and what to check; nothing was sent yet.
    EXPECT_EQ(local.asked[1].text, linkError("Error Hooking to Radio.", LinkFailure::NoAnswer, radio.sim.devicePath()));
    EXPECT_TRUE(local.asked[1].text.contains("Nothing was changed on the radio."));
    EXPECT_EQ(local.asked[2].text, "Write Group Failed");
    EXPECT_EQ(local.asked[2].title, "ORVEDIT");
    EXPECT_EQ(local.asked[2].icon, MsgIcon::None);
    EXPECT_EQ(local.asked[2].buttons, MsgButtons::OK);
    EXPECT_TRUE(shell.isEnabled());
    EXPECT_FALSE(shell.session().link().proc().isLoaded());
}

TEST_F(RadioTest, PortThatCannotBeOpenedIsReportedAndChangesNothing) {
    appSettings()->setValue("Comm/Device1", tempDir() + "/no-such-device");
    appSettings()->setValue("Comm/Port", "1");
    makeLink();
    fillPattern(shell.image().data(), MemoryImage::kSize, 5);
    shell.markSaved();   // what the radio or a file last held: nothing to discard
    const MemoryImage before = shell.image();
    ScriptedBoxes local{shell.session().prompts()};
    EXPECT_FALSE(finishRun(mnuRead_Click(shell)));
    ASSERT_FALSE(local.asked.empty());
    EXPECT_EQ(local.asked[0].title, "COMM ERROR");
    EXPECT_TRUE(local.asked[0].text.contains("no-such-device")) << local.asked[0].text.toStdString();
    EXPECT_TRUE(shell.image() == before);
    EXPECT_EQ(shell.reads, 0);
    EXPECT_TRUE(shell.isEnabled());
    EXPECT_FALSE(shell.session().link().proc().isLoaded());
}

TEST_F(RadioTest, PortChoiceStoresTheNumberAndSwitchesTheDevice) {
    SimRadio radio;
    makeLink();
    EXPECT_EQ(shell.session().link().device(), radio.sim.devicePath());
    mnuCommPort_Click(shell, 3);
    EXPECT_EQ(shell.session().link().portNumber(), 3);
    EXPECT_EQ(shell.session().link().device(), "/dev/ttyS0");
    EXPECT_EQ(appSettings()->value("Comm/Port").toString(), "3");
    EXPECT_EQ(RadioLink::storedPort(), 3);
    // The next activation of the main window applies the stored port.
    mnuCommPort_Click(shell, 1);
    appSettings()->setValue("Comm/Port", "2");
    EXPECT_EQ(shell.session().link().applyStoredPort(), 2);
    EXPECT_EQ(shell.session().link().device(), "/dev/ttyUSB1");
}

// Choose Device stores the device of the slot in use and the next read uses
// it at once, without choosing the slot again: a simulator's stable link.
TEST_F(RadioTest, ChooseDeviceTakesEffectAtOnceForTheSlotInUse) {
    SimRadio radio;
    Memory mem = pattern(4);
    radio.sim.setMemory(mem);
    appSettings()->setValue("Comm/Device1", "/dev/no-such-device");
    makeLink();
    const QString link = QDir::temp().filePath(QStringLiteral("orv-choose-%1").arg(::getpid()));
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(QString::fromStdString(radio.sim.devicePath()), link));
    int offered = -1;
    QString shown;
    shell.session().prompts().setDeviceChooser([&](QWidget*, int slot, const QString& current) {
        offered = slot;
        shown = current;
        return QStringLiteral("  %1 ").arg(link);
    });
    ASSERT_TRUE(mnuChooseDevice_Click(shell));
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(shown, "/dev/no-such-device");
    EXPECT_EQ(appSettings()->value("Comm/Device1").toString(), link);
    EXPECT_TRUE(finishRun(mnuRead_Click(shell)));
    EXPECT_EQ(imageMemory(shell.image()), mem);

    shell.session().prompts().setDeviceChooser([](QWidget*, int, const QString&) { return QString(); });
    EXPECT_FALSE(mnuChooseDevice_Click(shell)) << "cancelled";
    EXPECT_EQ(appSettings()->value("Comm/Device1").toString(), link);
    shell.session().prompts().setDeviceChooser({});
    QFile::remove(link);
}

}  // namespace
