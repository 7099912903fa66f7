// The main window's File, Radio, Edit-"Global Parameters" and Comm-Port
// commands: each menu entry runs its command on this window and its link.
#include <QAction>
#include <QMenu>
#include "app/FileOpenSave.h"
#include "app/RadioCommands.h"
#include "app/frmGlobals.h"
#include "app/frmGroups.h"

namespace orv {

void frmGroups::connectCommands() {
    connect(mnuSave, &QAction::triggered, this, [this] { FileOpenSave::saveFile(*this); });
    connect(mnuSaveAs, &QAction::triggered, this, [this] { FileOpenSave::saveFileAs(*this); });
    connect(mnuOpen, &QAction::triggered, this, [this] { FileOpenSave::openFile(*this); });

    connect(mnuRead, &QAction::triggered, this, [this] { mnuRead_Click(*this, *link_); });
    connect(mnuReadGlobal, &QAction::triggered, this, [this] { mnuReadGlobal_Click(*this, *link_); });
    connect(mnuReadGroup, &QAction::triggered, this, [this] { mnuReadGroup_Click(*this, *link_); });
    connect(mnuWriteAll, &QAction::triggered, this, [this] { mnuWriteAll_Click(*this, *link_); });
    connect(mnuWriteGlobal, &QAction::triggered, this, [this] { mnuWriteGlobal_Click(*this, *link_); });
    connect(mnuWriteGroup, &QAction::triggered, this, [this] { mnuWriteGroup_Click(*this, *link_); });
    connect(mnuReadCurrGroup, &QAction::triggered, this, [this] { mnuReadCurrGroup_Click(); });
    connect(mnuWriteCurrGroup, &QAction::triggered, this, [this] { mnuWriteCurrGroup_Click(); });

    connect(mnuGlobals, &QAction::triggered, this, [this] { frmGlobals::showWindow(this); });

    for (int n = 1; n <= 4; ++n) {
        connect(mnuCommPort[size_t(n - 1)], &QAction::triggered, this, [this, n] {
            mnuCommPort_Click(*link_, n);
            commPort = n;
            for (int k = 1; k <= 4; ++k) mnuCommPort[size_t(k - 1)]->setChecked(k == n);
            showCommPortDevices();
        });
    }
    // Each port entry names the device behind it, so a technician can see
    // which serial device "Use Comm Port n" opens.
    mnuCommPortx->setToolTipsVisible(true);
    connect(mnuCommPortx, &QMenu::aboutToShow, this, [this] { showCommPortDevices(); });
}

void frmGroups::showCommPortDevices() {
    for (int n = 1; n <= 4; ++n) {
        QAction* a = mnuCommPort[size_t(n - 1)];
        const QString device = RadioLink::deviceForPort(n);
        a->setToolTip(n == commPort ? QStringLiteral("In use: %1").arg(device) : device);
        a->setStatusTip(a->toolTip());
    }
    mnuCommPortx->setToolTip(QStringLiteral("Comm Port %1: %2").arg(commPort).arg(RadioLink::deviceForPort(commPort)));
}

}  // namespace orv
