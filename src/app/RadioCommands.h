// The "Radio" and "Comm-Port" menu commands of the main window: they store
// the screen into the image before a write, confirm, show the progress
// dialog, run a transfer of the serial link and bring a read to the screen.
#pragma once
#include <QPointer>
#include <QString>
#include <memory>
#include "link/ORVCom.h"
#include "link/PosixSerialPort.h"
#include "link/SerialTrace.h"
#include "link/TracingSerialPort.h"
#include "app/QtHost.h"
#include "app/RadioBusy.h"
#include "app/frmProc.h"
#include "app/frmVerify.h"

class QWidget;

namespace orv {

class EditorShell;
class UserPrompts;

// The serial link of one editor session: the port, the progress dialog, the
// Qt host and the ORVCom on the session's image, and the radio-busy state.
class RadioLink {
public:
    // `mainWindow` owns the dialogs and is disabled while a transfer runs.
    RadioLink(MemoryImage& image, UserPrompts& prompts, QWidget* mainWindow = nullptr);
    ~RadioLink();
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    void setMainWindow(QWidget* mainWindow);

    ORVCom& com() { return com_; }
    // The program's one radio-busy state: every exchange holds it.
    RadioBusy& busy() { return busy_; }
    QtHost& host() { return host_; }
    PosixSerialPort& port() { return port_; }
    frmProc& proc() { return *proc_; }
    // Every byte of the last radio exchange: a new trace starts whenever the
    // radio-busy state is taken.
    SerialTrace& trace() { return trace_; }
    // The window of the last verify that found differences, while open.
    frmVerify* verifyWindow() const { return verifyWindow_.data(); }
    void setVerifyWindow(frmVerify* window) { verifyWindow_ = window; }

    // The progress dialog before a transfer: placed against the main window,
    // `text` in lblInfo, shown modeless. The transfer then sets it up itself.
    void preShow(const QString& text);
    void unloadProc() { proc_->unload(); }

    // The port in use (1..4) and its device.
    int portNumber() const { return portNumber_; }
    // Closes the port if it is open and makes port n (1..4) the one in use.
    void setPortNumber(int n);
    // What the main window does on activation: the port number from the
    // settings (default 1), the port closed, that port set. Returns it.
    int applyStoredPort();
    void closePort() { com_.closePort(); }

    // The device behind port n: settings "Comm/Device<n>", defaults
    // /dev/ttyUSB0, /dev/ttyUSB1, /dev/ttyS0, /dev/ttyS1.
    static QString deviceForPort(int n);
    // The stored port number ("Comm/Port", 1..4, default 1).
    static int storedPort();

private:
    RadioBusy busy_;
    QWidget* mainWindow_;
    PosixSerialPort port_;
    SerialTrace trace_;
    TracingSerialPort tracedPort_{port_, trace_};
    std::unique_ptr<frmProc> proc_;
    QtHost host_;
    ORVCom com_;
    int portNumber_ = 1;
    QPointer<frmVerify> verifyWindow_;
};

// Every command below holds the link's radio-busy state while it runs and
// is refused (false, with a beep) while another exchange runs.
//
// "Read Radio" (F2): the whole memory; the group on screen and an open
// global window show it afterwards. A failed or cancelled read changes
// neither the screen nor the image.
bool mnuRead_Click(EditorShell& shell);
// "Read Global Information from Radio": page 0, then the global window
// (loaded and shown if it was not) shows it.
bool mnuReadGlobal_Click(EditorShell& shell);
// "Read Group from Radio": the group named in cboCurrentGroup.
bool mnuReadGroup_Click(EditorShell& shell);
// "Write Radio" (F3): two confirmations, then page 0 (unless declined) and
// the 15 groups. False when nothing was sent or the write failed. After a
// write that was neither failed nor cancelled it offers "Verify now?" (the
// answer preselected next time is the last one, stored under
// "Radio/VerifyAfterWrite", Yes at first) and verifies what was sent.
bool mnuWriteAll_Click(EditorShell& shell);
// "Write Global Information To Radio": page 0 as the image holds it.
bool mnuWriteGlobal_Click(EditorShell& shell);
// "Write Current Group to Radio" (F4).
bool mnuWriteGroup_Click(EditorShell& shell);
// "Verify Radio": the group on screen (and an open global window) into the
// image, then the whole radio is read into a separate image (the session's
// is never changed) and compared with it over what "Write Radio" sends.
// "Radio matches" in a box, or the verify window listing the differences.
// True when the radio matches.
bool mnuVerify_Click(EditorShell& shell);
// The settings key of the answer to "Verify now?".
inline constexpr const char* kVerifyAfterWriteKey = "Radio/VerifyAfterWrite";

// "Help > Save Serial Trace...": the last exchange's bytes into a text file
// (the format the radio simulator's --trace writes). False when there is no
// trace, the dialog was cancelled or the file could not be written (said so).
bool mnuSaveTrace_Click(EditorShell& shell);

// "Use Comm Port n": closes an open port, uses port n and stores n under
// "Comm/Port". The check marks of the menu are the main window's. Refused
// (false, with a beep) while a radio exchange runs: it would close its port.
bool mnuCommPort_Click(EditorShell& shell, int n);

}  // namespace orv
