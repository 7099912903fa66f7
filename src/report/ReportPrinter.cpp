#include "report/ReportPrinter.h"

#include <QBuffer>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace orv {

namespace {

QFont reportFont(const QString& family, int points) {
    QFont f(family);
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(points);
    return f;
}

// The width of one column: the advance of an "x" of the 10-point face, half
// an em in Arial and its metric-compatible faces. (The face's average
// character, 0.44 em, would leave the headings "Chan:" and "Rec Freq:"
// touching; with half an em every heading fits its columns with a blank to
// spare, and the widest line still fits A4 and Letter paper with half-inch
// margins.) Glyph advances are the same in "Arial" and "Liberation Sans", so
// both give the same columns.
double columnWidthOf(const QFontMetricsF& fm) { return fm.horizontalAdvance(QChar(u'x')); }

// How much of `text` fits `width`: the longest start that does, cut after
// its last "/" or blank when it has one (at least one character).
qsizetype fittingStart(const QString& text, const QFontMetricsF& fm, double width) {
    qsizetype n = 1;
    while (n < text.size() && fm.horizontalAdvance(text.left(n + 1)) <= width) ++n;
    if (n >= text.size()) return n;
    for (qsizetype i = n; i > n / 2; --i)
        if (text[i - 1] == u'/' || text[i - 1] == u' ') return i;
    return n;
}

// Places every text on pages `pageHeight` device pixels high. A text of a
// line that holds nothing else and runs past `pageWidth` (a header with a
// long path; 0: no limit) goes on over as many lines as it needs.
ReportLayout place(const ReportDocument& doc, const QPaintDevice& device, double pageHeight, double pageWidth = 0) {
    ReportLayout out;
    const QString family = reportFontFamily(doc.fontName);
    out.columnWidth = columnWidthOf(QFontMetricsF(reportFont(family, kReportBodyPoints), &device));

    int page = 0;
    double y = 0;  // top of the next line
    for (std::size_t p = 0; p < doc.pages.size(); ++p) {
        if (p > 0) {
            ++page;
            y = 0;
        }
        for (const ReportLine& line : doc.pages[p].lines) {
            const QFontMetricsF fm(reportFont(family, line.pointSize), &device);
            if (y > 0 && y + fm.height() > pageHeight) {
                ++page;
                y = 0;
            }
            // Where the next text may start: a blank past the text already
            // on this line, so that a text running into the next column (a
            // label of wide letters) never merges with what follows it.
            double end = 0;
            const double blank = fm.horizontalAdvance(QChar(u' '));
            for (const ReportItem& item : line.items) {
                PlacedText t;
                t.page = page;
                t.text = QString::fromStdString(item.text);
                t.x = std::max((std::max(item.column, 1) - 1) * out.columnWidth, end);
                t.baseline = y + fm.ascent();
                t.width = fm.horizontalAdvance(t.text);
                t.pointSize = line.pointSize;
                t.column = item.column;
                while (pageWidth > 0 && line.items.size() == 1 && t.x + t.width > pageWidth && t.text.size() > 1) {
                    const qsizetype n = fittingStart(t.text, fm, pageWidth - t.x);
                    PlacedText rest = t;
                    t.text.truncate(n);
                    t.width = fm.horizontalAdvance(t.text);
                    rest.text.remove(0, n);
                    rest.width = fm.horizontalAdvance(rest.text);
                    out.texts.push_back(std::move(t));
                    y += fm.lineSpacing();
                    if (y + fm.height() > pageHeight) {
                        ++page;
                        y = 0;
                    }
                    rest.page = page;
                    rest.baseline = y + fm.ascent();
                    t = std::move(rest);
                }
                if (!t.text.isEmpty()) end = t.x + t.width + blank;
                out.texts.push_back(std::move(t));
            }
            y += fm.lineSpacing();
        }
    }
    out.pages = page + 1;
    return out;
}

}  // namespace

QString reportFontFamily(const std::string& requested) {
    const QStringList families = QFontDatabase::families();
    const QString want = QString::fromStdString(requested);
    for (const QString& name : {want, QStringLiteral("Liberation Sans")}) {
        if (families.contains(name, Qt::CaseInsensitive)) return name;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

ReportLayout layoutReport(const ReportDocument& doc, const QPaintDevice& device, const QSizeF& page) {
    ReportLayout out = place(doc, device, page.height());
    // Narrow paper or wide margins: the whole report is drawn smaller so
    // that no line of the body is cut off (and more lines fit a page).
    double right = 0;
    for (const PlacedText& t : out.texts)
        if (t.pointSize == kReportBodyPoints) right = std::max(right, t.x + t.width);
    // A header too long for the paper (a long path) goes on over a second
    // line rather than the whole report getting smaller.
    const double scale = right > page.width() && page.width() > 0 ? page.width() / right : 1.0;
    out = place(doc, device, page.height() / scale, page.width() / scale);
    out.scale = scale;
    return out;
}

bool paintReport(const ReportDocument& doc, QPagedPaintDevice& device, int copies, QString* error) {
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error) *error = QStringLiteral("the output could not be opened for printing");
        return false;
    }
    const ReportLayout layout = layoutReport(doc, device, QSizeF(device.width(), device.height()));
    const QString family = reportFontFamily(doc.fontName);
    painter.setPen(Qt::black);
    painter.scale(layout.scale, layout.scale);
    bool pagesOk = true;
    auto nextPage = [&] { return pagesOk = pagesOk && device.newPage(); };
    for (int copy = 0; copy < std::max(copies, 1) && pagesOk; ++copy) {
        int page = 0;
        if (copy > 0 && !nextPage()) break;
        for (const PlacedText& t : layout.texts) {
            for (; page < t.page && nextPage(); ++page) {
            }
            if (!pagesOk) break;
            painter.setFont(reportFont(family, t.pointSize));
            painter.drawText(QPointF(t.x, t.baseline), t.text);
        }
        // Pages the layout holds after its last text (empty lines only).
        for (; pagesOk && page < layout.pages - 1 && nextPage(); ++page) {
        }
    }
    if (!pagesOk) {
        painter.end();
        if (error) *error = QStringLiteral("the output could not start a new page");
        return false;
    }
    if (!painter.end()) {
        if (error) *error = QStringLiteral("the output could not be completed");
        return false;
    }
    return true;
}

QPageLayout defaultReportPageLayout() {
    const QPageSize size(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                                            : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
}

bool renderReportPdf(const ReportDocument& doc, const QPageLayout& layout, QByteArray& out, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("ORV Unit Data Printout"));
        writer.setCreator(QStringLiteral("ORVEDIT"));
        writer.setResolution(600);
        if (!writer.setPageLayout(layout)) {
            if (error) *error = QStringLiteral("the page layout is not valid");
            return false;
        }
        if (!paintReport(doc, writer, 1, error)) return false;
    }
    out = bytes;
    return true;
}

}  // namespace orv
