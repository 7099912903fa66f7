// The main window: the group editor with its menu bar, the channel grid bound
// to the working table, and the group controls. It implements EditorShell so
// that the radio, file and global-window commands can act on it.
#pragma once
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <vector>
#include "app/EditorShell.h"
#include "image/Views.h"
#include "image/clsGlobals.h"
#include "image/clsGroup.h"

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
class LinesOverlay;
class RadioLink;
class WorkingFiles;

class frmGroups : public QMainWindow, public EditorShell {
    Q_OBJECT
public:
    explicit frmGroups(QWidget* parent = nullptr);
    ~frmGroups() override;

    // ---- EditorShell
    QWidget* shellWidget() override { return this; }
    clsGlobals& GLOBALS() override { return *GLOBALS_; }
    bool storeCurrentGroup() override;
    void readCurrentGroup() override;
    void mnuReadCurrGroup_Click() override;
    bool mnuWriteCurrGroup_Click() override;
    void displayGroupMemory() override;
    QString currentGroupText() const override;
    void setShellCaption(const QString& caption) override;
    void setCurrentFileName(const QString& path) override { currentFileName_ = path; }
    QString currentFileName() const override { return currentFileName_; }

    // ---- Menu bar (connected by the files that hold the commands)
    QMenu* mnuFile = nullptr;
    QAction* mnuSave = nullptr;
    QAction* mnuSaveAs = nullptr;
    QAction* mnuSep1 = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuSep4 = nullptr;
    QMenu* mnuLoad = nullptr;
    QAction* mnuLast = nullptr;
    QAction* mnuDefault = nullptr;
    QAction* mnuBlank = nullptr;
    QMenu* mnuP = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuSetup = nullptr;
    QAction* mnuSep2 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuRadio = nullptr;
    QAction* mnuRead = nullptr;
    QAction* mnuReadGlobal = nullptr;
    QAction* mnuReadGroup = nullptr;
    QAction* mnuWriteAll = nullptr;
    QAction* mnuWriteGlobal = nullptr;
    QAction* mnuWriteGroup = nullptr;
    QAction* mnuSep3 = nullptr;           // not offered to the user
    QAction* mnuReadCurrGroup = nullptr;  // not offered to the user
    QAction* mnuWriteCurrGroup = nullptr; // not offered to the user
    QMenu* mnuEdit = nullptr;
    QAction* mnuGlobals = nullptr;
    QAction* mnuUndo = nullptr;
    QMenu* mnuCopy = nullptr;
    QAction* mnuAll = nullptr;
    QAction* mnuRow = nullptr;
    QAction* mnuPaste = nullptr;
    QAction* mnuMove = nullptr;
    QAction* mnuTuneRadio = nullptr;      // "Tune", a command on the menu bar
    QMenu* mnuCommPortx = nullptr;
    // "Use Comm Port 1" .. "Use Comm Port 4": mnuCommPort[n - 1] is port n.
    std::array<QAction*, 4> mnuCommPort{};
    QAction* commPortAction(int port) const { return port >= 1 && port <= 4 ? mnuCommPort[size_t(port - 1)] : nullptr; }
    QMenu* mnuH = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuHelp = nullptr;

    // ---- Controls
    QLabel* lblCurrentGroup = nullptr;
    QComboBox* cboCurrentGroup = nullptr;
    QLineEdit* txtGrpLab = nullptr;
    QLineEdit* txtPassWord = nullptr;
    QLineEdit* txtID = nullptr;
    QComboBox* cboTOT = nullptr;
    QComboBox* cboScan = nullptr;
    QCheckBox* chkGroupScanList = nullptr;
    QGroupBox* fraDisplyControl = nullptr;
    QComboBox* cboDisplay = nullptr;
    QComboBox* cboDuration = nullptr;
    QComboBox* cboBackLight = nullptr;
    QGroupBox* fraBCI = nullptr;
    QComboBox* cboBCI = nullptr;
    QGroupBox* fraANI = nullptr;
    QComboBox* cboANI = nullptr;
    QGroupBox* fraDualPri = nullptr;
    QComboBox* cboPri1Chan = nullptr;
    QComboBox* cboPri2Chan = nullptr;
    QCheckBox* chkPriTX = nullptr;
    QGroupBox* fraBattSave = nullptr;
    QRadioButton* optBattSaveOff = nullptr;
    QRadioButton* optBattSaveOn = nullptr;
    QGroupBox* fraUCG = nullptr;
    QRadioButton* optUCGDisabled = nullptr;
    QRadioButton* optUCGEnabled = nullptr;
    QComboBox* cboUCGChan = nullptr;
    QCheckBox* chkUCGEncode = nullptr;
    QGroupBox* fraLockout = nullptr;
    QCheckBox* chkENTCLRLock = nullptr;
    QCheckBox* chkPriKeyLock = nullptr;
    QGroupBox* frmOffset = nullptr;
    QLineEdit* txtOffset = nullptr;
    QLabel* lblScan = nullptr;
    QLabel* lblNarr = nullptr;
    QLabel* lblLoPower = nullptr;
    std::array<QCheckBox*, kChannels> chkScan{};
    std::array<QCheckBox*, kChannels> chkNarr{};
    std::array<QCheckBox*, kChannels> chkLoPower{};
    ChannelGrid* Grid = nullptr;
    QSqlTableModel* dataORVInfo = nullptr;  // null when the working file cannot be opened

