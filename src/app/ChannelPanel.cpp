#include "app/ChannelPanel.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlTableModel>
#include <algorithm>
#include "app/AppState.h"
#include "app/ChannelGrid.h"
#include "app/ControlMaker.h"
#include "app/GroupControls.h"
#include "app/Twips.h"
#include "app/TwipsPlaces.h"
#include "app/UserPrompts.h"
#include "app/ViewBinder.h"
#include "db/clsDBUtil.h"
#include "edit/GroupEditor.h"
#include "image/NumText.h"

namespace orv {

namespace {

// Default layout sizes (twips).
constexpr int kGridLeft = 0;
constexpr int kGridTop = 960;
constexpr int kGridWidth = 5715;
constexpr int kGridHeight = 4560;
constexpr int kGridHeaderHeight = 270;
constexpr int kRowHeight = 250;
constexpr std::array<int, kGridColumns> kColumnWidths{690, 1110, 750, 1110, 750, 990};
// A taller window leaves this much of its height to what is above and below the grid.
constexpr int kAroundGrid = 1100;
// The check box columns and their labels.
constexpr int kCheckTop = 1230;
constexpr int kCheckStep = 255;
constexpr int kCheckSize = 210;
constexpr int kScanLeft = 5820, kNarrLeft = 6075, kLoPowerLeft = 6330;
constexpr int kScanLabelLeft = 4920, kNarrLabelLeft = 4710, kLoPowerLabelLeft = 4845;

// Row i's box at its twips place, centred in its row step.
int checkTop(int i) { return kCheckTop + kCheckStep * i + (kCheckStep - kCheckSize) / 2; }

QString q(const std::string& s) { return QString::fromStdString(s); }

EditKey editKey(int key) {
    switch (key) {
    case Qt::Key_Home: return EditKey::Home;
    case Qt::Key_Up: return EditKey::Up;
    case Qt::Key_Down: return EditKey::Down;
    case Qt::Key_Left: return EditKey::Left;
    case Qt::Key_Right: return EditKey::Right;
    case Qt::Key_Tab: return EditKey::Tab;
    case Qt::Key_Backtab: return EditKey::Backtab;
    case Qt::Key_Backspace: return EditKey::Backspace;
    case Qt::Key_Return: return EditKey::Return;
    case Qt::Key_Enter: return EditKey::Enter;
    case Qt::Key_Escape: return EditKey::Escape;
    case Qt::Key_Space: return EditKey::Space;
    case Qt::Key_Shift: return EditKey::Shift;
    case Qt::Key_Control: return EditKey::Control;
    case Qt::Key_Alt: return EditKey::Alt;
    case Qt::Key_Meta: return EditKey::Meta;
    case Qt::Key_C: return EditKey::C;
    case Qt::Key_S: return EditKey::S;
    case Qt::Key_F1: return EditKey::F1;
    default: return EditKey::Other;
    }
}

}  // namespace

// The separator lines that lead from the flag labels to their check box
// columns; ends in twips, drawn under the controls.
class LinesOverlay : public QWidget {
public:
    explicit LinesOverlay(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    struct Line { int x1, y1, x2, y2; };
    std::array<Line, 6> lines{};  // Line1 .. Line6

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        for (const auto& l : lines)
            p.drawLine(twipsToPx(l.x1), twipsToPx(l.y1), twipsToPx(l.x2), twipsToPx(l.y2));
    }
};

ChannelPanel::ChannelPanel(QWidget* area, TwipsPlaces& places, GroupEditor& editor)
    : area_(area), places_(places), editor_(editor), colTwips_(kColumnWidths), rowTwips_(kRowHeight),
      gridWidthBefore_(kGridWidth) {
    ControlMaker make(places);
    lines_ = new LinesOverlay(area);

    const auto right = Qt::AlignRight | Qt::AlignVCenter;
    lblLoPower_ = make.label(area, tr("Low Power"), QStringLiteral("lblLoPower"), kLoPowerLabelLeft, 300, 855, 210, right);
    lblNarr_ = make.label(area, tr("Narrow Band"), QStringLiteral("lblNarr"), kNarrLabelLeft, 510, 990, 210, right);
    lblScan_ = make.label(area, tr("SCAN List"), QStringLiteral("lblScan"), kScanLabelLeft, 720, 780, 210, right);

    // The offset entry, below the frames, is shown only while an offset is
    // being entered.
    frmOffset_ = make.frame(area, tr("Offset"), QStringLiteral("frmOffset"), GroupControls::kFrameLeft, 5580,
                            GroupControls::kFrameWidth, 555);
    txtOffset_ = make.text(frmOffset_, QStringLiteral("txtOffset"), 150, 210, 2160);
    frmOffset_->setVisible(false);

    for (int i = 0; i < kChannels; ++i) {
        // Each box is named after its channel and its column's label ("Ch 3 Narrow Band").
        auto mk = [&](const char* name, int x, const QLabel* column) {
            auto* c = new QCheckBox(area);
            c->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i));
            c->setToolTip(tr("Ch %1").arg(i + 1));
            nameAfterCaption(c, tr("Ch %1").arg(i + 1) + QLatin1Char(' ') + column->text());
            places_.place(c, x, checkTop(i), kCheckSize, kCheckSize);
            return c;
        };
        chkScan_[size_t(i)] = mk("chkScan", kScanLeft, lblScan_);
        chkNarr_[size_t(i)] = mk("chkNarr", kNarrLeft, lblNarr_);
        chkLoPower_[size_t(i)] = mk("chkLoPower", kLoPowerLeft, lblLoPower_);
    }

    Grid_ = new ChannelGrid(area);
    Grid_->setObjectName(QStringLiteral("Grid"));
    nameAfterCaption(Grid_, tr("Channels"));
    places_.place(Grid_, kGridLeft, kGridTop, kGridWidth, kGridHeight);
    lines_->lower();
    connectGrid();
    txtOffset_->installEventFilter(this);
}

