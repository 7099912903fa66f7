// The splash window, the about box with its system information, the help
// window and the one-line help.
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <stdexcept>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/RadioLink.h"
#include "app/UserPrompts.h"
#include "app/SysInfo.h"
#include "app/frmAbout.h"
#include "app/frmCheckPort.h"
#include "app/frmChooseDevice.h"
#include "app/frmHelp.h"
#include "app/frmSplash.h"
#include "platform/Platform.h"

using namespace orv;
using namespace orv::test;

namespace {

class Windows : public EditorFixture {};

TEST_F(Windows, SplashAndAboutShowTheProgramAndItsVersion) {
    frmSplash splash;
    EXPECT_EQ(splash.lblProductName->text(), "ORVEDIT");
    EXPECT_EQ(splash.lblVersion->text(), "Version 1.0.0");
    EXPECT_EQ(splash.lblCompanyProduct->text(), "ORVEDIT.EXE");
    EXPECT_TRUE(splash.lblPlatform->text().startsWith("for "));
    EXPECT_FALSE(splash.imgLogo->pixmap().isNull());

    frmAbout about(session->prompts());
    EXPECT_EQ(about.windowTitle(), "About ORVEDIT");
    EXPECT_EQ(about.lblTitle->text(), "ORVEDIT");
    EXPECT_EQ(about.lblVersion->text(), "Version 1.0.0");
    EXPECT_FALSE(about.lblDescription->text().isEmpty());
    EXPECT_FALSE(about.lblDescription->text().contains('\n'));
    EXPECT_EQ(about.cmdOK->text(), "OK");
    EXPECT_EQ(about.cmdSysInfo->text(), "&System Info...");
}

TEST_F(Windows, SystemInformationListsSerialDevicesWithOwnerAndGroup) {
    if (platform::kWindows) GTEST_SKIP() << "device files with an owner and a group are POSIX's";
    QTemporaryDir dev;
    for (const char* n : {"ttyS0", "ttyUSB1", "ttyACM0", "tty0", "null"}) {
        QFile f(dev.path() + "/" + n);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const auto devices = findSerialDevices(dev.path());
    QStringList names;
    for (const auto& d : devices) {
        names << d.path.section('/', -1);
        EXPECT_FALSE(d.owner.isEmpty());
        EXPECT_FALSE(d.group.isEmpty());
    }
    EXPECT_EQ(names, QStringList({"ttyACM0", "ttyS0", "ttyUSB1"}));
    SystemInfo info;
    ASSERT_TRUE(gatherSystemInfo(info));
    info.devices = devices;
    const QString text = systemInfoText(info);
    EXPECT_TRUE(text.contains(info.qtVersion));
    EXPECT_TRUE(text.contains("ttyUSB1"));
}

// A port listed without a device file (Windows) shows whether it opens, and
// why not.
TEST(SystemInfoText, AListedPortSaysWhetherItOpens) {
    SystemInfo info;
    info.devices = {{QStringLiteral("COM3"), {}, {}, false, QStringLiteral("no: in use by another program")},
                    {QStringLiteral("COM4"), {}, {}, true, {}}};
    const QString text = systemInfoText(info);
    EXPECT_TRUE(text.contains("COM3  -  no: in use by another program\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("COM4  -  can be opened\n")) << text.toStdString();
}

// Nothing to show is said through the session's prompts, whether the
// gathering finds nothing or fails, or the system's own program does not start.
TEST_F(Windows, UnavailableSystemInformationIsSaidThroughTheSessionPrompts) {
    struct Case {
        std::function<bool(SystemInfo&)> gather;
        std::string program;
    };
    const Case cases[] = {
        {[](SystemInfo&) { return false; }, ""},
        {[](SystemInfo&) -> bool { throw std::runtime_error("no system"); }, ""},
        {gatherSystemInfo, QDir::temp().filePath("no-such-folder/MSINFO32.EXE").toStdString()},
    };
    for (const Case& c : cases) {
        test::ScriptedBoxes boxes(session->prompts());
        StartSysInfo(session->prompts(), nullptr, c.gather, c.program);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_EQ(boxes.asked[0].text, "System Information Is Unavailable At This Time");
        EXPECT_EQ(boxes.asked[0].title, "ORVEDIT");
        EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::OK);
    }
}

TEST_F(Windows, HelpScreenOneExplainsTheOffsetEntry) {
    auto& win = open();
    EXPECT_EQ(catchMessageBox([&] { win.helpScreen(1); }), "Enter the frequency offset, eg: -2, 7");
    EXPECT_EQ(catchMessageBox([&] { win.helpScreen(2); }), "");
}

TEST_F(Windows, TheUserGuideHasContentsAndSearch) {
    const QString file = QString(ORV_BIN_DIR) + "/help/OrvHelp.html";
    ASSERT_TRUE(QFile::exists(file)) << "the guide is copied beside the program";
    frmHelp help(file);
    QStringList titles;
    for (int i = 0; i < help.contents->topLevelItemCount(); ++i) titles << help.contents->topLevelItem(i)->text(0);
    for (const char* topic : {"Connecting a radio", "Reading", "Editing", "Files", "Writing", "Alignment", "simulator"})
        EXPECT_FALSE(titles.filter(topic, Qt::CaseInsensitive).isEmpty()) << topic << " in " << titles.join(", ").toStdString();
    // The guide names the devices behind the Comm-Port entries.
    const auto found = help.search("Device1 /dev/ttyUSB0");
    EXPECT_FALSE(found.empty());
    help.txtSearch->setText("Tx Freq");
    EXPECT_GT(help.lstResults->count(), 0);
    EXPECT_TRUE(help.search("no-such-word-anywhere").empty());
}

// An exception never reaches the event loop: a command ends with one
// message, and an event handler that throws is caught by the application.
TEST_F(Windows, AnExceptionEndsItsCommandWithAMessage) {
    struct Thrower : QObject {
        bool event(QEvent*) override { throw std::runtime_error("handler failed"); }
    };
    auto* app = static_cast<OrvApplication*>(QCoreApplication::instance());
    QStringList said;
    session->prompts().setMessageHandler([&](QWidget*, const QString& text, const QString&, MsgIcon, MsgButtons) {
        said << text;
        return MsgAnswer::OK;
    });
    app->setReporter([&](const QString& text) { said << text.split('\r').join('\n'); });
    struct Case { const char* name; std::function<bool()> run; const char* text; };
    const Case cases[] = {
        {"command",
         [&] { return runGuarded(session->prompts(), nullptr, [] { throw std::runtime_error("store failed"); }); },
         "The command could not be completed:\nstore failed"},
        {"event handler",
         [] {
             Thrower t;
             QEvent e(QEvent::User);
             return QCoreApplication::sendEvent(&t, &e);
         },
         "The command could not be completed:\nhandler failed"},
    };
    for (const Case& c : cases) {
        said.clear();
        EXPECT_FALSE(c.run()) << c.name;
        EXPECT_EQ(said, QStringList{c.text}) << c.name;
    }
    app->setReporter({});
}

// The device chooser: a listed port gives its stable name, a typed path is
// taken as typed, and OK needs a device.
TEST_F(Windows, ChooseDeviceOffersThePortsFoundAndATypedPath) {
    SerialPortInfo usb;
    usb.device = "/dev/ttyUSB0";
    usb.stableName = "/dev/serial/by-id/usb-Maker_Cable_A1-if00-port0";
    usb.transport = "USB";
    usb.access = "no: join group dialout";
    SerialPortInfo uart;
    uart.device = "/dev/ttyS0";
    uart.transport = "built-in";
    uart.access = "yes";
    frmChooseDevice dialog(nullptr, 2, {usb, uart}, "/dev/ttyS0");
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), "Choose Device for Comm Port 2");
    ASSERT_EQ(dialog.lstPorts()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.lstPorts()->currentItem()->text(0), "/dev/ttyS0") << "the slot's device is selected";
    EXPECT_EQ(dialog.lstPorts()->topLevelItem(0)->text(3), "no: join group dialout");
    dialog.lstPorts()->setCurrentItem(dialog.lstPorts()->topLevelItem(0));
    EXPECT_EQ(dialog.device(), QString::fromStdString(usb.stableName));

    QLineEdit* path = dialog.txtDevice();
    path->setFocus();
    path->selectAll();
    QTest::keyClick(path, Qt::Key_Delete);
    EXPECT_FALSE(dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    QTest::keyClicks(path, "~/no-such-radio-link");
    EXPECT_TRUE(dialog.buttons()->button(QDialogButtonBox::Ok)->isEnabled());
    EXPECT_TRUE(dialog.lblAccess()->text().startsWith("You cannot open this device: "))
        << dialog.lblAccess()->text().toStdString();
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.device(), QDir::homePath() + "/no-such-radio-link") << "a leading ~ is the home folder";
}

// Check Port: the core's findings for the port in use, one row each, asked
// again on Check Again; Copy gives the lines orvedit-cli doctor prints.
TEST_F(Windows, CheckPortShowsTheFindingsOfThePortInUse) {
    int checks = 0;
    std::string checked;
    std::vector<PortFinding> findings{{"group", FindingLevel::Problem, "/dev/ttyUSB0", "you are not in group dialout",
                                       "add yourself to group dialout"}};
    frmCheckPort window(nullptr, "/dev/ttyUSB0", [&](const std::string& device) {
        ++checks;
        checked = device;
        return findings;
    });
    EXPECT_EQ(checks, 1);
    EXPECT_EQ(checked, "/dev/ttyUSB0");
    EXPECT_EQ(window.windowTitle(), "Check Port /dev/ttyUSB0");
    ASSERT_EQ(window.lstFindings()->topLevelItemCount(), 1);
    const QTreeWidgetItem* row = window.lstFindings()->topLevelItem(0);
    EXPECT_EQ(row->text(0), "Problem");
    EXPECT_EQ(row->text(1), "/dev/ttyUSB0: you are not in group dialout");
    EXPECT_EQ(row->text(2), "add yourself to group dialout");
    EXPECT_TRUE(window.lblSummary()->text().startsWith("Something keeps /dev/ttyUSB0 from working"));
    QTest::mouseClick(window.cmdCopy(), Qt::LeftButton);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "problem: /dev/ttyUSB0: you are not in group dialout. Fix: add yourself to group dialout.\n");

    findings = {{"group", FindingLevel::Ok, "/dev/ttyUSB0", "you are in group dialout", ""},
                {"in-use", FindingLevel::Ok, "/dev/ttyUSB0", "no other program has the device open", ""}};
    QTest::mouseClick(window.cmdCheckAgain(), Qt::LeftButton);
    EXPECT_EQ(checks, 2);
    EXPECT_EQ(window.lstFindings()->topLevelItemCount(), 2);
    EXPECT_EQ(window.lstFindings()->topLevelItem(1)->text(0), "OK");
    EXPECT_EQ(window.lblSummary()->text(), "Nothing found that keeps /dev/ttyUSB0 from working.");
}

TEST_F(Windows, CommPortCheckPortOpensTheWindowForThePortInUse) {
    auto& main = open();
    action(main, "mnuCheckPort")->trigger();
    auto* window = main.findChild<frmCheckPort*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Check Port " + RadioLink::deviceForPort(session->link().portNumber()));
    EXPECT_GT(window->lstFindings()->topLevelItemCount(), 0);
    action(main, "mnuCheckPort")->trigger();
    EXPECT_EQ(main.findChildren<frmCheckPort*>().size(), 1) << "one window, checked again";
    window->close();
}

}  // namespace
