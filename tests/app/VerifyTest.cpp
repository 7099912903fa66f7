// Verify, backups and the serial trace in the editor, with the real main
// window against the simulator: "Verify Radio" never changes the image,
// "Write Radio" offers "Verify now?", reads and writes keep backups, "Open
// Backup..." starts in their folder, "Save Serial Trace..." writes what the
// radio saw.
#include <gtest/gtest.h>
#include "files/RadioLog.h"
#include "app/frmRadioLog.h"
#include "app/frmFleet.h"
#include "image/Programming.h"
#include "WaitFor.h"
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>
#include <set>
#include <QTableView>
#include <QTest>
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTimer>
#include <fstream>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "SimRadioSupport.h"
#include "app/BackupCommands.h"
#include "app/QtHost.h"
#include "app/RadioCommands.h"
#include "app/frmGlobals.h"
#include "app/frmVerify.h"
#include "files/Backups.h"
#include "link/SerialTrace.h"

using namespace orv;
using test::Memory;

namespace {

Memory memoryOf(const MemoryImage& img) { return test::imageMemory(img); }

// How many block reads (0xC6 frames) a byte stream holds.
int blockReads(const std::vector<uint8_t>& in) {
    int n = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        if (in[i] == 0xD4) i += 33;
        else if (in[i] == 0xD1) i += 4;
        else if (in[i] == 0xC6) { ++n; i += 2; }
    }
    return n;
}

class VerifyTest : public test::EditorFixture {
protected:
    void SetUp() override {
        delete session->globalsWindow();
        appSettings()->remove(QLatin1String(kVerifyAfterWriteKey));
    }
    void TearDown() override {
        session->prompts().setFileChooser({});
        if (frmVerify* v = session->link().verifyWindow()) delete v;
    }
    // The window open, the image as the screen stores it, a radio holding it.
    test::TestWindow& openWithRadio(test::SimRadio& radio) {
        auto& win = open();
        session->link().applyStoredPort();
        { LinkTiming t = session->link().timing(); t.settleMs = 20; session->link().setTiming(t); }
        EXPECT_TRUE(win.storeCurrentGroup());
        radio.sim.setMemory(memoryOf(image()));
        return win;
    }
    std::string backups() const { return (dataDir + QStringLiteral("/backups")).toStdString(); }
};

TEST_F(VerifyTest, VerifyRadioReportsMatchOrTheDifferencesAndChangesNothing) {
    struct Case { const char* name; int address; uint8_t flip; std::size_t lines; };
    const int channelByte = channelRecordAddr(2, 4, 0).address();   // group 3 channel 5 receive frequency
    for (const Case& c : {Case{"matches", -1, 0, 0}, Case{"one field differs", channelByte, 0x04, 1}}) {
        SCOPED_TRACE(c.name);
        test::SimRadio radio;
        test::ScriptedBoxes boxes(session->prompts());
        auto& win = openWithRadio(radio);
        Memory mem = memoryOf(image());
        if (c.address >= 0) mem[size_t(c.address)] ^= c.flip;
        radio.sim.setMemory(mem);
        const MemoryImage before = image();
        const QString groupLabel = widget<QLineEdit>(win, "txtGrpLab")->text();

        action(win, "mnuVerify")->trigger();

        test::waitForRadio(win.session());
        EXPECT_TRUE(image() == before) << "the verify reads into a separate image";
        EXPECT_EQ(widget<QLineEdit>(win, "txtGrpLab")->text(), groupLabel);
        EXPECT_EQ(radio.sim.memory(), mem) << "a verify only reads";
        EXPECT_EQ(blockReads(radio.sim.received()), 188);
        frmVerify* v = session->link().verifyWindow();
        if (c.lines == 0) {
            EXPECT_EQ(boxes.texts(), std::vector<QString>{"Radio matches"});
            EXPECT_EQ(boxes.asked.at(0).title, "Verify Radio");
            EXPECT_EQ(v, nullptr);
        } else {
            EXPECT_TRUE(boxes.asked.empty());
            ASSERT_NE(v, nullptr);
            EXPECT_TRUE(v->isVisible());
            ASSERT_EQ(v->lstDifferences()->count(), int(c.lines));
            EXPECT_TRUE(v->lstDifferences()->item(0)->text().startsWith(QStringLiteral("group 3 ")));
            EXPECT_EQ(v->lblResult()->text(), "The radio differs from the editor in 1 place:");
            v->cmdClose()->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(session->link().verifyWindow(), nullptr);
        }
    }
}

