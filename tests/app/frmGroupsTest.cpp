// The main window: start-up, menus, group switching, the cell-edit rules,
// the layout, closing.
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QScrollArea>
#include <QScrollBar>
#include <QApplication>
#include <QStatusBar>
#include <QSettings>
#include <QSqlTableModel>
#include <QTest>
#include "app/QtHost.h"
#include "app/RadioLink.h"
#include "app/ChannelGrid.h"
#include "app/EditorShell.h"
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "files/Backups.h"
#include "files/ImageFile.h"
#include <QDir>
#include "app/Twips.h"
#include "image/clsGroup.h"

using namespace orv;
using namespace orv::test;

namespace {

class Editor : public EditorFixture {};

// The group g as the image holds it.
GroupView imageGroup(const MemoryImage& image, int g) {
    GroupView v;
    clsGroup(image, v).Read_Group(g);
    return v;
}

TEST_F(Editor, StartsWithGroupOneFromTheStartUpDefaults) {
    auto& win = open();
    EXPECT_EQ(win.windowTitle(), "ORVEDIT  -  ORV Editor[*]");
    EXPECT_FALSE(win.isFirstActivation());
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentText(), "1");
    EXPECT_EQ(widget<QLineEdit>(win, "txtGrpLab")->text(), "  GROUP1");
    ASSERT_NE(table(win), nullptr);
    ASSERT_EQ(table(win)->rowCount(), 16);
    const char* freqs[4] = {"162.40000", "162.45000", "162.50000", "162.55000"};
    for (int r = 0; r < 16; ++r) {
        EXPECT_EQ(cell(r, 0), QString::number(r + 1));
        EXPECT_EQ(cell(r, 1), freqs[r % 4]) << "row " << r;
        EXPECT_EQ(cell(r, 2), "000.0");
        EXPECT_EQ(cell(r, 3), "000.00000");
        EXPECT_EQ(cell(r, 5), QString("Ch %1").arg(r + 1).rightJustified(8, ' '));
    }
    const char* captions[6] = {"Chan", "Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Ch Label"};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(table(win)->headerData(c, Qt::Horizontal).toString(), captions[c]);
    EXPECT_TRUE(action(win, "mnuCommPort1")->isChecked());
    EXPECT_FALSE(action(win, "mnuPaste")->isEnabled());
}

// The user code guard channel lies in bits a write never sends: its list
// says so, and so does the status bar when the user changes it.
TEST_F(Editor, TheUserCodeGuardChannelSaysAWriteNeverSendsIt) {
    auto& win = open();
    auto* chan = widget<QComboBox>(win, "cboUCGChan");
    EXPECT_TRUE(chan->toolTip().contains("not written by a radio write")) << chan->toolTip().toStdString();
    EXPECT_TRUE(widget<QCheckBox>(win, "chkUCGEncode")->toolTip().isEmpty()) << "bit 5 is sent";
    EXPECT_TRUE(widget<QComboBox>(win, "cboBCI")->toolTip().isEmpty());
    emit chan->activated(3);
    EXPECT_TRUE(win.statusBar()->currentMessage().contains("not written by a radio write"))
        << win.statusBar()->currentMessage().toStdString();
}

TEST_F(Editor, ShowingTheWindowRunsItsFirstActivationOnItsOwn) {
    image().clear();
    w = std::make_unique<TestWindow>(*session);
    EXPECT_EQ(widget<QLineEdit>(*w, "txtGrpLab")->text(), "GROUP 0");  // the start text, before any data moves
    w->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w->isFirstActivation(); }, 2000));
    EXPECT_EQ(widget<QLineEdit>(*w, "txtGrpLab")->text(), "  GROUP1");
    // The working files are the private copies named by ORVEDIT_DATA_DIR.
    EXPECT_EQ(w->channels().dataDirectory(), dataDir);
    EXPECT_TRUE(QFile::exists(dataDir + "/OrvCurrent.mdb"));
    EXPECT_TRUE(QFile::exists(dataDir + "/OrvLast.mdb"));
}

