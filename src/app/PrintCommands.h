// The editor's print commands: File > Print ("Print Displayed ORV Setup",
// Ctrl+P), File > Print Preview and File > Print Setup. One ReportPrinting
// object lives with the main window, so the printer and the page layout
// chosen in Print Setup (or in the print dialog) hold for the next print
// while the program runs.
//
// The caller reloads the displayed group from the image before printing
// (the group on screen is printed as the image holds it).
#pragma once
#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include "image/MemoryImage.h"

class QDialog;
class QPrinter;
class QWidget;

namespace orv {

class UserPrompts;

class ReportPrinting {
    Q_DECLARE_TR_FUNCTIONS(ReportPrinting)

public:
    // Messages go through the session's prompts.
    explicit ReportPrinting(UserPrompts& prompts);
    ~ReportPrinting();
    ReportPrinting(const ReportPrinting&) = delete;
    ReportPrinting& operator=(const ReportPrinting&) = delete;

    // Print: the print dialog first (printer, copies); Cancel prints
    // nothing. Without an installed printer the report can be saved as a
    // PDF file instead. `fileName` is the programming file named in the
    // header (empty when none). Returns true when the report was printed or
    // saved; every failure is told in a message box and changes nothing.
    bool print(QWidget* parent, const MemoryImage& img, const QString& fileName);

    // What the last print came to, for the status bar: "PDF written to
    // /path/x.pdf", "Report printed on PRINTER", or that it was cancelled or
    // not printed.
    const QString& lastOutcome() const { return outcome_; }

    // Print Preview: the report's pages in a preview window, from which it
    // can also be printed.
    void preview(QWidget* parent, const MemoryImage& img, const QString& fileName);

    // Print Setup: the page setup dialog; an accepted choice is kept for the
    // following prints. Returns true when accepted.
    bool pageSetup(QWidget* parent);

    // The session's printer (its page layout and choice of printer).
    QPrinter& printer();

    // Tests answer the dialogs instead of the user: `runDialog` gets every
    // dialog these commands open (QPrintDialog, QPageSetupDialog,
    // QPrintPreviewDialog, QFileDialog) and returns its result code, as
    // exec() would. `printersInstalled` replaces the look-up of installed
    // printers. Empty functions restore the real behaviour.
    struct Hooks {
        std::function<int(QDialog&)> runDialog;
        std::function<bool()> printersInstalled;
    };
    void setHooks(Hooks hooks) { hooks_ = std::move(hooks); }

private:
    int runDialog(QDialog& dlg);
    bool printersInstalled();
    void tellFailure(QWidget* parent, const QString& text);
    // Writes the PDF to `path`, unless that is the programming's own file `own`.
    bool writePdfFile(QWidget* parent, const QString& path, const QByteArray& pdf, const QString& own);

    bool saveAsPdf(QWidget* parent, const MemoryImage& img, const QString& fileName);
    bool printTo(QWidget* parent, QPrinter& printer, const MemoryImage& img, const QString& fileName);

    UserPrompts& prompts_;
    Hooks hooks_;
    std::unique_ptr<QPrinter> printer_;
    QString outcome_;
};

}  // namespace orv
