// Build step: creates the shipped working databases (tblChannel with its 16
// rows) in the folder given on the command line.
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include "db/clsDBUtil.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: orv-mkdb <output folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    for (const char* name : {orv::clsDBUtil::kCurrentFile, orv::clsDBUtil::kLastFile}) {
        const QString why = orv::clsDBUtil::createWorkingFile(QDir(dir).filePath(QLatin1String(name)));
        if (!why.isEmpty()) {
            std::fprintf(stderr, "orv-mkdb: %s: %s\n", name, qPrintable(why));
            return 1;
        }
    }
    return 0;
}
