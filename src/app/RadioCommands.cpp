#include "app/FileOpenSave.h"
#include "app/RadioCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QWidget>
#include <exception>
#include "app/BackupCommands.h"
#include "app/EditorSession.h"
#include "app/CommandGuard.h"
#include "app/EditorShell.h"
#include "app/ViewBinder.h"
#include "app/frmVerify.h"
#include "files/ImageFile.h"
#include "image/NumText.h"
#include "job/JobText.h"
#include "job/RadioJob.h"

namespace orv {

namespace {

const char* const kConfirmWrite = QT_TRANSLATE_NOOP("RadioCommands", "Are you sure you want to write to the radio?");

// Messages of the radio commands carry the application's title and no icon.
MsgAnswer ask(EditorShell& shell, const QString& text, MsgButtons buttons) {
    return shell.session().prompts().message(shell.shellWidget(), text, QString(), MsgIcon::None, buttons);
}

// The group number (1..15) named by cboCurrentGroup, or 0 when it names none.
int currentGroupNumber(EditorShell& shell) {
    const double n = roundHalfEven(numericValue(shell.currentGroupText().toStdString()));
    return n >= 1 && n <= kGroups ? static_cast<int>(n) : 0;
}

// Steps 1 and 2 of every write: the group on screen into the image (a value
// that cannot be stored ends the command; the shell has beeped), then the
// first confirmation.
bool storeAndConfirm(EditorShell& shell) {
    if (!shell.storeCurrentGroup()) return false;
    return ask(shell, QCoreApplication::translate("RadioCommands", kConfirmWrite), MsgButtons::OKCancel) ==
           MsgAnswer::OK;
}

// The start of every radio command: refused with a beep (an empty Exchange)
// while another exchange runs, or while the alignment window keeps its test
// channels in the radio.
RadioBusy::Exchange beginCommand(EditorShell& shell) {
    EditorSession& session = shell.session();
    if (session.alignmentWindow()) {
        session.prompts().beep();
        return {};
    }
    return session.busy().begin();
}

// The device the link uses, as the reports name it.
std::string deviceInUse(EditorShell& shell) { return shell.session().link().com().port().device(); }

void showStatus(EditorShell& shell, const std::string& text) {
    shell.session().showStatus(QString::fromStdString(text));
}

// The report of a read that ended: what was read and the backup kept, or
// that it failed or was cancelled.
void readStatus(EditorShell& shell, bool ok, RadioPart part, int group, const BackupResult& backup = {}) {
    const std::string device = deviceInUse(shell);
    showStatus(shell, ok ? readDoneText(part, group, device, backup.path)
                         : radioEndedText(RadioAction::Read, part, group, device,
                                          shell.session().link().com().readCancelled()));
}

// The report of a job: what was written (and the verify's verdict), or
// that the write or the verify failed or was cancelled.
void jobStatus(EditorShell& shell, const RadioJobResult& r, RadioPart part, int group) {
    using Step = RadioJobResult::Step;
    const std::string device = deviceInUse(shell);
    if (r.written == Step::NotAsked) {   // a verify on its own
        if (r.verified == Step::Done) showStatus(shell, kRadioMatches);
        else if (r.radioRead) showStatus(shell, "Verify: " + r.failure);
        else showStatus(shell, radioEndedText(RadioAction::Verify, part, group, device, r.verified == Step::Stopped));
        return;
    }
    if (r.written != Step::Done) {
        showStatus(shell, radioEndedText(RadioAction::Write, part, group, device, r.written == Step::Stopped));
        return;
    }
    std::string text = wroteText(part, group, device);
    if (r.verified == Step::Done) text += std::string(" — ") + kRadioMatches;
    else if (r.verified != Step::NotAsked) text += " — " + r.failure;
    showStatus(shell, text);
}

// The progress dialog's Cancel is the job's stop.
RadioJobHooks jobHooks(RadioLink& link) {
    RadioJobHooks hooks;
    hooks.stopped = [&link] { return link.proc().Cancelled(); };
    return hooks;
}

// Runs `plan` on the link's worker thread, the progress dialog showing
// `text`, and unloads the dialog afterwards.
RadioJobResult runJob(EditorShell& shell, const RadioJobPlan& plan, const RadioJobHooks& hooks, const QString& text) {
    RadioLink& link = shell.session().link();
    link.preShow(text);
    RadioJobResult r;
    link.run([&] { r = runRadioJob(link.com(), shell.session().image(), plan, hooks); });
    link.unloadProc();
    return r;
}

// The verdict of a job's verify: the backup's trouble, then "Radio matches"
// in a box, or the verify window listing the differences. True when the
// radio matches. A read that failed has said why.
bool showVerify(EditorShell& shell, const RadioJobResult& r) {
    if (!r.radioRead) return false;
    EditorSession& session = shell.session();
    RadioLink& link = session.link();
    reportBackup(shell, r.readBackup);
    if (frmVerify* old = link.verifyWindow()) old->close();
    if (r.verified == RadioJobResult::Step::Done) {
        session.prompts().message(shell.shellWidget(), coreText("JobText", kRadioMatches),
                                  QCoreApplication::translate("RadioCommands", "Verify Radio"), MsgIcon::Information,
                                  MsgButtons::OK);
        return true;
    }
    auto* window = new frmVerify(shell.shellWidget());
    window->showDifferences(r.differences);
    link.setVerifyWindow(window);
    window->show();
    return false;
}

QString verifyingText() { return QCoreApplication::translate("RadioCommands", "Please Wait - Verifying Radio"); }
QString writingText() { return QCoreApplication::translate("RadioCommands", "Please Wait - Writing Radio"); }

// "Verify now?" with the last answer preselected (Yes at first); Escape
// answers No without changing what is remembered.
bool askVerifyNow(EditorShell& shell) {
    const bool last = appSettings()->value(QLatin1String(kVerifyAfterWriteKey), true).toBool();
    const MsgAnswer a = shell.session().prompts().message(
        shell.shellWidget(), QCoreApplication::translate("RadioCommands", "Verify now?"), QString(), MsgIcon::None,
        MsgButtons::YesNo, MsgAnswer::Cancel, last ? MsgAnswer::Yes : MsgAnswer::No);
    if (a == MsgAnswer::Cancel) return false;
    appSettings()->setValue(QLatin1String(kVerifyAfterWriteKey), a == MsgAnswer::Yes);
    return a == MsgAnswer::Yes;
}

// The write of the global area or of one group, with its progress dialog;
// a failed write is told in a box while the dialog is still up.
bool writePart(EditorShell& shell, const RadioJobPlan& plan) {
    RadioLink& link = shell.session().link();
    link.preShow(writingText());
    RadioJobResult r;
    link.run([&] { r = runRadioJob(link.com(), shell.session().image(), plan, jobHooks(link)); });
    if (!r.writeAccepted) ask(shell, coreText("RadioJob", r.writeMessage), MsgButtons::OK);
    link.unloadProc();
    jobStatus(shell, r, plan.write == RadioJobPlan::Write::Group ? RadioPart::Group : RadioPart::Globals, plan.group);
    return r.writeAccepted;
}

}  // namespace

// ------------------------------------------------------------------ port

bool mnuCommPort_Click(EditorShell& shell, int n) {
    if (n < 1 || n > RadioLink::kPorts) return false;
    RadioLink& link = shell.session().link();
    if (link.busy().isBusy() || shell.session().alignmentWindow()) {
        shell.session().prompts().beep();
        return false;
    }
    link.setPortNumber(n);
    appSettings()->setValue(QStringLiteral("Comm/Port"), QString::number(n));
    return true;
}

bool mnuChooseDevice_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    if (link.busy().isBusy() || shell.session().alignmentWindow()) {
        shell.session().prompts().beep();
        return false;
    }
    const int slot = link.portNumber();
    const QString device =
        shell.session().prompts().chooseDevice(shell.shellWidget(), slot, RadioLink::deviceForPort(slot)).trimmed();
    if (device.isEmpty()) return false;
    appSettings()->setValue(QStringLiteral("Comm/Device%1").arg(slot), device);
    link.setPortNumber(slot);  // closes the old device; the next exchange opens the new one
    return true;
}

