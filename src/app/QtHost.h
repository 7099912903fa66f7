// The link host of the editor: the serial-link logic (ORVCom) reaches the
// window system through this class. Also the Qt-side helpers the editor's
// commands share: message boxes (answerable by tests) and the settings store.
#pragma once
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include "link/LinkHost.h"

class QSettings;
class QWidget;

namespace orv {

class frmProc;

// Shows a message box owned by `parent` with the given text, title ("" gives
// "ORVEDIT"), icon and buttons, and returns the answer. Carriage returns in
// the text start new lines. Escape or the close box give `escape` when it is
// set (a Yes/No question whose dismissal must not count as No), otherwise the
// box's own escape answer (Cancel or No; OK for an OK-only box).
MsgAnswer showMessage(QWidget* parent, const QString& text, const QString& title,
                      MsgIcon icon, MsgButtons buttons, std::optional<MsgAnswer> escape = {});

// Tests install a handler that answers instead of the user; an empty handler
// restores the real message box. The handler gets the text as it would be
// shown (line breaks as '\n') and the title after the "" -> "ORVEDIT" rule.
// (Tests that dismiss a box with Escape use the real box.)
using MessageBoxHandler = std::function<MsgAnswer(QWidget* parent, const QString& text,
                                                  const QString& title, MsgIcon icon,
                                                  MsgButtons buttons)>;
void setMessageBoxHandler(MessageBoxHandler handler);

// The per-user settings store of the program (organisation and application
// "ORVEDIT", INI format under $XDG_CONFIG_HOME), whether or not the
// application's identity has been set up yet.
std::unique_ptr<QSettings> appSettings();

class QtHost : public LinkHost {
public:
    // `proc` is the progress dialog the link operations drive; `owner` is the
    // window that owns the message boxes (null: none).
    explicit QtHost(frmProc& proc, QWidget* owner = nullptr);

    void setOwner(QWidget* owner) { owner_ = owner; }
    QWidget* owner() const { return owner_; }
    frmProc& proc() { return proc_; }

    void pumpEvents() override;
    // Sleeps while still serving window events, so Cancel stays live.
    void sleepMs(int ms) override;
    double now() override;
    void beep() override;   // through orv::beep(), which tests can count
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;

    void progShowForm(const std::string& message, bool writeFlag) override;
    void progEnableCancel() override;
    bool progCancelled() override;
    void progSetMin(int v) override;
    void progSetMax(int v) override;
    void progSetValue(int v) override;
    int progValue() override;
    int progMin() override;
    int progMax() override;
    void progUnload() override;

private:
    frmProc& proc_;
    QWidget* owner_;
};

}  // namespace orv
