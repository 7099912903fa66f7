#include "app/frmGroups.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QUrl>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <algorithm>
#include <utility>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlTableModel>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "app/AppState.h"
#include "app/BackupCommands.h"
#include "app/ChannelGrid.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/FileOpenSave.h"
#include "app/PrintCommands.h"
#include "app/RadioCommands.h"
#include "app/Twips.h"
#include "app/ViewBinder.h"
#include "app/frmAbout.h"
#include "app/frmGlobals.h"
#include "image/WriteDefaults.h"
#include "db/clsDBUtil.h"
#include "image/NumText.h"

namespace orv {

namespace {

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

frmGroups::frmGroups(EditorSession& session, QWidget* parent)
    : QMainWindow(parent), session_(session), editor_(session.image(), *this) {
    initAppIdentity();
    setShellCaption(tr("ORVEDIT  -  ORV Editor"));
    // Edits reach the image only when the group is stored: the title's
    // modified mark follows the screen as well, checked a few times a second.
    auto* modifiedCheck = new QTimer(this);
    connect(modifiedCheck, &QTimer::timeout, this, &frmGroups::refreshModified);
    modifiedCheck->start(250);
    setObjectName(QStringLiteral("frmGroups"));
    // The layout is in twips, scaled to the application's font (app/Twips.h).
    applyEditorFace(this);
    session_.setMainWindow(this);
    setAcceptDrops(true);

    // Load, in order: the menus and controls, the current group, the working
    // table, the start texts, the first group entry, the start values, the
    // window's place.
    buildMenus();
    connectCommands();
    buildControls();
    // The last command's report, below the controls (which keep their twips
    // places: the window's fixed height leaves room under the grid).
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    connect(&session_, &EditorSession::statusChanged, statusBar(), [this](const QString& text) {
        statusBar()->showMessage(text);
    });
    editor_.setCurrentGroup(cboCurrentGroup_->currentIndex() >= 0 ? cboCurrentGroup_->currentIndex() : 0);
    bindGrid();
    rowTwips_ = 255;
    txtPassWord_->setText(QStringLiteral("482916"));
    txtID_->setText(QStringLiteral("0000000"));
    txtGrpLab_->setText(QStringLiteral("GROUP 0"));
    isFirstActivation_ = true;
    cboCurrentGroup_->setCurrentIndex(0);
    cboCurrentGroup_Click();
    GroupView start;
    controlsToGroupView(*this, start);
    start.optBattSaveOn = true;
    start.optBattSaveOff = false;
    start.optUCGDisabled = true;
    start.optUCGEnabled = false;
    start.cboPri1Chan = start.cboPri2Chan = start.cboUCGChan = 1;
    start.cboDisplay = start.cboBackLight = start.cboDuration = start.cboBCI = start.cboANI = 0;
    start.cboTOT = 0;
    start.cboScan = "0.0";
    groupViewToControls(start, *this);
    defaultLayout();
    if (QScreen* scr = QGuiApplication::primaryScreen()) {
        // Centred; a window larger than the screen keeps its top left corner (title, menus) on it.
        const QRect a = scr->availableGeometry();
        move(std::max(a.left(), a.left() + (a.width() - width()) / 2), std::max(a.top(), a.top() + (a.height() - height()) / 2));
    }
    session_.file().currentFileName.clear();

    // The grid's events go to the editing rules.
    Grid_->beforeColEdit = [this](const QModelIndex& i) {
        setGridCurrent(i.row(), currentColumn());
        return editor_.beforeCellEdit(i.column());
    };
    Grid_->keyDownHook = [this](int key) { editor_.keyDown(editKey(key)); };
    Grid_->keyUpHook = [this](int key) { editor_.keyUp(editKey(key)); };
    Grid_->afterColEdit = [this](const QModelIndex& i, const QString& t) {
        if (dataORVInfo_) editor_.afterCellEdit(i.row(), i.column(), t.toStdString());
    };
    Grid_->clickHook = [this] { editor_.click(); };
    txtOffset_->installEventFilter(this);
    connectEditCommands();
    connect(cboCurrentGroup_, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int) { runGuarded(session_.prompts(), this, [this] { cboCurrentGroup_Click(); }); });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmGroups::onFocusWindowChanged);
}

