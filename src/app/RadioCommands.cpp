#include "app/FileOpenSave.h"
#include "app/RadioCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QSettings>
#include <QWidget>
#include <exception>
#include "app/BackupCommands.h"
#include "app/EditorSession.h"
#include "app/CommandGuard.h"
#include "app/EditorShell.h"
#include "app/ViewBinder.h"
#include "app/frmChanges.h"
#include "app/frmVerify.h"
#include "job/ReadFirst.h"
#include "files/ImageFile.h"
#include "image/NumText.h"
#include "job/JobText.h"
#include "job/RadioConnection.h"
#include "job/RadioJob.h"
#include "job/RadioPart.h"

namespace orv {

namespace {


// Messages of the radio commands carry the application's title and no icon.
MsgAnswer ask(EditorShell& shell, const QString& text, MsgButtons buttons) {
    return shell.session().prompts().message(shell.shellWidget(), text, QString(), MsgIcon::None, buttons);
}

// The group number (1..15) named by cboCurrentGroup, or 0 when it names none.
int currentGroupNumber(EditorShell& shell) {
    const double n = roundHalfEven(numericValue(shell.currentGroupText().toStdString()));
    return n >= 1 && n <= kGroups ? static_cast<int>(n) : 0;
}

// The first of a write's own questions, once the user has seen what changes.
bool confirmWrite(EditorShell& shell) {
    return ask(shell, coreText("JobText", kConfirmWrite), MsgButtons::OKCancel) == MsgAnswer::OK;
}

// Every radio and port command is refused with a beep while another
// exchange runs, or while the alignment window keeps its test channels in
// the radio (and would have its port changed under it).
bool radioRefused(EditorSession& session) {
    if (!session.busy().isBusy() && !session.alignmentWindow()) return false;
    session.prompts().beep();
    return true;
}

// The start of every radio command: its hold of the radio-busy state, or
// null when refused.
RadioBusy::Hold beginCommand(EditorShell& shell) {
    if (radioRefused(shell.session())) return nullptr;
    return shell.session().busy().hold();
}

void showStatus(EditorShell& shell, const std::string& text) {
    shell.session().showStatus(QString::fromStdString(text));
}

// What a read job brings back: the blocks read (in a copy of the image as
// the command found it), whether all arrived, and whether the user cancelled.
struct ReadOutcome {
    bool ok = false;
    bool cancelled = false;
    MemoryImage image;
};

// Reads `part` of the radio into a copy of `image` on the job's own connection.
std::function<ReadOutcome(JobContext&)> readJob(const MemoryImage& image, RadioPart part, int group) {
    return [image, part, group](JobContext& ctx) {
        ReadOutcome out;
        out.image = image;
        RadioConnection connection(ctx.port(), out.image, ctx.host());
        ORVCom& com = connection.com();
        out.ok = part == RadioPart::Group ? com.readGroup(group) : part == RadioPart::Globals ? com.readGlobal()
                                                                                             : com.readMemory();
        ConnectionRecord record = connection.finish();
        out.cancelled = record.readCancelled;
        ctx.keep(record);
        return out;
    };
}

// The report of a read that ended: what was read and the backup kept, or
// that it failed or was cancelled.
void readStatus(EditorShell& shell, const ReadOutcome& r, RadioPart part, int group, const BackupResult& backup = {}) {
    const std::string& device = shell.session().link().device();
    showStatus(shell, r.ok ? readDoneText(part, group, device, backup.path)
                           : radioEndedText(RadioAction::Read, part, group, device, r.cancelled));
}

// The blocks of `part` from a read into the session's image; the report,
// with the backup of the image as it then is.
void commitRead(EditorShell& shell, const ReadOutcome& r, RadioPart part, int group) {
    MemoryImage& image = shell.session().image();
    const BlockRange range = blocksOf(part, group);
    std::copy(r.image.data() + range.firstByte(), r.image.data() + range.endByte(), image.data() + range.firstByte());
    readStatus(shell, r, part, group, keepBackupOf(shell, image, BackupKind::Read));
}

// The report of a job: what was written (and the verify's verdict), or
// that the write or the verify failed or was cancelled.
void jobStatus(EditorShell& shell, const RadioJobResult& r, RadioPart part, int group) {
    using Step = RadioJobResult::Step;
    const std::string& device = shell.session().link().device();
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

// Runs `plan` on a copy of the session's image, on the job's own connection;
// the progress dialog's Cancel is the job's stop. `beforeVerify` (on the
// window thread; none: verify at once) may decline the verify after a write.
std::function<PortJobResult(JobContext&)> radioJob(EditorShell& shell, const RadioJobPlan& plan,
                                                   std::function<bool()> beforeVerify = {}) {
    return [image = shell.session().image(), plan, folder = backupFolder(),
            beforeVerify = std::move(beforeVerify)](JobContext& ctx) {
        RadioJobHooks hooks;
        hooks.stopped = [&ctx] { return ctx.stopped(); };
        if (beforeVerify)
            hooks.beforeVerify = [&ctx, &beforeVerify] {
                bool verify = false;
                ctx.onWindowThread([&] { verify = beforeVerify(); });
                return verify;
            };
        PortJobResult r = runRadioJobOn(ctx.port(), image, plan, ctx.host(), hooks, folder);
        ConnectionRecord record;
        record.trace = std::move(r.trace);
        record.traceDropped = r.traceDropped;
        record.allowFastBaud = r.allowFastBaud;
        ctx.keep(record);
        return r;
    };
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

// Starts `work` for a command whose course is `run`; `done` commits its
// result on the window thread while the shell is still there.
template <class Result>
RadioRun startCommand(EditorShell& shell, RadioBusy::Hold hold, std::function<Result(JobContext&)> work,
                      std::function<bool(const Result&)> done) {
    RadioRun run;
    QPointer<QWidget> alive = shell.shellWidget();
    shell.session().link().start<Result>(
        std::move(hold), std::move(work),
        [&shell, alive, run, done = std::move(done)](Result r) {
            if (!alive) return run.finish(false);
            run.finish(done(r));
        },
        true, [run] { run.finish(false); });
    return run;
}

// The write of the global area or of one group, with its progress dialog;
// a failed write is told in a box while the dialog is still up.
RadioRun writePart(EditorShell& shell, RadioBusy::Hold hold, const RadioJobPlan& plan) {
    shell.session().link().preShow(writingText());
    const RadioPart part = plan.write == RadioJobPlan::Write::Group ? RadioPart::Group : RadioPart::Globals;
    return startCommand<PortJobResult>(shell, std::move(hold), radioJob(shell, plan),
                                       [&shell, part, group = plan.group](const PortJobResult& r) {
                                           if (!r.writeAccepted) ask(shell, coreText("RadioJob", r.writeMessage), MsgButtons::OK);
                                           shell.session().link().unloadProc();
                                           jobStatus(shell, r, part, group);
                                           return r.writeAccepted;
                                       });
}

// What a write will send: the session's image with the group on screen
// stored and, for a write of page 0, an open global window's values, in a
// copy (the window's values go into the image itself only once the user
// has said yes to writing them).
MemoryImage programmingToWrite(EditorShell& shell, bool withGlobals) {
    EditorSession& session = shell.session();
    MemoryImage target = session.image();
    if (withGlobals && session.GlobalsWindowOpen()) session.writeGlobalsInto(target);
    return target;
}

RadioPart partOf(const RadioJobPlan& plan) {
    switch (plan.write) {
    case RadioJobPlan::Write::Group: return RadioPart::Group;
    case RadioJobPlan::Write::Globals: return RadioPart::Globals;
    case RadioJobPlan::Write::SkipGlobals: return RadioPart::Groups;
    default: return RadioPart::All;
    }
}

// The first half of every write: the radio's part read into a copy, kept as
// a backup and compared with `target`; `ask` then runs on the window thread
// with what was found, unless the read failed (its report is shown) or the
// radio already holds the programming (said so; nothing is sent).
RadioRun readBeforeWrite(EditorShell& shell, RadioBusy::Hold hold, const RadioJobPlan& plan, const MemoryImage& target,
                         std::function<RadioRun(RadioBusy::Hold, const ReadFirst&)> ask) {
    shell.session().link().preShow(QCoreApplication::translate("RadioCommands", "Please Wait - Reading Radio"));
    RadioRun run;
    QPointer<QWidget> alive = shell.shellWidget();
    shell.session().link().start<ReadFirst>(
        hold,
        [target, plan, folder = backupFolder()](JobContext& ctx) {
            MemoryImage scratch = target;
            RadioConnection connection(ctx.port(), scratch, ctx.host());
            ReadFirst before = readFirst(connection.com(), target, plan, folder);
            ConnectionRecord record = connection.finish();
            ctx.keep(record);
            return before;
        },
        [&shell, alive, run, hold, plan, ask = std::move(ask)](ReadFirst before) {
            if (!alive) return run.finish(false);
            shell.session().link().unloadProc();
            const std::string& device = shell.session().link().device();
            if (!before.read) {
                showStatus(shell, radioEndedText(RadioAction::Read, partOf(plan), plan.group, device, before.cancelled));
                return run.finish(false);
            }
            reportBackup(shell, before.backup);
            if (before.identical()) {
                const QString text = coreText("JobText", kRadioHoldsIt);
                showStatus(shell, kRadioHoldsIt);
                shell.session().prompts().message(shell.shellWidget(), text, QString(), MsgIcon::Information,
                                                  MsgButtons::OK);
                return run.finish(true);
            }
            ask(hold, before).then([run](bool ok) { run.finish(ok); });
        },
        true, [run] { run.finish(false); });
    return run;
}

// After the user chose Write: what the final image changes in the radio as
// `before` found it, over what `plan` sends.
WriteSelection finalSelection(const ReadFirst& before, const MemoryImage& image, const RadioJobPlan& plan) {
    return selectChanges(before.radio, image, verifyMaskFor(plan));
}

}  // namespace

// ------------------------------------------------------------------ port

bool mnuCommPort_Click(EditorShell& shell, int n) {
    if (n < 1 || n > RadioLink::kPorts) return false;
    if (radioRefused(shell.session())) return false;
    RadioLink& link = shell.session().link();
    link.setPortNumber(n);
    RadioLink::storePort(n);
    return true;
}

bool mnuChooseDevice_Click(EditorShell& shell) {
    if (radioRefused(shell.session())) return false;
    RadioLink& link = shell.session().link();
    const int slot = link.portNumber();
    const QString device =
        shell.session().prompts().chooseDevice(shell.shellWidget(), slot, RadioLink::deviceForPort(slot)).trimmed();
    if (device.isEmpty()) return false;
    RadioLink::storeDevice(slot, device);
    link.setPortNumber(slot);  // the next exchange opens the new device
    return true;
}

// ------------------------------------------------------------------ reads

RadioRun mnuRead_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    if (!FileOpenSave::confirmDiscard(shell)) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    link.preShow(QCoreApplication::translate("RadioCommands", "Please Wait - Reading Radio"));
    return startCommand<ReadOutcome>(shell, std::move(hold), readJob(shell.session().image(), RadioPart::All, 0),
                                     [&shell](const ReadOutcome& r) {
                                         EditorSession& session = shell.session();
                                         session.link().unloadProc();
                                         if (!r.ok) {   // the screen keeps what it showed
                                             readStatus(shell, r, RadioPart::All, 0);
                                             return false;
                                         }
                                         commitRead(shell, r, RadioPart::All, 0);
                                         shell.displayGroupMemory();
                                         shell.markSaved();
                                         if (session.GlobalsWindowOpen())
                                             runGuarded(session.prompts(), shell.shellWidget(), [&] { session.readGlobals(); });
                                         return true;
                                     });
}

RadioRun mnuReadGlobal_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    return startCommand<ReadOutcome>(shell, std::move(hold), readJob(shell.session().image(), RadioPart::Globals, 0),
                                     [&shell](const ReadOutcome& r) {
                                         if (!r.ok) {
                                             readStatus(shell, r, RadioPart::Globals, 0);
                                             return false;
                                         }
                                         commitRead(shell, r, RadioPart::Globals, 0);
                                         // Decoding reaches the global window, which is loaded when it is not.
                                         EditorSession& session = shell.session();
                                         runGuarded(session.prompts(), shell.shellWidget(), [&] { session.readGlobals(); });
                                         return true;
                                     });
}

RadioRun mnuReadGroup_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    const int group = currentGroupNumber(shell);
    if (group == 0) {
        shell.session().prompts().beep();
        return RadioRun::ended(false);
    }
    return startCommand<ReadOutcome>(shell, std::move(hold), readJob(shell.session().image(), RadioPart::Group, group),
                                     [&shell, group](const ReadOutcome& r) {
                                         if (!r.ok) {
                                             readStatus(shell, r, RadioPart::Group, group);
                                             return false;
                                         }
                                         commitRead(shell, r, RadioPart::Group, group);
                                         shell.displayGroupMemory();
                                         return true;
                                     });
}

