// Program start: splash window, the global-window flag, the main window.
#include <QApplication>
#include <QScreen>
#include "app/AppPicture.h"
#include "app/AppState.h"
#include "app/EditorShell.h"
#include "app/frmGroups.h"
#include "app/frmSplash.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
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
    auto* main = new orv::frmGroups;
    main->setAttribute(Qt::WA_DeleteOnClose);

    splash->close();
    delete splash;
    main->show();
    main->raise();
    main->activateWindow();
    return app.exec();
}
