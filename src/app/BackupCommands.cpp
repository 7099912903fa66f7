#include "app/BackupCommands.h"

#include <ctime>

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QWidget>
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/FileOpenSave.h"
#include "app/QtHost.h"
#include "app/frmRadioLog.h"
#include "platform/Folders.h"

namespace orv {

QString backupFolderPath() { return QString::fromStdString(backupFolder()); }

BackupResult keepBackupOf(EditorShell& shell, const MemoryImage& image, BackupKind kind, const std::string& fingerprint) {
    BackupResult r = keepBackup(image, kind, backupFolder(), std::time(nullptr), kBackupsKept, fingerprint);
    reportBackup(shell, r);
    return r;
}

void reportBackup(EditorShell& shell, const BackupResult& r) {
    if (r) return;
    shell.session().prompts().message(
        shell.shellWidget(),
        QCoreApplication::translate("BackupCommands", "No backup could be kept of this radio's programming:\r%1")
            .arg(QString::fromStdString(r.status.message)),
        QCoreApplication::translate("BackupCommands", "Backup"), MsgIcon::Exclamation, MsgButtons::OK);
}

namespace {
constexpr char kExitBackupKey[] = "Backup/UnsavedAtExit";
}  // namespace

bool keepExitBackup(EditorShell& shell) {
    // What can be stored of the group on screen goes in; a value the image
    // cannot hold leaves that group as it was last stored.
    (void)shell.storeCurrentGroup();
    const BackupResult r = keepBackup(shell.session().image(), BackupKind::Exit, backupFolder());
    if (!r) {
        shell.session().prompts().message(
            shell.shellWidget(),
            QCoreApplication::translate(
                "BackupCommands", "The unsaved programming could not be kept as a backup:\r%1\rORVEDIT stays open.")
                .arg(QString::fromStdString(r.status.message)),
            QCoreApplication::translate("BackupCommands", "Backup"), MsgIcon::Exclamation, MsgButtons::OK);
        return false;
    }
    appSettings()->setValue(QLatin1String(kExitBackupKey), QString::fromStdString(r.path));
    return true;
}

void tellExitBackup(EditorShell& shell) {
    const auto settings = appSettings();
    const QString path = settings->value(QLatin1String(kExitBackupKey)).toString();
    if (path.isEmpty()) return;
    settings->remove(QLatin1String(kExitBackupKey));
    shell.session().prompts().message(
        shell.shellWidget(),
        QCoreApplication::translate(
            "BackupCommands",
            "The programming that was not saved when ORVEDIT last closed was kept as a backup:\r%1\r"
            "File > Open Backup... opens it.")
            .arg(path),
        QCoreApplication::translate("BackupCommands", "Backup"), MsgIcon::Information, MsgButtons::OK);
}

bool mnuOpenBackup_Click(EditorShell& shell) {
    EditorSession& session = shell.session();
    const QString folder = backupFolderPath();
    // The dialog can only start in a folder that exists.
    if (!folder.isEmpty()) QDir().mkpath(folder);
    FileDialogSetup setup;
    setup.startFolder = folder;
    setup.userFolder = false;   // later dialogs start where the user's own files are
    const QString chosen = session.prompts().chooseFile(shell.shellWidget(), false, QString(), setup);
    if (chosen.isEmpty()) return false;
    return openBackupFile(shell, chosen);
}

bool openBackupFile(EditorShell& shell, const QString& chosen) {
    EditorSession& session = shell.session();
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

void mnuRadioLog_Click(EditorShell& shell) {
    const std::string folder = platform::dataFolder();
    RadioLogContents log = folder.empty() ? RadioLogContents{} : readRadioLog(folder);
    if (folder.empty()) {
        log.status.kind = FileStatus::Kind::NotFound;
        log.status.message = platform::dataFolderMissing();
    }
    frmRadioLog window(log, [&shell](const QString& path) { return openBackupFile(shell, path); }, shell.shellWidget());
    window.exec();
}

}  // namespace orv
