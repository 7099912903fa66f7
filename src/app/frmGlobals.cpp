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
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include "app/EditorShell.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/QtHost.h"

namespace orv {

namespace {

QPointer<frmGlobals>& loadedWindow() {
    static QPointer<frmGlobals> window;
    return window;
}

bool& refreshPending() {
    static bool pending = false;
    return pending;
}

QComboBox* makeList(QWidget* parent, const char* name, const std::vector<std::string>& entries) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const auto& e : entries) box->addItem(QString::fromStdString(e));
    return box;
}

QLabel* makeLabel(QWidget* parent, const char* name, const char* caption) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setObjectName(QString::fromLatin1(name));
    return label;
}

void setIndex(QComboBox* box, int index) {
    if (box->currentIndex() != index) box->setCurrentIndex(index < box->count() ? index : -1);
}

void setChecked(QCheckBox* box, int value) {
    const Qt::CheckState state =
        value == 1 ? Qt::Checked : value == 2 ? Qt::PartiallyChecked : Qt::Unchecked;
    if (box->checkState() != state) box->setCheckState(state);
}

int checkValue(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}

}  // namespace

GlobalsView& frmGlobals::view() {
    static GlobalsView v;
    return v;
}

frmGlobals* frmGlobals::instance(QWidget* owner, bool create) {
    if (!loadedWindow() && create) {
        auto* w = new frmGlobals(owner);
        loadedWindow() = w;
        w->Form_Load();
    }
    return loadedWindow();
}

void frmGlobals::ensureLoaded() { instance(nullptr, true); }

void frmGlobals::showWindow(QWidget* owner) {
    if (frmGlobals* w = loadedWindow()) {
        w->show();
        w->raise();
        w->activateWindow();
        return;
    }
    instance(owner, true);
}

void frmGlobals::refreshControls() {
    refreshPending() = false;
    if (frmGlobals* w = loadedWindow()) w->viewToControls();
}

