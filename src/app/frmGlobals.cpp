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
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>
#include "app/EditorSession.h"
#include "app/RadioBusy.h"
#include "app/ViewBinder.h"
#include "image/clsGlobals.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "image/FieldTable.h"

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
    // The window's own texts for the fields of the field table, which gives
    // each control its name and entries.
    struct Caption {
        int GlobalsView::*member;
        const char* label;    // the label's object name
        const char* caption;  // its text
        bool tip;             // "Select value from list."
    };
    static const Caption captions[] = {
        {&GlobalsView::cboDTMFDev, "lblDTMFDev", QT_TR_NOOP("DTMF FM Deviation in Hz:"), true},
        {&GlobalsView::cboPorchTime, "lblPorch", QT_TR_NOOP("Front Porch Time in Milliseconds:"), true},
        {&GlobalsView::cboANIRate, "lblAniRate", QT_TR_NOOP("ANI Rate in Chars/Second:"), true},
        {&GlobalsView::cboPriRate, "lblPriRate", QT_TR_NOOP("Priority Rate in seconds:"), true},
        {&GlobalsView::cboBattSave, "lblBattSave", QT_TR_NOOP("Global Battery Saver:"), true},
        {&GlobalsView::cboFreqDisplay, "lblFreqDisplay", QT_TR_NOOP("Display Frequencies Only:"), false},
        {&GlobalsView::cboLoPower, "lblPerChanPower", QT_TR_NOOP("Per Channel Power Selection:"), false},
        {&GlobalsView::cboTalkBack, "lblTalkBack", QT_TR_NOOP("Talk Back Scan:"), false},
        {&GlobalsView::cboNuisanceChan, "lblNuisanceChan", QT_TR_NOOP("Nuisance Channel Delete:"), false},
        {&GlobalsView::cboLoPowerSwitch, "lblLoPowerSwitch", QT_TR_NOOP("Low Power:"), false},
        {&GlobalsView::cboChanScan, "lblChanScan", QT_TR_NOOP("Channel Scan:"), false},
        {&GlobalsView::cboPriScan, "lblPriScan", QT_TR_NOOP("Priority Scan:"), false},
        {&GlobalsView::cboRTA, "lblRTA", QT_TR_NOOP("Repeater Talk Around:"), false},
        {&GlobalsView::cboGroupScan, "lblGroupScan", QT_TR_NOOP("Group Scan:"), false},
        {&GlobalsView::cboGlobalGroup, "lblGlobGrp", QT_TR_NOOP("Global Group:"), false},
        {&GlobalsView::cboGlobalChannel, "lblGlobChan", QT_TR_NOOP("Global Channel:"), false},
    };
    // The accessible name of a rotary position's control (%1: the position).
    struct RotaryCaption {
        std::array<int, kRotaryPositions> GlobalsView::*member;
        const char* caption;
    };
    static const RotaryCaption rotaryCaptions[] = {
        {&GlobalsView::cboGroup, QT_TR_NOOP("Position %1 Group")},
        {&GlobalsView::cboChan, QT_TR_NOOP("Position %1 Channel")},
        {&GlobalsView::chkGrpVar, QT_TR_NOOP("Position %1 Group Variable")},
        {&GlobalsView::chkChanVar, QT_TR_NOOP("Position %1 Channel Variable")},
    };
    auto captionOf = [](const fields::GlobalList& f) -> const Caption& {
        for (const Caption& c : captions)
            if (c.member == f.member) return c;
        throw std::logic_error(std::string("the global window has no caption for ") + f.name);
    };
    // A labelled list of the field table.
    auto labelledList = [&](QWidget* parent, const fields::GlobalList& f) {
        const Caption& c = captionOf(f);
        QLabel* label = makeLabel(parent, c.label, c.caption);
        QComboBox* box = makeList(parent, f.name, f.entries());
        nameAfterCaption(box, label->text());
        if (c.tip) box->setToolTip(tr("Select value from list."));
        return std::pair{label, box};
    };

    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    // Frames "Global Variables" and "Toggle Switch Assignments": a label and a list a row.
    auto* fraUnit = new QGroupBox(tr("Global Variables"), central);
    fraUnit->setObjectName(QStringLiteral("fraUnit"));
    auto* fraToggles = new QGroupBox(tr("Toggle Switch Assignments"), central);
    fraToggles->setObjectName(QStringLiteral("fraToggles"));
    auto* unit = new QGridLayout(fraUnit);
    auto* toggles = new QGridLayout(fraToggles);
    int unitRows = 0, toggleRows = 0;
    for (const auto& f : fields::globalHeadLists()) {
        const bool isUnit = f.frame == fields::GlobalFrame::Unit;
        const auto [label, box] = labelledList(isUnit ? fraUnit : fraToggles, f);
        QGridLayout* grid = isUnit ? unit : toggles;
        const int row = (isUnit ? unitRows : toggleRows)++;
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    }
    left->addWidget(fraUnit);
    left->addWidget(fraToggles);
    left->addStretch();

    // Frame "Rotary Switch Assignments": a row per position, a column per rotary field.
    auto* fraRotary = new QGroupBox(tr("Rotary Switch Assignments"), central);
    fraRotary->setObjectName(QStringLiteral("fraRotarySwitch"));
    auto* rotary = new QGridLayout(fraRotary);
    // Each list has its "variable from the keypad" box beside it, under a
    // heading of its own.
    rotary->addWidget(makeLabel(fraRotary, "lblPos", QT_TR_NOOP("Position:")), 0, 0);
    rotary->addWidget(makeLabel(fraRotary, "lblGroup", QT_TR_NOOP("Group")), 0, 1);
    rotary->addWidget(makeLabel(fraRotary, "lblGrpVar", QT_TR_NOOP("Keypad")), 0, 2);
    rotary->addWidget(makeLabel(fraRotary, "lblChan", QT_TR_NOOP("Channel")), 0, 3);
    rotary->addWidget(makeLabel(fraRotary, "lblChanVar", QT_TR_NOOP("Keypad")), 0, 4);
    const char* const columnOrder[] = {"cboGroup", "chkGrpVar", "cboChan", "chkChanVar"};
    std::vector<const fields::RotaryField*> inColumns;
    for (const char* name : columnOrder)
        for (const auto& f : fields::rotaryFields())
            if (std::string_view(f.name) == name) inColumns.push_back(&f);
    for (int p = 0; p < kRotaryPositions; ++p) {
        auto* lbl = new QLabel(QString::number(p + 1), fraRotary);
        lbl->setObjectName(QStringLiteral("lblPos") + QString::number(p + 1));
        rotary->addWidget(lbl, p + 1, 0);
        int column = 1;
        for (const fields::RotaryField* field : inColumns) {
            const auto& f = *field;
            QWidget* control = nullptr;
            if (f.entries) {
                control = makeList(fraRotary, "", f.entries());
            } else {
                control = new QCheckBox(fraRotary);
            }
            control->setObjectName(QString::fromStdString(f.nameAt(p)));
            // Named after the position and the column (the boxes: variable from the keypad).
            for (const RotaryCaption& c : rotaryCaptions)
                if (c.member == f.member) nameAfterCaption(control, tr(c.caption).arg(p + 1));
            rotary->addWidget(control, p + 1, column++);
        }
    }
    auto* chkSample = new QCheckBox(
        tr("A checked box indicates the assignment is variable from the keypad."), fraRotary);
    chkSample->setObjectName(QStringLiteral("chkSample"));
    chkSample->setChecked(true);
    rotary->addWidget(chkSample, kRotaryPositions + 1, 0, 1, 5);
    auto* globals = new QHBoxLayout;
    for (const auto& f : fields::globalTailLists()) {
        const auto [label, box] = labelledList(fraRotary, f);
        globals->addWidget(label);
        globals->addWidget(box);
    }
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

