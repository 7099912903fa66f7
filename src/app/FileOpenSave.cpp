#include "app/FileOpenSave.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <exception>
#include "app/BackupCommands.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/QtHost.h"
#include "image/Programming.h"

namespace orv::FileOpenSave {

namespace {

void reportCodecError(EditorShell& shell, const QString& what) {
    FileState& f = shell.session().file();
    f.filePath = f.previousFilePath;
    shell.session().prompts().message(shell.shellWidget(), what,
                                      QCoreApplication::translate("FileOpenSave", "File Error"), MsgIcon::Exclamation,
                                      MsgButtons::OK);
}

// The status bar's report of a save or an open of `path`.
void fileStatus(EditorShell& shell, const char* text, const QString& path) {
    shell.session().showStatus(QCoreApplication::translate("FileOpenSave", text).arg(path));
}

}  // namespace

void configureFileDialog(QFileDialog& dialog, bool forSaving) {
    // Each entry shows its caption; the pattern list the dialog applies is
    // the last parenthesised part, hidden from view. "All (*.*)" keeps its
    // caption but matches every file: on this platform "*.*" would hide files
    // whose names have no dot.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters({QCoreApplication::translate("FileOpenSave", "ORV (*.orv) (*.orv)"),
                           QCoreApplication::translate("FileOpenSave", "Frequency (*.frq) (*.frq)"),
                           QCoreApplication::translate("FileOpenSave", "All (*.*) (*)")});
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (forSaving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("orv"));
        // "&Save" replaces the current file without asking as well; the
        // replacement is atomic, so no half-written file can result.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);   // the file must exist
    }
}

bool showFileDialog(EditorShell& shell, bool forSaving) {
    FileState& f = shell.session().file();
    f.previousFilePath = f.filePath;
    QString chosen;
    try {
        chosen = shell.session().prompts().chooseFile(shell.shellWidget(), forSaving, f.filePath);
    } catch (const std::exception&) {
        return false;
    }
    if (chosen.isEmpty()) return false;   // cancelled: filePath keeps its value
    f.filePath = chosen;
    return true;
}

bool saveFile(EditorShell& shell) {
    const FileState& f = shell.session().file();
    if (!f.filePath.isEmpty() && !f.previousFilePath.isEmpty()) return writeImageFile(shell);
    if (!showFileDialog(shell, true)) return false;
    return writeImageFile(shell);
}

bool saveFileAs(EditorShell& shell) {
    if (!showFileDialog(shell, true)) return false;
    FileState& f = shell.session().file();
    if (QFileInfo::exists(f.filePath) &&
        shell.session().prompts().message(
            shell.shellWidget(),
            QCoreApplication::translate("FileOpenSave", "%1 already exists.\rDo you want to replace it?")
                .arg(f.filePath),
            QCoreApplication::translate("FileOpenSave", "Save As"), MsgIcon::Exclamation,
            MsgButtons::YesNo) != MsgAnswer::Yes) {
        f.filePath = f.previousFilePath;
        return false;
    }
    return writeImageFile(shell);
}

bool saveFileAsForExit(EditorShell& shell) {
    // No file chosen after all: the exit goes on, but the programming is
    // kept as a backup first (and the exit stops when it cannot be).
    if (!showFileDialog(shell, true)) return keepExitBackup(shell);
    return writeImageFile(shell);
}

bool confirmDiscard(EditorShell& shell) {
    if (!shell.hasUnsavedChanges()) return true;
    return shell.session().prompts().message(
               shell.shellWidget(), QCoreApplication::translate("FileOpenSave", "Discard the unsaved changes?"),
               QString(), MsgIcon::Question, MsgButtons::YesNo) == MsgAnswer::Yes;
}

bool openFile(EditorShell& shell) {
    if (!confirmDiscard(shell)) return false;
    if (!showFileDialog(shell, false)) return false;
    return readImageFile(shell);
}

bool openPath(EditorShell& shell, const QString& path) {
    if (!confirmDiscard(shell)) return false;
    FileState& f = shell.session().file();
    f.previousFilePath = f.filePath;
    f.filePath = path;
    if (!readImageFile(shell)) return false;
    shell.session().prompts().noteUserFile(path);
    return true;
}

bool openRecentFile(EditorShell& shell, const QString& path) {
    if (!QFileInfo::exists(path)) {
        removeRecentFile(path);
        shell.session().prompts().message(
            shell.shellWidget(),
            QCoreApplication::translate("FileOpenSave", "%1 no longer exists.\rIt was removed from the recent files.")
                .arg(path),
            QCoreApplication::translate("FileOpenSave", "File Error"), MsgIcon::Exclamation, MsgButtons::OK);
        return false;
    }
    return openPath(shell, path);
}

namespace {
const QString kRecentKey = QStringLiteral("Files/Recent");
}  // namespace

QStringList recentFiles() {
    QStringList list = appSettings()->value(kRecentKey).toStringList();
    list.removeAll(QString());
    while (list.size() > kMaxRecentFiles) list.removeLast();
    return list;
}