frmGroups::~frmGroups() {
    // Nothing may switch groups while the window comes apart.
    disconnect(qApp, nullptr, this, nullptr);
    if (cboCurrentGroup_) {
        cboCurrentGroup_->blockSignals(true);
        cboCurrentGroup_->removeEventFilter(this);
    }
    if (txtOffset_) txtOffset_->removeEventFilter(this);
    if (Grid_) Grid_->cancelEdit();
    if (session_.mainWindow() == this) session_.setMainWindow(nullptr);
    delete dataORVInfo_;
    dataORVInfo_ = nullptr;
    if (!connName_.isEmpty()) QSqlDatabase::removeDatabase(connName_);
}

void frmGroups::bindGrid() {
    // This editor's working copies (private ones when another editor runs);
    // a damaged working file has been recreated: say so.
    WorkingFiles& files = session_.workingFiles();
    dataDir_ = files.dir();
    for (const QString& repaired : files.repairs())
        session_.prompts().message(nullptr, repaired, QString(), MsgIcon::None, MsgButtons::OK);
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

// ---------------------------------------------------------------- activation

void frmGroups::onFocusWindowChanged(QWindow* w) {
    if (!w) return;  // the program lost the focus; nothing to record
    if (w == windowHandle()) {
        // The activation of the window comes only from another window of this
        // program (not from another program, nor from a stock message box or
        // file dialog), and always the first time. (The help viewer counts as
        // another program.)
        const bool fromOwnForm = !prevFocusClass_.isEmpty() && !prevFocusClass_.startsWith(QLatin1Char('Q')) &&
                                 prevFocusClass_ != QLatin1String("orv::frmHelp");
        if (isFirstActivation_ || fromOwnForm) Form_Activate();
        prevFocusClass_.clear();
        Form_GotFocus();
        return;
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() == w) {
            prevFocusClass_ = QLatin1String(top->metaObject()->className());
            return;
        }
    }
    prevFocusClass_ = QStringLiteral("Q");
}

void frmGroups::Form_Activate() {
    if (isFirstActivation_) {
        writeGlobalDefaults(session_.image());
        for (int g = 0; g < kGroups; ++g) writeGroupDefaults(session_.image(), g);
        savedFormWidth_ = kFormWidth;
        savedFormHeight_ = kFormHeight;
        savedGridWidth_ = kGridWidth;
        savedGridHeight_ = kGridHeight;
        savedWindowState_ = 0;
        editor_.loadGroup(0);
        markSaved();   // a fresh start has nothing unsaved
    }
    // The stored port is applied again, which closes the open port: never
    // while a radio exchange is using it (the window can be activated in the
    // middle of a transfer, by a click on it or by the window manager).
    if (!session_.busy().isBusy()) {
        const int port = session_.link().applyStoredPort();
        commPort_ = port;
        for (int n = 1; n <= 4; ++n) mnuCommPort_[size_t(n - 1)]->setChecked(n == port);
        showCommPortDevices();
    }
    const bool first = isFirstActivation_;
    isFirstActivation_ = false;
    // A row copied before leaving the window cannot be pasted after coming
    // back; the clipboard is emptied only while it still holds this window's
    // own copy, never a text the user copied in another program.
    if (QClipboard* cb = QGuiApplication::clipboard(); cb && editor_.holdsOwnCopy(cb->text().toStdString()))
        cb->clear();
    mnuPaste_->setEnabled(false);
    editor_.resetCopyState();
    setGridCurrent(0, currentColumn());
    // The window may have been resized before it was first active.
    if (first && (width() != twipsToPx(kFormWidth) || height() != twipsToPx(kFormHeight))) relayoutAfterResize();
    // Once the window is up: where the last exit without a save kept the
    // unsaved programming.
    if (first) QTimer::singleShot(0, this, [this] { tellExitBackup(*this); });
    // The file named at start opens over the start-up defaults, as Open
    // would; one that cannot be read leaves the defaults on screen.
    if (first && !startFile_.isEmpty())
        QTimer::singleShot(0, this, [this] {
            const QString path = std::exchange(startFile_, QString());
            runGuarded(session_.prompts(), this, [this, path] { FileOpenSave::openPath(*this, path); });
        });
}

