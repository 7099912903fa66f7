// The editing commands in the real window, driven by keys and mouse: copy a
// row and paste it into another group, then save; Default, Blank and Last
// Screen; the offset entry; Undo; the double-click copy; the clipboard at an
// activation; Move through its dialog (the same bytes as orvedit-cli move).
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTest>
#include <QTimer>
#include "EditorTestSupport.h"
#include "app/frmHelp.h"
#include "RadioTestSupport.h"
#include "RunCli.h"
#include "app/ChannelGrid.h"
#include "app/frmGlobals.h"
#include "app/frmMove.h"
#include "image/WriteDefaults.h"
#include "files/ImageFile.h"
#include "image/clsGroup.h"

using namespace orv;
using namespace orv::test;
using test::ScriptedBoxes;

namespace {

GroupView imageGroup(const MemoryImage& image, int g) {
    GroupView v;
    clsGroup(image, v).Read_Group(g);
    return v;
}

class EditCommands : public EditorFixture {
protected:
    ~EditCommands() override { session->prompts().setFileChooser({}); }
    // A shortcut key pressed where the keyboard focus is (the grid).
    // The main window becomes the active window (as the window manager
    // makes it after a dialog closes), so that its shortcuts work.
    void activate() {
        if (QApplication::activeWindow() == w.get()) return;
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.get(); }, 2000));
    }
    void ctrl(Qt::Key key) {
        activate();
        grid(*w)->setFocus();
        QTest::keyClick(grid(*w), key, Qt::ControlModifier);
        QCoreApplication::processEvents();
    }
    void clickCell(int row, int col) {
        const QRect r = grid(*w)->visualRect(table(*w)->index(row, col));
        QTest::mouseClick(grid(*w)->viewport(), Qt::LeftButton, {}, r.center());
    }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    std::array<QString, 6> row(int r) const {
        std::array<QString, 6> cells;
        for (int c = 0; c < 6; ++c) cells[size_t(c)] = cell(r, c);
        return cells;
    }
    // The focus goes to another window of the editor and comes back to the
    // main window, which activates it.
    void activateFromGlobalWindow() {
        session->showGlobalsWindow();
        session->globalsWindow()->activateWindow();
        QCoreApplication::processEvents();
        w->activateWindow();
        QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.get(); }, 2000));
        session->globalsWindow()->hide();
    }
};

TEST_F(EditCommands, ARowCopiedOnGroupOnePastedIntoRowFiveOfGroupThreeIsSavedExactly) {
    auto& win = open();
    typeCell(1, 1, "155.125");
    typeCell(1, 2, "D023");
    typeCell(1, 3, "155.725");
    typeCell(1, 4, "067.0");
    typeCell(1, 5, "COPYME");
    QTest::mouseClick(channelBox(win, "chkScan", 1), Qt::LeftButton);
    QTest::mouseClick(channelBox(win, "chkLoPower", 1), Qt::LeftButton);
    clickCell(1, 2);
    ctrl(Qt::Key_R);
    EXPECT_EQ(clipboard(), "2\t155.12500\tD023\t155.72500\t067.0\tCOPYME\t1\t0\t1\r");
    EXPECT_TRUE(action(win, "mnuPaste")->isEnabled());

    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(2);  // group 3 from the list
    clickCell(4, 1);
    ctrl(Qt::Key_V);
    EXPECT_EQ(row(4), (std::array<QString, 6>{"5", "155.12500", "D023", "155.72500", "67", "COPYME"}));
    EXPECT_TRUE(channelBox(win, "chkScan", 4)->isChecked());
    EXPECT_FALSE(channelBox(win, "chkNarr", 4)->isChecked());
    EXPECT_TRUE(channelBox(win, "chkLoPower", 4)->isChecked());
    EXPECT_EQ(row(3)[1], "162.55000") << "only the current row is pasted";
    EXPECT_EQ(beeps, 0);

    const QString path = freshDir() + "/pasted.orv";
    session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return path; });
    ctrl(Qt::Key_S);
    MemoryImage saved;
    ASSERT_TRUE(loadImageFile(path.toStdString(), saved).ok());

    // The start-up image with channel 2 of group 1 as typed and channel 5 of
    // group 3 its copy: nothing else differs.
    MemoryImage expected = defaultImage();
    for (int g : {0, 2}) {
        GroupView v = imageGroup(expected, g);
        const size_t r = g == 0 ? 1 : 4;
        v.channels.cells[r] = {"", "155.125", "D023", "155.725", "067.0", "COPYME"};
        v.channels.chkScan[r] = 1;
        v.channels.chkLoPower[r] = 1;
        clsGroup(expected, v).Write_Group(g);
    }
    EXPECT_TRUE(saved == expected);
    for (int j = 0; j < 8; ++j)
        EXPECT_EQ(saved[channelRecordAddr(2, 4, j).address()], saved[channelRecordAddr(0, 1, j).address()]) << j;
    EXPECT_NE(saved[channelRecordAddr(0, 1, 0).address()], defaultImage()[channelRecordAddr(0, 1, 0).address()]);
}

