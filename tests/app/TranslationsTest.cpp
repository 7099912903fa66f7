// The editor under a pseudo-translation made from its translation template:
// the core's marked texts come back translated where the editor shows them,
// and every window and dialog shows no text that escaped translation.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTabBar>
#include <memory>
#include "EditorTestSupport.h"
#include "PseudoTranslation.h"
#include "align/AlignCalc.h"
#include "align/ORVCore.h"
#include "app/CommandGuard.h"
#include "app/QtHost.h"
#include "app/RadioLink.h"
#include "app/SysInfo.h"
#include "app/ViewBinder.h"
#include "app/frmAbout.h"
#include "app/frmCheckPort.h"
#include "app/frmChooseDevice.h"
#include "app/frmCompare.h"
#include "app/frmCsvPreview.h"
#include "app/frmGlobals.h"
#include "app/frmHelp.h"
#include "app/frmMove.h"
#include "app/frmAllChannels.h"
#include "app/frmWholeRadioDialogs.h"
#include "app/frmProc.h"
#include "app/frmPullGain.h"
#include "app/frmRefOsc.h"
#include "app/frmSplash.h"
#include "app/frmTune.h"
#include "app/frmVCOMod.h"
#include "app/WindowQueue.h"
#include "app/frmVerify.h"
#include "image/FieldError.h"
#include "interchange/ChannelCsv.h"

using namespace orv;
using namespace orv::test;

// Texts in failure messages as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

// Texts on screen that are data, not wording: the program's name and its
// file name, and serial device paths (of either system).
const QRegularExpression kDataValues[] = {
    QRegularExpression(QStringLiteral("ORVEDIT\\.EXE")),
    QRegularExpression(QStringLiteral("\\bORVEDIT\\b")),
    QRegularExpression(QStringLiteral("/dev/\\S+")),
    QRegularExpression(QStringLiteral("\\bCOM\\d+\\b")),
};

// Where a widget sits: its object name, or its class within its parent's.
QString placeOf(const QObject* o) {
    if (!o) return QStringLiteral("message box");
    QStringList parts;
    for (; o; o = o->parent())
        parts.prepend(o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName());
    return parts.join(QLatin1Char('/'));
}

// Collects every shown text that did not go through the translation.
class TextWalk {
public:
    int checked = 0;
    QStringList escaped;

    void text(const QObject* where, const char* what, const QString& shown) {
        if (shown.isEmpty()) return;
        ++checked;
        QString rest = unmarkedRest(shown);
        for (const QRegularExpression& data : kDataValues) rest.remove(data);
        if (std::any_of(rest.begin(), rest.end(), [](QChar c) { return c.isLetter(); }))
            escaped << QStringLiteral("%1 %2: \"%3\"").arg(placeOf(where), QLatin1String(what), shown);
    }

    void actions(const QList<QAction*>& list) {
        for (QAction* a : list) {
            if (a->isSeparator() || !a->isVisible()) continue;
            text(a, "text", a->text());
            text(a, "tool tip", a->toolTip());
            text(a, "status tip", a->statusTip());
            if (QMenu* m = a->menu()) actions(m->actions());
        }
    }

    void window(QWidget* top) {
        text(top, "window title", top->windowTitle());
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        widgets.prepend(top);
        for (QWidget* w : widgets) {
            if (w != top && !w->isVisibleTo(top)) continue;
            text(w, "tool tip", w->toolTip());
            text(w, "accessible name", w->accessibleName());
            if (auto* l = qobject_cast<QLabel*>(w)) text(w, "text", l->text());
            if (auto* b = qobject_cast<QAbstractButton*>(w)) text(w, "text", b->text());
            if (auto* g = qobject_cast<QGroupBox*>(w)) text(w, "title", g->title());
            if (auto* e = qobject_cast<QLineEdit*>(w)) text(w, "placeholder", e->placeholderText());
            if (auto* c = qobject_cast<QComboBox*>(w))
                for (int i = 0; i < c->count(); ++i) text(w, "entry", c->itemText(i));
            if (auto* t = qobject_cast<QTabBar*>(w))
                for (int i = 0; i < t->count(); ++i) text(w, "tab", t->tabText(i));
            if (auto* h = qobject_cast<QHeaderView*>(w); h && h->model())
                for (int i = 0; i < h->count(); ++i)
                    text(w, "header", h->model()->headerData(i, h->orientation()).toString());
            if (auto* bar = qobject_cast<QMenuBar*>(w)) actions(bar->actions());
        }
    }
};

class Translations : public EditorFixture {
protected:
    Translations() : pseudo(translationTemplatePath()) { QCoreApplication::installTranslator(&pseudo); }
    ~Translations() override { QCoreApplication::removeTranslator(&pseudo); }
    PseudoTranslator pseudo;
};

// The core's fixed texts that no window below shows, each under the context
// the editor looks it up in.
TEST_F(Translations, TheCoresMarkedTextsAreInTheTemplate) {
    ASSERT_GT(pseudo.size(), 200) << "the template " << translationTemplatePath().toStdString() << " is read";
    const std::pair<const char*, std::string> texts[] = {
        {"LinkHost", "DOWNLOAD ERROR"},
        {"RadioJob", "Write Group Failed"},
        {"ChannelCsv", "fits"},
        {"AlignCalc", calcFailureMessage(AlignCalculator::VCOMod)},
    };
    for (const auto& [context, text] : texts)
        EXPECT_EQ(coreText(context, text), pseudoText(QString::fromStdString(text))) << context << ": " << text;
}