bool frmGroups::mnuNew_Click() {
    if (!FileOpenSave::confirmDiscard(*this)) return false;
    session_.image().clear();
    writeGlobalDefaults(session_.image());
    for (int g = 0; g < kGroups; ++g) writeGroupDefaults(session_.image(), g);
    if (session_.GlobalsWindowOpen()) runGuarded(session_.prompts(), this, [this] { session_.readGlobals(); });
    {
        // Group 1 is shown, as at start; the group on screen is dropped, not stored.
        const QSignalBlocker block(cboCurrentGroup_);
        cboCurrentGroup_->setCurrentIndex(0);
    }
    editor_.setCurrentGroup(0);
    readCurrentGroup();
    FileState& f = session_.file();
    f.filePath.clear();
    f.previousFilePath.clear();
    f.currentFileName.clear();
    setShellCaption(tr("ORVEDIT  -  ORV Editor"));
    markSaved();
    return true;
}

// ---------------------------------------------------------------- dropped files

namespace {
// The one local file a drop carries; empty for anything else.
QString droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    return urls.front().toLocalFile();
}
}  // namespace

void frmGroups::dragEnterEvent(QDragEnterEvent* e) {
    if (!droppedFile(e->mimeData()).isEmpty() && !session_.busy().isBusy()) e->acceptProposedAction();
}

void frmGroups::dropEvent(QDropEvent* e) {
    const QString path = droppedFile(e->mimeData());
    if (path.isEmpty() || session_.busy().isBusy()) {
        e->ignore();
        return;
    }
    e->acceptProposedAction();
    runGuarded(session_.prompts(), this, [this, path] { FileOpenSave::openPath(*this, path); });
}

void frmGroups::Form_GotFocus() {
    const QClipboard* cb = QGuiApplication::clipboard();
    mnuPaste_->setEnabled(cb && editor_.pasteOffered(cb->text().toStdString()));
}

void frmGroups::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The first activation must run even where the window manager does not
    // hand the focus to a new window: the image defaults depend on it.
    if (isFirstActivation_)
        QTimer::singleShot(0, this, [this] {
            if (isFirstActivation_) Form_Activate();
        });
}

// ---------------------------------------------------------------- closing

QMessageBox::StandardButton frmGroups::askSaveBeforeExit() {
    switch (session_.prompts().message(this, tr("Save before exit?"), QString(), MsgIcon::Question,
                                       MsgButtons::YesNoCancel)) {
    case MsgAnswer::Yes: return QMessageBox::Yes;
    case MsgAnswer::No: return QMessageBox::No;
    default: return QMessageBox::Cancel;
    }
}

bool frmGroups::saveFileAsForExit() { return FileOpenSave::saveFileAsForExit(*this); }

void frmGroups::closeEvent(QCloseEvent* e) {
    // A close request during a radio exchange (the window system delivers it
    // even while the window is disabled) is refused without a question: the
    // exchange still uses the port, the progress dialog and this window.
    if (session_.busy().isBusy()) {
        e->ignore();
        return;
    }
    // An open alignment window is closed first, with its restore of group 1
    // (and its question when the restore fails): the user may keep it. The
    // restore is a radio job: this window closes again once it has ended
    // with the alignment window gone.
    if (session_.alignmentWindow()) {
        e->ignore();
        QPointer<frmGroups> self(this);
        session_.closeAlignmentWindow().then([self](bool closed) {
            // Once the restore's exchange has let the radio go.
            if (closed && self) QTimer::singleShot(0, self, [self] { self->close(); });
        });
        return;
    }
    // A loaded global window (shown or hidden) is closed first and asks its
    // own "Save Global Parameters?": Yes stores its values into the image so
    // that the save offered next includes them, No drops them, Cancel keeps
    // both windows open.
    if (!session_.closeGlobalsWindow()) {
        e->ignore();
        return;
    }
    const auto answer = askSaveBeforeExit();
    if (answer == QMessageBox::Cancel || answer == QMessageBox::Escape || answer == QMessageBox::NoButton) {
        e->ignore();
        return;
    }
    if (answer == QMessageBox::Yes && !saveFileAsForExit()) {
        e->ignore();
        return;
    }
    e->accept();
}

// ---------------------------------------------------------------- the group on screen

bool frmGroups::hasUnsavedChanges() {
    if (EditorShell::hasUnsavedChanges()) return true;
    const int idx = cboCurrentGroup_->currentIndex();
    return idx >= 0 && editor_.screenDiffers(idx);
}

void frmGroups::markSaved() {
    EditorShell::markSaved();
    setWindowModified(false);
}

void frmGroups::markSavedAs(const MemoryImage& asOf) {
    EditorShell::markSavedAs(asOf);
    refreshModified();
}

