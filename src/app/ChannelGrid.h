// The channel grid: a table view over the working table whose cell edits are
// reported through its hooks the way the group editor needs them (before a
// column edit, key down / key up while editing or not, end of a cell edit);
// the main window's ChannelPanel feeds them to the rules, its MainMenus the
// double-click copy.
#pragma once
#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace orv {

class ChannelGrid;

// Shows the frequency columns with "000.00000", edits every cell with a line
// edit and hands the edited text to the grid's afterColEdit instead of
// writing it into the model itself.
class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit GridDelegate(ChannelGrid* grid);
    QString displayText(const QVariant& value, const QLocale& locale) const override;
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;

private:
    ChannelGrid* grid_;
};

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(QWidget* parent = nullptr);
    using QTableView::edit;

    // Returns false to cancel the edit of that cell.
    std::function<bool(const QModelIndex&)> beforeColEdit;
    std::function<void(int key)> keyDownHook;
    std::function<void(int key)> keyUpHook;
    // The edit of a cell ends with this text; the hook stores what it accepts.
    std::function<void(const QModelIndex&, const QString&)> afterColEdit;
    std::function<void()> clickHook;
    std::function<void()> gestureHook;  // double-click

    // The editor of the cell being edited, or null.
    QLineEdit* activeEditor() const { return editor_; }
    // The text a cell shows: the editor's text while it is edited, else the
    // displayed (formatted) value.
    QString shownText(int row, int col) const;
    // Ends the edit of the current cell, storing (finishEdit) or dropping
    // (cancelEdit) the editor's text.
    void finishEdit();
    void cancelEdit();
    // Puts a text into the editor of the cell being edited.
    void setEditorText(const QString& text);

    static bool isFrequencyColumn(int col) { return col == 1 || col == 3; }

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    friend class GridDelegate;
    QPointer<QLineEdit> editor_;
    QPersistentModelIndex editedIndex_;
};

}  // namespace orv
