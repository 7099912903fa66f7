// The alignment window "ORV Alignment Tool": six tuning values, each
// written to the radio with its "Write" button or computed by one of the
// three calculators; closing it writes group 1's saved flags and channels
// back. Started by "Tune" on the main window's menu bar (mnuTuneRadio_Click).
//
// Every exchange with the radio is a job on a copy of the window's tuning
// state (TuneState), committed back when it ends; it holds the radio-busy
// state: while one runs, the Write and Calc buttons are disabled and closing
// the window is refused with a beep. While the window is open the radio holds test channels, so
// the main window keeps its Radio menu and "Tune" disabled
// (EditorSession::alignmentOpenChanged) and closes this window first when it
// closes itself (EditorSession::closeAlignmentWindow).
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include "align/ORVCore.h"
#include "app/RadioBusy.h"
#include "app/RadioRun.h"

class QLabel;
class QPushButton;

namespace orv {

class EditorSession;
class RadioBusy;
class RadioLink;
class TuneBox;

class frmTune : public QWidget {
    Q_OBJECT
public:
    // `tune` holds the tuning data of a successful start. The window is
    // owned by the session's main window (a window of its own, deleted when
    // closed); the session knows it as its alignment window.
    frmTune(EditorSession& session, const TuneState& tune);
    ~frmTune() override;

    const TuneState& tuneState() const { return tune_; }
    // Asks the window to close as its close box does: the restore of group
    // 1 runs, and the window closes when it succeeded or the user chose to
    // leave anyway. The run is ok when the window has closed.
    RadioRun requestClose();

    QLabel* Label2[6] = {};
    TuneBox* ScrewDriver[6] = {};
    QPushButton* cmdWrite[6] = {};
    QPushButton* cmdPullGain = nullptr;
    QPushButton* cmdRefOsc = nullptr;
    QPushButton* cmdVCO = nullptr;
    QPushButton* cmdHelp = nullptr;
    QLabel* Label1 = nullptr;

    // Set by the calculators: the new tuning value, or -1 when cancelled.
    long lPullGain = 0;
    long lRefOsc = 0;
    int16_t iVCOMod = 0;

    // The user guide's section about alignment.
    static const char* const kHelpAnchor;

public slots:
    void cmdWrite_Click(int index);
    void cmdPullGain_Click();
    void cmdRefOsc_Click();
    void cmdVCO_Click();
    void cmdHelp_Click();

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void Form_Load();
    void runCalculator(AlignCalculator c);
    void setRadioButtonsEnabled(bool enabled);
    // Runs `step` as a job on a copy of the tuning state, the link's boxes
    // standing over this window; the state the step leaves is committed and
    // `done` gets its result.
    // Every step writes the radio: `what` names it in the radio log.
    void runStep(const std::string& what, RadioBusy::Hold hold, std::function<bool(ORVCore&)> step,
                 std::function<void(bool)> done);

    EditorSession& session_;
    RadioLink& link_;
    RadioBusy& busy_;
    TuneState tune_;
    bool closing_ = false;        // the restore is done: the next close is accepted
    RadioRun closeRun_;           // the course of a close under way
    bool closeUnderWay_ = false;
};

// "Tune" on the main window's menu bar: the warning, then the start of the
// alignment (tuning data and group 1 saved, test channels written) and the
// alignment window (EditorSession::alignmentWindow; the run is ok when it
// opened). While an alignment window is open this only brings it to the
// front; while another radio exchange runs it is refused with a beep.
RadioRun mnuTuneRadio_Click(EditorSession& session);

// The text of the "Tune Radio:  Warning" box (lines joined by carriage returns).
QString tuneWarningText();

}  // namespace orv
