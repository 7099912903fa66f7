// The seam between the main window and the commands that act on it from
// other files (radio commands, programming files): what those commands need
// of the main window besides the session.
#pragma once
#include <QString>

class QWidget;

namespace orv {

class EditorSession;
class MemoryImage;

class EditorShell {
public:
    virtual ~EditorShell() = default;

    virtual EditorSession& session() = 0;
    // The main window itself (owner of dialogs; frmProc is placed relative to it).
    virtual QWidget* shellWidget() = 0;
    // Write_Group of the group selected in cboCurrentGroup (nothing when none).
    // Returns false (after a beep) when a value on screen cannot be stored.
    [[nodiscard]] virtual bool storeCurrentGroup() = 0;
    // Read_Group of the list index of cboCurrentGroup (0 when none), for that index.
    virtual void readCurrentGroup() = 0;
    // The hidden "Read Current Group" / "Write Current Group" commands.
    virtual void mnuReadCurrGroup_Click() = 0;
    [[nodiscard]] virtual bool mnuWriteCurrGroup_Click() = 0;
    // Read_Group of (numeric value of cboCurrentGroup's text) - 1.
    virtual void displayGroupMemory() = 0;
    // The text shown in cboCurrentGroup.
    virtual QString currentGroupText() const = 0;
    // The main window's caption.
    virtual void setShellCaption(const QString& caption) = 0;
    // Whether the programming (the image and what the screen holds of it)
    // differs from the last file opened or saved, or radio read or written.
    virtual bool hasUnsavedChanges();
    // The image now matches a file or the radio: nothing is unsaved.
    virtual void markSaved();
    // The radio (or a file) now holds `asOf`, the image as a job took it:
    // what changed since is unsaved.
    virtual void markSavedAs(const MemoryImage& asOf);
};

}  // namespace orv
