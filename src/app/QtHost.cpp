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
#include "app/ViewBinder.h"
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
        answer = prompts_.message(parent, coreText("LinkHost", text), coreText("LinkHost", title), icon, buttons);
    });
    return answer;
}

// Showing, enabling Cancel and unloading clear or end the Cancel flag, so the
// worker waits for them; the bar's range and value only follow.
void QtHost::progShowForm(const std::string& message, bool writeFlag) {
    onGui([&] {
        proc_.ShowForm(coreText("LinkHost", message), writeFlag);
    });
}
void QtHost::progEnableCancel() {
    onGui([this] { proc_.EnableCancel(); });
}
// While the user is asked whether to stop a write, the write waits for the
// answer at its next look at the flag instead of going on meanwhile.
bool QtHost::progCancelled() {
    if (QThread::currentThread() != proc_.thread())
        while (proc_.askingToCancel()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return proc_.Cancelled();
}
void QtHost::progress(int value, int max) {
    postGui([this, value, max] { proc_.setProgress(value, max); });
}
void QtHost::progUnload() {
    onGui([this] { proc_.unload(); });
}

}  // namespace orv
