// The main window's editing commands: Undo, Copy All, Copy a row and Paste
// through the system clipboard, the grid's double-click copy, File > Load
// (Last, Default and Blank Screen) on the working databases, and Move with
// its dialog. The rules are the GroupEditor's and clsDBUtil's; the window
// binds its menus, the clipboard and the grid to them.
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QSqlTableModel>
#include "app/ChannelGrid.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/frmGroups.h"
#include "app/frmMove.h"
#include "db/clsDBUtil.h"

namespace orv {

void frmGroups::connectEditCommands() {
    auto command = [this](QAction* action, std::function<void()> run) {
        connect(action, &QAction::triggered, this,
                [this, run = std::move(run)] { runGuarded(session_.prompts(), this, run); });
    };
    command(mnuUndo_, [this] { mnuUndo_Click(); });
    command(mnuAll_, [this] { mnuAll_Click(); });
    command(mnuRow_, [this] { mnuRow_Click(); });
    command(mnuPaste_, [this] { mnuPaste_Click(); });
    command(mnuLast_, [this] { mnuLast_Click(); });
    command(mnuDefault_, [this] { mnuDefault_Click(); });
    command(mnuBlank_, [this] { mnuBlank_Click(); });
    command(mnuMove_, [this] { mnuMove_Click(); });
    Grid_->gestureHook = [this] { runGuarded(session_.prompts(), this, [this] { Grid_DblClick(); }); };
}

// ---------------------------------------------------------------- undo, copy and paste

void frmGroups::mnuUndo_Click() { editor_.undo(); }

void frmGroups::putOnClipboard(const std::string& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setText(QString::fromStdString(text));
    mnuPaste_->setEnabled(true);
}

void frmGroups::mnuAll_Click() { putOnClipboard(editor_.copyAll()); }

void frmGroups::mnuRow_Click() { putOnClipboard(editor_.copyRow()); }

// The same copy as Copy All; a paste afterwards keeps the mode of the last
// menu copy.
void frmGroups::Grid_DblClick() { putOnClipboard(editor_.copyAll(false)); }

void frmGroups::mnuPaste_Click() {
    const bool allRows = editor_.pasteAllMode() && !editor_.pasteRowMode();
    const PasteResult r = editor_.paste(QGuiApplication::clipboard()->text().toStdString());
    if (r == PasteResult::NothingSelected) {
        session_.prompts().message(this, tr("No record has been selected to the clipboard"), QString(),
                                   MsgIcon::None, MsgButtons::OK);
        return;
    }
    if (r == PasteResult::Pasted && allRows) Grid_->clearSelection();
}

// ---------------------------------------------------------------- File > Load

void frmGroups::loadScreen(ScreenLoad which) {
    editor_.clearUndo();
    // What the grid shows is in the working table before anything is copied:
    // an edit still held by the grid (in any row, not only the 16th) goes
    // into the last-screen copy instead of being dropped by the refresh.
    Grid_->finishEdit();
    if (dataORVInfo_) dataORVInfo_->submitAll();
    {
        clsDBUtil db(dataDir_, [this](const QString& text) {
            session_.prompts().message(this, text, QString(), MsgIcon::None, MsgButtons::OK);
        });
        QAction* marked = which == ScreenLoad::Last ? mnuLast_ : which == ScreenLoad::Default ? mnuDefault_ : mnuBlank_;
        for (QAction* a : {mnuLast_, mnuDefault_, mnuBlank_}) a->setChecked(a == marked);
        // A failure has shown its message and left its target table as it
        // was. The screen is only replaced once it is safe in the last-screen
        // copy: a failed save leaves it on screen rather than losing it.
        if (which == ScreenLoad::Last) {
            (void)db.lastToCurrent();
        } else if (db.currentToLast([this] {
                       std::array<QString, 5> shown;
                       for (int c = 1; c <= 5; ++c) shown[size_t(c - 1)] = shownText(kChannels - 1, c);
                       return shown;
                   })) {
            (void)(which == ScreenLoad::Default ? db.setDefault() : db.setBlank());
        }
    }
    // Refreshed whatever the outcome: the grid shows what the table holds.
    refreshData();
}

void frmGroups::mnuLast_Click() { loadScreen(ScreenLoad::Last); }
void frmGroups::mnuDefault_Click() { loadScreen(ScreenLoad::Default); }
void frmGroups::mnuBlank_Click() { loadScreen(ScreenLoad::Blank); }

// ---------------------------------------------------------------- Move

void frmGroups::mnuMove_Click() {
    if (!frmMove_) {
        frmMove_ = new frmMove(this);
        frmMove_->moveRequested = [this](const QString& fromText, const QString& toText) {
            bool close = true;
            runGuarded(session_.prompts(), frmMove_, [&] {
                const MoveResult r =
                    editor_.moveBanks(fromText.toStdString(), toText.toStdString(), cboCurrentGroup_->currentIndex());
                close = r != MoveResult::BadPosition;
            });
            return close;
        };
    }
    frmMove_->showCentred();
}

}  // namespace orv
