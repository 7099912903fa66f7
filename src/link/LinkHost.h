// What the link logic needs of its surroundings: sleep, a steady clock, the
// beep, message boxes, and the progress dialog operations. The link calls it
// from the thread it runs on; the editor's host carries each call over to the
// window thread.
// The editor implements it with Qt windows, the command-line tool with a
// terminal progress bar, the tests with scripted fakes.
#pragma once
#include <string>

namespace orv {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Exclamation, Question, Critical, Information };
enum class MsgAnswer { OK, Cancel, Yes, No, Retry };

// The answer a host without a user gives to a message box: OK, Cancel or No
// for a question, and Retry while `retriesLeft` allows (counting it down) and
// the operation was not stopped.
inline MsgAnswer unattendedAnswer(MsgButtons buttons, int& retriesLeft, bool stopped) {
    switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::OKCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return MsgAnswer::No;
    case MsgButtons::RetryCancel:
        if (retriesLeft > 0 && !stopped) {
            --retriesLeft;
            return MsgAnswer::Retry;
        }
        return MsgAnswer::Cancel;
    }
    return MsgAnswer::OK;
}

class LinkHost {
public:
    virtual ~LinkHost() = default;

    virtual void sleepMs(int ms) = 0;
    // Seconds on a monotonic clock.
    virtual double now() = 0;
    virtual void beep() = 0;
    // An empty title means the application's title "ORVEDIT".
    virtual MsgAnswer messageBox(const std::string& text, const std::string& title,
                                 MsgIcon icon, MsgButtons buttons) = 0;

    // Progress dialog (frmProc) operations.
    virtual void progShowForm(const std::string& message, bool writeFlag) = 0;
    virtual void progEnableCancel() = 0;
    virtual bool progCancelled() = 0;
    // The transfer's count: `value` of `max` (0 <= value <= max; the link
    // keeps the count and clamps it, the host only shows it).
    virtual void progress(int value, int max) = 0;
    virtual void progUnload() = 0;
};

}  // namespace orv
