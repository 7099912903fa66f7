#include "app/WholeRadioCommands.h"

#include <algorithm>
#include "app/EditorSession.h"
#include "app/RadioBusy.h"
#include "app/frmAllChannels.h"
#include "app/frmGroups.h"
#include "edit/BulkEdit.h"

namespace orv {

WholeRadioCommands::WholeRadioCommands(frmGroups& window) : window_(window), session_(window.session()) {}

WholeRadioCommands::~WholeRadioCommands() { delete allChannels_.data(); }

// ---------------------------------------------------------------- undo and redo

bool WholeRadioCommands::refusedWhileBusy() {
    if (!session_.busy().isBusy()) return false;
    session_.prompts().beep();
    return true;
}

QString WholeRadioCommands::undoText() const {
    const EditStep* s = session_.history().nextUndo();
    return s ? tr("Undo %1").arg(QString::fromStdString(s->name)) : tr("Undo");
}

QString WholeRadioCommands::redoText() const {
    const EditStep* s = session_.history().nextRedo();
    return s ? tr("Redo %1").arg(QString::fromStdString(s->name)) : tr("Redo");
}

void WholeRadioCommands::undo(bool showGroupFirst) {
    if (refusedWhileBusy()) return;
    window_.commitScreen();   // what was typed since the last command is a step of its own
    const EditStep* next = session_.history().nextUndo();
    if (!next) return;
    if (showGroupFirst && next->group >= 0 && next->group != window_.intCurrentGroup()) {
        window_.showChannel(next->group, next->channel);
        return;
    }
    if (const EditStep* step = session_.undoStep()) restored(*step);
}

void WholeRadioCommands::redo(bool showGroupFirst) {
    if (refusedWhileBusy()) return;
    window_.commitScreen();
    const EditStep* next = session_.history().nextRedo();
    if (!next) return;
    if (showGroupFirst && next->group >= 0 && next->group != window_.intCurrentGroup()) {
        window_.showChannel(next->group, next->channel);
        return;
    }
    if (const EditStep* step = session_.redoStep()) restored(*step);
}

void WholeRadioCommands::restored(const EditStep& step) {
    session_.announceImageChanged(-1);
    if (step.group >= 0 && step.group == window_.intCurrentGroup() && step.channel >= 0)
        window_.showChannel(step.group, step.channel);
    // The global parameters window shows page 0 again when the step changed it.
    const bool globals = !std::equal(step.before.data(), step.before.data() + memmap::kPageSize, step.after.data());
    if (globals && session_.GlobalsWindowOpen()) session_.readGlobals();
}

// ---------------------------------------------------------------- All Channels

void WholeRadioCommands::openAllChannels() {
    window_.commitScreen();
    if (!window_.storeCurrentGroup()) return;   // beeped: the screen holds what the image cannot take
    if (!allChannels_) {
        allChannels_ = new frmAllChannels(session_, *this, nullptr);
        allChannels_->setAttribute(Qt::WA_DeleteOnClose);
    }
    allChannels_->show();
    allChannels_->raise();
    allChannels_->activateWindow();
}

// ---------------------------------------------------------------- Find

bool WholeRadioCommands::askFind(QWidget* parent) {
    frmFind dialog(session_.findQuery(), parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    session_.findQuery() = dialog.query();
    return true;
}

std::optional<ChannelRef> WholeRadioCommands::findNextFrom(ChannelRef from) {
    window_.commitScreen();
    const FindQuery& q = session_.findQuery();
    const auto found = findNext(listChannels(session_.image()), from, q);
    if (!found) {
        session_.prompts().beep();
        session_.showStatus(tr("Not found: %1").arg(QString::fromStdString(q.text)));
        return std::nullopt;
    }
    session_.showStatus(tr("Found in group %1, channel %2").arg(found->group + 1).arg(found->channel + 1));
    return found;
}

void WholeRadioCommands::showInMainWindow(ChannelRef at) {
    window_.showChannel(at.group, at.channel);
    window_.raise();
    window_.activateWindow();
}

// ---------------------------------------------------------------- bulk edits

void WholeRadioCommands::bulkEdit(frmBulkEdit::Mode mode, const std::vector<ChannelRef>& channels, QWidget* parent) {
    if (refusedWhileBusy()) return;
    window_.commitScreen();
    if (channels.empty()) return;
    const int n = static_cast<int>(channels.size());
    auto apply = [this, mode, channels, n](const frmBulkEdit::Request& r) {
        const MemoryImage& image = session_.image();
        const BulkPlan plan = mode == frmBulkEdit::Mode::SetField
                                  ? planSetField(image, channels, r.column, r.value.toStdString())
                                  : planShift(image, channels, r.value.toStdString(), r.receive, r.transmit);
        QStringList refusals;
        for (const std::string& why : plan.refusals) refusals << QString::fromStdString(why);
        if (!plan.ok()) {
            session_.prompts().beep();
            return refusals;
        }
        const MemoryImage before = session_.image();
        session_.image() = plan.result;
        const bool oneGroup = std::all_of(channels.begin(), channels.end(),
                                          [&](const ChannelRef& c) { return c.group == channels.front().group; });
        const QString field = listColumnCaption(r.column);
        QString name;
        if (mode == frmBulkEdit::Mode::SetField)
            name = n == 1 ? tr("Set %1 of 1 Channel").arg(field) : tr("Set %1 of %2 Channels").arg(field).arg(n);
        else
            name = n == 1 ? tr("Shift Frequencies of 1 Channel") : tr("Shift Frequencies of %1 Channels").arg(n);
        session_.recordChange(name, before, oneGroup ? channels.front().group : -1, n == 1 ? channels.front().channel : -1);
        session_.announceImageChanged(oneGroup ? channels.front().group : -1);
        session_.showStatus(tr("%1: %2 fields changed").arg(name).arg(plan.changes.size()));
        return refusals;
    };
    frmBulkEdit dialog(mode, n, apply, parent);
    dialog.exec();
}

}  // namespace orv
