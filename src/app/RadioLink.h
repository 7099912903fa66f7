// The serial link of one editor session: which device the radio is on, the
// link's timing, the progress dialog and the Qt host, the radio-busy state,
// the last exchange's trace, and the worker thread its jobs run on.
//
// A radio job is a value: a command takes a copy of what the job needs (the
// image, the plan, the port), starts the job on a worker thread, and returns
// to the window's event loop; the job makes its own connection to the radio
// and returns a result; when it has ended, the result is committed on the
// window thread by the command's `done`. No window object is touched by the
// worker except through the host (QtHost: progress, questions, the dialog),
// and nothing of the session is shared with it.
#pragma once
#include <QPointer>
#include <QString>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include "app/QtHost.h"
#include "app/RadioBusy.h"
#include "app/WindowQueue.h"
#include "app/frmProc.h"
#include "app/frmVerify.h"
#include "job/RadioConnection.h"
#include "link/ORVCom.h"
#include "link/SerialTrace.h"
#include "platform/SerialPortList.h"

class QWidget;

namespace orv {

class UserPrompts;

// Where the user chooses the device, as the link's error advice names it.
inline constexpr const char* kPortChoice = "chosen under Comm-Port > Choose Device...";

// What a job's work sees on its worker thread.
class JobContext {
public:
    JobContext(PortSetup port, LinkHost& host, WindowQueue& window, const frmProc& proc)
        : port_(std::move(port)), host_(host), window_(window), proc_(proc) {}
    // The device, timing and advice of this job's connections.
    const PortSetup& port() const { return port_; }
    LinkHost& host() { return host_; }
    // The user's stop: the progress dialog's Cancel, or the editor closing.
    bool stopped() const { return proc_.Cancelled() || window_.abandoned(); }
    // Runs `f` on the window thread and waits for it: a question of the job
    // to the user. False when the editor closed first (f did not run).
    bool onWindowThread(const std::function<void()>& f) { return window_.call(f); }
    // Keeps a connection's bytes as part of this job's trace.
    // The link state it left goes to the next connection.
    void keep(ConnectionRecord& record) {
        trace_.insert(trace_.end(), record.trace.begin(), record.trace.end());
        traceDropped_ += record.traceDropped;
        port_.allowFastBaud = record.allowFastBaud;
    }

private:
    friend class RadioLink;
    PortSetup port_;
    LinkHost& host_;
    WindowQueue& window_;
    const frmProc& proc_;
    std::vector<TraceEntry> trace_;
    std::size_t traceDropped_ = 0;
};

class RadioLink {
public:
    // `mainWindow` owns the dialogs and is disabled while a job on the image runs.
    explicit RadioLink(UserPrompts& prompts, QWidget* mainWindow = nullptr);
    // A job still running is stopped: its questions are answered as a host
    // without a user would, Cancel counts as pressed, and its thread is
    // joined; its result is never committed.
    ~RadioLink();
    RadioLink(const RadioLink&) = delete;
    RadioLink& operator=(const RadioLink&) = delete;

    void setMainWindow(QWidget* mainWindow);

    // Starts `work` on a worker thread with a context for the port in use,
    // and runs `done` with its result on the window thread once it has
    // ended. `hold` is the command's radio-busy state, held at least until
    // `done` has returned (`done` may keep it longer). A job that
    // `touchesImage` (the reads, writes and verifies of the session's
    // programming) has the main window disabled until `done`; the alignment
    // tool's jobs leave the windows as they are. An exception of `work` or
    // `done` ends the command with one message (as runGuarded does), and
    // then `failed` runs instead of what `done` had not done. Call it on the
    // window thread while no job runs.
    template <class Result>
    void start(RadioBusy::Hold hold, std::function<Result(JobContext&)> work, std::function<void(Result)> done,
               bool touchesImage = true, std::function<void()> failed = {}) {
        auto result = std::make_shared<Result>();
        startWork(std::move(hold), [work = std::move(work), result](JobContext& ctx) { *result = work(ctx); },
                  [done = std::move(done), result] { done(std::move(*result)); }, touchesImage, std::move(failed));
    }
    // True from start() until the job's `done` has returned.
    bool running() const { return running_; }

    // The program's one radio-busy state: every exchange holds it.
    RadioBusy& busy() { return busy_; }
    QtHost& host() { return host_; }
    frmProc& proc() { return *proc_; }
    WindowQueue& windowQueue() { return *queue_; }
    // Every byte of the last radio job.
    bool hasTrace() const { return !lastTrace_.empty() || lastTraceDropped_ != 0; }
    std::string traceText() const { return orv::traceText(lastTrace_, lastTraceDropped_); }
    const std::vector<TraceEntry>& lastTrace() const { return lastTrace_; }
    // The window of the last verify that found differences, while open.
    frmVerify* verifyWindow() const { return verifyWindow_.data(); }
    void setVerifyWindow(frmVerify* window) { verifyWindow_ = window; }

    // The progress dialog before a transfer: placed against the main window,
    // `text` in lblInfo, shown modeless. The transfer then sets it up itself.
    void preShow(const QString& text);
    void unloadProc() { proc_->unload(); }

    // The link's waits and pauses for the next job.
    const LinkTiming& timing() const { return timing_; }
    void setTiming(const LinkTiming& timing) { timing_ = timing; }
    // The port in use (1..kPorts), its device, and what a job gets of them.
    static constexpr int kPorts = kPortSlots;
    int portNumber() const { return portNumber_; }
    const std::string& device() const { return device_; }
    PortSetup portSetup() const { return {device_, timing_, kPortChoice, allowFastBaud_}; }
    // Makes port n (1..kPorts) the one in use, with its device from the settings.
    void setPortNumber(int n);
    // What the main window does on activation: the port number from the
    // settings (default 1) made the one in use. Returns it.
    int applyStoredPort();

    // The settings of the ports: "Comm/Port" holds the port in use (1..4,
    // default 1), "Comm/Device<n>" the device of port n (default: the
    // system's usual name, platform/SerialPortList.h).
    static QString deviceForPort(int n);
    static int storedPort();
    static void storePort(int n);
    static void storeDevice(int n, const QString& device);

private:
    void startWork(RadioBusy::Hold hold, std::function<void(JobContext&)> work, std::function<void()> done,
                   bool touchesImage, std::function<void()> failed);
    void finishWork();

    UserPrompts& prompts_;
    RadioBusy busy_;
    QWidget* mainWindow_;
    std::unique_ptr<frmProc> proc_;
    std::unique_ptr<WindowQueue> queue_;
    QtHost host_;
    LinkTiming timing_;
    int portNumber_ = 1;
    std::string device_;
    bool allowFastBaud_ = false;   // as the last job left the link (see PortSetup)
    QPointer<frmVerify> verifyWindow_;
    std::vector<TraceEntry> lastTrace_;
    std::size_t lastTraceDropped_ = 0;

    // The job under way.
    bool running_ = false;
    std::thread worker_;
    std::unique_ptr<JobContext> context_;
    std::exception_ptr workError_;
    std::function<void()> done_;
    std::function<void()> failed_;
    RadioBusy::Hold hold_;
    QPointer<QWidget> disabled_;
};

}  // namespace orv
