// "File > Compare with File..." and "File > Export Channels..." / "Import
// Channels..." through the real main window and its commands, the file
// dialog answered by the session's file chooser.
#include <gtest/gtest.h>
#include <QStatusBar>
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
#include "app/ChannelCsvCommands.h"
#include "app/frmCompare.h"
#include "app/frmCsvPreview.h"
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

class Interchange : public test::EditorFixture {
protected:
    void SetUp() override {
        delete session->globalsWindow();
        session->prompts().setFileChooser([this](QWidget*, bool forSaving, const QString& current) {
            dialogs.push_back({forSaving, current});
            return chosen;
        });
        // The import's preview: what it showed is kept, `answerPreview` answers it.
        ChannelCsvCommands::setPreviewRunner([this](frmCsvPreview& dlg) {
            previews.push_back(shownRows(dlg));
            return answerPreview ? answerPreview(dlg) : true;
        });
    }
    void TearDown() override {
        ChannelCsvCommands::setPreviewRunner({});
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

    // The preview's lines as "row|location|name|frequency|channel|what happens", ticked ones with [x].
    static QStringList shownRows(const frmCsvPreview& dlg) {
        QStringList v;
        for (int r = 0; r < dlg.table()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < dlg.table()->columnCount(); ++c) cells << dlg.table()->item(r, c)->text();
            const auto* box = dlg.table()->item(r, 0);
            const QString tick = box->flags() & Qt::ItemIsUserCheckable
                                     ? (box->checkState() == Qt::Checked ? "[x] " : "[ ] ")
                                     : "";
            v << tick + cells.join('|');
        }
        return v;
    }

    std::vector<QStringList> previews;
    std::function<bool(frmCsvPreview&)> answerPreview;
    struct Dialog { bool forSaving; QString current; };
    std::vector<Dialog> dialogs;
    QString chosen;
    QTemporaryDir files;
};

TEST_F(Interchange, CompareListsTheDifferencesAndADoubleClickGoesToTheGroup) {
    test::ScriptedBoxes boxes(session->prompts());
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

    action(win, "mnuCompare")->trigger();
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
        EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 0);
        EXPECT_EQ(beeps, beepsBefore + 1);
    }
    doubleClickRow(*cmp, 3);
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 4);
    EXPECT_EQ(cell(1, 1), "162.45000") << "the editor's own value of group 5 is on screen";
    doubleClickRow(*cmp, 1);  // a tuning byte belongs to no window
    EXPECT_EQ(widget<QComboBox>(win, "cboCurrentGroup")->currentIndex(), 4);
    EXPECT_EQ(session->globalsWindow(), nullptr);
    doubleClickRow(*cmp, 0);  // a global field opens the global window
    EXPECT_NE(session->globalsWindow(), nullptr);
    delete session->globalsWindow();

    // The same window shows the next comparison; an equal file has none.
    chosen = path("same.orv");
    ASSERT_TRUE(saveImageFile(chosen.toStdString(), image()).ok());
    action(win, "mnuCompare")->trigger();
    EXPECT_EQ(win.findChildren<frmCompare*>().size(), 1);
    EXPECT_EQ(cmp->table()->rowCount(), 0);
    EXPECT_EQ(cmp->lblSummary()->text(), "No differences: both hold the same programming.");
    EXPECT_TRUE(boxes.asked.empty());

    // A file that is no programming: a message, the window as it was.
    chosen = path("bad.orv");
    writeText(chosen, "short");
    const MemoryImage before = image();
    action(win, "mnuCompare")->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, "File Error");
    EXPECT_TRUE(image() == before);
    EXPECT_EQ(cmp->lblThat()->text(), "That: " + path("same.orv"));

    // Cancelled: nothing.
    chosen.clear();
    action(win, "mnuCompare")->trigger();
    EXPECT_EQ(boxes.asked.size(), 1u);
    cmp->close();
}

