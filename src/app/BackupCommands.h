// The editor's side of the backups (files/Backups.h): every successful read
// from the radio and the image about to be written before every write are
// kept in the backup folder, and "File > Open Backup..." opens that folder
// in the open dialog.
#pragma once
#include <QString>
#include "files/Backups.h"
#include "image/MemoryImage.h"

namespace orv {

class EditorShell;

// The backup folder (files/Backups.h: $ORVEDIT_DATA_DIR/backups, else the
// per-user data folder's ORVEDIT/ORVEDIT/backups).
QString backupFolderPath();

// Keeps `image` as a backup. One that cannot be kept is told in a box and
// the command goes on (the backup is a safety net, not the operation).
// Returns where it was kept. `fingerprint` names the radio read, when known.
BackupResult keepBackupOf(EditorShell& shell, const MemoryImage& image, BackupKind kind,
                          const std::string& fingerprint = {});
// Tells in that box that a backup kept elsewhere (`r`) failed; nothing when
// it was kept.
void reportBackup(EditorShell& shell, const BackupResult& r);

// An exit that goes on without a save (the save dialog was cancelled) keeps
// the programming on screen as an "exit" backup first, and remembers its path
// for the next start. False when it could not be kept: told in a box, and the
// program must stay open so that nothing is lost.
bool keepExitBackup(EditorShell& shell);
// At start: tells once where the programming of an exit without a save was
// kept, then forgets it. Nothing when there is none.
void tellExitBackup(EditorShell& shell);

// "File > Open Backup...": the open dialog starts in the backup folder
// (created when missing); the chosen file is opened as "&Open" opens a file.
// The caption names the backup, but the next "&Save" asks for a name, so a
// backup is never replaced by accident. True when a file was opened.
bool mnuOpenBackup_Click(EditorShell& shell);

// Opens the backup `path` as Open Backup does (unsaved work is asked about
// first; "Save" then asks for a name).
bool openBackupFile(EditorShell& shell, const QString& path);

// "Radio > Radio Log...": the radio log, and the backup of an entry opened.
void mnuRadioLog_Click(EditorShell& shell);

}  // namespace orv