// ------------------------------------------------------------------ reads

bool mnuRead_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    if (!FileOpenSave::confirmDiscard(shell)) return false;
    link.setMainWindow(shell.shellWidget());
    link.preShow(QCoreApplication::translate("RadioCommands", "Please Wait - Reading Radio"));
    bool ok = false;
    link.run([&] { ok = link.com().readMemory(); });
    link.unloadProc();
    if (!ok) {   // the screen keeps what it showed
        readStatus(shell, false, RadioPart::All, 0);
        return false;
    }
    readStatus(shell, true, RadioPart::All, 0, keepBackupOf(shell, shell.session().image(), BackupKind::Read));
    shell.displayGroupMemory();
    shell.markSaved();
    EditorSession& session = shell.session();
    if (session.GlobalsWindowOpen()) runGuarded(session.prompts(), shell.shellWidget(), [&] { session.readGlobals(); });
    return true;
}

bool mnuReadGlobal_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    link.setMainWindow(shell.shellWidget());
    bool ok = false;
    link.run([&] { ok = link.com().readGlobal(); });
    if (!ok) {
        readStatus(shell, false, RadioPart::Globals, 0);
        return false;
    }
    readStatus(shell, true, RadioPart::Globals, 0, keepBackupOf(shell, shell.session().image(), BackupKind::Read));
    // Decoding reaches the global window, which is loaded when it is not.
    EditorSession& session = shell.session();
    runGuarded(session.prompts(), shell.shellWidget(), [&] { session.readGlobals(); });
    return true;
}

