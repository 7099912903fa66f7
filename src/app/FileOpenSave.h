// The File menu's "&Save", "Sa&ve As" and "&Open": the image to and from a
// programming file (the 6019 image bytes, no header), with the screen brought
// into the image before a save and shown from it after an open. The file
// state (paths, the current file name) is the session's.
//
// Every command returns whether a file was written or read. A failed save
// never destroys the file it was to replace, and a file that is not exactly
// one image long is refused with the image left as it was.
#pragma once
#include <QString>
#include <QStringList>
#include "files/ImageFile.h"

class QFileDialog;
class QWidget;

namespace orv {

class EditorShell;
class UserPrompts;

namespace FileOpenSave {

// "&Save": writes to the current file without asking once a file has been
// opened or saved, otherwise asks for a name first.
bool saveFile(EditorShell& shell);
// "Sa&ve As": always asks for a name, and before replacing an existing file.
bool saveFileAs(EditorShell& shell);
// "Discard the unsaved changes?" (Yes/No) when there are any; true when the
// command may go on (nothing unsaved, or Yes).
bool confirmDiscard(EditorShell& shell);
// "&Open": asks to discard unsaved changes first.
bool openFile(EditorShell& shell);

// Opens `path` as "&Open" would once it was chosen (the unsaved-changes
// question first): the file named at start, a dropped file, a recent file.
bool openPath(EditorShell& shell, const QString& path);
// A "Recent Files" entry: a file that no longer exists is taken off the list
// with a message; any other opens as openPath.
bool openRecentFile(EditorShell& shell, const QString& path);

// The files last opened or saved, newest first, at most kMaxRecentFiles
// (settings "Files/Recent").
inline constexpr int kMaxRecentFiles = 8;
QStringList recentFiles();
void addRecentFile(const QString& path);
void removeRecentFile(const QString& path);

// "Save before exit?" answered Yes: "Sa&ve As", and whether closing may go on.
// A cancelled dialog lets the program close (the user chose not to save); a
// save that failed keeps it open, so the programming is not lost.
bool saveFileAsForExit(EditorShell& shell);

// Whether `chosen` is the programming's own file `own` (the one last opened
// or saved), by identity: a link or another spelling of it too
// (platform::sameFile). Then a box under `title` names both and the caller
// writes nothing: Save As, Export Channels, the report's PDF and the serial
// trace never replace the programming's file.
bool refuseOwnFile(UserPrompts& prompts, QWidget* parent, const QString& chosen, const QString& own,
                   const QString& title);

// Asks for a file name (for saving or for opening); true when one was chosen,
// which then is the current file path.
bool showFileDialog(EditorShell& shell, bool forSaving);

// The file dialog's filters ("ORV (*.orv)", "Frequency (*.frq)", "All (*.*)")
// and modes for saving or opening.
void configureFileDialog(QFileDialog& dialog, bool forSaving);

// The transfers on the current file path.
bool writeImageFile(EditorShell& shell);
bool readImageFile(EditorShell& shell);

// After a success: caption, settings "File/LastOpen", the recent files,
// currentFileName.
void setFileCaption(EditorShell& shell);
// Reports a failed transfer and restores the file path to the last good one.
void fileErrorHandler(EditorShell& shell, const FileStatus& status);

}  // namespace FileOpenSave
}  // namespace orv
