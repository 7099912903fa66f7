// "&Save", "Sa&ve As" and "&Open": byte-exact round trips, when the dialog is
// asked for, and failures that report themselves and change nothing.
#include <gtest/gtest.h>
#include <QComboBox>
#include <QFileDialog>
#include <QListView>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <chrono>
#include <future>
#ifndef _WIN32   // named pipes
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include "app/ChannelCsvCommands.h"
#include "app/BackupCommands.h"
#include "app/EditorShell.h"
#include "app/FileOpenSave.h"
#include "app/QtHost.h"
#include "platform/Platform.h"
#include "files/Backups.h"
#include "files/ImageFile.h"
#include "image/WriteDefaults.h"
#include "RadioTestSupport.h"
#include "app/frmGlobals.h"

using namespace orv;
using namespace orv::test;
namespace fos = orv::FileOpenSave;

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

class FilesTest : public AppFixture {
protected:
    void SetUp() override {
        ensureApp();
        delete shell.session().globalsWindow();
        dir = tempDir();
        fillPattern(shell.image().data(), MemoryImage::kSize, 7);
        shell.storeWrites = false;   // the pattern is not a group the screen could hold
        shell.markSaved();           // the pattern is what the session started with
        shell.session().prompts().setFileChooser([this](QWidget*, bool forSaving, const QString& current) {
            dialogs.push_back({forSaving, current});
            return chosen;
        });
    }
    void TearDown() override { shell.session().prompts().setFileChooser({}); }

    struct Dialog { bool forSaving; QString current; };
    std::vector<Dialog> dialogs;
    QString chosen;
    QString dir;
    FakeShell shell;
    ScriptedBoxes boxes{shell.session().prompts()};
};

// A file of the radio's bytes alone opens with one box that says so and
// is saved whole; a file that cannot be a radio's programming opens with
// the status saying so; a radio's programming just opens.
TEST_F(FilesTest, OpenSaysWhenAFileIsShortOrNoRadiosProgramming) {
    MemoryImage radio;   // the start-up programming: every channel usable
    writeGroupDefaults(radio, 0);
    struct Case { const char* name; QByteArray bytes; bool toldShort; QString status; };
    const QByteArray noise(6019, '\xFF');   // every frequency 181.91875 MHz
    const QByteArray programming(reinterpret_cast<const char*>(radio.data()), 6019);
    const Case cases[] = {
        {"the radio's bytes alone", programming.left(6016), true, "Opened %1"},
        {"a radio's programming", programming, false, "Opened %1"},
        {"no radio's programming", noise, false,
         "This file does not look like an ORV programming (240 of 240 channels hold values the radio cannot use)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chosen = dir + "/" + c.name + ".orv";
        writeAll(chosen, c.bytes);
        boxes.asked.clear();
        shell.markSaved();
        ASSERT_TRUE(fos::openFile(shell));
        const bool told = boxes.wasAskedStartingWith("\"" + chosen + "\" is 6016 bytes long");
        EXPECT_EQ(told, c.toldShort);
        EXPECT_EQ(boxes.asked.size(), c.toldShort ? 1u : 0u);
        EXPECT_EQ(shell.session().statusText(), c.status.contains("%1") ? c.status.arg(chosen) : c.status);
        ASSERT_TRUE(fos::saveFile(shell));
        EXPECT_EQ(readAll(chosen).size(), 6019);
    }
}

TEST_F(FilesTest, SaveAndOpenRoundTripByteExact) {
    const MemoryImage saved = shell.image();
    chosen = dir + "/radio.orv";
    ASSERT_TRUE(fos::saveFileAs(shell));
    EXPECT_EQ(shell.stores, 1);
    const QByteArray bytes = readAll(chosen);
    ASSERT_EQ(bytes.size(), 6019);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(saved.data()), 6019), bytes);
    EXPECT_EQ(shell.windowTitle(), "ORV File - " + chosen + "   ORV Editor");
    EXPECT_EQ(shell.session().file().currentFileName, chosen);
    EXPECT_EQ(appSettings()->value("File/LastOpen").toString(), chosen);
    EXPECT_EQ(shell.session().statusText(), "Saved " + chosen);

    // The same bytes under another extension open alike.
    const QString frq = dir + "/radio.frq";
    QFile::copy(chosen, frq);
    shell.image().clear();
    chosen = frq;
    ASSERT_TRUE(fos::openFile(shell));
    EXPECT_TRUE(shell.image() == saved);
    EXPECT_EQ(shell.reads, 1);
    EXPECT_FALSE(dialogs.back().forSaving);
    EXPECT_EQ(shell.windowTitle(), "ORV File - " + frq + "   ORV Editor");
    // The pattern holds no radio's programming, and the status says so.
    EXPECT_TRUE(shell.session().statusText().startsWith("This file does not look like an ORV programming"));
    EXPECT_EQ(boxes.texts(), std::vector<QString>{"Discard the unsaved changes?"});   // the cleared image
}

