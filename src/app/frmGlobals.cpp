#include "app/frmGlobals.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>
#include "app/EditorSession.h"
#include "app/RadioBusy.h"
#include "app/ViewBinder.h"
#include "image/clsGlobals.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"

namespace orv {

namespace {

QComboBox* makeList(QWidget* parent, const char* name, const std::vector<std::string>& entries) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const auto& e : entries) box->addItem(listEntryText(e));
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(frmGlobals::tr(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

}  // namespace

frmGlobals::frmGlobals(EditorSession& session, QWidget* owner)
    : QMainWindow(owner, Qt::Window), session_(session) {
    setObjectName(QStringLiteral("frmGlobals"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Group '0' Globals  -  ORV Editor   "));
    // The same face whoever loads the window (the menu with the main window
    // as owner, or a decode without one).
    applyEditorFace(this);
    buildControls();
    bindGlobalsEdits(*this, session_.globals().view());
    connect(&session_.globals(), &GlobalsModel::decoded, this, &frmGlobals::viewToControls);
}

void frmGlobals::buildControls() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    // Frame "Global Variables".
    auto* fraUnit = new QGroupBox(tr("Global Variables"), central);
    fraUnit->setObjectName(QStringLiteral("fraUnit"));
    auto* unit = new QGridLayout(fraUnit);
    struct Row { const char* label; const char* caption; const char* list; QComboBox** box;
                 const std::vector<std::string>& entries; bool tip; };
    const Row unitRows[] = {
        {"lblDTMFDev", QT_TR_NOOP("DTMF FM Deviation in Hz:"), "cboDTMFDev", &cboDTMFDev_, lists::cboDTMFDev(), true},
        {"lblPorch", QT_TR_NOOP("Front Porch Time in Milliseconds:"), "cboPorchTime", &cboPorchTime_, lists::cboPorchTime(), true},
        {"lblAniRate", QT_TR_NOOP("ANI Rate in Chars/Second:"), "cboANIRate", &cboANIRate_, lists::cboANIRate(), true},
        {"lblPriRate", QT_TR_NOOP("Priority Rate in seconds:"), "cboPriRate", &cboPriRate_, lists::cboPriRate(), true},
        {"lblBattSave", QT_TR_NOOP("Global Battery Saver:"), "cboBattSave", &cboBattSave_, lists::cboBattSave(), true},
        {"lblFreqDisplay", QT_TR_NOOP("Display Frequencies Only:"), "cboFreqDisplay", &cboFreqDisplay_, lists::cboEnableDisable(), false},
        {"lblPerChanPower", QT_TR_NOOP("Per Channel Power Selection:"), "cboLoPower", &cboLoPower_, lists::cboEnableDisable(), false},
        {"lblTalkBack", QT_TR_NOOP("Talk Back Scan:"), "cboTalkBack", &cboTalkBack_, lists::cboEnableDisable(), false},
        {"lblNuisanceChan", QT_TR_NOOP("Nuisance Channel Delete:"), "cboNuisanceChan", &cboNuisanceChan_, lists::cboEnableDisable(), false},
    };
    int r = 0;
    for (const Row& row : unitRows) {
        QLabel* caption = makeLabel(fraUnit, row.label, row.caption);
        unit->addWidget(caption, r, 0);
        *row.box = makeList(fraUnit, row.list, row.entries);
        nameAfterCaption(*row.box, caption->text());
        if (row.tip) (*row.box)->setToolTip(tr("Select value from list."));
        unit->addWidget(*row.box, r, 1);
        ++r;
    }
    left->addWidget(fraUnit);

    // Frame "Toggle Switch Assignments".
    auto* fraToggles = new QGroupBox(tr("Toggle Switch Assignments"), central);
    fraToggles->setObjectName(QStringLiteral("fraToggles"));
    auto* toggles = new QGridLayout(fraToggles);
    const Row toggleRows[] = {
        {"lblLoPowerSwitch", QT_TR_NOOP("Low Power:"), "cboLoPowerSwitch", &cboLoPowerSwitch_, lists::cboSwitch(), false},
        {"lblChanScan", QT_TR_NOOP("Channel Scan:"), "cboChanScan", &cboChanScan_, lists::cboSwitch(), false},
        {"lblPriScan", QT_TR_NOOP("Priority Scan:"), "cboPriScan", &cboPriScan_, lists::cboSwitch(), false},
        {"lblRTA", QT_TR_NOOP("Repeater Talk Around:"), "cboRTA", &cboRTA_, lists::cboSwitch(), false},
        {"lblGroupScan", QT_TR_NOOP("Group Scan:"), "cboGroupScan", &cboGroupScan_, lists::cboSwitch(), false},
    };
    r = 0;
    for (const Row& row : toggleRows) {
        QLabel* caption = makeLabel(fraToggles, row.label, row.caption);
        toggles->addWidget(caption, r, 0);
        *row.box = makeList(fraToggles, row.list, row.entries);
        nameAfterCaption(*row.box, caption->text());
        toggles->addWidget(*row.box, r, 1);
        ++r;
    }
    left->addWidget(fraToggles);
    left->addStretch();

    // Frame "Rotary Switch Assignments".
    auto* fraRotary = new QGroupBox(tr("Rotary Switch Assignments"), central);
    fraRotary->setObjectName(QStringLiteral("fraRotarySwitch"));
    auto* rotary = new QGridLayout(fraRotary);
    rotary->addWidget(makeLabel(fraRotary, "lblPos", QT_TR_NOOP("Position:")), 0, 0);
    rotary->addWidget(makeLabel(fraRotary, "lblGroup", QT_TR_NOOP("Group             Channel")), 0, 1, 1, 2);
    for (int p = 0; p < kRotaryPositions; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const QByteArray pos = QByteArray::number(p + 1);
        auto* lbl = new QLabel(QString::number(p + 1), fraRotary);
        lbl->setObjectName(QStringLiteral("lblPos") + QString::number(p + 1));
        cboGroup_[i] = makeList(fraRotary, "cboGroup", lists::cboGroup());
        cboChan_[i] = makeList(fraRotary, "cboChan", lists::cboChan());
        chkGrpVar_[i] = new QCheckBox(fraRotary);
        chkChanVar_[i] = new QCheckBox(fraRotary);
        cboGroup_[i]->setObjectName(QStringLiteral("cboGroup_%1").arg(p));
        cboChan_[i]->setObjectName(QStringLiteral("cboChan_%1").arg(p));
        chkGrpVar_[i]->setObjectName(QStringLiteral("chkGrpVar_%1").arg(p));
        chkChanVar_[i]->setObjectName(QStringLiteral("chkChanVar_%1").arg(p));
        // Named after the position and the column (the boxes: variable from the keypad).
        nameAfterCaption(cboGroup_[i], tr("Position %1 Group").arg(p + 1));
        nameAfterCaption(cboChan_[i], tr("Position %1 Channel").arg(p + 1));
        nameAfterCaption(chkGrpVar_[i], tr("Position %1 Group Variable").arg(p + 1));
        nameAfterCaption(chkChanVar_[i], tr("Position %1 Channel Variable").arg(p + 1));
        rotary->addWidget(lbl, p + 1, 0);
        rotary->addWidget(cboGroup_[i], p + 1, 1);
        rotary->addWidget(cboChan_[i], p + 1, 2);
        rotary->addWidget(chkGrpVar_[i], p + 1, 3);
        rotary->addWidget(chkChanVar_[i], p + 1, 4);
    }
    auto* chkSample = new QCheckBox(
        tr("A checked box indicates the assignment is variable from the keypad."), fraRotary);
    chkSample->setObjectName(QStringLiteral("chkSample"));
    chkSample->setChecked(true);
    rotary->addWidget(chkSample, kRotaryPositions + 1, 0, 1, 5);
    auto* globals = new QHBoxLayout;
    QLabel* globalGroup = makeLabel(fraRotary, "lblGlobGrp", QT_TR_NOOP("Global Group:"));
    globals->addWidget(globalGroup);
    cboGlobalGroup_ = makeList(fraRotary, "cboGlobalGroup", lists::cboGlobalGroup());
    nameAfterCaption(cboGlobalGroup_, globalGroup->text());
    globals->addWidget(cboGlobalGroup_);
    QLabel* globalChannel = makeLabel(fraRotary, "lblGlobChan", QT_TR_NOOP("Global Channel:"));
    globals->addWidget(globalChannel);
    cboGlobalChannel_ = makeList(fraRotary, "cboGlobalChannel", lists::cboGlobalChannel());
    nameAfterCaption(cboGlobalChannel_, globalChannel->text());
    globals->addWidget(cboGlobalChannel_);
    globals->addStretch();
    rotary->addLayout(globals, kRotaryPositions + 2, 0, 1, 5);
    columns->addWidget(fraRotary);
    setCentralWidget(central);

    // Menu "Window".
    QMenu* mnuFile = menuBar()->addMenu(tr("Window"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSave_ = mnuFile->addAction(tr("Save Settings And Close Window"));
    mnuSave_->setObjectName(QStringLiteral("mnuSave"));
    mnuExit_ = mnuFile->addAction(tr("Close Window Without Saving"));
    mnuExit_->setObjectName(QStringLiteral("mnuExit"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    mnuReadSettings_ = mnuFile->addAction(tr("Read Settings Again"));
    mnuReadSettings_->setObjectName(QStringLiteral("mnuReadSettings"));
    auto command = [this](QAction* action, void (frmGlobals::*click)()) {
        connect(action, &QAction::triggered, this,
                [this, click] { runGuarded(session_.prompts(), this, [this, click] { (this->*click)(); }); });
    };
    command(mnuSave_, &frmGlobals::mnuSave_Click);
    command(mnuExit_, &frmGlobals::mnuExit_Click);
    command(mnuReadSettings_, &frmGlobals::mnuReadSettings_Click);

}

void frmGlobals::viewToControls() { globalsViewToControls(session_.globals().view(), *this); }

void frmGlobals::Form_Load() {
    show();
    UserPrompts& prompts = session_.prompts();
    runGuarded(prompts, this, [this] {
        clsGlobals(static_cast<const MemoryImage&>(session_.image()), session_.globals().view()).Read_Globals();
    });
    viewToControls();
    if (QScreen* s = screen()) {
        const QRect area = s->geometry();
        const QRect frame = frameGeometry();
        move(area.x() + (area.width() - frame.width()) / 2, area.y() + (area.height() - frame.height()) / 2);
    }
}

void frmGlobals::mnuSave_Click() {
    controlsToGlobalsView(*this, session_.globals().view());
    const bool ok = runGuarded(session_.prompts(), this,
                               [this] { clsGlobals(session_.image(), session_.globals().view()).Write_Globals(); });
    if (ok) hide();
}

void frmGlobals::mnuExit_Click() { hide(); }

void frmGlobals::mnuReadSettings_Click() {
    runGuarded(session_.prompts(), this, [this] {
        clsGlobals(static_cast<const MemoryImage&>(session_.image()), session_.globals().view()).Read_Globals();
    });
    viewToControls();
}

void frmGlobals::closeEvent(QCloseEvent* e) {
    // Not during a radio exchange: a Yes would change page 0 of the image
    // while it is being written.
    if (session_.busy().isBusy()) {
        e->ignore();
        return;
    }
    const MsgAnswer answer = session_.prompts().message(this, tr("Save Global Parameters?"), QString(),
                                                        MsgIcon::None, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Yes) {
        controlsToGlobalsView(*this, session_.globals().view());
        // A value that cannot be stored keeps the window open with its edits.
        if (!runGuarded(session_.prompts(), this,
                        [this] { clsGlobals(session_.image(), session_.globals().view()).Write_Globals(); })) {
            e->ignore();
            return;
        }
    } else if (answer != MsgAnswer::No) {
        e->ignore();
        return;
    }
    e->accept();   // WA_DeleteOnClose releases the window, and the session forgets it
}

}  // namespace orv
