#include "app/frmGroups.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "app/AppState.h"
#include "app/BackupCommands.h"
#include "app/ChannelGrid.h"
#include "app/ChannelPanel.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/FileOpenSave.h"
#include "app/GroupControls.h"
#include "app/MainMenus.h"
#include "app/RadioBusy.h"
#include "app/RadioLink.h"
#include "app/Twips.h"
#include "image/NumText.h"
#include "image/WriteDefaults.h"

namespace orv {

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

    // Load, in order: the menu bar, the controls, the current group, the
    // working table, the start texts, the first group entry, the start
    // values, the window's place, the menus' commands. (The menu bar is made
    // first so that it comes before the controls for assistive technology;
    // its entries are made once the parts they act on are.)
    menuBar();
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);
    controls_ = std::make_unique<GroupControls>(central, places_, editor_);
    channels_ = std::make_unique<ChannelPanel>(central, places_, editor_);
    // The channels come right after the group selector in the tab order.
    setTabOrder(controls_->groupSelector(), channels_->grid());
    // The last command's report, below the controls (which keep their twips
    // places: the window's fixed height leaves room under the grid).
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    connect(&session_, &EditorSession::statusChanged, statusBar(), [this](const QString& text) {
        statusBar()->showMessage(text);
    });
    editor_.setCurrentGroup(std::max(0, controls_->selectedGroup()));
    channels_->bindTable(session_.workingFiles(), session_.prompts());
    controls_->showStartTexts();
    isFirstActivation_ = true;
    controls_->groupSelector()->setCurrentIndex(0);
    cboCurrentGroup_Click();
    controls_->showStartValues();
    defaultLayout();
    if (QScreen* scr = QGuiApplication::primaryScreen()) {
        // Centred; a window larger than the screen keeps its top left corner (title, menus) on it.
        const QRect a = scr->availableGeometry();
        move(std::max(a.left(), a.left() + (a.width() - width()) / 2), std::max(a.top(), a.top() + (a.height() - height()) / 2));
    }
    session_.file().currentFileName.clear();

    menus_ = std::make_unique<MainMenus>(*this, editor_, *controls_, *channels_);
    connect(controls_->groupSelector(), qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int) { runGuarded(session_.prompts(), this, [this] { cboCurrentGroup_Click(); }); });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &frmGroups::onFocusWindowChanged);
}

frmGroups::~frmGroups() {
    // Nothing may switch groups while the window comes apart.
    disconnect(qApp, nullptr, this, nullptr);
    controls_->groupSelector()->blockSignals(true);
    if (session_.mainWindow() == this) session_.setMainWindow(nullptr);
    // The parts go before the widgets they made: the menus first (they act
    // on the others), then the channels with their working table.
    menus_.reset();
    channels_.reset();
    controls_.reset();
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
        channels_->keepGridWidth(true);
        editor_.loadGroup(0);
        markSaved();   // a fresh start has nothing unsaved
    }
    // The stored port is applied again, which closes the open port: never
    // while a radio exchange is using it (the window can be activated in the
    // middle of a transfer, by a click on it or by the window manager).
    if (!session_.busy().isBusy()) menus_->showPortInUse(session_.link().applyStoredPort());
    const bool first = isFirstActivation_;
    isFirstActivation_ = false;
    // A row copied before leaving the window cannot be pasted after coming
    // back; the clipboard is emptied only while it still holds this window's
    // own copy, never a text the user copied in another program.
    if (QClipboard* cb = QGuiApplication::clipboard(); cb && editor_.holdsOwnCopy(cb->text().toStdString()))
        cb->clear();
    menus_->offerPaste(false);
    editor_.resetCopyState();
    channels_->setCurrent(0, channels_->currentColumn());
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

void frmGroups::Form_GotFocus() { menus_->offerPasteOfClipboard(); }

void frmGroups::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    // The first activation must run even where the window manager does not
    // hand the focus to a new window: the image defaults depend on it.
    if (isFirstActivation_)
        QTimer::singleShot(0, this, [this] {
            if (isFirstActivation_) Form_Activate();
        });
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
    const int idx = controls_->selectedGroup();
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
    const int idx = controls_->selectedGroup();
    if (idx < 0) return true;
    return editor_.storeGroup(idx);
}

void frmGroups::readCurrentGroup() {
    editor_.clearUndo();
    const int idx = controls_->selectedGroup();
    editor_.loadGroup(idx < 0 ? 0 : idx);
}

void frmGroups::mnuReadCurrGroup_Click() {
    readCurrentGroup();
    editor_.setCurrentGroup(std::max(0, controls_->selectedGroup()));
}