TEST_F(FilesTest, SaveAsksForANameOnlyUntilAFileIsKnown) {
    chosen = dir + "/a.orv";
    ASSERT_TRUE(fos::saveFile(shell));
    ASSERT_EQ(dialogs.size(), 1u);
    EXPECT_TRUE(dialogs[0].forSaving);
    shell.image()[100] ^= 0xFF;
    ASSERT_TRUE(fos::saveFile(shell));          // silently, to the same file
    EXPECT_EQ(dialogs.size(), 1u);
    EXPECT_EQ(static_cast<uint8_t>(readAll(dir + "/a.orv")[100]), shell.image()[100]);
    fos::saveFileAs(shell);
    EXPECT_EQ(dialogs.size(), 2u);              // "Save As" always asks
    EXPECT_EQ(dialogs[1].current, dir + "/a.orv");
}

TEST_F(FilesTest, CancelledDialogChangesNothing) {
    chosen.clear();
    const MemoryImage before = shell.image();
    EXPECT_FALSE(fos::openFile(shell));
    EXPECT_FALSE(fos::saveFileAs(shell));
    EXPECT_TRUE(shell.image() == before);
    EXPECT_EQ(shell.reads + shell.stores, 0);
    EXPECT_TRUE(shell.windowTitle().isEmpty());
    EXPECT_TRUE(boxes.asked.empty());
}

TEST_F(FilesTest, FailedOpensReportAndLeaveImageAndScreenAlone) {
    writeAll(dir + "/short.orv", QByteArray(100, '\x11'));
    writeAll(dir + "/long.orv", QByteArray(6020, '\x11'));
    struct Case { QString file; bool numbered; bool accessBox; };
    const Case cases[] = {{"short.orv", false, false}, {"long.orv", false, false},
                          {"missing.orv", true, true}};
    // First a good file, so that the failures must restore its path.
    chosen = dir + "/good.orv";
    ASSERT_TRUE(fos::saveFileAs(shell));
    const MemoryImage before = shell.image();
    for (const Case& c : cases) {
        ScriptedBoxes local{shell.session().prompts()};
        chosen = dir + "/" + c.file;
        EXPECT_FALSE(fos::openFile(shell)) << c.file.toStdString();
        EXPECT_TRUE(shell.image() == before) << c.file.toStdString();
        EXPECT_EQ(shell.reads, 0);
        EXPECT_EQ(shell.session().file().filePath, dir + "/good.orv");
        EXPECT_EQ(shell.windowTitle(), "ORV File - " + dir + "/good.orv   ORV Editor");
        EXPECT_EQ(shell.session().statusText(), "Opening " + chosen + " failed");
        ASSERT_EQ(local.asked.size(), c.accessBox ? 2u : 1u) << c.file.toStdString();
        EXPECT_EQ(local.asked[0].title, "File Error");
        EXPECT_EQ(local.asked[0].icon, MsgIcon::Exclamation);
        EXPECT_EQ(local.asked[0].text.startsWith("Error Number "), c.numbered) << local.asked[0].text.toStdString();
        EXPECT_TRUE(local.asked[0].text.contains(c.file)) << local.asked[0].text.toStdString();
        if (c.accessBox) {
            EXPECT_EQ(local.asked[1].text, "File Access Error!");
            EXPECT_EQ(local.asked[1].title, "ORVEDIT");
        }
    }
}

