// The main window's menu bar and what each entry runs: every entry made with
// its caption, object name and shortcut, the File, Radio, Edit, Tune,
// Comm-Port and Help commands connected behind the command boundary
// (runGuarded), and the entries offered or not as the editor's state
// changes (a radio exchange, the alignment window, the clipboard, the port
// in use). The Edit menu's cell commands, the grid's double-click copy,
// File > Load and Move bind the clipboard, the working databases and the
// Move dialog to the editing rules.
#pragma once
#include <QCoreApplication>
#include <QObject>
#include <array>
#include <memory>
#include <vector>
#include "edit/ChannelList.h"
#include <string>
#include "edit/GroupEditor.h"
#include "platform/SerialPortList.h"

class QAction;
class QMenu;

namespace orv {

class ChannelPanel;
class WholeRadioCommands;
class EditorSession;
class GroupControls;
class GroupEditor;
class frmGroups;
class frmMove;

class MainMenus : public QObject {
    // The main window's texts are translated under the window's name.
    Q_DECLARE_TR_FUNCTIONS(orv::frmGroups)
public:
    // Fills the window's menu bar and connects every entry.
    MainMenus(frmGroups& window, GroupEditor& editor, GroupControls& controls, ChannelPanel& channels);
    ~MainMenus() override;

    // The port entry of `port` (1..4) checked, every port entry naming its
    // device.
    void showPortInUse(int port);
    // Paste offered or not: not after the window is activated again, and
    // when it gets the focus only while the clipboard holds what the rules
    // can paste.
    void offerPaste(bool offered);
    void offerPasteOfClipboard();
    // The commands of editing the whole radio (Undo and Redo, All Channels,
    // Find, the bulk edits).
    WholeRadioCommands& wholeRadio() { return *wholeRadio_; }

private:
    static QString moveStatus(MoveResult r, const QString& from, const QString& to);
    void buildMenus();
    void connectCommands();
    void connectEditCommands();
    // Each port entry names the device behind it.
    void showCommPortDevices();
    // "Recent Files", made again from the settings each time it opens.
    void fillRecentMenu();

    // "&New": the start-up defaults in place of the programming, with no file.
    bool mnuNew_Click();
    void mnuPrint_Click();
    void mnuPreview_Click();
    void mnuHelp_Click();
    void mnuAbout_Click();
    // Undo, Copy All, Copy a row and Paste through the system clipboard, and
    // the grid's double-click copy.
    void mnuUndo_Click();
    void mnuAll_Click();
    void mnuRow_Click();
    void mnuPaste_Click();
    void Grid_DblClick();
    void putOnClipboard(const std::string& text);
    // File > Load on the working databases.
    enum class ScreenLoad { Last, Default, Blank };
    void loadScreen(ScreenLoad which);
    void mnuLast_Click() { loadScreen(ScreenLoad::Last); }
    void mnuDefault_Click() { loadScreen(ScreenLoad::Default); }
    void mnuBlank_Click() { loadScreen(ScreenLoad::Blank); }
    void mnuMove_Click();
    // Beyond the original Edit menu: Redo, All Channels, Find, Find Next,
    // Set Field and Shift Frequencies; the undo entries name their steps.
    void connectWholeRadioCommands();
    void showUndoTexts();
    // The channels of the grid's selected rows (the current row when none is).
    std::vector<ChannelRef> gridSelection() const;
    void findNextFromGrid();

    frmGroups& window_;
    EditorSession& session_;
    GroupEditor& editor_;
    GroupControls& controls_;
    ChannelPanel& channels_;

    QAction* mnuSave_ = nullptr;
    QAction* mnuSaveAs_ = nullptr;
    QAction* mnuOpen_ = nullptr;
    QAction* mnuLast_ = nullptr;
    QAction* mnuDefault_ = nullptr;
    QAction* mnuBlank_ = nullptr;
    QAction* mnuPrint_ = nullptr;
    QAction* mnuSetup_ = nullptr;
    QAction* mnuPreview_ = nullptr;
    QAction* mnuExit_ = nullptr;
    QAction* mnuRead_ = nullptr;
    QAction* mnuReadGlobal_ = nullptr;
    QAction* mnuReadGroup_ = nullptr;
    QAction* mnuWriteAll_ = nullptr;
    QAction* mnuWriteGlobal_ = nullptr;
    QAction* mnuWriteGroup_ = nullptr;
    QAction* mnuReadCurrGroup_ = nullptr;
    QAction* mnuWriteCurrGroup_ = nullptr;
    QAction* mnuGlobals_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuAll_ = nullptr;
    QAction* mnuRow_ = nullptr;
    QAction* mnuPaste_ = nullptr;
    QAction* mnuMove_ = nullptr;
    QAction* mnuRedo_ = nullptr;
    QAction* mnuAllChannels_ = nullptr;
    QAction* mnuFind_ = nullptr;
    QAction* mnuFindNext_ = nullptr;
    QAction* mnuSetField_ = nullptr;
    QAction* mnuShiftFrequencies_ = nullptr;
    std::unique_ptr<WholeRadioCommands> wholeRadio_;
    QAction* mnuTuneRadio_ = nullptr;
    QMenu* mnuCommPortx_ = nullptr;
    std::array<QAction*, kPortSlots> mnuCommPort_{};
    QAction* mnuChooseDevice_ = nullptr;
    QAction* mnuCheckPort_ = nullptr;  // beyond the original menus: the port doctor
    QAction* mnuAbout_ = nullptr;
    QAction* mnuHelp_ = nullptr;
    // Beyond the original menus: "Verify Radio", "Open Backup...", "Save
    // Serial Trace...", File's "Compare with File...", "Export Channels...",
    // "Import Channels...", "&New" and "Recent Files".
    QAction* mnuVerify_ = nullptr;
    QAction* mnuRadioLog_ = nullptr;
    QAction* mnuProgramFleet_ = nullptr;
    QAction* mnuOpenBackup_ = nullptr;
    QAction* mnuSaveTrace_ = nullptr;
    QAction* mnuCompare_ = nullptr;
    QAction* mnuExportChannels_ = nullptr;
    QAction* mnuImportChannels_ = nullptr;
    QAction* mnuNew_ = nullptr;
    QMenu* mnuRecent_ = nullptr;

    int commPort_ = 1;
    frmMove* frmMove_ = nullptr;  // made on first use, hidden between moves
};

}  // namespace orv
