// The one "radio busy" state of the program. Every radio exchange (a read, a
// write, a step of the alignment tool) holds an Exchange for as long as it
// talks to the radio, from the command's first question until its result is
// committed; while one is held, every other radio command is refused. The
// job runs on a worker thread while the window thread goes on serving
// events, so without this a menu shortcut or a button of a window the
// exchange leaves enabled (the alignment window) could start a second
// exchange on the same port in the middle of the first.
#pragma once
#include <QObject>
#include <functional>
#include <memory>

namespace orv {

class RadioBusy : public QObject {
    Q_OBJECT
public:
    // `refuse` is what a refused begin() does (the session's beep).
    explicit RadioBusy(std::function<void()> refuse, QObject* parent = nullptr)
        : QObject(parent), refuse_(std::move(refuse)) {}

    bool isBusy() const { return busy_; }

    // Held for the life of one exchange; releases the state when it ends,
    // however it ends. An Exchange that was refused holds nothing.
    class Exchange {
    public:
        Exchange() = default;
        Exchange(Exchange&& o) noexcept : owner_(o.owner_) { o.owner_ = nullptr; }
        Exchange& operator=(Exchange&& o) noexcept;
        Exchange(const Exchange&) = delete;
        Exchange& operator=(const Exchange&) = delete;
        ~Exchange() { release(); }
        explicit operator bool() const { return owner_ != nullptr; }
        void release();

    private:
        friend class RadioBusy;
        explicit Exchange(RadioBusy* owner) : owner_(owner) {}
        RadioBusy* owner_ = nullptr;
    };

    // Starts an exchange. When one is already running the request is refused
    // with a beep and the returned Exchange is empty (false).
    [[nodiscard]] Exchange begin();
    // The same as a shared hold, for an exchange that lives on in the
    // continuations of a job: null when refused.
    using Hold = std::shared_ptr<Exchange>;
    [[nodiscard]] Hold hold();

signals:
    void busyChanged(bool busy);

private:
    void setBusy(bool b);
    std::function<void()> refuse_;
    bool busy_ = false;
};

}  // namespace orv
