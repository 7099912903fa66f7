// What a radio job's worker thread hands to the window thread. Tasks wait in
// a queue under a mutex; the window thread is woken by an event that carries
// no data and runs them in order. A task that must be answered (a question
// to the user) is waited for on a condition variable that `abandon()`
// releases too: a worker never waits on a window thread that has stopped
// serving it, so an editor that closes cannot deadlock against its job.
#pragma once
#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace orv {

class WindowQueue : public QObject {
public:
    // Made on the window thread: the thread that runs the tasks.
    explicit WindowQueue(QObject* parent = nullptr);
    ~WindowQueue() override;
    WindowQueue(const WindowQueue&) = delete;
    WindowQueue& operator=(const WindowQueue&) = delete;

    // Runs `task` on the window thread, later; on the window thread itself,
    // at once. Dropped once the queue is abandoned.
    void post(std::function<void()> task);
    // Runs `task` on the window thread and waits until it has run: true.
    // False when the queue was abandoned before it ran.
    bool call(const std::function<void()>& task);
    // From now on nothing runs: queued tasks are dropped, waiting calls
    // return false, new ones at once. Call it on the window thread.
    void abandon();
    bool abandoned() const;
    bool onWindowThread() const { return std::this_thread::get_id() == windowThread_; }

protected:
    bool event(QEvent* e) override;

private:
    void wake();   // with mutex_ held
    void runTasks();

    const std::thread::id windowThread_;
    mutable std::mutex mutex_;
    std::condition_variable answered_;
    std::deque<std::function<void()>> tasks_;
    bool wakePending_ = false;
    bool abandoned_ = false;
};

}  // namespace orv