frmGlobals::frmGlobals(QWidget* owner) : QMainWindow(owner, Qt::Window) {
    setObjectName(QStringLiteral("frmGlobals"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Group '0' Globals  -  ORV Editor   "));
    // The same face whoever loads the window (the menu with the main window
    // as owner, or a decode without one).
    applyEditorFace(this);
    buildControls();
}

frmGlobals::~frmGlobals() {
    // Form_Terminate: the window's codec goes with it.
    if (loadedWindow() == this) {
        loadedWindow() = nullptr;
        GlobalsWindowOpen = false;
    }
}

void frmGlobals::buildControls() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    columns->addLayout(left);

    // Frame "Global Variables".
    auto* fraUnit = new QGroupBox(QStringLiteral("Global Variables"), central);
    fraUnit->setObjectName(QStringLiteral("fraUnit"));
    auto* unit = new QGridLayout(fraUnit);
    struct Row { const char* label; const char* caption; const char* list; QComboBox** box;
                 const std::vector<std::string>& entries; bool tip; };
    const Row unitRows[] = {
        {"lblDTMFDev", "DTMF FM Deviation in Hz:", "cboDTMFDev", &cboDTMFDev_, lists::cboDTMFDev(), true},
        {"lblPorch", "Front Porch Time in Milliseconds:", "cboPorchTime", &cboPorchTime_, lists::cboPorchTime(), true},
        {"lblAniRate", "ANI Rate in Chars/Second:", "cboANIRate", &cboANIRate_, lists::cboANIRate(), true},
        {"lblPriRate", "Priority Rate in seconds:", "cboPriRate", &cboPriRate_, lists::cboPriRate(), true},
        {"lblBattSave", "Global Battery Saver:", "cboBattSave", &cboBattSave_, lists::cboBattSave(), true},
        {"lblFreqDisplay", "Display Frequencies Only:", "cboFreqDisplay", &cboFreqDisplay_, lists::cboEnableDisable(), false},
        {"lblPerChanPower", "Per Channel Power Selection:", "cboLoPower", &cboLoPower_, lists::cboEnableDisable(), false},
        {"lblTalkBack", "Talk Back Scan:", "cboTalkBack", &cboTalkBack_, lists::cboEnableDisable(), false},
        {"lblNuisanceChan", "Nuisance Channel Delete:", "cboNuisanceChan", &cboNuisanceChan_, lists::cboEnableDisable(), false},
    };
    int r = 0;
    for (const Row& row : unitRows) {
        unit->addWidget(makeLabel(fraUnit, row.label, row.caption), r, 0);
        *row.box = makeList(fraUnit, row.list, row.entries);
        if (row.tip) (*row.box)->setToolTip(QStringLiteral("Select value from list."));
        unit->addWidget(*row.box, r, 1);
        ++r;
    }
    left->addWidget(fraUnit);

    // Frame "Toggle Switch Assignments".
    auto* fraToggles = new QGroupBox(QStringLiteral("Toggle Switch Assignments"), central);
    fraToggles->setObjectName(QStringLiteral("fraToggles"));
    auto* toggles = new QGridLayout(fraToggles);
    const Row toggleRows[] = {
        {"lblLoPowerSwitch", "Low Power:", "cboLoPowerSwitch", &cboLoPowerSwitch_, lists::cboSwitch(), false},
        {"lblChanScan", "Channel Scan:", "cboChanScan", &cboChanScan_, lists::cboSwitch(), false},
        {"lblPriScan", "Priority Scan:", "cboPriScan", &cboPriScan_, lists::cboSwitch(), false},
        {"lblRTA", "Repeater Talk Around:", "cboRTA", &cboRTA_, lists::cboSwitch(), false},
        {"lblGroupScan", "Group Scan:", "cboGroupScan", &cboGroupScan_, lists::cboSwitch(), false},
    };
    r = 0;
    for (const Row& row : toggleRows) {
        toggles->addWidget(makeLabel(fraToggles, row.label, row.caption), r, 0);
        *row.box = makeList(fraToggles, row.list, row.entries);
        toggles->addWidget(*row.box, r, 1);
        ++r;
    }
    left->addWidget(fraToggles);
    left->addStretch();

    // Frame "Rotary Switch Assignments".
    auto* fraRotary = new QGroupBox(QStringLiteral("Rotary Switch Assignments"), central);
    fraRotary->setObjectName(QStringLiteral("fraRotarySwitch"));
    auto* rotary = new QGridLayout(fraRotary);
    rotary->addWidget(makeLabel(fraRotary, "lblPos", "Position:"), 0, 0);
    rotary->addWidget(makeLabel(fraRotary, "lblGroup", "Group             Channel"), 0, 1, 1, 2);
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
        rotary->addWidget(lbl, p + 1, 0);
        rotary->addWidget(cboGroup_[i], p + 1, 1);
        rotary->addWidget(cboChan_[i], p + 1, 2);
        rotary->addWidget(chkGrpVar_[i], p + 1, 3);
        rotary->addWidget(chkChanVar_[i], p + 1, 4);
    }
    auto* chkSample = new QCheckBox(
        QStringLiteral("A checked box indicates the assignment is variable from the keypad."), fraRotary);
    chkSample->setObjectName(QStringLiteral("chkSample"));
    chkSample->setChecked(true);
    rotary->addWidget(chkSample, kRotaryPositions + 1, 0, 1, 5);
    auto* globals = new QHBoxLayout;
    globals->addWidget(makeLabel(fraRotary, "lblGlobGrp", "Global Group:"));
    cboGlobalGroup_ = makeList(fraRotary, "cboGlobalGroup", lists::cboGlobalGroup());
    globals->addWidget(cboGlobalGroup_);
    globals->addWidget(makeLabel(fraRotary, "lblGlobChan", "Global Channel:"));
    cboGlobalChannel_ = makeList(fraRotary, "cboGlobalChannel", lists::cboGlobalChannel());
    globals->addWidget(cboGlobalChannel_);
    globals->addStretch();
    rotary->addLayout(globals, kRotaryPositions + 2, 0, 1, 5);
    columns->addWidget(fraRotary);
    setCentralWidget(central);

    // Menu "Window".
    QMenu* mnuFile = menuBar()->addMenu(QStringLiteral("Window"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuSave_ = mnuFile->addAction(QStringLiteral("Save Settings And Close Window"));
    mnuSave_->setObjectName(QStringLiteral("mnuSave"));
    mnuExit_ = mnuFile->addAction(QStringLiteral("Close Window Without Saving"));
    mnuExit_->setObjectName(QStringLiteral("mnuExit"));
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuSep1"));
    mnuReadSettings_ = mnuFile->addAction(QStringLiteral("Read Settings Again"));
    mnuReadSettings_->setObjectName(QStringLiteral("mnuReadSettings"));
    connect(mnuSave_, &QAction::triggered, this, &frmGlobals::mnuSave_Click);
    connect(mnuExit_, &QAction::triggered, this, &frmGlobals::mnuExit_Click);
    connect(mnuReadSettings_, &QAction::triggered, this, &frmGlobals::mnuReadSettings_Click);

    // Every change the user makes goes into its own field of the view at
    // once; the other fields keep what the last decode put there.
    const std::pair<QComboBox*, int GlobalsView::*> scalars[] = {
        {cboDTMFDev_, &GlobalsView::cboDTMFDev}, {cboPorchTime_, &GlobalsView::cboPorchTime},
        {cboANIRate_, &GlobalsView::cboANIRate}, {cboPriRate_, &GlobalsView::cboPriRate},
        {cboBattSave_, &GlobalsView::cboBattSave}, {cboFreqDisplay_, &GlobalsView::cboFreqDisplay},
        {cboLoPower_, &GlobalsView::cboLoPower}, {cboTalkBack_, &GlobalsView::cboTalkBack},
        {cboNuisanceChan_, &GlobalsView::cboNuisanceChan},
        {cboLoPowerSwitch_, &GlobalsView::cboLoPowerSwitch}, {cboChanScan_, &GlobalsView::cboChanScan},
        {cboPriScan_, &GlobalsView::cboPriScan}, {cboRTA_, &GlobalsView::cboRTA},
        {cboGroupScan_, &GlobalsView::cboGroupScan}, {cboGlobalGroup_, &GlobalsView::cboGlobalGroup},
        {cboGlobalChannel_, &GlobalsView::cboGlobalChannel}};
    for (const auto& [box, field] : scalars)
        connect(box, &QComboBox::currentIndexChanged, this, [f = field](int i) { view().*f = i; });
    for (std::size_t i = 0; i < kRotaryPositions; ++i) {
        connect(cboGroup_[i], &QComboBox::currentIndexChanged, this, [i](int v) { view().cboGroup[i] = v; });
        connect(cboChan_[i], &QComboBox::currentIndexChanged, this, [i](int v) { view().cboChan[i] = v; });
        QCheckBox* grp = chkGrpVar_[i];
        QCheckBox* chan = chkChanVar_[i];
        connect(grp, &QCheckBox::stateChanged, this, [i, grp] { view().chkGrpVar[i] = checkValue(grp); });
        connect(chan, &QCheckBox::stateChanged, this, [i, chan] { view().chkChanVar[i] = checkValue(chan); });
    }
}

void frmGlobals::viewToControls() {
    const GlobalsView& v = view();
    const QSignalBlocker block(this);
    QList<QWidget*> all = findChildren<QWidget*>();
    for (QWidget* w : all) w->blockSignals(true);
    setIndex(cboDTMFDev_, v.cboDTMFDev);
    setIndex(cboPorchTime_, v.cboPorchTime);
    setIndex(cboANIRate_, v.cboANIRate);
    setIndex(cboPriRate_, v.cboPriRate);
    setIndex(cboBattSave_, v.cboBattSave);
    setIndex(cboFreqDisplay_, v.cboFreqDisplay);
    setIndex(cboLoPower_, v.cboLoPower);
    setIndex(cboTalkBack_, v.cboTalkBack);
    setIndex(cboNuisanceChan_, v.cboNuisanceChan);
    setIndex(cboLoPowerSwitch_, v.cboLoPowerSwitch);
    setIndex(cboChanScan_, v.cboChanScan);
    setIndex(cboPriScan_, v.cboPriScan);
    setIndex(cboRTA_, v.cboRTA);
    setIndex(cboGroupScan_, v.cboGroupScan);
    for (std::size_t i = 0; i < kRotaryPositions; ++i) {
        setIndex(cboGroup_[i], v.cboGroup[i]);
        setIndex(cboChan_[i], v.cboChan[i]);
        setChecked(chkGrpVar_[i], v.chkGrpVar[i]);
        setChecked(chkChanVar_[i], v.chkChanVar[i]);
    }
    setIndex(cboGlobalGroup_, v.cboGlobalGroup);
    setIndex(cboGlobalChannel_, v.cboGlobalChannel);
    for (QWidget* w : all) w->blockSignals(false);
}

void frmGlobals::controlsToView() {
    GlobalsView& v = view();
    v.cboDTMFDev = cboDTMFDev_->currentIndex();
    v.cboPorchTime = cboPorchTime_->currentIndex();
    v.cboANIRate = cboANIRate_->currentIndex();
    v.cboPriRate = cboPriRate_->currentIndex();
    v.cboBattSave = cboBattSave_->currentIndex();
    v.cboFreqDisplay = cboFreqDisplay_->currentIndex();
    v.cboLoPower = cboLoPower_->currentIndex();
    v.cboTalkBack = cboTalkBack_->currentIndex();
    v.cboNuisanceChan = cboNuisanceChan_->currentIndex();
    v.cboLoPowerSwitch = cboLoPowerSwitch_->currentIndex();
    v.cboChanScan = cboChanScan_->currentIndex();
    v.cboPriScan = cboPriScan_->currentIndex();
    v.cboRTA = cboRTA_->currentIndex();
    v.cboGroupScan = cboGroupScan_->currentIndex();
    for (std::size_t i = 0; i < kRotaryPositions; ++i) {
        v.cboGroup[i] = cboGroup_[i]->currentIndex();
        v.cboChan[i] = cboChan_[i]->currentIndex();
        v.chkGrpVar[i] = checkValue(chkGrpVar_[i]);
        v.chkChanVar[i] = checkValue(chkChanVar_[i]);
    }
    v.cboGlobalGroup = cboGlobalGroup_->currentIndex();
    v.cboGlobalChannel = cboGlobalChannel_->currentIndex();
}

void frmGlobals::Form_Load() {
    // The window's own codec works on the controls it already has.
    globals_ = std::make_unique<clsGlobals>(theImage(), view());
    show();
    GlobalsWindowOpen = true;
    refreshPending() = false;
    runGuarded(this, [this] { globals_->Read_Globals(); });
    viewToControls();
    if (QScreen* s = screen()) {
        const QRect area = s->geometry();
        const QRect frame = frameGeometry();
        move(area.x() + (area.width() - frame.width()) / 2,
             area.y() + (area.height() - frame.height()) / 2);
    }
}

void frmGlobals::mnuSave_Click() {
    refreshControls();
    controlsToView();
    const bool ok = runGuarded(this, [this] { globals_->Write_Globals(); });
    if (ok) hide();
}

void frmGlobals::mnuExit_Click() { hide(); }

void frmGlobals::mnuReadSettings_Click() {
    runGuarded(this, [this] { globals_->Read_Globals(); });
    viewToControls();
}

void frmGlobals::closeEvent(QCloseEvent* e) {
    const MsgAnswer answer = showMessage(this, QStringLiteral("Save Global Parameters?"), QString(),
                                         MsgIcon::None, MsgButtons::YesNoCancel);
    if (answer == MsgAnswer::Yes) {
        refreshControls();
        controlsToView();
        // A value that cannot be stored keeps the window open with its edits.
        if (!runGuarded(this, [this] { globals_->Write_Globals(); })) {
            e->ignore();
            return;
        }
    } else if (answer != MsgAnswer::No) {
        e->ignore();
        return;
    }
    GlobalsWindowOpen = false;
    loadedWindow() = nullptr;
    e->accept();   // WA_DeleteOnClose releases the window and its codec
}

std::unique_ptr<clsGlobals> makeMainGlobalsCodec() {
    return std::make_unique<clsGlobals>(theImage(), frmGlobals::view(), [] {
        frmGlobals::ensureLoaded();
        // The controls show what the codec decodes once this operation is
        // done: on the next pass of the event loop at the latest.
        if (!refreshPending()) {
            refreshPending() = true;
            QTimer::singleShot(0, [] {
                if (refreshPending()) frmGlobals::refreshControls();
            });
        }
    });
}

}  // namespace orv
