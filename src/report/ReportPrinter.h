// The printed form of the report: one QPainter renderer of the report's page
// description, shared by the editor (printer, preview, PDF) and orvedit-cli
// (--pdf). Needs Qt GUI only, not the widgets.
//
// Placement: the report is laid out in a proportional face ("Arial", or a
// metric-compatible one), and an item at column c starts (c - 1) character
// widths of the 10-point face from the left margin, as a printer places
// tabbed columns. A column is the width of an "x" of that face (half an em).
// (A monospaced face at 10 points would not fit the report's 103 columns on
// Letter or A4 paper.) An item whose column lies inside text already drawn on
// its line starts one blank after that text, so texts never touch.
#pragma once
#include <QByteArray>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <vector>
#include "report/UnitReport.h"

class QPagedPaintDevice;
class QPaintDevice;

namespace orv {

// The face the report prints in: `requested` where the machine has it, else
// the metric-compatible "Liberation Sans", else the default sans-serif face.
QString reportFontFamily(const std::string& requested);

// One text of the laid-out report, in device pixels of the device laid out
// for: the left end of its baseline, and its advance width.
struct PlacedText {
    int page = 0;        // 0-based physical page (one copy)
    double x = 0;
    double baseline = 0;
    double width = 0;
    int pointSize = 10;
    int column = 1;
    QString text;
};

struct ReportLayout {
    std::vector<PlacedText> texts;
    int pages = 1;
    double columnWidth = 0;  // device pixels of one column
    double scale = 1;        // below 1 when the report is drawn smaller to fit the paper's width
};

// Lays `doc` out on pages of `page` size (device pixels of the printable
// area), with the font metrics of `device`. A page break of the document
// starts a new page; a line that does not fit below the last one also starts
// one (a small paper size or large margins chosen in the page setup). A
// report wider than the page is scaled down (positions stay unscaled; the
// painter applies `scale`).
ReportLayout layoutReport(const ReportDocument& doc, const QPaintDevice& device, const QSizeF& page);

// Paints `copies` copies of the report on `device` (a printer or a PDF
// writer), each copy starting on a new page. Returns false with a
// one-line reason when the device cannot be painted on.
bool paintReport(const ReportDocument& doc, QPagedPaintDevice& device, int copies, QString* error);

// The page layout a report gets when nobody chose one: Letter where the
// locale measures in inches, else A4; portrait; half-inch margins.
QPageLayout defaultReportPageLayout();

// The report as a PDF document (title "ORV Unit Data Printout"), in memory,
// so that the caller can replace a file in one step.
bool renderReportPdf(const ReportDocument& doc, const QPageLayout& layout, QByteArray& out, QString* error);

}  // namespace orv
