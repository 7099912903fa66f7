// The main window: the group editor with its menu bar, the channel grid bound
// to the working table, and the group controls. It shows one group of the
// session's image at a time; the rules of editing it are the GroupEditor's,
// and the window feeds them its events (it is the editor's GroupScreen).
#pragma once
#include <QMainWindow>
#include <QMessageBox>
#include <array>
#include <map>
#include "app/EditorShell.h"
#include "edit/GroupEditor.h"
#include "image/Views.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QRadioButton;
class QSqlTableModel;
class QWindow;

namespace orv {

class ChannelGrid;
class EditorSession;
class LinesOverlay;
class frmMove;

class frmGroups : public QMainWindow, public EditorShell, private GroupScreen {
    Q_OBJECT
public:
    explicit frmGroups(EditorSession& session, QWidget* parent = nullptr);
    ~frmGroups() override;

    // ---- EditorShell
    EditorSession& session() override { return session_; }
    QWidget* shellWidget() override { return this; }
    [[nodiscard]] bool storeCurrentGroup() override;
    void readCurrentGroup() override;
    void mnuReadCurrGroup_Click() override;
    [[nodiscard]] bool mnuWriteCurrGroup_Click() override;
    void displayGroupMemory() override;
    QString currentGroupText() const override;
    // The caption with Qt's modified placeholder, shown while there are
    // unsaved changes.
    void setShellCaption(const QString& caption) override { setWindowTitle(caption + QStringLiteral("[*]")); }
    bool hasUnsavedChanges() override;
    void markSaved() override;
    void markSavedAs(const MemoryImage& asOf) override;
    // Shows in the title whether there are unsaved changes now.
    void refreshModified();

    // ---- Menu bar entries
    QAction* mnuSave() const { return mnuSave_; }
    QAction* mnuSaveAs() const { return mnuSaveAs_; }
    QAction* mnuOpen() const { return mnuOpen_; }
    QAction* mnuLast() const { return mnuLast_; }
    QAction* mnuDefault() const { return mnuDefault_; }
    QAction* mnuBlank() const { return mnuBlank_; }
    QAction* mnuPrint() const { return mnuPrint_; }
    QAction* mnuSetup() const { return mnuSetup_; }
    QAction* mnuPreview() const { return mnuPreview_; }
    QAction* mnuExit() const { return mnuExit_; }
    QAction* mnuRead() const { return mnuRead_; }
    QAction* mnuReadGlobal() const { return mnuReadGlobal_; }
    QAction* mnuReadGroup() const { return mnuReadGroup_; }
    QAction* mnuWriteAll() const { return mnuWriteAll_; }
    QAction* mnuWriteGlobal() const { return mnuWriteGlobal_; }
    QAction* mnuWriteGroup() const { return mnuWriteGroup_; }
    QAction* mnuSep3() const { return mnuSep3_; }
    QAction* mnuReadCurrGroup() const { return mnuReadCurrGroup_; }
    QAction* mnuWriteCurrGroup() const { return mnuWriteCurrGroup_; }
    QAction* mnuGlobals() const { return mnuGlobals_; }
    QAction* mnuUndo() const { return mnuUndo_; }
    QAction* mnuAll() const { return mnuAll_; }
    QAction* mnuRow() const { return mnuRow_; }
    QAction* mnuPaste() const { return mnuPaste_; }
    QAction* mnuMove() const { return mnuMove_; }
    QAction* mnuTuneRadio() const { return mnuTuneRadio_; }
    // "Use Comm Port n", n = 1..4 (null for other n).
    QAction* mnuCommPort(int n) const { return n >= 1 && n <= 4 ? mnuCommPort_[size_t(n - 1)] : nullptr; }
    QAction* mnuChooseDevice() const { return mnuChooseDevice_; }
    QAction* mnuAbout() const { return mnuAbout_; }
    QAction* mnuHelp() const { return mnuHelp_; }
    // Beyond the original menus: "Verify Radio", "Open Backup...", "Save Serial Trace...".
    QAction* mnuVerify() const { return mnuVerify_; }
    QAction* mnuOpenBackup() const { return mnuOpenBackup_; }
    QAction* mnuSaveTrace() const { return mnuSaveTrace_; }
    // Not in the original menu: File's "Compare with File...", "Export
    // Channels..." and "Import Channels...".
    QAction* mnuCompare() const { return mnuCompare_; }
    QAction* mnuExportChannels() const { return mnuExportChannels_; }
    QAction* mnuImportChannels() const { return mnuImportChannels_; }
    // File's "&New" (the start-up defaults) and "Recent Files" (rebuilt from
    // the settings each time it opens).
    QAction* mnuNew() const { return mnuNew_; }
    QMenu* mnuRecent() const { return mnuRecent_; }
    void fillRecentMenu();
    // "&New": the start-up defaults in place of the programming, with no file.
    bool mnuNew_Click();
    // A file to open once the window is up (the program's FILE argument).
    void setStartFile(const QString& path) { startFile_ = path; }