// ------------------------------------------------------------------ writes

RadioRun mnuWriteAll_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    if (!shell.storeCurrentGroup()) return RadioRun::ended(false);
    RadioJobPlan first;
    first.write = RadioJobPlan::Write::All;
    return readBeforeWrite(shell, std::move(hold), first, programmingToWrite(shell, true),
                           [&shell](RadioBusy::Hold hold, const ReadFirst& before) -> RadioRun {
        EditorSession& session = shell.session();
        if (!session.prompts().confirmChanges(shell.shellWidget(), {before.changes, {}})) return RadioRun::ended(false);
        if (!confirmWrite(shell)) return RadioRun::ended(false);
        // Escape or the close box on this question stops the whole write:
        // only a chosen No skips page 0.
        const MsgAnswer globals = session.prompts().message(
            shell.shellWidget(), QCoreApplication::translate("RadioCommands", "Write Global Parameters?"), QString(),
            MsgIcon::None, MsgButtons::YesNo, MsgAnswer::Cancel);
        if (globals == MsgAnswer::Cancel) return RadioRun::ended(false);
        const bool skipPage0 = globals == MsgAnswer::No;
        if (session.GlobalsWindowOpen() && !skipPage0) {
            if (!runGuarded(session.prompts(), shell.shellWidget(), [&] { session.writeGlobals(); }))
                return RadioRun::ended(false);
        }
        if (!shell.mnuWriteCurrGroup_Click()) return RadioRun::ended(false);
        keepBackupOf(shell, session.image(), BackupKind::Write);
        RadioJobPlan plan;
        plan.write = skipPage0 ? RadioJobPlan::Write::SkipGlobals : RadioJobPlan::Write::All;
        plan.verify = true;
        plan.only = finalSelection(before, session.image(), plan);
        plan.radioBefore = before.radio;
        if (plan.only->empty()) {   // what differed was page 0, which the user kept
            showStatus(shell, kRadioHoldsIt);
            return RadioRun::ended(true);
        }
        // A write the user stopped is not offered a verify (the job skips
        // it): it differs by intent.
        auto beforeVerify = [&shell] {
            RadioLink& l = shell.session().link();
            l.unloadProc();
            const bool verify = askVerifyNow(shell);
            if (verify) l.preShow(verifyingText());
            return verify;
        };
        session.link().preShow(writingText());
        const MemoryImage written = session.image();
        return startCommand<PortJobResult>(
            shell, std::move(hold), radioJob(shell, plan, beforeVerify),
            [&shell, skipPage0, written](const PortJobResult& r) {
                shell.session().link().unloadProc();
                if (r.verified != RadioJobResult::Step::NotAsked) showVerify(shell, r);
                jobStatus(shell, r, skipPage0 ? RadioPart::Groups : RadioPart::All, 0);
                // Only a whole write that went to its end leaves the radio
                // holding the programming: a stopped or failed one does not.
                if (r.written == RadioJobResult::Step::Done && !skipPage0) shell.markSavedAs(written);
                return r.writeAccepted;
            });
    });
}