TEST_F(FilesTest, FailedSavesLeaveTheFilesAsTheyWere) {
    const QString existing = dir + "/keep.orv";
    chosen = existing;
    ASSERT_TRUE(fos::saveFileAs(shell));
    const QByteArray kept = readAll(existing);
    shell.image()[5] ^= 0xFF;

    // A value on screen that cannot be stored: nothing is written.
    shell.refuseStore = true;
    {
        ScriptedBoxes local{shell.session().prompts()};
        EXPECT_FALSE(fos::saveFile(shell));
        ASSERT_EQ(local.asked.size(), 1u);
        EXPECT_EQ(local.asked[0].title, "File Error");
        // The failure replaces the "Saved" of the save before.
        EXPECT_EQ(shell.session().statusText(), "Saving " + existing + " failed");
    }
    shell.refuseStore = false;
    EXPECT_EQ(readAll(existing), kept);

    // A folder that does not exist: the error box, the path falls back.
    {
        ScriptedBoxes local{shell.session().prompts()};
        chosen = dir + "/no/such/folder/x.orv";
        EXPECT_FALSE(fos::saveFileAs(shell));
        ASSERT_GE(local.asked.size(), 1u);
        EXPECT_TRUE(local.asked[0].text.startsWith("Error Number "));
        EXPECT_EQ(shell.session().file().filePath, existing);
        EXPECT_EQ(shell.session().file().currentFileName, existing);
        EXPECT_EQ(shell.session().statusText(), "Saving " + chosen + " failed");
    }
    EXPECT_FALSE(QFile::exists(dir + "/no"));
    EXPECT_EQ(readAll(existing), kept);
}

