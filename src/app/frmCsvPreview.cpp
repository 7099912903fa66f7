#include "app/frmCsvPreview.h"
#include "app/WindowPosition.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include "app/AppState.h"
#include "app/ViewBinder.h"

namespace orv {

namespace {

enum Column { colRow, colLocation, colName, colFrequency, colChannel, colWhat, kPreviewColumns };

}  // namespace

frmCsvPreview::frmCsvPreview(QWidget* owner, const MemoryImage& img, int g, std::string csv, const QString& fileName)
    : QDialog(owner), image_(img), group_(g), csv_(std::move(csv)) {
    setObjectName(QStringLiteral("frmCsvPreview"));
    setWindowTitle(tr("Import Channels - %1").arg(fileName));
    setModal(true);
    applyEditorFace(this);
    // What the editor can show before anything changes: every row is
    // planned, names are fitted and rows the radio cannot hold are left out.
    options_.fitNames = true;
    options_.skipUnfit = true;

    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* lblFirst = new QLabel(tr("First channel"), this);
    cboFirstChannel_ = new QComboBox(this);
    cboFirstChannel_->setObjectName(QStringLiteral("cboFirstChannel"));
    cboFirstChannel_->addItem(tr("As in the file"));
    for (int c = 1; c <= 16; ++c) cboFirstChannel_->addItem(QString::number(c));
    lblFirst->setBuddy(cboFirstChannel_);
    nameAfterCaption(cboFirstChannel_, lblFirst->text());
    lblPlacement_ = new QLabel(this);
    lblPlacement_->setObjectName(QStringLiteral("lblPlacement"));
    top->addWidget(lblFirst);
    top->addWidget(cboFirstChannel_);
    top->addWidget(lblPlacement_, 1);
    layout->addLayout(top);

    table_ = new QTableWidget(0, kPreviewColumns, this);
    table_->setObjectName(QStringLiteral("tblRows"));
    nameAfterCaption(table_, tr("Rows"));
    table_->setHorizontalHeaderLabels({tr("Row"), tr("Location"), tr("Name"),
                                       tr("Frequency"), tr("Channel"),
                                       tr("What happens")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->verticalHeader()->setVisible(false);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setWordWrap(false);
    layout->addWidget(table_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdCancel_ = new QPushButton(tr("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    layout->addLayout(buttons);
    resize(760, 420);

    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cboFirstChannel_, &QComboBox::currentIndexChanged, this, [this](int index) {
        options_.firstChannel = std::max(0, index);
        replan();
    });
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (filling_ || item->column() != colRow) return;
        const int row = item->data(Qt::UserRole).toInt();
        auto& out = options_.leaveOut;
        out.erase(std::remove(out.begin(), out.end(), row), out.end());
        if (item->checkState() != Qt::Checked) out.push_back(row);
        replan();
    });
    replan();
}

void frmCsvPreview::setRowTicked(int r, bool ticked) {
    if (QTableWidgetItem* item = table_->item(r, colRow)) item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void frmCsvPreview::replan() {
    plan_ = planChannelCsv(image_, group_, csv_, options_);
    lblPlacement_->setText(coreText("ChannelCsv", plan_.placementText()));
    filling_ = true;
    table_->setRowCount(static_cast<int>(plan_.rows.size()));
    for (int r = 0; r < static_cast<int>(plan_.rows.size()); ++r) {
        const CsvRowPlan& p = plan_.rows[static_cast<std::size_t>(r)];
        const QString texts[kPreviewColumns] = {
            QString::number(p.row),
            QString::fromStdString(p.location),
            QString::fromStdString(p.name),
            QString::fromStdString(p.frequency),
            p.channel >= 0 ? QString::number(p.channel + 1) : QStringLiteral("-"),
            coreText("ChannelCsv", p.outcome())};
        for (int c = 0; c < kPreviewColumns; ++c) {
            auto* item = new QTableWidgetItem(texts[c]);
            // A text cut to fit its column is whole in the tooltip.
            if (c == colWhat || c == colName || c == colLocation) item->setToolTip(texts[c]);
            if (c == colRow) {
                item->setData(Qt::UserRole, p.row);
                // A row the radio cannot hold has no check box to tick.
                if (!p.unfit) item->setCheckState(p.leftOut ? Qt::Unchecked : Qt::Checked);
                item->setFlags(p.unfit ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            }
            table_->setItem(r, c, item);
        }
    }
    filling_ = false;
    table_->resizeColumnsToContents();
    table_->horizontalHeader()->setStretchLastSection(true);
    // The dialog starts wide enough for every column's widest text (the
    // reasons of "What happens" included), as far as the screen allows.
    if (!shownOnce_) {
        int columns = 0;
        for (int c = 0; c < kPreviewColumns; ++c) columns += table_->columnWidth(c);
        const int frame = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width() +
                          layout()->contentsMargins().left() + layout()->contentsMargins().right() + 8;
        resize(std::max(widthOnScreen(this, columns + frame), width()), height());
    }
}

void frmCsvPreview::showEvent(QShowEvent* e) {
    shownOnce_ = true;
    QDialog::showEvent(e);
}

}  // namespace orv
