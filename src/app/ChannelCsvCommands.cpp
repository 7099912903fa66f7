#include "app/FileOpenSave.h"
#include "app/ChannelCsvCommands.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <memory>
#include <QFileInfo>
#include <QWidget>
#include <QStringList>
#include "app/EditorSession.h"
#include "app/EditorShell.h"
#include "app/ViewBinder.h"
#include "app/frmCsvPreview.h"
#include "files/ImageFile.h"
#include "interchange/ChannelCsv.h"

namespace orv::ChannelCsvCommands {

namespace {

const char* const kExportTitle = QT_TRANSLATE_NOOP("ChannelCsvCommands", "Export Channels");
const char* const kImportTitle = QT_TRANSLATE_NOOP("ChannelCsvCommands", "Import Channels");

void tell(EditorShell& shell, const QString& text, const char* title) {
    shell.session().prompts().message(shell.shellWidget(), text,
                                      QCoreApplication::translate("ChannelCsvCommands", title), MsgIcon::Exclamation,
                                      MsgButtons::OK);
}

// The dialog starts in the folder of the programming file, with a name that
// says which group the file holds.
QString suggestedPath(EditorShell& shell, int group) {
    const QString name = QStringLiteral("group%1.csv").arg(group + 1);
    const QString file = shell.session().file().filePath;
    return file.isEmpty() ? name : QFileInfo(file).absoluteDir().filePath(name);
}

QString chooseCsv(EditorShell& shell, bool forSaving, int group) {
    FileDialogSetup setup;
    setup.filters = {QCoreApplication::translate("ChannelCsvCommands", "CSV (*.csv)"),
                     QCoreApplication::translate("ChannelCsvCommands", "All (*)")};
    setup.defaultSuffix = QStringLiteral("csv");
    setup.title = forSaving ? QCoreApplication::translate("ChannelCsvCommands", kExportTitle)
                            : QCoreApplication::translate("ChannelCsvCommands", kImportTitle);
    return shell.session().prompts().chooseFile(shell.shellWidget(), forSaving, suggestedPath(shell, group), setup);
}

QString tr(const char* text) { return QCoreApplication::translate("ChannelCsvCommands", text); }

// The status bar's report, shown when the command ends however it ends: a
// failure unless the command set another text.
struct StatusAtEnd {
    EditorShell& shell;
    QString text;
    ~StatusAtEnd() { shell.session().showStatus(text); }
};

std::function<bool(frmCsvPreview&)>& previewRunner() {
    static std::function<bool(frmCsvPreview&)> runner;
    return runner;
}

}  // namespace

void setPreviewRunner(std::function<bool(frmCsvPreview&)> runner) { previewRunner() = std::move(runner); }

bool exportChannels(EditorShell& shell, int group) {
    StatusAtEnd status{shell, tr("Group %1 was not exported").arg(group + 1)};
    if (!shell.storeCurrentGroup()) {
        tell(shell,
             QCoreApplication::translate("ChannelCsvCommands",
                                         "The group on screen holds a value that cannot be stored.\r"
                                         "The channels were not exported."),
             kExportTitle);
        return false;
    }
    // The text first: a channel the layout cannot express is reported
    // before the user picks a file.
    std::string text;
    try {
        text = exportChannelCsv(shell.session().image(), group);
    } catch (const FieldError& e) {
        tell(shell,
             QCoreApplication::translate("ChannelCsvCommands", "Group %1 cannot be exported:\r%2")
                 .arg(group + 1)
                 .arg(fieldErrorText(e)),
             kExportTitle);
        return false;
    }
    const QString path = chooseCsv(shell, true, group);
    if (path.isEmpty()) {
        status.text = tr("Export cancelled");
        return false;
    }
    if (auto st = saveFileAtomically(path.toStdString(), text.data(), text.size()); !st) {
        tell(shell, QString::fromStdString(st.message), kExportTitle);
        return false;
    }
    status.text = tr("Exported group %1 to %2").arg(group + 1).arg(path);
    return true;
}

bool importChannels(EditorShell& shell, int group) {
    StatusAtEnd status{shell, tr("Import cancelled")};
    if (!FileOpenSave::confirmDiscard(shell)) return false;
    const QString path = chooseCsv(shell, false, group);
    if (path.isEmpty()) return false;
    status.text = tr("Nothing was imported from %1").arg(path);
    std::string text;
    if (auto st = readWholeFile(path.toStdString(), text, kChannelCsvMaxBytes + 1); !st) {
        tell(shell, QString::fromStdString(st.message), kImportTitle);
        return false;
    }
    // The group on screen goes into the image first, so that edits made on
    // screen are kept for the locations the file does not name.
    if (!shell.storeCurrentGroup()) {
        tell(shell,
             QCoreApplication::translate("ChannelCsvCommands",
                                         "The group on screen holds a value that cannot be stored.\r"
                                         "The channels were not imported."),
             kImportTitle);
        return false;
    }
    EditorSession& session = shell.session();
    const QString fileName = QFileInfo(path).fileName();
    auto refused = [&](const FieldError& e) {
        tell(shell,
             QCoreApplication::translate("ChannelCsvCommands", "%1 was not imported; nothing was changed.\r%2")
                 .arg(fileName, fieldErrorText(e)),
             kImportTitle);
        return false;
    };
    // The plan is shown first: where each row goes and what happens to it.
    std::unique_ptr<frmCsvPreview> preview;
    try {
        preview = std::make_unique<frmCsvPreview>(shell.shellWidget(), session.image(), group, text, fileName);
    } catch (const FieldError& e) {
        return refused(e);
    }
    const bool ok = previewRunner() ? previewRunner()(*preview) : preview->exec() == QDialog::Accepted;
    if (!ok) {
        status.text = tr("Import cancelled");
        return false;
    }
    ChannelCsvImport result;
    try {
        result = importChannelCsv(session.image(), group, text, preview->options());
    } catch (const FieldError& e) {
        return refused(e);
    }
    session.image() = result.image;
    shell.readCurrentGroup();
    status.text = tr("Imported %1 channel rows from %2 into group %3").arg(result.rows).arg(path).arg(group + 1) +
                  QStringLiteral(" \u2014 ") + QString::fromStdString(result.plan.placementText());
    return true;
}

}  // namespace orv::ChannelCsvCommands
