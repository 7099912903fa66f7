// The All Channels window: the 240 channels of the image in one table
// (group, channel, the six grid columns, the three flags, the group's
// label), sorted by a click on a column's header, filtered by the text or
// the frequency range typed into its filter box, or its duplicates alone.
// A cell is edited with the grid's rules (edit/BulkEdit.h, a plan of one
// channel): an accepted value goes into the image at once, as a step of
// the undo history, and the main window's group follows; a refused one
// beeps and the reason shows in the status bar. A double click shows the
// channel in the main window. Its Edit menu offers Undo, Redo, Find, Find
// Next and the bulk edits of the selected rows. The rules are the core's;
// the window copies rows and calls them.
#pragma once
#include <QMainWindow>
#include <vector>
#include "edit/ChannelList.h"

class QAction;
class QCheckBox;
class QLineEdit;
class QTableView;

namespace orv {

class ChannelListModel;
class ChannelListFilter;
class EditorSession;
class WholeRadioCommands;

class frmAllChannels : public QMainWindow {
    Q_OBJECT
public:
    frmAllChannels(EditorSession& session, WholeRadioCommands& commands, QWidget* parent);
    ~frmAllChannels() override;

    // The channels of the selected rows, in the table's order (the current
    // row when none is selected).
    std::vector<ChannelRef> selectedChannels() const;
    // The channel of the current row (group 1, channel 1 when there is none).
    ChannelRef currentChannel() const;
    // Makes the row of `at` current and selected (clearing the filter when it hides it).
    void goTo(ChannelRef at);
    QTableView* table() const { return tblChannels_; }

private:
    void buildMenus();
    void refresh(int group);
    void showUndoTexts();
    // A cell's new value by the grid's rules; false when it was refused.
    bool editCell(ChannelRef at, int column, const QString& text);

    EditorSession& session_;
    WholeRadioCommands& commands_;
    ChannelListModel* model_;
    ChannelListFilter* filter_;
    QTableView* tblChannels_;
    QLineEdit* txtFilter_;
    QCheckBox* chkDuplicates_;
    QAction* mnuUndo_ = nullptr;
    QAction* mnuRedo_ = nullptr;
};

}  // namespace orv
