#include "app/UserPrompts.h"
#include "app/frmChanges.h"

#include "app/frmChooseDevice.h"
#include "platform/SerialPortList.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include "app/AppState.h"
#include "app/FileOpenSave.h"

namespace orv {

namespace {

QMessageBox::StandardButtons standardButtons(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK: return QMessageBox::Ok;
    case MsgButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// The answer of a box closed without choosing a button (Esc, close box).
MsgAnswer escapeAnswer(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::YesNo: return MsgAnswer::No;
    default: return MsgAnswer::Cancel;
    }
}

// Qt labels do not break lines at a lone carriage return.
QString shownText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString caption(const QString& title) { return title.isEmpty() ? QString::fromLatin1(kAppTitle) : title; }

}  // namespace

MsgAnswer showMessage(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                      MsgButtons buttons, std::optional<MsgAnswer> escape, std::optional<MsgAnswer> preselected) {
    QMessageBox box(standardIcon(icon), caption(title), shownText(text), standardButtons(buttons), parent);
    makeFixedDialog(&box);
    if (preselected) {
        static const std::pair<MsgAnswer, QMessageBox::StandardButton> kButtons[] = {
            {MsgAnswer::OK, QMessageBox::Ok},   {MsgAnswer::Cancel, QMessageBox::Cancel},
            {MsgAnswer::Yes, QMessageBox::Yes}, {MsgAnswer::No, QMessageBox::No},
            {MsgAnswer::Retry, QMessageBox::Retry}};
        for (const auto& [answer, button] : kButtons)
            if (answer == *preselected && box.button(button)) box.setDefaultButton(button);
    }
    QAbstractButton* dismiss = nullptr;
    if (escape) {
        // An invisible button takes Escape and the close box, so they are
        // told apart from the visible buttons.
        dismiss = box.addButton(QMessageBox::Abort);
        dismiss->hide();
        box.setEscapeButton(dismiss);
    }
    const int result = box.exec();
    if (dismiss && box.clickedButton() == dismiss) return *escape;
    switch (result) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    default: return escapeAnswer(buttons);
    }
}

MsgAnswer UserPrompts::message(QWidget* parent, const QString& text, const QString& title, MsgIcon icon,
                               MsgButtons buttons, std::optional<MsgAnswer> escape,
                               std::optional<MsgAnswer> preselected) {
    if (messageHandler_) return messageHandler_(parent, shownText(text), caption(title), icon, buttons);
    return showMessage(parent, text, title, icon, buttons, escape, preselected);
}

void UserPrompts::beep() {
    if (beepHandler_)
        beepHandler_();
    else
        QApplication::beep();
}

QString UserPrompts::chooseDevice(QWidget* parent, int slot, const QString& current) {
    if (deviceChooser_) return deviceChooser_(parent, slot, current);
    frmChooseDevice dialog(parent, slot, listSerialPorts(), current);
    return dialog.exec() == QDialog::Accepted ? dialog.device() : QString();
}

QString dialogStartPath(const QString& current, const QString& setupFolder, const QString& userFolder) {
    if (current.isEmpty()) return setupFolder.isEmpty() ? userFolder : setupFolder;
    if (userFolder.isEmpty() || current.contains(QLatin1Char('/')) || QDir::isAbsolutePath(current)) return current;
    return QDir(userFolder).filePath(current);
}

void UserPrompts::noteUserFile(const QString& path) {
    if (!path.isEmpty()) userFolder_ = QFileInfo(path).absolutePath();
}

QString UserPrompts::chooseFile(QWidget* parent, bool forSaving, const QString& current,
                                const FileDialogSetup& setup) {
    const QString start = dialogStartPath(current, setup.startFolder, userFolder_);
    QString chosen;
    if (fileChooser_) {
        chosen = fileChooser_(parent, forSaving, start);
    } else {
        QFileDialog dialog(parent);
        FileOpenSave::configureFileDialog(dialog, forSaving);
        if (!setup.filters.isEmpty()) {
            dialog.setNameFilters(setup.filters);
            dialog.setDefaultSuffix(setup.defaultSuffix);
        }
        // Always a folder of its own: left alone, the dialog would start in
        // the folder it last showed, which may be the backups'.
        const QFileInfo where(start);
        if (start.isEmpty()) {
            dialog.setDirectory(QDir::currentPath());
        } else if (where.isDir()) {
            dialog.setDirectory(where.absoluteFilePath());
        } else {
            if (start.contains(QLatin1Char('/'))) dialog.setDirectory(where.absolutePath());
            dialog.selectFile(start);
        }
        if (dialog.exec() == QDialog::Accepted) {
            const QStringList files = dialog.selectedFiles();
            if (!files.isEmpty()) chosen = files.first();
        }
    }
    if (!chosen.isEmpty() && setup.userFolder) noteUserFile(chosen);
    return chosen;
}

bool UserPrompts::confirmChanges(QWidget* parent, const ChangeListView& view) {
    if (changesAnswer_) return changesAnswer_(parent, view);
    return askWriteChanges(parent, view);
}

}  // namespace orv