TEST_F(EditCommands, PasteOfOtherTextSaysNoRecordHasBeenSelected) {
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    clickCell(3, 1);
    ctrl(Qt::Key_R);
    QGuiApplication::clipboard()->setText("not a row of this window");
    ctrl(Qt::Key_V);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, "No record has been selected to the clipboard");
    EXPECT_EQ(boxes.asked[0].title, "ORVEDIT");
    EXPECT_EQ(boxes.asked[0].buttons, MsgButtons::OK);
    EXPECT_EQ(cell(3, 1), "162.55000");
    (void)win;
}

TEST_F(EditCommands, DefaultBlankAndLastScreenMoveTheRowsAndTheCheckMarks) {
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    typeCell(0, 1, "151.625");
    typeCell(15, 5, "LAST16");
    typeCell(7, 2, "D754-");  // still held by the grid: its row has not been left
    std::array<std::array<QString, 6>, 16> before;
    for (int r = 0; r < 16; ++r) before[size_t(r)] = row(r);
    const QString label = widget<QLineEdit>(win, "txtGrpLab")->text();
    QTest::mouseClick(channelBox(win, "chkNarr", 2), Qt::LeftButton);

    auto marks = [&] {
        QString marks;
        for (const char* entry : {"mnuLast", "mnuDefault", "mnuBlank"}) marks += action(win, entry)->isChecked() ? '1' : '0';
        return marks;
    };
    EXPECT_EQ(marks(), "000");
    ctrl(Qt::Key_D);
    EXPECT_EQ(marks(), "010");
    const char* rotation[4] = {"162.40000", "162.45000", "162.50000", "162.55000"};
    for (int r = 0; r < 16; ++r)
        EXPECT_EQ(row(r), (std::array<QString, 6>{QString::number(r + 1), rotation[r % 4], "0", "000.00000", "0",
                                                  "00000000"}));
    ctrl(Qt::Key_L);
    EXPECT_EQ(marks(), "100");
    for (int r = 0; r < 16; ++r) EXPECT_EQ(row(r), before[size_t(r)]) << "row " << r;
    ctrl(Qt::Key_B);
    EXPECT_EQ(marks(), "001");
    for (int r = 0; r < 16; ++r) EXPECT_EQ(cell(r, 1), "000.00000");
    ctrl(Qt::Key_L);
    ctrl(Qt::Key_L);  // a second Last Screen repeats the same restore
    EXPECT_EQ(marks(), "100");
    for (int r = 0; r < 16; ++r) EXPECT_EQ(row(r), before[size_t(r)]) << "row " << r;
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(widget<QLineEdit>(win, "txtGrpLab")->text(), label) << "the group controls are not touched";
    EXPECT_TRUE(channelBox(win, "chkNarr", 2)->isChecked());
}

