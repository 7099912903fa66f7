// LinkHost for a terminal: the progress dialog becomes a progress line on
// stderr (bytes, rate, time left), message boxes are printed there, a
// Retry/Cancel question is answered Retry while a retry allowance lasts and
// Cancel after that, and Ctrl-C (or anything that sets the interrupt flag)
// is the dialog's Cancel button. Nothing here needs a window system.
#pragma once
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>
#include "link/LinkHost.h"

namespace orv {

class TermHost : public LinkHost {
public:
    // `interrupted` is polled as the Cancel button; it is usually set from a
    // SIGINT handler. `out` receives everything the host prints.
    TermHost(const volatile std::sig_atomic_t* interrupted, std::FILE* out = stderr);

    void setRetries(int n) { retriesLeft_ = n; }
    int retriesLeft() const { return retriesLeft_; }
    // Draw the progress line in place (a terminal) or only at the end.
    void setInteractive(bool on) { interactive_ = on; }
    // Draw no progress line at all (the messages are still printed).
    void setQuiet(bool on) { quiet_ = on; }

    void sleepMs(int ms) override;
    double now() override;
    void beep() override;
    MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                         MsgButtons buttons) override;

    void progShowForm(const std::string& message, bool writeFlag) override;
    void progEnableCancel() override { cancelEnabled_ = true; }
    bool progCancelled() override;
    void progress(int value, int max) override;
    // The furthest value the progress reached since the dialog was shown
    // (the operations reset it to 0 before they unload the dialog).
    int progFurthest() const { return peak_; }
    void progUnload() override;

    // The progress line for the given state; exposed for tests.
    static std::string progressLine(const std::string& message, int value, int min, int max,
                                    double elapsedSeconds);

private:
    void draw(bool force);
    void endLine();

    const volatile std::sig_atomic_t* interrupted_;
    std::FILE* out_;
    bool interactive_ = false;
    bool quiet_ = false;
    int retriesLeft_ = 0;
    bool shown_ = false;
    bool cancelEnabled_ = false;
    bool lineOpen_ = false;
    std::string message_;
    int max_ = 100, value_ = 0, peak_ = 0;
    double shownAt_ = 0, lastDraw_ = -1;
};

}  // namespace orv
