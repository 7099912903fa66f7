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
#include "job/JobLog.h"
#include "job/RadioConnection.h"
#include "job/RadioIdentity.h"
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

// What an alignment job gives back: its result and the tuning state it left.
struct TuneOutcome {
    long result = 0;
    TuneState state;
    std::string version = "-";   // the radio's version word
};

// Runs `step` on `state` over the job's own connection; the alignment tool
// never touches the programming, so the link gets an image of its own.
TuneOutcome runTuneStep(JobContext& ctx, TuneState state, const std::function<long(ORVCore&)>& step) {
    MemoryImage unused;
    RadioConnection connection(ctx.port(), unused, ctx.host());
    ORVCore core(connection.com(), state);
    TuneOutcome out;
    out.result = step(core);
    ConnectionRecord record = connection.finish();
    out.version = record.version;
    ctx.keep(record);
    out.state = state;
    return out;
}

// The radio log's entry of an alignment write: the radio named by the
// tuning values it held before the write.
RadioLogEntry alignmentLogEntry(const LogSource& log, const std::string& device, const TuneState& before,
                                const TuneOutcome& out, const std::string& what) {
    RadioLogEntry e = logEntry(log, "align-write", device, out.version);
    MemoryImage tuning;
    std::copy(before.tuneData.begin(), before.tuneData.begin() + memmap::kTuningBlocks * memmap::kBlockSize,
              tuning.data());
    if (!e.radioVersion.empty()) e.fingerprint = radioFingerprint(tuning, e.radioVersion);
    e.result = out.result != 0 ? "ok" : "failed";
    e.message = what;
    return e;
}

// While the alignment window talks to the radio, the link's message boxes
// (the hook's Retry/Cancel, the write errors) stand over it: the owner is
// set for the job and given back when its result is committed.
std::function<void()> ownBoxes(QtHost& host, QWidget* owner) {
    QWidget* old = host.owner();
    host.setOwner(owner);
    return [&host, old] { host.setOwner(old); };
}

}  // namespace

const char* const frmTune::kHelpAnchor = "alignment";

// ------------------------------------------------------------------ frmTune

frmTune::frmTune(EditorSession& session, const TuneState& tune)
    : QWidget(session.mainWindow(), Qt::Window),
      session_(session),
      link_(session.link()),
      busy_(session.busy()),
      tune_(tune) {
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
    for (int i = 0; i < 6; ++i) ScrewDriver[i]->setValue(static_cast<int32_t>(ORVCore::rowValue(tune_.tuneData, i)));
}

void frmTune::setRadioButtonsEnabled(bool enabled) {
    for (QPushButton* b : cmdWrite) b->setEnabled(enabled);
    for (QPushButton* b : {cmdPullGain, cmdRefOsc, cmdVCO}) b->setEnabled(enabled);
}

void frmTune::runStep(const std::string& what, RadioBusy::Hold hold, std::function<bool(ORVCore&)> step,
                      std::function<void(bool)> done) {
    QPointer<frmTune> self(this);
    std::function<void()> restoreOwner = ownBoxes(link_.host(), this);
    link_.start<TuneOutcome>(
        std::move(hold),
        [state = tune_, step = std::move(step), what, log = LogSource::forProgram("orvedit")](JobContext& ctx) {
            TuneOutcome out = runTuneStep(ctx, state, [&](ORVCore& core) -> long { return step(core) ? 1 : 0; });
            logRadioJob(log, alignmentLogEntry(log, ctx.port().device, state, out, what));
            return out;
        },
        [self, restoreOwner, done = std::move(done)](TuneOutcome out) {
            restoreOwner();
            if (!self) return;
            self->tune_ = out.state;
            if (done) done(out.result != 0);
        },
        false, restoreOwner);
}

void frmTune::cmdWrite_Click(int index) {
    if (index < 0 || index > 5) return;
    RadioBusy::Hold hold = busy_.hold();
    if (!hold) return;
    // A refused hook has shown its own box; the control and tuneData keep the value.
    const long value = ScrewDriver[index]->Value();
    runStep("tuning row " + std::to_string(index + 1) + " set to " + std::to_string(value), std::move(hold),
            [index, value](ORVCore& core) { return core.writeRow(index, value); },
            [this, index](bool) {
                // The buttons were disabled during the write, which moved the focus on:
                // it goes back to the value just written, so that Page Up steps that one.
                ScrewDriver[index]->EditWin()->setFocus();
            });
}