TEST_F(Editor, MenuBarHoldsEveryEntryWithItsCaptionAndShortcut) {
    auto& win = open();
    // Each entry by its documented name.
    struct E { const char* name; const char* caption; const char* key; };
    const E entries[] = {
        {"mnuSave", "&Save", "Ctrl+S"}, {"mnuSaveAs", "Sa&ve As", "Ctrl+Shift+S"}, {"mnuOpen", "&Open", "Ctrl+O"},
        {"mnuLast", "&Last Screen", "Ctrl+L"}, {"mnuDefault", "&Default Screen", "Ctrl+D"},
        {"mnuBlank", "&Blank Screen", "Ctrl+B"}, {"mnuPrint", "&Print Displayed ORV Setup", "Ctrl+P"},
        {"mnuSetup", "Print Set&up", ""}, {"mnuExit", "&Exit", "Ctrl+Q"}, {"mnuRead", "Read Radio", "F2"},
        {"mnuReadGlobal", "Read Global Information from Radio", ""},
        {"mnuReadGroup", "Read Group from Radio", ""}, {"mnuWriteAll", "Write Radio", "F3"},
        {"mnuWriteGlobal", "Write Global Information To Radio", ""},
        {"mnuWriteGroup", "Write Current Group to Radio", "F4"},
        {"mnuReadCurrGroup", "Read Current Group", ""}, {"mnuWriteCurrGroup", "Write Current Group", ""},
        {"mnuGlobals", "Global Parameters", ""}, {"mnuUndo", "Undo", "Ctrl+Z"}, {"mnuAll", "Copy All", "Ctrl+A"},
        {"mnuRow", "Copy a row", "Ctrl+R"}, {"mnuPaste", "Paste", "Ctrl+V"}, {"mnuMove", "Move", "Ctrl+M"},
        {"mnuTuneRadio", "&Tune", ""}, {"mnuAbout", "About ORVEDIT", ""}, {"mnuHelp", "Help", "Ctrl+H"},
        {"mnuCommPort1", "Use Comm Port 1", ""}, {"mnuCommPort4", "Use Comm Port 4", ""}};
    for (const auto& e : entries) {
        const QAction* a = action(win, e.name);
        EXPECT_EQ(a->text().section('\t', 0, 0), e.caption);   // a port entry shows its device after a tab
        EXPECT_EQ(a->shortcut().toString(), e.key) << e.caption;
    }
    EXPECT_EQ(action(win, "mnuCommPort4")->text().section('\t', 1), RadioLink::deviceForPort(4));
    QStringList top;
    for (QAction* a : win.menuBar()->actions()) top << QString(a->text()).remove('&');   // the access keys aside
    EXPECT_EQ(top, QStringList({"File", "Radio", "Edit", "Tune", "Comm-Port", "Help"}));
    EXPECT_EQ(action(win, "mnuTuneRadio")->menu(), nullptr);  // a command, not a menu
    for (const char* hidden : {"mnuSep3", "mnuReadCurrGroup", "mnuWriteCurrGroup"})
        EXPECT_FALSE(action(win, hidden)->isVisible()) << hidden;
    EXPECT_TRUE(action(win, "mnuSep3")->isSeparator());
}

TEST_F(Editor, StoredPortIsCheckedOnActivation) {
    QSettings().setValue("Comm/Port", 3);
    auto& win = open();
    // The port in use is named on the Comm-Port menu.
    EXPECT_TRUE(widget<QMenu>(win, "mnuCommPortx")->toolTip().startsWith("Comm Port 3: "));
    for (int n = 0; n < 4; ++n) EXPECT_EQ(action(win, QStringLiteral("mnuCommPort%1").arg(n + 1))->isChecked(), n == 2);
    QSettings().remove("Comm/Port");
}