void addRecentFile(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList list = recentFiles();
    list.removeAll(full);
    list.prepend(full);
    while (list.size() > kMaxRecentFiles) list.removeLast();
    appSettings()->setValue(kRecentKey, list);
}

void removeRecentFile(const QString& path) {
    QStringList list = recentFiles();
    list.removeAll(path);
    appSettings()->setValue(kRecentKey, list);
}

bool writeImageFile(EditorShell& shell) {
    EditorSession& session = shell.session();
    const QString path = session.file().filePath;
    // Every way out but the save itself reports a failure.
    bool saved = false;
    struct Report {
        EditorShell& shell;
        const QString& path;
        const bool& saved;
        ~Report() { fileStatus(shell, saved ? QT_TRANSLATE_NOOP("FileOpenSave", "Saved %1") : QT_TRANSLATE_NOOP("FileOpenSave", "Saving %1 failed"), path); }
    } report{shell, path, saved};
    // The group on screen into the image; a value that cannot be stored stops
    // the save, so the file never silently lacks the user's edits.
    if (!shell.storeCurrentGroup()) {
        reportCodecError(shell, QCoreApplication::translate("FileOpenSave",
                                                            "The group on screen holds a value that cannot be stored.\r"
                                                            "The file was not saved."));
        return false;
    }
    if (session.GlobalsWindowOpen()) {
        try {
            session.writeGlobals();
        } catch (const std::exception& e) {
            reportCodecError(shell, QString::fromStdString(e.what()) +
                                        QCoreApplication::translate("FileOpenSave", "\rThe file was not saved."));
            return false;
        }
    }
    const FileStatus status = saveImageFile(session.file().filePath.toStdString(), session.image());
    if (!status) {
        fileErrorHandler(shell, status);
        return false;
    }
    setFileCaption(shell);
    shell.markSaved();
    saved = true;
    return true;
}

bool readImageFile(EditorShell& shell) {
    EditorSession& session = shell.session();
    // loadImageFile leaves the image as it was on any failure.
    const QString path = session.file().filePath;
    std::string shortNote;
    const FileStatus status = loadImageFile(path.toStdString(), session.image(), &shortNote);
    if (!status) {
        fileErrorHandler(shell, status);
        fileStatus(shell, QT_TRANSLATE_NOOP("FileOpenSave", "Opening %1 failed"), path);
        return false;
    }
    // A file of the radio's bytes alone is told once, as it opens.
    if (!shortNote.empty())
        session.prompts().message(shell.shellWidget(), QString::fromStdString(shortNote),
                                  QCoreApplication::translate("FileOpenSave", "Open"), MsgIcon::Information,
                                  MsgButtons::OK);
    // A file that opens but holds no radio's programming is said so where
    // "Opened" would stand.
    const int unusable = unusableChannels(decodeProgramming(session.image()));
    if (2 * unusable > kGroups * kChannels)
        session.showStatus(QCoreApplication::translate("FileOpenSave", "This file does not look like an ORV programming "
                                                                       "(%1 of %2 channels hold values the radio cannot use)")
                               .arg(unusable)
                               .arg(kGroups * kChannels));
    else
        fileStatus(shell, QT_TRANSLATE_NOOP("FileOpenSave", "Opened %1"), path);
    if (session.GlobalsWindowOpen()) runGuarded(session.prompts(), shell.shellWidget(), [&] { session.readGlobals(); });
    shell.readCurrentGroup();
    setFileCaption(shell);
    shell.markSaved();
    return true;
}

void setFileCaption(EditorShell& shell) {
    FileState& f = shell.session().file();
    shell.setShellCaption(QCoreApplication::translate("FileOpenSave", "ORV File - %1   ORV Editor").arg(f.filePath));
    appSettings()->setValue(QStringLiteral("File/LastOpen"), f.filePath);
    addRecentFile(f.filePath);
    f.previousFilePath = f.filePath;
    f.currentFileName = f.filePath;
}

void fileErrorHandler(EditorShell& shell, const FileStatus& status) {
    FileState& f = shell.session().file();
    f.filePath = f.previousFilePath;
    QWidget* parent = shell.shellWidget();
    UserPrompts& prompts = shell.session().prompts();
    const QString description = QString::fromStdString(status.message);
    // A file of the wrong length is no system error: it has no number to show.
    const QString text = status.errorNumber != 0 ? QCoreApplication::translate("FileOpenSave", "Error Number %1!\r%2")
                                                       .arg(status.errorNumber)
                                                       .arg(description)
                                                 : description;
    prompts.message(parent, text, QCoreApplication::translate("FileOpenSave", "File Error"), MsgIcon::Exclamation,
                    MsgButtons::OK);
    if (status.kind == FileStatus::Kind::NotFound)
        prompts.message(parent, QCoreApplication::translate("FileOpenSave", "File Access Error!"), QString(),
                        MsgIcon::None, MsgButtons::OK);
}

}  // namespace orv::FileOpenSave

namespace orv {

bool EditorShell::hasUnsavedChanges() { return !(session().image() == session().cleanImage()); }
void EditorShell::markSaved() { session().markImageClean(); }
void EditorShell::markSavedAs(const MemoryImage& asOf) { session().markImageClean(asOf); }

}  // namespace orv