TEST_F(Interchange, CompareRefusedWhenTheScreenCannotBeStored) {
    test::FakeShell shell;
    test::ScriptedBoxes boxes(shell.session().prompts());
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
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    // The typed edits are unsaved: every import asks to discard them first
    // (Yes), and the other questions are checked apart from it.
    auto discardAsked = [&] {
        const auto n = std::erase_if(boxes.asked, [](const auto& a) { return a.text == "Discard the unsaved changes?"; });
        return n == 1;
    };
    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(2);
    typeCell(0, 1, "155.125");
    typeCell(0, 5, "fire");

    // Export: the typed edits are in the file.
    chosen = path("group3.csv");
    action(win, "mnuExportChannels")->trigger();
    ASSERT_TRUE(boxes.asked.empty()) << boxes.asked[0].text.toStdString();
    ASSERT_TRUE(dialogs.back().forSaving);
    EXPECT_TRUE(dialogs.back().current.endsWith("group3.csv"));
    const std::string text = readText(chosen);
    EXPECT_EQ(text, exportChannelCsv(image(), 2));
    EXPECT_NE(text.find("\r\n1,FIRE,155.125000,off,"), std::string::npos);
    EXPECT_EQ(win.statusBar()->currentMessage(), "Exported group 3 to " + chosen);

    // Importing the same file changes no byte.
    const MemoryImage exported = image();
    action(win, "mnuImportChannels")->trigger();
    EXPECT_TRUE(discardAsked());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_TRUE(image() == exported);
    EXPECT_TRUE(win.statusBar()->currentMessage().startsWith("Imported 16 channel rows from " + chosen +
                                                             " into group 3 \u2014 rows placed"))
        << win.statusBar()->currentMessage().toStdString();

    // An edited file: location 2 moves and turns narrow; location 16 is not in
    // the file, and its edit on screen (not yet stored) is kept.
    std::string edited = text;
    const std::string row2 = "\r\n2,Ch 2,162.450000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,12.50,S,5.0W,,,,,";
    ASSERT_NE(edited.find(row2), std::string::npos);
    edited.replace(edited.find(row2), row2.size(),
                   "\r\n2,Ch 2,151.625000,+,1.000000,TSQL,88.5,67.0,023,NN,023,Tone->Tone,NFM,12.50,,Low,,,,,");
    const std::string row16 = "\r\n16,Ch 16,";
    edited.erase(edited.find(row16) + 2);  // the last row goes
    writeText(chosen, edited);
    typeCell(15, 3, "160.0");
    action(win, "mnuImportChannels")->trigger();
    EXPECT_TRUE(discardAsked());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(cell(1, 1), "151.62500");
    EXPECT_EQ(cell(1, 2), "067.0");
    EXPECT_EQ(cell(1, 3), "152.62500");
    EXPECT_TRUE(channelBox(win, "chkNarr", 1)->isChecked());
    EXPECT_TRUE(channelBox(win, "chkScan", 1)->isChecked());
    EXPECT_TRUE(channelBox(win, "chkLoPower", 1)->isChecked());
    EXPECT_EQ(cell(15, 3), "160.00000");
    EXPECT_EQ(image()[rec(2, 1, 0)], 0xA1);  // 151.625 MHz is code 41300, 0xA154
    EXPECT_EQ(image()[rec(2, 1, 1)], 0x54);

    // A row the radio cannot hold: the preview says why and OK imports nothing.
    const MemoryImage beforeRefusal = image();
    writeText(chosen, std::string(kChannelCsvHeader) + "\r\n3,X,450.000000,,0,,,,,,,,FM,,,High,,,,,\r\n");
    action(win, "mnuImportChannels")->trigger();
    EXPECT_TRUE(discardAsked());
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(previews.back(), QStringList{"2|3|X|450.000000|-|cannot be imported: column Frequency: \"450.000000\": "
                                           "outside 136 to 174 MHz"});
    EXPECT_TRUE(image() == beforeRefusal);
    EXPECT_EQ(cell(2, 1), "162.50000");

    // A file that cannot be read at all: told, no preview, nothing changed.
    const std::size_t shown = previews.size();
    writeText(chosen, "Location,Name\r\n3,X\r\n");
    action(win, "mnuImportChannels")->trigger();
    EXPECT_TRUE(discardAsked());
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_EQ(boxes.asked[0].title, "Import Channels");
    EXPECT_EQ(boxes.asked[0].text, "group3.csv was not imported; nothing was changed.\nrow 1, column Frequency: \"\": "
                                   "the header has no such column (the first row must name the columns)");
    EXPECT_EQ(previews.size(), shown);
    EXPECT_TRUE(image() == beforeRefusal);
    EXPECT_EQ(win.statusBar()->currentMessage(), "Nothing was imported from " + chosen);
}

