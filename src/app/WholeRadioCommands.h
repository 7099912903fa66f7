// The commands of editing the whole radio, beside the group editor's own:
// Undo and Redo through the session's history (a step of another group
// than the one on screen first shows that group), All Channels, Find and
// Find Next across the groups, and the bulk edits Set Field and Shift
// Frequencies of selected channels. The main window's menus and the All
// Channels window both run them; the rules are the core's (edit/).
#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>
#include <vector>
#include "app/frmWholeRadioDialogs.h"
#include "app/frmAllChannels.h"
#include "edit/ChannelList.h"
#include "edit/EditHistory.h"

class QWidget;

namespace orv {

class EditorSession;
class frmGroups;

class WholeRadioCommands : public QObject {
    Q_OBJECT
public:
    explicit WholeRadioCommands(frmGroups& window);
    ~WholeRadioCommands() override;

    // The Edit menu's texts: "Undo Paste 16 Rows", "Redo Edit Rec Freq"
    // ("Undo", "Redo" when there is no step).
    QString undoText() const;
    QString redoText() const;
    // One step back (forward). From the main window (`showGroupFirst`), a
    // step of another group than the one on screen first only shows that
    // group and its channel; the next Undo undoes it.
    void undo(bool showGroupFirst);
    void redo(bool showGroupFirst);

    // Opens the All Channels window (or brings it forward); the group on
    // screen is stored first, as Move does (a value that cannot be stored
    // beeps and nothing opens).
    void openAllChannels();
    frmAllChannels* allChannels() const { return allChannels_; }

    // Find: asks what to look for (false when cancelled).
    bool askFind(QWidget* parent);
    // The next channel after `from` that matches; beeps and says so in the
    // status bar when none does.
    std::optional<ChannelRef> findNextFrom(ChannelRef from);
    // Shows a channel in the main window.
    void showInMainWindow(ChannelRef at);

    // Set Field / Shift Frequencies of `channels`, asked in a dialog over `parent`.
    void bulkEdit(frmBulkEdit::Mode mode, const std::vector<ChannelRef>& channels, QWidget* parent);
    // While a radio exchange runs the image is the exchange's (a read puts
    // its blocks into it when it ends): no change is made, with a beep.
    bool refusedWhileBusy();

private:
    // After an undo or redo: every window shows the image again.
    void restored(const EditStep& step);

    frmGroups& window_;
    EditorSession& session_;
    QPointer<frmAllChannels> allChannels_;
};

}  // namespace orv