QComboBox* frmGlobals::list(int GlobalsView::*member) const {
    for (const auto* table : {&fields::globalHeadLists(), &fields::globalTailLists()})
        for (const auto& f : *table)
            if (f.member == member) return findChild<QComboBox*>(QString::fromLatin1(f.name));
    return nullptr;
}

template <typename Control>
Control* frmGlobals::rotaryControl(std::array<int, kRotaryPositions> GlobalsView::*member, int p) const {
    if (p < 0 || p >= kRotaryPositions) throw std::out_of_range("rotary position " + std::to_string(p));
    for (const auto& f : fields::rotaryFields())
        if (f.member == member) return findChild<Control*>(QString::fromStdString(f.nameAt(p)));
    return nullptr;
}

QComboBox* frmGlobals::cboGroup(int p) const { return rotaryControl<QComboBox>(&GlobalsView::cboGroup, p); }
QComboBox* frmGlobals::cboChan(int p) const { return rotaryControl<QComboBox>(&GlobalsView::cboChan, p); }
QCheckBox* frmGlobals::chkGrpVar(int p) const { return rotaryControl<QCheckBox>(&GlobalsView::chkGrpVar, p); }
QCheckBox* frmGlobals::chkChanVar(int p) const { return rotaryControl<QCheckBox>(&GlobalsView::chkChanVar, p); }

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
