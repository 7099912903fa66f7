#include "cli/ReportCommand.h"

#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include "cli/CliSupport.h"
#include "files/ImageFile.h"
#include "report/UnitReport.h"

#ifdef ORV_REPORT_PDF
#include <QByteArray>
#include <QGuiApplication>
#include <QtGlobal>
#include <QString>
#include "report/ReportPrinter.h"
#endif

using orvcli::kExitFailure;
using orvcli::kExitOk;
using orvcli::kExitUsage;
using orvcli::reportError;

namespace {

struct ReportOptions {
    std::string input;
    std::string pdf;
};

int writeText(const orv::ReportDocument& doc) {
    std::cout << orv::reportText(doc) << std::flush;
    if (!std::cout) {
        reportError("cannot write to the standard output");
        return kExitFailure;
    }
    return kExitOk;
}

int writePdf(const orv::ReportDocument& doc, const std::string& path) {
#ifdef ORV_REPORT_PDF
    // The renderer needs a GUI application for its fonts; without a window
    // system of the user's choosing it runs on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit's own notes (e.g. about a missing runtime folder) are not
    // the tool's output: an error is one line of ours.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtFatalMsg) std::cerr << "orvedit-cli: " << msg.toStdString() << std::endl;
    });
    int argc = 1;
    char name[] = "orvedit-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QByteArray pdf;
    QString error;
    if (!orv::renderReportPdf(doc, orv::defaultReportPageLayout(), pdf, &error)) {
        reportError(path + ": the report could not be rendered: " + error.toStdString());
        return kExitFailure;
    }
    if (auto st = orv::saveFileAtomically(path, pdf.constData(), static_cast<std::size_t>(pdf.size())); !st) {
        reportError(st.message);
        return orvcli::saveFailureExit(st);
    }
    return kExitOk;
#else
    (void)doc;
    reportError(path + ": this build of orvedit-cli has no PDF output");
    return kExitFailure;
#endif
}

int runReport(const ReportOptions& o) {
    orv::MemoryImage img;
    if (auto st = orv::loadImageFile(o.input, img); !st) {
        reportError(st.message);
        return kExitUsage;
    }
    // The header names the file as it was given.
    const orv::ReportDocument doc = orv::PrintUnitReport(img, o.input);
    return o.pdf.empty() ? writeText(doc) : writePdf(doc, o.pdf);
}

}  // namespace

void addReportCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<ReportOptions>();
    CLI::App* cmd = app.add_subcommand(
        "report", "Print the report of a programming file as plain text (a page break is a form feed line)");
    cmd->add_option("FILE", opts->input, "Programming file to report (6019 bytes)")->required();
    cmd->add_option("--pdf", opts->pdf, "Write the printed form to this PDF file instead (replaced in one step)");
    cmd->callback([opts, &exitCode] {
        try {
            exitCode = runReport(*opts);
        } catch (const std::exception& e) {
            reportError(e.what());
            exitCode = kExitFailure;
        }
    });
}
