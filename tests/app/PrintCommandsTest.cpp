// The editor's print commands through their real dialogs' objects (answered
// by the test) and the real QPrinter, printing to PDF offscreen; and the
// renderer's column placement with the real fonts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QTimer>
#include <QTemporaryDir>
#include <random>
#include "PdfPages.h"
#include "app/PrintCommands.h"
#include "app/UserPrompts.h"
#include "report/ReportPrinter.h"
#include "image/WriteDefaults.h"
#include "platform/Platform.h"

using namespace orv;

namespace {

// The text of a PDF as pdftotext lays it out. Windows has no pdftotext: the
// callers check the text on Linux only.
std::string pdfText(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return p.readAllStandardOutput().toStdString();
}

void ensureApp() {
    static int argc = 1;
    static char name[] = "report_print";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

MemoryImage withCount(int n) {
    MemoryImage img = defaultImage();
    img[5] = static_cast<uint8_t>(n);
    return img;
}

struct Message {
    QString text;
    MsgIcon icon;
};

class PrintCommands : public ::testing::Test {
protected:
    void SetUp() override {
        ensureApp();
        ASSERT_TRUE(tmp.isValid());
        hooks = {[this](QDialog& d) {
                     opened.push_back(QString::fromLatin1(d.metaObject()->className()));
                     return answerDialog ? answerDialog(d) : int(QDialog::Rejected);
                 },
                 [this] { return printers; }};
        prompts.setMessageHandler([this](QWidget*, const QString& text, const QString&, MsgIcon icon, MsgButtons) {
            messages.push_back({text, icon});
            return answer;
        });
    }
    UserPrompts prompts;
    ReportPrinting::Hooks hooks;
    QString path(const QString& name) const { return tmp.filePath(name); }
    std::string pdf(const QString& name) const { return orv::test::readFile(path(name).toStdString()); }
    QStringList entries() const { return QDir(tmp.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name); }

    // The print dialog is answered like a user choosing "Print to File".
    std::function<int(QDialog&)> printToFile(const QString& target, int copies = 1) {
        return [target, copies](QDialog& d) {
            auto* pd = dynamic_cast<QPrintDialog*>(&d);
            if (!pd) return int(QDialog::Rejected);
            pd->printer()->setOutputFormat(QPrinter::PdfFormat);
            pd->printer()->setOutputFileName(target);
            pd->printer()->setCopyCount(copies);
            return int(QDialog::Accepted);
        };
    }
    // The file dialog of "Save as PDF" is answered with `target`; the name it
    // suggested is kept in `suggested`.
    std::function<int(QDialog&)> saveAs(const QString& target) {
        return [this, target](QDialog& d) {
            auto* fd = dynamic_cast<QFileDialog*>(&d);
            if (!fd) return int(QDialog::Rejected);
            suggested = fd->selectedFiles().value(0);
            fd->selectFile(target);
            return int(QDialog::Accepted);
        };
    }

    QTemporaryDir tmp;
    bool printers = false;
    MsgAnswer answer = MsgAnswer::Yes;
    std::function<int(QDialog&)> answerDialog;
    QStringList opened;
    std::vector<Message> messages;
    QString suggested;
};

}  // namespace

// Without a printer, Print offers to save a PDF; the user can decline at
// either step and nothing is written.
TEST_F(PrintCommands, WithoutAPrinterOffersSaveAsPdf) {
    struct Case {
        MsgAnswer offer;
        bool chooseFile;
        bool printed;
        QStringList dialogs;
    };
    const Case cases[] = {
        {MsgAnswer::Yes, true, true, {"QFileDialog"}},
        {MsgAnswer::Yes, false, false, {"QFileDialog"}},
        {MsgAnswer::No, true, false, {}},
    };
    for (const Case& c : cases) {
        QFile::remove(path("unit7.pdf"));
        opened.clear();
        messages.clear();
        answer = c.offer;
        answerDialog = c.chooseFile ? saveAs(path("unit7.pdf")) : std::function<int(QDialog&)>{};
        ReportPrinting printing(prompts);
        printing.setHooks(hooks);
        EXPECT_EQ(printing.print(nullptr, withCount(15), path("unit7.orv")), c.printed);
        EXPECT_EQ(opened, c.dialogs);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_TRUE(messages[0].text.startsWith("No printer is installed")) << messages[0].text.toStdString();
        EXPECT_EQ(QFile::exists(path("unit7.pdf")), c.printed);
        // What the status bar says of it.
        EXPECT_EQ(printing.lastOutcome(), c.printed ? "PDF written to " + path("unit7.pdf") : QString("Printing cancelled"));
        if (c.printed) {
            EXPECT_EQ(suggested, path("unit7.pdf"));  // beside the programming file
            EXPECT_EQ(orv::test::pageCount(pdf("unit7.pdf")), 8);
            if (!platform::kWindows) {
                EXPECT_NE(pdfText(path("unit7.pdf")).find(path("unit7.orv").toStdString()), std::string::npos);
            }
        }
    }
}

// The PDF never replaces the programming file it reports on, under another
// name: a symbolic link to it (POSIX), the name in other letter case
// (Windows, whose names ignore case; its QFile::link makes a shortcut, a
// file of its own).
TEST_F(PrintCommands, APdfIsNeverWrittenOverTheProgrammingsOwnFile) {
    const QString own = path("unit7.orv");
    QFile f(own);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kept");
    f.close();
    QStringList others;
    if (platform::kWindows) {
        others << path("UNIT7.ORV");
    } else {
        ASSERT_TRUE(QFile::link(own, path("link.pdf")));
        others << path("link.pdf");
    }
    for (const QString& other : others) {
        SCOPED_TRACE(other.toStdString());
        messages.clear();
        answerDialog = saveAs(other);
        ReportPrinting printing(prompts);
        printing.setHooks(hooks);
        EXPECT_FALSE(printing.print(nullptr, withCount(15), own));
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_TRUE(messages[1].text.contains(QDir::toNativeSeparators(other)) &&
                    messages[1].text.contains(QDir::toNativeSeparators(own)))
            << messages[1].text.toStdString();
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), "kept");
        f.close();
        EXPECT_EQ(printing.lastOutcome(), "The report was not printed");
    }
}

