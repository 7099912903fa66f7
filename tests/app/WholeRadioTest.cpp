// Editing the whole radio in the real windows, by keys and clicks: the All
// Channels window (filter, an edit by keys that the main window follows, a
// refusal, a double click), Find across the groups, Set Field on rows
// selected in the grid with its refusals, and Undo and Redo of every kind
// of command.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "files/ImageFile.h"
#include "app/MainMenus.h"
#include "app/frmAllChannels.h"
#include "app/frmGlobals.h"
#include "app/frmMove.h"
#include "edit/ChannelList.h"
#include "image/WriteDefaults.h"
#include "image/clsGroup.h"

using namespace orv;
using namespace orv::test;

namespace {

class WholeRadio : public EditorFixture {
public:
    // The table of commands below drives the fixture through a reference.
    using EditorFixture::session;
    using EditorFixture::typeCell;
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::ControlModifier) {
        QCoreApplication::processEvents();   // a dialog that just closed has let the window go
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.get(); }, 2000));
        grid(*w)->setFocus();
        QCoreApplication::processEvents();
        QTest::keyClick(grid(*w), k, mods);
        QCoreApplication::processEvents();
    }
    void clickCell(int row, int col, Qt::KeyboardModifiers mods = {}) {
        const QRect r = grid(*w)->visualRect(table(*w)->index(row, col));
        QTest::mouseClick(grid(*w)->viewport(), Qt::LeftButton, mods, r.center());
    }
    ChannelEntry channel(int g, int c) const { return listChannels(session->image())[size_t(listIndex({g, c}))]; }
    frmAllChannels* allChannels() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<frmAllChannels*>(top); f && f->isVisible()) return f;
        return nullptr;
    }
    // The view row of a channel in the All Channels table, or -1.
    static int viewRow(frmAllChannels* f, ChannelRef at) {
        auto* proxy = static_cast<QSortFilterProxyModel*>(f->table()->model());
        return proxy->mapFromSource(proxy->sourceModel()->index(listIndex(at), 0)).row();
    }
    // Types `text` into a cell of the All Channels table: the first key opens its editor, Enter ends it.
    static void typeInto(QTableView* t, int row, int column, const QString& text) {
        t->setFocus();
        t->setCurrentIndex(t->model()->index(row, column));
        QTest::keyClick(t, text.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, t) << "the first key opens the cell's editor";
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Clicks the dialog's button whose text is `text` (OK, Find Next, ...).
    static void press(QDialog* d, const QString& text) {
        for (QPushButton* b : d->findChildren<QPushButton*>())
            if (b->text().remove('&') == text) {
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
        ADD_FAILURE() << "no button " << text.toStdString();
    }
};

}  // namespace

TEST_F(WholeRadio, AllChannelsEditsTheImageAtOnceAndTheGroupOnScreenFollows) {
    auto& win = open();
    typeCell(2, 1, "151.25");
    key(Qt::Key_L, Qt::ControlModifier | Qt::ShiftModifier);
    frmAllChannels* f = allChannels();
    ASSERT_NE(f, nullptr);
    QTableView* t = f->table();
    EXPECT_EQ(t->model()->rowCount(), 240);

    auto* filter = widget<QLineEdit>(*f, "txtFilter");
    QTest::keyClicks(filter, "151-152");
    ASSERT_EQ(t->model()->rowCount(), 1) << "the frequency typed in the main window was stored before the window opened";
    filter->clear();

    // Typed into the receive code guard of group 1 channel 3: in the image, and on the main window's screen.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == f; }, 2000));
    typeInto(t, viewRow(f, {0, 2}), lcRecCG, "D023");
    EXPECT_EQ(channel(0, 2).texts[lcRecCG], "D023");
    EXPECT_EQ(cell(2, 2), "D023");

    // A value the grid refuses: a beep, the reason in the status bar, the image as it was.
    const MemoryImage before = image();
    const int beepsBefore = beeps;
    typeInto(t, viewRow(f, {0, 2}), lcRecFreq, "180");
    EXPECT_EQ(beeps, beepsBefore + 1);
    EXPECT_TRUE(f->statusBar()->currentMessage().startsWith("Group 1 Ch 3 Rec Freq: 180: "))
        << f->statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(image() == before);

    // Duplicates only: group 1 channel 3 is now the only one with D023 on its frequency.
    QTest::mouseClick(widget<QCheckBox>(*f, "chkDuplicates"), Qt::LeftButton);
    EXPECT_EQ(viewRow(f, {0, 2}), -1);
    QTest::mouseClick(widget<QCheckBox>(*f, "chkDuplicates"), Qt::LeftButton);

    // A double click shows the channel in the main window.
    const QModelIndex there = t->model()->index(viewRow(f, {3, 5}), lcChLabel);
    t->scrollTo(there, QAbstractItemView::PositionAtCenter);
    const QRect r = t->visualRect(there);
    // What the window system delivers for a double click: a click, then the double-click event and its release.
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseRelease(t->viewport(), Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 3);
    EXPECT_EQ(grid(win)->currentIndex().row(), 5);
    f->close();
}

