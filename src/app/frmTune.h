// The alignment window "ORV Alignment Tool": six tuning values, each
// written to the radio with its "Write" button or computed by one of the
// three calculators; closing it writes group 1's saved flags and channels
// back. Started by "Tune" on the main window's menu bar (mnuTuneRadio_Click).
//
// Every exchange with the radio holds a RadioBusy::Exchange: while one runs,
// the Write and Calc buttons are disabled and closing the window is refused
// with a beep. While the window is open the radio holds test channels, so
// the main window must keep its Radio menu and "Tune" disabled
// (AlignmentState::openChanged) and close this window first when it closes
// itself (frmTune::closeOpenWindow).
#pragma once
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include "align/ORVCore.h"

class QLabel;
class QPushButton;

namespace orv {

class RadioBusy;
class RadioLink;
class TuneBox;

// Whether the alignment window is open, for the main window.
class AlignmentState : public QObject {
    Q_OBJECT
public:
    static AlignmentState& instance();
    bool isOpen() const { return open_; }

signals:
    // True when the alignment window has opened, false when it has closed.
    void openChanged(bool open);

private:
    friend class frmTune;
    void setOpen(bool open);
    bool open_ = false;
};

class frmTune : public QWidget {
    Q_OBJECT
public:
    // `core` holds the tuning data of a successful start. The window is
    // owned by `mainWindow` (a window of its own, deleted when closed).
    frmTune(QWidget* mainWindow, RadioLink& link, RadioBusy& busy, std::unique_ptr<ORVCore> core);
    ~frmTune() override;

    // The open alignment window, or null.
    static frmTune* openWindow();
    // Asks the open window to close, as its close box does (restore, and
    // the question when the restore fails). True when no alignment window
    // is open afterwards; false when the user keeps it (or an exchange runs).
    static bool closeOpenWindow();

    ORVCore& core() { return *core_; }

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

    RadioLink& link_;
    RadioBusy& busy_;
    std::unique_ptr<ORVCore> core_;
    bool closed_ = false;
};

// "Tune" on the main window's menu bar: the warning, then the start of the
// alignment (tuning data and group 1 saved, test channels written) and the
// alignment window, which is returned (null when nothing was opened). While
// an alignment window is open this only brings it to the front; while
// another radio exchange runs it is refused with a beep.
frmTune* mnuTuneRadio_Click(QWidget* mainWindow, RadioLink& link, RadioBusy& busy);
// The same with the link's own radio-busy state (RadioLink::busy()).
frmTune* mnuTuneRadio_Click(QWidget* mainWindow, RadioLink& link);

// The text of the "Tune Radio:  Warning" box (lines joined by carriage returns).
QString tuneWarningText();

}  // namespace orv