// Save As and Export Channels never replace the programming's own file,
// whatever name leads to it: one box names both, and the file stays.
TEST_F(FilesTest, SaveAsAndExportChannelsRefuseTheProgrammingsOwnFile) {
    const QString own = dir + "/radio.orv";
    chosen = own;
    shell.image() = defaultImage();   // a programming the channel export can write
    ASSERT_TRUE(fos::saveFileAs(shell));
    const QByteArray saved = readAll(own);
    // Another name of the same file: a symbolic link (POSIX), the name in
    // other letter case (Windows, whose QFile::link makes a shortcut, a file
    // of its own).
    const QString otherName = platform::kWindows ? dir + "/RADIO.ORV" : dir + "/link.orv";
    if (!platform::kWindows) {
        ASSERT_TRUE(QFile::link(own, otherName));
    }
    struct Case {
        const char* what;
        QString chosen;
        std::function<bool()> run;
    };
    const Case cases[] = {
        {"Save As", otherName, [&] { return fos::saveFileAs(shell); }},
        {"Export Channels", dir + "/sub/../radio.orv", [&] { return ChannelCsvCommands::exportChannels(shell, 0); }},
    };
    ASSERT_TRUE(QDir(dir).mkdir("sub"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.asked.clear();
        chosen = c.chosen;
        EXPECT_FALSE(c.run());
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_TRUE(boxes.asked[0].text.contains(QDir::toNativeSeparators(c.chosen)) &&
                    boxes.asked[0].text.contains(QDir::toNativeSeparators(own)))
            << boxes.asked[0].text.toStdString();
        EXPECT_EQ(readAll(own), saved);
        EXPECT_EQ(shell.session().file().currentFileName, own);
    }
}

// Open asks "Discard the unsaved changes?" only while the image differs from
// the last file opened or saved (No stops it); Save As asks before it
// replaces an existing file (No leaves it as it was).
TEST_F(FilesTest, OpenAsksOnlyForUnsavedChangesAndSaveAsBeforeReplacing) {
    const QString path = dir + "/radio.orv";
    chosen = path;
    ASSERT_TRUE(fos::saveFileAs(shell));   // a new file: nothing asked
    EXPECT_TRUE(boxes.asked.empty());
    const QByteArray saved = readAll(path);

    struct Case { const char* what; bool edit; MsgAnswer answer; bool asked; bool opens; };
    for (const Case& c : {Case{"clean", false, MsgAnswer::No, false, true},   // the No is never used
                          Case{"edited, No", true, MsgAnswer::No, true, false},
                          Case{"edited, Yes", true, MsgAnswer::Yes, true, true}}) {
        SCOPED_TRACE(c.what);
        boxes.asked.clear();
        if (c.asked) boxes.answer({c.answer});
        if (c.edit) shell.image()[0x100] = uint8_t(shell.session().cleanImage()[0x100] ^ 0xFF);
        const MemoryImage before = shell.image();
        EXPECT_EQ(fos::openFile(shell), c.opens);
        EXPECT_EQ(boxes.wasAsked("Discard the unsaved changes?"), c.asked);
        EXPECT_EQ(shell.image() == before, !c.opens || !c.edit);
    }

    // Another existing file (the programming's own is refused, see below).
    const QString other = dir + "/other.orv";
    writeAll(other, saved);
    chosen = other;
    for (const MsgAnswer a : {MsgAnswer::No, MsgAnswer::Yes}) {
        boxes.asked.clear();
        boxes.answer({a});
        shell.image()[0x100] = uint8_t(shell.session().cleanImage()[0x100] ^ 0xFF);
        EXPECT_EQ(fos::saveFileAs(shell), a == MsgAnswer::Yes);
        ASSERT_EQ(boxes.asked.size(), 1u);
        EXPECT_TRUE(boxes.asked[0].text.contains("already exists"));
        EXPECT_EQ(readAll(other) == saved, a == MsgAnswer::No);
    }
}

// A settings file that is a pipe never holds the editor (its open would
// wait for a writer): the store starts with every default and keeps
// nothing, and the start says so once. A remembered exit backup is named
// only while it is a programming file.
TEST_F(FilesTest, AnUnusableSettingsFileGivesDefaultsAndOneMessage) {
    const QString config = ensureApp();
    const QString exitKey = QStringLiteral("Backup/UnsavedAtExit");
    struct Case {
        const char* what;
        QString backup;     // the path the settings remember
        bool told;
    };
    writeAll(dir + "/kept.orv", QByteArray(6019, '\0'));
    writeAll(dir + "/short.orv", QByteArray(10, '\0'));
    for (const Case& c : {Case{"a programming file", dir + "/kept.orv", true},
                          Case{"a file of another size", dir + "/short.orv", false},
                          Case{"a file removed since", dir + "/gone.orv", false}}) {
        SCOPED_TRACE(c.what);
        appSettings()->setValue(exitKey, c.backup);
        boxes.asked.clear();
        tellExitBackup(shell);
        EXPECT_EQ(boxes.asked.size(), c.told ? 1u : 0u);
        EXPECT_FALSE(appSettings()->contains(exitKey)) << "told once, then forgotten";
    }

#ifndef _WIN32   // a named pipe in the file system is POSIX's
    appSettings()->setValue(QStringLiteral("Comm/Port"), QStringLiteral("3"));
    const QString file = QDir(config).filePath(QStringLiteral("ORVEDIT/ORVEDIT.ini"));
    const QString kept = file + ".kept";
    ASSERT_TRUE(QFile::rename(file, kept));
    ASSERT_EQ(::mkfifo(file.toLocal8Bit().constData(), 0600), 0);
    auto read = std::async(std::launch::async, [] { return appSettings()->value(QStringLiteral("Comm/Port")); });
    if (read.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
        ::close(::open(file.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK));   // let it go, then fail
        ADD_FAILURE() << "the settings waited on the pipe";
    }
    EXPECT_FALSE(read.get().isValid()) << "the default, not the value the file held";
    EXPECT_TRUE(settingsProblem().contains(file) && settingsProblem().contains("a pipe (FIFO)"))
        << settingsProblem().toStdString();
    boxes.asked.clear();
    tellExitBackup(shell);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.contains(file)) << boxes.asked[0].text.toStdString();
    QFile::remove(file);
    ASSERT_TRUE(QFile::rename(kept, file));
    EXPECT_TRUE(settingsProblem().isEmpty());
#endif
}

