#include "app/WindowQueue.h"

#include <QCoreApplication>
#include <QEvent>

namespace orv {

namespace {
const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::registerEventType());
}

WindowQueue::WindowQueue(QObject* parent) : QObject(parent), windowThread_(std::this_thread::get_id()) {}

WindowQueue::~WindowQueue() { abandon(); }

void WindowQueue::wake() {
    if (wakePending_) return;
    wakePending_ = true;
    QCoreApplication::postEvent(this, new QEvent(kWakeEvent));
}

void WindowQueue::post(std::function<void()> task) {
    if (onWindowThread()) {
        if (!abandoned()) task();
        return;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (abandoned_) return;
    tasks_.push_back(std::move(task));
    wake();
}

bool WindowQueue::call(const std::function<void()>& task) {
    if (onWindowThread()) {
        if (abandoned()) return false;
        task();
        return true;
    }
    // The flag lives as long as the longer of the two sides needs it.
    auto done = std::make_shared<bool>(false);
    std::unique_lock<std::mutex> lock(mutex_);
    if (abandoned_) return false;
    tasks_.push_back([this, &task, done] {
        task();
        std::lock_guard<std::mutex> l(mutex_);
        *done = true;
        answered_.notify_all();
    });
    wake();
    answered_.wait(lock, [&] { return *done || abandoned_; });
    return *done;
}

void WindowQueue::abandon() {
    std::lock_guard<std::mutex> lock(mutex_);
    abandoned_ = true;
    tasks_.clear();
    answered_.notify_all();
}

bool WindowQueue::abandoned() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return abandoned_;
}

bool WindowQueue::event(QEvent* e) {
    // A wake event is made on a worker thread while it holds mutex_ and
    // reaches this thread through Qt's event queue. Taking mutex_ before
    // the event is looked at orders this thread after its making in a way
    // every checker of the threads' order can see, whatever Qt's queue
    // does inside.
    { std::lock_guard<std::mutex> lock(mutex_); }
    if (e->type() != kWakeEvent) return QObject::event(e);
    runTasks();
    return true;
}

void WindowQueue::runTasks() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (tasks_.empty() || abandoned_) {
                wakePending_ = false;
                return;
            }
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        // A task may show a modal box whose own loop serves further wake
        // events: those run the tasks queued meanwhile, in order.
        task();
    }
}

}  // namespace orv
