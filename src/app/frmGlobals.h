// The global parameters window: the unit-wide settings, the five toggle-switch
// assignments and the sixteen rotary switch positions. Its controls show the
// session's global parameters model: a user's change goes into its own field
// of the model at once, and every decode into the model (by the window's own
// commands or by the main window) reaches the controls. So the main window's
// GLOBALS codec and the window's own codec act alike on the one window.
#pragma once
#include <QMainWindow>
#include <array>
#include "image/Views.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace orv {

class EditorSession;

class frmGlobals : public QMainWindow {
    Q_OBJECT
public:
    // Made by the session (EditorSession::loadGlobalsWindow), which then runs
    // Form_Load: the window shows and the image is decoded into it.
    frmGlobals(EditorSession& session, QWidget* owner);
    void Form_Load();

    // The window's menu commands.
    void mnuSave_Click();         // "Save Settings And Close Window"
    void mnuExit_Click();         // "Close Window Without Saving"
    void mnuReadSettings_Click(); // "Read Settings Again"

    // Controls, for the main window's report and for tests.
    QComboBox* cboDTMFDev() const { return cboDTMFDev_; }
    QComboBox* cboPorchTime() const { return cboPorchTime_; }
    QComboBox* cboANIRate() const { return cboANIRate_; }
    QComboBox* cboPriRate() const { return cboPriRate_; }
    QComboBox* cboBattSave() const { return cboBattSave_; }
    QComboBox* cboFreqDisplay() const { return cboFreqDisplay_; }
    QComboBox* cboLoPower() const { return cboLoPower_; }
    QComboBox* cboTalkBack() const { return cboTalkBack_; }
    QComboBox* cboNuisanceChan() const { return cboNuisanceChan_; }
    QComboBox* cboLoPowerSwitch() const { return cboLoPowerSwitch_; }
    QComboBox* cboChanScan() const { return cboChanScan_; }
    QComboBox* cboPriScan() const { return cboPriScan_; }
    QComboBox* cboRTA() const { return cboRTA_; }
    QComboBox* cboGroupScan() const { return cboGroupScan_; }
    QComboBox* cboGroup(int p) const { return cboGroup_.at(static_cast<std::size_t>(p)); }
    QComboBox* cboChan(int p) const { return cboChan_.at(static_cast<std::size_t>(p)); }
    QCheckBox* chkGrpVar(int p) const { return chkGrpVar_.at(static_cast<std::size_t>(p)); }
    QCheckBox* chkChanVar(int p) const { return chkChanVar_.at(static_cast<std::size_t>(p)); }
    QComboBox* cboGlobalGroup() const { return cboGlobalGroup_; }
    QComboBox* cboGlobalChannel() const { return cboGlobalChannel_; }
    QAction* mnuSave() const { return mnuSave_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* mnuReadSettings() const { return mnuReadSettings_; }

protected:
    // Form_QueryUnload: "Save Global Parameters?" Yes / No / Cancel.
    void closeEvent(QCloseEvent* e) override;

private:
    void buildControls();
    // The model's view shown in the controls (after a decode).
    void viewToControls();

    EditorSession& session_;
    QComboBox* cboDTMFDev_ = nullptr;
    QComboBox* cboPorchTime_ = nullptr;
    QComboBox* cboANIRate_ = nullptr;
    QComboBox* cboPriRate_ = nullptr;
    QComboBox* cboBattSave_ = nullptr;
    QComboBox* cboFreqDisplay_ = nullptr;
    QComboBox* cboLoPower_ = nullptr;
    QComboBox* cboTalkBack_ = nullptr;
    QComboBox* cboNuisanceChan_ = nullptr;
    QComboBox* cboLoPowerSwitch_ = nullptr;
    QComboBox* cboChanScan_ = nullptr;
    QComboBox* cboPriScan_ = nullptr;
    QComboBox* cboRTA_ = nullptr;
    QComboBox* cboGroupScan_ = nullptr;
    std::array<QComboBox*, kRotaryPositions> cboGroup_{};
    std::array<QComboBox*, kRotaryPositions> cboChan_{};
    std::array<QCheckBox*, kRotaryPositions> chkGrpVar_{};
    std::array<QCheckBox*, kRotaryPositions> chkChanVar_{};
    QComboBox* cboGlobalGroup_ = nullptr;
    QComboBox* cboGlobalChannel_ = nullptr;
    QAction* mnuSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuReadSettings_ = nullptr;
};

}  // namespace orv