TEST_F(Editor, SwitchingGroupsStoresTheShownGroupFirst) {
    auto& win = open();
    widget<QLineEdit>(win, "txtGrpLab")->setText("ALPHA");
    typeCell(2, 1, "155.125");
    EXPECT_EQ(cell(2, 1), "155.12500");
    channelBox(win, "chkLoPower", 3)->setChecked(true);
    widget<QComboBox>(win, "cboTOT")->setCurrentIndex(4);

    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(1);
    EXPECT_EQ(win.intCurrentGroup(), 1);
    EXPECT_EQ(widget<QLineEdit>(win, "txtGrpLab")->text(), "  GROUP2");
    EXPECT_EQ(cell(2, 1), "162.50000");
    EXPECT_FALSE(channelBox(win, "chkLoPower", 3)->isChecked());

    const GroupView stored = imageGroup(image(), 0);
    EXPECT_EQ(stored.txtGrpLab, "   ALPHA");
    EXPECT_EQ(stored.channels.cells[2][1], "155.12500");
    EXPECT_EQ(stored.channels.chkLoPower[3], 1);
    EXPECT_EQ(stored.cboTOT, 4);

    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(0);
    EXPECT_EQ(widget<QLineEdit>(win, "txtGrpLab")->text(), "   ALPHA");
    EXPECT_EQ(cell(2, 1), "155.12500");
    EXPECT_TRUE(channelBox(win, "chkLoPower", 3)->isChecked());
    EXPECT_EQ(widget<QComboBox>(win, "cboTOT")->currentText(), "60");
}

TEST_F(Editor, AValueTheImageCannotHoldKeepsTheWindowAndTheImage) {
    auto& win = open();
    const MemoryImage before = image();
    win.channels().setCell(4, 2, "1234.5");  // four digits before the point: no code for it
    EXPECT_FALSE(win.storeCurrentGroup());
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(image() == before);

    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(2);
    EXPECT_EQ(beeps, 2);
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 0);
    EXPECT_EQ(win.intCurrentGroup(), 0);
    EXPECT_EQ(cell(4, 2), "1234.5");
    EXPECT_TRUE(image() == before);
}

TEST_F(Editor, TypedFrequenciesAreCheckedWhenTheEditEnds) {
    auto& win = open();
    struct Case { const char* typed; const char* shown; int beeps; };
    const Case cases[] = {
        {"16240", "162.40000", 0},     {"162400", "162.40000", 0},  {"155.00625", "155.00625", 0},
        {"180", "162.45000", 1},       {"120", "162.45000", 1},     {"162.4113", "162.45000", 1},
        {"162.41234567", "162.45000", 1}, {"0", "000.00000", 0},    {"174", "174.00000", 0},
        {"136", "136.00000", 0},       {"1.4", "162.45000", 1},     {"14.5", "162.45000", 1},
    };
    for (const auto& c : cases) {
        win.channels().setCell(1, 1, 162.45);
        beeps = 0;
        typeCell(1, 1, c.typed);
        EXPECT_EQ(cell(1, 1), c.shown) << "typed " << c.typed;
        EXPECT_EQ(beeps, c.beeps) << "typed " << c.typed;
    }
    // Tx Freq follows the same rules.
    beeps = 0;
    typeCell(5, 3, "16245");
    EXPECT_EQ(cell(5, 3), "162.45000");
    typeCell(5, 3, "175");
    EXPECT_EQ(cell(5, 3), "162.45000");
    EXPECT_EQ(beeps, 1);
}

TEST_F(Editor, NonNumericKeysInAFrequencyCellAreRefused) {
    auto& win = open();
    const QModelIndex idx = table(win)->index(0, 1);
    grid(win)->setCurrentIndex(idx);
    grid(win)->edit(idx);
    QLineEdit* e = grid(win)->activeEditor();
    ASSERT_NE(e, nullptr);
    e->selectAll();
    QTest::keyClicks(e, "16");
    EXPECT_EQ(beeps, 0);
    QTest::keyClick(e, Qt::Key_X);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(e->text(), "162.40000");
    QTest::keyClick(e, Qt::Key_Backspace);  // editing keys pass
    EXPECT_EQ(beeps, 1);
    QTest::keyClick(e, Qt::Key_Escape);
}

