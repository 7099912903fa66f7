#include "app/PrintCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <exception>

#include "app/FileOpenSave.h"
#include "app/UserPrompts.h"
#include "report/ReportPrinter.h"
#include "files/ImageFile.h"
#include "report/UnitReport.h"

namespace orv {

namespace {

// Copies the print system does not make itself are painted one after the other.
int copiesToPaint(const QPrinter& printer) {
    return printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
}

// "radio.orv" suggests "radio.pdf" beside it; without a file, a name in the
// home folder.
QString suggestedPdfName(const QString& fileName) {
    if (fileName.isEmpty()) return QDir::home().filePath(QStringLiteral("ORV report.pdf"));
    const QFileInfo fi(fileName);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".pdf"));
}

ReportDocument buildReport(const MemoryImage& img, const QString& fileName) {
    return PrintUnitReport(img, fileName.toStdString());
}

}  // namespace

int ReportPrinting::runDialog(QDialog& dlg) {
    if (hooks_.runDialog) return hooks_.runDialog(dlg);
    return dlg.exec();
}

bool ReportPrinting::printersInstalled() {
    if (hooks_.printersInstalled) return hooks_.printersInstalled();
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

void ReportPrinting::tellFailure(QWidget* parent, const QString& text) {
    outcome_ = QCoreApplication::translate("ReportPrinting", "The report was not printed");
    prompts_.message(parent, text, QString(), MsgIcon::Critical, MsgButtons::OK);
}

bool ReportPrinting::writePdfFile(QWidget* parent, const QString& path, const QByteArray& pdf, const QString& own) {
    if (FileOpenSave::refuseOwnFile(prompts_, parent, path, own, tr("Print"))) {
        outcome_ = QCoreApplication::translate("ReportPrinting", "The report was not printed");
        return false;
    }
    const FileStatus st = saveFileAtomically(path.toStdString(), pdf.constData(), static_cast<std::size_t>(pdf.size()));
    if (!st) {
        tellFailure(parent, tr("The report could not be saved.\n") + QString::fromStdString(st.message));
        return false;
    }
    outcome_ = QCoreApplication::translate("ReportPrinting", "PDF written to %1").arg(path);
    return true;
}


ReportPrinting::ReportPrinting(UserPrompts& prompts)
    : prompts_(prompts), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setDocName(QStringLiteral("ORV Unit Data Printout"));
    printer_->setCreator(QStringLiteral("ORVEDIT"));
    if (printer_->outputFormat() == QPrinter::PdfFormat) {
        printer_->setPageLayout(defaultReportPageLayout());
    } else {
        // A real printer keeps its paper; half-inch margins where it can print there.
        printer_->setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
    }
}

ReportPrinting::~ReportPrinting() = default;

QPrinter& ReportPrinting::printer() { return *printer_; }

bool ReportPrinting::print(QWidget* parent, const MemoryImage& img, const QString& fileName) {
    outcome_ = QCoreApplication::translate("ReportPrinting", "Printing cancelled");
    try {
        if (!printersInstalled()) return saveAsPdf(parent, img, fileName);
        QPrintDialog dlg(printer_.get(), parent);
        dlg.setWindowTitle(tr("Print"));
        dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                       QAbstractPrintDialog::PrintCollateCopies);
        if (runDialog(dlg) != QDialog::Accepted) return false;
        return printTo(parent, *printer_, img, fileName);
    } catch (const std::exception& e) {
        tellFailure(parent, tr("The report could not be printed.\n") + QString::fromUtf8(e.what()));
        return false;
    }
}