ChannelPanel::~ChannelPanel() {
    Grid_->cancelEdit();
    // The grid outlives the panel by a moment: its events no longer reach the rules.
    Grid_->beforeColEdit = nullptr;
    Grid_->keyDownHook = Grid_->keyUpHook = nullptr;
    Grid_->afterColEdit = nullptr;
    Grid_->clickHook = nullptr;
    delete dataORVInfo_;
    dataORVInfo_ = nullptr;
    if (!connName_.isEmpty()) QSqlDatabase::removeDatabase(connName_);
}

// The grid's events go to the editing rules.
void ChannelPanel::connectGrid() {
    Grid_->beforeColEdit = [this](const QModelIndex& i) {
        setCurrent(i.row(), currentColumn());
        return editor_.beforeCellEdit(i.column());
    };
    Grid_->keyDownHook = [this](int key) { editor_.keyDown(editKey(key)); };
    Grid_->keyUpHook = [this](int key) { editor_.keyUp(editKey(key)); };
    Grid_->afterColEdit = [this](const QModelIndex& i, const QString& t) {
        if (dataORVInfo_) editor_.afterCellEdit(i.row(), i.column(), t.toStdString());
    };
    Grid_->clickHook = [this] { editor_.click(); };
}

void ChannelPanel::bindTable(WorkingFiles& files, UserPrompts& prompts) {
    // This editor's working copies (private ones when another editor runs);
    // a damaged working file has been recreated: say so.
    dataDir_ = files.dir();
    for (const QString& repaired : files.repairs())
        prompts.message(nullptr, repaired, QString(), MsgIcon::None, MsgButtons::OK);
    connName_ = QStringLiteral("dataORVInfo_%1").arg(reinterpret_cast<quintptr>(this), 0, 16);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connName_);
    const QString file = QDir(dataDir_).filePath(QLatin1String(clsDBUtil::kCurrentFile));
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    // The grid stays empty when the working file is missing; the group still
    // travels between the image and the window's view.
    if (dataDir_.isEmpty() || !QFileInfo::exists(file) || !db.open()) return;
    auto* model = new QSqlTableModel(this, db);
    model->setTable(QStringLiteral("tblChannel"));
    if (model->lastError().isValid() || model->columnCount() < kGridColumns) {
        delete model;
        return;
    }
    model->setEditStrategy(QSqlTableModel::OnRowChange);
    model->setSort(0, Qt::AscendingOrder);
    const char* captions[kGridColumns] = {QT_TR_NOOP("Chan"),   QT_TR_NOOP("Rec Freq"), QT_TR_NOOP("Rec CG"),
                                          QT_TR_NOOP("Tx Freq"), QT_TR_NOOP("Tx CG"),    QT_TR_NOOP("Ch Label")};
    for (int c = 0; c < kGridColumns; ++c) model->setHeaderData(c, Qt::Horizontal, tr(captions[c]));
    model->select();
    dataORVInfo_ = model;
    Grid_->setModel(model);
    applyGridGeometry();
}