TEST_F(EditCommands, ADatabaseFailureIsToldAndTheGridStillShowsTheTable) {
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    typeCell(0, 5, "KEEP");
    ASSERT_TRUE(QFile::remove(win.channels().dataDirectory() + "/OrvLast.mdb"));
    ctrl(Qt::Key_D);
    // The screen is not overwritten once its copy has failed.
    const std::vector<QString> texts = boxes.texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(texts[0].startsWith("Open Database Error = ")) << texts[0].toStdString();
    EXPECT_TRUE(texts[1].startsWith("Current to Last Error = ")) << texts[1].toStdString();
    EXPECT_EQ(boxes.asked[0].title, "ORVEDIT");
    EXPECT_EQ(cell(0, 5), "KEEP");
    EXPECT_TRUE(action(win, "mnuDefault")->isChecked());
}

TEST_F(EditCommands, AScreenWhoseCopyFailsIsNotOverwritten) {
    auto& win = open();
    typeCell(0, 5, "KEEP");
    {
        // The last-screen table refuses every change; the working table does not.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lock-last");
        db.setDatabaseName(win.channels().dataDirectory() + "/OrvLast.mdb");
        ASSERT_TRUE(db.open());
        ASSERT_TRUE(QSqlQuery(db).exec(
            "CREATE TRIGGER refuse BEFORE UPDATE ON tblChannel BEGIN SELECT RAISE(ABORT, 'locked'); END"));
        db.close();
    }
    QSqlDatabase::removeDatabase("lock-last");
    for (Qt::Key key : {Qt::Key_D, Qt::Key_B}) {
        ScriptedBoxes boxes(session->prompts());
        ctrl(key);
        ASSERT_EQ(boxes.texts().size(), 1u);
        EXPECT_TRUE(boxes.texts()[0].startsWith("Current to Last Error = ")) << boxes.texts()[0].toStdString();
        EXPECT_EQ(cell(0, 5), "KEEP");
    }
}

TEST_F(EditCommands, TheOffsetEntryComputesAndRefuses) {
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    typeCell(2, 1, "150");
    typeCell(2, 3, "151");
    auto spaceInTxFreq = [&] {
        grid(win)->setCurrentIndex(table(win)->index(2, 3));
        grid(win)->setFocus();
        QTest::keyClick(grid(win), Qt::Key_Space);
        QCoreApplication::processEvents();
    };
    QLineEdit* box = widget<QLineEdit>(win, "txtOffset");
    spaceInTxFreq();
    ASSERT_TRUE(widget<QGroupBox>(win, "frmOffset")->isVisible());
    EXPECT_EQ(widget<QGroupBox>(win, "frmOffset")->title(), "Offset");
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(cell(2, 3), "151.00000");
    QTest::keyClicks(box, "-2");
    EXPECT_EQ(beeps, 0);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(cell(2, 3), "148.00000");
    EXPECT_FALSE(widget<QGroupBox>(win, "frmOffset")->isVisible());
    EXPECT_TRUE(grid(win)->hasFocus());

    spaceInTxFreq();
    EXPECT_EQ(box->text(), "-2");
    EXPECT_EQ(box->selectedText(), "-2") << "the last offset, ready for Enter";
    QTest::keyClick(box, Qt::Key_F1);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].text, "Enter the frequency offset, eg: -2, 7");
    for (QWidget* t : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<frmHelp*>(t) && t->isVisible()) << "F1 in the box is its own help only";
    QTest::keyClicks(box, "x");
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(box->text(), "");
    QTest::keyClicks(box, "30");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(beeps, 2) << "180 MHz is outside the band";
    EXPECT_EQ(cell(2, 3), "148.00000");
    EXPECT_FALSE(widget<QGroupBox>(win, "frmOffset")->isVisible());
}