void frmGroups::refreshModified() {
    if (!isFirstActivation_) setWindowModified(hasUnsavedChanges());
}

bool frmGroups::storeCurrentGroup() {
    const int idx = cboCurrentGroup_->currentIndex();
    if (idx < 0) return true;
    return editor_.storeGroup(idx);
}

void frmGroups::readCurrentGroup() {
    editor_.clearUndo();
    const int idx = cboCurrentGroup_->currentIndex();
    editor_.loadGroup(idx < 0 ? 0 : idx);
}

void frmGroups::mnuReadCurrGroup_Click() {
    readCurrentGroup();
    editor_.setCurrentGroup(std::max(0, cboCurrentGroup_->currentIndex()));
}

bool frmGroups::mnuWriteCurrGroup_Click() {
    const int idx = std::max(0, cboCurrentGroup_->currentIndex());
    const bool ok = editor_.storeGroup(idx);
    editor_.setCurrentGroup(std::max(0, cboCurrentGroup_->currentIndex()));
    return ok;
}

void frmGroups::displayGroupMemory() {
    editor_.clearUndo();
    const int g = static_cast<int>(roundHalfEven(numericValue(cboCurrentGroup_->currentText().toStdString()))) - 1;
    editor_.loadGroup(g);
}

QString frmGroups::currentGroupText() const { return cboCurrentGroup_->currentText(); }

void frmGroups::cboCurrentGroup_Click() {
    if (!cboCurrentGroup_ || !Grid_) return;
    if (!editor_.chooseGroup(cboCurrentGroup_->currentIndex(), isFirstActivation_)) {
        // The group on screen holds a value the image cannot take: stay on it.
        QSignalBlocker block(cboCurrentGroup_);
        cboCurrentGroup_->setCurrentIndex(editor_.currentGroup());
        return;
    }
    Grid_->clearSelection();
    setGridCurrent(0, currentColumn());
}

