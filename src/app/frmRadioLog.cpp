#include "app/frmRadioLog.h"
#include "app/WindowPosition.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include "app/AppState.h"
#include "files/Backups.h"
#include "job/JobLog.h"
#include "platform/Platform.h"

namespace orv {

namespace {
constexpr int kEntryRole = Qt::UserRole + 1;   // the entry's index, on each row's first cell
}

frmRadioLog::frmRadioLog(const RadioLogContents& log, std::function<bool(const QString&)> openBackup, QWidget* owner)
    : QDialog(owner),
      entries_(log.entries),
      openBackup_(std::move(openBackup)),
      model_(new QStandardItemModel(this)),
      filter_(new QSortFilterProxyModel(this)),
      txtFilter_(new QLineEdit(this)),
      grdLog_(new QTableView(this)),
      lblWarnings_(new QLabel(this)),
      cmdOpenBackup_(new QPushButton(tr("&Open Backup"), this)),
      cmdClose_(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("frmRadioLog"));
    setWindowTitle(tr("Radio Log"));
    const auto& columns = logColumns();
    QStringList headings;
    for (const LogColumn& c : columns) headings << tr(c.heading);
    model_->setHorizontalHeaderLabels(headings);
    // Newest first until the user sorts otherwise.
    for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i) {
        QList<QStandardItem*> row;
        for (const LogColumn& c : columns) {
            auto* item = new QStandardItem(QString::fromStdString(c.text(entries_[static_cast<std::size_t>(i)])));
            item->setEditable(false);
            row << item;
        }
        row.front()->setData(i, kEntryRole);
        model_->appendRow(row);
    }
    filter_->setSourceModel(model_);
    filter_->setFilterKeyColumn(-1);
    filter_->setFilterCaseSensitivity(Qt::CaseInsensitive);

    txtFilter_->setObjectName(QStringLiteral("txtFilter"));
    txtFilter_->setPlaceholderText(tr("Show the entries that contain..."));
    txtFilter_->setClearButtonEnabled(true);
    auto* lblFilter = new QLabel(tr("&Filter:"), this);
    lblFilter->setBuddy(txtFilter_);
    connect(txtFilter_, &QLineEdit::textChanged, filter_, &QSortFilterProxyModel::setFilterFixedString);

    grdLog_->setObjectName(QStringLiteral("grdLog"));
    nameAfterCaption(grdLog_, tr("Radio Log"));
    grdLog_->setModel(filter_);
    grdLog_->setSortingEnabled(true);
    grdLog_->sortByColumn(-1, Qt::AscendingOrder);
    grdLog_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdLog_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdLog_->verticalHeader()->hide();
    grdLog_->horizontalHeader()->setStretchLastSection(true);
    grdLog_->resizeColumnsToContents();
    connect(grdLog_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { selectionChanged(); });
    connect(grdLog_, &QTableView::doubleClicked, this, [this] {
        if (cmdOpenBackup_->isEnabled()) cmdOpenBackup_->click();
    });

    lblWarnings_->setObjectName(QStringLiteral("lblWarnings"));
    lblWarnings_->setWordWrap(true);
    QStringList warnings;
    for (const std::string& w : log.warnings) warnings << QString::fromStdString(w);
    if (!log.status) warnings << QString::fromStdString(log.status.message);
    lblWarnings_->setText(warnings.join(QLatin1Char('\n')));
    lblWarnings_->setVisible(!warnings.isEmpty());

    cmdOpenBackup_->setObjectName(QStringLiteral("cmdOpenBackup"));
    cmdOpenBackup_->setEnabled(false);
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    connect(cmdOpenBackup_, &QPushButton::clicked, this, [this] {
        const QString path = selectedBackup();
        if (!path.isEmpty() && openBackup_ && openBackup_(path)) accept();
    });
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(lblFilter);
    top->addWidget(txtFilter_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOpenBackup_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lblWarnings_);
    layout->addWidget(grdLog_, 1);
    layout->addLayout(buttons);
    resize(widthOnScreen(this, std::max(grdLog_->horizontalHeader()->length() + 40, 720)), 420);
}

QString frmRadioLog::selectedBackup() const {
    const QModelIndexList rows = grdLog_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return {};
    const int i = filter_->mapToSource(rows.front()).siblingAtColumn(0).data(kEntryRole).toInt();
    const QString folder = QString::fromStdString(backupFolder());
    // The first backup the entry names that is still kept: what the radio
    // held before a write comes before what was written.
    const RadioLogEntry& e = entries_[static_cast<std::size_t>(i)];
    std::vector<std::string> names = e.backups;
    std::stable_partition(names.begin(), names.end(),
                          [](const std::string& n) { return n.find("-write") == std::string::npos; });
    for (const std::string& name : names) {
        const QString path = folder + QLatin1Char(platform::kPathSeparator) + QString::fromStdString(name);
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

void frmRadioLog::selectionChanged() { cmdOpenBackup_->setEnabled(!selectedBackup().isEmpty()); }

}  // namespace orv
