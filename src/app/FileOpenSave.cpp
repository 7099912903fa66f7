#include "app/FileOpenSave.h"

#include <QFileDialog>
#include <QSettings>
#include <exception>
#include "app/EditorShell.h"
#include "app/QtHost.h"
#include "app/frmGlobals.h"

namespace orv::FileOpenSave {

namespace {

struct State {
    QString filePath;
    QString previousFilePath;
    FileChooser chooser;
};

State& state() {
    static State s;
    return s;
}

QString runDialog(QWidget* parent, bool forSaving, const QString& current) {
    QFileDialog dialog(parent);
    configureFileDialog(dialog, forSaving);
    if (!current.isEmpty()) dialog.selectFile(current);
    if (dialog.exec() != QDialog::Accepted) return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}


void reportCodecError(QWidget* parent, const QString& what) {
    state().filePath = state().previousFilePath;
    showMessage(parent, what, QStringLiteral("File Error"), MsgIcon::Exclamation, MsgButtons::OK);
}

}  // namespace

QString filePath() { return state().filePath; }
QString previousFilePath() { return state().previousFilePath; }

void reset() {
    state().filePath.clear();
    state().previousFilePath.clear();
}

void setFileChooser(FileChooser chooser) { state().chooser = std::move(chooser); }

void configureFileDialog(QFileDialog& dialog, bool forSaving) {
    // Each entry shows its caption; the pattern list the dialog applies is
    // the last parenthesised part, hidden from view. "All (*.*)" keeps its
    // caption but matches every file: on this platform "*.*" would hide files
    // whose names have no dot.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    dialog.setNameFilters({QStringLiteral("ORV (*.orv) (*.orv)"), QStringLiteral("Frequency (*.frq) (*.frq)"),
                           QStringLiteral("All (*.*) (*)")});
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
    State& s = state();
    s.previousFilePath = s.filePath;
    QWidget* parent = shell.shellWidget();
    QString chosen;
    try {
        chosen = s.chooser ? s.chooser(parent, forSaving, s.filePath)
                           : runDialog(parent, forSaving, s.filePath);
    } catch (const std::exception&) {
        return false;
    }
    if (chosen.isEmpty()) return false;   // cancelled: filePath keeps its value
    s.filePath = chosen;
    return true;
}

bool saveFile(EditorShell& shell) {
    const State& s = state();
    if (!s.filePath.isEmpty() && !s.previousFilePath.isEmpty()) return writeImageFile(shell);
    if (!showFileDialog(shell, true)) return false;
    return writeImageFile(shell);
}

bool saveFileAs(EditorShell& shell) {
    if (!showFileDialog(shell, true)) return false;
    return writeImageFile(shell);
}

bool saveFileAsForExit(EditorShell& shell) {
    if (!showFileDialog(shell, true)) return true;   // no file wanted after all
    return writeImageFile(shell);
}

bool openFile(EditorShell& shell) {
    if (!showFileDialog(shell, false)) return false;
    return readImageFile(shell);
}

bool writeImageFile(EditorShell& shell) {
    QWidget* parent = shell.shellWidget();
    // The group on screen into the image; a value that cannot be stored stops
    // the save, so the file never silently lacks the user's edits.
    if (!shell.storeCurrentGroup()) {
        reportCodecError(parent, QStringLiteral(
            "The group on screen holds a value that cannot be stored.\r"
            "The file was not saved."));
        return false;
    }
    if (GlobalsWindowOpen) {
        try {
            shell.GLOBALS().Write_Globals();
        } catch (const std::exception& e) {
            reportCodecError(parent, QString::fromStdString(e.what()) +
                                         QStringLiteral("\rThe file was not saved."));
            return false;
        }
    }
    const FileStatus status = saveImageFile(state().filePath.toStdString(), theImage());
    if (!status) {
        fileErrorHandler(parent, status);
        return false;
    }
    setFileCaption(shell);
    return true;
}

bool readImageFile(EditorShell& shell) {
    // loadImageFile leaves the image as it was on any failure.
    const FileStatus status = loadImageFile(state().filePath.toStdString(), theImage());
    if (!status) {
        fileErrorHandler(shell.shellWidget(), status);
        return false;
    }
    if (GlobalsWindowOpen) {
        try {
            shell.GLOBALS().Read_Globals();
        } catch (const std::exception& e) {
            showMessage(shell.shellWidget(), QString::fromStdString(e.what()), QString(),
                        MsgIcon::Exclamation, MsgButtons::OK);
        }
        frmGlobals::refreshControls();
    }
    shell.readCurrentGroup();
    setFileCaption(shell);
    return true;
}

void setFileCaption(EditorShell& shell) {
    State& s = state();
    shell.setShellCaption(QStringLiteral("ORV File - ") + s.filePath + QStringLiteral("   ORV Editor"));
    appSettings()->setValue(QStringLiteral("File/LastOpen"), s.filePath);
    s.previousFilePath = s.filePath;
    shell.setCurrentFileName(s.filePath);
}

void fileErrorHandler(QWidget* parent, const FileStatus& status) {
    State& s = state();
    s.filePath = s.previousFilePath;
    const QString description = QString::fromStdString(status.message);
    // A file of the wrong length is no system error: it has no number to show.
    const QString text = status.errorNumber != 0
        ? QStringLiteral("Error Number %1!\r%2").arg(status.errorNumber).arg(description)
        : description;
    showMessage(parent, text, QStringLiteral("File Error"), MsgIcon::Exclamation, MsgButtons::OK);
    if (status.kind == FileStatus::Kind::NotFound)
        showMessage(parent, QStringLiteral("File Access Error!"), QString(), MsgIcon::None,
                    MsgButtons::OK);
}

}  // namespace orv::FileOpenSave