// After "Write Radio": "Verify now?" with Yes verifies what was sent (and
// remembers Yes), No does not (and remembers No), Escape does neither.
TEST_F(VerifyTest, WriteRadioOffersVerifyNowAndRemembersTheAnswer) {
    struct Case { MsgAnswer answer; bool verifies; QVariant stored; };
    appSettings()->setValue(QLatin1String(kVerifyAfterWriteKey), false);
    for (const Case& c : {Case{MsgAnswer::Yes, true, true}, Case{MsgAnswer::No, false, false},
                          Case{MsgAnswer::Cancel, false, false}}) {
        test::SimRadio radio;
        radio.sim.setMemory(test::pattern(7));
        test::ScriptedBoxes boxes(session->prompts());
        auto& win = openWithRadio(radio);
        radio.sim.setMemory(test::pattern(7));
        boxes.answer({MsgAnswer::OK, MsgAnswer::Yes, c.answer});
        action(win, "mnuWriteAll")->trigger();
        test::waitForRadio(win.session());
        ASSERT_GE(boxes.asked.size(), 3u);
        EXPECT_EQ(boxes.asked[2].text, "Verify now?");
        EXPECT_EQ(boxes.asked[2].buttons, MsgButtons::YesNo);
        // Every block is read before the write; the verify reads back what was sent.
        const int verifyReads = blockReads(radio.sim.received()) - 188;
        EXPECT_EQ(verifyReads > 0, c.verifies) << verifyReads;
        if (c.verifies) {
            // The radio keeps its own user code guard channels: listed, not a difference.
            EXPECT_TRUE(boxes.texts().back().startsWith("Radio matches")) << boxes.texts().back().toStdString();
        }
        EXPECT_EQ(appSettings()->value(QLatin1String(kVerifyAfterWriteKey)), c.stored);
    }
}

TEST_F(VerifyTest, AWriteThatFailsIsNotOfferedAVerify) {
    SimOptions o;
    o.faults.deadAfterBytes = 1000;
    test::SimRadio radio(o);
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = openWithRadio(radio);
    { LinkTiming t = session->link().timing(); t.byteTimeout = 0.05; session->link().setTiming(t); }
    boxes.answer({MsgAnswer::OK, MsgAnswer::Yes});
    action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(win.session());
    EXPECT_FALSE(boxes.wasAsked("Verify now?"));
}

// Reads keep what they read, writes what they are about to send; a failed
// read keeps nothing. "Open Backup..." starts in that folder, and the backup
// opened is never replaced by "Save".
TEST_F(VerifyTest, ReadsAndWritesKeepBackupsThatOpenBackupOpens) {
    test::SimRadio radio;
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = openWithRadio(radio);
    const Memory radioMem = test::pattern(3);
    radio.sim.setMemory(radioMem);

    action(win, "mnuRead")->trigger();

    test::waitForRadio(win.session());
    auto kept = listBackups(backups());
    ASSERT_EQ(kept.size(), 1u);
    MemoryImage backup;
    ASSERT_TRUE(loadImageFile(kept[0], backup));
    EXPECT_EQ(memoryOf(backup), radioMem);

    // A write keeps what the radio held (its read first) and what it sends.
    const Memory heldBeforeWrite = test::pattern(4);
    radio.sim.setMemory(heldBeforeWrite);
    boxes.answer({MsgAnswer::OK, MsgAnswer::Yes, MsgAnswer::No});   // no verify
    action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(win.session());
    kept = listBackups(backups());
    ASSERT_EQ(kept.size(), 3u);
    int writes = 0, reads = 0;
    for (size_t i = 1; i < kept.size(); ++i) {
        ASSERT_TRUE(loadImageFile(kept[i], backup));
        if (kept[i].find("-write") != std::string::npos) {
            ++writes;
            EXPECT_TRUE(backup == image()) << "the image as it was sent";
        } else {
            ++reads;
            EXPECT_EQ(memoryOf(backup), heldBeforeWrite) << "the radio as the write found it";
        }
    }
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(reads, 1);

    radio.sim.setFaults(SimFaults{.deadAfterBytes = 100});
    { LinkTiming t = session->link().timing(); t.byteTimeout = 0.05; session->link().setTiming(t); }
    action(win, "mnuRead")->trigger();
    test::waitForRadio(win.session());
    EXPECT_EQ(listBackups(backups()).size(), 3u);
    // The radio log has a line for each exchange: the read, the read before
    // the write, the write (with the backup of what it sent), the failed read.
    const RadioLogContents log = readRadioLog(dataDir.toStdString());
    std::vector<std::string> seen;
    for (const RadioLogEntry& e : log.entries) seen.push_back(e.operation + " " + e.result);
    EXPECT_EQ(seen, (std::vector<std::string>{"read ok", "read ok", "write ok", "read failed"}));
    ASSERT_EQ(log.entries.size(), 4u);
    EXPECT_EQ(log.entries[2].program, "orvedit");
    EXPECT_EQ(log.entries[2].sha256Written, programmingDigest(image()));
    EXPECT_EQ(log.entries[2].sha256Read, log.entries[1].sha256Read) << "what the read before the write found";
    EXPECT_FALSE(log.entries[1].fingerprint.empty());
    EXPECT_EQ(log.entries[2].fingerprint, log.entries[1].fingerprint);

    std::vector<std::pair<bool, QString>> dialogs;
    session->prompts().setFileChooser([&](QWidget*, bool forSaving, const QString& current) {
        dialogs.emplace_back(forSaving, current);
        return forSaving ? QString() : QString::fromStdString(kept[0]);
    });
    action(win, "mnuOpenBackup")->trigger();
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(dialogs[0].second, QString::fromStdString(backups()));
    EXPECT_EQ(memoryOf(image()), radioMem);
    EXPECT_TRUE(win.windowTitle().contains(QString::fromStdString(kept[0])));
    action(win, "mnuSave")->trigger();
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_TRUE(dialogs[1].first) << "Save asks for a name instead of replacing the backup";
}