// A cancelled save dialog lets the exit go on only once the programming is
// kept as an "exit" backup; a backup that cannot be kept keeps the program
// open too.
TEST_F(FilesTest, SaveBeforeExitKeepsTheProgramOpenOnlyWhenNothingIsLost) {
    const QByteArray dataDir = qgetenv("ORVEDIT_DATA_DIR");
    writeAll(dir + "/notAFolder", "x");
    struct Case { QString path; QString dataDir; bool mayClose; bool exitBackup; };
    const Case cases[] = {{"", dir + "/data", true, true},
                          {"", dir + "/notAFolder", false, false},
                          {"/exit.orv", dir + "/data", true, false},
                          {"/missing/exit.orv", dir + "/data", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.toStdString() + " " + c.dataDir.toStdString());
        qputenv("ORVEDIT_DATA_DIR", c.dataDir.toLocal8Bit());
        QDir(c.dataDir + "/backups").removeRecursively();
        ScriptedBoxes local{shell.session().prompts()};
        chosen = c.path.isEmpty() ? QString() : dir + c.path;
        EXPECT_EQ(fos::saveFileAsForExit(shell), c.mayClose);
        const std::vector<std::string> kept = listBackups(backupFolder());
        ASSERT_EQ(kept.size(), c.exitBackup ? 1u : 0u);
        if (!c.exitBackup) continue;
        EXPECT_TRUE(QString::fromStdString(kept[0]).endsWith("-exit.orv"));
        MemoryImage backup;
        ASSERT_TRUE(loadImageFile(kept[0], backup));
        EXPECT_TRUE(backup == shell.image());
    }
    if (dataDir.isNull()) qunsetenv("ORVEDIT_DATA_DIR"); else qputenv("ORVEDIT_DATA_DIR", dataDir);
    appSettings()->remove("Backup");
}

TEST_F(FilesTest, GlobalWindowIsStoredBeforeASaveAndRefreshedByAnOpen) {
    shell.image()[0x07] = 0;
    shell.image()[0xFF] = 0;
    shell.session().showGlobalsWindow();
    frmGlobals* w = shell.session().globalsWindow();
    ASSERT_NE(w, nullptr);
    w->cboDTMFDev()->setCurrentIndex(9);        // "843.75"
    chosen = dir + "/globals.orv";
    ASSERT_TRUE(fos::saveFileAs(shell));
    EXPECT_EQ(static_cast<uint8_t>(readAll(chosen)[0x07]) >> 3, 9);

    QByteArray other = readAll(chosen);
    other[0x07] = static_cast<char>(20 << 3);
    writeAll(dir + "/other.orv", other);
    chosen = dir + "/other.orv";
    ASSERT_TRUE(fos::openFile(shell));
    EXPECT_EQ(w->cboDTMFDev()->currentIndex(), 20);
    delete w;
}

// The dialog's filters show their captions, and "All (*.*)" lists every
// file, also those without a dot in their names.
TEST_F(FilesTest, TheAllFilterListsFilesWithoutADot) {
    for (const char* name : {"radio.orv", "fleet.frq", "radio-backup", "notes.txt"}) writeAll(dir + "/" + name, "x");
    for (const bool forSaving : {false, true}) {
        QFileDialog dialog;
        dialog.setOption(QFileDialog::DontUseNativeDialog, true);
        fos::configureFileDialog(dialog, forSaving);
        dialog.setDirectory(dir);
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        QStringList captions;
        for (int i = 0; i < types->count(); ++i) captions << types->itemText(i);
        EXPECT_EQ(captions, QStringList({"ORV (*.orv)", "Frequency (*.frq)", "All (*.*)"}));
        auto* view = dialog.findChild<QListView*>("listView");
        ASSERT_NE(view, nullptr);
        dialog.show();
        const struct { int filter; int files; } cases[] = {{0, 1}, {1, 1}, {2, 4}};
        for (const auto& c : cases) {
            dialog.selectNameFilter(dialog.nameFilters()[c.filter]);
            // The file system model lists the folder on a thread of its own.
            const bool listed =
                QTest::qWaitFor([&] { return view->model()->rowCount(view->rootIndex()) == c.files; }, 5000);
            EXPECT_TRUE(listed) << "filter " << c.filter << " lists " << view->model()->rowCount(view->rootIndex());
        }
        dialog.hide();
    }
}

}  // namespace
