#include "app/frmAbout.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include "app/AppPicture.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/SysInfo.h"

namespace orv {

frmAbout::frmAbout(UserPrompts& prompts, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(tr("About ORVEDIT"));
    setModal(true);
    makeFixedDialog(this);

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(radioPicture(64));
    picIcon->setFixedSize(64, 64);
    lblTitle = new QLabel(QString::fromLatin1(kAppTitle), this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    // Larger than the application's font, in proportion to it.
    QFont big = lblTitle->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVersion = new QLabel(versionText(), this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblDescription = new QLabel(tr("Reads, edits, saves and writes the programming of ORV series radios."), this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(picIcon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(lblTitle, 0, 1);
    grid->addWidget(lblVersion, 1, 1);
    grid->addWidget(lblDescription, 2, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this,
            [this, p = &prompts] { runGuarded(*p, this, [this, p] { StartSysInfo(*p, this); }); });
}

}  // namespace orv
