// The working databases: copies between the two files, default and blank
// contents, the messages of failed operations and their rollback; the grid
// after "Default Screen" and "Last Screen".
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QStringList>
#include <QVariant>
#include <vector>
#include "EditorTestSupport.h"
#include "db/clsDBUtil.h"

using namespace orv;
using namespace orv::edtest;

namespace {

struct Row {
    double rec, tx;
    QString recCG, txCG, label;
};

std::vector<Row> readTable(const QString& file) {
    std::vector<Row> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "probe");
        db.setDatabaseName(file);
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec("SELECT \"Rec Freq\", \"Rec CG\", \"Tx Freq\", \"Tx CG\", \"Ch Label\" FROM tblChannel ORDER BY rowid"));
        while (q.next())
            rows.push_back({q.value(0).toDouble(), q.value(2).toDouble(), q.value(1).toString(), q.value(3).toString(),
                            q.value(4).toString()});
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("probe");
    return rows;
}

void exec(const QString& file, const QStringList& statements) {
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "exec");
        db.setDatabaseName(file);
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        for (const auto& s : statements) ASSERT_TRUE(q.exec(s)) << s.toStdString();
        db.close();
    }
    QSqlDatabase::removeDatabase("exec");
}

class Databases : public ::testing::Test {
protected:
    Databases() {
        ensureEditorApp();
        dir = freshDir();
        EXPECT_TRUE(clsDBUtil::createWorkingFile(cur()).isEmpty());
        EXPECT_TRUE(clsDBUtil::createWorkingFile(last()).isEmpty());
    }
    // Each object tells its own failures to the sink it was made with.
    clsDBUtil::MessageSink sink() {
        return [this](const QString& m) { messages << m; };
    }
    QString cur() const { return QDir(dir).filePath("OrvCurrent.mdb"); }
    QString last() const { return QDir(dir).filePath("OrvLast.mdb"); }
    QString dir;
    QStringList messages;
};

TEST_F(Databases, ShippedFilesHoldSixteenChannelRows) {
    const auto rows = readTable(QString(ORV_BIN_DIR) + "/OrvCurrent.mdb");
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(readTable(QString(ORV_BIN_DIR) + "/OrvLast.mdb").size(), 16u);
}

TEST_F(Databases, DefaultThenLastScreenBringsBackTheRows) {
    exec(cur(), {"UPDATE tblChannel SET \"Rec Freq\" = 150 + CHAN, \"Tx CG\" = 'D023', \"Ch Label\" = 'LAB' || CHAN"});
    const auto before = readTable(cur());
    {
        clsDBUtil db(dir, sink());
        ASSERT_TRUE(db.isOpen());
        EXPECT_TRUE(db.currentToLast());
        EXPECT_TRUE(db.setDefault());
    }
    const auto def = readTable(cur());
    const double rot[4] = {162.4, 162.45, 162.5, 162.55};
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_DOUBLE_EQ(def[i].rec, rot[i % 4]) << i;
        EXPECT_EQ(def[i].tx, 0);
        EXPECT_EQ(def[i].recCG, "0");
        EXPECT_EQ(def[i].label, "00000000");
    }
    for (int twice = 0; twice < 2; ++twice) {
        clsDBUtil db(dir, sink());
        EXPECT_TRUE(db.lastToCurrent());
        const auto back = readTable(cur());
        for (size_t i = 0; i < 16; ++i) {
            EXPECT_DOUBLE_EQ(back[i].rec, before[i].rec);
            EXPECT_EQ(back[i].txCG, "D023");
            EXPECT_EQ(back[i].label, before[i].label);
        }
    }
    {
        clsDBUtil db(dir, sink());
        EXPECT_TRUE(db.setBlank());
    }
    for (const auto& r : readTable(cur())) {
        EXPECT_EQ(r.rec, 0);
        EXPECT_EQ(r.label, "00000000");
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_F(Databases, TheShownSixteenthRowGoesIntoTheLastScreenCopy) {
    clsDBUtil db(dir, sink());
    EXPECT_TRUE(db.currentToLast([] {
        return std::array<QString, 5>{"151.62500", "D023-", "000.00000", "067.0", "PENDING"};
    }));
    const auto rows = readTable(last());
    EXPECT_DOUBLE_EQ(rows[15].rec, 151.625);
    EXPECT_EQ(rows[15].recCG, "D023-");
    EXPECT_EQ(rows[15].txCG, "067.0");
    EXPECT_EQ(rows[15].label, "PENDING");
    EXPECT_DOUBLE_EQ(rows[14].rec, 162.5);
}

TEST_F(Databases, AMissingLastFileIsReportedByEveryOperation) {
    QFile::remove(last());
    clsDBUtil db(dir, sink());
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(db.currentToLast());
    EXPECT_FALSE(db.lastToCurrent());
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].startsWith("Open Database Error = ")) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains("OrvLast.mdb"));
    EXPECT_TRUE(messages[1].startsWith("Current to Last Error = ")) << messages[1].toStdString();
    EXPECT_TRUE(messages[2].startsWith("Last to Current Error = "));
    EXPECT_FALSE(QFile::exists(last()));  // never created by a command
}

