#include "db/ProgramData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include "db/clsDBUtil.h"

// The installed data folder relative to the installed executables' folder,
// from the install layout (src/db/CMakeLists.txt).
#ifndef ORV_DATA_FROM_BIN
#error "ORV_DATA_FROM_BIN must name the data folder relative to the program folder"
#endif

namespace orv {

namespace {
bool holdsShippedFiles(const QString& dir) {
    return QFileInfo::exists(QDir(dir).filePath(QLatin1String(clsDBUtil::kCurrentFile)));
}
}  // namespace

QString programDataDir(const QString& programDir) {
    if (holdsShippedFiles(programDir)) return programDir;
    const QString installed = QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(ORV_DATA_FROM_BIN)));
    return holdsShippedFiles(installed) ? installed : programDir;
}

QString programDataDir() { return programDataDir(QCoreApplication::applicationDirPath()); }

}  // namespace orv
