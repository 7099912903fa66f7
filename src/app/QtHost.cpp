#include "app/QtHost.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSettings>
#include <QMetaObject>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>
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

void QtHost::onGui(const std::function<void()>& f) {
    if (QThread::currentThread() == proc_.thread())
        f();
    else
        QMetaObject::invokeMethod(&proc_, f, Qt::BlockingQueuedConnection);
}

void QtHost::postGui(std::function<void()> f) {
    if (QThread::currentThread() == proc_.thread())
        f();
    else
        QMetaObject::invokeMethod(&proc_, std::move(f), Qt::QueuedConnection);
}

void QtHost::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

double QtHost::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtHost::beep() {
    onGui([this] { prompts_.beep(); });
}

MsgAnswer QtHost::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    MsgAnswer answer = MsgAnswer::OK;
    onGui([&] {
        // While the progress dialog is up it is the window the user looks at.
        // A box owned by a disabled window would be disabled with it: while
        // a job runs without the dialog it stands on its own.
        QWidget* parent = proc_.isLoaded() && proc_.isVisible() ? static_cast<QWidget*>(&proc_) : owner_;
        if (parent && !parent->isEnabled()) parent = nullptr;
        answer = prompts_.message(parent, QString::fromStdString(text), QString::fromStdString(title), icon,
                                  buttons);
    });
    return answer;
}

// Showing, enabling Cancel and unloading clear or end the Cancel flag, so the
// worker waits for them; the bar's range and value only follow.
void QtHost::progShowForm(const std::string& message, bool writeFlag) {
    onGui([&] { proc_.ShowForm(QString::fromStdString(message), writeFlag); });
}
void QtHost::progEnableCancel() {
    onGui([this] { proc_.EnableCancel(); });
}
bool QtHost::progCancelled() { return proc_.Cancelled(); }
void QtHost::progSetMin(int v) {
    postGui([this, v] { proc_.setMin(v); });
}
void QtHost::progSetMax(int v) {
    postGui([this, v] { proc_.setMax(v); });
}
void QtHost::progSetValue(int v) {
    postGui([this, v] { proc_.setValue(v); });
}
// Read after every queued update before it (one queue, in order).
int QtHost::progValue() {
    int v = 0;
    onGui([&] { v = proc_.value(); });
    return v;
}
int QtHost::progMin() {
    int v = 0;
    onGui([&] { v = proc_.min(); });
    return v;
}
int QtHost::progMax() {
    int v = 0;
    onGui([&] { v = proc_.max(); });
    return v;
}
void QtHost::progUnload() {
    onGui([this] { proc_.unload(); });
}

}  // namespace orv
