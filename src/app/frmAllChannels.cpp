#include "app/frmAllChannels.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>
#include <set>
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/WholeRadioCommands.h"
#include "app/frmWholeRadioDialogs.h"
#include "edit/BulkEdit.h"

namespace orv {

// The 240 channels as rows; an edited cell goes to the window's editCell.
class ChannelListModel : public QAbstractTableModel {
public:
    using Edit = std::function<bool(ChannelRef, int, const QString&)>;
    ChannelListModel(Edit edit, QObject* parent) : QAbstractTableModel(parent), edit_(std::move(edit)) {}

    // The rows are always the same 240 channels: after the first time their
    // values change in place, so that an edit, the selection and the current
    // cell stay where they are.
    void setEntries(std::vector<ChannelEntry> entries) {
        const bool first = entries_.size() != entries.size();
        if (first) beginResetModel();
        entries_ = std::move(entries);
        duplicates_ = duplicateChannels(entries_);
        if (first)
            endResetModel();
        else
            emit dataChanged(index(0, 0), index(rowCount() - 1, kListColumns - 1));
    }
    const ChannelEntry& entry(int row) const { return entries_.at(static_cast<std::size_t>(row)); }
    bool isDuplicate(int row) const { return duplicates_.at(static_cast<std::size_t>(row)); }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(entries_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kListColumns; }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o == Qt::Horizontal && role == Qt::DisplayRole) return listColumnCaption(section);
        return QAbstractTableModel::headerData(section, o, role);
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(i);
        if (isFlagColumn(i.column())) return f | Qt::ItemIsUserCheckable;
        if (isEditableColumn(i.column())) return f | Qt::ItemIsEditable;
        return f;
    }
    QVariant data(const QModelIndex& i, int role) const override {
        if (!i.isValid()) return {};
        const ChannelEntry& e = entry(i.row());
        if (isFlagColumn(i.column())) {
            if (role == Qt::CheckStateRole)
                return e.flag(i.column()) == 1 ? Qt::Checked : e.flag(i.column()) == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
            // A set flag also says so in words: a box alone can hardly be seen in some palettes.
            if (role == Qt::DisplayRole && e.flag(i.column()))
                return QCoreApplication::translate("orv::frmAllChannels", "Yes");
            if (role == Qt::AccessibleTextRole)
                return e.flag(i.column()) ? QCoreApplication::translate("orv::frmAllChannels", "Yes")
                                          : QCoreApplication::translate("orv::frmAllChannels", "No");
            return {};
        }
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return QString::fromStdString(e.texts[static_cast<std::size_t>(i.column())]);
        if (role == Qt::TextAlignmentRole && i.column() <= lcTxCG)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    bool setData(const QModelIndex& i, const QVariant& value, int role) override {
        if (!i.isValid() || !edit_) return false;
        if (role == Qt::CheckStateRole && isFlagColumn(i.column()))
            return edit_(entry(i.row()).at, i.column(), value.toInt() == Qt::Checked ? QStringLiteral("1") : QStringLiteral("0"));
        if (role == Qt::EditRole && isEditableColumn(i.column())) return edit_(entry(i.row()).at, i.column(), value.toString());
        return false;
    }

private:
    Edit edit_;
    std::vector<ChannelEntry> entries_;
    std::vector<bool> duplicates_;
};

// The filter box and the duplicates switch, and the order of a column: the core's rules.
class ChannelListFilter : public QSortFilterProxyModel {
public:
    explicit ChannelListFilter(QObject* parent) : QSortFilterProxyModel(parent) {}
    void setFilterText(const QString& text) {
        filter_ = parseChannelFilter(text.toStdString());
        invalidateFilter();
    }
    void setDuplicatesOnly(bool on) {
        duplicatesOnly_ = on;
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex&) const override {
        const auto* m = static_cast<const ChannelListModel*>(sourceModel());
        if (duplicatesOnly_ && !m->isDuplicate(row)) return false;
        return filterKeeps(filter_, m->entry(row));
    }
    bool lessThan(const QModelIndex& a, const QModelIndex& b) const override {
        const auto* m = static_cast<const ChannelListModel*>(sourceModel());
        return listLess(m->entry(a.row()), m->entry(b.row()), a.column());
    }

private:
    ChannelFilter filter_;
    bool duplicatesOnly_ = false;
};

