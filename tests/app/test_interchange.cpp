// "File > Compare with File..." and "File > Export Channels..." / "Import
// Channels..." through the real main window and its commands, the file
// dialog answered by the session's file chooser.
#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include "EditorTestSupport.h"
#include "RadioTestSupport.h"
#include "app/frmCompare.h"
#include "app/RadioBusy.h"
#include "app/frmGlobals.h"
#include "files/ImageFile.h"
#include "interchange/ChannelCsv.h"

using namespace orv;

namespace {

int rec(int g, int c, int j) { return channelRecordAddr(g, c, j).address(); }

std::string readText(const QString& path) {
    std::string text;
    EXPECT_TRUE(readWholeFile(path.toStdString(), text, std::size_t{1} << 20).ok());
    return text;
}

void writeText(const QString& path, const std::string& text) {
    ASSERT_TRUE(saveFileAtomically(path.toStdString(), text.data(), text.size()).ok());
}

class Interchange : public edtest::EditorFixture {
protected:
    void SetUp() override {
        delete session->globalsWindow();
        session->prompts().setFileChooser([this](QWidget*, bool forSaving, const QString& current) {
            dialogs.push_back({forSaving, current});
            return chosen;
        });
    }
    void TearDown() override {
        session->prompts().setFileChooser({});
        delete session->globalsWindow();
    }
    QString path(const QString& name) const { return files.filePath(name); }

