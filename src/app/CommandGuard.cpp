#include "app/CommandGuard.h"

#include <QCoreApplication>
#include <QWidget>
#include <exception>
#include "app/UserPrompts.h"
#include "app/ViewBinder.h"
#include "image/FieldError.h"

namespace orv {

namespace {

// What an exception says, a refused value's reason translated.
QString failureOf(const std::exception& e) {
    if (const auto* field = dynamic_cast<const FieldError*>(&e)) return fieldErrorText(*field);
    return QString::fromUtf8(e.what());
}

QString unknownError() { return QCoreApplication::translate("CommandGuard", "unknown error"); }

}  // namespace

QString commandFailureText(const QString& what) {
    return QCoreApplication::translate("CommandGuard", "The command could not be completed:\r%1").arg(what);
}

bool runGuarded(UserPrompts& prompts, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        prompts.message(parent, commandFailureText(failureOf(e)), QString(), MsgIcon::Exclamation, MsgButtons::OK);
    } catch (...) {
        prompts.message(parent, commandFailureText(unknownError()), QString(), MsgIcon::Exclamation, MsgButtons::OK);
    }
    return false;
}

bool OrvApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        report(commandFailureText(failureOf(e)));
    } catch (...) {
        report(commandFailureText(unknownError()));
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
