// "Radio > Program Fleet...": the programming on screen written into several
// radios at once, each with its own row of a roster (unit, ID, password,
// labels) when one is given: the ports to use, Start and Stop, one line per
// port with its unit, state and progress, and the run's events below. The
// rows, the workers and the log are the job layer's (job/Roster,
// job/FleetJobs), as for `orvedit-cli write --roster`.
#pragma once
#include <QDialog>
#include <memory>
#include <vector>
#include "app/RadioBusy.h"
#include "job/FleetJobs.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace orv {

class EditorShell;

class frmFleet : public QDialog {
    Q_OBJECT
public:
    explicit frmFleet(EditorShell& shell, QWidget* owner = nullptr);
    ~frmFleet() override;

    QLineEdit* txtRoster() const { return txtRoster_; }
    QListWidget* lstPorts() const { return lstPorts_; }
    QCheckBox* chkVerify() const { return chkVerify_; }
    QPushButton* cmdStart() const { return cmdStart_; }
    QPushButton* cmdStop() const { return cmdStop_; }
    QPushButton* cmdClose() const { return cmdClose_; }
    QTableWidget* grdRadios() const { return grdRadios_; }
    QPlainTextEdit* txtEvents() const { return txtEvents_; }
    QLabel* lblSummary() const { return lblSummary_; }
    // A run is under way.
    bool running() const { return jobs_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void start();
    void poll();
    void finish();
    // The devices offered: the system's ports and the editor's four slots.
    void listPorts();

    EditorShell& shell_;
    QLineEdit* txtRoster_;
    QPushButton* cmdBrowse_;
    QListWidget* lstPorts_;
    QCheckBox* chkVerify_;
    QPushButton* cmdStart_;
    QPushButton* cmdStop_;
    QPushButton* cmdClose_;
    QTableWidget* grdRadios_;
    QPlainTextEdit* txtEvents_;
    QLabel* lblSummary_;
    QTimer* timer_;
    RadioBusy::Hold hold_;
    std::unique_ptr<FleetJobs> jobs_;
};

// Opens the window (modal) over the main window.
void mnuProgramFleet_Click(EditorShell& shell);

}  // namespace orv
