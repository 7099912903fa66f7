#include "app/QtHost.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>
#include <chrono>
#include <thread>
#include "platform/Files.h"
#include "app/UserPrompts.h"
#include "app/ViewBinder.h"
#include "app/WindowQueue.h"
#include "app/frmProc.h"

namespace orv {

QString settingsProblem() {
    // The files the store reads, as the toolkit finds them: the program's
    // and the organisation's (both "ORVEDIT"), in the user's configuration
    // folder and then in the system's. Only their kind is asked: opening a
    // pipe would wait for a writer.
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& name : {QStringLiteral("ORVEDIT/ORVEDIT.ini"), QStringLiteral("ORVEDIT.ini")}) {
            const QString path = QDir(folder).filePath(name);
            const std::string kind = platform::fileKindText(QDir::toNativeSeparators(path).toStdString());
            if (kind.empty()) continue;
            return QCoreApplication::translate("QtHost",
                                               "The settings file %1 cannot be used: it is %2, not a regular file.\r"
                                               "ORVEDIT runs with its default settings and keeps no settings until "
                                               "it is removed or replaced by a regular file.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(kind));
        }
    }
    return {};
}

std::unique_ptr<QSettings> appSettings() {
    // A store without a file: it starts empty and keeps nothing.
    if (!settingsProblem().isEmpty()) return std::make_unique<QSettings>(QString(), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("ORVEDIT"), QStringLiteral("ORVEDIT"));
}

QtHost::QtHost(frmProc& proc, UserPrompts& prompts, WindowQueue& window, QWidget* owner)
    : proc_(proc), prompts_(prompts), window_(window), owner_(owner) {}

void QtHost::sleepMs(int ms) {
    if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

double QtHost::now() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void QtHost::beep() {
    window_.post([this] { prompts_.beep(); });
}

MsgAnswer QtHost::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                             MsgButtons buttons) {
    MsgAnswer answer = MsgAnswer::OK;
    const bool asked = window_.call([&] {
        // While the progress dialog is up it is the window the user looks at.
        // A box owned by a disabled window would be disabled with it: while
        // a job runs without the dialog it stands on its own.
        QWidget* parent = proc_.isLoaded() && proc_.isVisible() ? static_cast<QWidget*>(&proc_) : owner_;
        if (parent && !parent->isEnabled()) parent = nullptr;
        answer = prompts_.message(parent, coreText("LinkHost", text), coreText("LinkHost", title), icon, buttons);
    });
    if (asked) return answer;
    int noRetries = 0;
    return unattendedAnswer(buttons, noRetries, true);
}

// Showing, enabling Cancel and unloading clear or end the Cancel flag, so the
// worker waits for them.
void QtHost::progShowForm(const std::string& message, bool writeFlag) {
    window_.call([&] { proc_.ShowForm(coreText("LinkHost", message), writeFlag); });
}

void QtHost::progEnableCancel() {
    window_.call([this] { proc_.EnableCancel(); });
}

// While the user is asked whether to stop a write, the write waits for the
// answer at its next look at the flag instead of going on meanwhile.
bool QtHost::progCancelled() {
    if (!window_.onWindowThread())
        while (proc_.askingToCancel() && !window_.abandoned())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return proc_.Cancelled() || window_.abandoned();
}

void QtHost::progress(int value, int max) {
    if (window_.onWindowThread()) {
        proc_.setProgress(value, max);
        return;
    }
    std::lock_guard<std::mutex> lock(progressMutex_);
    progressValue_ = value;
    progressMax_ = max;
    if (progressPending_) return;
    progressPending_ = true;
    window_.post([this] {
        int v, m;
        {
            std::lock_guard<std::mutex> l(progressMutex_);
            v = progressValue_;
            m = progressMax_;
            progressPending_ = false;
        }
        proc_.setProgress(v, m);
    });
}

void QtHost::progUnload() {
    window_.call([this] { proc_.unload(); });
}

}  // namespace orv
