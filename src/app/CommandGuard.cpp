#include "app/CommandGuard.h"

#include <QWidget>
#include <exception>
#include "app/QtHost.h"

namespace orv {

QString commandFailureText(const char* what) {
    return QStringLiteral("The command could not be completed:\r%1").arg(QString::fromUtf8(what));
}

bool runGuarded(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        showMessage(parent, commandFailureText(e.what()), QString(), MsgIcon::Exclamation, MsgButtons::OK);
    } catch (...) {
        showMessage(parent, commandFailureText("unknown error"), QString(), MsgIcon::Exclamation,
                    MsgButtons::OK);
    }
    return false;
}

bool OrvApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        showMessage(activeWindow(), commandFailureText(e.what()), QString(), MsgIcon::Exclamation,
                    MsgButtons::OK);
    } catch (...) {
        showMessage(activeWindow(), commandFailureText("unknown error"), QString(), MsgIcon::Exclamation,
                    MsgButtons::OK);
    }
    return false;
}

}  // namespace orv