// Write Global and Write Group: the read, the list and the question, then
// the write of what differs in `plan`'s part.
RadioRun writePartAfterRead(EditorShell& shell, RadioBusy::Hold hold, const RadioJobPlan& plan) {
    const bool globals = plan.write == RadioJobPlan::Write::Globals;
    return readBeforeWrite(shell, std::move(hold), plan, programmingToWrite(shell, globals),
                           [&shell, plan](RadioBusy::Hold hold, const ReadFirst& before) -> RadioRun {
        EditorSession& session = shell.session();
        if (!session.prompts().confirmChanges(shell.shellWidget(), {before.changes, {}})) return RadioRun::ended(false);
        if (!confirmWrite(shell)) return RadioRun::ended(false);
        if (!shell.mnuWriteCurrGroup_Click()) return RadioRun::ended(false);
        keepBackupOf(shell, session.image(), BackupKind::Write);
        RadioJobPlan write = plan;
        write.only = finalSelection(before, session.image(), plan);
        write.radioBefore = before.radio;
        if (write.only->empty()) {
            showStatus(shell, kRadioHoldsIt);
            return RadioRun::ended(true);
        }
        return writePart(shell, std::move(hold), write);
    });
}

RadioRun mnuWriteGlobal_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    if (!shell.storeCurrentGroup()) return RadioRun::ended(false);
    RadioJobPlan plan;
    plan.write = RadioJobPlan::Write::Globals;
    return writePartAfterRead(shell, std::move(hold), plan);
}

