#include "app/AppState.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QSettings>
#include <QStyle>
#include <QTranslator>
#include <QWidget>
#include "Version.h"
#include "app/Twips.h"

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
    // The application's font as it is: the twips layout scales to it, and so
    // do the marks of the check boxes and radio buttons, which the style
    // would otherwise draw at their size for the small face.
    QString sheet = QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 0.7em; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }");
    const double scale = layoutScale();
    if (scale > 1.05) {
        const QStyle* style = window->style();
        const int box = qRound(style->pixelMetric(QStyle::PM_IndicatorWidth) * scale);
        const int radio = qRound(style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) * scale);
        sheet += QStringLiteral("QCheckBox::indicator { width: %1px; height: %1px; }"
                                "QRadioButton::indicator { width: %2px; height: %2px; }")
                     .arg(box)
                     .arg(radio);
    }
    window->setStyleSheet(sheet);
}

void nameAfterCaption(QWidget* control, const QString& caption) {
    QString name = caption;
    name.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
    name.replace(QStringLiteral("&&"), QStringLiteral("&"));
    name = name.simplified();
    while (name.endsWith(QLatin1Char(':'))) name.chop(1);
    control->setAccessibleName(name);
    // A compound control (a tuning box) takes the focus in one of its parts.
    if (QWidget* part = control->focusProxy()) part->setAccessibleName(name);
}

void makeFixedDialog(QWidget* dialog) {
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
}

QString versionText() {
    return QCoreApplication::translate("AppState", "Version %1.%2.%3")
        .arg(ORV_VERSION_MAJOR)
        .arg(ORV_VERSION_MINOR)
        .arg(ORV_VERSION_PATCH);
}

}  // namespace orv