// With a printer, the print dialog comes first; Cancel prints nothing.
// Printing to a file goes through the real printer object.
TEST_F(PrintCommands, PrintDialogFirstAndCancelPrintsNothing) {
    printers = true;
    struct Case {
        int groupCount;
        int copies;
        bool accept;
        int pages;  // per copy; 0: nothing written
    };
    for (const Case& c : {Case{15, 1, true, 8}, Case{3, 1, true, 1}, Case{15, 2, true, 8}, Case{15, 1, false, 0}}) {
        QFile::remove(path("out.pdf"));
        opened.clear();
        answerDialog = c.accept ? printToFile(path("out.pdf"), c.copies) : std::function<int(QDialog&)>{};
        ReportPrinting printing(prompts);
        printing.setHooks(hooks);
        EXPECT_EQ(printing.print(nullptr, withCount(c.groupCount), QString()), c.accept);
        EXPECT_EQ(opened, QStringList{"QPrintDialog"});
        EXPECT_TRUE(messages.empty());
        if (c.pages == 0) {
            EXPECT_FALSE(QFile::exists(path("out.pdf")));
            continue;
        }
        // A PDF holds every copy asked for, one after the other.
        EXPECT_EQ(orv::test::pageCount(pdf("out.pdf")), c.pages * c.copies);
        EXPECT_EQ(entries(), QStringList{"out.pdf"});
    }
}

// A report that cannot be written is told in a message box; nothing is
// created and what was there stays.
TEST_F(PrintCommands, OutputFailuresAreToldAndChangeNothing) {
    QDir(tmp.path()).mkdir("taken.pdf");
    QFile keep(path("taken.pdf/inside"));
    ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
    keep.write("x");
    keep.close();
    for (bool viaPrintDialog : {true, false}) {
        for (const QString& target : {path("no such folder/r.pdf"), path("taken.pdf")}) {
            messages.clear();
            printers = viaPrintDialog;
            answer = MsgAnswer::Yes;
            answerDialog = viaPrintDialog ? printToFile(target) : saveAs(target);
            ReportPrinting printing(prompts);
            printing.setHooks(hooks);
            EXPECT_FALSE(printing.print(nullptr, withCount(15), path("r.orv")));
            ASSERT_FALSE(messages.empty());
            EXPECT_EQ(messages.back().icon, MsgIcon::Critical);
            EXPECT_TRUE(messages.back().text.contains(target)) << messages.back().text.toStdString();
            EXPECT_EQ(printing.lastOutcome(), "The report was not printed");
            EXPECT_EQ(entries(), QStringList{"taken.pdf"});
            EXPECT_TRUE(QFileInfo(path("taken.pdf")).isDir());
        }
    }
}

