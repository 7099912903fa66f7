#include "cli/ReportCommand.h"

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

using orvcli::CommandFailure;
using orvcli::kExitFailure;

namespace {

struct ReportOptions {
    std::string input;
    std::string pdf;
};

void writeText(const orv::ReportDocument& doc) {
    std::cout << orv::reportText(doc);
    orvcli::flushStdoutOrFail();
}

void writePdf(const orv::ReportDocument& doc, const std::string& path) {
#ifdef ORV_REPORT_PDF
    // The renderer needs a GUI application for its fonts, never a window:
    // it always runs on the offscreen platform, whatever the environment
    // names (a window system without a display would abort the program).
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit's own notes (e.g. about a missing runtime folder) are not
    // the tool's output: an error is one line of ours.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
        if (type == QtFatalMsg) orvcli::reportError(msg.toStdString());
    });
    int argc = 1;
    char name[] = "orvedit-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    QByteArray pdf;
    QString error;
    if (!orv::renderReportPdf(doc, orv::defaultReportPageLayout(), pdf, &error))
        throw CommandFailure{kExitFailure, path + ": the report could not be rendered: " + error.toStdString()};
    if (auto st = orv::saveFileAtomically(path, pdf.constData(), static_cast<std::size_t>(pdf.size())); !st)
        throw CommandFailure{orvcli::saveFailureExit(st), st.message};
#else
    (void)doc;
    throw CommandFailure{kExitFailure, path + ": this build of orvedit-cli has no PDF output"};
#endif
}

void runReport(const ReportOptions& o) {
    if (!o.pdf.empty()) orvcli::refuseStdStream(o.pdf);  // a PDF is no text for the terminal
    orvcli::refuseSameFile({{"FILE", o.input}}, {{"--pdf", o.pdf}});
    const orv::MemoryImage img = orvcli::loadImageOrFail(o.input);
    // The header names the file as it was given.
    const orv::ReportDocument doc = orv::PrintUnitReport(img, o.input);
    if (o.pdf.empty())
        writeText(doc);
    else
        writePdf(doc, o.pdf);
}

}  // namespace

void addReportCommand(CLI::App& app, int& exitCode) {
    auto opts = std::make_shared<ReportOptions>();
    CLI::App* cmd = app.add_subcommand(
        "report", "Print the report of a programming file as plain text (a page break is a form feed line)");
    cmd->add_option("FILE", opts->input, "Programming file to report (" + orvcli::kProgrammingFileBytes + ")")->required();
    cmd->add_option("--pdf", opts->pdf, "Write the printed form to this PDF file instead (replaced in one step)")
        ->check(orvcli::nonEmptyName());
    cmd->callback([opts, &exitCode] { exitCode = orvcli::runGuarded([&] { runReport(*opts); }); });
}