bool ReportPrinting::saveAsPdf(QWidget* parent, const MemoryImage& img, const QString& fileName) {
    if (prompts_.message(parent,
                         tr("No printer is installed on this computer.\nSave the report as a PDF file instead?"),
                         QString(), MsgIcon::Question, MsgButtons::YesNo) != MsgAnswer::Yes)
        return false;
    QFileDialog fd(parent, tr("Save as PDF"));
    fd.setAcceptMode(QFileDialog::AcceptSave);
    fd.setNameFilter(tr("PDF files (*.pdf)"));
    fd.setDefaultSuffix(QStringLiteral("pdf"));
    fd.selectFile(suggestedPdfName(fileName));
    if (runDialog(fd) != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
    const QString path = fd.selectedFiles().constFirst();

    QByteArray pdf;
    QString error;
    if (!renderReportPdf(buildReport(img, fileName), printer_->pageLayout(), pdf, &error)) {
        tellFailure(parent, tr("The report could not be saved as %1: %2.").arg(path, error));
        return false;
    }
    return writePdfFile(parent, path, pdf, fileName);
}

bool ReportPrinting::printTo(QWidget* parent, QPrinter& printer, const MemoryImage& img, const QString& fileName) {
    const ReportDocument doc = buildReport(img, fileName);
    QString error;

    if (printer.outputFormat() == QPrinter::PdfFormat) {
        // Print to file: the printer writes a temporary file, which then
        // replaces the chosen file in one step, so a failure leaves that
        // file as it was.
        const QString target = printer.outputFileName();
        if (target.isEmpty()) {
            tellFailure(parent, tr("The report could not be printed: no output file was chosen."));
            return false;
        }
        QTemporaryFile tmp(QDir::temp().filePath(QStringLiteral("orvedit-report-XXXXXX.pdf")));
        if (!tmp.open()) {
            tellFailure(
                parent,
                tr("The report could not be printed: no temporary file could be made (%1).").arg(tmp.errorString()));
            return false;
        }
        tmp.close();
        printer.setOutputFileName(tmp.fileName());
        const bool painted = paintReport(doc, printer, copiesToPaint(printer), &error) &&
                             printer.printerState() != QPrinter::Error;
        printer.setOutputFileName(target);
        if (!painted) {
            tellFailure(parent, tr("The report could not be printed to %1: %2.")
                                    .arg(target, error.isEmpty() ? tr("the output failed") : error));
            return false;
        }
        if (!tmp.open()) {
            tellFailure(parent, tr("The report could not be printed to %1: %2.").arg(target, tmp.errorString()));
            return false;
        }
        return writePdfFile(parent, target, tmp.readAll(), fileName);
    }

    const QString name = printer.printerName();
    if (!paintReport(doc, printer, copiesToPaint(printer), &error)) {
        tellFailure(parent, tr("The report could not be printed on %1: %2.").arg(name, error));
        return false;
    }
    if (printer.printerState() == QPrinter::Aborted) {
        tellFailure(parent, tr("The print job on %1 was cancelled.").arg(name));
        return false;
    }
    if (printer.printerState() == QPrinter::Error) {
        tellFailure(parent, tr("The report could not be printed on %1: the printer reported an error.").arg(name));
        return false;
    }
    outcome_ = QCoreApplication::translate("ReportPrinting", "Report printed on %1").arg(name);
    return true;
}

void ReportPrinting::preview(QWidget* parent, const MemoryImage& img, const QString& fileName) {
    try {
        const ReportDocument doc = buildReport(img, fileName);
        QString failure;
        QPrintPreviewDialog dlg(printer_.get(), parent);
        dlg.setWindowTitle(tr("Print Preview"));
        QObject::connect(&dlg, &QPrintPreviewDialog::paintRequested, &dlg, [&](QPrinter* p) {
            QString error;
            if (!paintReport(doc, *p, copiesToPaint(*p), &error)) failure = error;
        });
        runDialog(dlg);
        if (!failure.isEmpty()) tellFailure(parent, tr("The report could not be printed: %1.").arg(failure));
    } catch (const std::exception& e) {
        tellFailure(parent, tr("The report could not be shown.\n") + QString::fromUtf8(e.what()));
    }
}

bool ReportPrinting::pageSetup(QWidget* parent) {
    QPageSetupDialog dlg(printer_.get(), parent);
    dlg.setWindowTitle(tr("Print Setup"));
    return runDialog(dlg) == QDialog::Accepted;
}

}  // namespace orv
