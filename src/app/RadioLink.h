// The serial link of one editor session and the thread its exchanges run
// on: the port, the progress dialog, the Qt host and the ORVCom on the
// session's image, and the radio-busy state.
#pragma once
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include "link/ORVCom.h"
#include "platform/SerialPortNative.h"
#include "link/SerialTrace.h"
#include "link/TracingSerialPort.h"
#include "app/QtHost.h"
#include "app/RadioBusy.h"
#include "app/frmProc.h"
#include "app/frmVerify.h"

class QWidget;

namespace orv {

class UserPrompts;

// Where the user chooses the device, as the link's error advice names it.
inline constexpr const char* kPortChoice = "chosen under Comm-Port > Choose Device...";

class RadioLink {
public:
    // `mainWindow` owns the dialogs and is disabled while a transfer runs.
    RadioLink(MemoryImage& image, UserPrompts& prompts, QWidget* mainWindow = nullptr);
    ~RadioLink();
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    void setMainWindow(QWidget* mainWindow);

    // Runs `job` (the exchange: calls of com() or of an ORVCore on it) on a
    // worker thread and returns when it has ended; an exception it throws is
    // thrown here. The window thread meanwhile serves its events in a local
    // event loop, so the progress dialog's Cancel and the questions of the
    // link stay live, while the radio-busy state refuses every other radio
    // command. A job that `touchesImage` (the reads, writes and verifies of
    // the session's image) also has the main window disabled for its length,
    // so no command changes the image under it; the alignment tool's
    // exchanges never touch it and leave the windows as they are. Call it on
    // the window thread, holding the radio-busy state.
    void run(const std::function<void()>& job, bool touchesImage = true);
    // True while a job of run() is on its worker thread.
    bool running() const { return running_; }
    // Runs `f` on the window thread and waits for it: what a job asks of the
    // windows from its worker thread. On the window thread it just runs `f`.
    void onWindowThread(const std::function<void()>& f);

    ORVCom& com() { return com_; }
    // The program's one radio-busy state: every exchange holds it.
    RadioBusy& busy() { return busy_; }
    QtHost& host() { return host_; }
    NativeSerialPort& port() { return port_; }
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

    // The number of ports the editor offers.
    static constexpr int kPorts = 4;
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
    NativeSerialPort port_;
    SerialTrace trace_;
    TracingSerialPort tracedPort_{port_, trace_};
    std::unique_ptr<frmProc> proc_;
    QtHost host_;
    ORVCom com_;
    int portNumber_ = 1;
    QPointer<frmVerify> verifyWindow_;
    bool running_ = false;
};

}  // namespace orv
