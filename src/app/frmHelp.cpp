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
#include "db/ProgramData.h"

namespace orv {

namespace {
QString plain(const QString& html) {
    QTextDocument d;
    d.setHtml(html);
    return d.toPlainText();
}
}  // namespace

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
    sl->addWidget(new QLabel(tr("Type the words to find:"), searchPage));
    txtSearch = new QLineEdit(searchPage);
    txtSearch->setObjectName(QStringLiteral("txtSearch"));
    sl->addWidget(txtSearch);
    lstResults = new QListWidget(searchPage);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    sl->addWidget(lstResults);
    tabs->addTab(searchPage, tr("Search"));

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenExternalLinks(false);
    browser->setSearchPaths({QFileInfo(helpFile).absolutePath()});
    browser->setHtml(html);

    auto* split = new QSplitter(this);
    split->addWidget(tabs);
    split->addWidget(browser);
    split->setStretchFactor(1, 1);
    split->setSizes({230, 560});
    auto* lay = new QHBoxLayout(this);
    lay->addWidget(split);
    resize(820, 560);

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
