#include "app/frmProc.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include "app/UserPrompts.h"
#include "app/Twips.h"
#include "app/ViewBinder.h"
#include "link/TransferProgress.h"

namespace orv {

namespace {
constexpr int kOffsetTwips = 500;   // from the main window's top-left corner
constexpr int kWidthTwips = 4800;
}  // namespace

frmProc::frmProc(UserPrompts& prompts, QWidget* mainWindow)
    : QDialog(nullptr), prompts_(prompts), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("frmProc"));
    setWindowTitle(tr("ORV Processing"));
    setModal(false);

    lblInfo_ = new QLabel(tr("Label1"), this);
    lblInfo_->setObjectName(QStringLiteral("lblInfo"));
    lblInfo_->setAlignment(Qt::AlignCenter);
    Prog1_ = new QProgressBar(this);
    Prog1_->setObjectName(QStringLiteral("Prog1"));
    Prog1_->setTextVisible(false);
    lblProgress_ = new QLabel(this);
    lblProgress_->setObjectName(QStringLiteral("lblProgress"));
    lblProgress_->setAlignment(Qt::AlignCenter);
    CancelButton_ = new QPushButton(tr("Cancel"), this);
    CancelButton_->setObjectName(QStringLiteral("CancelButton"));
    CancelButton_->setAutoDefault(false);
    CancelButton_->setEnabled(false);
    connect(CancelButton_, &QPushButton::clicked, this, &frmProc::CancelButton_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CancelButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo_);
    layout->addWidget(Prog1_);
    layout->addWidget(lblProgress_);
    layout->addLayout(buttons);
    setMinimumWidth(twipsToPx(kWidthTwips));

    applyRange();
}

frmProc::~frmProc() { unload(); }

void frmProc::setMainWindow(QWidget* mainWindow) {
    if (mainWindow_ == mainWindow) return;
    // A loaded dialog keeps the main window it disabled; the new one counts
    // from the next load.
    if (!loaded_) mainWindow_ = mainWindow;
}

QString frmProc::cancelWriteWarning() {
    return tr(
        "Warning:\r"
        "Cancelling a write operation may leave the radio in an unpredictable state.\r"
        "Are you sure you want to cancel?");
}

void frmProc::load() {
    if (loaded_) return;
    // Every operation starts from a fresh dialog: Cancel disabled until the
    // transfer enables it, no cancel pending, the bar at its Min. (The write
    // flag of the last operation went with its unload.)
    cancelled_ = false;
    CancelButton_->setEnabled(false);
    value_ = 0;
    applyRange();
    disabledMain_ = false;
    if (mainWindow_ && mainWindow_->isEnabled()) {
        mainWindow_->setEnabled(false);
        disabledMain_ = true;
    }
    loaded_ = true;
}

void frmProc::unload() {
    if (!loaded_) return;
    hide();
    writeFlag_ = false;
    if (disabledMain_ && mainWindow_) mainWindow_->setEnabled(true);
    disabledMain_ = false;
    loaded_ = false;
}

void frmProc::place() {
    if (!mainWindow_) return;
    const int d = twipsToPx(kOffsetTwips);
    const QWidget* top = mainWindow_->window();
    move(top->pos() + QPoint(d, d));
}

void frmProc::showModeless() {
    // Showing an unloaded form loads it first.
    load();
    if (mainWindow_) {
        winId();
        QWidget* top = mainWindow_->window();
        if (windowHandle() && top->windowHandle())
            windowHandle()->setTransientParent(top->windowHandle());
    }
    show();
    raise();
}

void frmProc::ShowForm(const QString& message, bool writeFlag) {
    writeFlag_ = writeFlag;
    place();
    lblInfo_->setText(message);
    CancelButton_->setEnabled(false);
    cancelled_ = false;
    shownFor_.start();
    showProgressText();
    showModeless();
}

void frmProc::preShow(const QString& message) {
    place();
    lblInfo_->setText(message);
    showModeless();
}

void frmProc::EnableCancel() {
    cancelled_ = false;
    CancelButton_->setEnabled(true);
}

void frmProc::CancelButton_Click() {
    if (!CancelButton_->isEnabled()) return;
    if (!writeFlag_) {
        cancelled_ = true;
        return;
    }
    // Stopping a write half-way can leave the radio's memory inconsistent.
    asking_ = true;
    const bool yes = prompts_.message(this, cancelWriteWarning(), QString(), MsgIcon::Question,
                                      MsgButtons::YesNo) == MsgAnswer::Yes;
    if (yes) cancelled_ = true;
    asking_ = false;
}

// The window's close box and Esc act like the Cancel button: the transfer
// ends itself when it sees the flag, and unloads the dialog then.
void frmProc::closeEvent(QCloseEvent* e) {
    e->ignore();
    if (loaded_) CancelButton_Click();
}

void frmProc::reject() {
    if (loaded_) CancelButton_Click();
}

void frmProc::applyRange() {
    Prog1_->setRange(0, std::max(0, max_));
    Prog1_->setValue(value_);
}

void frmProc::showProgressText() {
    const double elapsed = shownFor_.isValid() ? shownFor_.elapsed() / 1000.0 : 0.0;
    const TransferProgress p = transferProgress(value_, 0, max_, elapsed);
    QString text = coreText("TransferProgress", transferProgressPattern(p));
    for (const std::string& arg : transferProgressArgs(p)) text = text.arg(QString::fromStdString(arg));
    lblProgress_->setText(text);
}

void frmProc::setProgress(int value, int max) {
    value_ = value;
    max_ = max;
    applyRange();
    showProgressText();
}

}  // namespace orv