// The Enter that closes the help box is let go in the offset box: it
// confirms nothing and "-2" stays; a group switch closes the box.
TEST_F(EditCommands, TheOffsetBoxIgnoresTheHelpsEnterAndClosesOnAGroupSwitch) {
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    typeCell(2, 1, "150");
    typeCell(2, 3, "151");
    QLineEdit* box = widget<QLineEdit>(win, "txtOffset");
    auto spaceInTxFreq = [&] {
        grid(win)->setCurrentIndex(table(win)->index(2, 3));
        grid(win)->setFocus();
        QTest::keyClick(grid(win), Qt::Key_Space);
        QCoreApplication::processEvents();
    };
    spaceInTxFreq();
    QTest::keyClicks(box, "-2");
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_EQ(cell(2, 3), "148.00000");
    typeCell(2, 3, "151");
    spaceInTxFreq();
    QTest::keyClick(box, Qt::Key_F1);
    QTest::keyClick(box, Qt::Key_End);
    QTest::keyRelease(box, Qt::Key_Return);   // went down in the help box
    EXPECT_TRUE(widget<QGroupBox>(win, "frmOffset")->isVisible());
    EXPECT_EQ(box->text(), "-2");
    EXPECT_EQ(cell(2, 3), "151.00000");
    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(widget<QGroupBox>(win, "frmOffset")->isVisible());
}