TEST_F(Editor, AFrequencyThatIsNoFiniteNumberIsRefused) {
    auto& win = open();
    // "1400", the caret moved left three places, "e" inserted: every key
    // leaves a number ("1e400"), but not a finite one.
    const QModelIndex idx = table(win)->index(0, 1);
    grid(win)->setCurrentIndex(idx);
    grid(win)->edit(idx);
    QLineEdit* e = grid(win)->activeEditor();
    ASSERT_NE(e, nullptr);
    e->selectAll();
    QTest::keyClicks(e, "1400");
    for (int i = 0; i < 3; ++i) QTest::keyClick(e, Qt::Key_Left);
    QTest::keyClick(e, Qt::Key_E);
    EXPECT_EQ(e->text(), "1e400");
    EXPECT_EQ(beeps, 0);
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents();   // the delegate ends the edit from the event loop
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(cell(0, 1), "162.40000");
}

TEST_F(Editor, CodeGuardsTheImageCannotHoldAreRefused) {
    auto& win = open();
    // In "Rec CG", where no letter has a meaning of its own (C and S copy in
    // the transmit columns).
    struct Case { const char* typed; const char* shown; int beeps; };
    const Case cases[] = {{"1234.5", "000.0", 1}, {"D12", "000.0", 1}, {"DX12", "000.0", 1},
                          {"abx", "000.0", 1},    {"abc.d", "000.0", 1}, {"-67.0", "000.0", 1},
                          {"D7770", "000.0", 1},  {"D023-", "D023-", 0}, {"067.0", "067.0", 0},
                          {"250.3", "250.3", 0}};
    for (const auto& c : cases) {
        win.channels().setCell(7, 2, "000.0");
        beeps = 0;
        typeCell(7, 2, c.typed);
        EXPECT_EQ(cell(7, 2), c.shown) << "typed " << c.typed;
        EXPECT_EQ(beeps, c.beeps) << "typed " << c.typed;
    }
    EXPECT_TRUE(win.storeCurrentGroup());
    EXPECT_EQ(imageGroup(image(), 0).channels.cells[7][2], "250.3");
}

TEST_F(Editor, CInTxFreqCopiesEveryReceiveFrequency) {
    auto& win = open();
    typeCell(9, 1, "151.625");
    const QModelIndex idx = table(win)->index(6, 3);
    grid(win)->setCurrentIndex(idx);
    QTest::keyClick(grid(win), Qt::Key_C);
    for (int r = 0; r < 16; ++r) EXPECT_EQ(cell(r, 3), cell(r, 1)) << "row " << r;
    EXPECT_EQ(cell(9, 3), "151.62500");
    EXPECT_EQ(grid(win)->currentIndex().row(), 0);
    EXPECT_EQ(grid(win)->currentIndex().column(), 0);
    EXPECT_EQ(grid(win)->activeEditor(), nullptr);
    EXPECT_EQ(beeps, 0);
}

TEST_F(Editor, SInTxCgCopiesTheCurrentRowOnly) {
    auto& win = open();
    win.channels().setCell(3, 2, "D023");
    win.channels().setCell(4, 2, "D754-");
    grid(win)->setCurrentIndex(table(win)->index(3, 4));
    QTest::keyClick(grid(win), Qt::Key_S);
    EXPECT_EQ(cell(3, 4), "D023");
    EXPECT_EQ(cell(4, 4), "000.0");
}