bool mnuReadGroup_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    link.setMainWindow(shell.shellWidget());
    const int group = currentGroupNumber(shell);
    if (group == 0) {
        shell.session().prompts().beep();
        return false;
    }
    bool ok = false;
    link.run([&] { ok = link.com().readGroup(group); });
    if (!ok) {
        readStatus(shell, false, RadioPart::Group, group);
        return false;
    }
    readStatus(shell, true, RadioPart::Group, group, keepBackupOf(shell, shell.session().image(), BackupKind::Read));
    shell.displayGroupMemory();
    return true;
}

// ------------------------------------------------------------------ writes

bool mnuWriteAll_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    link.setMainWindow(shell.shellWidget());
    if (!storeAndConfirm(shell)) return false;
    // Escape or the close box on this question stops the whole write: only a
    // chosen No skips page 0.
    EditorSession& session = shell.session();
    const MsgAnswer globals = session.prompts().message(
        shell.shellWidget(), QCoreApplication::translate("RadioCommands", "Write Global Parameters?"), QString(),
        MsgIcon::None, MsgButtons::YesNo, MsgAnswer::Cancel);
    if (globals == MsgAnswer::Cancel) return false;
    const bool skipPage0 = globals == MsgAnswer::No;
    if (session.GlobalsWindowOpen() && !skipPage0) {
        if (!runGuarded(session.prompts(), shell.shellWidget(), [&] { session.writeGlobals(); })) return false;
    }
    if (!shell.mnuWriteCurrGroup_Click()) return false;
    keepBackupOf(shell, session.image(), BackupKind::Write);
    RadioJobPlan plan;
    plan.write = skipPage0 ? RadioJobPlan::Write::SkipGlobals : RadioJobPlan::Write::All;
    plan.verify = true;
    RadioJobHooks hooks = jobHooks(link);
    // A write the user stopped is not offered a verify (the job skips it): it
    // differs by intent.
    hooks.beforeVerify = [&] {
        bool verify = false;
        link.onWindowThread([&] {
            link.unloadProc();
            verify = askVerifyNow(shell);
            if (verify) link.preShow(verifyingText());
        });
        return verify;
    };
    const RadioJobResult r = runJob(shell, plan, hooks, writingText());
    if (r.verified != RadioJobResult::Step::NotAsked) showVerify(shell, r);
    jobStatus(shell, r, skipPage0 ? RadioPart::Groups : RadioPart::All, 0);
    if (r.writeAccepted && !skipPage0) shell.markSaved();   // the radio holds all of it
    return r.writeAccepted;
}

