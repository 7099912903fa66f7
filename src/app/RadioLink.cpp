#include "app/RadioLink.h"

#include <QSettings>
#include <QWidget>
#include "app/CommandGuard.h"
#include "app/UserPrompts.h"
#include "platform/SerialPortList.h"

namespace orv {

RadioLink::RadioLink(UserPrompts& prompts, QWidget* mainWindow)
    : prompts_(prompts),
      busy_([&prompts] { prompts.beep(); }),
      mainWindow_(mainWindow),
      proc_(std::make_unique<frmProc>(prompts, mainWindow)),
      queue_(std::make_unique<WindowQueue>()),
      host_(*proc_, prompts, *queue_, mainWindow),
      device_(deviceForPort(portNumber_).toStdString()) {}

RadioLink::~RadioLink() {
    // Nothing the worker waits for will come any more: its questions are
    // answered, Cancel counts as pressed, and it ends at its next look.
    queue_->abandon();
    if (worker_.joinable()) worker_.join();
    proc_->unload();
}

void RadioLink::setMainWindow(QWidget* mainWindow) {
    mainWindow_ = mainWindow;
    proc_->setMainWindow(mainWindow);
    host_.setOwner(mainWindow);
}

void RadioLink::preShow(const QString& text) { proc_->preShow(text); }

QString RadioLink::deviceForPort(int n) {
    if (n < 1 || n > kPorts) n = 1;
    return appSettings()
        ->value(QStringLiteral("Comm/Device%1").arg(n), QString::fromStdString(defaultSlotDevice(n)))
        .toString();
}

int RadioLink::storedPort() {
    bool ok = false;
    const int n = appSettings()->value(QStringLiteral("Comm/Port"), 1).toInt(&ok);
    return ok && n >= 1 && n <= kPorts ? n : 1;
}

void RadioLink::storePort(int n) { appSettings()->setValue(QStringLiteral("Comm/Port"), QString::number(n)); }

void RadioLink::storeDevice(int n, const QString& device) {
    appSettings()->setValue(QStringLiteral("Comm/Device%1").arg(n), device);
}

void RadioLink::setPortNumber(int n) {
    if (n < 1 || n > kPorts) return;
    portNumber_ = n;
    device_ = deviceForPort(n).toStdString();
}

int RadioLink::applyStoredPort() {
    const int n = storedPort();
    setPortNumber(n);
    return n;
}

void RadioLink::startWork(RadioBusy::Hold hold, std::function<void(JobContext&)> work, std::function<void()> done,
                          bool touchesImage, std::function<void()> failed) {
    if (running_) throw std::logic_error("a radio job was started while another one runs");
    // Window events go on meanwhile, but none may start a command that
    // changes the programming the job's result will be committed to.
    disabled_ = nullptr;
    if (touchesImage && mainWindow_ && mainWindow_->isEnabled()) {
        mainWindow_->setEnabled(false);
        disabled_ = mainWindow_;
    }
    running_ = true;
    hold_ = std::move(hold);
    done_ = std::move(done);
    failed_ = std::move(failed);
    workError_ = nullptr;
    context_ = std::make_unique<JobContext>(portSetup(), host_, *queue_, *proc_);
    // The worker touches only its context, the job's own copies and the
    // host; what it leaves (the result, an exception, the trace) is read by
    // the window thread after the hand-over through the queue.
    worker_ = std::thread([this, work = std::move(work)] {
        try {
            work(*context_);
        } catch (...) {
            workError_ = std::current_exception();
        }
        queue_->post([this] { finishWork(); });
    });
}

void RadioLink::finishWork() {
    worker_.join();
    lastTrace_ = std::move(context_->trace_);
    lastTraceDropped_ = context_->traceDropped_;
    allowFastBaud_ = context_->port_.allowFastBaud;
    context_.reset();
    if (disabled_) disabled_->setEnabled(true);
    disabled_ = nullptr;
    running_ = false;
    const std::exception_ptr error = workError_;
    workError_ = nullptr;
    std::function<void()> done = std::move(done_);
    std::function<void()> failed = std::move(failed_);
    done_ = nullptr;
    failed_ = nullptr;
    RadioBusy::Hold hold = std::move(hold_);
    const bool ok = runGuarded(prompts_, mainWindow_, [&] {
        if (error) std::rethrow_exception(error);
        done();
    });
    if (!ok && failed) failed();
    // `hold` ends here unless `done` kept a copy.
}

}  // namespace orv