void frmTune::runCalculator(AlignCalculator c) {
    RadioBusy::Hold hold = busy_.hold();
    if (!hold) return;
    // The calculator's reference writes first (none when the radio cannot be
    // hooked; the calculator opens all the same), then the calculator, then
    // the row's value back into the radio: one exchange throughout.
    const std::string row = "tuning row " + std::to_string(ORVCore::calcRow(c) + 1);
    runStep(row + ": the calculator's reference", hold, [c](ORVCore& core) { return core.writeCalcReference(c); },
            [this, c, hold, row](bool) {
        long result = -1;
        switch (c) {
        case AlignCalculator::PullGain: {
            frmPullGain dlg(session_.prompts(), [this](long v) { lPullGain = v; }, this);
            dlg.runModal();
            result = lPullGain;
            break;
        }
        case AlignCalculator::RefOsc: {
            frmRefOsc dlg(session_.prompts(), [this](long v) { lRefOsc = v; }, this);
            dlg.runModal();
            result = lRefOsc;
            break;
        }
        case AlignCalculator::VCOMod: {
            frmVCOMod dlg(session_.prompts(), [this](long v) { iVCOMod = static_cast<int16_t>(v); }, this);
            dlg.runModal();
            result = iVCOMod;
            break;
        }
        }
        if (result >= 0) ScrewDriver[ORVCore::calcRow(c)]->setValue(static_cast<int32_t>(result));
        // Cancelled or not, the row's value goes back into the radio, which the
        // calculator's opening set to its reference.
        runStep(row + ": the calculator's result written back", hold,
                [c, result](ORVCore& core) { return core.finishCalculator(c, result); }, {});
    });
}

void frmTune::cmdPullGain_Click() { runCalculator(AlignCalculator::PullGain); }
void frmTune::cmdRefOsc_Click() { runCalculator(AlignCalculator::RefOsc); }
void frmTune::cmdVCO_Click() { runCalculator(AlignCalculator::VCOMod); }

void frmTune::cmdHelp_Click() { session_.openHelpWindow(this, QString::fromLatin1(kHelpAnchor)); }

RadioRun frmTune::requestClose() {
    if (closeUnderWay_) return closeRun_;
    RadioRun run;
    closeRun_ = run;
    closeUnderWay_ = true;
    // Never in the middle of another exchange (the refusal beeps).
    RadioBusy::Hold hold = busy_.hold();
    if (!hold) {
        closeUnderWay_ = false;
        run.finish(false);
        return run;
    }
    QPointer<frmTune> self(this);
    runStep("the radio's own channels restored", std::move(hold), [](ORVCore& core) { return core.restoreRadioData(); },
            [self, run](bool restored) {
        if (!self) return run.finish(true);
        self->closeUnderWay_ = false;
        if (!restored &&
            self->session_.prompts().message(
                self, tr("Unable to restore original frequencies to radio. Do you still wan't to quit alignment"),
                tr("ORV Alignment"), MsgIcon::Question, MsgButtons::YesNo, std::nullopt,
                MsgAnswer::No) != MsgAnswer::Yes) {   // staying is the safe choice: Yes leaves test channels
            run.finish(false);   // the window stays; closing again tries the restore again
            return;
        }
        self->closing_ = true;
        self->close();
        run.finish(true);
    });
    return run;
}

void frmTune::closeEvent(QCloseEvent* e) {
    if (!closing_) {
        // The restore runs first; the window closes itself when it is done.
        e->ignore();
        requestClose();
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

RadioRun mnuTuneRadio_Click(EditorSession& session) {
    QWidget* mainWindow = session.mainWindow();
    UserPrompts& prompts = session.prompts();
    // A second start would save the test channels as group 1's data.
    if (frmTune* open = session.alignmentWindow()) {
        open->show();
        open->raise();
        open->activateWindow();
        return RadioRun::ended(true);
    }
    if (session.busy().isBusy()) {
        prompts.beep();
        return RadioRun::ended(false);
    }
    if (prompts.message(mainWindow, tuneWarningText(), frmTune::tr("Tune Radio:  Warning"), MsgIcon::Information,
                        MsgButtons::OKCancel) != MsgAnswer::OK)
        return RadioRun::ended(false);

    RadioBusy::Hold hold = session.busy().hold();
    if (!hold) return RadioRun::ended(false);
    RadioLink& link = session.link();
    link.setMainWindow(mainWindow);
    RadioRun run;
    link.start<TuneOutcome>(
        std::move(hold),
        [](JobContext& ctx) {
            return runTuneStep(ctx, TuneState{}, [](ORVCore& core) -> long { return core.startAlignment(); });
        },
        [&session, run](TuneOutcome out) {
            QWidget* main = session.mainWindow();
            if (out.result == ORVCore::kStarted) {
                auto* w = new frmTune(session, out.state);
                w->show();
                run.finish(true);
                return;
            }
            session.prompts().message(main,
                                      out.result == ORVCore::kNotHooked ? frmTune::tr("Unable to contact radio.")
                                                                        : frmTune::tr("Error reading radio."),
                                      frmTune::tr("ORVEdit"), MsgIcon::Exclamation, MsgButtons::OK);
            if (main) main->setEnabled(true);
            run.finish(false);
        },
        false, [run] { run.finish(false); });
    return run;
}

}  // namespace orv