bool mnuWriteGlobal_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    link.setMainWindow(shell.shellWidget());
    if (!storeAndConfirm(shell)) return false;
    if (!shell.mnuWriteCurrGroup_Click()) return false;
    keepBackupOf(shell, shell.session().image(), BackupKind::Write);
    RadioJobPlan plan;
    plan.write = RadioJobPlan::Write::Globals;
    return writePart(shell, plan);
}

bool mnuWriteGroup_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    link.setMainWindow(shell.shellWidget());
    if (!storeAndConfirm(shell)) return false;
    if (!shell.mnuWriteCurrGroup_Click()) return false;
    const int group = currentGroupNumber(shell);
    if (group == 0) {
        shell.session().prompts().beep();
        return false;
    }
    keepBackupOf(shell, shell.session().image(), BackupKind::Write);
    RadioJobPlan plan;
    plan.write = RadioJobPlan::Write::Group;
    plan.group = group;
    return writePart(shell, plan);
}

// ------------------------------------------------------------------ verify, trace

bool mnuVerify_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    const RadioBusy::Exchange exchange = beginCommand(shell);
    if (!exchange) return false;
    link.setMainWindow(shell.shellWidget());
    // What the editor shows is what the radio is compared with.
    if (!shell.storeCurrentGroup()) return false;
    EditorSession& session = shell.session();
    if (session.GlobalsWindowOpen() &&
        !runGuarded(session.prompts(), shell.shellWidget(), [&] { session.writeGlobals(); }))
        return false;
    RadioJobPlan plan;
    plan.write = RadioJobPlan::Write::None;
    plan.verify = true;
    const RadioJobResult r = runJob(shell, plan, jobHooks(link), verifyingText());
    jobStatus(shell, r, RadioPart::All, 0);
    return showVerify(shell, r);
}

bool mnuSaveTrace_Click(EditorShell& shell) {
    EditorSession& session = shell.session();
    const SerialTrace& trace = session.link().trace();
    QWidget* parent = shell.shellWidget();
    if (trace.empty()) {
        session.prompts().message(
            parent,
            QCoreApplication::translate("RadioCommands", "There is no serial trace yet: no radio exchange has run."),
            QCoreApplication::translate("RadioCommands", "Save Serial Trace"), MsgIcon::Information, MsgButtons::OK);
        return false;
    }
    FileDialogSetup setup;
    setup.filters = {QCoreApplication::translate("RadioCommands", "Text (*.txt) (*.txt)"),
                     QCoreApplication::translate("RadioCommands", "All (*.*) (*)")};
    setup.defaultSuffix = QStringLiteral("txt");
    const QString path = session.prompts().chooseFile(parent, true, QStringLiteral("serial-trace.txt"), setup);
    if (path.isEmpty()) return false;
    // The text is taken now: an exchange that starts meanwhile does not mix in.
    const std::string text = trace.text();
    const FileStatus st = saveFileAtomically(path.toStdString(), text.data(), text.size());
    if (!st) {
        session.prompts().message(parent, QString::fromStdString(st.message),
                                  QCoreApplication::translate("RadioCommands", "File Error"), MsgIcon::Exclamation,
                                  MsgButtons::OK);
        return false;
    }
    return true;
}

}  // namespace orv
