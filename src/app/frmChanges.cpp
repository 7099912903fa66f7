#include "app/frmChanges.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>
#include "app/AppState.h"

namespace orv {

QString frmChanges::groupHeading(const Difference& d) {
    if (d.group < 0) return tr("Global parameters");
    return tr("Group %1").arg(d.group + 1);
}

QString frmChanges::fieldText(const Difference& d) {
    // The wording names the group (and channel) first: under its heading the
    // rest of it is what the user needs.
    QString where = QString::fromStdString(d.where);
    const QString group = QStringLiteral("group %1 ").arg(d.group + 1);
    if (d.group >= 0 && where.startsWith(group)) where = where.mid(group.size());
    else if (where.startsWith(QLatin1String("globals "))) where = where.mid(8);
    if (where.startsWith(QLatin1String("channel "))) where[0] = where[0].toUpper();
    return where;
}

frmChanges::frmChanges(const ChangeListView& view, QWidget* owner)
    : QDialog(owner),
      lblSummary_(new QLabel(this)),
      lblNote_(new QLabel(view.note, this)),
      treChanges_(new QTreeWidget(this)),
      cmdWrite_(new QPushButton(tr("&Write"), this)),
      cmdCancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("frmChanges"));
    setWindowTitle(tr("What Will Change"));
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    const int n = static_cast<int>(view.changes.size());
    lblSummary_->setText(n == 1 ? tr("The write changes 1 value in the radio:")
                                : tr("The write changes %1 values in the radio:").arg(n));
    lblNote_->setObjectName(QStringLiteral("lblNote"));
    lblNote_->setWordWrap(true);
    lblNote_->setVisible(!view.note.isEmpty());
    treChanges_->setObjectName(QStringLiteral("treChanges"));
    nameAfterCaption(treChanges_, tr("Changes"));
    treChanges_->setHeaderLabels({tr("Field"), tr("In the radio"), tr("New")});
    treChanges_->setRootIsDecorated(true);
    treChanges_->setUniformRowHeights(true);
    // Under one heading per group, in the order of the comparison (globals
    // first, then group by group, channels in order).
    std::map<int, QTreeWidgetItem*> headings;
    for (const Difference& d : view.changes) {
        QTreeWidgetItem*& heading = headings[d.group];
        if (!heading) {
            heading = new QTreeWidgetItem(treChanges_, {groupHeading(d)});
            heading->setFirstColumnSpanned(true);
        }
        new QTreeWidgetItem(heading, {fieldText(d), QString::fromStdString(d.thisValue), QString::fromStdString(d.thatValue)});
    }
    treChanges_->expandAll();
    for (int c = 0; c < 3; ++c) treChanges_->resizeColumnToContents(c);
    cmdWrite_->setObjectName(QStringLiteral("cmdWrite"));
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    cmdWrite_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdWrite_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSummary_);
    layout->addWidget(lblNote_);
    layout->addWidget(treChanges_, 1);
    layout->addLayout(buttons);
    // Wide enough for the field names and both values, at the system's font.
    const int width = treChanges_->header()->length() + 4 * fontMetrics().averageCharWidth() + 40;
    resize(std::max(width, 520), 380);

    connect(cmdWrite_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool askWriteChanges(QWidget* owner, const ChangeListView& view) {
    frmChanges window(view, owner);
    return window.exec() == QDialog::Accepted;
}

}  // namespace orv