frmAllChannels::frmAllChannels(EditorSession& session, WholeRadioCommands& commands, QWidget* parent)
    : QMainWindow(parent), session_(session), commands_(commands) {
    setObjectName(QStringLiteral("frmAllChannels"));
    setWindowTitle(tr("All Channels"));
    model_ = new ChannelListModel(
        [this](ChannelRef at, int column, const QString& text) { return editCell(at, column, text); }, this);
    filter_ = new ChannelListFilter(this);
    filter_->setSourceModel(model_);
    filter_->setDynamicSortFilter(true);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* bar = new QHBoxLayout;
    auto* lblFilter = new QLabel(tr("&Filter:"), central);
    txtFilter_ = new QLineEdit(central);
    txtFilter_->setObjectName(QStringLiteral("txtFilter"));
    txtFilter_->setPlaceholderText(tr("a text, or a frequency range such as 150-155"));
    txtFilter_->setClearButtonEnabled(true);
    lblFilter->setBuddy(txtFilter_);
    nameAfterCaption(txtFilter_, tr("Filter"));
    chkDuplicates_ = new QCheckBox(tr("&Duplicates only"), central);
    chkDuplicates_->setObjectName(QStringLiteral("chkDuplicates"));
    chkDuplicates_->setToolTip(tr("Channels with the same receive frequency and code guard as another"));
    bar->addWidget(lblFilter);
    bar->addWidget(txtFilter_, 1);
    bar->addWidget(chkDuplicates_);
    layout->addLayout(bar);

    tblChannels_ = new QTableView(central);
    tblChannels_->setObjectName(QStringLiteral("tblChannels"));
    nameAfterCaption(tblChannels_, tr("All Channels"));
    tblChannels_->setModel(filter_);
    tblChannels_->setSortingEnabled(true);
    tblChannels_->sortByColumn(lcGroup, Qt::AscendingOrder);
    tblChannels_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblChannels_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // A double click shows the channel in the main window: editing starts by typing, F2 or a click on the current cell.
    tblChannels_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                                  QAbstractItemView::SelectedClicked);
    tblChannels_->verticalHeader()->setVisible(false);
    tblChannels_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tblChannels_->setWordWrap(false);
    layout->addWidget(tblChannels_, 1);
    setCentralWidget(central);
    statusBar()->setObjectName(QStringLiteral("statusBar"));

    connect(txtFilter_, &QLineEdit::textChanged, this, [this](const QString& t) { filter_->setFilterText(t); });
    connect(chkDuplicates_, &QCheckBox::toggled, this, [this](bool on) { filter_->setDuplicatesOnly(on); });
    connect(tblChannels_, &QTableView::doubleClicked, this, [this](const QModelIndex& i) {
        const ChannelRef at = model_->entry(filter_->mapToSource(i).row()).at;
        runGuarded(session_.prompts(), this, [this, at] { commands_.showInMainWindow(at); });
    });
    connect(&session_, &EditorSession::imageChanged, this, &frmAllChannels::refresh);
    connect(&session_, &EditorSession::historyChanged, this, &frmAllChannels::showUndoTexts);

    buildMenus();
    refresh(-1);
    tblChannels_->resizeColumnsToContents();
    // Wide enough for every column, as tall as about 20 rows.
    const int w = tblChannels_->horizontalHeader()->length() + tblChannels_->verticalScrollBar()->sizeHint().width() +
                  2 * tblChannels_->frameWidth() + 40;
    resize(w, tblChannels_->verticalHeader()->defaultSectionSize() * 20 + 160);
}

frmAllChannels::~frmAllChannels() = default;

