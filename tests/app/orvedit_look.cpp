// The editor as a desktop with another look would start it, for screenshots:
//   orvedit-look [--dark] [--point-size N]
//                [--open globals|move|help|about|allchannels|setfield|editmenu|
//                        radiolog|fleet]
// --dark sets a dark palette (the Fusion style) and --point-size the
// application's font before any window is made, as a desktop theme does;
// --open shows one more window over the main window once it is up (setfield:
// the Set Field dialog of three rows after a refused value; editmenu: the
// Edit menu open after a Blank Screen, naming its undo; radiolog and fleet:
// the Radio Log and Program Fleet windows, over the log of ORVEDIT_DATA_DIR).
#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <memory>
#include "DarkPalette.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/frmAbout.h"
#include "app/frmGroups.h"
#include "app/frmMove.h"
#include "app/ChannelGrid.h"
#include "app/ChannelPanel.h"

int main(int argc, char** argv) {
    orv::OrvApplication app(argc, argv);
    orv::initAppIdentity();
    QString open;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--dark")) {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            QApplication::setPalette(orv::test::darkPalette());
        } else if (args[i] == QLatin1String("--point-size") && i + 1 < args.size()) {
            QFont f = QApplication::font();
            f.setPointSizeF(args[++i].toDouble());
            QApplication::setFont(f);
        } else if (args[i] == QLatin1String("--open") && i + 1 < args.size()) {
            open = args[++i];
        }
    }
    orv::EditorSession session;
    orv::frmGroups main(session);
    main.show();
    main.activateWindow();
    std::unique_ptr<QWidget> extra;
    QTimer::singleShot(500, &app, [&] {
        if (open == QLatin1String("globals")) {
            session.loadGlobalsWindow();
        } else if (open == QLatin1String("help")) {
            session.openHelpWindow(&main);
        } else if (open == QLatin1String("move")) {
            auto* move = new orv::frmMove(&main);
            extra.reset(move);
            move->show();
        } else if (open == QLatin1String("allchannels")) {
            main.findChild<QAction*>(QStringLiteral("mnuAllChannels"))->trigger();
        } else if (open == QLatin1String("setfield")) {
            orv::ChannelGrid* grid = main.channels().grid();
            QItemSelection rows(grid->model()->index(1, 0), grid->model()->index(3, 5));
            grid->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
            QTimer::singleShot(300, &app, [] {
                QWidget* d = QApplication::activeModalWidget();
                if (!d) return;
                d->findChild<QLineEdit*>(QStringLiteral("txtValue"))->setText(QStringLiteral("180"));
                for (QPushButton* b : d->findChildren<QPushButton*>())
                    if (b->text().remove(QLatin1Char('&')) == QLatin1String("OK")) b->click();
            });
            main.findChild<QAction*>(QStringLiteral("mnuSetField"))->trigger();
        } else if (open == QLatin1String("editmenu")) {
            main.findChild<QAction*>(QStringLiteral("mnuBlank"))->trigger();
            QMenu* edit = main.findChild<QMenu*>(QStringLiteral("mnuEdit"));
            main.menuBar()->setActiveAction(edit->menuAction());
        } else if (open == QLatin1String("radiolog")) {
            main.findChild<QAction*>(QStringLiteral("mnuRadioLog"))->trigger();
        } else if (open == QLatin1String("fleet")) {
            main.findChild<QAction*>(QStringLiteral("mnuProgramFleet"))->trigger();
        } else if (open == QLatin1String("about")) {
            extra = std::make_unique<orv::frmAbout>(session.prompts(), &main);
            extra->show();
        }
    });
    return app.exec();
}
