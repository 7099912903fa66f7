// Helpers for the tests of the radio commands, the file commands, the
// progress dialog and the global window: the application (offscreen, with
// settings in a private folder), a stand-in main window, scripted message-box
// answers, a beep counter and the radio's memory as a test holds it (the
// simulated radio on a pseudo-terminal: SimRadioSupport.h).
#pragma once
#include <gtest/gtest.h>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>
#include <QWidget>
#include <deque>
#include <memory>
#include <string>
#include <vector>
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/RadioRun.h"
#include "link/LinkAdvice.h"
#include "link/LinkHost.h"
#include "image/MemoryImage.h"
#include "image/Views.h"
#include "image/clsGroup.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace orv::test {

// The offscreen platform with a 1600 x 1200 screen at 96 DPI (set before
// the application is made).
void useTestScreen();
// Creates the application once (settings under a fresh temporary
// $XDG_CONFIG_HOME) and returns that folder.
QString ensureApp();
// Base of the fixtures: the application exists before any member widget.
class AppFixture : public ::testing::Test {
protected:
    AppFixture() { ensureApp(); }
};

// A fresh empty temporary folder.
QString tempDir();

// A main window stand-in with its own session: one GroupView shown, the 15
// group codecs on the session's image, and a record of the calls.
class FakeShell : public QWidget, public EditorShell {
public:
    FakeShell();
    ~FakeShell() override;

    EditorSession& session() override { return *session_; }
    MemoryImage& image() { return session_->image(); }
    QWidget* shellWidget() override { return this; }
    bool storeCurrentGroup() override;
    void readCurrentGroup() override;
    void mnuReadCurrGroup_Click() override;
    bool mnuWriteCurrGroup_Click() override;
    void displayGroupMemory() override;
    QString currentGroupText() const override { return QString::number(currentGroup + 1); }
    void setShellCaption(const QString& caption) override { setWindowTitle(caption); }

    int currentGroup = 0;       // list index of cboCurrentGroup
    bool refuseStore = false;   // a value on screen that cannot be stored
    bool storeWrites = true;    // false: storing succeeds without touching the image
    GroupView view;
    int stores = 0;
    int reads = 0;              // readCurrentGroup and displayGroupMemory

private:
    std::unique_ptr<EditorSession> session_;
    std::vector<std::unique_ptr<clsGroup>> groups_;
};

// One message box as it was asked.
struct Asked {
    QString text;
    QString title;
    MsgIcon icon;
    MsgButtons buttons;
};

// Answers the message boxes of a session from a script (first in, first
// out); a box beyond the script gets its first button's answer. Records every
// box. Restores the real boxes when destroyed.
class ScriptedBoxes {
public:
    explicit ScriptedBoxes(UserPrompts& prompts);
    ~ScriptedBoxes();
    void answer(std::initializer_list<MsgAnswer> answers);
    std::vector<Asked> asked;
    std::vector<QString> texts() const;
    bool wasAsked(const QString& text) const;
    // Whether a box's text began with `firstLine` (a link error, whatever its advice).
    bool wasAskedStartingWith(const QString& firstLine) const;

private:
    UserPrompts& prompts_;
    std::deque<MsgAnswer> script_;
};

// A link error's box as the editor shows it: the fixed first line and the
// advice for `device` (`changed`: a write had sent data to the radio).
QString linkError(const char* first, LinkFailure failure, const std::string& device, bool changed = false);

// Counts a session's beeps while alive.
class BeepCounter {
public:
    explicit BeepCounter(UserPrompts& prompts);
    ~BeepCounter();
    int count = 0;

private:
    UserPrompts& prompts_;
};

// Waits (serving the window's events) until a radio command's job has
// ended and its result is on screen; returns whether it was ok. A command
// that never ends fails the test.
bool finishRun(const RadioRun& run);
// The same for a command started by the window's own menu or keys: waits
// until no radio job of `session` runs and the radio is no longer busy.
void waitForRadio(EditorSession& session);

// Fills `bytes` with a reproducible pattern.
void fillPattern(uint8_t* bytes, int n, unsigned seed);

// The radio's memory as a test holds it.
using Memory = std::array<uint8_t, MemoryImage::kRadioSize>;
Memory pattern(unsigned seed);
Memory imageMemory(const MemoryImage& image);   // its first 6016 bytes
// What the radio holds after a whole write of `image` over `before`: page 0
// through `writeMask` (when sent), each group's first block as its flag bit,
// every other group block whole.
Memory expectedAfterWrite(const Memory& before, const Memory& image, const std::array<int, 256>& writeMask,
                          bool page0);

}  // namespace orv::test