TEST_F(Databases, AFailedOperationLeavesTheTargetTableAsItWas) {
    // Row 9 of the target refuses every change halfway through the walk.
    const QString trigger =
        "CREATE TRIGGER refuse BEFORE UPDATE ON tblChannel WHEN OLD.CHAN = 9 BEGIN SELECT RAISE(ABORT, 'row 9 is locked'); END";
    exec(cur(), {"UPDATE tblChannel SET \"Ch Label\" = 'KEEP' || CHAN", trigger});
    exec(last(), {trigger});
    const auto curBefore = readTable(cur());
    const auto lastBefore = readTable(last());
    struct Op { const char* prefix; std::function<bool(clsDBUtil&)> run; };
    const Op ops[] = {{"Set Default DB Error = ", [](clsDBUtil& d) { return d.setDefault(); }},
                      {"Set Balnk DB Error = ", [](clsDBUtil& d) { return d.setBlank(); }},
                      {"Current to Last Error = ", [](clsDBUtil& d) { return d.currentToLast(); }},
                      {"Last to Current Error = ", [](clsDBUtil& d) { return d.lastToCurrent(); }}};
    for (const auto& op : ops) {
        messages.clear();
        clsDBUtil db(dir, sink());
        EXPECT_FALSE(op.run(db));
        ASSERT_EQ(messages.size(), 1) << op.prefix;
        EXPECT_TRUE(messages[0].startsWith(op.prefix)) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].contains("row 9 is locked"));
    }
    const auto curAfter = readTable(cur());
    const auto lastAfter = readTable(last());
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(curAfter[i].label, curBefore[i].label);
        EXPECT_DOUBLE_EQ(curAfter[i].rec, curBefore[i].rec);
        EXPECT_EQ(lastAfter[i].label, lastBefore[i].label);
    }
}

TEST_F(Databases, WorkingFilesAreCopiedFromTheShippedOnesWhenMissing) {
    const QString target = freshDir() + "/sub";
    EXPECT_TRUE(clsDBUtil::ensureWorkingFiles(target, dir));
    EXPECT_EQ(readTable(target + "/OrvCurrent.mdb").size(), 16u);
    // Without shipped copies the files are made fresh.
    const QString bare = freshDir();
    EXPECT_TRUE(clsDBUtil::ensureWorkingFiles(bare, freshDir()));
    EXPECT_EQ(readTable(bare + "/OrvLast.mdb").size(), 16u);
}

class GridDatabase : public EditorFixture {};

TEST_F(GridDatabase, DefaultScreenThenLastScreenOnTheGrid) {
    auto& win = open();
    typeCell(15, 1, "151.625");  // channel 16, still pending in the grid
    typeCell(0, 5, "FIRST");
    {
        clsDBUtil db(win.dataDirectory(), [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        EXPECT_TRUE(db.currentToLast([&] {
            std::array<QString, 5> r;
            for (int c = 1; c <= 5; ++c) r[size_t(c - 1)] = win.shownText(15, c);
            return r;
        }));
        EXPECT_TRUE(db.setDefault());
    }
    win.refreshData();
    EXPECT_EQ(cell(0, 5), "00000000");
    EXPECT_EQ(cell(15, 1), "162.55000");
    {
        clsDBUtil db(win.dataDirectory(), [](const QString& m) { ADD_FAILURE() << m.toStdString(); });
        EXPECT_TRUE(db.lastToCurrent());
    }
    win.refreshData();
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
        ASSERT_NE(w->dataORVInfo(), nullptr);
        EXPECT_EQ(w->dataORVInfo()->rowCount(), 16);
        EXPECT_EQ(w->dataORVInfo()->headerData(1, Qt::Horizontal).toString(), "Rec Freq");
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
    EXPECT_EQ(first.dataDirectory(), dataDir);
    typeCell(2, 5, "FIRST");
    first.refreshData();
    auto secondSession = std::make_unique<EditorSession>();
    auto second = std::make_unique<frmGroups>(*secondSession);
    const QString privateDir = second->dataDirectory();
    EXPECT_NE(privateDir, dataDir);
    EXPECT_TRUE(QFile::exists(privateDir + "/OrvCurrent.mdb"));
    second->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(second->shownText(2, 5), "    Ch 3") << "the second editor shows its own group 1";
    EXPECT_EQ(readTable(dataDir + "/OrvCurrent.mdb")[2].label, "FIRST") << "the first editor's table is untouched";
    second.reset();
    secondSession.reset();
    EXPECT_FALSE(QDir(privateDir).exists()) << "the private copies go with their editor";
    w.reset();
}

}  // namespace
