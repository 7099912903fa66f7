#include "app/MainMenus.h"
#include "app/frmFleet.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <algorithm>
#include <functional>
#include <set>
#include <QItemSelectionModel>
#include "app/BackupCommands.h"
#include "app/ChannelCsvCommands.h"
#include "app/ChannelGrid.h"
#include "app/ChannelPanel.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/FileOpenSave.h"
#include "app/GroupControls.h"
#include "app/PrintCommands.h"
#include "app/RadioCommands.h"
#include "app/WholeRadioCommands.h"
#include "app/frmAbout.h"
#include "app/frmCheckPort.h"
#include "app/frmCompare.h"
#include "app/frmGroups.h"
#include "app/frmMove.h"
#include "app/frmTune.h"
#include "db/clsDBUtil.h"
#include "edit/GroupEditor.h"
#include "image/WriteDefaults.h"

namespace orv {

namespace {

// The window's style, except that the arrow keys pass over disabled entries
// (a disabled "Tune" on the menu bar, a disabled "Paste" in Edit) instead of
// stopping on them, whatever the platform's style prefers.
class SkipDisabledMenuStyle : public QProxyStyle {
public:
    explicit SkipDisabledMenuStyle(QObject* owner) : QProxyStyle(QApplication::style()->name()) { setParent(owner); }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_Menu_AllowActiveAndDisabled) return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

}  // namespace

MainMenus::MainMenus(frmGroups& window, GroupEditor& editor, GroupControls& controls, ChannelPanel& channels)
    : window_(window), session_(window.session()), editor_(editor), controls_(controls), channels_(channels) {
    wholeRadio_ = std::make_unique<WholeRadioCommands>(window);
    buildMenus();
    connectCommands();
    connectEditCommands();
    connectWholeRadioCommands();
}

MainMenus::~MainMenus() { channels_.grid()->gestureHook = nullptr; }

// ---------------------------------------------------------------- the menu bar

void MainMenus::buildMenus() {
    QMenuBar* bar = window_.menuBar();
    auto act = [this](QMenu* menu, const QString& caption, const QString& name, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        window_.addAction(a);
        return a;
    };
    auto sep = [](QMenu* menu, const QString& name) {
        QAction* a = menu->addSeparator();
        a->setObjectName(name);
        return a;
    };

    auto* mnuFile = bar->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSave_ = act(mnuFile, tr("&Save"), QStringLiteral("mnuSave"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuSaveAs_ = act(mnuFile, tr("Sa&ve As"), QStringLiteral("mnuSaveAs"),
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    sep(mnuFile, QStringLiteral("mnuSep1"));
    mnuOpen_ = act(mnuFile, tr("&Open"), QStringLiteral("mnuOpen"), QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuOpenBackup_ = act(mnuFile, tr("Open &Backup..."), QStringLiteral("mnuOpenBackup"));
    mnuRecent_ = mnuFile->addMenu(tr("Recent Files"));
    mnuRecent_->setObjectName(QStringLiteral("mnuRecent"));
    connect(mnuRecent_, &QMenu::aboutToShow, this, &MainMenus::fillRecentMenu);
    sep(mnuFile, QStringLiteral("mnuSep4"));
    QMenu* mnuLoad = mnuFile->addMenu(tr("Load"));
    mnuLoad->setObjectName(QStringLiteral("mnuLoad"));
    mnuLast_ = act(mnuLoad, tr("&Last Screen"), QStringLiteral("mnuLast"), QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuDefault_ = act(mnuLoad, tr("&Default Screen"), QStringLiteral("mnuDefault"), QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuBlank_ = act(mnuLoad, tr("&Blank Screen"), QStringLiteral("mnuBlank"), QKeySequence(Qt::CTRL | Qt::Key_B));
    for (QAction* a : {mnuLast_, mnuDefault_, mnuBlank_}) a->setCheckable(true);
    auto* mnuP = mnuFile->addMenu(tr("Print"));
    mnuP->setObjectName(QStringLiteral("mnuP"));
    mnuPrint_ = act(mnuP, tr("&Print Displayed ORV Setup"), QStringLiteral("mnuPrint"), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuSetup_ = act(mnuFile, tr("Print Set&up"), QStringLiteral("mnuSetup"));
    // Not in the original menu: the report's pages before they are printed.
    mnuPreview_ = act(mnuFile, tr("Print Previe&w"), QStringLiteral("mnuPreview"));
    sep(mnuFile, QStringLiteral("mnuSep2"));
    mnuExit_ = act(mnuFile, tr("&Exit"), QStringLiteral("mnuExit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

    auto* mnuRadio = bar->addMenu(tr("&Radio"));
    mnuRadio->setObjectName(QStringLiteral("mnuRadio"));
    mnuRead_ = act(mnuRadio, tr("Read Radio"), QStringLiteral("mnuRead"), QKeySequence(Qt::Key_F2));
    mnuReadGlobal_ = act(mnuRadio, tr("Read Global Information from Radio"), QStringLiteral("mnuReadGlobal"));
    mnuReadGroup_ = act(mnuRadio, tr("Read Group from Radio"), QStringLiteral("mnuReadGroup"));
    mnuWriteAll_ = act(mnuRadio, tr("Write Radio"), QStringLiteral("mnuWriteAll"), QKeySequence(Qt::Key_F3));
    mnuWriteGlobal_ = act(mnuRadio, tr("Write Global Information To Radio"), QStringLiteral("mnuWriteGlobal"));
    mnuWriteGroup_ = act(mnuRadio, tr("Write Current Group to Radio"), QStringLiteral("mnuWriteGroup"), QKeySequence(Qt::Key_F4));
    mnuVerify_ = act(mnuRadio, tr("Verify Radio"), QStringLiteral("mnuVerify"));
    sep(mnuRadio, QStringLiteral("mnuSepLog"));
    mnuProgramFleet_ = act(mnuRadio, tr("Program &Fleet..."), QStringLiteral("mnuProgramFleet"));
    mnuRadioLog_ = act(mnuRadio, tr("Radio &Log..."), QStringLiteral("mnuRadioLog"));
    QAction* mnuSep3 = sep(mnuRadio, QStringLiteral("mnuSep3"));
    mnuReadCurrGroup_ = act(mnuRadio, tr("Read Current Group"), QStringLiteral("mnuReadCurrGroup"));
    mnuWriteCurrGroup_ = act(mnuRadio, tr("Write Current Group"), QStringLiteral("mnuWriteCurrGroup"));
    // Kept for other commands to run; never offered to the user.
    for (QAction* a : {mnuSep3, mnuReadCurrGroup_, mnuWriteCurrGroup_}) a->setVisible(false);

    auto* mnuEdit = bar->addMenu(tr("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuGlobals_ = act(mnuEdit, tr("Global Parameters"), QStringLiteral("mnuGlobals"));
    mnuUndo_ = act(mnuEdit, tr("Undo"), QStringLiteral("mnuUndo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    auto* mnuCopy = mnuEdit->addMenu(tr("Copy"));
    mnuCopy->setObjectName(QStringLiteral("mnuCopy"));
    mnuAll_ = act(mnuCopy, tr("Copy All"), QStringLiteral("mnuAll"), QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuRow_ = act(mnuCopy, tr("Copy a row"), QStringLiteral("mnuRow"), QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuPaste_ = act(mnuEdit, tr("Paste"), QStringLiteral("mnuPaste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    mnuMove_ = act(mnuEdit, tr("Move"), QStringLiteral("mnuMove"), QKeySequence(Qt::CTRL | Qt::Key_M));
    // Not in the original menu: Redo after Undo, and editing the whole radio
    // in its own section. (Ctrl+L is Load > Last Screen's, F3 Write Radio's.)
    mnuRedo_ = new QAction(tr("Redo"), mnuEdit);
    mnuRedo_->setObjectName(QStringLiteral("mnuRedo"));
    mnuRedo_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuRedo_->setShortcutContext(Qt::WindowShortcut);
    mnuEdit->insertAction(mnuCopy->menuAction(), mnuRedo_);
    window_.addAction(mnuRedo_);
    sep(mnuEdit, QStringLiteral("mnuSepWholeRadio"));
    mnuAllChannels_ = act(mnuEdit, tr("All Channels..."), QStringLiteral("mnuAllChannels"),
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L));
    mnuFind_ = act(mnuEdit, tr("Find..."), QStringLiteral("mnuFind"), QKeySequence(Qt::CTRL | Qt::Key_F));
    mnuFindNext_ = act(mnuEdit, tr("Find Next"), QStringLiteral("mnuFindNext"), QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuSetField_ = act(mnuEdit, tr("Set Field..."), QStringLiteral("mnuSetField"));
    mnuShiftFrequencies_ = act(mnuEdit, tr("Shift Frequencies..."), QStringLiteral("mnuShiftFrequencies"));
    connect(mnuEdit, &QMenu::aboutToShow, this, [this] {
        runGuarded(session_.prompts(), &window_, [this] {
            window_.commitScreen();   // an edit still waiting for its commit is named too
            showUndoTexts();
        });
    });

    mnuTuneRadio_ = bar->addAction(tr("&Tune"));
    mnuTuneRadio_->setObjectName(QStringLiteral("mnuTuneRadio"));

    mnuCommPortx_ = bar->addMenu(tr("&Comm-Port"));
    mnuCommPortx_->setObjectName(QStringLiteral("mnuCommPortx"));
    for (int n = 1; n <= RadioLink::kPorts; ++n) {
        QAction* a = act(mnuCommPortx_, tr("Use Comm Port %1").arg(n), QStringLiteral("mnuCommPort%1").arg(n));
        a->setCheckable(true);
        a->setData(n);
        mnuCommPort_[size_t(n - 1)] = a;
    }
    // Beside the four slots: pick the device of the slot in use.
    mnuCommPortx_->addSeparator();
    mnuChooseDevice_ = act(mnuCommPortx_, tr("Choose Device..."), QStringLiteral("mnuChooseDevice"));
    mnuCheckPort_ = act(mnuCommPortx_, tr("Check Port..."), QStringLiteral("mnuCheckPort"));

    auto* mnuH = bar->addMenu(tr("&Help"));
    mnuH->setObjectName(QStringLiteral("mnuH"));
    mnuAbout_ = act(mnuH, tr("About ORVEDIT"), QStringLiteral("mnuAbout"));
    mnuHelp_ = act(mnuH, tr("Help"), QStringLiteral("mnuHelp"), QKeySequence(Qt::CTRL | Qt::Key_H));
    mnuHelp_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_H), QKeySequence(Qt::Key_F1)});
    mnuSaveTrace_ = act(mnuH, tr("Save Serial &Trace..."), QStringLiteral("mnuSaveTrace"));

    // Not in the original menu: comparing with a file and the channel CSV
    // interchange, in their own section of File before "Exit".
    auto before = [this, mnuFile](const QString& caption, const QString& name) {
        auto* a = new QAction(caption, mnuFile);
        a->setObjectName(name);
        mnuFile->insertAction(mnuExit_, a);
        window_.addAction(a);
        return a;
    };
    mnuCompare_ = before(tr("&Compare with File..."), QStringLiteral("mnuCompare"));
    mnuExportChannels_ = before(tr("Export C&hannels..."), QStringLiteral("mnuExportChannels"));
    mnuImportChannels_ = before(tr("&Import Channels..."), QStringLiteral("mnuImportChannels"));
    mnuFile->insertSeparator(mnuExit_)->setObjectName(QStringLiteral("mnuSepInterchange"));

    // "&New" heads the File menu.
    mnuNew_ = new QAction(tr("&New"), mnuFile);
    mnuNew_->setObjectName(QStringLiteral("mnuNew"));
    mnuNew_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    mnuNew_->setShortcutContext(Qt::WindowShortcut);
    mnuFile->insertAction(mnuSave_, mnuNew_);
    window_.addAction(mnuNew_);

    auto* menuStyle = new SkipDisabledMenuStyle(bar);
    bar->setStyle(menuStyle);
    for (QMenu* menu : bar->findChildren<QMenu*>()) menu->setStyle(menuStyle);
}

void MainMenus::fillRecentMenu() {
    mnuRecent_->clear();
    const QStringList files = FileOpenSave::recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction* a = mnuRecent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] {
            runGuarded(session_.prompts(), &window_, [this, path] { FileOpenSave::openRecentFile(window_, path); });
        });
    }
    if (files.isEmpty()) mnuRecent_->addAction(tr("(none)"))->setEnabled(false);
}

// ---------------------------------------------------------------- what the entries run

void MainMenus::connectCommands() {
    // Every command runs behind the command boundary: an exception ends it
    // with a message and never reaches the event loop.
    auto command = [this](QAction* action, std::function<void()> run) {
        connect(action, &QAction::triggered, this,
                [this, run = std::move(run)] { runGuarded(session_.prompts(), &window_, run); });
    };
    command(mnuSave_, [this] { FileOpenSave::saveFile(window_); });
    command(mnuSaveAs_, [this] { FileOpenSave::saveFileAs(window_); });
    command(mnuOpen_, [this] { FileOpenSave::openFile(window_); });
    command(mnuNew_, [this] { mnuNew_Click(); });
    command(mnuOpenBackup_, [this] { mnuOpenBackup_Click(window_); });
    connect(mnuExit_, &QAction::triggered, &window_, &QWidget::close);
    command(mnuPrint_, [this] { mnuPrint_Click(); });
    command(mnuPreview_, [this] { mnuPreview_Click(); });
    command(mnuSetup_, [this] { session_.printing().pageSetup(&window_); });

    command(mnuRead_, [this] { mnuRead_Click(window_); });
    command(mnuReadGlobal_, [this] { mnuReadGlobal_Click(window_); });
    command(mnuReadGroup_, [this] { mnuReadGroup_Click(window_); });
    command(mnuWriteAll_, [this] { mnuWriteAll_Click(window_); });
    command(mnuWriteGlobal_, [this] { mnuWriteGlobal_Click(window_); });
    command(mnuWriteGroup_, [this] { mnuWriteGroup_Click(window_); });
    command(mnuVerify_, [this] { mnuVerify_Click(window_); });
    command(mnuRadioLog_, [this] { mnuRadioLog_Click(window_); });
    command(mnuProgramFleet_, [this] { mnuProgramFleet_Click(window_); });
    command(mnuReadCurrGroup_, [this] { window_.mnuReadCurrGroup_Click(); });
    command(mnuWriteCurrGroup_, [this] { (void)window_.mnuWriteCurrGroup_Click(); });

    command(mnuGlobals_, [this] { session_.showGlobalsWindow(); });

    // While a radio exchange runs, the radio commands and the port choice are
    // not offered (and refused if they arrive anyway). While the alignment
    // window is open the radio holds its test channels: a read would load
    // them, a write would be undone by the restore, another port would miss
    // the restore; so neither are they then.
    auto offerRadioCommands = [this] {
        const bool offered = !session_.busy().isBusy() && !session_.alignmentWindow();
        for (QAction* a : {mnuRead_, mnuReadGlobal_, mnuReadGroup_, mnuWriteAll_, mnuWriteGlobal_, mnuWriteGroup_,
                           mnuTuneRadio_, mnuVerify_, mnuProgramFleet_})
            a->setEnabled(offered);
        for (QAction* a : mnuCommPort_) a->setEnabled(offered);
        mnuChooseDevice_->setEnabled(offered);
    };
    connect(&session_.busy(), &RadioBusy::busyChanged, this, offerRadioCommands);
    connect(&session_, &EditorSession::alignmentOpenChanged, this, offerRadioCommands);
    command(mnuTuneRadio_, [this] { mnuTuneRadio_Click(session_); });

    for (int n = 1; n <= RadioLink::kPorts; ++n) {
        command(mnuCommPort_[size_t(n - 1)], [this, n] {
            if (mnuCommPort_Click(window_, n)) commPort_ = n;
            for (int k = 1; k <= RadioLink::kPorts; ++k) mnuCommPort_[size_t(k - 1)]->setChecked(k == commPort_);
            showCommPortDevices();
        });
    }
    command(mnuChooseDevice_, [this] {
        mnuChooseDevice_Click(window_);
        showCommPortDevices();
    });
    // The port doctor only reads the machine, so it is offered during an
    // exchange too (the editor's own hold on the port is not a finding).
    command(mnuCheckPort_, [this] { mnuCheckPort_Click(window_); });
    // Each port entry names the device behind it, so a technician can see
    // which serial device "Use Comm Port n" opens.
    mnuCommPortx_->setToolTipsVisible(true);
    connect(mnuCommPortx_, &QMenu::aboutToShow, this,
            [this] { runGuarded(session_.prompts(), &window_, [this] { showCommPortDevices(); }); });

    command(mnuHelp_, [this] { mnuHelp_Click(); });
    command(mnuAbout_, [this] { mnuAbout_Click(); });
    command(mnuSaveTrace_, [this] { mnuSaveTrace_Click(window_); });

    // A double click in the comparison window shows the group (a global
    // field: the global parameters window). The comparison window stays
    // usable while a radio exchange runs, but the image is the transfer's
    // then: switching groups would store the screen into it.
    command(mnuCompare_, [this] {
        compareWithFile(window_, [this](int g) {
            if (session_.busy().isBusy()) {
                session_.prompts().beep();
                return;
            }
            if (g < 0) {
                session_.showGlobalsWindow();
                return;
            }
            controls_.groupSelector()->setCurrentIndex(g);
            window_.raise();
            window_.activateWindow();
        });
    });
    command(mnuExportChannels_,
            [this] { ChannelCsvCommands::exportChannels(window_, std::max(0, controls_.selectedGroup())); });
    command(mnuImportChannels_, [this] {
        window_.commitScreen();
        const MemoryImage before = session_.image();
        const int group = std::max(0, controls_.selectedGroup());
        ChannelCsvCommands::importChannels(window_, group);
        if (session_.image() == before) return;
        session_.recordChange(tr("Import Channels"), before, group);
        session_.announceImageChanged(group);
    });
}

void MainMenus::connectEditCommands() {
    auto command = [this](QAction* action, std::function<void()> run) {
        connect(action, &QAction::triggered, this,
                [this, run = std::move(run)] { runGuarded(session_.prompts(), &window_, run); });
    };
    command(mnuUndo_, [this] { mnuUndo_Click(); });
    command(mnuAll_, [this] { mnuAll_Click(); });
    command(mnuRow_, [this] { mnuRow_Click(); });
    command(mnuPaste_, [this] { mnuPaste_Click(); });
    command(mnuLast_, [this] { mnuLast_Click(); });
    command(mnuDefault_, [this] { mnuDefault_Click(); });
    command(mnuBlank_, [this] { mnuBlank_Click(); });
    command(mnuMove_, [this] { mnuMove_Click(); });
    channels_.grid()->gestureHook = [this] {
        runGuarded(session_.prompts(), &window_, [this] { Grid_DblClick(); });
    };
}

void MainMenus::connectWholeRadioCommands() {
    auto command = [this](QAction* action, std::function<void()> run) {
        connect(action, &QAction::triggered, this,
                [this, run = std::move(run)] { runGuarded(session_.prompts(), &window_, run); });
    };
    command(mnuRedo_, [this] { wholeRadio_->redo(true); });
    command(mnuAllChannels_, [this] { wholeRadio_->openAllChannels(); });
    command(mnuFind_, [this] {
        if (wholeRadio_->askFind(&window_)) findNextFromGrid();
    });
    command(mnuFindNext_, [this] { findNextFromGrid(); });
    command(mnuSetField_, [this] { wholeRadio_->bulkEdit(frmBulkEdit::Mode::SetField, gridSelection(), &window_); });
    command(mnuShiftFrequencies_,
            [this] { wholeRadio_->bulkEdit(frmBulkEdit::Mode::Shift, gridSelection(), &window_); });
    connect(&session_, &EditorSession::historyChanged, this, &MainMenus::showUndoTexts);
    showUndoTexts();
}

void MainMenus::showUndoTexts() {
    mnuUndo_->setText(wholeRadio_->undoText());
    mnuRedo_->setText(wholeRadio_->redoText());
}

std::vector<ChannelRef> MainMenus::gridSelection() const {
    const int group = std::max(0, controls_.selectedGroup());
    std::set<int> rows;
    if (const QItemSelectionModel* sel = channels_.grid()->selectionModel())
        for (const QModelIndex& i : sel->selectedIndexes()) rows.insert(i.row());
    if (rows.empty()) rows.insert(channels_.currentRow());
    std::vector<ChannelRef> out;
    for (int r : rows)
        if (r >= 0 && r < kChannels) out.push_back({group, r});
    return out;
}

void MainMenus::findNextFromGrid() {
    const ChannelRef from{std::max(0, controls_.selectedGroup()), channels_.currentRow()};
    if (const auto at = wholeRadio_->findNextFrom(from)) window_.showChannel(at->group, at->channel);
}

// ---------------------------------------------------------------- offered entries

void MainMenus::showPortInUse(int port) {
    commPort_ = port;
    for (int n = 1; n <= RadioLink::kPorts; ++n) mnuCommPort_[size_t(n - 1)]->setChecked(n == port);
    showCommPortDevices();
}

void MainMenus::showCommPortDevices() {
    for (int n = 1; n <= RadioLink::kPorts; ++n) {
        QAction* a = mnuCommPort_[size_t(n - 1)];
        const QString device = RadioLink::deviceForPort(n);
        // The caption stays; the device shows where a menu shows a shortcut.
        a->setText(tr("Use Comm Port %1").arg(n) + QLatin1Char('\t') + device);
        a->setToolTip(n == commPort_ ? tr("In use: %1").arg(device) : device);
        a->setStatusTip(a->toolTip());
    }
    mnuCommPortx_->setToolTip(tr("Comm Port %1: %2").arg(commPort_).arg(RadioLink::deviceForPort(commPort_)));
}

void MainMenus::offerPaste(bool offered) { mnuPaste_->setEnabled(offered); }

void MainMenus::offerPasteOfClipboard() {
    const QClipboard* cb = QGuiApplication::clipboard();
    offerPaste(cb && editor_.pasteOffered(cb->text().toStdString()));
}

// ---------------------------------------------------------------- File

bool MainMenus::mnuNew_Click() {
    if (!FileOpenSave::confirmDiscard(window_)) return false;
    session_.image().clear();
    writeGlobalDefaults(session_.image());
    for (int g = 0; g < kGroups; ++g) writeGroupDefaults(session_.image(), g);
    if (session_.GlobalsWindowOpen()) runGuarded(session_.prompts(), &window_, [this] { session_.readGlobals(); });
    {
        // Group 1 is shown, as at start; the group on screen is dropped, not stored.
        const QSignalBlocker block(controls_.groupSelector());
        controls_.groupSelector()->setCurrentIndex(0);
    }
    editor_.setCurrentGroup(0);
    window_.readCurrentGroup();
    FileState& f = session_.file();
    f.filePath.clear();
    f.previousFilePath.clear();
    f.currentFileName.clear();
    window_.setShellCaption(tr("ORVEDIT  -  ORV Editor"));
    window_.markSaved();
    session_.resetHistory();
    return true;
}

// The group on screen is stored into the image first (as Move does), so that
// the report holds what was typed and the screen keeps it; a value the image
// cannot hold beeps and nothing is printed.
void MainMenus::mnuPrint_Click() {
    if (!window_.storeCurrentGroup()) return;
    session_.printing().print(&window_, session_.image(), session_.file().currentFileName);
    session_.showStatus(session_.printing().lastOutcome());
}

void MainMenus::mnuPreview_Click() {
    if (!window_.storeCurrentGroup()) return;
    session_.printing().preview(&window_, session_.image(), session_.file().currentFileName);
}

// ---------------------------------------------------------------- Help

void MainMenus::mnuHelp_Click() { session_.openHelpWindow(&window_); }

void MainMenus::mnuAbout_Click() {
    frmAbout about(session_.prompts(), &window_);
    about.exec();
}

// ---------------------------------------------------------------- Edit: undo, copy and paste

void MainMenus::mnuUndo_Click() { wholeRadio_->undo(true); }

void MainMenus::putOnClipboard(const std::string& text) {
    QClipboard* cb = QGuiApplication::clipboard();
    cb->clear();
    cb->setText(QString::fromStdString(text));
    mnuPaste_->setEnabled(true);
}

void MainMenus::mnuAll_Click() { putOnClipboard(editor_.copyAll()); }

void MainMenus::mnuRow_Click() { putOnClipboard(editor_.copyRow()); }

// The same copy as Copy All; a paste afterwards keeps the mode of the last
// menu copy.
void MainMenus::Grid_DblClick() { putOnClipboard(editor_.copyAll(false)); }

void MainMenus::mnuPaste_Click() {
    const bool allRows = editor_.pasteAllMode() && !editor_.pasteRowMode();
    const PasteResult r = editor_.paste(QGuiApplication::clipboard()->text().toStdString());
    if (r == PasteResult::NothingSelected) {
        session_.prompts().message(&window_, tr("No record has been selected to the clipboard"), QString(),
                                   MsgIcon::None, MsgButtons::OK);
        return;
    }
    if (r == PasteResult::Pasted && allRows) channels_.grid()->clearSelection();
}

// ---------------------------------------------------------------- File > Load

void MainMenus::loadScreen(ScreenLoad which) {
    editor_.clearUndo();
    // What the grid shows is in the working table before anything is copied:
    // an edit still held by the grid (in any row, not only the 16th) goes
    // into the last-screen copy instead of being dropped by the refresh.
    channels_.submitEdits();
    {
        clsDBUtil db(channels_.dataDirectory(), [this](const QString& text) {
            session_.prompts().message(&window_, text, QString(), MsgIcon::None, MsgButtons::OK);
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
                       for (int c = 1; c <= 5; ++c) shown[size_t(c - 1)] = channels_.shownText(kChannels - 1, c);
                       return shown;
                   })) {
            (void)(which == ScreenLoad::Default ? db.setDefault() : db.setBlank());
        }
    }
    // Refreshed whatever the outcome: the grid shows what the table holds.
    channels_.refreshData();
    window_.commitScreen(which == ScreenLoad::Last      ? tr("Load Last Screen")
                         : which == ScreenLoad::Default ? tr("Load Default Screen")
                                                        : tr("Load Blank Screen"));
}

// ---------------------------------------------------------------- Edit: Move

// What a Move did, for the status bar.
QString MainMenus::moveStatus(MoveResult r, const QString& from, const QString& to) {
    switch (r) {
    case MoveResult::Moved: return tr("Moved group %1 to position %2").arg(from, to);
    case MoveResult::NothingMoved: return tr("Nothing moved: the positions are the same or not numbers");
    case MoveResult::BadPosition: return tr("Nothing moved: a position is 1 to 15");
    case MoveResult::NotStored: return tr("Nothing moved: the group on screen holds a value that cannot be stored");
    }
    return {};
}

void MainMenus::mnuMove_Click() {
    if (!frmMove_) {
        frmMove_ = new frmMove(&window_);
        frmMove_->moveRequested = [this](const QString& fromText, const QString& toText) {
            bool close = true;
            runGuarded(session_.prompts(), frmMove_, [&] {
                window_.commitScreen();
                const MemoryImage before = session_.image();
                const MoveResult r = editor_.moveBanks(fromText.toStdString(), toText.toStdString(),
                                                       controls_.selectedGroup());
                close = r != MoveResult::BadPosition;
                session_.showStatus(moveStatus(r, fromText.trimmed(), toText.trimmed()));
                if (session_.image() == before) return;   // nothing moved: the screen stays as it is
                session_.recordChange(tr("Move Group %1 to %2").arg(fromText.trimmed(), toText.trimmed()), before);
                session_.announceImageChanged(-1);
            });
            return close;
        };
    }
    frmMove_->showCentred();
}

}  // namespace orv
