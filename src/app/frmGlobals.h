// The global parameters window: the unit-wide settings, the five toggle-switch
// assignments and the sixteen rotary switch positions. Its controls are the
// working store of the global values between a decode and an encode.
//
// The selections of the controls live in one program-wide GlobalsView that
// the controls mirror: a user's change goes into it at once, a decode made by
// any clsGlobals on it reaches the controls (at once for the window's own
// commands, on the next pass of the event loop or through refreshControls()
// for the main window's codec). So the main window's GLOBALS codec and the
// window's own codec act alike on the one window, as they must.
#pragma once
#include <QMainWindow>
#include <array>
#include <memory>
#include "image/Views.h"
#include "image/clsGlobals.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;

namespace orv {

class frmGlobals : public QMainWindow {
    Q_OBJECT
public:
    ~frmGlobals() override;

    // The loaded window, or null. With `create` true a window that is not
    // loaded is loaded first (which shows it, sets GlobalsWindowOpen and
    // decodes the image into it); `owner` becomes its owner then.
    static frmGlobals* instance(QWidget* owner = nullptr, bool create = false);
    // Loads the window when it is not loaded (without an owner); what a
    // decode reaching the window's controls does. Usable as clsGlobals'
    // ensureView.
    static void ensureLoaded();
    // The main window's "Global Parameters": shows the window modeless with
    // `owner`; a loaded but hidden window is shown again as it is, without
    // reading the image.
    static void showWindow(QWidget* owner);
    // The selections of the window's controls (valid while it is loaded).
    static GlobalsView& view();
    // Brings the controls of a loaded window up to date with view() now.
    static void refreshControls();

    // The window's menu commands.
    void mnuSave_Click();         // "Save Settings And Close Window"
    void mnuExit_Click();         // "Close Window Without Saving"
    void mnuReadSettings_Click(); // "Read Settings Again"

    clsGlobals& codec() { return *globals_; }

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
    explicit frmGlobals(QWidget* owner);
    void buildControls();
    void Form_Load();
    void viewToControls();
    void controlsToView();

    std::unique_ptr<clsGlobals> globals_;

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

// The main window's GLOBALS codec: acts on the one global parameters window,
// loading it when a decode or encode reaches it while it is not loaded.
std::unique_ptr<clsGlobals> makeMainGlobalsCodec();

}  // namespace orv