void ChannelPanel::refreshData() {
    if (!dataORVInfo_) return;
    Grid_->cancelEdit();
    dataORVInfo_->select();
}

void ChannelPanel::submitEdits() {
    Grid_->finishEdit();
    if (dataORVInfo_) dataORVInfo_->submitAll();
}

// ---------------------------------------------------------------- the grid as the rules see it

QString ChannelPanel::shownText(int row, int col) const { return q(cellText(row, col)); }

std::string ChannelPanel::cellText(int row, int col) const {
    if (!dataORVInfo_)
        return cellsWithoutTable_.cells[size_t(std::clamp(row, 0, kChannels - 1))][size_t(std::clamp(col, 0, 5))];
    return Grid_->shownText(row, col).toStdString();
}

void ChannelPanel::setCell(int row, int col, const QVariant& value) {
    if (!dataORVInfo_ || row < 0 || row >= dataORVInfo_->rowCount()) return;
    QVariant v = value;
    if (ChannelGrid::isFrequencyColumn(col) && v.userType() == QMetaType::QString)
        v = numericValue(v.toString().toStdString());
    dataORVInfo_->setData(dataORVInfo_->index(row, col), v);
}

void ChannelPanel::setCellText(int row, int col, const std::string& text) { setCell(row, col, q(text)); }

void ChannelPanel::setCellNumber(int row, int col, double value) { setCell(row, col, value); }

std::array<QCheckBox*, kChannels>& ChannelPanel::checkArray(ChannelCheck box) {
    return box == ChannelCheck::Scan ? chkScan_ : box == ChannelCheck::Narrow ? chkNarr_ : chkLoPower_;
}

const std::array<QCheckBox*, kChannels>& ChannelPanel::checkArray(ChannelCheck box) const {
    return box == ChannelCheck::Scan ? chkScan_ : box == ChannelCheck::Narrow ? chkNarr_ : chkLoPower_;
}

int ChannelPanel::checkValue(ChannelCheck box, int row) const { return checkBoxValue(checkArray(box).at(size_t(row))); }

void ChannelPanel::setCheckValue(ChannelCheck box, int row, int value) {
    setCheckBoxValue(checkArray(box).at(size_t(row)), value);
}

int ChannelPanel::currentRow() const {
    const QModelIndex i = Grid_->currentIndex();
    return i.isValid() ? i.row() : 0;
}