    // ---- Window state
    int intCurrentGroup = 0;
    std::vector<std::unique_ptr<clsGroup>> groupList;
    bool isFirstActivation = true;
    int savedFormWidth = 9180, savedFormHeight = 6570, savedGridWidth = 5715, savedGridHeight = 4560;
    int savedWindowState = 0;
    int lastGoodGroupText = 0;
    int editColumn = 0;
    double editOldValue = 0;
    int commPort = 1;
    // Copy-and-paste and undo state (the commands that use it come with the
    // editing commands; the window resets it on activation).
    bool pasteRowMode = false;
    bool pasteAllMode = false;
    long copiedLength = -1;
    QString lastOffsetText;
    bool undoArmed = false;
    int undoColumn = -1;
    int undoRow = 0;
    QString undoText;

    // The controls' values as the codecs see them.
    GroupView view;
    // The global window's selections, on which GLOBALS works.
    GlobalsView& globalsView();

    // The serial link of the window (port, progress dialog, transfers).
    RadioLink& radioLink() { return *link_; }

    // Hooks that tests may set (all optional).
    std::function<bool()> saveAsForExitHook;   // replaces "Sa&ve As" at exit; false keeps the window
    std::function<void(int row)> offsetEntryHook;
    std::function<void()> groupSwitchedHook;   // after a group switch (undo record invalid)

    // ---- Events and routines
    void Form_Activate();
    void Form_GotFocus();
    void cboCurrentGroup_Click();
    void layoutWindow();
    bool validateFrequency(double value, int column);
    void helpScreen(int context);
    void mnuHelp_Click();
    void mnuAbout_Click();

    // Widgets <-> view around every Read_Group / Write_Group.
    void fillViewFromWidgets();
    void applyViewToWidgets();

    // The grid: shown text of a cell, and storing a value into a cell.
    QString cellText(int row, int col) const;
    void setCell(int row, int col, const QVariant& value);
    int gridRow() const;
    void setGridCurrent(int row, int col);
    // The folder of the working files in use.
    QString dataDirectory() const { return dataDir_; }
    // Re-reads the working table (after a database command changed it).
    void refreshData();

    // Twips geometry of a control in the current layout.
    QRect twipsGeometry(QWidget* w) const;
    std::array<int, kGridColumns> gridColumnTwips() const { return colTwips_; }
    int gridRowHeightTwips() const { return rowTwips_; }

    // Overridable pieces (tests replace the questions and dialogs).
    virtual QMessageBox::StandardButton askSaveBeforeExit();
    virtual bool saveFileAsForExit();
    virtual void closeCommPort();
    virtual void openOffsetEntry(int row);

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    void buildMenus();
    void connectCommands();
    void showCommPortDevices();
    void buildControls();
    void bindGrid();
    void place(QWidget* w, int x, int y, int width, int height);
    void applyGeometry(QWidget* w);
    void defaultLayout();
    void placeCheckRows(bool alignToRows);
    void applyGridGeometry();
    // Code that sets many cells at once stores them together: row-by-row
    // storing would re-read the table after the first row.
    void beginBulkEdit();
    void endBulkEdit();
    bool writeGroupSafely(int g);
    void readGroup(int g);
    void gridKeyUp(int key);
    void gridKeyDown(int key);
    bool gridBeforeColEdit(const QModelIndex& index);
    void gridAfterColEdit(const QModelIndex& index, const QString& text);
    void copyReceiveToTransmit(int col, bool allRows);
    void groupComboKeyDown();
    void groupComboKeyUp();
    void onFocusWindowChanged(QWindow* w);

    std::unique_ptr<WorkingFiles> workingFiles_;
    std::unique_ptr<RadioLink> link_;
    std::unique_ptr<clsGlobals> GLOBALS_;
    QString currentFileName_;
    QString dataDir_;
    QString connName_;
    LinesOverlay* lines_ = nullptr;
    std::map<QWidget*, QRect> twips_;  // geometry in twips of every placed control
    std::array<int, kGridColumns> colTwips_{690, 1110, 750, 1110, 750, 990};
    int rowTwips_ = 250;
    QString editOldText_;
    QString prevFocusClass_;
    bool inLayout_ = false;
};

}  // namespace orv