TEST_F(Editor, ChanColumnIsLockedAndHomeGoesToRecFreq) {
    auto& win = open();
    const QModelIndex chan = table(win)->index(5, 0);
    grid(win)->setCurrentIndex(chan);
    grid(win)->edit(chan);
    EXPECT_EQ(grid(win)->activeEditor(), nullptr);
    QTest::keyClick(grid(win), Qt::Key_Home);
    EXPECT_EQ(grid(win)->currentIndex().row(), 5);
    EXPECT_EQ(grid(win)->currentIndex().column(), 1);
}

TEST_F(Editor, TypedGroupNumbersOutsideOneToFifteenAreRefused) {
    auto& win = open();
    // Keys go where the window system sends them: to the combo box, which
    // hands them to its line edit itself.
    QComboBox* combo = widget<QComboBox>(win, "cboCurrentGroup");
    QLineEdit* e = combo->lineEdit();
    combo->setFocus();
    struct Case { const char* typed; int beeps; const char* shown; };
    // A letter never gets in: the key is refused as it is typed.
    const Case cases[] = {{"16", 1, "1"}, {"0", 1, "1"}, {"12", 0, "12"}, {"\b", 1, "1"}, {"99", 1, "1"},
                          {"1f", 0, "1"}, {"f", 0, "1"}};
    for (const auto& c : cases) {
        e->setText("1");
        beeps = 0;
        e->selectAll();
        if (QString(c.typed) == "\b")
            QTest::keyClick(combo, Qt::Key_Backspace);  // an empty field
        else
            QTest::keyClicks(combo, c.typed);
        EXPECT_EQ(beeps, c.beeps) << c.typed;
        EXPECT_EQ(e->text(), c.shown) << c.typed;
    }
    EXPECT_EQ(win.intCurrentGroup(), 0);  // typing alone does not switch
    // Typed into the widget that has the focus, "1f" stays "1" after Tab.
    e->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "1f");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(e->text(), "1");
}

TEST_F(Editor, TopMenusOpenWithAltAndTheirOwnLetter) {
    auto& win = open();
    QList<QKeySequence> keys;
    for (QAction* a : win.menuBar()->actions()) {
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        EXPECT_FALSE(key.isEmpty()) << a->text().toStdString();
        EXPECT_FALSE(keys.contains(key)) << a->text().toStdString() << " shares its access key";
        keys << key;
    }
    auto* file = win.menuBar()->findChild<QMenu*>("mnuFile");
    ASSERT_NE(file, nullptr);
    QTest::keyClick(&win, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return file->isVisible(); }, 2000));
    file->close();
}

// A platform style that lets the arrow keys stop on disabled entries.
class StopOnDisabledStyle : public QProxyStyle {
public:
    StopOnDisabledStyle() : QProxyStyle(QStringLiteral("fusion")) {}
    int styleHint(StyleHint hint, const QStyleOption* o, const QWidget* w, QStyleHintReturn* r) const override {
        return hint == SH_Menu_AllowActiveAndDisabled ? 1 : QProxyStyle::styleHint(hint, o, w, r);
    }
};

TEST_F(Editor, ArrowKeysPassOverDisabledMenuEntries) {
    const QString appStyle = QApplication::style()->name();
    QApplication::setStyle(new StopOnDisabledStyle);
    auto& win = open();
    action(win, "mnuTuneRadio")->setEnabled(false);   // as while a radio exchange runs
    auto* edit = win.menuBar()->findChild<QMenu*>("mnuEdit");
    auto* comm = win.menuBar()->findChild<QMenu*>("mnuCommPortx");
    ASSERT_TRUE(edit && comm);
    win.menuBar()->setActiveAction(edit->menuAction());
    ASSERT_TRUE(QTest::qWaitFor([&] { return edit->isVisible(); }, 2000));
    // Down from "Copy" passes the disabled "Paste" to "Move".
    ASSERT_FALSE(action(win, "mnuPaste")->isEnabled());
    edit->setActiveAction(edit->findChild<QMenu*>("mnuCopy")->menuAction());
    QTest::keyClick(edit, Qt::Key_Down);
    EXPECT_EQ(edit->activeAction(), action(win, "mnuMove"));
    // Right from Edit passes the disabled "Tune" to Comm-Port.
    QTest::keyClick(edit, Qt::Key_Right);
    EXPECT_TRUE(QTest::qWaitFor([&] { return comm->isVisible(); }, 2000));
    EXPECT_EQ(win.menuBar()->activeAction(), comm->menuAction());
    comm->close();
    QApplication::setStyle(appStyle);
}

