// Program start: splash window, the global-window flag, the main window.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <exception>
#include <memory>
#include "app/AppPicture.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/UserPrompts.h"
#include "app/frmGroups.h"
#include "app/frmSplash.h"

namespace {
// Time for the splash window to be painted before the main window loads.
constexpr int kSplashMs = 50;
}  // namespace

int main(int argc, char** argv) {
    orv::OrvApplication app(argc, argv);
    orv::initAppIdentity();
    app.setWindowIcon(QIcon(orv::radioPicture(64)));

    auto* splash = new orv::frmSplash;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        splash->move(a.center() - splash->rect().center());
    }
    splash->show();

    orv::EditorSession session;
    app.setReporter([&session](const QString& text) {
        session.prompts().message(QApplication::activeWindow(), text, QString(), orv::MsgIcon::Exclamation,
                                  orv::MsgButtons::OK);
    });
    std::unique_ptr<orv::frmGroups> main;
    // The main window loads from the event loop, once the splash has been
    // painted; until it is up, no window closing ends the event loop.
    app.setQuitOnLastWindowClosed(false);
    QTimer::singleShot(kSplashMs, &app, [&] {
        try {
            main = std::make_unique<orv::frmGroups>(session);
        } catch (const std::exception& e) {
            // A failure while the main window loads ends the start with a
            // clear message instead of an abort.
            delete splash;
            orv::showMessage(nullptr,
                             QStringLiteral("ORVEDIT could not start:\r%1").arg(QString::fromUtf8(e.what())),
                             QString(), orv::MsgIcon::Critical, orv::MsgButtons::OK);
            QCoreApplication::exit(1);
            return;
        }
        splash->close();
        delete splash;
        app.setQuitOnLastWindowClosed(true);
        main->show();
        main->raise();
        main->activateWindow();
    });
    return app.exec();
}
