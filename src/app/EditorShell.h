// The seam between the main window and the commands that act on it from
// other files (radio commands, programming files, the global window): what
// those commands need of the main window, and the program-wide state.
#pragma once
#include <QString>
#include "image/MemoryImage.h"
#include "image/clsGlobals.h"

class QWidget;

namespace orv {

// The one memory image of the program (module data of the link module).
MemoryImage& theImage();

// True while the global parameters window is loaded (shown or hidden).
extern bool GlobalsWindowOpen;

class EditorShell {
public:
    virtual ~EditorShell() = default;

    // The main window itself (owner of dialogs; frmProc is placed relative to it).
    virtual QWidget* shellWidget() = 0;
    // The main window's public global codec `GLOBALS`.
    virtual clsGlobals& GLOBALS() = 0;
    // Write_Group of the group selected in cboCurrentGroup (nothing when none).
    // Returns false (after a beep) when a value on screen cannot be stored.
    virtual bool storeCurrentGroup() = 0;
    // Read_Group of the list index of cboCurrentGroup (0 when none), for that index.
    virtual void readCurrentGroup() = 0;
    // The hidden "Read Current Group" / "Write Current Group" commands.
    virtual void mnuReadCurrGroup_Click() = 0;
    virtual bool mnuWriteCurrGroup_Click() = 0;
    // Read_Group of (numeric value of cboCurrentGroup's text) - 1.
    virtual void displayGroupMemory() = 0;
    // The text shown in cboCurrentGroup.
    virtual QString currentGroupText() const = 0;
    // Main window caption and the file last opened or saved.
    virtual void setShellCaption(const QString& caption) = 0;
    virtual void setCurrentFileName(const QString& path) = 0;
    virtual QString currentFileName() const = 0;
};

}  // namespace orv