// A numbered entry goes through its pattern; numbers stay as they are.
TEST_F(Translations, ListEntriesAreShownThroughTheirPatterns) {
    const std::pair<const char*, QString> cases[] = {
        {"OFF", pseudoText("OFF")},
        {"DTMF w/ manual ANI", pseudoText("DTMF w/ manual ANI")},
        {"Ch 3", pseudoText("Ch 3")},
        {"Channel 16", pseudoText("Channel 16")},
        {"Group 12", pseudoText("Group 12")},
        {"15", "15"},
        {"0.5", "0.5"},
        {"1031.25", "1031.25"},
    };
    for (const auto& [entry, shown] : cases) EXPECT_EQ(listEntryText(entry), shown) << entry;
}

// Only the reason of a refused value is wording; the field and the value
// stay, and a reason built with a value in it is shown as it is.
TEST_F(Translations, ARefusedValueShowsItsReasonTranslated) {
    const std::pair<FieldError, QString> cases[] = {
        {FieldError("Ch 3 Rec Freq", "180", "outside 136 to 174 MHz"),
         "Ch 3 Rec Freq: " + pseudoText("outside 136 to 174 MHz") + ": 180"},
        {FieldError(2, "Frequency", "450", "outside 136 to 174 MHz"),
         "row 2, column Frequency: \"450\": " + pseudoText("outside 136 to 174 MHz")},
        {FieldError("txtID", "12345678", "at most 7 digits"), "txtID: at most 7 digits: 12345678"},
    };
    for (const auto& [error, shown] : cases) EXPECT_EQ(fieldErrorText(error), shown) << error.what();
    EXPECT_EQ(commandFailureText(QStringLiteral("x")), pseudoText("The command could not be completed:\r%1").arg("x"));
}

// Every window and dialog of the editor, each as it first shows, and the
// link's messages and progress captions.
TEST_F(Translations, NoWindowShowsAnUntranslatedText) {
    TextWalk walk;
    int messages = 0;
    session->prompts().setMessageHandler([&](QWidget*, const QString& text, const QString& title, MsgIcon, MsgButtons) {
        ++messages;
        walk.text(nullptr, "message", text);
        walk.text(nullptr, "message title", title);
        return MsgAnswer::Cancel;
    });
    frmProc proc(session->prompts());
    WindowQueue queue;
    QtHost host(proc, session->prompts(), queue);
    host.messageBox("Error Hooking to Radio.", "COMM ERROR", MsgIcon::None, MsgButtons::RetryCancel);
    host.progShowForm("Reading ORV Memory", false);
    walk.window(&proc);
    host.progUnload();
    EXPECT_EQ(messages, 1);

    auto& main = open();
    walk.window(&main);
    frmGlobals& globals = session->loadGlobalsWindow();
    globals.show();
    walk.window(&globals);

    frmSplash splash;
    walk.window(&splash);
    frmAbout about(session->prompts());
    walk.window(&about);
    SystemInfo info;
    info.os = "Linux";
    info.devices.push_back({"/dev/ttyUSB0", "root", "dialout", false, {}});
    frmSysInfo sysInfo(info);
    walk.window(&sysInfo);
    frmHelp help(QString(ORV_BIN_DIR) + "/help/OrvHelp.html");
    walk.window(&help);
    SerialPortInfo port;
    port.device = "/dev/ttyUSB0";
    port.access = "yes";
    frmChooseDevice chooser(nullptr, 1, {port}, "/dev/ttyUSB0");
    walk.window(&chooser);
    frmCheckPort checkPort(nullptr, "/dev/ttyUSB0", [](const std::string&) { return std::vector<PortFinding>{}; });
    walk.window(&checkPort);
    frmMove move(nullptr);
    walk.window(&move);
    action(main, "mnuAllChannels")->trigger();
    int allChannels = 0;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* all = qobject_cast<frmAllChannels*>(top)) {
            walk.window(all);
            ++allChannels;
        }
    EXPECT_EQ(allChannels, 1);
    frmFind find(FindQuery{}, nullptr);
    walk.window(&find);
    for (auto mode : {frmBulkEdit::Mode::SetField, frmBulkEdit::Mode::Shift}) {
        frmBulkEdit bulk(mode, 3, {}, nullptr);
        walk.window(&bulk);
    }

    frmCompare compare(nullptr, session->prompts(), {});
    Difference d;
    d.where = "group 1 channel 1 Rec Freq";
    d.thisValue = "146.52000";
    d.thatValue = "0";
    compare.showDifferences({d}, "this.orv", "that.orv");
    walk.window(&compare);
    frmCsvPreview preview(nullptr, image(), 0,
                          std::string(kChannelCsvHeader) + "\r\n1,A,146.520000,,0,,,,,,,,FM,,,High,,,,,\r\n",
                          "g1.csv");
    walk.window(&preview);
    frmVerify verify;
    verify.showDifferences({"group 1 channel 1 Rec Freq: 146.52000 / 0"});
    walk.window(&verify);

    // The alignment window and its calculators, built without a radio.
    auto* tune = new frmTune(*session, TuneState{});
    walk.window(tune);
    frmPullGain pullGain(session->prompts(), [](long) {}, nullptr);
    walk.window(&pullGain);
    frmRefOsc refOsc(session->prompts(), [](long) {}, nullptr);
    walk.window(&refOsc);
    frmVCOMod vcoMod(session->prompts(), [](long) {}, nullptr);
    walk.window(&vcoMod);
    delete tune;

    EXPECT_TRUE(walk.escaped.isEmpty()) << walk.escaped.join(QLatin1Char('\n')).toStdString();
    EXPECT_GT(walk.checked, 300) << "the walk reached the windows' texts";
}

}  // namespace
