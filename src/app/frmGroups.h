// The main window: the group editor. It shows one group of the session's
// image at a time and composes its parts: the menu bar and its commands
// (MainMenus), the group's own controls (GroupControls) and the channel grid
// with its check boxes and the offset entry (ChannelPanel), all laid out in
// twips in one central area. The rules of editing the group are the
// GroupEditor's; the window is the GroupScreen they read and set, and it
// handles the window's own events: activation, closing, dropped files,
// resizing and a new desktop font.
#pragma once
#include <QMainWindow>
#include <QMessageBox>
#include <memory>
#include "app/EditorShell.h"
#include "app/TwipsPlaces.h"
#include "edit/GroupEditor.h"

class QWindow;

namespace orv {

class ChannelPanel;
class EditorSession;
class GroupControls;
class MainMenus;

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

    // A file to open once the window is up (the program's FILE argument).
    void setStartFile(const QString& path) { startFile_ = path; }

    // ---- Window state
    int intCurrentGroup() const { return editor_.currentGroup(); }
    bool isFirstActivation() const { return isFirstActivation_; }
    GroupEditor& editor() { return editor_; }
    // The grid with its working table, its check boxes and the offset entry.
    ChannelPanel& channels() { return *channels_; }
    // A control's place in twips in the current layout.
    QRect twipsGeometry(const QWidget* w) const { return places_.of(w); }

    // ---- Events and routines
    void Form_Activate();
    // The one-line help of a context (1: the offset entry).
    void helpScreen(int context);

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

private:
    // ---- GroupScreen: what the editing rules see of the window (the
    // channel table is the ChannelPanel's)
    std::string cellText(int row, int col) const override;
    void setCellText(int row, int col, const std::string& text) override;
    void setCellNumber(int row, int col, double value) override;
    int checkValue(ChannelCheck box, int row) const override;
    void setCheckValue(ChannelCheck box, int row, int value) override;
    int currentRow() const override;
    int currentColumn() const override;
    void setCurrent(int row, int col) override;
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

    void Form_GotFocus();
    void cboCurrentGroup_Click();
    void onFocusWindowChanged(QWindow* w);
    // The parts' layout for the window's size: the default one, or that of a
    // wider and taller window; then the sizes kept for the next resize.
    void defaultLayout();
    void layoutWindow();
    void relayoutAfterResize();

    EditorSession& session_;
    GroupEditor editor_;
    TwipsPlaces places_;  // every control's place in twips
    std::unique_ptr<GroupControls> controls_;
    std::unique_ptr<ChannelPanel> channels_;
    std::unique_ptr<MainMenus> menus_;
    QString startFile_;

    bool isFirstActivation_ = true;
    // The window's default size (twips): the layout's base and what the
    // first resize remembers.
    static constexpr int kFormWidth = 9180;
    static constexpr int kFormHeight = 6570;
    int savedFormWidth_ = kFormWidth;
    QString prevFocusClass_;
    bool inLayout_ = false;
};

}  // namespace orv
