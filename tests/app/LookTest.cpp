// How the windows look and read: the twips layout scaled to the font, dark
// palettes, names for assistive technology, the tab order, the fixed
// dialogs' title bars, where Compare opens and where file dialogs start.
#include <QScreen>
#include <algorithm>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyleFactory>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextTable>
#include <cmath>
#include "DarkPalette.h"
#include "EditorTestSupport.h"
#include "app/AppState.h"
#include "app/BackupCommands.h"
#include "app/ChannelGrid.h"
#include "app/FileOpenSave.h"
#include "app/Twips.h"
#include "app/frmAbout.h"
#include "app/frmCompare.h"
#include "app/frmGlobals.h"
#include "app/frmHelp.h"
#include "app/frmMove.h"
#include "app/frmRadioLog.h"
#include "files/ImageFile.h"

using namespace orv;
using namespace orv::test;

namespace {

// How far apart two colours are in lightness (0..1); 0.4 reads well.
double apart(const QColor& a, const QColor& b) { return std::abs(a.lightnessF() - b.lightnessF()); }

QFont pointFont(const char* family, double points) {
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    return f;
}


TEST(LayoutScale, FollowsTheFontAndNeverShrinksTheLayout) {
    ensureEditorApp();
    struct Case { double points; double low; double high; };
    const Case cases[] = {
        {7.5, 1.0, 1.0},     // the face the layout was made for
        {5.0, 1.0, 1.0},     // smaller fonts keep the layout's sizes
        {15.0, 1.9, 2.3},    // twice the size: twice the layout
    };
    for (const Case& c : cases) {
        const double s = layoutScaleFor(pointFont("Liberation Sans", c.points));
        EXPECT_GE(s, c.low) << c.points;
        EXPECT_LE(s, c.high) << c.points;
    }
}


// Every visible control inside its parent, apart from its siblings, and its
// caption within its width.
void expectLaidOut(QWidget* parent, const QString& where) {
    std::vector<QWidget*> kids;
    for (QObject* o : parent->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        // The separator lines are drawn across the window under the controls.
        if (!w || w->isWindow() || !w->isVisibleTo(parent) || w->testAttribute(Qt::WA_TransparentForMouseEvents))
            continue;
        kids.push_back(w);
    }
    for (QWidget* w : kids) {
        const QString name = where + "/" + w->objectName() + "(" + w->metaObject()->className() + ")";
        EXPECT_TRUE(parent->rect().contains(w->geometry())) << name.toStdString() << " is clipped by its parent";
        for (QWidget* other : kids)
            if (other != w && w->geometry().intersects(other->geometry()))
                ADD_FAILURE() << name.toStdString() << " overlaps " << other->objectName().toStdString();
        QString caption;
        if (auto* l = qobject_cast<QLabel*>(w)) caption = l->text();
        else if (auto* b = qobject_cast<QAbstractButton*>(w)) caption = b->text();
        if (!caption.isEmpty()) {
            EXPECT_LE(w->sizeHint().width(), w->width()) << name.toStdString() << " cuts off \"" << caption.toStdString() << '"';
            EXPECT_LE(w->fontMetrics().height(), w->height()) << name.toStdString() << " is too low for its text";
        }
        if (auto* g = qobject_cast<QGroupBox*>(w)) {
            EXPECT_LE(g->fontMetrics().horizontalAdvance(g->title()) + 12, g->width()) << name.toStdString();
        }
        if (!qobject_cast<QAbstractScrollArea*>(w) && !qobject_cast<QComboBox*>(w)) expectLaidOut(w, name);
    }
}

class FontSizes : public EditorFixture, public ::testing::WithParamInterface<double> {};

TEST_P(FontSizes, WindowsScaleToTheFontWithoutClippingOrOverlap) {
    const double points = GetParam();
    if (points > 0) QApplication::setFont(pointFont("DejaVu Sans", points));
    TestWindow& win = open();
    // The window grows with the font: its width in pixels is the layout's
    // as far as the screen has room (a smaller window scrolls its area,
    // which keeps the layout).
    EXPECT_EQ(win.width(), std::min(twipsToPx(9180), QGuiApplication::primaryScreen()->availableGeometry().width()));
    QWidget* area = widget(win, "central");
    expectLaidOut(area, "frmGroups");
    // Each row of check boxes level with its grid row as drawn.
    for (int row : {0, 15}) {
        const ChannelGrid* g = grid(win);
        const int top = g->viewport()->mapTo(area, QPoint(0, g->rowViewportPosition(row))).y();
        EXPECT_NEAR(channelBox(win, "chkNarr", row)->geometry().center().y(), top + g->rowHeight(row) / 2, 2) << row;
    }
    frmGlobals& globals = session->loadGlobalsWindow();
    QCoreApplication::processEvents();
    expectLaidOut(globals.centralWidget(), "frmGlobals");
    frmMove move(&win);
    move.show();
    expectLaidOut(&move, "frmMove");
    // A window sized to its columns stays on the screen with its buttons.
    RadioLogContents log;
    log.entries.resize(1);
    log.entries[0].device = "/dev/serial/by-path/" + std::string(150, 'p');
    frmRadioLog radioLog(log, [](const QString&) { return false; }, &win);
    radioLog.show();
    EXPECT_LE(radioLog.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
}

TEST_F(FontSizes, ANewDesktopFontScalesTheOpenWindow) {
    TestWindow& win = open();
    const int before = win.width();
    QApplication::setFont(pointFont("DejaVu Sans", 14));
    QCoreApplication::processEvents();
    EXPECT_GT(win.width(), before * 3 / 2);
    EXPECT_EQ(win.width(), twipsToPx(9180));
}

INSTANTIATE_TEST_SUITE_P(Look, FontSizes, ::testing::Values(0.0, 14.0),
                         [](const auto& info) { return info.param > 0 ? std::string("Points14") : std::string("Default"); });


class Look : public EditorFixture {};

std::vector<QWidget*> focusable(QWidget* window) {
    std::vector<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // Windows of their own (popup lists, owned windows) are checked as windows; a control
        // that hands its focus to a part is checked as that part.
        if (w->focusPolicy() == Qt::NoFocus || w->window() != window || w->focusProxy()) continue;
        // An editable list's text part and a scroll area's viewport are one control with their owner.
        if (qobject_cast<QComboBox*>(w->parentWidget()) || qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
            continue;
        out.push_back(w);
    }
    return out;
}

TEST_F(Look, EveryFocusableControlHasAnAccessibleName) {
    TestWindow& win = open();
    frmMove move(&win);
    frmAbout about(session->prompts(), &win);
    frmHelp help(QString::fromUtf8(ORV_SOURCE_DIR "/docs/help/OrvHelp.html"), &win);
    frmCompare compare(&win, session->prompts(), {});
    compare.showDifferences({}, "this.orv", "that.orv");
    QWidget* windows[] = {&win, &session->loadGlobalsWindow(), &move, &about, &help, &compare};
    for (QWidget* window : windows) {
        for (QWidget* w : focusable(window)) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
            ASSERT_NE(a, nullptr);
            EXPECT_FALSE(a->text(QAccessible::Name).trimmed().isEmpty())
                << window->objectName().toStdString() << "/" << w->objectName().toStdString() << " ("
                << w->metaObject()->className() << ") has no name";
        }
    }
    // The check boxes carry their channel and column; text boxes their label's text.
    EXPECT_EQ(win.findChild<QWidget*>("chkNarr2")->accessibleName(), "Ch 3 Narrow Band");
    EXPECT_EQ(win.findChild<QWidget*>("txtGrpLab")->accessibleName(), "Group Label");
}

TEST_F(Look, TabGoesFromTheGroupSelectorToTheChannels) {
    TestWindow& win = open();
    // The next control that Tab reaches, past the selector's own text part.
    const QComboBox* selector = widget<QComboBox>(win, "cboCurrentGroup");
    QWidget* next = selector->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus) || selector->isAncestorOf(next)) next = next->nextInFocusChain();
    EXPECT_EQ(next, grid(win));
}