TEST_F(EditCommands, UndoBringsBackTheCodeGuardAsItWas) {
    auto& win = open();
    win.channels().setCell(6, 2, "D754-");
    clickCell(6, 2);
    QTest::keyClick(grid(win), Qt::Key_0);  // the first key opens the cell's editor
    QLineEdit* e = grid(win)->activeEditor();
    ASSERT_NE(e, nullptr);
    QTest::keyClicks(e, "67.0");
    QTest::keyClick(e, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(cell(6, 2), "067.0");
    clickCell(0, 0);
    ctrl(Qt::Key_Z);
    EXPECT_EQ(cell(6, 2), "D754-");
    EXPECT_EQ(grid(win)->currentIndex().row(), 6);
}

// Commands that put other programming on screen forget the undo record:
// Ctrl+Z afterwards never writes the old value into it.
TEST_F(EditCommands, UndoIsForgottenWhenOtherProgrammingIsShown) {
    ScriptedBoxes boxes(session->prompts());   // "Discard the unsaved changes?" Yes
    const QString file = freshDir() + "/other.orv";
    struct Case { const char* name; std::function<void(TestWindow&)> run; };
    const std::vector<Case> cases = {
        {"Open", [&](TestWindow& win) {
             session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return file; });
             action(win, "mnuOpen")->trigger();
             session->prompts().setFileChooser({});
         }},
        {"Blank Screen", [&](TestWindow& win) { action(win, "mnuBlank")->trigger(); }},
        {"Last Screen", [&](TestWindow& win) { action(win, "mnuLast")->trigger(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& win = open();
        win.channels().setCell(6, 5, "FROMFILE");
        ASSERT_TRUE(win.storeCurrentGroup());
        ASSERT_TRUE(saveImageFile(file.toStdString(), image()));
        win.channels().setCell(6, 5, "ORIGINAL");
        clickCell(6, 5);
        QTest::keyClick(grid(win), Qt::Key_E);  // the first key opens the cell's editor
        QLineEdit* e = grid(win)->activeEditor();
        ASSERT_NE(e, nullptr);
        QTest::keyClicks(e, "DITED");
        QTest::keyClick(e, Qt::Key_Return);
        QCoreApplication::processEvents();
        ASSERT_EQ(cell(6, 5).trimmed().toUpper(), "EDITED");
        c.run(win);
        QCoreApplication::processEvents();
        const QString shown = cell(6, 5);
        ctrl(Qt::Key_Z);
        EXPECT_EQ(cell(6, 5), shown);
        EXPECT_NE(cell(6, 5).trimmed(), "ORIGINAL");
    }
}

// While a cell is typed, Ctrl+V never pastes the clipboard's tab-separated
// row into that one cell, and Ctrl+A is the window's Copy All.
TEST_F(EditCommands, PasteAndSelectAllInATypedCellAreTheWindowsCommands) {
    auto& win = open();
    QGuiApplication::clipboard()->setText("1\t150.00000\t\t151.00000\t\tROW");
    activate();
    clickCell(4, 5);
    QTest::keyClick(grid(win), Qt::Key_A);  // the first key opens the cell's editor
    QLineEdit* e = grid(win)->activeEditor();
    ASSERT_NE(e, nullptr);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(grid(win)->activeEditor(), e);
    EXPECT_FALSE(e->text().contains('\t')) << e->text().toStdString();
    EXPECT_FALSE(e->text().contains("ROW"));
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_TRUE(clipboard().contains("Ch 16")) << "Copy All put the 16 rows there: " << clipboard().toStdString();
}

TEST_F(EditCommands, TheDoubleClickCopiesAllRowsAndKeepsThePasteMode) {
    auto& win = open();
    clickCell(2, 1);
    ctrl(Qt::Key_R);
    const QRect r = grid(win)->visualRect(table(win)->index(5, 0));
    QTest::mouseDClick(grid(win)->viewport(), Qt::LeftButton, {}, r.center());
    const QString all = clipboard();
    EXPECT_EQ(all.count('\r'), 16);
    EXPECT_FALSE(all.contains('\n'));
    EXPECT_TRUE(all.startsWith("1\t162.40000\t000.0\t000.00000\t000.0\t    Ch 1\t"));
    EXPECT_TRUE(win.editor().pasteRowMode());
    EXPECT_EQ(win.editor().copiedLength(), all.size());
    EXPECT_TRUE(action(win, "mnuPaste")->isEnabled());
}

TEST_F(EditCommands, AnActivationEmptiesTheClipboardOnlyOfOurOwnCopy) {
    auto& win = open();
    clickCell(2, 1);
    ctrl(Qt::Key_R);
    QGuiApplication::clipboard()->setText("copied in another program");
    activateFromGlobalWindow();
    EXPECT_EQ(clipboard(), "copied in another program");
    EXPECT_EQ(win.editor().copiedLength(), -1) << "the activation ran";
    EXPECT_FALSE(action(win, "mnuPaste")->isEnabled());

    ctrl(Qt::Key_R);
    EXPECT_TRUE(action(win, "mnuPaste")->isEnabled());
    activateFromGlobalWindow();
    EXPECT_EQ(clipboard(), "");
    EXPECT_FALSE(action(win, "mnuPaste")->isEnabled());
}

// ---------------------------------------------------------------- Move

class MoveBanks : public EditCommands {
protected:
    // Group g: channel 1 receives 140 + g MHz, its label is "LAB<g>", its
    // first channel's scan flag is g % 2; group 1 is shown from the image.
    void markGroups() {
        for (int g = 0; g < 15; ++g) {
            GroupView v = imageGroup(image(), g);
            v.channels.cells[0][colRecFreq] = std::to_string(140 + g);
            v.txtGrpLab = "LAB" + std::to_string(g);
            v.channels.chkScan[0] = g % 2;
            v.cboTOT = g;
            clsGroup(image(), v).Write_Group(g);
        }
        w->readCurrentGroup();
    }
    // Runs Ctrl+M; `inDialog` acts on the shown dialog, which is closed
    // afterwards if it is still open.
    void move(const std::function<void(frmMove&)>& inDialog) {
        activate();
        QTimer::singleShot(0, w.get(), [&] {
            frmMove* d = w->findChild<frmMove*>();
            ASSERT_NE(d, nullptr);
            ASSERT_TRUE(QTest::qWaitFor([&] { return d->isVisible(); }, 2000));
            inDialog(*d);
            if (d->isVisible()) d->close();
        });
        ctrl(Qt::Key_M);
    }
    static void choose(QComboBox* combo, const char* text) {
        combo->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo, text);
    }
    static MemoryImage reordered(const MemoryImage& old, const std::array<int, 15>& order) {
        MemoryImage img = old;
        for (int p = 1; p <= 15; ++p)
            for (int k = 0; k < 128; ++k) img[384 * p + k] = old[384 * order[size_t(p - 1)] + k];
        return img;
    }
};

TEST_F(MoveBanks, FifteenToOneAndBackKeepLabelsFlagsAndGroupParameters) {
    auto& win = open();
    markGroups();
    typeCell(1, 1, "155.125");  // typed, not stored: it moves with its bank
    MemoryImage stored = image();
    {
        GroupView v = imageGroup(stored, 0);
        v.channels.cells[1][colRecFreq] = "155.125";
        clsGroup(stored, v).Write_Group(0);
    }

    move([&](frmMove& d) {
        EXPECT_EQ(d.windowTitle(), "Move Banks");
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.lblFromBank()->text(), "From Bank");
        EXPECT_EQ(d.lblToBank()->text(), "To Bank");
        EXPECT_EQ(d.cboFromBank()->currentText(), "15");
        EXPECT_EQ(d.cboToBank()->currentText(), "1");
        EXPECT_EQ(d.cboFromBank()->count(), 15);
        EXPECT_EQ(d.btnMoveOK()->text(), "OK");
        const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
        EXPECT_LE((d.geometry().center() - centre).manhattanLength(), 4);
        QTest::mouseClick(d.btnMoveOK(), Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    const MemoryImage afterFirst = image();
    EXPECT_TRUE(afterFirst == reordered(stored, {15, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    EXPECT_EQ(cell(0, 1), "154.00000") << "group 1 shown again from the image";
    EXPECT_EQ(cell(1, 1), "162.45000");
    EXPECT_EQ(widget<QLineEdit>(win, "txtGrpLab")->text(), "    LAB0");
    EXPECT_EQ(imageGroup(image(), 1).channels.cells[1][colRecFreq], "155.12500");
    for (int g = 0; g < 15; ++g) {
        const GroupView v = imageGroup(image(), g);
        EXPECT_EQ(v.cboTOT, g);
        EXPECT_EQ(v.channels.chkScan[0], g % 2);
    }

    // The same bytes as orvedit-cli move on the stored programming.
    const std::string file = (freshDir() + "/stored.orv").toStdString();
    ASSERT_TRUE(saveImageFile(file, stored).ok());
    const auto r = orv::test::runCli({"move", file, "--from", "15", "--to", "1"}, freshDir().toStdString());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    MemoryImage byCli;
    ASSERT_TRUE(loadImageFile(file, byCli).ok());
    EXPECT_TRUE(byCli == afterFirst);

    move([&](frmMove& d) {
        EXPECT_EQ(d.cboFromBank()->currentText(), "15") << "the positions chosen last";
        choose(d.cboFromBank(), "1");
        choose(d.cboToBank(), "15");
        QTest::mouseClick(d.btnMoveOK(), Qt::LeftButton);
    });
    EXPECT_TRUE(image() == stored) << "1 to 15 undoes 15 to 1";
    EXPECT_EQ(cell(1, 1), "155.12500");
    EXPECT_EQ(beeps, 0);
}

TEST_F(MoveBanks, TheCloseBoxAPositionPastFifteenAndAnUnstorableGroupMoveNothing) {
    auto& win = open();
    markGroups();
    MemoryImage start = image();
    // Closed by its close box: nothing moves, nothing is reloaded.
    typeCell(2, 5, "TYPED");
    move([&](frmMove& d) { d.close(); });
    EXPECT_TRUE(image() == start);
    EXPECT_EQ(cell(2, 5), "TYPED");

    move([&](frmMove& d) {
        choose(d.cboFromBank(), "16");
        QTest::mouseClick(d.btnMoveOK(), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()) << "the position can be corrected";
        EXPECT_EQ(beeps, 1);
    });
    EXPECT_TRUE(image() == start);

    win.channels().setCell(4, 2, "BAD");  // a code guard the image cannot hold
    beeps = 0;
    move([&](frmMove& d) {
        choose(d.cboFromBank(), "3");
        QTest::mouseClick(d.btnMoveOK(), Qt::LeftButton);
    });
    EXPECT_EQ(beeps, 1);
    EXPECT_TRUE(image() == start) << "nothing stored, nothing moved";
    EXPECT_EQ(cell(2, 5), "TYPED") << "the screen keeps the edits";
    EXPECT_EQ(cell(4, 2), "BAD");
}

}  // namespace