// Radio > Radio Log...: the entries of this user's log, filtered by what is
// typed; Open Backup opens what the radio held before the write.
TEST_F(VerifyTest, TheRadioLogWindowOpensTheBackupOfAnEntry) {
    test::SimRadio radio;
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = openWithRadio(radio);
    const Memory held = test::pattern(6);
    radio.sim.setMemory(held);
    action(win, "mnuRead")->trigger();
    test::waitForRadio(win.session());
    radio.sim.setMemory(test::pattern(8));
    boxes.answer({MsgAnswer::OK, MsgAnswer::Yes, MsgAnswer::No});
    action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(win.session());
    const Memory beforeWrite = test::pattern(8);

    int rowsShown = -1;
    test::DialogWatcher user([&](QDialog* d) {
        auto* w = qobject_cast<frmRadioLog*>(d);
        if (!w) return;
        QTest::keyClicks(w->txtFilter(), "write");
        rowsShown = w->grdLog()->model()->rowCount();
        EXPECT_FALSE(w->cmdOpenBackup()->isEnabled()) << "nothing selected yet";
        w->grdLog()->selectRow(0);
        ASSERT_TRUE(w->cmdOpenBackup()->isEnabled());
        w->cmdOpenBackup()->click();
    });
    action(win, "mnuRadioLog")->trigger();
    EXPECT_EQ(rowsShown, 1);
    EXPECT_EQ(memoryOf(image()), beforeWrite) << "the radio as the write found it";
}

