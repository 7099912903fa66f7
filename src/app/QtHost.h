// The link host of the editor: the serial-link logic (ORVCom) reaches the
// window system through this class: the clock, sleeps, and the session's
// prompts and progress dialog. The link runs on a job's worker thread
// (RadioLink::start); every call that touches a window goes to the window
// thread through the link's WindowQueue: progress updates without waiting
// (only the latest count is shown), questions, showing and unloading the
// dialog as calls whose answer comes back to the worker. Called on the
// window thread it acts directly. Once the queue is abandoned (the editor
// closes) questions get the answer of a host without a user and Cancel
// counts as pressed, so the job ends at its next look.
#pragma once
#include <QString>
#include <memory>
#include <mutex>
#include "app/frmProc.h"
#include "link/LinkHost.h"

class QSettings;
class QWidget;

namespace orv {

class UserPrompts;
class WindowQueue;

// The per-user settings store of the program (organisation and application
// "ORVEDIT", INI format under $XDG_CONFIG_HOME), whether or not the
// application's identity has been set up yet. When one of its files is not a
// regular file (a pipe would hold the program for ever), a store that keeps
// nothing and starts with every default.
std::unique_ptr<QSettings> appSettings();
// Why the settings store cannot be used (one message naming the file), or
// empty when it can.
QString settingsProblem();

class QtHost : public LinkHost {
public:
    // `proc` is the progress dialog the link operations drive; `owner` is the
    // window that owns the message boxes (null: none).
    QtHost(frmProc& proc, UserPrompts& prompts, WindowQueue& window, QWidget* owner = nullptr);

    // Call these on the window thread while no job runs.
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
    frmProc& proc_;
    UserPrompts& prompts_;
    WindowQueue& window_;
    QWidget* owner_;
    // The latest count not shown yet; one update is on its way while set.
    std::mutex progressMutex_;
    bool progressPending_ = false;
    int progressValue_ = 0, progressMax_ = 0;
};

}  // namespace orv
