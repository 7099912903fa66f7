#include "app/BackupCommands.h"

#include <QDir>
#include <QWidget>
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/FileOpenSave.h"

namespace orv {

QString backupFolderPath() { return QString::fromStdString(backupFolder()); }

void keepBackupOf(EditorShell& shell, const MemoryImage& image, BackupKind kind) {
    reportBackup(shell, keepBackup(image, kind, backupFolder()));
}

void reportBackup(EditorShell& shell, const BackupResult& r) {
    if (r) return;
    shell.session().prompts().message(
        shell.shellWidget(),
        QStringLiteral("No backup could be kept of this radio's programming:\r%1").arg(QString::fromStdString(r.status.message)),
        QStringLiteral("Backup"), MsgIcon::Exclamation, MsgButtons::OK);
}

bool mnuOpenBackup_Click(EditorShell& shell) {
    EditorSession& session = shell.session();
    const QString folder = backupFolderPath();
    // The dialog can only start in a folder that exists.
    if (!folder.isEmpty()) QDir().mkpath(folder);
    FileDialogSetup setup;
    setup.startFolder = folder;
    const QString chosen = session.prompts().chooseFile(shell.shellWidget(), false, QString(), setup);
    if (chosen.isEmpty()) return false;
    FileState& f = session.file();
    const QString keptPath = f.filePath;
    const QString keptPrevious = f.previousFilePath;
    f.previousFilePath = f.filePath;
    f.filePath = chosen;
    if (!FileOpenSave::readImageFile(shell)) {   // told in a box; the file state as it was
        f.filePath = keptPath;
        f.previousFilePath = keptPrevious;
        return false;
    }
    // The backup is shown, but "&Save" must not write over it: with no
    // current path it asks for a name.
    f.filePath.clear();
    f.previousFilePath.clear();
    return true;
}

}  // namespace orv
