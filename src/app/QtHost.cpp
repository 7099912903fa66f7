#include "app/QtHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include "app/AppState.h"
#include "app/UserPrompts.h"
#include "app/frmProc.h"

namespace orv {

std::unique_ptr<QSettings> appSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("ORVEDIT"), QStringLiteral("ORVEDIT"));
}

// ------------------------------------------------------------------ QtHost

QtHost::QtHost(frmProc& proc, UserPrompts& prompts, QWidget* owner)
    : proc_(proc), prompts_(prompts), owner_(owner) {}

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

void QtHost::beep() { prompts_.beep(); }

MsgAnswer QtHost::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    // While the progress dialog is up it is the window the user looks at.
    QWidget* parent = proc_.isLoaded() && proc_.isVisible() ? static_cast<QWidget*>(&proc_) : owner_;
    return prompts_.message(parent, QString::fromStdString(text), QString::fromStdString(title), icon,
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