// Radio > Program Fleet...: two radios ticked, a roster of three; Start
// writes each radio with its row and verifies it, one line per port.
TEST_F(VerifyTest, ProgramFleetWritesEachTickedRadioWithItsRosterRow) {
    test::SimRadio second;
    test::SimRadio first;   // the last made is Comm Port 1's device
    appSettings()->setValue(QStringLiteral("Comm/Device2"), QString::fromStdString(second.sim.devicePath()));
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = openWithRadio(first);
    const QString roster = dataDir + QStringLiteral("/fleet.csv");
    {
        QFile f(roster);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("unit,id\nCar 1,1000001\nCar 2,1000002\nCar 3,1000003\n");
    }
    bool finished = false;
    QStringList units;
    test::DialogWatcher user([&](QDialog* d) {
        auto* w = qobject_cast<frmFleet*>(d);
        if (!w) return;
        w->txtRoster()->setText(roster);
        for (int i = 0; i < 2; ++i) w->lstPorts()->item(i)->setCheckState(Qt::Checked);
        QTest::mouseClick(w->cmdStart(), Qt::LeftButton);
        ASSERT_TRUE(w->running()) << boxes.texts().size();
        finished = test::waitFor([&] {
            QCoreApplication::processEvents();
            return !w->running();
        }, 60);
        for (int r = 0; r < w->grdRadios()->rowCount(); ++r) units << w->grdRadios()->item(r, 1)->text();
        EXPECT_TRUE(w->lblSummary()->text().contains("2")) << w->lblSummary()->text().toStdString();
        w->cmdClose()->click();
    });
    action(win, "mnuProgramFleet")->trigger();
    ASSERT_TRUE(finished);
    EXPECT_EQ(units, (QStringList{"Car 1", "Car 2"}));
    const auto idOf = [](const test::SimRadio& r) {
        MemoryImage m;
        const Memory held = r.sim.memory();
        std::copy(held.begin(), held.end(), m.data());
        return decodeProgramming(m).groups[0].txtID;
    };
    EXPECT_EQ(idOf(first), "1000001");
    EXPECT_EQ(idOf(second), "1000002");
    std::set<std::string> done;
    for (const RadioLogEntry& e : readRadioLog(dataDir.toStdString()).entries)
        if (e.operation == "write" && e.verified == "yes") done.insert(e.unit);
    EXPECT_EQ(done, (std::set<std::string>{"Car 1", "Car 2"}));
}

TEST_F(VerifyTest, SaveSerialTraceWritesWhatTheRadioSaw) {
    test::ScriptedBoxes boxes(session->prompts());
    const QString path = dataDir + QStringLiteral("/trace.txt");
    session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return path; });
    auto& win = open();
    action(win, "mnuSaveTrace")->trigger();
    EXPECT_EQ(boxes.texts(), std::vector<QString>{"There is no serial trace yet: no radio exchange has run."});
    EXPECT_FALSE(QFile::exists(path));

    test::SimRadio radio;
    session->link().applyStoredPort();
    { LinkTiming t = session->link().timing(); t.settleMs = 20; session->link().setTiming(t); }
    action(win, "mnuReadGroup")->trigger();
    test::waitForRadio(win.session());
    action(win, "mnuSaveTrace")->trigger();
    std::ifstream in(path.toStdString());
    const std::vector<TraceEntry> trace = readTraceText(in);
    std::vector<uint8_t> sent, answered;
    for (const TraceEntry& e : trace) (e.dir == 'R' ? sent : answered).push_back(e.value);
    EXPECT_EQ(sent, radio.sim.received());
    EXPECT_EQ(answered.size(), 1u + 4u + 1u + 12u * 32u) << "handshake, version, speed change, 12 blocks";
}

TEST_F(VerifyTest, VerifyIsRefusedWhileAnotherExchangeRuns) {
    auto& win = open();
    test::ScriptedBoxes boxes(session->prompts());
    const RadioBusy::Exchange held = session->busy().begin();
    EXPECT_FALSE(action(win, "mnuVerify")->isEnabled());
    const int before = beeps;
    EXPECT_FALSE(test::finishRun(mnuVerify_Click(win)));
    EXPECT_EQ(beeps, before + 1);
    EXPECT_TRUE(boxes.asked.empty());
}

// The preselected answer of a real box is the one Return presses.
TEST_F(VerifyTest, ARealBoxPreselectsTheGivenAnswer) {
    test::ensureEditorApp();
    for (MsgAnswer pre : {MsgAnswer::Yes, MsgAnswer::No}) {
        QMessageBox::StandardButton seen = QMessageBox::NoButton;
        test::DialogWatcher watcher([&](QDialog* d) {
            if (auto* box = qobject_cast<QMessageBox*>(d)) {
                seen = box->standardButton(box->defaultButton());
                box->defaultButton()->click();
            }
        });
        const MsgAnswer a = showMessage(nullptr, QStringLiteral("Verify now?"), QString(), MsgIcon::None,
                                        MsgButtons::YesNo, MsgAnswer::Cancel, pre);
        EXPECT_EQ(a, pre);
        EXPECT_EQ(seen, pre == MsgAnswer::Yes ? QMessageBox::Yes : QMessageBox::No);
    }
}

}  // namespace

namespace {

// Pictures of the new windows for a person to look at: only when
// ORV_SCREENSHOT_DIR names a folder.
}  // namespace
