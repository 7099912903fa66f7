#include "app/frmFleet.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <set>
#include "app/AppState.h"
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/RadioLink.h"
#include "app/UserPrompts.h"
#include "files/Backups.h"
#include "files/ImageFile.h"
#include "image/FieldError.h"
#include "job/Roster.h"
#include "platform/SerialPortList.h"

namespace orv {

namespace {

// The largest roster read (a fleet of thousands fits in far less).
constexpr std::size_t kRosterMaxBytes = 1024 * 1024;

enum Column { cPort, cUnit, cState, cProgress, kColumns };

}  // namespace

frmFleet::frmFleet(EditorShell& shell, QWidget* owner)
    : QDialog(owner),
      shell_(shell),
      txtRoster_(new QLineEdit(this)),
      cmdBrowse_(new QPushButton(tr("&Browse..."), this)),
      lstPorts_(new QListWidget(this)),
      chkVerify_(new QCheckBox(tr("&Verify each radio after writing it"), this)),
      cmdStart_(new QPushButton(tr("&Start"), this)),
      cmdStop_(new QPushButton(tr("S&top"), this)),
      cmdClose_(new QPushButton(tr("Close"), this)),
      grdRadios_(new QTableWidget(0, kColumns, this)),
      txtEvents_(new QPlainTextEdit(this)),
      lblSummary_(new QLabel(this)),
      timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("frmFleet"));
    setWindowTitle(tr("Program Fleet"));
    auto* lblTemplate = new QLabel(tr("Every radio gets the programming on screen; with a roster, each radio "
                                      "gets the next row (unit, ID, password, labels) not yet written and verified."),
                                   this);
    lblTemplate->setWordWrap(true);
    txtRoster_->setObjectName(QStringLiteral("txtRoster"));
    txtRoster_->setPlaceholderText(tr("none: the same programming for every radio"));
    auto* lblRoster = new QLabel(tr("&Roster:"), this);
    lblRoster->setBuddy(txtRoster_);
    cmdBrowse_->setObjectName(QStringLiteral("cmdBrowse"));
    connect(cmdBrowse_, &QPushButton::clicked, this, [this] {
        FileDialogSetup setup;
        setup.filters = {tr("Rosters (*.csv)"), tr("All files (*)")};
        setup.userFolder = false;
        const QString path = shell_.session().prompts().chooseFile(this, false, txtRoster_->text(), setup);
        if (!path.isEmpty()) txtRoster_->setText(path);
    });
    lstPorts_->setObjectName(QStringLiteral("lstPorts"));
    nameAfterCaption(lstPorts_, tr("Ports"));
    auto* lblPorts = new QLabel(tr("&Ports (tick the radios to write):"), this);
    lblPorts->setBuddy(lstPorts_);
    listPorts();
    chkVerify_->setObjectName(QStringLiteral("chkVerify"));
    chkVerify_->setChecked(true);

    grdRadios_->setObjectName(QStringLiteral("grdRadios"));
    grdRadios_->setHorizontalHeaderLabels({tr("Port"), tr("Unit"), tr("State"), tr("Progress")});
    grdRadios_->verticalHeader()->hide();
    grdRadios_->horizontalHeader()->setSectionResizeMode(cState, QHeaderView::Stretch);
    grdRadios_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    txtEvents_->setObjectName(QStringLiteral("txtEvents"));
    txtEvents_->setReadOnly(true);
    nameAfterCaption(txtEvents_, tr("Events"));
    lblSummary_->setObjectName(QStringLiteral("lblSummary"));
    lblSummary_->setWordWrap(true);

    cmdStart_->setObjectName(QStringLiteral("cmdStart"));
    cmdStop_->setObjectName(QStringLiteral("cmdStop"));
    cmdClose_->setObjectName(QStringLiteral("cmdClose"));
    cmdStart_->setDefault(true);
    cmdStop_->setEnabled(false);
    connect(cmdStart_, &QPushButton::clicked, this, [this] { start(); });
    connect(cmdStop_, &QPushButton::clicked, this, [this] {
        if (jobs_) jobs_->stop();
    });
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, [this] { poll(); });

    auto* roster = new QHBoxLayout;
    roster->addWidget(lblRoster);
    roster->addWidget(txtRoster_, 1);
    roster->addWidget(cmdBrowse_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblSummary_, 1);
    buttons->addWidget(cmdStart_);
    buttons->addWidget(cmdStop_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTemplate);
    layout->addLayout(roster);
    layout->addWidget(lblPorts);
    layout->addWidget(lstPorts_);
    layout->addWidget(chkVerify_);
    layout->addWidget(grdRadios_, 1);
    layout->addWidget(txtEvents_, 1);
    layout->addLayout(buttons);
    resize(std::max(sizeHint().width(), 640), 520);
}

frmFleet::~frmFleet() = default;   // the jobs stop and join

void frmFleet::listPorts() {
    std::set<QString> seen;
    auto add = [&](const QString& device, const QString& about) {
        if (device.isEmpty() || !seen.insert(device).second) return;
        auto* item = new QListWidgetItem(about.isEmpty() ? device : device + QStringLiteral("  (") + about + ')', lstPorts_);
        item->setData(Qt::UserRole, device);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    };
    for (int n = 1; n <= RadioLink::kPorts; ++n) add(RadioLink::deviceForPort(n), tr("Comm Port %1").arg(n));
    for (const SerialPortInfo& p : listSerialPorts())
        add(QString::fromStdString(p.device), QString::fromStdString(p.description()));
}

