#include "app/frmChooseDevice.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace orv {

frmChooseDevice::frmChooseDevice(QWidget* owner, int slot, const std::vector<SerialPortInfo>& ports,
                                 const QString& current)
    : QDialog(owner) {
    setObjectName(QStringLiteral("frmChooseDevice"));
    setWindowTitle(tr("Choose Device for Comm Port %1").arg(slot));
    auto* layout = new QVBoxLayout(this);

    auto* lblPorts = new QLabel(ports.empty() ? tr("No serial ports were found. Type the device's path below.")
                                              : tr("&Serial ports found:"),
                                this);
    layout->addWidget(lblPorts);
    lstPorts_ = new QTreeWidget(this);
    lstPorts_->setObjectName(QStringLiteral("lstPorts"));
    lstPorts_->setHeaderLabels({tr("Device"), tr("Stable name"), tr("Adapter"), tr("May open")});
    lstPorts_->setRootIsDecorated(false);
    lstPorts_->setAllColumnsShowFocus(true);
    lstPorts_->setAccessibleName(tr("Serial ports found"));
    for (const SerialPortInfo& p : ports) {
        auto* item = new QTreeWidgetItem(lstPorts_);
        item->setText(0, QString::fromStdString(p.device));
        item->setText(1, QString::fromStdString(p.stableName));
        item->setText(2, QString::fromStdString(p.description()));
        item->setText(3, QString::fromStdString(p.access));
        // What the slot stores: the name that survives replugging.
        item->setData(0, Qt::UserRole, QString::fromStdString(p.stableName.empty() ? p.device : p.stableName));
    }
    lstPorts_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstPorts_->setVisible(!ports.empty());
    lblPorts->setBuddy(lstPorts_);
    layout->addWidget(lstPorts_);

    auto* lblDevice = new QLabel(tr("&Device:"), this);
    layout->addWidget(lblDevice);
    txtDevice_ = new QLineEdit(current, this);
    txtDevice_->setObjectName(QStringLiteral("txtDevice"));
    txtDevice_->setAccessibleName(tr("Device"));
    lblDevice->setBuddy(txtDevice_);
    layout->addWidget(txtDevice_);
    lblAccess_ = new QLabel(this);
    lblAccess_->setObjectName(QStringLiteral("lblAccess"));
    lblAccess_->setWordWrap(true);
    layout->addWidget(lblAccess_);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

    connect(lstPorts_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item) txtDevice_->setText(item->data(0, Qt::UserRole).toString());
    });
    connect(lstPorts_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem*) { accept(); });
    connect(txtDevice_, &QLineEdit::textChanged, this, [this] { showAccess(); });
    for (int i = 0; i < lstPorts_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lstPorts_->topLevelItem(i);
        if (item->data(0, Qt::UserRole).toString() == current || item->text(0) == current) {
            const QSignalBlocker quiet(lstPorts_);
            lstPorts_->setCurrentItem(item);
        }
    }
    showAccess();
    txtDevice_->setFocus();
    resize(sizeHint().expandedTo(QSize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 90, 0)));
}

QString frmChooseDevice::device() const {
    // "~/radio-link" as a shell would read it: the typed path is opened as it
    // stands, and no shell stands between.
    const QString typed = txtDevice_->text().trimmed();
    if (typed == QLatin1String("~") || typed.startsWith(QLatin1String("~/"))) return QDir::homePath() + typed.mid(1);
    return typed;
}

void frmChooseDevice::showAccess() {
    const QString d = device();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!d.isEmpty());
    if (d.isEmpty()) {
        lblAccess_->clear();
        return;
    }
    bool mayOpen = false;
    const std::string access = deviceAccess(d.toStdString(), mayOpen);
    // "no: join group dialout (...)" from the port list reads as the reason.
    QString why = QString::fromStdString(access);
    if (why.startsWith(QLatin1String("no: "))) why = why.mid(4);
    lblAccess_->setText(mayOpen ? tr("You may open this device.") : tr("You cannot open this device: %1").arg(why));
}

}  // namespace orv
