// The ways a file reaches the editor besides the Open dialog: the file named
// at start, a file dropped on the window, the recent files, and the keys of
// the File and Help commands, all through the window's real input path.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QTest>
#include <QUrl>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "app/FileOpenSave.h"
#include "app/QtHost.h"
#include "app/frmHelp.h"
#include "files/ImageFile.h"
#include "image/WriteDefaults.h"
#include "platform/Platform.h"

using namespace orv;
using namespace orv::test;
using orv::test::ScriptedBoxes;
namespace fos = orv::FileOpenSave;

namespace {

class FileEntry : public EditorFixture {
protected:
    FileEntry() { appSettings()->remove(QStringLiteral("Files/Recent")); }
    ~FileEntry() override { appSettings()->remove(QStringLiteral("Files/Recent")); }

    // A programming file whose group 1 channel 1 is named `name`.
    QString makeFile(const QString& name) {
        auto& win = open();
        win.channels().setCell(0, 5, name);
        EXPECT_TRUE(win.storeCurrentGroup());
        const QString path = freshDir() + "/" + name + ".orv";
        EXPECT_TRUE(saveImageFile(path.toStdString(), image()));
        w.reset();
        return path;
    }
    // Drags `urls` onto the window and lets go; whether the window took the drag.
    bool drop(const QList<QUrl>& urls) {
        QMimeData mime;
        mime.setUrls(urls);
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent e(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.get(), &e);
        QCoreApplication::processEvents();
        return true;
    }
    // A key to the focused widget of the active main window.
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        if (QApplication::activeWindow() != w.get()) {
            w->activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == w.get(); }, 2000));
        }
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : w.get(), k, mods);
        QCoreApplication::processEvents();
    }
    // Leaves a changed cell on screen: the programming has unsaved changes.
    void editScreen() {
        w->channels().setCell(2, 5, "EDITED");
        ASSERT_TRUE(w->hasUnsavedChanges());
    }
};

QString captionFor(const QString& path) { return "ORV File - " + path + "   ORV Editor[*]"; }

}  // namespace

// The file named at start opens once the window is up, over the defaults;
// one that cannot be read reports as Open does and leaves the defaults.
TEST_F(FileEntry, StartFileOpensOverTheDefaults) {
    const QString good = makeFile("STARTED");
    const QString bad = freshDir() + "/short.orv";
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("too short");
    f.close();
    struct Case { QString path; bool opens; };
    for (const Case& c : {Case{good, true}, Case{bad, false}}) {
        SCOPED_TRACE(c.path.toStdString());
        ScriptedBoxes boxes(session->prompts());
        session->file() = FileState{};
        image().clear();
        w = std::make_unique<TestWindow>(*session);
        w->setStartFile(c.path);
        w->show();
        if (w->isFirstActivation()) w->Form_Activate();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ(cell(0, 5).trimmed() == "STARTED", c.opens);
        EXPECT_EQ(w->windowTitle() == captionFor(c.path), c.opens);
        EXPECT_EQ(boxes.asked.size(), c.opens ? 0u : 1u);   // the File Error, nothing asked before it
        if (!c.opens) {
            EXPECT_EQ(boxes.asked.front().title, "File Error");
            EXPECT_TRUE(image() == defaultImage()) << "the start-up defaults stay";
        }
        w.reset();
    }
}

