// The progress and cancel dialog shown while the radio is read or written:
// a message, a progress bar and a Cancel button. While it is loaded the main
// window is disabled (so no second command can start during a transfer); a
// press of Cancel becomes a flag that the transfer loops poll from the link's
// worker thread (the only member they read directly; everything else is used
// on the window thread).
#pragma once
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <algorithm>
#include <atomic>

class QLabel;
class QProgressBar;
class QPushButton;

namespace orv {

class UserPrompts;

class frmProc : public QDialog {
    Q_OBJECT
public:
    // `mainWindow` is the window this dialog is placed against, owned by and
    // disables while loaded. The dialog is a window of its own, so disabling
    // the main window never disables the dialog's Cancel button.
    explicit frmProc(UserPrompts& prompts, QWidget* mainWindow = nullptr);
    ~frmProc() override;

    void setMainWindow(QWidget* mainWindow);
    QWidget* mainWindow() const { return mainWindow_; }

    // Prepares and shows the dialog: placed 500 twips right of and below the
    // main window's top-left corner, `message` in lblInfo, Cancel disabled and
    // the flag cleared, shown modeless (loading it first when not loaded).
    void ShowForm(const QString& message, bool writeFlag);
    // What the radio commands do before a transfer: the same placement, the
    // text, and a modeless show (loading when not loaded); nothing else.
    void preShow(const QString& message);
    // Clears the flag and enables Cancel.
    void EnableCancel();
    // Set once the user has confirmed a cancel.
    bool Cancelled() const { return cancelled_.load(); }
    // True while the question of a write's cancel is open.
    bool askingToCancel() const { return asking_.load(); }

    // Form_Load: notes whether the main window is enabled and, if so,
    // disables it. Does nothing when already loaded.
    void load();
    // Form_Unload: hides the dialog and enables the main window again if (and
    // only if) this dialog disabled it. Does nothing when not loaded.
    void unload();
    bool isLoaded() const { return loaded_; }

    // The transfer's count, `value` of `max`, as the link keeps it.
    void setProgress(int value, int max);
    int max() const { return max_; }
    int value() const { return value_; }

    bool writeFlag() const { return writeFlag_; }
    QLabel* lblInfo() const { return lblInfo_; }
    QProgressBar* Prog1() const { return Prog1_; }
    // Bytes done, rate and time left under the bar, counted from ShowForm.
    QLabel* lblProgress() const { return lblProgress_; }
    QPushButton* CancelButton() const { return CancelButton_; }

    // The question a cancel of a write asks (lines joined by carriage returns).
    static QString cancelWriteWarning();

public slots:
    void CancelButton_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;

private:
    void place();
    void showModeless();
    void applyRange();
    void showProgressText();

    UserPrompts& prompts_;
    QPointer<QWidget> mainWindow_;
    QLabel* lblInfo_;
    QProgressBar* Prog1_;
    QLabel* lblProgress_;
    QElapsedTimer shownFor_;
    QPushButton* CancelButton_;
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> asking_{false};
    bool writeFlag_ = false;
    bool disabledMain_ = false;
    bool loaded_ = false;
    int value_ = 0;
    int max_ = 0;
};

}  // namespace orv
