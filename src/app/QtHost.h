// The link host of the editor: the serial-link logic (ORVCom) reaches the
// window system through this class: the clock, sleeps, and the session's
// prompts and progress dialog. The link runs on a worker thread
// (RadioLink::run); every call that touches a window is carried over to the
// window thread: progress updates queued, questions and reads as a blocking
// call whose answer comes back to the worker. Called on the window thread it
// acts directly.
#pragma once
#include <QString>
#include <functional>
#include <memory>
#include "app/frmProc.h"
#include "link/LinkHost.h"

class QSettings;
class QWidget;

namespace orv {

class UserPrompts;

// The per-user settings store of the program (organisation and application
// "ORVEDIT", INI format under $XDG_CONFIG_HOME), whether or not the
// application's identity has been set up yet.
std::unique_ptr<QSettings> appSettings();

class QtHost : public LinkHost {
public:
    // `proc` is the progress dialog the link operations drive; `owner` is the
    // window that owns the message boxes (null: none).
    QtHost(frmProc& proc, UserPrompts& prompts, QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }
    frmProc& proc() { return proc_; }

    // Sleeps the calling thread (the worker's: the windows stay live).
    void sleepMs(int ms) override;
    double now() override;
    void beep() override;
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;

    void progShowForm(const std::string& message, bool writeFlag) override;
    void progEnableCancel() override;
    bool progCancelled() override;
    void progress(int value, int max) override;
    void progUnload() override;

private:
    // Runs `f` on the window thread and waits for it.
    void onGui(const std::function<void()>& f);
    // Runs `f` on the window thread without waiting.
    void postGui(std::function<void()> f);

    frmProc& proc_;
    UserPrompts& prompts_;
    QWidget* owner_;
};

}  // namespace orv