TEST_F(Editor, ARefusedCellSaysWhyInTheStatusBarBelowTheGrid) {
    auto& win = open();
    typeCell(1, 1, "162.4113");
    ASSERT_FALSE(win.editor().lastRefusal().empty());
    EXPECT_EQ(win.statusBar()->currentMessage().toStdString(), win.editor().lastRefusal());
    EXPECT_TRUE(win.statusBar()->currentMessage().startsWith("162.4113: "));
    // The bar takes no room from the grid.
    const int gridBottom = grid(win)->mapTo(&win, QPoint(0, grid(win)->height())).y();
    EXPECT_GE(win.statusBar()->geometry().top(), gridBottom);
    EXPECT_TRUE(win.statusBar()->isVisible());
}

// A window made smaller than its design (or larger in one direction only)
// keeps the size it was given and the default layout; where the layout does
// not fit, the controls' area scrolls.
TEST_F(Editor, ASmallerWindowKeepsItsSizeAndScrollsTheDefaultLayout) {
    auto& win = open();
    const QSize def(twipsToPx(9180), twipsToPx(6570));
    EXPECT_EQ(win.size(), def);
    auto* scroll = widget<QScrollArea>(win, "centralScroll");
    struct Case { QSize size; bool scrolls; };
    for (const Case& c : {Case{QSize(400, 300), true}, Case{QSize(def.width() + 200, def.height()), false},
                          Case{QSize(def.width(), def.height() + 100), false}, Case{def, false}}) {
        SCOPED_TRACE(std::to_string(c.size.width()) + "x" + std::to_string(c.size.height()));
        win.resize(c.size);
        QCoreApplication::processEvents();
        EXPECT_EQ(win.size(), c.size);
        EXPECT_EQ(scroll->horizontalScrollBar()->isVisible(), c.scrolls);
        EXPECT_EQ(scroll->verticalScrollBar()->isVisible(), c.scrolls);
        EXPECT_EQ(win.twipsGeometry(widget<QGroupBox>(win, "fraBCI")).x(), 6600);
        EXPECT_EQ(win.twipsGeometry(grid(win)), QRect(0, 960, 5715, 4560));
        EXPECT_EQ(win.twipsGeometry(channelBox(win, "chkScan", 0)).x(), 5820);
        EXPECT_EQ(win.channels().rowHeightTwips(), 250);
        EXPECT_EQ(win.channels().columnTwips(), (std::array<int, 6>{690, 1110, 750, 1110, 750, 990}));
    }
}

// The size a window was closed with is where the program's next start
// begins (a window made by anything else keeps the designed size).
TEST_F(Editor, TheNextStartTakesTheSizeTheWindowWasClosedWith) {
    auto& win = open();
    win.resize(500, 380);
    QCoreApplication::processEvents();
    win.answer = QMessageBox::No;
    ASSERT_TRUE(win.close());
    auto& next = open();
    EXPECT_EQ(next.size(), frmGroups::designedSize());
    next.restoreUserSize();
    EXPECT_EQ(next.size(), QSize(500, 380));
    appSettings()->remove("Position/MainSize");
}