    // ---- Controls
    QComboBox* cboCurrentGroup() const { return cboCurrentGroup_; }
    QLineEdit* txtGrpLab() const { return txtGrpLab_; }
    QLineEdit* txtPassWord() const { return txtPassWord_; }
    QLineEdit* txtID() const { return txtID_; }
    QComboBox* cboTOT() const { return cboTOT_; }
    QComboBox* cboScan() const { return cboScan_; }
    QGroupBox* fraDisplyControl() const { return fraDisplyControl_; }
    QGroupBox* fraDualPri() const { return fraDualPri_; }
    QGroupBox* fraBattSave() const { return fraBattSave_; }
    QGroupBox* fraUCG() const { return fraUCG_; }
    QGroupBox* fraLockout() const { return fraLockout_; }
    QGroupBox* fraBCI() const { return fraBCI_; }
    QGroupBox* fraANI() const { return fraANI_; }
    QGroupBox* frmOffset() const { return frmOffset_; }
    QLineEdit* txtOffset() const { return txtOffset_; }
    QLabel* lblNarr() const { return lblNarr_; }
    QCheckBox* chkScan(int c) const { return chkScan_.at(size_t(c)); }
    QCheckBox* chkNarr(int c) const { return chkNarr_.at(size_t(c)); }
    QCheckBox* chkLoPower(int c) const { return chkLoPower_.at(size_t(c)); }
    ChannelGrid* Grid() const { return Grid_; }
    QSqlTableModel* dataORVInfo() const { return dataORVInfo_; }  // null when the working file cannot be opened

    // ---- Window state
    int intCurrentGroup() const { return editor_.currentGroup(); }
    bool isFirstActivation() const { return isFirstActivation_; }
    int commPort() const { return commPort_; }
    GroupEditor& editor() { return editor_; }

    // ---- Events and routines
    void Form_Activate();
    void Form_GotFocus();
    void cboCurrentGroup_Click();
    void layoutWindow();
    void helpScreen(int context);
    void mnuHelp_Click();
    void mnuAbout_Click();
    void mnuPrint_Click();
    void mnuPreview_Click();
    bool offsetEnterDown_ = false;   // an Enter went down in the offset box

    // The Edit menu's cell commands, the grid's double-click copy, File >
    // Load and Move (frmGroupsEditCommands.cpp).
    void mnuUndo_Click();
    void mnuAll_Click();
    void mnuRow_Click();
    void mnuPaste_Click();
    void Grid_DblClick();
    void mnuLast_Click();
    void mnuDefault_Click();
    void mnuBlank_Click();
    void mnuMove_Click();
    // The Move dialog, once made (null before the first Move).
    frmMove* moveDialog() const { return frmMove_; }

    // The grid: shown text of a cell, and storing a value into a cell.
    QString shownText(int row, int col) const;
    void setCell(int row, int col, const QVariant& value);
    void setGridCurrent(int row, int col);
    // The folder of the working files in use.
    QString dataDirectory() const { return dataDir_; }
    // Re-reads the working table (after a database command changed it).
    void refreshData();

    // Twips geometry of a control in the current layout.
    QRect twipsGeometry(QWidget* w) const;
    std::array<int, kGridColumns> gridColumnTwips() const { return colTwips_; }
    int gridRowHeightTwips() const { return rowTwips_; }

    // The closing questions (tests replace them).
    virtual QMessageBox::StandardButton askSaveBeforeExit();
    virtual bool saveFileAsForExit();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // A new desktop font: the window takes the default layout at the new scale.
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    // ---- GroupScreen: what the editing rules see of the window
    std::string cellText(int row, int col) const override;
    void setCellText(int row, int col, const std::string& text) override;
    void setCellNumber(int row, int col, double value) override;
    int checkValue(ChannelCheck box, int row) const override;
    void setCheckValue(ChannelCheck box, int row, int value) override;
    int currentRow() const override;
    int currentColumn() const override;
    void setCurrent(int row, int col) override { setGridCurrent(row, col); }
    bool isEditing() const override;
    void setEditorText(const std::string& text) override;
    void finishEdit() override;
    void cancelEdit() override;
    void beginBulkEdit() override;
    void endBulkEdit() override;
    void controlsToView(GroupView& view) override;
    void viewToControls(const GroupView& view) override;
    void beep() override;
    void refused(const std::string& why) override;
    void showOffsetEntry(int row, const std::string& text) override;
    void hideOffsetEntry() override;
    void showHelp(int context) override { helpScreen(context); }

