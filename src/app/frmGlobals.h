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

    // Controls, for the main window's report and for tests. Each is the
    // control of its field in the field table (image/FieldTable.h).
    QComboBox* cboDTMFDev() const { return list(&GlobalsView::cboDTMFDev); }
    QComboBox* cboPorchTime() const { return list(&GlobalsView::cboPorchTime); }
    QComboBox* cboANIRate() const { return list(&GlobalsView::cboANIRate); }
    QComboBox* cboPriRate() const { return list(&GlobalsView::cboPriRate); }
    QComboBox* cboBattSave() const { return list(&GlobalsView::cboBattSave); }
    QComboBox* cboFreqDisplay() const { return list(&GlobalsView::cboFreqDisplay); }
    QComboBox* cboLoPower() const { return list(&GlobalsView::cboLoPower); }
    QComboBox* cboTalkBack() const { return list(&GlobalsView::cboTalkBack); }
    QComboBox* cboNuisanceChan() const { return list(&GlobalsView::cboNuisanceChan); }
    QComboBox* cboLoPowerSwitch() const { return list(&GlobalsView::cboLoPowerSwitch); }
    QComboBox* cboChanScan() const { return list(&GlobalsView::cboChanScan); }
    QComboBox* cboPriScan() const { return list(&GlobalsView::cboPriScan); }
    QComboBox* cboRTA() const { return list(&GlobalsView::cboRTA); }
    QComboBox* cboGroupScan() const { return list(&GlobalsView::cboGroupScan); }
    QComboBox* cboGroup(int p) const;
    QComboBox* cboChan(int p) const;
    QCheckBox* chkGrpVar(int p) const;
    QCheckBox* chkChanVar(int p) const;
    QComboBox* cboGlobalGroup() const { return list(&GlobalsView::cboGlobalGroup); }
    QComboBox* cboGlobalChannel() const { return list(&GlobalsView::cboGlobalChannel); }
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

    // The list of the field held in `member` of the view.
    QComboBox* list(int GlobalsView::*member) const;
    // The control of rotary position p of the field held in `member`.
    template <typename Control>
    Control* rotaryControl(std::array<int, kRotaryPositions> GlobalsView::*member, int p) const;

    EditorSession& session_;
    QAction* mnuSave_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuReadSettings_ = nullptr;
};

}  // namespace orv