TEST_F(Editor, AnEnlargedWindowMovesFramesAndStretchesTheGrid) {
    auto& win = open();
    win.resize(900, 700);
    QCoreApplication::processEvents();
    ASSERT_EQ(win.size(), QSize(900, 700));
    const int W = pxToTwips(900), H = pxToTwips(700);
    const int dx = W - 9180;
    for (const char* frame : {"fraDisplyControl", "fraDualPri", "fraBattSave", "fraUCG", "fraLockout", "fraBCI",
                              "frmOffset", "fraANI"})
        EXPECT_EQ(win.twipsGeometry(widget<QGroupBox>(win, frame)).x(), W - 2600) << frame;
    EXPECT_EQ(win.twipsGeometry(channelBox(win, "chkScan", 0)).x(), 5820 + dx);
    EXPECT_EQ(win.twipsGeometry(channelBox(win, "chkLoPower", 15)).x(), 6330 + dx);
    EXPECT_EQ(win.twipsGeometry(widget<QLabel>(win, "lblNarr")).x(), 4710 + dx);
    const QRect place = win.twipsGeometry(grid(win));
    EXPECT_EQ(place.width(), 5820 + dx - 20);
    // As high as the window less 1100, but never past the window's bottom.
    EXPECT_LE(place.height(), H - 1100);
    EXPECT_LE(place.y() + place.height(), pxToTwips(win.centralWidget()->height()));
    EXPECT_EQ(win.channels().rowHeightTwips(), int(place.height() / 17.5));
    const int step = int(std::nearbyint((place.width() - 5715) / 6.0));
    EXPECT_EQ(win.channels().columnTwips()[1], 1110 + step);
    // Each row of check boxes stays level with its grid row.
    const ChannelGrid* g = grid(win);
    const int rowTop = g->rowViewportPosition(15) + g->viewport()->mapTo(win.centralWidget(), QPoint()).y();
    const QRect box = channelBox(win, "chkScan", 15)->geometry();
    EXPECT_NEAR(box.center().y(), rowTop + g->rowHeight(15) / 2, 3);

    win.resize(twipsToPx(9180), twipsToPx(6570));
    QCoreApplication::processEvents();
    EXPECT_EQ(win.twipsGeometry(widget<QGroupBox>(win, "fraBCI")).x(), 6600);
    EXPECT_EQ(win.twipsGeometry(grid(win)), QRect(0, 960, 5715, 4560));
}

TEST_F(Editor, ClosingAsksToSaveAndCancelKeepsTheWindow) {
    auto& win = open();
    win.answer = QMessageBox::Cancel;
    EXPECT_FALSE(win.close());
    EXPECT_TRUE(win.isVisible());
    EXPECT_EQ(win.asked, 1);
    EXPECT_EQ(win.saves, 0);

    win.answer = QMessageBox::Yes;
    win.saveResult = false;  // the save failed: stay open, nothing is lost
    EXPECT_FALSE(win.close());
    EXPECT_EQ(win.saves, 1);

    win.saveResult = true;
    EXPECT_TRUE(win.close());
    EXPECT_EQ(win.saves, 2);
    EXPECT_EQ(win.asked, 3);
}

// The title's modified mark follows a value typed into the grid (before it
// is stored) and goes with a save; Open then asks nothing.
TEST_F(Editor, TheTitleShowsUnsavedChangesUntilTheyAreSaved) {
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    EXPECT_FALSE(win.isWindowModified());
    const QString path = freshDir() + "/radio.orv";
    session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return path; });
    const QModelIndex idx = table(win)->index(2, colRecFreq);
    grid(win)->setCurrentIndex(idx);
    grid(win)->edit(idx);
    ASSERT_NE(grid(win)->activeEditor(), nullptr);
    grid(win)->activeEditor()->selectAll();
    QTest::keyClicks(grid(win)->activeEditor(), "160");
    EXPECT_TRUE(QTest::qWaitFor([&] { return win.isWindowModified(); }, 2000)) << "while the cell is typed";
    action(win, "mnuSaveAs")->trigger();
    EXPECT_FALSE(win.isWindowModified());
    EXPECT_TRUE(win.windowTitle().endsWith("ORV Editor[*]"));
    win.refreshModified();   // what the window's periodic check does
    EXPECT_FALSE(win.isWindowModified()) << "the saved screen is no change";
    action(win, "mnuOpen")->trigger();
    EXPECT_FALSE(boxes.wasAsked("Discard the unsaved changes?"));
    session->prompts().setFileChooser({});
}