    // ---- building (frmGroupsLayout.cpp, frmGroupsCommands.cpp)
    void buildMenus();
    void connectCommands();
    void connectEditCommands();
    void putOnClipboard(const std::string& text);
    enum class ScreenLoad { Last, Default, Blank };
    void loadScreen(ScreenLoad which);
    void showCommPortDevices();
    void buildControls();
    void bindGrid();
    void place(QWidget* w, int x, int y, int width, int height);
    void applyGeometry(QWidget* w);
    void defaultLayout();
    // Each row of check boxes level with its grid row (at its twips place
    // while the grid has no such row).
    void placeCheckRows();
    void applyGridGeometry();
    void relayoutAfterResize();
    void onFocusWindowChanged(QWindow* w);
    std::array<QCheckBox*, kChannels>& checkArray(ChannelCheck box);
    const std::array<QCheckBox*, kChannels>& checkArray(ChannelCheck box) const;

    EditorSession& session_;
    GroupEditor editor_;

    QAction* mnuSave_ = nullptr;
    QAction* mnuSaveAs_ = nullptr;
    QAction* mnuOpen_ = nullptr;
    QMenu* mnuLoad_ = nullptr;
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
    QAction* mnuSep3_ = nullptr;
    QAction* mnuReadCurrGroup_ = nullptr;
    QAction* mnuWriteCurrGroup_ = nullptr;
    QAction* mnuGlobals_ = nullptr;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuAll_ = nullptr;
    QAction* mnuRow_ = nullptr;
    QAction* mnuPaste_ = nullptr;
    QAction* mnuMove_ = nullptr;
    QAction* mnuTuneRadio_ = nullptr;
    QMenu* mnuCommPortx_ = nullptr;
    std::array<QAction*, 4> mnuCommPort_{};
    QAction* mnuChooseDevice_ = nullptr;
    QAction* mnuAbout_ = nullptr;
    QAction* mnuHelp_ = nullptr;
    QAction* mnuVerify_ = nullptr;
    QAction* mnuOpenBackup_ = nullptr;
    QAction* mnuSaveTrace_ = nullptr;
    QAction* mnuCompare_ = nullptr;
    QAction* mnuExportChannels_ = nullptr;
    QAction* mnuImportChannels_ = nullptr;
    QAction* mnuNew_ = nullptr;
    QMenu* mnuRecent_ = nullptr;
    QString startFile_;

    QComboBox* cboCurrentGroup_ = nullptr;
    QLineEdit* txtGrpLab_ = nullptr;
    QLineEdit* txtPassWord_ = nullptr;
    QLineEdit* txtID_ = nullptr;
    QComboBox* cboTOT_ = nullptr;
    QComboBox* cboScan_ = nullptr;
    QCheckBox* chkGroupScanList_ = nullptr;
    QGroupBox* fraDisplyControl_ = nullptr;
    QGroupBox* fraBCI_ = nullptr;
    QGroupBox* fraANI_ = nullptr;
    QGroupBox* fraDualPri_ = nullptr;
    QGroupBox* fraBattSave_ = nullptr;
    QGroupBox* fraUCG_ = nullptr;
    QGroupBox* fraLockout_ = nullptr;
    QGroupBox* frmOffset_ = nullptr;
    QLineEdit* txtOffset_ = nullptr;
    QLabel* lblScan_ = nullptr;
    QLabel* lblNarr_ = nullptr;
    QLabel* lblLoPower_ = nullptr;
    std::array<QCheckBox*, kChannels> chkScan_{};
    std::array<QCheckBox*, kChannels> chkNarr_{};
    std::array<QCheckBox*, kChannels> chkLoPower_{};
    ChannelGrid* Grid_ = nullptr;
    QSqlTableModel* dataORVInfo_ = nullptr;
    frmMove* frmMove_ = nullptr;  // made on first use, hidden between moves

    bool isFirstActivation_ = true;
    // The window's and the grid's default sizes (twips): the layout's base
    // and what the first resize remembers.
    static constexpr int kFormWidth = 9180;
    static constexpr int kFormHeight = 6570;
    static constexpr int kGridWidth = 5715;
    static constexpr int kGridHeight = 4560;
    int savedFormWidth_ = kFormWidth, savedFormHeight_ = kFormHeight;
    int savedGridWidth_ = kGridWidth, savedGridHeight_ = kGridHeight;
    int savedWindowState_ = 0;
    int commPort_ = 1;
    // The grid's column texts as the group controls' view holds them when
    // the working file cannot be opened.
    ChannelGridView cellsWithoutTable_;

    QString dataDir_;
    QString connName_;
    LinesOverlay* lines_ = nullptr;
    std::map<QWidget*, QRect> twips_;  // geometry in twips of every placed control
    std::array<int, kGridColumns> colTwips_{690, 1110, 750, 1110, 750, 990};
    int rowTwips_ = 250;
    QString prevFocusClass_;
    bool inLayout_ = false;
};

}  // namespace orv
