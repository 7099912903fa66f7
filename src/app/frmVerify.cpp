#include "app/frmVerify.h"
#include "app/AppState.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace orv {

frmVerify::frmVerify(QWidget* owner)
    : QDialog(owner),
      lblResult_(new QLabel(this)),
      lstDifferences_(new QListWidget(this)),
      cmdCopy_(new QPushButton(tr("&Copy"), this)),
      cmdClose_(new QPushButton(tr("Close"), this)) {
    setObjectName(QStringLiteral("frmVerify"));
    setWindowTitle(tr("Verify Radio"));
    setAttribute(Qt::WA_DeleteOnClose);
    lblResult_->setObjectName(QStringLiteral("lblResult"));
    lblResult_->setWordWrap(true);
    lstDifferences_->setObjectName(QStringLiteral("lstDifferences"));
    nameAfterCaption(lstDifferences_, tr("Differences"));
    lstDifferences_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lstDifferences_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdCopy_->setObjectName(QStringLiteral("cmdCopy"));
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdClose_->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdCopy_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblResult_);
    layout->addWidget(lstDifferences_, 1);
    layout->addLayout(buttons);
    resize(560, 320);

    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdCopy_, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(differencesText()); });
}

void frmVerify::showDifferences(const std::vector<std::string>& lines) {
    lstDifferences_->clear();
    for (const std::string& l : lines) lstDifferences_->addItem(QString::fromStdString(l));
    lblResult_->setText(lines.size() == 1
                            ? tr("The radio differs from the editor in 1 place:")
                            : tr("The radio differs from the editor in %1 places:")
                                  .arg(lines.size()));
}

QString frmVerify::differencesText() const {
    QString text;
    for (int i = 0; i < lstDifferences_->count(); ++i) text += lstDifferences_->item(i)->text() + QLatin1Char('\n');
    return text;
}

}  // namespace orv