// "Save before exit?" Yes, then Escape in the save dialog: the window closes
// as before, but the typed programming is kept as a backup, and the next
// start says once where it is.
TEST_F(Editor, AnExitWithoutASaveKeepsTheProgrammingAsABackup) {
    QDir(dataDir + "/backups").removeRecursively();
    test::ScriptedBoxes boxes(session->prompts());   // Yes, then OK to everything
    session->prompts().setFileChooser([](QWidget*, bool, const QString&) { return QString(); });   // Escape
    auto real = std::make_unique<frmGroups>(*session);
    real->show();
    if (real->isFirstActivation()) real->Form_Activate();
    QCoreApplication::processEvents();
    widget<QLineEdit>(*real, "txtPassWord")->setText("424242");
    EXPECT_TRUE(real->close());
    EXPECT_TRUE(boxes.wasAsked("Save before exit?"));
    const std::vector<std::string> kept = listBackups(backupFolder());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(kept[0]).endsWith("-exit.orv"));
    MemoryImage backup;
    ASSERT_TRUE(loadImageFile(kept[0], backup));
    EXPECT_EQ(imageGroup(backup, 0).txtPassWord, "424242");
    real.reset();

    for (const bool tells : {true, false}) {   // the next start, then the one after it
        boxes.asked.clear();
        open();
        QCoreApplication::processEvents();
        const std::vector<QString> asked = boxes.texts();
        const QStringList texts(asked.begin(), asked.end());
        EXPECT_EQ(texts.filter(QString::fromStdString(kept[0])).size(), tells ? 1 : 0) << texts.join('|').toStdString();
    }
    session->prompts().setFileChooser({});
}

// A label whose bytes are no characters (shown " BLANK  "), a group label
// shown empty and a digital code guard with an unused bit set keep their
// bytes when the group on screen is stored.
TEST_F(Editor, AnUntouchedFieldKeepsItsBytesWhenTheGroupIsStored) {
    auto& win = open();
    for (int i = 0; i < 8; ++i) {
        image()[channelLabelAddr(0, 4, i).address()] = 0xFF;
        image()[groupParamAddr(0, memmap::kGroupLabel + i).address()] = 0xFE;
    }
    image()[channelRecordAddr(0, 0, memmap::kRecReceiveCodeGuard).address()] = 0x88;   // D023 and a stray bit
    image()[channelRecordAddr(0, 0, memmap::kRecReceiveCodeGuard + 1).address()] = 0x13;
    const MemoryImage before = image();
    win.readCurrentGroup();
    ASSERT_EQ(cell(4, colChLabel), " BLANK  ");
    ASSERT_TRUE(win.storeCurrentGroup());
    EXPECT_TRUE(image() == before);
}

TEST_F(Editor, NoClosesWithoutSaving) {
    auto& win = open();
    win.answer = QMessageBox::No;
    action(win, "mnuExit")->trigger();
    EXPECT_FALSE(win.isVisible());
    EXPECT_EQ(win.saves, 0);
}

TEST_F(Editor, ReadAndWriteCurrentGroupMoveOneGroupWithoutTheRadio) {
    auto& win = open();
    EditorShell& shell = win;
    widget<QLineEdit>(win, "txtPassWord")->setText("123456");
    EXPECT_TRUE(shell.mnuWriteCurrGroup_Click());
    EXPECT_EQ(imageGroup(image(), 0).txtPassWord, "123456");
    widget<QLineEdit>(win, "txtPassWord")->setText("999999");
    shell.mnuReadCurrGroup_Click();
    EXPECT_EQ(widget<QLineEdit>(win, "txtPassWord")->text(), "123456");
    EXPECT_EQ(shell.currentGroupText(), "1");
}

}  // namespace