void frmAllChannels::buildMenus() {
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    auto act = [this, edit](const QString& caption, const QString& name, QList<QKeySequence> keys,
                            std::function<void()> run) {
        QAction* a = edit->addAction(caption);
        a->setObjectName(name);
        a->setShortcuts(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, [this, run = std::move(run)] { runGuarded(session_.prompts(), this, run); });
        return a;
    };
    mnuUndo_ = act(tr("Undo"), QStringLiteral("mnuUndo"), {QKeySequence(Qt::CTRL | Qt::Key_Z)},
                   [this] { commands_.undo(false); });
    mnuRedo_ = act(tr("Redo"), QStringLiteral("mnuRedo"),
                   {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                   [this] { commands_.redo(false); });
    edit->addSeparator();
    act(tr("Find..."), QStringLiteral("mnuFind"), {QKeySequence(Qt::CTRL | Qt::Key_F)}, [this] {
        if (!commands_.askFind(this)) return;
        if (const auto at = commands_.findNextFrom(currentChannel())) goTo(*at);
    });
    act(tr("Find Next"), QStringLiteral("mnuFindNext"), {QKeySequence(Qt::CTRL | Qt::Key_G)}, [this] {
        if (const auto at = commands_.findNextFrom(currentChannel())) goTo(*at);
    });
    edit->addSeparator();
    act(tr("Set Field..."), QStringLiteral("mnuSetField"), {},
        [this] { commands_.bulkEdit(frmBulkEdit::Mode::SetField, selectedChannels(), this); });
    act(tr("Shift Frequencies..."), QStringLiteral("mnuShiftFrequencies"), {},
        [this] { commands_.bulkEdit(frmBulkEdit::Mode::Shift, selectedChannels(), this); });
    showUndoTexts();
}

void frmAllChannels::showUndoTexts() {
    mnuUndo_->setText(commands_.undoText());
    mnuRedo_->setText(commands_.redoText());
}

void frmAllChannels::refresh(int) { model_->setEntries(listChannels(session_.image())); }

std::vector<ChannelRef> frmAllChannels::selectedChannels() const {
    std::vector<ChannelRef> out;
    const QModelIndexList rows = tblChannels_->selectionModel() ? tblChannels_->selectionModel()->selectedRows()
                                                                : QModelIndexList{};
    std::vector<int> viewRows;
    for (const QModelIndex& i : rows) viewRows.push_back(i.row());
    std::sort(viewRows.begin(), viewRows.end());
    for (int r : viewRows) out.push_back(model_->entry(filter_->mapToSource(filter_->index(r, 0)).row()).at);
    if (out.empty() && tblChannels_->currentIndex().isValid()) out.push_back(currentChannel());
    return out;
}

ChannelRef frmAllChannels::currentChannel() const {
    const QModelIndex i = tblChannels_->currentIndex();
    if (!i.isValid() || model_->rowCount() == 0) return {};
    return model_->entry(filter_->mapToSource(i).row()).at;
}

void frmAllChannels::goTo(ChannelRef at) {
    QModelIndex i = filter_->mapFromSource(model_->index(listIndex(at), std::max(0, tblChannels_->currentIndex().column())));
    if (!i.isValid()) {   // hidden by the filter: the whole list again
        txtFilter_->clear();
        chkDuplicates_->setChecked(false);
        i = filter_->mapFromSource(model_->index(listIndex(at), 0));
    }
    tblChannels_->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    tblChannels_->scrollTo(i);
}

bool frmAllChannels::editCell(ChannelRef at, int column, const QString& text) {
    if (commands_.refusedWhileBusy()) return false;
    const BulkPlan plan = planSetField(session_.image(), {at}, column, text.toStdString());
    if (!plan.ok()) {
        const QString why = QString::fromStdString(plan.refusals.front());
        session_.prompts().beep();
        statusBar()->showMessage(why);
        session_.showStatus(why);
        return false;
    }
    if (plan.changes.empty()) return true;
    const MemoryImage before = session_.image();
    session_.image() = plan.result;
    session_.recordChange(tr("Edit %1 of Group %2 Ch %3").arg(listColumnCaption(column)).arg(at.group + 1).arg(at.channel + 1),
                          before, at.group, at.channel);
    statusBar()->clearMessage();
    session_.announceImageChanged(at.group);   // the main window follows; this table reads it again
    return true;
}

}  // namespace orv
