#include "app/frmTune.h"
#include "app/AppState.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/UserPrompts.h"
#include "app/ViewBinder.h"
#include "app/QtHost.h"
#include "app/RadioBusy.h"
#include "app/RadioLink.h"
#include "app/TuneBox.h"
#include "app/Twips.h"
#include "app/WindowPosition.h"
#include "app/frmPullGain.h"
#include "app/frmRefOsc.h"
#include "app/frmVCOMod.h"

namespace orv {

namespace {

constexpr const char* kTopKey = "TuneTop";
constexpr const char* kLeftKey = "TuneLeft";
constexpr int kLabelTwips = 3000;
constexpr int kBoxTwips = 1100;
constexpr int kWarningTwips = 6600;

// While the alignment window talks to the radio, the link's message boxes
// (the hook's Retry/Cancel, the write errors) stand over it.
class OwnerScope {
public:
    OwnerScope(QtHost& host, QWidget* owner) : host_(host), old_(host.owner()) { host_.setOwner(owner); }
    ~OwnerScope() { host_.setOwner(old_); }
    OwnerScope(const OwnerScope&) = delete;
    OwnerScope& operator=(const OwnerScope&) = delete;

private:
    QtHost& host_;
    QWidget* old_;
};

}  // namespace

const char* const frmTune::kHelpAnchor = "alignment";

// ------------------------------------------------------------------ frmTune

frmTune::frmTune(EditorSession& session, std::unique_ptr<ORVCore> core)
    : QWidget(session.mainWindow(), Qt::Window),
      session_(session),
      link_(session.link()),
      busy_(session.busy()),
      core_(std::move(core)) {
    setObjectName(QStringLiteral("frmTune"));
    setWindowTitle(tr("ORV Alignment Tool"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        const ORVCore::TuneRow& row = ORVCore::kRows[static_cast<std::size_t>(i)];
        Label2[i] = new QLabel(coreText("ORVCore", row.caption), this);
        Label2[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        Label2[i]->setMinimumWidth(twipsToPx(kLabelTwips));
        ScrewDriver[i] = new TuneBox(this);
        ScrewDriver[i]->setObjectName(QStringLiteral("ScrewDriver_%1").arg(i));
        nameAfterCaption(ScrewDriver[i], Label2[i]->text());
        ScrewDriver[i]->setFixedWidth(twipsToPx(kBoxTwips));
        // The design of the six controls: fixed length and max by width,
        // min 0, every step 1, no wrap, not locked, Delta 32.
        ScrewDriver[i]->readProperties({{QStringLiteral("FixLen"), row.word ? 4 : 2},
                                        {QStringLiteral("Max"), row.word ? 65535 : 255},
                                        {QStringLiteral("Min"), 0},
                                        {QStringLiteral("MaxInc"), 1},
                                        {QStringLiteral("Wrap"), false},
                                        {QStringLiteral("Locked"), false},
                                        {QStringLiteral("Delta"), 32}});
        ScrewDriver[i]->logic().refresh();
        ScrewDriver[i]->sync();
        cmdWrite[i] = new QPushButton(tr("Write"), this);
        cmdWrite[i]->setObjectName(QStringLiteral("cmdWrite_%1").arg(i));
        connect(cmdWrite[i], &QPushButton::clicked, this, [this, i] { runGuarded(session_.prompts(), this, [this, i] { cmdWrite_Click(i); }); });
        grid->addWidget(Label2[i], i, 0);
        grid->addWidget(ScrewDriver[i], i, 1);
        grid->addWidget(cmdWrite[i], i, 2);
    }
    auto calc = [this, grid](const char* name, int row) {
        auto* b = new QPushButton(tr("Calc"), this);
        b->setObjectName(QLatin1String(name));
        grid->addWidget(b, row, 3);
        return b;
    };
    cmdPullGain = calc("cmdPullGain", 2);
    cmdRefOsc = calc("cmdRefOsc", 3);
    cmdVCO = calc("cmdVCO", 4);
    connect(cmdPullGain, &QPushButton::clicked, this, [this] { runGuarded(session_.prompts(), this, [this] { cmdPullGain_Click(); }); });
    connect(cmdRefOsc, &QPushButton::clicked, this, [this] { runGuarded(session_.prompts(), this, [this] { cmdRefOsc_Click(); }); });
    connect(cmdVCO, &QPushButton::clicked, this, [this] { runGuarded(session_.prompts(), this, [this] { cmdVCO_Click(); }); });

    Label1 = new QLabel(
        tr("Warning:  This utility has made certain modifications to the radio channel data.  "
                       "The original frequencies will be restored when this window is closed.  "
                       "Do not disconnect the radio without closing this window."),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setFixedWidth(twipsToPx(kWarningTwips));
    cmdHelp = new QPushButton(tr("Help"), this);
    cmdHelp->setObjectName(QStringLiteral("cmdHelp"));
    connect(cmdHelp, &QPushButton::clicked, this, [this] { runGuarded(session_.prompts(), this, [this] { cmdHelp_Click(); }); });

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label1, 1);
    bottom->addWidget(cmdHelp, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&busy_, &RadioBusy::busyChanged, this, [this](bool b) { setRadioButtonsEnabled(!b); });
    setRadioButtonsEnabled(!busy_.isBusy());

    for (TuneBox* box : ScrewDriver) box->setBeep([this] { session_.prompts().beep(); });
    Form_Load();
    session_.setAlignmentWindow(this);
}

frmTune::~frmTune() {
    if (session_.alignmentWindow() == this) session_.setAlignmentWindow(nullptr);
}

void frmTune::Form_Load() {
    // The final size (fonts and styles applied) before the window is centred.
    ensurePolished();
    layout()->activate();
    adjustSize();
    restoreWindowPosition(this, kTopKey, kLeftKey);
    for (int i = 0; i < 6; ++i) ScrewDriver[i]->setValue(static_cast<int32_t>(core_->rowValue(i)));
}

void frmTune::setRadioButtonsEnabled(bool enabled) {
    for (QPushButton* b : cmdWrite) b->setEnabled(enabled);
    for (QPushButton* b : {cmdPullGain, cmdRefOsc, cmdVCO}) b->setEnabled(enabled);
}

void frmTune::cmdWrite_Click(int index) {
    if (index < 0 || index > 5) return;
    RadioBusy::Exchange exchange = busy_.begin();
    if (!exchange) return;
    OwnerScope owner(link_.host(), this);
    // A refused hook has shown its own box; the control and tuneData keep the value.
    const long value = ScrewDriver[index]->Value();
    link_.run([&] { core_->writeRow(index, value); }, false);
    // The buttons were disabled during the write, which moved the focus on:
    // it goes back to the value just written, so that Page Up steps that one.
    ScrewDriver[index]->EditWin()->setFocus();
}

void frmTune::runCalculator(AlignCalculator c) {
    RadioBusy::Exchange exchange = busy_.begin();
    if (!exchange) return;
    OwnerScope owner(link_.host(), this);
    long result = -1;
    const AlignCalcDialog::LinkRunner onLink = [this](const std::function<void()>& job) { link_.run(job, false); };
    switch (c) {
    case AlignCalculator::PullGain: {
        frmPullGain dlg(*core_, session_.prompts(), [this](long v) { lPullGain = v; }, this);
        dlg.runModal(onLink);
        result = lPullGain;
        break;
    }
    case AlignCalculator::RefOsc: {
        frmRefOsc dlg(*core_, session_.prompts(), [this](long v) { lRefOsc = v; }, this);
        dlg.runModal(onLink);
        result = lRefOsc;
        break;
    }
    case AlignCalculator::VCOMod: {
        frmVCOMod dlg(*core_, session_.prompts(), [this](long v) { iVCOMod = static_cast<int16_t>(v); }, this);
        dlg.runModal(onLink);
        result = iVCOMod;
        break;
    }
    }
    if (result >= 0) ScrewDriver[ORVCore::calcRow(c)]->setValue(static_cast<int32_t>(result));
    // Cancelled or not, the row's value goes back into the radio, which the
    // calculator's opening set to its reference.
    link_.run([&] { core_->finishCalculator(c, result); }, false);
}

void frmTune::cmdPullGain_Click() { runCalculator(AlignCalculator::PullGain); }
void frmTune::cmdRefOsc_Click() { runCalculator(AlignCalculator::RefOsc); }
void frmTune::cmdVCO_Click() { runCalculator(AlignCalculator::VCOMod); }

void frmTune::cmdHelp_Click() { session_.openHelpWindow(this, QString::fromLatin1(kHelpAnchor)); }

void frmTune::closeEvent(QCloseEvent* e) {
    // Never in the middle of another exchange (the refusal beeps).
    RadioBusy::Exchange exchange = busy_.begin();
    if (!exchange) {
        e->ignore();
        return;
    }
    bool restored = false;
    {
        OwnerScope owner(link_.host(), this);
        link_.run([&] { restored = core_->restoreRadioData(); }, false);
    }
    if (!restored &&
        session_.prompts().message(this,
                    tr("Unable to restore original frequencies to radio. Do you still wan't to quit alignment"),
                    tr("ORV Alignment"), MsgIcon::Question, MsgButtons::YesNo, std::nullopt,
                    MsgAnswer::No) != MsgAnswer::Yes) {   // staying is the safe choice: Yes leaves test channels
        e->ignore();   // the window stays; closing again tries the restore again
        return;
    }
    saveWindowPosition(this, kTopKey, kLeftKey);
    e->accept();
    if (session_.alignmentWindow() == this) session_.setAlignmentWindow(nullptr);
}

// ------------------------------------------------------------------ mnuTuneRadio

QString tuneWarningText() {
    return frmTune::tr(
        "Radio tuning requires special test procedures\r"
        "and should be performed only by a qualified service\r"
        "technician with the proper equipment.\r"
        "\r"
        "-----------See Service Manual-----------\r"
        "            Press OK to continue.");
}

frmTune* mnuTuneRadio_Click(EditorSession& session) {
    QWidget* mainWindow = session.mainWindow();
    UserPrompts& prompts = session.prompts();
    // A second start would save the test channels as group 1's data.
    if (frmTune* open = session.alignmentWindow()) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    if (session.busy().isBusy()) {
        prompts.beep();
        return nullptr;
    }
    if (prompts.message(mainWindow, tuneWarningText(), frmTune::tr("Tune Radio:  Warning"), MsgIcon::Information,
                        MsgButtons::OKCancel) != MsgAnswer::OK)
        return nullptr;

    RadioBusy::Exchange exchange = session.busy().begin();
    if (!exchange) return nullptr;
    RadioLink& link = session.link();
    link.setMainWindow(mainWindow);
    auto core = std::make_unique<ORVCore>(link.com());
    int result = ORVCore::kNotHooked;
    link.run([&] { result = core->startAlignment(); }, false);
    exchange.release();
    if (result == ORVCore::kStarted) {
        auto* w = new frmTune(session, std::move(core));
        w->show();
        return w;
    }
    prompts.message(mainWindow,
                    result == ORVCore::kNotHooked ? frmTune::tr("Unable to contact radio.")
                                                  : frmTune::tr("Error reading radio."),
                    frmTune::tr("ORVEdit"), MsgIcon::Exclamation, MsgButtons::OK);
    if (mainWindow) mainWindow->setEnabled(true);
    return nullptr;
}

}  // namespace orv
