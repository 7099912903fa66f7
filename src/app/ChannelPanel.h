// The main window's channels: the grid bound to the working table, the three
// columns of per-channel check boxes (scan list, narrow band, low power) with
// their labels and the lines that lead to them, each row of boxes placed level
// with its grid row, and the offset entry box. It is the ChannelTable the
// editing rules read and set, and it feeds the grid's and the offset box's
// keys to the rules.
#pragma once
#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QVariant>
#include <array>
#include "edit/ChannelTable.h"
#include "image/Views.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSqlTableModel;
class QWidget;

namespace orv {

class ChannelGrid;
class GroupEditor;
class LinesOverlay;
class TwipsPlaces;
class UserPrompts;
class WorkingFiles;

class ChannelPanel : public QObject, public ChannelTable {
    // The main window's texts are translated under the window's name.
    Q_DECLARE_TR_FUNCTIONS(orv::frmGroups)
public:
    // Makes the controls in `area` (the window's central widget).
    ChannelPanel(QWidget* area, TwipsPlaces& places, GroupEditor& editor);
    ~ChannelPanel() override;

    // Binds the grid to this editor's working table; a working file that
    // was damaged and recreated is reported through `prompts`. Without a
    // working table the grid stays empty and the cells travel between the
    // image and the view alone.
    void bindTable(WorkingFiles& files, UserPrompts& prompts);
    // The folder of the working files in use.
    QString dataDirectory() const { return dataDir_; }
    // Re-reads the working table (after a database command changed it).
    void refreshData();
    // Whatever the grid shows is in the working table.
    void submitEdits();

    ChannelGrid* grid() const { return Grid_; }
    // The shown text of a cell, and storing a value into a cell (a text in a
    // frequency column is stored as its number).
    QString shownText(int row, int col) const;
    void setCell(int row, int col, const QVariant& value);

    // The grid cells into a view, and back.
    void cellsToView(GroupView& view) const;
    void viewToCells(const GroupView& view);

    // The offset entry: shown with `text` selected and the focus, or hidden
    // with the focus back on the grid.
    void showOffsetEntry(const QString& text);
    void hideOffsetEntry();

    // ---- ChannelTable
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

    // ---- Layout (twips)
    // The default layout: the grid and its columns at their sizes, the check
    // box columns beside it, the offset entry in the frames' column at
    // `frameLeft`.
    void defaultLayout(int frameLeft);
    // A wider and taller window (`windowHeight` twips high): the check box
    // columns and their lines moved right by `dx`, the grid grown up to them
    // and down to the bottom of the area, its rows and columns with it, the
    // offset entry at `frameLeft`.
    void widen(int dx, int windowHeight, int frameLeft);
    // The grid's width now becomes the base of the next widening (the
    // default width when `toDefault`).
    void keepGridWidth(bool toDefault = false);
    std::array<int, kGridColumns> columnTwips() const { return colTwips_; }
    int rowHeightTwips() const { return rowTwips_; }

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    std::array<QCheckBox*, kChannels>& checkArray(ChannelCheck box);
    const std::array<QCheckBox*, kChannels>& checkArray(ChannelCheck box) const;
    void connectGrid();
    void applyGridGeometry();
    // Each row of check boxes level with its grid row (at its twips place
    // while the grid has no such row).
    void placeCheckRows();
    void updateLines();

    QWidget* area_;
    TwipsPlaces& places_;
    GroupEditor& editor_;

    QLabel* lblScan_ = nullptr;
    QLabel* lblNarr_ = nullptr;
    QLabel* lblLoPower_ = nullptr;
    std::array<QCheckBox*, kChannels> chkScan_{};
    std::array<QCheckBox*, kChannels> chkNarr_{};
    std::array<QCheckBox*, kChannels> chkLoPower_{};
    QGroupBox* frmOffset_ = nullptr;
    QLineEdit* txtOffset_ = nullptr;
    bool offsetEnterDown_ = false;  // an Enter went down in the offset box
    ChannelGrid* Grid_ = nullptr;
    LinesOverlay* lines_ = nullptr;

    QSqlTableModel* dataORVInfo_ = nullptr;  // null when the working file cannot be opened
    QString dataDir_;
    QString connName_;
    // The grid's column texts as the view holds them when the working file
    // cannot be opened.
    ChannelGridView cellsWithoutTable_;

    std::array<int, kGridColumns> colTwips_;
    int rowTwips_;
    int gridWidthBefore_;  // the grid's width at the last layout of the window
};

}  // namespace orv