TEST_F(Look, FixedDialogsHaveTitleAndCloseBoxOnly) {
    TestWindow& win = open();
    auto expectFixed = [](QWidget* d) {
        const Qt::WindowFlags f = d->windowFlags();
        EXPECT_TRUE(f.testFlag(Qt::MSWindowsFixedSizeDialogHint)) << d->windowTitle().toStdString();
        EXPECT_TRUE(f.testFlag(Qt::WindowCloseButtonHint)) << d->windowTitle().toStdString();
        EXPECT_FALSE(f.testFlag(Qt::WindowMinimizeButtonHint)) << d->windowTitle().toStdString();
        EXPECT_FALSE(f.testFlag(Qt::WindowMaximizeButtonHint)) << d->windowTitle().toStdString();
    };
    frmMove move(&win);
    expectFixed(&move);
    frmAbout about(session->prompts(), &win);
    expectFixed(&about);
    int seen = 0;
    DialogWatcher watcher([&](QDialog* d) {
        ++seen;
        expectFixed(d);
        d->reject();
    });
    showMessage(&win, "The radio does not answer.", "COMM ERROR", MsgIcon::Critical, MsgButtons::OK);
    EXPECT_EQ(seen, 1);
}

// A box with a short text is still wide enough for its whole title.
TEST_F(Look, AMessageBoxIsWideEnoughForItsTitle) {
    TestWindow& win = open();
    const QString title = "Verify Radio against the programming on screen of group 15";
    int width = 0, titleWidth = 0;
    DialogWatcher watcher([&](QDialog* d) {
        width = d->width();
        titleWidth = d->fontMetrics().horizontalAdvance(d->windowTitle());
        d->reject();
    });
    showMessage(&win, "Radio matches", title, MsgIcon::Information, MsgButtons::OK);
    EXPECT_GT(titleWidth, 0);
    EXPECT_GE(width, titleWidth + 4 * win.fontMetrics().height());
}