int ChannelPanel::currentColumn() const {
    const QModelIndex i = Grid_->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void ChannelPanel::setCurrent(int row, int col) {
    if (!dataORVInfo_ || row < 0 || row >= dataORVInfo_->rowCount()) return;
    Grid_->setCurrentIndex(dataORVInfo_->index(row, std::clamp(col, 0, kGridColumns - 1)));
}

bool ChannelPanel::isEditing() const { return Grid_->activeEditor() != nullptr; }
void ChannelPanel::setEditorText(const std::string& text) { Grid_->setEditorText(q(text)); }
void ChannelPanel::finishEdit() { Grid_->finishEdit(); }
void ChannelPanel::cancelEdit() { Grid_->cancelEdit(); }

// Code that sets many cells at once stores them together: row-by-row storing
// would re-read the table after the first row.
void ChannelPanel::beginBulkEdit() {
    if (!dataORVInfo_) return;
    const QModelIndex cur = Grid_->currentIndex();
    dataORVInfo_->submitAll();
    dataORVInfo_->setEditStrategy(QSqlTableModel::OnManualSubmit);
    if (cur.isValid()) setCurrent(cur.row(), cur.column());
}

void ChannelPanel::endBulkEdit() {
    if (!dataORVInfo_) return;
    const QModelIndex cur = Grid_->currentIndex();
    dataORVInfo_->submitAll();
    dataORVInfo_->setEditStrategy(QSqlTableModel::OnRowChange);
    if (cur.isValid()) setCurrent(cur.row(), cur.column());
}

void ChannelPanel::cellsToView(GroupView& view) const {
    for (int r = 0; r < kChannels; ++r)
        for (int c = 0; c < kGridColumns; ++c) view.channels.cells[size_t(r)][size_t(c)] = cellText(r, c);
}

void ChannelPanel::viewToCells(const GroupView& view) {
    cellsWithoutTable_ = view.channels;
    if (!dataORVInfo_) return;
    Grid_->cancelEdit();
    beginBulkEdit();
    for (int r = 0; r < kChannels && r < dataORVInfo_->rowCount(); ++r) {
        const auto& cells = view.channels.cells[size_t(r)];
        dataORVInfo_->setData(dataORVInfo_->index(r, colRecFreq), numericValue(cells[colRecFreq]));
        dataORVInfo_->setData(dataORVInfo_->index(r, colRecCG), q(cells[colRecCG]));
        dataORVInfo_->setData(dataORVInfo_->index(r, colTxFreq), numericValue(cells[colTxFreq]));
        dataORVInfo_->setData(dataORVInfo_->index(r, colTxCG), q(cells[colTxCG]));
        dataORVInfo_->setData(dataORVInfo_->index(r, colChLabel), q(cells[colChLabel]));
    }
    endBulkEdit();
}

// ---------------------------------------------------------------- the offset entry

void ChannelPanel::showOffsetEntry(const QString& text) {
    frmOffset_->setVisible(true);
    txtOffset_->setText(text);
    txtOffset_->selectAll();
    txtOffset_->setFocus();
}

void ChannelPanel::hideOffsetEntry() {
    frmOffset_->setVisible(false);
    Grid_->setFocus();
}

bool ChannelPanel::eventFilter(QObject* obj, QEvent* e) {
    if (obj != txtOffset_) return QObject::eventFilter(obj, e);
    // F1 in the offset box is the box's own help, not the help window.
    if (e->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        e->accept();
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        offsetEnterDown_ = k == Qt::Key_Return || k == Qt::Key_Enter;
    }
    if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat()) {
        const auto* ke = static_cast<QKeyEvent*>(e);
        EditKey key = editKey(ke->key());
        if (key == EditKey::Other && ke->text().isEmpty()) key = EditKey::NoText;
        // An Enter let go here that went down elsewhere (the one that closed
        // the help box) confirms nothing.
        const bool enter = key == EditKey::Return || key == EditKey::Enter;
        if (enter && !offsetEnterDown_) return true;
        offsetEnterDown_ = false;
        const std::string shown = editor_.offsetKeyUp(key, txtOffset_->text().toStdString());
        if (frmOffset_->isVisible() && q(shown) != txtOffset_->text()) txtOffset_->setText(q(shown));
    }
    return QObject::eventFilter(obj, e);
}

// ---------------------------------------------------------------- layout

void ChannelPanel::applyGridGeometry() {
    places_.apply(Grid_);
    Grid_->horizontalHeader()->setFixedHeight(twipsToPx(kGridHeaderHeight));
    Grid_->verticalHeader()->setDefaultSectionSize(twipsToPx(rowTwips_));
    Grid_->verticalHeader()->setMinimumSectionSize(1);
    for (int c = 0; c < kGridColumns; ++c) Grid_->setColumnWidth(c, twipsToPx(colTwips_[size_t(c)]));
}

