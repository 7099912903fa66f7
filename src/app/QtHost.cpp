#include "app/QtHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
#include <QMessageBox>
#include <QSettings>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include "app/AppState.h"
#include "app/Beep.h"
#include "app/frmProc.h"

namespace orv {

namespace {

MessageBoxHandler& messageHandler() {
    static MessageBoxHandler handler;
    return handler;
}

QMessageBox::StandardButtons standardButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK: return QMessageBox::Ok;
    case MsgButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The answer of a box closed without choosing a button (Esc, close box).
MsgAnswer escapeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::YesNo: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
    }
}

}  // namespace

MsgAnswer showMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgAnswer> escape) {
    // Qt labels do not break lines at a lone carriage return.
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QString caption = title.isEmpty() ? QString::fromLatin1(kAppTitle) : title;

    if (messageHandler()) return messageHandler()(parent, shown, caption, icon, buttons);

    QMessageBox box(standardIcon(icon), caption, shown, standardButtons(buttons), parent);
    QAbstractButton* dismiss = nullptr;
    if (escape) {
        // An invisible button takes Escape and the close box, so they are
        // told apart from the visible buttons.
        dismiss = box.addButton(QMessageBox::Abort);
        dismiss->hide();
        box.setEscapeButton(dismiss);
    }
    const int result = box.exec();
    if (dismiss && box.clickedButton() == dismiss) return *escape;
    switch (result) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    default: return escapeAnswer(buttons);
    }
}

void setMessageBoxHandler(MessageBoxHandler handler) { messageHandler() = std::move(handler); }

std::unique_ptr<QSettings> appSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("ORVEDIT"), QStringLiteral("ORVEDIT"));
}

// ------------------------------------------------------------------ QtHost

QtHost::QtHost(frmProc& proc, QWidget* owner) : proc_(proc), owner_(owner) {}

void QtHost::pumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtHost::sleepMs(int ms) {
    const double end = now() + ms / 1000.0;
    for (;;) {
        pumpEvents();
        const double left = end - now();
        if (left <= 0) break;
        QThread::usleep(static_cast<unsigned long>(std::min(left, 0.005) * 1e6));
    }
}

double QtHost::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtHost::beep() { orv::beep(); }

MsgAnswer QtHost::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    // While the progress dialog is up it is the window the user looks at.
    QWidget* parent = proc_.isLoaded() && proc_.isVisible() ? static_cast<QWidget*>(&proc_) : owner_;
    return showMessage(parent, QString::fromStdString(text), QString::fromStdString(title), icon,
                       buttons);
}

void QtHost::progShowForm(const std::string& message, bool writeFlag) {
    proc_.ShowForm(QString::fromStdString(message), writeFlag);
}
void QtHost::progEnableCancel() { proc_.EnableCancel(); }
bool QtHost::progCancelled() { return proc_.Cancelled(); }
void QtHost::progSetMin(int v) { proc_.setMin(v); }
void QtHost::progSetMax(int v) { proc_.setMax(v); }
void QtHost::progSetValue(int v) { proc_.setValue(v); }
int QtHost::progValue() { return proc_.value(); }
int QtHost::progMin() { return proc_.min(); }
int QtHost::progMax() { return proc_.max(); }
void QtHost::progUnload() { proc_.unload(); }

}  // namespace orv
