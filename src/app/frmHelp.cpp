#include "app/frmHelp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include "app/AppState.h"
#include "app/Twips.h"
#include "db/ProgramData.h"

namespace orv {

namespace {
QString plain(const QString& html) {
    QTextDocument d;
    d.setHtml(html);
    return d.toPlainText();
}

double luminance(const QColor& c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
}  // namespace

QString frmHelp::withPaletteColours(const QString& html, const QPalette& palette) {
    // The guide's style sheet names colours for a light page. A colour that
    // does not stand out from what it is drawn on with this palette is
    // replaced by the palette's colour for its use: text and headings (which
    // take the link colour where it stands out from the page), backgrounds
    // (against the text) and borders (against the page).
    const QColor base = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    const QColor link = palette.color(QPalette::Link);
    const QColor heading = contrast(link, base) >= 4.5 ? link : text;
    static const QRegularExpression styleBlock(QStringLiteral("<style[^>]*>(.*?)</style>"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression rule(QStringLiteral("([^{}]+)\\{([^}]*)\\}"));
    static const QRegularExpression declaration(QStringLiteral("([a-z-]+)\\s*:([^;]*)"));
    static const QRegularExpression hex(QStringLiteral("#[0-9a-fA-F]{3,6}\\b"));
    static const QRegularExpression headingSelector(QStringLiteral("\\bh[1-6]\\b"));
    const QRegularExpressionMatch block = styleBlock.match(html);
    if (!block.hasMatch()) return html;
    QString css;
    for (auto r = rule.globalMatch(block.captured(1)); r.hasNext();) {
        const auto m = r.next();
        const QString selector = m.captured(1);
        QString body;
        for (auto d = declaration.globalMatch(m.captured(2)); d.hasNext();) {
            const auto dm = d.next();
            const QString property = dm.captured(1);
            QString value = dm.captured(2);
            // What the colour is drawn on, how far it must stand out, and its stand-in.
            const bool background = property.startsWith(QLatin1String("background"));
            const bool border = property.startsWith(QLatin1String("border"));
            const QColor against = background ? text : base;
            const double needed = border ? 1.5 : 4.5;
            const QColor standIn = background ? palette.color(QPalette::AlternateBase)
                                   : border   ? palette.color(QPalette::Mid)
                                   : selector.contains(headingSelector) ? heading
                                                                        : text;
            const QRegularExpressionMatch colour = hex.match(value);
            if (colour.hasMatch() && contrast(QColor(colour.captured()), against) < needed)
                value.replace(colour.capturedStart(), colour.capturedLength(), standIn.name());
            body += property + QLatin1Char(':') + value + QLatin1Char(';');
        }
        css += selector + QLatin1Char('{') + body + QLatin1Char('}');
    }
    return QString(html).replace(block.capturedStart(1), block.capturedLength(1), css);
}

std::vector<frmHelp::Section> frmHelp::parseSections(const QString& html) {
    std::vector<Section> out;
    static const QRegularExpression heading(
        QStringLiteral("<h([23])[^>]*\\bid=\"([^\"]+)\"[^>]*>(.*?)</h\\1>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    auto it = heading.globalMatch(html);
    struct Hit { int start; int end; Section s; };
    std::vector<Hit> hits;
    while (it.hasNext()) {
        const auto m = it.next();
        Hit h{static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedEnd()),
              Section{m.captured(1).toInt(), m.captured(2), plain(m.captured(3)).trimmed(), {}}};
        hits.push_back(h);
    }
    for (size_t i = 0; i < hits.size(); ++i) {
        const int end = i + 1 < hits.size() ? hits[i + 1].start : static_cast<int>(html.size());
        hits[i].s.text = hits[i].s.title + QLatin1Char('\n') + plain(html.mid(hits[i].end, end - hits[i].end));
        out.push_back(hits[i].s);
    }
    return out;
}

std::vector<QString> frmHelp::search(const QString& query) const {
    std::vector<QString> out;
    const QStringList words = query.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (words.isEmpty()) return out;
    for (const auto& s : sections_) {
        bool all = true;
        for (const auto& w : words) all = all && s.text.contains(w, Qt::CaseInsensitive);
        if (all) out.push_back(s.anchor);
    }
    return out;
}

frmHelp::frmHelp(const QString& helpFile, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(tr("ORVEDIT Help"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);

    QFile f(helpFile);
    QString html;
    if (f.open(QIODevice::ReadOnly)) html = QString::fromUtf8(f.readAll());
    sections_ = parseSections(html);

    auto* tabs = new QTabWidget(this);
    contents = new QTreeWidget(tabs);
    contents->setObjectName(QStringLiteral("contents"));
    contents->setHeaderHidden(true);
    nameAfterCaption(contents, tr("Contents"));
    QTreeWidgetItem* parentItem = nullptr;
    for (const auto& s : sections_) {
        auto* item = s.level == 2 || !parentItem ? new QTreeWidgetItem(contents) : new QTreeWidgetItem(parentItem);
        item->setText(0, s.title);
        item->setData(0, Qt::UserRole, s.anchor);
        if (s.level == 2) parentItem = item;
    }
    contents->expandAll();
    tabs->addTab(contents, tr("Contents"));

    auto* searchPage = new QWidget(tabs);
    auto* sl = new QVBoxLayout(searchPage);
    auto* lblSearch = new QLabel(tr("Type the words to find:"), searchPage);
    sl->addWidget(lblSearch);
    txtSearch = new QLineEdit(searchPage);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    nameAfterCaption(txtSearch, lblSearch->text());
    sl->addWidget(txtSearch);
    lstResults = new QListWidget(searchPage);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    nameAfterCaption(lstResults, tr("Results"));
    sl->addWidget(lstResults);
    tabs->addTab(searchPage, tr("Search"));

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    nameAfterCaption(browser, windowTitle());
    browser->setOpenExternalLinks(false);
    browser->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    browser->setHtml(withPaletteColours(html, browser->palette()));

    auto* split = new QSplitter(this);
    split->addWidget(tabs);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 560});
    auto* lay = new QHBoxLayout(this);
    lay->addWidget(split);
    resize(twipsToPx(12300), twipsToPx(8400));

    auto go = [this](const QString& anchor) { browser->scrollToAnchor(anchor); };
    connect(contents, &QTreeWidget::itemClicked, this,
            [go](QTreeWidgetItem* it, int) { go(it->data(0, Qt::UserRole).toString()); });
    connect(txtSearch, &QLineEdit::textChanged, this, [this](const QString& t) {
        lstResults->clear();
        for (const QString& anchor : search(t)) {
            for (const auto& s : sections_) {
                if (s.anchor != anchor) continue;
                auto* item = new QListWidgetItem(s.title, lstResults);
                item->setData(Qt::UserRole, anchor);
            }
        }
    });
    connect(lstResults, &QListWidget::itemClicked, this, [this, go](QListWidgetItem* it) {
        go(it->data(Qt::UserRole).toString());
        browser->find(txtSearch->text().split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0));
    });
}

QString frmHelp::helpFilePath() {
    const QString p = QDir(programDataDir()).filePath(QStringLiteral("help/OrvHelp.html"));
    return QFileInfo::exists(p) ? p : QString();
}

void frmHelp::showSection(const QString& anchor) { browser->scrollToAnchor(anchor); }

}  // namespace orv