// A drop of one local file opens it (asking about unsaved changes first);
// several files or a remote address are refused.
TEST_F(FileEntry, DropOpensOneLocalFile) {
    const QString file = makeFile("DROPPED");
    struct Case {
        const char* name;
        QList<QUrl> urls;
        bool edited;
        MsgAnswer discard;
        bool opens;
    };
    const QUrl local = QUrl::fromLocalFile(file);
    const std::vector<Case> cases = {
        {"one file", {local}, false, MsgAnswer::Yes, true},
        {"discarding edits", {local}, true, MsgAnswer::Yes, true},
        {"keeping edits", {local}, true, MsgAnswer::No, false},
        {"two files", {local, local}, false, MsgAnswer::Yes, false},
        {"remote", {QUrl("http://example.invalid/x.orv")}, false, MsgAnswer::Yes, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        open();
        if (c.edited) editScreen();
        ScriptedBoxes boxes(session->prompts());
        boxes.answer({c.discard});
        EXPECT_EQ(drop(c.urls), c.urls.size() == 1 && c.urls.front().isLocalFile());
        EXPECT_EQ(cell(0, 5).trimmed() == "DROPPED", c.opens);
        EXPECT_EQ(boxes.wasAsked("Discard the unsaved changes?"), c.edited);
    }
}

// Files opened or saved are listed newest first, at most eight, once each;
// a listed file that has gone is removed with a message when chosen.
TEST_F(FileEntry, RecentFilesListAndForgetMissingFiles) {
    QStringList made;
    for (int i = 0; i < 9; ++i) made << makeFile(QStringLiteral("R%1").arg(i));
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    for (const QString& p : made) ASSERT_TRUE(fos::openPath(win, p));
    ASSERT_TRUE(fos::openPath(win, made[3]));   // again: moves to the top, not listed twice
    QStringList expected{made[3], made[8], made[7], made[6], made[5], made[4], made[2], made[1]};
    EXPECT_EQ(fos::recentFiles(), expected);

    QMenu* recent = widget<QMenu>(win, "mnuRecent");
    emit recent->aboutToShow();   // the menu is made as it opens
    const QList<QAction*> entries = recent->actions();
    ASSERT_EQ(entries.size(), 8);
    entries[1]->trigger();   // R8 through the menu
    EXPECT_EQ(cell(0, 5).trimmed(), "R8");

    QFile::remove(made[6]);
    emit recent->aboutToShow();
    recent->actions()[3]->trigger();   // R6, gone
    EXPECT_EQ(cell(0, 5).trimmed(), "R8");
    ASSERT_FALSE(boxes.asked.empty());
    EXPECT_TRUE(boxes.asked.back().text.contains(made[6]));
    EXPECT_FALSE(fos::recentFiles().contains(made[6]));
    EXPECT_EQ(fos::recentFiles().size(), 7);
}

// The keys reach their commands from the focused window: Ctrl+N starts from
// the defaults (asking first), Ctrl+Shift+S asks for a name to save under,
// Ctrl+Q takes the exit path, F1 opens the help.
TEST_F(FileEntry, KeysRunTheirCommands) {
    const QString file = makeFile("KEYS");
    auto& win = open();
    ScriptedBoxes boxes(session->prompts());
    ASSERT_TRUE(fos::openPath(win, file));
    editScreen();

    boxes.answer({MsgAnswer::No});
    key(Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(cell(0, 5).trimmed(), "KEYS") << "No keeps the programming";
    key(Qt::Key_N, Qt::ControlModifier);   // Yes
    EXPECT_TRUE(image() == defaultImage());
    EXPECT_NE(cell(0, 5).trimmed(), "KEYS");
    EXPECT_TRUE(session->file().currentFileName.isEmpty());
    EXPECT_FALSE(win.hasUnsavedChanges());

    std::vector<bool> dialogs;
    session->prompts().setFileChooser([&](QWidget*, bool forSaving, const QString&) {
        dialogs.push_back(forSaving);
        return QString();
    });
    key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    session->prompts().setFileChooser({});
    EXPECT_EQ(dialogs, std::vector<bool>{true});

    win.answer = QMessageBox::Cancel;
    key(Qt::Key_Q, Qt::ControlModifier);
    EXPECT_EQ(win.asked, 1);
    EXPECT_TRUE(win.isVisible()) << "Cancel keeps the editor open";

    key(Qt::Key_F1);
    frmHelp* help = nullptr;
    for (QWidget* t : QApplication::topLevelWidgets())
        if (auto* h = qobject_cast<frmHelp*>(t); h && h->isVisible()) help = h;
    EXPECT_NE(help, nullptr) << "F1 opens no help window";
    if (help) help->close();
}

// The program itself, given a file: once its window is up the file is open,
// which the recent files it keeps show.
TEST_F(FileEntry, ProgramOpensTheFileItIsGiven) {
    // Windows keeps the settings in the user's roaming folder, which no
    // variable moves: tools/run-windows-tests.sh checks the installed editor.
    if (platform::kWindows) GTEST_SKIP() << "the child's settings folder cannot be set on Windows";
    const QString file = makeFile("ARGUMENT");
    const QString config = freshDir();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", config);
    env.insert("ORVEDIT_DATA_DIR", freshDir());
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.start(QString(ORV_BIN_DIR) + "/orvedit", {file});
    ASSERT_TRUE(editor.waitForStarted(5000));
    const auto recent = [&] {
        return QSettings(config + "/ORVEDIT/ORVEDIT.ini", QSettings::IniFormat).value("Files/Recent").toStringList();
    };
    const bool opened = QTest::qWaitFor([&] { return recent().contains(file); }, 20000);
    editor.kill();
    editor.waitForFinished(5000);
    EXPECT_TRUE(opened) << "recent files: " << recent().join(", ").toStdString();
}
