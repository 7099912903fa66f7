// How the editor asks and tells the user: message boxes, the beep and the
// file dialog. Every window and command of one editor session goes through
// the session's UserPrompts, so a test can answer for the user (and count the
// beeps) without any program-wide hook.
#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include "link/LinkHost.h"

class QWidget;

namespace orv {

struct ChangeListView;

// Shows a real message box owned by `parent` with the given text, title (""
// gives "ORVEDIT"), icon and buttons, and returns the answer. Carriage
// returns in the text start new lines. Escape or the close box give `escape`
// when it is set (a Yes/No question whose dismissal must not count as No),
// otherwise the box's own escape answer (Cancel or No; OK for an OK-only box).
// `preselected` names the button Return presses (default: the first).
MsgAnswer showMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgAnswer> escape = {},
                      std::optional<MsgAnswer> preselected = {});

// A file dialog other than the programming-file one: the folder it opens in
// and, for a file that is not a programming file, its own filters.
struct FileDialogSetup {
    QString startFolder;      // empty: the dialog's own choice
    QStringList filters;      // empty: the programming-file filters
    QString defaultSuffix;    // with `filters`: the suffix a typed name gets
    bool userFolder = true;   // the chosen file's folder becomes the user's folder
};

// Where a file dialog starts: `current` when it is a path with a folder; a
// bare file name (a suggested name) in the user's folder; nothing: the
// setup's own folder, else the user's folder ("" leaves it to the dialog).
QString dialogStartPath(const QString& current, const QString& setupFolder, const QString& userFolder);

class UserPrompts {
public:
    // A message box (through the handler when one is set).
    MsgAnswer message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgAnswer> escape = {},
                      std::optional<MsgAnswer> preselected = {});
    // The system beep (through the handler when one is set).
    void beep();
    // The programming-file dialog (or the one `setup` describes): the chosen
    // path, or "" when cancelled. A file chooser set below gets the start
    // folder in place of an empty `current`.
    QString chooseFile(QWidget* parent, bool forSaving, const QString& current, const FileDialogSetup& setup = {});
    // The user's folder: that of the file last chosen in a file dialog (not
    // a backup) or opened by name (a dropped file, a recent file).
    QString userFolder() const { return userFolder_; }
    void noteUserFile(const QString& path);

    // "Choose Device...": the serial device for port slot `slot`, picked
    // from the ports found or typed; "" when cancelled.
    QString chooseDevice(QWidget* parent, int slot, const QString& current);

    // "What Will Change" before a write: true when the user chose Write.
    bool confirmChanges(QWidget* parent, const ChangeListView& view);

    // Answers instead of the user. The message handler gets the text as it
    // would be shown (line breaks as '\n') and the title after the "" ->
    // "ORVEDIT" rule; the file chooser gets the dialog's start path. Empty handlers restore the real boxes, beep and dialog.
    using MessageHandler = std::function<MsgAnswer(QWidget* parent, const QString& text, const QString& title,
                                                   MsgIcon icon, MsgButtons buttons)>;
    using FileChooser = std::function<QString(QWidget* parent, bool forSaving, const QString& current)>;
    void setMessageHandler(MessageHandler handler) { messageHandler_ = std::move(handler); }
    void setBeepHandler(std::function<void()> handler) { beepHandler_ = std::move(handler); }
    void setFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    using DeviceChooser = std::function<QString(QWidget* parent, int slot, const QString& current)>;
    void setDeviceChooser(DeviceChooser chooser) { deviceChooser_ = std::move(chooser); }
    using ChangesAnswer = std::function<bool(QWidget* parent, const ChangeListView& view)>;
    void setChangesAnswer(ChangesAnswer answer) { changesAnswer_ = std::move(answer); }

private:
    MessageHandler messageHandler_;
    std::function<void()> beepHandler_;
    FileChooser fileChooser_;
    DeviceChooser deviceChooser_;
    ChangesAnswer changesAnswer_;
    QString userFolder_;
};

}  // namespace orv
