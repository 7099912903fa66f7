#include "app/AlignCalcDialog.h"
#include "app/AppState.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include "app/CommandGuard.h"
#include "app/UserPrompts.h"
#include "app/Twips.h"
#include "app/ViewBinder.h"
#include "app/WindowPosition.h"

namespace orv {

namespace {
constexpr int kWidthTwips = 6300;
}  // namespace

AlignCalcDialog::AlignCalcDialog(AlignCalculator kind, UserPrompts& prompts,
                                 std::function<void(long)> setResult, QWidget* owner, const char* topKey,
                                 const char* leftKey)
    : QDialog(owner),
      kind_(kind),
      prompts_(prompts),
      setResult_(std::move(setResult)),
      topKey_(topKey),
      leftKey_(leftKey) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    readings_ = new QVBoxLayout;
    layout->addLayout(readings_);
    cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(twipsToPx(kWidthTwips));
    connect(cmdOK, &QPushButton::clicked, this, [this] { runGuarded(prompts_, this, [this] { cmdOK_Click(); }); });
    connect(cmdCancel, &QPushButton::clicked, this,
            [this] { runGuarded(prompts_, this, [this] { cmdCancel_Click(); }); });
}

QLineEdit* AlignCalcDialog::addReading(const QString& frameName, QLabel*& label, const QString& caption,
                                       const QString& textName, const QString& text) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(frameName);
    auto* fl = new QVBoxLayout(frame);
    label = new QLabel(caption, frame);
    label->setWordWrap(true);
    auto* edit = new QLineEdit(text, frame);
    edit->setObjectName(textName);
    nameAfterCaption(edit, caption);
    fl->addWidget(label);
    fl->addWidget(edit);
    readings_->addWidget(frame);
    return edit;
}

void AlignCalcDialog::keepSelection(QLineEdit* e, int start, int length) {
    e->setSelection(start, length);
    e->setProperty("orvSelection", QPoint(start, length));
    e->installEventFilter(this);
}

bool AlignCalcDialog::eventFilter(QObject* watched, QEvent* event) {
    auto* e = qobject_cast<QLineEdit*>(watched);
    if (e && event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        e->removeEventFilter(this);
        // A click puts the caret where it was clicked; the keyboard finds the selection.
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::OtherFocusReason) {
            const QPoint sel = e->property("orvSelection").toPoint();
            QTimer::singleShot(0, e, [e, sel] { e->setSelection(sel.x(), sel.y()); });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void AlignCalcDialog::runModal() {
    ensurePolished();
    layout()->activate();
    adjustSize();
    restoreWindowPosition(this, topKey_, leftKey_);
    selectForOvertyping();
    exec();
}

void AlignCalcDialog::cmdOK_Click() {
    const std::optional<long> value = compute();
    if (!value) {
        // The window stays open with its text for another try.
        prompts_.message(this, coreText("AlignCalc", calcFailureMessage(kind_)), tr("ORV Alignment"),
                         MsgIcon::Exclamation, MsgButtons::OK);
        return;
    }
    setResult_(*value);
    resultSet_ = true;
    accept();
}

void AlignCalcDialog::cmdCancel_Click() {
    setResult_(-1);
    resultSet_ = true;
    reject();
}

void AlignCalcDialog::done(int r) {
    // Closed other than by OK or Cancel (close box, Esc): a stale result
    // must never reach the radio.
    if (!resultSet_) {
        setResult_(-1);
        resultSet_ = true;
    }
    saveWindowPosition(this, topKey_, leftKey_);
    QDialog::done(r);
}

}  // namespace orv