bool frmGroups::mnuWriteCurrGroup_Click() {
    const int idx = std::max(0, controls_->selectedGroup());
    const bool ok = editor_.storeGroup(idx);
    editor_.setCurrentGroup(std::max(0, controls_->selectedGroup()));
    return ok;
}

void frmGroups::displayGroupMemory() {
    editor_.clearUndo();
    const int g = static_cast<int>(roundHalfEven(numericValue(currentGroupText().toStdString()))) - 1;
    editor_.loadGroup(g);
}

QString frmGroups::currentGroupText() const { return controls_->groupSelector()->currentText(); }

void frmGroups::cboCurrentGroup_Click() {
    QComboBox* selector = controls_->groupSelector();
    if (!editor_.chooseGroup(selector->currentIndex(), isFirstActivation_)) {
        // The group on screen holds a value the image cannot take: stay on it.
        QSignalBlocker block(selector);
        selector->setCurrentIndex(editor_.currentGroup());
        return;
    }
    channels_->grid()->clearSelection();
    channels_->setCurrent(0, channels_->currentColumn());
}

// ---------------------------------------------------------------- the screen as the rules see it

std::string frmGroups::cellText(int row, int col) const { return channels_->cellText(row, col); }
void frmGroups::setCellText(int row, int col, const std::string& text) { channels_->setCellText(row, col, text); }
void frmGroups::setCellNumber(int row, int col, double value) { channels_->setCellNumber(row, col, value); }
int frmGroups::checkValue(ChannelCheck box, int row) const { return channels_->checkValue(box, row); }
void frmGroups::setCheckValue(ChannelCheck box, int row, int value) { channels_->setCheckValue(box, row, value); }
int frmGroups::currentRow() const { return channels_->currentRow(); }
int frmGroups::currentColumn() const { return channels_->currentColumn(); }
void frmGroups::setCurrent(int row, int col) { channels_->setCurrent(row, col); }
bool frmGroups::isEditing() const { return channels_->isEditing(); }
void frmGroups::setEditorText(const std::string& text) { channels_->setEditorText(text); }
void frmGroups::finishEdit() { channels_->finishEdit(); }
void frmGroups::cancelEdit() { channels_->cancelEdit(); }
void frmGroups::beginBulkEdit() { channels_->beginBulkEdit(); }
void frmGroups::endBulkEdit() { channels_->endBulkEdit(); }

void frmGroups::controlsToView(GroupView& view) {
    controls_->toView(view);
    channels_->cellsToView(view);
}

void frmGroups::viewToControls(const GroupView& view) {
    controls_->fromView(view);
    channels_->viewToCells(view);
}

void frmGroups::beep() { session_.prompts().beep(); }

void frmGroups::refused(const std::string& why) {
    beep();
    session_.showStatus(QString::fromStdString(why));
}

void frmGroups::showOffsetEntry(int, const std::string& text) {
    channels_->showOffsetEntry(QString::fromStdString(text));
}

void frmGroups::hideOffsetEntry() { channels_->hideOffsetEntry(); }

void frmGroups::helpScreen(int context) {
    if (context == 1)
        session_.prompts().message(this, tr("Enter the frequency offset, eg: -2, 7"), QString(),
                                   MsgIcon::None, MsgButtons::OK);
}

// ---------------------------------------------------------------- layout

void frmGroups::defaultLayout() {
    inLayout_ = true;
    const QSize want(twipsToPx(kFormWidth), twipsToPx(kFormHeight));
    if (size() != want && !isMaximized() && !isFullScreen()) resize(want);
    channels_->defaultLayout(GroupControls::kFrameLeft);
    controls_->defaultLayout();
    inLayout_ = false;
}

void frmGroups::layoutWindow() {
    // Compared in pixels: a twips size read back from pixels is rounded.
    if (width() > twipsToPx(kFormWidth) && height() > twipsToPx(kFormHeight)) {
        const int W = pxToTwips(width());
        const int dx = W - savedFormWidth_;
        const int frameLeft = W - GroupControls::kFramesFromRight;
        channels_->widen(dx, pxToTwips(height()), frameLeft);
        controls_->widen(frameLeft, dx);
    } else if (!isMinimized()) {
        defaultLayout();
    }
}

void frmGroups::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (inLayout_) return;
    if (!isFirstActivation_ && !isMinimized()) relayoutAfterResize();
}

void frmGroups::changeEvent(QEvent* e) {
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::FontChange && channels_ && !inLayout_) {
        defaultLayout();
        relayoutAfterResize();
    }
}

// Lays the window out for its size and keeps the sizes for the next resize.
void frmGroups::relayoutAfterResize() {
    inLayout_ = true;
    layoutWindow();
    inLayout_ = false;
    savedFormWidth_ = pxToTwips(width());
    channels_->keepGridWidth();
}

}  // namespace orv
