// The main window's menu bar and what each entry runs: the File, Radio,
// Edit, Comm-Port and Help commands, each behind the command boundary.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include "app/BackupCommands.h"
#include "app/ChannelCsvCommands.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/FileOpenSave.h"
#include "app/PrintCommands.h"
#include "app/RadioCommands.h"
#include "app/frmCompare.h"
#include "app/frmTune.h"
#include "app/frmGroups.h"

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

void frmGroups::buildMenus() {
    QMenuBar* bar = menuBar();
    auto act = [this](QMenu* menu, const QString& caption, const QString& name, const QKeySequence& key = {}) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(name);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        addAction(a);
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
    connect(mnuRecent_, &QMenu::aboutToShow, this, &frmGroups::fillRecentMenu);
    sep(mnuFile, QStringLiteral("mnuSep4"));
    mnuLoad_ = mnuFile->addMenu(tr("Load"));
    mnuLoad_->setObjectName(QStringLiteral("mnuLoad"));
    mnuLast_ = act(mnuLoad_, tr("&Last Screen"), QStringLiteral("mnuLast"), QKeySequence(Qt::CTRL | Qt::Key_L));
    mnuDefault_ = act(mnuLoad_, tr("&Default Screen"), QStringLiteral("mnuDefault"), QKeySequence(Qt::CTRL | Qt::Key_D));
    mnuBlank_ = act(mnuLoad_, tr("&Blank Screen"), QStringLiteral("mnuBlank"), QKeySequence(Qt::CTRL | Qt::Key_B));
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
    mnuSep3_ = sep(mnuRadio, QStringLiteral("mnuSep3"));
    mnuReadCurrGroup_ = act(mnuRadio, tr("Read Current Group"), QStringLiteral("mnuReadCurrGroup"));
    mnuWriteCurrGroup_ = act(mnuRadio, tr("Write Current Group"), QStringLiteral("mnuWriteCurrGroup"));
    // Kept for other commands to run; never offered to the user.
    for (QAction* a : {mnuSep3_, mnuReadCurrGroup_, mnuWriteCurrGroup_}) a->setVisible(false);

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

    mnuTuneRadio_ = bar->addAction(tr("&Tune"));
    mnuTuneRadio_->setObjectName(QStringLiteral("mnuTuneRadio"));

    mnuCommPortx_ = bar->addMenu(tr("&Comm-Port"));
    mnuCommPortx_->setObjectName(QStringLiteral("mnuCommPortx"));
    for (int n = 1; n <= 4; ++n) {
        QAction* a = act(mnuCommPortx_, tr("Use Comm Port %1").arg(n), QStringLiteral("mnuCommPort%1").arg(n));
        a->setCheckable(true);
        a->setData(n);
        mnuCommPort_[size_t(n - 1)] = a;
    }
    // Beside the four slots: pick the device of the slot in use.
    mnuCommPortx_->addSeparator();
    mnuChooseDevice_ = act(mnuCommPortx_, tr("Choose Device..."), QStringLiteral("mnuChooseDevice"));

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
        addAction(a);
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
    addAction(mnuNew_);

    auto* menuStyle = new SkipDisabledMenuStyle(bar);
    bar->setStyle(menuStyle);
    for (QMenu* menu : bar->findChildren<QMenu*>()) menu->setStyle(menuStyle);
}

void frmGroups::fillRecentMenu() {
    mnuRecent_->clear();
    const QStringList files = FileOpenSave::recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction* a = mnuRecent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setData(path);
        connect(a, &QAction::triggered, this, [this, path] {
            runGuarded(session_.prompts(), this, [this, path] { FileOpenSave::openRecentFile(*this, path); });
        });
    }
    if (files.isEmpty()) mnuRecent_->addAction(tr("(none)"))->setEnabled(false);
}

