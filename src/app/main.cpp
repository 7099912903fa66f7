// Program start: splash window, the global-window flag, the main window.
#include <QApplication>
#include <QScreen>
#include <exception>
#include "app/AppPicture.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/EditorShell.h"
#include "app/QtHost.h"
#include "app/frmGroups.h"
#include "app/frmSplash.h"

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
    app.processEvents();

    orv::GlobalsWindowOpen = false;
    orv::frmGroups* main = nullptr;
    try {
        main = new orv::frmGroups;
    } catch (const std::exception& e) {
        // A failure while the main window loads ends the start with a clear
        // message instead of an abort.
        delete splash;
        orv::showMessage(nullptr, QStringLiteral("ORVEDIT could not start:\r%1").arg(QString::fromUtf8(e.what())),
                         QString(), orv::MsgIcon::Critical, orv::MsgButtons::OK);
        return 1;
    }
    main->setAttribute(Qt::WA_DeleteOnClose);

    splash->close();
    delete splash;
    main->show();
    main->raise();
    main->activateWindow();
    return app.exec();
}
