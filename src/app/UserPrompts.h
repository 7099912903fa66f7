// How the editor asks and tells the user: message boxes, the beep and the
// file dialog. Every window and command of one editor session goes through
// the session's UserPrompts, so a test can answer for the user (and count the
// beeps) without any program-wide hook.
#pragma once
#include <QString>
#include <functional>
#include <optional>
#include "link/LinkHost.h"

class QWidget;

namespace orv {

// Shows a real message box owned by `parent` with the given text, title (""
// gives "ORVEDIT"), icon and buttons, and returns the answer. Carriage
// returns in the text start new lines. Escape or the close box give `escape`
// when it is set (a Yes/No question whose dismissal must not count as No),
// otherwise the box's own escape answer (Cancel or No; OK for an OK-only box).
MsgAnswer showMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgAnswer> escape = {});

class UserPrompts {
public:
    // A message box (through the handler when one is set).
    MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgAnswer> escape = {});
    // The system beep (through the handler when one is set).
    void beep();
    // The programming-file dialog: the chosen path, or "" when cancelled.
    QString chooseFile(QWidget* parent, bool forSaving, const QString& current);
    // A dialog for files of another kind: `filters` as the dialog lists them
    // ("CSV (*.csv)"), `suffix` added to a name typed without one when saving.
    // The file chooser answers for it too.
    QString chooseFile(QWidget* parent, bool forSaving, const QString& current, const QStringList& filters,
                       const QString& suffix);

    // Answers instead of the user. The message handler gets the text as it
    // would be shown (line breaks as '\n') and the title after the "" ->
    // "ORVEDIT" rule. Empty handlers restore the real boxes, beep and dialog.
    using MessageHandler = std::function<MsgAnswer(QWidget* parent, const QString& text, const QString& title,
                                                   MsgIcon icon, MsgButtons buttons)>;
    using FileChooser = std::function<QString(QWidget* parent, bool forSaving, const QString& current)>;
    void setMessageHandler(MessageHandler handler) { messageHandler_ = std::move(handler); }
    void setBeepHandler(std::function<void()> handler) { beepHandler_ = std::move(handler); }
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }

private:
    MessageHandler messageHandler_;
    std::function<void()> beepHandler_;
    FileChooser fileChooser_;
};

}  // namespace orv