// Print Setup's choice holds for the next print of the same session.
TEST_F(PrintCommands, PageSetupIsKeptForTheNextPrint) {
    if (platform::kWindows) GTEST_SKIP() << "Windows' page setup dialog is the system's: no Qt controls to press";
    ReportPrinting printing(prompts);
    printing.setHooks(hooks);
    // The real dialog: the user picks landscape and presses OK.
    answerDialog = [](QDialog& d) {
        if (!dynamic_cast<QPageSetupDialog*>(&d)) return int(QDialog::Rejected);
        QTimer::singleShot(0, &d, [&d] {
            auto* landscape = d.findChild<QRadioButton*>(QStringLiteral("landscape"));
            if (landscape) landscape->click();
            d.accept();
        });
        return d.exec();
    };
    EXPECT_TRUE(printing.pageSetup(nullptr));
    EXPECT_EQ(opened, QStringList{"QPageSetupDialog"});
    EXPECT_EQ(printing.printer().pageLayout().orientation(), QPageLayout::Landscape);

    for (bool viaPrintDialog : {false, true}) {
        printers = viaPrintDialog;
        answerDialog = viaPrintDialog ? printToFile(path("l.pdf")) : saveAs(path("l.pdf"));
        ASSERT_TRUE(printing.print(nullptr, withCount(0), QString()));
        // Landscape paper holds less than the first page: it runs on.
        const auto boxes = orv::test::pageBoxes(pdf("l.pdf"));
        ASSERT_EQ(boxes.size(), 2u);
        for (const auto& box : boxes) EXPECT_GT(box.width, box.height);
    }
    // A new session starts in portrait.
    printers = false;
    answerDialog = saveAs(path("p.pdf"));
    ReportPrinting fresh(prompts);
    fresh.setHooks(hooks);
    ASSERT_TRUE(fresh.print(nullptr, withCount(0), QString()));
    const auto boxes = orv::test::pageBoxes(pdf("p.pdf"));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_LT(boxes[0].width, boxes[0].height);
}

// Print Preview shows the report's pages.
TEST_F(PrintCommands, PreviewShowsThePages) {
    for (auto [count, pages] : {std::pair{15, 8}, std::pair{0, 1}}) {
        int shown = -1;
        answerDialog = [&shown](QDialog& d) {
            auto* pv = d.findChild<QPrintPreviewWidget*>();
            if (!dynamic_cast<QPrintPreviewDialog*>(&d) || !pv) return int(QDialog::Rejected);
            d.show();
            pv->updatePreview();
            QCoreApplication::processEvents();
            shown = pv->pageCount();
            d.close();
            return int(QDialog::Rejected);
        };
        ReportPrinting printing(prompts);
        printing.setHooks(hooks);
        printing.preview(nullptr, withCount(count), path("x.orv"));
        EXPECT_EQ(shown, pages);
        EXPECT_TRUE(messages.empty());
    }
}

