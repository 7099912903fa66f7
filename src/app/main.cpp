// Program start: splash window, the global-window flag, the main window.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include "app/AppPicture.h"
#include "app/AppState.h"
#include "app/CommandGuard.h"
#include "app/EditorSession.h"
#include "app/UserPrompts.h"
#include "app/frmGroups.h"
#include "app/frmSplash.h"
#include "platform/PortAdvice.h"
#include "platform/Terminal.h"
#include "Version.h"

namespace {
// Time for the splash window to be painted before the main window loads.
constexpr int kSplashMs = 50;

// --help and --version answer on the terminal, before any window is made
// (so they work without a display). Returns true when one was answered.
bool answerTerminalOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const bool help = std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0;
        if (help || std::strcmp(argv[i], "--version") == 0) orv::platform::answerOnParentConsole();
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts("orvedit " ORV_VERSION_STRING);
            return true;
        }
        if (help) {
            std::puts("Usage: orvedit [OPTION]... [FILE]\n"
                      "Programming editor for ORV handheld radios: reads a radio's memory over a serial\n"
                      "port, edits its groups, channels and global parameters, and writes it back.\n"
                      "FILE is a programming file (.orv or .frq) to open.\n"
                      "\n"
                      "Options:\n"
                      "  -h, --help     print this help and exit\n"
                      "      --version  print the program's version and exit\n");
            std::puts((orv::portadvice::portAccessHelp() +
                       "\norv-radiosim gives a simulated radio to try the editor without one; orvedit-cli does the "
                       "same work from the command line.").c_str());
            return true;
        }
    }
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (answerTerminalOption(argc, argv)) return 0;
    orv::OrvApplication app(argc, argv);
    orv::initAppIdentity();
    orv::installTranslations();
    app.setWindowIcon(QIcon(orv::radioPicture(64)));

    auto* splash = new orv::frmSplash;
    if (QScreen* s = QGuiApplication::primaryScreen()) {
        const QRect a = s->availableGeometry();
        splash->move(a.center() - splash->rect().center());
    }
    splash->show();

    // The first argument that is no option names a file to open at start.
    QString startFile;
    for (int i = 1; i < argc && startFile.isEmpty(); ++i)
        if (argv[i][0] != '-') startFile = QString::fromLocal8Bit(argv[i]);

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
            main->setStartFile(startFile);
        } catch (const std::exception& e) {
            // A failure while the main window loads ends the start with a
            // clear message instead of an abort.
            delete splash;
            orv::showMessage(
                nullptr,
                QCoreApplication::translate("main", "ORVEDIT could not start:\r%1").arg(QString::fromUtf8(e.what())),
                QString(), orv::MsgIcon::Critical, orv::MsgButtons::OK);
            QCoreApplication::exit(1);
            return;
        }
        splash->close();
        delete splash;
        app.setQuitOnLastWindowClosed(true);
        main->restoreUserSize();
        main->show();
        main->raise();
        main->activateWindow();
    });
    return app.exec();
}
