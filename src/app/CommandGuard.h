// The boundary of every user command. An exception that escapes a command
// must never reach the Qt event loop (it would end the program and lose the
// user's work): it ends the command with one clear message instead. The image
// and the screen keep what the command had not changed yet; commands that
// change the image work on a copy and commit it last.
#pragma once
#include <QApplication>
#include <QString>
#include <functional>

class QWidget;

namespace orv {

class UserPrompts;

// Runs `command`; true when it ended without an exception. An exception is
// reported in a message box owned by `parent` and swallowed.
bool runGuarded(UserPrompts& prompts, QWidget* parent, const std::function<void()>& command);

// The message shown for an exception that ended a command.
QString commandFailureText(const QString& what);

// The editor's application object: the last line of defence behind
// runGuarded. An exception thrown by any event handler is reported and
// swallowed in notify(), so it never unwinds through the event loop.
class OrvApplication : public QApplication {
public:
    OrvApplication(int& argc, char** argv) : QApplication(argc, argv) {}
    bool notify(QObject* receiver, QEvent* event) override;
    // Where the message about a caught exception goes: the session's prompts
    // once main() has made one (a real message box until then).
    using Reporter = std::function<void(const QString& text)>;
    void setReporter(Reporter reporter) { reporter_ = std::move(reporter); }

private:
    void report(const QString& text);
    Reporter reporter_;
};

}  // namespace orv