void frmGroups::connectCommands() {
    // Every command runs behind the command boundary: an exception ends it
    // with a message and never reaches the event loop.
    auto command = [this](QAction* action, std::function<void()> run) {
        connect(action, &QAction::triggered, this,
                [this, run = std::move(run)] { runGuarded(session_.prompts(), this, run); });
    };
    command(mnuSave_, [this] { FileOpenSave::saveFile(*this); });
    command(mnuSaveAs_, [this] { FileOpenSave::saveFileAs(*this); });
    command(mnuOpen_, [this] { FileOpenSave::openFile(*this); });
    command(mnuNew_, [this] { mnuNew_Click(); });
    command(mnuOpenBackup_, [this] { mnuOpenBackup_Click(*this); });
    connect(mnuExit_, &QAction::triggered, this, &QWidget::close);
    command(mnuPrint_, [this] { mnuPrint_Click(); });
    command(mnuPreview_, [this] { mnuPreview_Click(); });
    command(mnuSetup_, [this] { session_.printing().pageSetup(this); });

    command(mnuRead_, [this] { mnuRead_Click(*this); });
    command(mnuReadGlobal_, [this] { mnuReadGlobal_Click(*this); });
    command(mnuReadGroup_, [this] { mnuReadGroup_Click(*this); });
    command(mnuWriteAll_, [this] { mnuWriteAll_Click(*this); });
    command(mnuWriteGlobal_, [this] { mnuWriteGlobal_Click(*this); });
    command(mnuWriteGroup_, [this] { mnuWriteGroup_Click(*this); });
    command(mnuVerify_, [this] { mnuVerify_Click(*this); });
    command(mnuReadCurrGroup_, [this] { mnuReadCurrGroup_Click(); });
    command(mnuWriteCurrGroup_, [this] { (void)mnuWriteCurrGroup_Click(); });

    command(mnuGlobals_, [this] { session_.showGlobalsWindow(); });

    // While a radio exchange runs, the radio commands and the port choice are
    // not offered (and refused if they arrive anyway). While the alignment
    // window is open the radio holds its test channels: a read would load
    // them, a write would be undone by the restore, another port would miss
    // the restore; so neither are they then.
    auto offerRadioCommands = [this] {
        const bool offered = !session_.busy().isBusy() && !session_.alignmentWindow();
        for (QAction* a : {mnuRead_, mnuReadGlobal_, mnuReadGroup_, mnuWriteAll_, mnuWriteGlobal_, mnuWriteGroup_,
                           mnuTuneRadio_, mnuVerify_})
            a->setEnabled(offered);
        for (QAction* a : mnuCommPort_) a->setEnabled(offered);
        mnuChooseDevice_->setEnabled(offered);
    };
    connect(&session_.busy(), &RadioBusy::busyChanged, this, offerRadioCommands);
    connect(&session_, &EditorSession::alignmentOpenChanged, this, offerRadioCommands);
    command(mnuTuneRadio_, [this] { mnuTuneRadio_Click(session_); });

    for (int n = 1; n <= 4; ++n) {
        command(mnuCommPort_[size_t(n - 1)], [this, n] {
            if (mnuCommPort_Click(*this, n)) commPort_ = n;
            for (int k = 1; k <= 4; ++k) mnuCommPort_[size_t(k - 1)]->setChecked(k == commPort_);
            showCommPortDevices();
        });
    }
    command(mnuChooseDevice_, [this] {
        mnuChooseDevice_Click(*this);
        showCommPortDevices();
    });
    // Each port entry names the device behind it, so a technician can see
    // which serial device "Use Comm Port n" opens.
    mnuCommPortx_->setToolTipsVisible(true);
    connect(mnuCommPortx_, &QMenu::aboutToShow, this,
            [this] { runGuarded(session_.prompts(), this, [this] { showCommPortDevices(); }); });

    command(mnuHelp_, [this] { mnuHelp_Click(); });
    command(mnuAbout_, [this] { mnuAbout_Click(); });
    command(mnuSaveTrace_, [this] { mnuSaveTrace_Click(*this); });

    // A double click in the comparison window shows the group (a global
    // field: the global parameters window). The comparison window stays
    // usable while a radio exchange runs, but the image is the transfer's
    // then: switching groups would store the screen into it.
    command(mnuCompare_, [this] {
        compareWithFile(*this, [this](int g) {
            if (session_.busy().isBusy()) {
                session_.prompts().beep();
                return;
            }
            if (g < 0) {
                session_.showGlobalsWindow();
                return;
            }
            cboCurrentGroup_->setCurrentIndex(g);
            raise();
            activateWindow();
        });
    });
    command(mnuExportChannels_,
            [this] { ChannelCsvCommands::exportChannels(*this, std::max(0, cboCurrentGroup_->currentIndex())); });
    command(mnuImportChannels_,
            [this] { ChannelCsvCommands::importChannels(*this, std::max(0, cboCurrentGroup_->currentIndex())); });
}

void frmGroups::showCommPortDevices() {
    for (int n = 1; n <= 4; ++n) {
        QAction* a = mnuCommPort_[size_t(n - 1)];
        const QString device = RadioLink::deviceForPort(n);
        // The caption stays; the device shows where a menu shows a shortcut.
        a->setText(tr("Use Comm Port %1").arg(n) + QLatin1Char('\t') + device);
        a->setToolTip(n == commPort_ ? tr("In use: %1").arg(device) : device);
        a->setStatusTip(a->toolTip());
    }
    mnuCommPortx_->setToolTip(tr("Comm Port %1: %2").arg(commPort_).arg(RadioLink::deviceForPort(commPort_)));
}

}  // namespace orv
