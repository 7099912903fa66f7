// The main window's File, Radio, Edit-"Global Parameters" and Comm-Port
// commands: each menu entry runs its command on this window and its link.
#include <QAction>
#include <QMenu>
#include "app/CommandGuard.h"
#include "app/FileOpenSave.h"
#include "app/RadioCommands.h"
#include "app/frmGlobals.h"
#include "app/frmGroups.h"

namespace orv {

void frmGroups::connectCommands() {
    // Every command runs behind the command boundary: an exception ends it
    // with a message and never reaches the event loop.
    auto command = [this](QAction* action, std::function<void()> run) {
        connect(action, &QAction::triggered, this, [this, run = std::move(run)] { runGuarded(this, run); });
    };
    command(mnuSave, [this] { FileOpenSave::saveFile(*this); });
    command(mnuSaveAs, [this] { FileOpenSave::saveFileAs(*this); });
    command(mnuOpen, [this] { FileOpenSave::openFile(*this); });

    command(mnuRead, [this] { mnuRead_Click(*this, *link_); });
    command(mnuReadGlobal, [this] { mnuReadGlobal_Click(*this, *link_); });
    command(mnuReadGroup, [this] { mnuReadGroup_Click(*this, *link_); });
    command(mnuWriteAll, [this] { mnuWriteAll_Click(*this, *link_); });
    command(mnuWriteGlobal, [this] { mnuWriteGlobal_Click(*this, *link_); });
    command(mnuWriteGroup, [this] { mnuWriteGroup_Click(*this, *link_); });
    command(mnuReadCurrGroup, [this] { mnuReadCurrGroup_Click(); });
    command(mnuWriteCurrGroup, [this] { mnuWriteCurrGroup_Click(); });

    command(mnuGlobals, [this] { frmGlobals::showWindow(this); });

    // While a radio exchange runs, the radio commands and the port choice are
    // not offered (and refused if they arrive anyway).
    connect(&link_->busy(), &RadioBusy::busyChanged, this, [this](bool busy) {
        for (QAction* a : {mnuRead, mnuReadGlobal, mnuReadGroup, mnuWriteAll, mnuWriteGlobal, mnuWriteGroup,
                           mnuTuneRadio})
            a->setEnabled(!busy);
        for (QAction* a : mnuCommPort) a->setEnabled(!busy);
    });

    for (int n = 1; n <= 4; ++n) {
        command(mnuCommPort[size_t(n - 1)], [this, n] {
            if (mnuCommPort_Click(*link_, n)) commPort = n;
            for (int k = 1; k <= 4; ++k) mnuCommPort[size_t(k - 1)]->setChecked(k == commPort);
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
