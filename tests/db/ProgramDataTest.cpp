// Where the program finds its shipped files: beside itself in a build tree,
// in <prefix>/share/orvedit when installed.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "db/ProgramData.h"

namespace orv {
namespace {

TEST(ProgramData, ShippedFilesBesideTheProgramWinElseTheInstalledDataFolder) {
    struct Case {
        const char* name;
        bool besideProgram;   // OrvCurrent.mdb in the program's folder
        bool dataFolder;      // the installed data folder exists
        bool inDataFolder;    // OrvCurrent.mdb in it
        bool expectData;      // the data folder is the answer
    };
    const Case cases[] = {
        {"build tree", true, false, false, false},
        {"installed", false, true, true, true},
        {"both: the program's own copy wins", true, true, true, false},
        {"empty data folder", false, true, false, false},
        {"nothing anywhere", false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir root;
        ASSERT_TRUE(root.isValid());
        const QString program = root.filePath(QStringLiteral("prefix/bin"));
        const QString data = QDir::cleanPath(program + QStringLiteral("/" ORV_DATA_FROM_BIN));
        ASSERT_TRUE(QDir().mkpath(program));
        auto touch = [](const QString& dir) {
            QFile f(QDir(dir).filePath(QStringLiteral("OrvCurrent.mdb")));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        };
        if (c.besideProgram) touch(program);
        if (c.dataFolder) {
            ASSERT_TRUE(QDir().mkpath(data));
        }
        if (c.inDataFolder) touch(data);
        EXPECT_EQ(programDataDir(program), c.expectData ? data : program);
    }
}

}  // namespace
}  // namespace orv
