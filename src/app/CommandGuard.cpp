#include "app/CommandGuard.h"

#include <QWidget>
#include <exception>
#include "app/UserPrompts.h"

namespace orv {

QString commandFailureText(const char* what) {
    return QStringLiteral("The command could not be completed:\r%1").arg(QString::fromUtf8(what));
}

bool runGuarded(UserPrompts& prompts, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        prompts.message(parent, commandFailureText(e.what()), QString(), MsgIcon::Exclamation, MsgButtons::OK);
    } catch (...) {
        prompts.message(parent, commandFailureText("unknown error"), QString(), MsgIcon::Exclamation,
                        MsgButtons::OK);
    }
    return false;
}

bool OrvApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(commandFailureText(e.what()));
    } catch (...) {
        report(commandFailureText("unknown error"));
    }
    return false;
}

void OrvApplication::report(const QString& text) {
    if (reporter_)
        reporter_(text);
    else
        showMessage(activeWindow(), text, QString(), MsgIcon::Exclamation, MsgButtons::OK);
}

}  // namespace orv