RadioRun mnuWriteGroup_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    if (!shell.storeCurrentGroup()) return RadioRun::ended(false);
    const int group = currentGroupNumber(shell);
    if (group == 0) {
        shell.session().prompts().beep();
        return RadioRun::ended(false);
    }
    RadioJobPlan plan;
    plan.write = RadioJobPlan::Write::Group;
    plan.group = group;
    return writePartAfterRead(shell, std::move(hold), plan);
}

// ------------------------------------------------------------------ verify, trace

RadioRun mnuVerify_Click(EditorShell& shell) {
    RadioLink& link = shell.session().link();
    RadioBusy::Hold hold = beginCommand(shell);
    if (!hold) return RadioRun::ended(false);
    link.setMainWindow(shell.shellWidget());
    // What the editor shows is what the radio is compared with.
    if (!shell.storeCurrentGroup()) return RadioRun::ended(false);
    EditorSession& session = shell.session();
    if (session.GlobalsWindowOpen() &&
        !runGuarded(session.prompts(), shell.shellWidget(), [&] { session.writeGlobals(); }))
        return RadioRun::ended(false);
    RadioJobPlan plan;
    plan.write = RadioJobPlan::Write::None;
    plan.verify = true;
    link.preShow(verifyingText());
    return startCommand<PortJobResult>(shell, std::move(hold), radioJob(shell, plan), [&shell](const PortJobResult& r) {
        shell.session().link().unloadProc();
        jobStatus(shell, r, RadioPart::All, 0);
        return showVerify(shell, r);
    });
}

bool mnuSaveTrace_Click(EditorShell& shell) {
    EditorSession& session = shell.session();
    const RadioLink& link = session.link();
    QWidget* parent = shell.shellWidget();
    if (!link.hasTrace()) {
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
    const std::string text = link.traceText();
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