TEST_F(WholeRadio, FindNextGoesToTheNextMatchingChannelInAnyGroup) {
    auto& win = open();
    for (auto [g, c] : {std::pair{2, 4}, std::pair{5, 0}}) {
        GroupView v;
        clsGroup(static_cast<const MemoryImage&>(image()), v).Read_Group(g);
        v.channels.cells[size_t(c)][colChLabel] = "TARGET";
        clsGroup(image(), v).Write_Group(g);
    }
    DialogWatcher fill([&](QDialog* d) {
        widget<QComboBox>(*d, "cboFindKind")->setCurrentIndex(0);
        widget<QLineEdit>(*d, "txtFind")->setText("target");
        press(d, "Find Next");
    });
    key(Qt::Key_F);
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 2);
    EXPECT_EQ(grid(win)->currentIndex().row(), 4);
    key(Qt::Key_G);
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 5);
    EXPECT_EQ(grid(win)->currentIndex().row(), 0);
    key(Qt::Key_G);
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 2) << "round from the last group";
}

TEST_F(WholeRadio, SetFieldOfRowsSelectedInTheGridListsRefusalsAndChangesNothing) {
    auto& win = open();
    const QString row2 = cell(2, 1), row4 = cell(4, 1);
    clickCell(1, 1);
    QTest::keyClick(grid(win), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(grid(win), Qt::Key_Down, Qt::ShiftModifier);
    const MemoryImage before = image();
    int shown = 0;
    QStringList refusals;
    DialogWatcher fill([&](QDialog* d) {
        auto* field = widget<QComboBox>(*d, "cboField");
        field->setCurrentIndex(field->findText("Rec Freq"));
        auto* value = widget<QLineEdit>(*d, "txtValue");
        value->setText("180");
        press(d, "OK");
        auto* list = widget<QListWidget>(*d, "lstRefusals");
        for (int i = 0; i < list->count(); ++i) refusals << list->item(i)->text();
        ++shown;
        EXPECT_TRUE(d->isVisible()) << "refused: the dialog stays";
        value->setText("151.25");
        press(d, "OK");
    });
    action(win, "mnuSetField")->trigger();
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(refusals.size(), 3);
    EXPECT_TRUE(refusals[0].startsWith("Group 1 Ch 2 Rec Freq: 180: ")) << refusals[0].toStdString();
    for (int r : {1, 2, 3}) EXPECT_EQ(cell(r, 1), "151.25000") << r;
    EXPECT_EQ(cell(4, 1), row4);
    EXPECT_EQ(action(win, "mnuUndo")->text(), "Undo Set Rec Freq of 3 Channels");
    key(Qt::Key_Z);
    EXPECT_TRUE(image() == before);
    EXPECT_EQ(cell(2, 1), row2);
}

// Each command is one step: Undo gives back the image before it exactly,
// Redo the image after it.
TEST_F(WholeRadio, EveryCommandIsOneStepOfUndoAndRedo) {
    ScriptedBoxes boxes(session->prompts());
    using Step = std::function<void(WholeRadio&, TestWindow&)>;
    struct Case { const char* name; const char* undoText; Step run; Step prepare = {}; };
    const std::vector<Case> cases = {
        {"typed cell", "Undo Edit Ch Label", [](WholeRadio& t, TestWindow&) { t.typeCell(3, 5, "TYPED"); }},
        {"C key", "Undo Copy Rec Freq to Tx Freq in All Rows",
         [](WholeRadio& t, TestWindow& win) {
             t.clickCell(0, 3);
             QTest::keyClick(grid(win), Qt::Key_C);
             QCoreApplication::processEvents();
         },
         [](WholeRadio& t, TestWindow&) { t.typeCell(0, 1, "151.25"); }},
        {"offset entry", "Undo Offset Tx Freq",
         [](WholeRadio& t, TestWindow& win) {
             t.clickCell(2, 3);
             QTest::keyClick(grid(win), Qt::Key_Space);
             QLineEdit* box = widget<QLineEdit>(win, "txtOffset");
             QTest::keyClicks(box, "-2");
             QTest::keyClick(box, Qt::Key_Return);
         }},
        {"check box", "Undo Change Ch 5 SCAN List",
         [](WholeRadio&, TestWindow& win) { QTest::mouseClick(channelBox(win, "chkScan", 4), Qt::LeftButton); }},
        {"paste of a row", "Undo Paste Row",
         [](WholeRadio& t, TestWindow&) {
             t.clickCell(6, 1);
             t.key(Qt::Key_V);
         },
         [](WholeRadio& t, TestWindow&) {
             t.typeCell(1, 5, "ROWTWO");
             t.clickCell(1, 1);
             t.key(Qt::Key_R);
         }},
        {"blank screen", "Undo Load Blank Screen", [](WholeRadio& t, TestWindow&) { t.key(Qt::Key_B); }},
        {"move", "Undo Move Group 1 to 3",
         [](WholeRadio&, TestWindow& win) {
             DialogWatcher moveOneToThree([](QDialog* d) {
                 if (auto* move = qobject_cast<frmMove*>(d)) {
                     EXPECT_TRUE(move->moveRequested("1", "3"));
                     move->reject();
                 }
             });
             action(win, "mnuMove")->trigger();
         },
         [](WholeRadio& t, TestWindow&) { t.typeCell(0, 1, "151.25"); }},   // group 1's bank unlike group 3's
        {"global parameters", "Undo Global Parameters",
         [](WholeRadio& t, TestWindow&) {
             frmGlobals& g = t.session->loadGlobalsWindow();
             auto* box = g.findChildren<QCheckBox*>().value(0);
             ASSERT_NE(box, nullptr);
             box->click();
             g.mnuSave_Click();
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto& win = open();
        typeCell(0, 5, "FIRST");   // a step before, which the case's Undo must leave alone
        if (c.prepare) c.prepare(*this, win);
        const MemoryImage before = image();
        ASSERT_EQ(channel(0, 0).texts[lcChLabel], "   FIRST") << "committed at once";
        c.run(*this, win);
        QCoreApplication::processEvents();
        const MemoryImage after = image();
        ASSERT_FALSE(after == before);
        EXPECT_EQ(action(win, "mnuUndo")->text(), c.undoText);
        key(Qt::Key_Z);
        EXPECT_TRUE(image() == before);
        EXPECT_EQ(cell(0, 5).trimmed(), "FIRST");
        key(Qt::Key_Y);
        EXPECT_TRUE(image() == after);
        key(Qt::Key_Z);
        if (session->globalsWindow()) session->globalsWindow()->hide();
    }
}

TEST_F(WholeRadio, UndoOfAnotherGroupFirstShowsItAndOpenStartsANewHistory) {
    ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    typeCell(4, 5, "GROUP1");
    auto* groups = widget<QComboBox>(win, "cboCurrentGroup");
    groups->setCurrentIndex(6);
    QCoreApplication::processEvents();
    key(Qt::Key_Z);
    EXPECT_EQ(groups->currentIndex(), 0) << "the first Undo shows the group";
    EXPECT_EQ(grid(win)->currentIndex().row(), 4);
    EXPECT_EQ(cell(4, 5).trimmed(), "GROUP1") << "and changes nothing yet";
    key(Qt::Key_Z);
    EXPECT_EQ(cell(4, 5).trimmed(), "Ch 5");
    EXPECT_EQ(action(win, "mnuRedo")->text(), "Redo Edit Ch Label");
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(cell(4, 5).trimmed(), "GROUP1");

    const QString file = freshDir() + "/other.orv";
    ASSERT_TRUE(saveImageFile(file.toStdString(), defaultImage()));
    session->prompts().setFileChooser([&](QWidget*, bool, const QString&) { return file; });
    action(win, "mnuOpen")->trigger();
    session->prompts().setFileChooser({});
    EXPECT_EQ(action(win, "mnuUndo")->text(), "Undo");
    key(Qt::Key_Z);
    EXPECT_TRUE(image() == defaultImage());
}
