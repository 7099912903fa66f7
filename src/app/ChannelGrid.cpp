#include "app/ChannelGrid.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include "image/NumText.h"

namespace orv {

GridDelegate::GridDelegate(ChannelGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

QString GridDelegate::displayText(const QVariant& value, const QLocale& locale) const {
    return QStyledItemDelegate::displayText(value, locale);
}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (ChannelGrid::isFrequencyColumn(index.column())) {
        const QVariant v = index.data(Qt::EditRole);
        const double mhz = v.userType() == QMetaType::QString ? numericValue(v.toString().toStdString()) : v.toDouble();
        option->text = QString::fromStdString(formatFreqCell(mhz));
    }
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
    auto* e = new QLineEdit(parent);
    e->setFrame(false);
    if (index.column() == 5) e->setMaxLength(8);
    e->installEventFilter(grid_);
    grid_->editor_ = e;
    grid_->editedIndex_ = index;
    return e;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* e = static_cast<QLineEdit*>(editor);
    QStyleOptionViewItem opt;
    initStyleOption(&opt, index);
    e->setText(opt.text);
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const {
    auto* e = static_cast<QLineEdit*>(editor);
    if (grid_->afterColEdit) grid_->afterColEdit(index, e->text());
}

void GridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
    if (grid_->editor_ == editor) {
        grid_->editor_ = nullptr;
        grid_->editedIndex_ = QPersistentModelIndex();
    }
    QStyledItemDelegate::destroyEditor(editor, index);
}

ChannelGrid::ChannelGrid(QWidget* parent) : QTableView(parent) {
    setItemDelegate(new GridDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalHeader()->setVisible(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
}

QString ChannelGrid::shownText(int row, int col) const {
    if (!model()) return {};
    const QModelIndex idx = model()->index(row, col);
    if (editor_ && editedIndex_ == idx) return editor_->text();
    QStyleOptionViewItem opt;
    static_cast<GridDelegate*>(itemDelegate())->initStyleOption(&opt, idx);
    return opt.text;
}

void ChannelGrid::finishEdit() {
    if (QLineEdit* e = editor_) {
        commitData(e);
        closeEditor(e, QAbstractItemDelegate::NoHint);
    }
}

void ChannelGrid::cancelEdit() {
    if (QLineEdit* e = editor_) closeEditor(e, QAbstractItemDelegate::RevertModelCache);
}

void ChannelGrid::setEditorText(const QString& text) {
    if (editor_) editor_->setText(text);
}

bool ChannelGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    if (!index.isValid()) return false;
    if (trigger == QAbstractItemView::AllEditTriggers || (editTriggers() & trigger)) {
        if (state() != QAbstractItemView::EditingState && beforeColEdit && !beforeColEdit(index)) return false;
    }
    return QTableView::edit(index, trigger, event);
}

QModelIndex ChannelGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex from = currentIndex();
    QModelIndex to = QTableView::moveCursor(action, modifiers);
    if (!model() || !to.isValid() || to.column() != 0 || !from.isValid()) return to;
    if (action == MoveNext) return model()->index(to.row(), 1);
    if (action == MovePrevious)
        return from.row() > 0 && from.column() <= 1 ? model()->index(from.row() - 1, model()->columnCount() - 1) : from;
    return to;
}

void ChannelGrid::keyPressEvent(QKeyEvent* e) {
    // A character typed into "Chan" (the channel number) is refused; it
    // types nothing, so the undo record stays as it was.
    const bool command = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const QString typed = e->text();
    if (state() != EditingState && currentIndex().isValid() && currentIndex().column() == 0 && !command &&
        !typed.trimmed().isEmpty() && typed.at(0).isPrint()) {
        if (typedInReadOnly) typedInReadOnly(typed);
        e->accept();
        return;
    }
    if (keyDownHook) keyDownHook(e->key());
    if (e->key() == Qt::Key_Home) {  // swallowed: Home goes to "Rec Freq" on release
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void ChannelGrid::keyReleaseEvent(QKeyEvent* e) {
    QTableView::keyReleaseEvent(e);
    if (!e->isAutoRepeat() && keyUpHook) keyUpHook(e->key());
}

void ChannelGrid::mousePressEvent(QMouseEvent* e) {
    QTableView::mousePressEvent(e);
    if (clickHook) clickHook();
}

void ChannelGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (gestureHook) gestureHook();
}

bool ChannelGrid::eventFilter(QObject* obj, QEvent* e) {
    // Paste and Select All belong to the window's Paste and Copy All while a
    // cell is typed: the cell's own editor never takes them (its paste would
    // put a whole tab-separated row into one cell). When the window's command
    // is not offered, the key does nothing.
    if (obj == editor_ && (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->matches(QKeySequence::Paste) || ke->matches(QKeySequence::SelectAll)) {
            if (e->type() == QEvent::ShortcutOverride) e->ignore();
            return true;
        }
    }
    if (obj == editor_ && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::KeyPress) {
            if (keyDownHook) keyDownHook(ke->key());
            if (ke->key() == Qt::Key_Home) return true;
        } else if (!ke->isAutoRepeat() && keyUpHook) {
            keyUpHook(ke->key());
            return true;
        }
    }
    return QTableView::eventFilter(obj, e);
}

}  // namespace orv