    // The rows of the comparison window as "where: this -> that".
    static QStringList rows(const frmCompare& win) {
        QStringList v;
        for (int r = 0; r < win.table()->rowCount(); ++r)
            v << win.table()->item(r, 0)->text() + ": " + win.table()->item(r, 1)->text() + " -> " +
                     win.table()->item(r, 2)->text();
        return v;
    }
    static void doubleClickRow(frmCompare& win, int row) {
        QTableWidget* t = win.table();
        const QRect cell = t->visualItemRect(t->item(row, 0));
        // What the window system delivers for a double click: a click, then
        // the double-click event and its release.
        QWidget* vp = t->viewport();
        QTest::mouseClick(vp, Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(vp, Qt::LeftButton, {}, cell.center());
        QTest::mouseRelease(vp, Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }

    struct Dialog { bool forSaving; QString current; };
    std::vector<Dialog> dialogs;
    QString chosen;
    QTemporaryDir files;
};

TEST_F(Interchange, CompareListsTheDifferencesAndADoubleClickGoesToTheGroup) {
    radiotest::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    // The file: the start-up programming with a changed channel in group 5,
    // a global field and a tuning byte.
    MemoryImage other = image();
    other[rec(4, 1, 0)] = 0xAC;  // 155.13750
    other[rec(4, 1, 1)] = 0x4E;
    other[0x07] = 0x00;          // DTMF deviation "0"
    other[0x40] = 0x33;
    chosen = path("other.orv");
    ASSERT_TRUE(saveImageFile(chosen.toStdString(), other).ok());
    // An edit on screen, not yet stored: the comparison stores it first.
    typeCell(0, 3, "155.5");

    win.mnuCompare()->trigger();
    auto* cmp = win.findChild<frmCompare*>();
    ASSERT_NE(cmp, nullptr);
    EXPECT_TRUE(cmp->isVisible());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_FALSE(dialogs.back().forSaving);
    EXPECT_EQ(rows(*cmp), (QStringList{"globals cboDTMFDev: 2906.25 -> 0",
                                       "global area byte 0x0040 (not shown by any field): 00 -> 33",
                                       "group 1 channel 1 Tx Freq: 155.50000 -> 000.00",
                                       "group 5 channel 2 Rec Freq: 162.45000 -> 155.13750"}));
    EXPECT_EQ(cmp->lblSummary()->text(), "4 differences");
    EXPECT_EQ(cmp->lblThat()->text(), "That: " + chosen);

    {
        // While a radio exchange runs the image is the transfer's: a double
        // click only beeps.
        auto exchange = session->busy().begin();
        ASSERT_TRUE(exchange);
        const int beepsBefore = beeps;
        doubleClickRow(*cmp, 3);
        EXPECT_EQ(win.cboCurrentGroup()->currentIndex(), 0);
        EXPECT_EQ(beeps, beepsBefore + 1);
    }
    doubleClickRow(*cmp, 3);
    EXPECT_EQ(win.cboCurrentGroup()->currentIndex(), 4);
    EXPECT_EQ(cell(1, 1), "162.45000") << "the editor's own value of group 5 is on screen";
    doubleClickRow(*cmp, 1);  // a tuning byte belongs to no window
    EXPECT_EQ(win.cboCurrentGroup()->currentIndex(), 4);
    EXPECT_EQ(session->globalsWindow(), nullptr);
    doubleClickRow(*cmp, 0);  // a global field opens the global window
    EXPECT_NE(session->globalsWindow(), nullptr);
    delete session->globalsWindow();

    // The same window shows the next comparison; an equal file has none.
    chosen = path("same.orv");
    ASSERT_TRUE(saveImageFile(chosen.toStdString(), image()).ok());
    win.mnuCompare()->trigger();
    EXPECT_EQ(win.findChildren<frmCompare*>().size(), 1);
    EXPECT_EQ(cmp->table()->rowCount(), 0);
    EXPECT_EQ(cmp->lblSummary()->text(), "No differences: both hold the same programming.");
    EXPECT_TRUE(boxes.asked.empty());

    // A file that is no programming: a message, the window as it was.
    chosen = path("bad.orv");
    writeText(chosen, "short");
    const MemoryImage before = image();
    win.mnuCompare()->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, "File Error");
    EXPECT_TRUE(image() == before);
    EXPECT_EQ(cmp->lblThat()->text(), "That: " + path("same.orv"));

    // Cancelled: nothing.
    chosen.clear();
    win.mnuCompare()->trigger();
    EXPECT_EQ(boxes.asked.size(), 1u);
    cmp->close();
}

TEST_F(Interchange, CompareRefusedWhenTheScreenCannotBeStored) {
    radiotest::FakeShell shell;
    radiotest::ScriptedBoxes boxes(shell.session().prompts());
    shell.refuseStore = true;
    int asked = 0;
    shell.session().prompts().setFileChooser([&](QWidget*, bool, const QString&) {
        ++asked;
        return QString();
    });
    EXPECT_EQ(compareWithFile(shell, [](int) {}), nullptr);
    EXPECT_EQ(asked, 0);
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.endsWith("Nothing was compared."));
}

TEST_F(Interchange, ExportAndImportChannelsRoundTripThroughTheRealCommands) {
    radiotest::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    win.cboCurrentGroup()->setCurrentIndex(2);
    typeCell(0, 1, "155.125");
    typeCell(0, 5, "fire");

    // Export: the typed edits are in the file.
    chosen = path("group3.csv");
    win.mnuExportChannels()->trigger();
    ASSERT_TRUE(boxes.asked.empty()) << boxes.asked[0].text.toStdString();
    ASSERT_TRUE(dialogs.back().forSaving);
    EXPECT_TRUE(dialogs.back().current.endsWith("group3.csv"));
    const std::string text = readText(chosen);
    EXPECT_EQ(text, exportChannelCsv(image(), 2));
    EXPECT_NE(text.find("\r\n1,FIRE,155.125000,off,"), std::string::npos);

    // Importing the same file changes no byte.
    const MemoryImage exported = image();
    win.mnuImportChannels()->trigger();
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_TRUE(image() == exported);

    // An edited file: location 2 moves and turns narrow; location 16 is not in
    // the file, and its edit on screen (not yet stored) is kept.
    std::string edited = text;
    const std::string row2 = "\r\n2,Ch 2,162.450000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,High,,,,,";
    ASSERT_NE(edited.find(row2), std::string::npos);
    edited.replace(edited.find(row2), row2.size(),
                   "\r\n2,Ch 2,151.625000,+,1.000000,TSQL,88.5,67.0,023,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,");
    const std::string row16 = "\r\n16,Ch 16,";
    edited.erase(edited.find(row16) + 2);  // the last row goes
    writeText(chosen, edited);
    typeCell(15, 3, "160.0");
    win.mnuImportChannels()->trigger();
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(cell(1, 1), "151.62500");
    EXPECT_EQ(cell(1, 2), "067.0");
    EXPECT_EQ(cell(1, 3), "152.62500");
    EXPECT_TRUE(win.chkNarr(1)->isChecked());
    EXPECT_TRUE(win.chkScan(1)->isChecked());
    EXPECT_TRUE(win.chkLoPower(1)->isChecked());
    EXPECT_EQ(cell(15, 3), "160.00000");
    EXPECT_EQ(image()[rec(2, 1, 0)], 0xA1);  // 151.625 MHz is code 41300, 0xA154
    EXPECT_EQ(image()[rec(2, 1, 1)], 0x54);

    // A refused file: the row, the column and the value; nothing changed.
    const MemoryImage beforeRefusal = image();
    writeText(chosen, std::string(kChannelCsvHeader) + "\r\n3,X,450.000000,,0,,,,,,,,FM,,,High,,,,,\r\n");
    win.mnuImportChannels()->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, "Import Channels");
    EXPECT_EQ(boxes.asked[0].text, "group3.csv was not imported; nothing was changed.\nrow 2, column Frequency: "
                                   "\"450.000000\": outside 136 to 174 MHz");
    EXPECT_TRUE(image() == beforeRefusal);
    EXPECT_EQ(cell(2, 1), "162.50000");
}

TEST_F(Interchange, ExportRefusalsAndFailuresTellTheUser) {
    radiotest::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    // A tone word the layout cannot write: refused before the dialog.
    image()[rec(0, 3, 2)] = 0x0A;
    win.readCurrentGroup();
    chosen = path("g1.csv");
    win.mnuExportChannels()->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith("Group 1 cannot be exported:\ngroup 1 channel 4 Rec CG: \"0A0.0\""));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(QFile::exists(chosen));

    // A file that cannot be written.
    image()[rec(0, 3, 2)] = 0x00;
    win.readCurrentGroup();
    chosen = path("no/such/folder/g1.csv");
    win.mnuExportChannels()->trigger();
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_TRUE(boxes.asked[1].text.contains("no/such/folder")) << boxes.asked[1].text.toStdString();

    // An import of a file that does not exist.
    const MemoryImage before = image();
    win.mnuImportChannels()->trigger();
    ASSERT_EQ(boxes.asked.size(), 3u);
    EXPECT_TRUE(image() == before);
}

}  // namespace
