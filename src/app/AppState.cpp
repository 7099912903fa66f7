#include "app/AppState.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <QWidget>
#include "Version.h"

namespace orv {

void initAppIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("ORVEDIT"));
    QCoreApplication::setApplicationName(QStringLiteral("ORVEDIT"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
    // Lets the desktop match the editor's windows to its desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orvedit.ORVEDIT"));
}

void installTranslations() {
    QCoreApplication* app = QCoreApplication::instance();
    const QLocale locale = QLocale::system();
    auto install = [&](const QString& name, const QString& folder) {
        auto* translator = new QTranslator(app);
        if (translator->load(locale, name, QStringLiteral("_"), folder))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    };
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    install(QStringLiteral("orvedit"), QStringLiteral(":/i18n"));
}

void applyEditorFace(QWidget* window) {
    QFont small = window->font();
    small.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Helvetica"),
                       QStringLiteral("DejaVu Sans")});
    small.setPointSizeF(7.5);
    window->setFont(small);
    window->setStyleSheet(QStringLiteral(
        "QWidget { font-family: \"Arial\", \"Liberation Sans\", \"DejaVu Sans\"; font-size: 7.5pt; }"
        "QGroupBox { border: 1px solid palette(mid); margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));
}

QString versionText() {
    return QCoreApplication::translate("AppState", "Version %1.%2.%3")
        .arg(ORV_VERSION_MAJOR)
        .arg(ORV_VERSION_MINOR)
        .arg(ORV_VERSION_PATCH);
}

}  // namespace orv
