// The grid after "Default Screen" and "Last Screen", and the working
// databases as a running editor keeps them.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlTableModel>
#include "EditorTestSupport.h"
#include "WorkingDbTables.h"
#include "db/clsDBUtil.h"

using namespace orv;
using namespace orv::test;

namespace {

class GridDatabase : public EditorFixture {};

TEST_F(GridDatabase, DefaultScreenThenLastScreenOnTheGrid) {
    auto& win = open();
    typeCell(15, 1, "151.625");  // channel 16, still pending in the grid
    typeCell(0, 5, "FIRST");
    {
        clsDBUtil db(win.channels().dataDirectory(), [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        EXPECT_TRUE(db.currentToLast([&] {
            std::array<QString, 5> r;
            for (int c = 1; c <= 5; ++c) r[size_t(c - 1)] = win.channels().shownText(15, c);
            return r;
        }));
        EXPECT_TRUE(db.setDefault());
    }
    win.channels().refreshData();
    EXPECT_EQ(cell(0, 5), "00000000");
    EXPECT_EQ(cell(15, 1), "162.55000");
    {
        clsDBUtil db(win.channels().dataDirectory(), [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        EXPECT_TRUE(db.lastToCurrent());
    }
    win.channels().refreshData();
    EXPECT_EQ(cell(15, 1), "151.62500");
    EXPECT_EQ(cell(0, 5), "FIRST");
    EXPECT_EQ(cell(3, 5), "    Ch 4");
}

// A damaged working file is reported in the form of the open error, then
// recreated, and the editor goes on with a working grid.
TEST_F(GridDatabase, ADamagedWorkingFileIsReportedAndRecreated) {
    struct Case { const char* name; QByteArray content; const char* said; };
    const Case cases[] = {
        {"not a database", QByteArray(4096, 'x'), "file is not a database"},
        {"empty file", QByteArray(), "no such table"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dataDir = freshDir();
        qputenv("ORVEDIT_DATA_DIR", dataDir.toLocal8Bit());
        w.reset();
        session = std::make_unique<EditorSession>();   // a new program run
        ASSERT_TRUE(clsDBUtil::ensureWorkingFiles(dataDir, QString(ORV_BIN_DIR)));
        QFile f(dataDir + "/OrvCurrent.mdb");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.content);
        f.close();
        const QString said = catchMessageBox([&] { open(); });
        EXPECT_TRUE(said.startsWith("Open Database Error = ")) << said.toStdString();
        EXPECT_TRUE(said.contains(c.said)) << said.toStdString();
        EXPECT_TRUE(said.contains("recreated")) << said.toStdString();
        ASSERT_NE(table(*w), nullptr);
        EXPECT_EQ(table(*w)->rowCount(), 16);
        EXPECT_EQ(table(*w)->headerData(1, Qt::Horizontal).toString(), "Rec Freq");
        EXPECT_EQ(cell(0, 1), "162.40000");
        typeCell(0, 1, "155.125");
        EXPECT_EQ(cell(0, 1), "155.12500") << "channels can be edited again";
        w.reset();
        EXPECT_EQ(readTable(dataDir + "/OrvCurrent.mdb").size(), 16u);
    }
}

// While one editor runs, a second one works on private copies of the
// working files, so the two never edit the same table.
TEST_F(GridDatabase, ASecondEditorGetsItsOwnWorkingCopies) {
    auto& first = open();
    EXPECT_EQ(first.channels().dataDirectory(), dataDir);
    typeCell(2, 5, "FIRST");
    first.channels().refreshData();
    auto secondSession = std::make_unique<EditorSession>();
    auto second = std::make_unique<frmGroups>(*secondSession);
    const QString privateDir = second->channels().dataDirectory();
    EXPECT_NE(privateDir, dataDir);
    EXPECT_TRUE(QFile::exists(privateDir + "/OrvCurrent.mdb"));
    second->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(second->channels().shownText(2, 5), "    Ch 3") << "the second editor shows its own group 1";
    EXPECT_EQ(readTable(dataDir + "/OrvCurrent.mdb")[2].label, "FIRST") << "the first editor's table is untouched";
    second.reset();
    secondSession.reset();
    EXPECT_FALSE(QDir(privateDir).exists()) << "the private copies go with their editor";
    w.reset();
}

}  // namespace
