// The editor's radio commands through a real serial port of the system:
// its main window reads the radio and writes a file to it with a verify,
// as a user does with the menu. tools/run-windows-tests.sh runs this program
// with a simulated radio behind the port, the same way under Wine (COM5,
// which Wine maps to the simulator's pseudo-terminal) and on Linux (the
// pseudo-terminal itself), and compares the radio's memory afterwards.
//   ORV_TEST_PORT          the port (COM5, /dev/pts/N); the cases skip without it
//   ORV_TEST_RADIO_MEMORY  what the radio holds at the start (6019 bytes, the memory first)
//   ORV_TEST_WRITE_FILE    the programming file the write case opens and writes
#include <gtest/gtest.h>
#include <QAction>
#include <QSettings>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "app/FileOpenSave.h"
#include "app/QtHost.h"
#include "app/RadioCommands.h"
#include "app/frmGlobals.h"
#include "files/ImageFile.h"
#include "job/JobText.h"

using namespace orv;

namespace {

class ComPortTest : public test::EditorFixture {
protected:
    void SetUp() override {
        port = qEnvironmentVariable("ORV_TEST_PORT");
        if (port.isEmpty()) GTEST_SKIP() << "ORV_TEST_PORT names no port";
        delete session->globalsWindow();
        appSettings()->remove(QLatin1String(kVerifyAfterWriteKey));
    }
    void TearDown() override { delete session->globalsWindow(); }

    // The main window, using port slot 1 set to the port.
    test::TestWindow& openOnPort() {
        auto s = appSettings();
        s->setValue(QStringLiteral("Comm/Device1"), port);
        s->setValue(QStringLiteral("Comm/Port"), QStringLiteral("1"));
        auto& win = open();
        session->link().applyStoredPort();
        return win;
    }
    // The programming in the file the variable `name` names.
    static test::Memory memoryIn(const char* name) {
        MemoryImage img;
        const QString path = qEnvironmentVariable(name);
        EXPECT_TRUE(loadImageFile(path.toStdString(), img).ok()) << name << ": " << path.toStdString();
        return test::imageMemory(img);
    }

    QString port;
};

TEST_F(ComPortTest, ReadRadioBringsTheRadiosMemory) {
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = openOnPort();
    test::action(win, "mnuRead")->trigger();
    test::waitForRadio(*session);
    EXPECT_TRUE(boxes.asked.empty()) << boxes.asked.front().text.toStdString();
    EXPECT_TRUE(session->statusText().startsWith(
        QString::fromStdString(readDoneText(RadioPart::All, 0, port.toStdString(), "x")).chopped(1)))
        << session->statusText().toStdString();
    EXPECT_EQ(test::imageMemory(image()), memoryIn("ORV_TEST_RADIO_MEMORY"));
}

TEST_F(ComPortTest, WriteRadioWithVerifySendsTheOpenedFile) {
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = openOnPort();
    ASSERT_TRUE(FileOpenSave::openPath(win, qEnvironmentVariable("ORV_TEST_WRITE_FILE")));
    const test::Memory file = memoryIn("ORV_TEST_WRITE_FILE");
    ASSERT_EQ(test::imageMemory(image()), file);
    boxes.answer({MsgAnswer::OK, MsgAnswer::Yes, MsgAnswer::Yes});
    test::action(win, "mnuWriteAll")->trigger();
    test::waitForRadio(*session);
    EXPECT_EQ(boxes.texts(), (std::vector<QString>{"Are you sure you want to write to the radio?",
                                                   "Write Global Parameters?", "Verify now?", "Radio matches"}));
    EXPECT_EQ(session->statusText(), QString::fromStdString(wroteText(RadioPart::All, 0, port.toStdString()) +
                                                            " \u2014 " + kRadioMatches));
    EXPECT_EQ(test::imageMemory(image()), file) << "a write leaves the editor's programming as it was";
}

}  // namespace