TEST_F(Look, CompareOpensCentredOnTheMainWindow) {
    TestWindow& win = open();
    win.move(40, 30);
    const QString file = freshDir() + "/other.orv";
    ASSERT_TRUE(saveImageFile(file.toStdString(), image()));
    session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return file; });
    frmCompare* compare = compareWithFile(win, {});
    session->prompts().setFileChooser({});
    ASSERT_NE(compare, nullptr);
    // Within the frame's few pixels.
    const QPoint offset = compare->frameGeometry().center() - win.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 6) << offset.x() << "," << offset.y();
}


TEST(HelpColours, TheGuidesOwnColoursStayWhereTheyRead) {
    ensureEditorApp();
    const QString html = "<html><head><style>h1 { color: #1e3c6e; } th { background: #e6e9f2; }</style></head></html>";
    QPalette light(QColor(240, 240, 240));
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    for (const auto& [palette, kept] : {std::pair{light, true}, std::pair{darkPalette(), false}}) {
        const QString out = frmHelp::withPaletteColours(html, palette);
        EXPECT_EQ(out.contains("#1e3c6e"), kept);
        EXPECT_EQ(out.contains("#e6e9f2"), kept);
    }
}

TEST_F(Look, DarkPaletteKeepsTheHelpAndTheHeadersReadable) {
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(darkPalette());
    frmHelp help(QString::fromUtf8(ORV_SOURCE_DIR "/docs/help/OrvHelp.html"));
    const QColor page = help.browser->palette().color(QPalette::Base);
    int headings = 0, cells = 0;
    for (QTextBlock b = help.browser->document()->begin(); b.isValid(); b = b.next()) {
        if (b.text().trimmed().isEmpty()) continue;
        const QTextCharFormat f = b.charFormat();
        const QColor ink = f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color()
                                                                      : help.browser->palette().color(QPalette::Text);
        QColor ground = page;
        if (QTextTable* t = QTextCursor(b).currentTable()) {
            const QTextTableCellFormat cf = t->cellAt(b.position()).format().toTableCellFormat();
            if (cf.hasProperty(QTextFormat::BackgroundBrush)) ground = cf.background().color();
            ++cells;
        }
        if (b.blockFormat().headingLevel() > 0) ++headings;
        EXPECT_GE(apart(ink, ground), 0.4) << b.text().left(40).toStdString();
    }
    EXPECT_GT(headings, 3);
    EXPECT_GT(cells, 3);

    // The grid's header as drawn: the text stands out from the section.
    TestWindow& win = open();
    const QImage header = grid(win)->horizontalHeader()->grab().toImage();
    const QColor section = header.pixelColor(header.width() / 4, 2);
    double best = 0;
    for (int y = 0; y < header.height(); ++y)
        for (int x = 0; x < header.width() / 2; ++x) best = std::max(best, apart(header.pixelColor(x, y), section));
    EXPECT_GE(best, 0.4);
}


TEST(DialogStart, BareNamesAndEmptyStartsGoToTheUsersFolder) {
    struct Case { const char* current; const char* setupFolder; const char* userFolder; const char* start; };
    const Case cases[] = {
        {"", "", "", ""},
        {"", "/backups", "/home/u/radios", "/backups"},
        {"", "", "/home/u/radios", "/home/u/radios"},
        {"serial-trace.txt", "", "/home/u/radios", "/home/u/radios/serial-trace.txt"},
        {"serial-trace.txt", "", "", "serial-trace.txt"},
        {"/tmp/fleet/a.orv", "", "/home/u/radios", "/tmp/fleet/a.orv"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dialogStartPath(c.current, c.setupFolder, c.userFolder), QString::fromLatin1(c.start)) << c.current;
}

TEST_F(Look, SaveAsAfterOpenBackupStartsInTheUsersFolder) {
    TestWindow& win = open();
    const QString mine = freshDir();
    const QString file = mine + "/fleet.orv";
    ASSERT_TRUE(saveImageFile(file.toStdString(), image()));
    keepBackupOf(win, image(), BackupKind::Read);
    const std::vector<std::string> backups = listBackups(backupFolder());
    ASSERT_FALSE(backups.empty());
    QStringList starts;
    QString answer = file;
    session->prompts().setFileChooser([&](QWidget*, bool, const QString& start) {
        starts << start;
        return answer;
    });
    ASSERT_TRUE(FileOpenSave::openFile(win));
    answer = QString::fromStdString(backups.back());
    ASSERT_TRUE(mnuOpenBackup_Click(win));
    answer.clear();   // Save As cancelled
    FileOpenSave::saveFileAs(win);
    session->prompts().setFileChooser({});
    ASSERT_EQ(starts.size(), 3);
    EXPECT_EQ(QDir(starts[2]), QDir(mine));
}

}  // namespace