// The typed group number, on the keys the combo box receives.
bool frmGroups::eventFilter(QObject* obj, QEvent* e) {
    if (cboCurrentGroup_ && obj == cboCurrentGroup_) {
        QLineEdit* text = cboCurrentGroup_->lineEdit();
        if (e->type() == QEvent::KeyPress) editor_.groupKeyDown(text->text().toStdString());
        if (e->type() == QEvent::KeyRelease && !static_cast<QKeyEvent*>(e)->isAutoRepeat())
            if (auto back = editor_.groupKeyUp(text->text().toStdString())) text->setText(q(*back));
    }
    // F1 in the offset box is the box's own help, not the help window.
    if (txtOffset_ && obj == txtOffset_ && e->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1) {
        e->accept();
        return true;
    }
    if (txtOffset_ && obj == txtOffset_ && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        offsetEnterDown_ = k == Qt::Key_Return || k == Qt::Key_Enter;
    }
    if (txtOffset_ && obj == txtOffset_ && e->type() == QEvent::KeyRelease &&
        !static_cast<QKeyEvent*>(e)->isAutoRepeat()) {
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
    return QMainWindow::eventFilter(obj, e);
}

// ---------------------------------------------------------------- the grid as the rules see it

QString frmGroups::shownText(int row, int col) const { return q(cellText(row, col)); }

std::string frmGroups::cellText(int row, int col) const {
    if (!dataORVInfo_)
        return cellsWithoutTable_.cells[size_t(std::clamp(row, 0, kChannels - 1))][size_t(std::clamp(col, 0, 5))];
    return Grid_->shownText(row, col).toStdString();
}

void frmGroups::setCell(int row, int col, const QVariant& value) {
    if (!dataORVInfo_ || row < 0 || row >= dataORVInfo_->rowCount()) return;
    QVariant v = value;
    if (ChannelGrid::isFrequencyColumn(col) && v.userType() == QMetaType::QString)
        v = numericValue(v.toString().toStdString());
    dataORVInfo_->setData(dataORVInfo_->index(row, col), v);
}

void frmGroups::setCellText(int row, int col, const std::string& text) { setCell(row, col, q(text)); }

void frmGroups::setCellNumber(int row, int col, double value) { setCell(row, col, value); }

std::array<QCheckBox*, kChannels>& frmGroups::checkArray(ChannelCheck box) {
    return box == ChannelCheck::Scan ? chkScan_ : box == ChannelCheck::Narrow ? chkNarr_ : chkLoPower_;
}

const std::array<QCheckBox*, kChannels>& frmGroups::checkArray(ChannelCheck box) const {
    return box == ChannelCheck::Scan ? chkScan_ : box == ChannelCheck::Narrow ? chkNarr_ : chkLoPower_;
}

int frmGroups::checkValue(ChannelCheck box, int row) const { return checkBoxValue(checkArray(box).at(size_t(row))); }

void frmGroups::setCheckValue(ChannelCheck box, int row, int value) {
    setCheckBoxValue(checkArray(box).at(size_t(row)), value);
}

int frmGroups::currentRow() const {
    const QModelIndex i = Grid_->currentIndex();
    return i.isValid() ? i.row() : 0;
}

int frmGroups::currentColumn() const {
    const QModelIndex i = Grid_->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void frmGroups::setGridCurrent(int row, int col) {
    if (!dataORVInfo_ || row < 0 || row >= dataORVInfo_->rowCount()) return;
    Grid_->setCurrentIndex(dataORVInfo_->index(row, std::clamp(col, 0, kGridColumns - 1)));
}

bool frmGroups::isEditing() const { return Grid_->activeEditor() != nullptr; }
void frmGroups::setEditorText(const std::string& text) { Grid_->setEditorText(q(text)); }
void frmGroups::finishEdit() { Grid_->finishEdit(); }
void frmGroups::cancelEdit() { Grid_->cancelEdit(); }

// Code that sets many cells at once stores them together: row-by-row storing
// would re-read the table after the first row.
void frmGroups::beginBulkEdit() {
    if (!dataORVInfo_) return;
    const QModelIndex cur = Grid_->currentIndex();
    dataORVInfo_->submitAll();
    dataORVInfo_->setEditStrategy(QSqlTableModel::OnManualSubmit);
    if (cur.isValid()) setGridCurrent(cur.row(), cur.column());
}

void frmGroups::endBulkEdit() {
    if (!dataORVInfo_) return;
    const QModelIndex cur = Grid_->currentIndex();
    dataORVInfo_->submitAll();
    dataORVInfo_->setEditStrategy(QSqlTableModel::OnRowChange);
    if (cur.isValid()) setGridCurrent(cur.row(), cur.column());
}

void frmGroups::controlsToView(GroupView& view) {
    controlsToGroupView(*this, view);
    for (int r = 0; r < kChannels; ++r)
        for (int c = 0; c < kGridColumns; ++c)
            view.channels.cells[size_t(r)][size_t(c)] = cellText(r, c);
}

void frmGroups::viewToControls(const GroupView& view) {
    groupViewToControls(view, *this);
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

void frmGroups::beep() { session_.prompts().beep(); }

void frmGroups::refused(const std::string& why) {
    beep();
    session_.showStatus(q(why));
}

void frmGroups::showOffsetEntry(int, const std::string& text) {
    frmOffset_->setVisible(true);
    txtOffset_->setText(q(text));
    txtOffset_->selectAll();
    txtOffset_->setFocus();
}

void frmGroups::hideOffsetEntry() {
    frmOffset_->setVisible(false);
    Grid_->setFocus();
}

void frmGroups::refreshData() {
    if (!dataORVInfo_) return;
    Grid_->cancelEdit();
    dataORVInfo_->select();
}

// ---------------------------------------------------------------- help and about

void frmGroups::helpScreen(int context) {
    if (context == 1)
        session_.prompts().message(this, tr("Enter the frequency offset, eg: -2, 7"), QString(),
                                   MsgIcon::None, MsgButtons::OK);
}

// The group on screen is stored into the image first (as Move does), so that
// the report holds what was typed and the screen keeps it; a value the image
// cannot hold beeps and nothing is printed.
void frmGroups::mnuPrint_Click() {
    if (!storeCurrentGroup()) return;
    session_.printing().print(this, session_.image(), session_.file().currentFileName);
    session_.showStatus(session_.printing().lastOutcome());
}

void frmGroups::mnuPreview_Click() {
    if (!storeCurrentGroup()) return;
    session_.printing().preview(this, session_.image(), session_.file().currentFileName);
}

void frmGroups::mnuHelp_Click() { session_.openHelpWindow(this); }

void frmGroups::mnuAbout_Click() {
    frmAbout about(session_.prompts(), this);
    about.exec();
}

}  // namespace orv
