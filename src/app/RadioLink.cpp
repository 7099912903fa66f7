#include "app/RadioLink.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QSettings>
#include <QThread>
#include <QWidget>
#include <exception>
#include "app/UserPrompts.h"

namespace orv {

RadioLink::RadioLink(MemoryImage& image, UserPrompts& prompts, QWidget* mainWindow)
    : busy_([&prompts] { prompts.beep(); }),
      mainWindow_(mainWindow),
      proc_(std::make_unique<frmProc>(prompts, mainWindow)),
      host_(*proc_, prompts, mainWindow),
      com_(image, tracedPort_, host_) {
    com_.initComm();
    com_.setPortChoice(kPortChoice);
    port_.setDevice(deviceForPort(portNumber_).toStdString());
    // One trace per exchange: what "Save Serial Trace" writes is the last one.
    QObject::connect(&busy_, &RadioBusy::busyChanged, &busy_, [this](bool busy) {
        if (busy) trace_.start();
    });
}

RadioLink::~RadioLink() {
    proc_->unload();
    com_.closePort();
}

void RadioLink::setMainWindow(QWidget* mainWindow) {
    mainWindow_ = mainWindow;
    proc_->setMainWindow(mainWindow);
    host_.setOwner(mainWindow);
}

void RadioLink::preShow(const QString& text) { proc_->preShow(text); }

QString RadioLink::deviceForPort(int n) {
    static const char* const defaults[kPorts] = {"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0",
                                                 "/dev/ttyS1"};
    if (n < 1 || n > kPorts) n = 1;
    return appSettings()
        ->value(QStringLiteral("Comm/Device%1").arg(n), QString::fromLatin1(defaults[n - 1]))
        .toString();
}

int RadioLink::storedPort() {
    bool ok = false;
    const int n = appSettings()->value(QStringLiteral("Comm/Port"), 1).toInt(&ok);
    return ok && n >= 1 && n <= kPorts ? n : 1;
}

void RadioLink::setPortNumber(int n) {
    if (n < 1 || n > kPorts) return;
    com_.closePort();
    portNumber_ = n;
    port_.setDevice(deviceForPort(n).toStdString());
}

int RadioLink::applyStoredPort() {
    const int n = storedPort();
    com_.closePort();
    setPortNumber(n);
    return n;
}

void RadioLink::run(const std::function<void()>& job, bool touchesImage) {
    std::exception_ptr error;
    std::unique_ptr<QThread> worker(QThread::create([&job, &error] {
        try {
            job();
        } catch (...) {
            error = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    // Window events may run meanwhile, but none may start a command that
    // touches the image the worker fills.
    QPointer<QWidget> disabled;
    if (touchesImage && mainWindow_ && mainWindow_->isEnabled()) {
        mainWindow_->setEnabled(false);
        disabled = mainWindow_;
    }
    running_ = true;
    worker->start();
    loop.exec();
    worker->wait();
    running_ = false;
    if (disabled) disabled->setEnabled(true);
    if (error) std::rethrow_exception(error);
}

void RadioLink::onWindowThread(const std::function<void()>& f) {
    if (QThread::currentThread() == proc_->thread())
        f();
    else
        QMetaObject::invokeMethod(proc_.get(), f, Qt::BlockingQueuedConnection);
}

}  // namespace orv