TEST_F(Interchange, ImportPreviewPlansTicksAndFirstChannelAndCancelChangesNothing) {
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    widget<QComboBox>(win, "cboCurrentGroup")->setCurrentIndex(1);
    chosen = path("tool.csv");
    writeText(chosen,
              "Location,Name,Frequency,Power\r\n"
              "0,Calling,146.520000,50W\r\n"
              "1,Far away,446.000000,5.0W\r\n"
              "2,Long name,147.000000,2.0W\r\n"
              "3,Third,148.000000,\r\n");
    const MemoryImage before = image();

    // Cancel: the plan was shown, nothing changed.
    answerPreview = [](frmCsvPreview&) { return false; };
    action(win, "mnuImportChannels")->trigger();
    ASSERT_EQ(previews.size(), 1u);
    EXPECT_EQ(win.statusBar()->currentMessage(), "Import cancelled");
    EXPECT_EQ(previews[0], (QStringList{"[x] 2|0|Calling|146.520000|1|power 50W -> High",
                                        "3|1|Far away|446.000000|-|cannot be imported: column Frequency: "
                                        "\"446.000000\": outside 136 to 174 MHz",
                                        "[x] 4|2|Long name|147.000000|2|name \"Long name\" -> \"Long nam\"; "
                                        "power 2.0W -> Low",
                                        "[x] 5|3|Third|148.000000|3|fits"}));
    EXPECT_TRUE(image() == before);

    // OK after unticking the calling channel and starting at channel 10.
    answerPreview = [](frmCsvPreview& dlg) {
        dlg.setRowTicked(0, false);
        dlg.cboFirstChannel()->setCurrentIndex(10);
        EXPECT_EQ(dlg.lblPlacement()->text(), "rows placed in file order from channel 10");
        EXPECT_EQ(shownRows(dlg).join('\n').toStdString(),
                  "[ ] 2|0|Calling|146.520000|-|not imported\n"
                  "3|1|Far away|446.000000|-|cannot be imported: column Frequency: \"446.000000\": outside 136 to 174 MHz\n"
                  "[x] 4|2|Long name|147.000000|10|name \"Long name\" -> \"Long nam\"; power 2.0W -> Low\n"
                  "[x] 5|3|Third|148.000000|11|fits");
        return true;
    };
    action(win, "mnuImportChannels")->trigger();
    EXPECT_TRUE(boxes.asked.empty());
    EXPECT_EQ(cell(9, 1), "147.00000");
    EXPECT_EQ(cell(9, 5), "LONG NAM");
    EXPECT_TRUE(channelBox(win, "chkLoPower", 9)->isChecked());
    EXPECT_EQ(cell(10, 1), "148.00000");
    EXPECT_FALSE(channelBox(win, "chkLoPower", 10)->isChecked());
    for (int c : {0, 1, 2, 3, 11}) EXPECT_EQ(image()[rec(1, c, 0)], before[rec(1, c, 0)]) << c;
}

TEST_F(Interchange, ExportRefusalsAndFailuresTellTheUser) {
    test::ScriptedBoxes boxes(session->prompts());
    auto& win = open();
    // A tone word the layout cannot write: refused before the dialog.
    image()[rec(0, 3, 2)] = 0x0A;
    win.readCurrentGroup();
    chosen = path("g1.csv");
    action(win, "mnuExportChannels")->trigger();
    ASSERT_EQ(boxes.asked.size(), 1u);
    EXPECT_TRUE(boxes.asked[0].text.startsWith("Group 1 cannot be exported:\ngroup 1 channel 4 Rec CG: \"0A0.0\""));
    EXPECT_TRUE(dialogs.empty());
    EXPECT_FALSE(QFile::exists(chosen));

    // A file that cannot be written.
    image()[rec(0, 3, 2)] = 0x00;
    win.readCurrentGroup();
    chosen = path("no/such/folder/g1.csv");
    action(win, "mnuExportChannels")->trigger();
    ASSERT_EQ(boxes.asked.size(), 2u);
    EXPECT_TRUE(boxes.asked[1].text.contains("no/such/folder")) << boxes.asked[1].text.toStdString();
    EXPECT_EQ(win.statusBar()->currentMessage(), "Group 1 was not exported");

    // An import of a file that does not exist.
    const MemoryImage before = image();
    action(win, "mnuImportChannels")->trigger();
    ASSERT_EQ(boxes.asked.size(), 3u);
    EXPECT_TRUE(image() == before);
}

}  // namespace