void frmFleet::start() {
    if (jobs_) return;
    EditorSession& session = shell_.session();
    std::vector<std::string> ports;
    for (int i = 0; i < lstPorts_->count(); ++i)
        if (lstPorts_->item(i)->checkState() == Qt::Checked)
            ports.push_back(lstPorts_->item(i)->data(Qt::UserRole).toString().toStdString());
    const auto say = [&](const QString& text) {
        session.prompts().message(this, text, windowTitle(), MsgIcon::Exclamation, MsgButtons::OK);
    };
    if (ports.empty()) return say(tr("Tick the ports of the radios to write."));
    RadioBusy::Hold hold = session.busy().hold();
    if (!hold) return session.prompts().beep();
    // What the radios get is what the screen shows.
    if (!shell_.storeCurrentGroup()) return;
    const MemoryImage templ = session.image();
    const LogSource log = LogSource::forProgram("orvedit");

    std::vector<FleetWork> work;
    const QString rosterPath = txtRoster_->text().trimmed();
    if (!rosterPath.isEmpty()) {
        std::string text;
        if (const FileStatus st = readWholeFile(rosterPath.toStdString(), text, kRosterMaxBytes); !st)
            return say(QString::fromStdString(st.message));
        std::optional<RosterRows> rows;
        try {
            rows.emplace(parseRoster(text, templ), unitsDone(readRadioLog(log.folder)));
        } catch (const FieldError& e) {
            return say(tr("The roster cannot be used:\r%1").arg(QString::fromStdString(e.what())));
        }
        if (rows->freeRows() < ports.size())
            return say(tr("%1 rows of the roster are not yet written and verified, for %2 radios.")
                           .arg(rows->freeRows())
                           .arg(ports.size()));
        for (const std::string& p : ports) {
            const RosterRow row = *rows->take();
            work.push_back({p, row.image, row.unit, {}});
        }
    } else {
        for (const std::string& p : ports) work.push_back({p, templ, {}, {}});
    }
    // What each radio is about to get, kept before anything is sent.
    for (FleetWork& w : work) w.writeBackup = keepBackup(w.image, BackupKind::Write).path;

    FleetPlan plan;
    plan.job.write = RadioJobPlan::Write::All;
    plan.job.readFirst = true;
    plan.job.verify = chkVerify_->isChecked() || !rosterPath.isEmpty();
    plan.job.logFolder = log.folder;
    plan.timing = session.link().timing();
    plan.portChoice = session.link().portSetup().portChoice;
    plan.log = log;

    grdRadios_->setRowCount(static_cast<int>(work.size()));
    for (int r = 0; r < static_cast<int>(work.size()); ++r) {
        const FleetWork& w = work[static_cast<std::size_t>(r)];
        grdRadios_->setItem(r, cPort, new QTableWidgetItem(QString::fromStdString(w.port)));
        grdRadios_->setItem(r, cUnit, new QTableWidgetItem(w.unit.empty() ? QStringLiteral("-") : QString::fromStdString(w.unit)));
        grdRadios_->setItem(r, cState, new QTableWidgetItem(tr("waiting")));
        grdRadios_->setItem(r, cProgress, new QTableWidgetItem(QString()));
    }
    txtEvents_->clear();
    lblSummary_->clear();
    hold_ = std::move(hold);
    jobs_ = std::make_unique<FleetJobs>(std::move(work), std::move(plan));
    cmdStart_->setEnabled(false);
    cmdClose_->setEnabled(false);
    cmdStop_->setEnabled(true);
    timer_->start();
}

void frmFleet::poll() {
    if (!jobs_) return;
    const std::vector<RadioRow> rows = jobs_->board().rows();
    for (int r = 0; r < static_cast<int>(rows.size()) && r < grdRadios_->rowCount(); ++r) {
        const RadioRow& row = rows[static_cast<std::size_t>(r)];
        grdRadios_->item(r, cState)->setText(QString::fromStdString(row.stage));
        const int span = row.max - row.min;
        grdRadios_->item(r, cProgress)
            ->setText(span > 0 ? QStringLiteral("%1 %").arg(100 * (row.value - row.min) / span) : QString());
    }
    for (const std::string& e : jobs_->board().takeEvents()) txtEvents_->appendPlainText(QString::fromStdString(e));
    if (!jobs_->running()) finish();
}

void frmFleet::finish() {
    timer_->stop();
    const std::vector<PortJobResult> results = jobs_->join();
    for (const std::string& e : jobs_->board().takeEvents()) txtEvents_->appendPlainText(QString::fromStdString(e));
    int failed = 0;
    for (int r = 0; r < static_cast<int>(results.size()); ++r) {
        const PortJobResult& res = results[static_cast<std::size_t>(r)];
        failed += !res.ok();
        grdRadios_->item(r, cState)->setText(QString::fromStdString(fleetOutcome(res)));
    }
    lblSummary_->setText(failed == 0 ? tr("%n radio(s) done.", nullptr, static_cast<int>(results.size()))
                                     : tr("%1 of %2 radios failed.").arg(failed).arg(results.size()));
    jobs_.reset();
    hold_.reset();
    cmdStart_->setEnabled(true);
    cmdClose_->setEnabled(true);
    cmdStop_->setEnabled(false);
}

void frmFleet::closeEvent(QCloseEvent* event) {
    // The radios being written are finished first: Stop ends them after
    // their current block.
    if (jobs_) {
        shell_.session().prompts().beep();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmFleet::reject() {
    if (jobs_) {
        shell_.session().prompts().beep();
        return;
    }
    QDialog::reject();
}

void mnuProgramFleet_Click(EditorShell& shell) {
    frmFleet window(shell, shell.shellWidget());
    window.exec();
}

}  // namespace orv