// The printed columns: every item at its column, (c - 1) character widths of
// the 10-point face from the margin, unless the text before it reaches
// further; texts never touch and every line fits the paper width.
TEST_F(PrintCommands, ColumnsLineUpAndFitThePage) {
    EXPECT_TRUE(reportFontFamily("Arial") == "Arial" || reportFontFamily("Arial") == "Liberation Sans");
    EXPECT_EQ(reportFontFamily("No Such Face"), "Liberation Sans");

    MemoryImage wide = withCount(15);  // widest labels and texts the bytes allow
    for (int g = 0; g < 15; ++g) {
        encodeLabel(wide, groupParamAddr(g, 51).page, groupParamAddr(g, 51).offset, "WWWWWWWW");
        for (int c = 0; c < 16; ++c) {
            encodeLabel(wide, channelLabelAddr(g, c, 0).page, channelLabelAddr(g, c, 0).offset, "WWWWWWWW");
            for (int j = 0; j < 8; ++j) wide[channelRecordAddr(g, c, j).address()] = 0xC8;
        }
        for (int k : {32, 33, 34, 35, 36, 37, 48, 49, 50}) wide[groupParamAddr(g, k).address()] = 0xFF;
    }
    wide[6] = 0x04;
    wide[7] = 0x17;
    MemoryImage noise;
    std::mt19937 rng(5);
    for (int a = 0; a < MemoryImage::kSize; ++a) noise[a] = static_cast<uint8_t>(rng() & 0xFF);
    noise[5] = 15;

    struct Case {
        const char* name;
        MemoryImage img;
        bool exactColumns;
    };
    const Case cases[] = {{"defaults", withCount(15), true}, {"noise", noise, true}, {"wide", wide, false}};
    for (QPageSize::PageSizeId size : {QPageSize::A4, QPageSize::Letter}) {
        QPageLayout layout = defaultReportPageLayout();
        layout.setPageSize(QPageSize(size));
        QPdfWriter device(path("layout.pdf"));
        device.setResolution(600);
        ASSERT_TRUE(device.setPageLayout(layout));
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (size == QPageSize::A4 ? " A4" : " Letter"));
            const ReportDocument doc = PrintUnitReport(c.img, "/home/tech/radios/unit 7.orv");
            const ReportLayout placed = layoutReport(doc, device, QSizeF(device.width(), device.height()));
            EXPECT_EQ(placed.pages, 8);
            EXPECT_EQ(placed.scale, 1.0);  // 10 points on the paper, nothing made smaller
            // A column is half an em of the 10-point face ("x" in Arial).
            EXPECT_NEAR(placed.columnWidth, 5 * 600 / 72.0, 0.5);
            const PlacedText* prev = nullptr;      // the text placed before
            const PlacedText* lastText = nullptr;  // the last non-empty text of the line
            for (const PlacedText& t : placed.texts) {
                const double at = (t.column - 1) * placed.columnWidth;
                const bool sameLine = prev && prev->page == t.page && prev->baseline == t.baseline;
                if (!sameLine) lastText = nullptr;
                if (lastText) {  // a blank at least between two texts
                    EXPECT_GE(t.x, lastText->x + lastText->width + placed.columnWidth * 0.5) << t.text.toStdString();
                }
                if (c.exactColumns || !sameLine) {
                    EXPECT_DOUBLE_EQ(t.x, at) << t.text.toStdString();
                }
                EXPECT_LE(t.x + t.width, device.width()) << t.text.toStdString();
                EXPECT_LE(t.baseline, device.height());
                prev = &t;
                if (!t.text.isEmpty()) lastText = &t;
            }
            EXPECT_EQ(placed.texts.front().pointSize, 16);
            EXPECT_EQ(placed.texts.front().text.toStdString(), "ORV Unit Data Printout:    /home/tech/radios/unit 7.orv");
        }
    }
}

// Paper too small for the report, or a header path too long for the line:
// nothing is cut off at the right edge.
TEST_F(PrintCommands, NarrowPaperAndLongPathsStayOnThePaper) {
    struct Case {
        QPageSize::PageSizeId size;
        std::string path;
        bool scaled;
    };
    const std::string longPath = "/srv/records/" + std::string(120, 'x') + "/unit 7.orv";
    for (const Case& c : {Case{QPageSize::A5, "a.orv", true}, Case{QPageSize::A4, longPath, false}}) {
        QPageLayout layout = defaultReportPageLayout();
        layout.setPageSize(QPageSize(c.size));
        QPdfWriter device(path("narrow.pdf"));
        device.setResolution(600);
        ASSERT_TRUE(device.setPageLayout(layout));
        const ReportLayout placed =
            layoutReport(PrintUnitReport(withCount(15), c.path), device, QSizeF(device.width(), device.height()));
        EXPECT_EQ(placed.scale < 1.0, c.scaled);
        EXPECT_GE(placed.pages, 8);
        for (const PlacedText& t : placed.texts) {
            EXPECT_LE((t.x + t.width) * placed.scale, device.width() + 1e-6) << t.text.toStdString();
            EXPECT_LE(t.baseline * placed.scale, device.height() + 1e-6);
        }
        // The header whole, over as many lines as it needs.
        QString header;
        int headerLines = 0;
        for (const PlacedText& t : placed.texts) {
            if (t.pointSize != placed.texts.front().pointSize || t.x != placed.texts.front().x) break;
            header += t.text;
            ++headerLines;
        }
        EXPECT_EQ(header, QString::fromStdString("ORV Unit Data Printout:    " + c.path));
        EXPECT_EQ(headerLines > 1, c.path == longPath);
    }
}
