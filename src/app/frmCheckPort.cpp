#include "app/frmCheckPort.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include "app/AppState.h"
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/RadioLink.h"

namespace orv {

namespace {

QString levelText(FindingLevel level) {
    switch (level) {
    case FindingLevel::Ok: return frmCheckPort::tr("OK");
    case FindingLevel::Note: return frmCheckPort::tr("Note");
    case FindingLevel::Warning: return frmCheckPort::tr("Warning");
    case FindingLevel::Problem: break;
    }
    return frmCheckPort::tr("Problem");
}

}  // namespace

frmCheckPort::frmCheckPort(QWidget* owner, const QString& device, Check check)
    : QWidget(owner, Qt::Window), device_(device), check_(std::move(check)) {
    setObjectName(QStringLiteral("frmCheckPort"));
    setAttribute(Qt::WA_DeleteOnClose);
    applyEditorFace(this);
    auto* layout = new QVBoxLayout(this);
    lblSummary_ = new QLabel(this);
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);
    lblSummary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(lblSummary_);

    lstFindings_ = new QTreeWidget(this);
    lstFindings_->setObjectName(QStringLiteral("lstFindings"));
    lstFindings_->setHeaderLabels({tr("Level"), tr("Finding"), tr("What to do")});
    lstFindings_->setAccessibleName(tr("Findings"));
    lstFindings_->setRootIsDecorated(false);
    lstFindings_->setWordWrap(true);
    lstFindings_->setAllColumnsShowFocus(true);
    lstFindings_->header()->setStretchLastSection(true);
    layout->addWidget(lstFindings_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cmdCheckAgain_ = new QPushButton(tr("Check &Again"), this);
    cmdCheckAgain_->setObjectName(QStringLiteral("cmdCheckAgain"));
    cmdCopy_ = new QPushButton(tr("&Copy"), this);
    cmdCopy_->setObjectName(QStringLiteral("cmdCopy"));
    auto* cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* b : {cmdCheckAgain_, cmdCopy_, cmdClose}) buttons->addWidget(b);
    layout->addLayout(buttons);
    connect(cmdCheckAgain_, &QPushButton::clicked, this, &frmCheckPort::checkAgain);
    connect(cmdCopy_, &QPushButton::clicked, this, [this] {
        QString lines;
        for (const PortFinding& f : findings_) lines += QString::fromStdString(findingLine(f)) + QLatin1Char('\n');
        if (QClipboard* cb = QGuiApplication::clipboard()) cb->setText(lines);
    });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);
    const int em = fontMetrics().horizontalAdvance(QLatin1Char('x'));
    lstFindings_->setColumnWidth(0, em * 10);
    lstFindings_->setColumnWidth(1, em * 50);
    resize(em * 130, fontMetrics().height() * 24);
    checkAgain();
}

void frmCheckPort::setDevice(const QString& device) {
    device_ = device;
    checkAgain();
}

void frmCheckPort::checkAgain() {
    setWindowTitle(tr("Check Port %1").arg(device_));
    findings_ = check_(device_.toStdString());
    lstFindings_->clear();
    int problems = 0;
    for (const PortFinding& f : findings_) {
        auto* item = new QTreeWidgetItem(lstFindings_);
        item->setText(0, levelText(f.level));
        // The core's findings are built with values in them: shown as they are.
        const QString finding = QString::fromStdString(f.subject + ": " + f.finding);
        item->setText(1, finding);
        item->setText(2, QString::fromStdString(f.fix));
        item->setToolTip(1, finding);
        item->setToolTip(2, item->text(2));
        if (f.level == FindingLevel::Problem) ++problems;
    }
    lblSummary_->setText(problems == 0 ? tr("Nothing found that keeps %1 from working.").arg(device_)
                                       : tr("Something keeps %1 from working: see the problems and what to do.")
                                             .arg(device_));
}

frmCheckPort* mnuCheckPort_Click(EditorShell& shell) {
    QWidget* owner = shell.shellWidget();
    const QString device = RadioLink::deviceForPort(shell.session().link().portNumber());
    auto* window = owner ? owner->findChild<frmCheckPort*>() : nullptr;
    if (window) {
        window->setDevice(device);
    } else {
        window = new frmCheckPort(owner, device, [](const std::string& d) { return checkPorts(d); });
        if (owner) window->move(owner->frameGeometry().center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

}  // namespace orv