void ChannelPanel::placeCheckRows() {
    for (int i = 0; i < kChannels; ++i) {
        for (auto* arr : {&chkScan_, &chkNarr_, &chkLoPower_}) {
            QCheckBox* c = (*arr)[size_t(i)];
            QRect r = places_.of(c);
            if (Grid_->model() && i < Grid_->model()->rowCount()) {
                // Keep each row of boxes level with its grid row as drawn
                // (whole pixels per row, so the rows are measured, not summed);
                // the rows start below the grid's frame and header.
                const int rowPx = Grid_->y() + Grid_->frameWidth() + Grid_->horizontalHeader()->height() +
                                  Grid_->rowViewportPosition(i);
                const int centrePx = rowPx + Grid_->rowHeight(i) / 2;
                r.moveTop(pxToTwips(centrePx) - kCheckSize / 2);
            } else {
                r.moveTop(checkTop(i));
            }
            places_.place(c, r);
        }
    }
}

void ChannelPanel::updateLines() {
    lines_->setGeometry(0, 0, 8000, 8000);
    lines_->update();
}

void ChannelPanel::defaultLayout(int frameLeft) {
    places_.place(Grid_, kGridLeft, kGridTop, kGridWidth, kGridHeight);
    rowTwips_ = kRowHeight;
    colTwips_ = kColumnWidths;
    applyGridGeometry();
    places_.moveLeft(frmOffset_, frameLeft);
    places_.moveLeft(lblLoPower_, kLoPowerLabelLeft);
    places_.moveLeft(lblNarr_, kNarrLabelLeft);
    places_.moveLeft(lblScan_, kScanLabelLeft);
    for (int i = 0; i < kChannels; ++i) {
        places_.moveLeft(chkScan_[size_t(i)], kScanLeft);
        places_.moveLeft(chkNarr_[size_t(i)], kNarrLeft);
        places_.moveLeft(chkLoPower_[size_t(i)], kLoPowerLeft);
    }
    // The grid's rows are whole pixels high at any scale: the boxes follow them.
    placeCheckRows();
    // Each line leads from its label to its column of check boxes.
    const int yLo = 405, yNarr = 615, yScan = 825, yDown = kCheckTop;
    lines_->lines = {{{6165, yNarr, 6165, yDown},
                      {6150, yNarr, 5715, yNarr},
                      {6435, yLo, 6435, yDown},
                      {6435, yLo, 5715, yLo},
                      {5925, yScan, 5925, yDown},
                      {5895, yScan, 5730, yScan}}};
    updateLines();
}

void ChannelPanel::widen(int dx, int windowHeight, int frameLeft) {
    for (QWidget* w : std::initializer_list<QWidget*>{lblLoPower_, lblNarr_, lblScan_}) places_.moveRight(w, dx);
    for (int i = 0; i < kChannels; ++i) {
        places_.moveRight(chkScan_[size_t(i)], dx);
        places_.moveRight(chkNarr_[size_t(i)], dx);
        places_.moveRight(chkLoPower_[size_t(i)], dx);
    }
    for (auto& l : lines_->lines) {
        l.x1 += dx;
        l.x2 += dx;
    }
    QRect grid = places_.of(Grid_);
    int newHeight = windowHeight - kAroundGrid;
    // The grid never reaches past the bottom of the area.
    const int room = pxToTwips(area_->height()) - grid.y();
    if (room > 0) newHeight = std::min(newHeight, room);
    const int newWidth = places_.of(chkScan_[0]).x() - 20;
    if (newHeight > 0 && newWidth > 0) {
        grid.setHeight(newHeight);
        grid.setWidth(newWidth);
        places_.place(Grid_, grid);
        rowTwips_ = static_cast<int>(newHeight / 17.5);
    }
    const int step = static_cast<int>(roundHalfEven((grid.width() - gridWidthBefore_) / 6.0));
    for (auto& w : colTwips_) w += step;
    applyGridGeometry();
    places_.moveLeft(frmOffset_, frameLeft);
    placeCheckRows();
    updateLines();
}

void ChannelPanel::keepGridWidth(bool toDefault) {
    gridWidthBefore_ = toDefault ? kGridWidth : places_.of(Grid_).width();
}

}  // namespace orv
