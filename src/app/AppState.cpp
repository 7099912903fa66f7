#include "app/AppState.h"

#include <QCoreApplication>
#include <QSettings>
#include "app/EditorShell.h"
#include "Version.h"

namespace orv {

MemoryImage& theImage() {
    static MemoryImage image;
    return image;
}

bool GlobalsWindowOpen = false;

void initAppIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("ORVEDIT"));
    QCoreApplication::setApplicationName(QStringLiteral("ORVEDIT"));
    QSettings::setDefaultFormat(QSettings::IniFormat);
}

QString versionText() {
    return QStringLiteral("Version %1.%2.%3").arg(ORV_VERSION_MAJOR).arg(ORV_VERSION_MINOR).arg(ORV_VERSION_PATCH);
}

}  // namespace orv
