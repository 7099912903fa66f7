// The working databases: copies between the two files, default and blank
// contents, the messages of failed operations and their rollback.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <memory>
#include "WorkingDbTables.h"
#ifndef _WIN32
// The special-file case below makes named pipes, which Windows has not.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include "db/clsDBUtil.h"

using namespace orv;
using namespace orv::test;

namespace {

// The SQL driver is a plugin: it wants an application object.
void ensureCoreApp() {
    static int argc = 1;
    static char name[] = "orv-db-test";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
}

QString freshDir() {
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

class Databases : public ::testing::Test {
protected:
    Databases() {
        ensureCoreApp();
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
    execSql(cur(), {"UPDATE tblChannel SET \"Rec Freq\" = 150 + CHAN, \"Tx CG\" = 'D023', \"Ch Label\" = 'LAB' || CHAN"});
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
    execSql(cur(), {"UPDATE tblChannel SET \"Ch Label\" = 'KEEP' || CHAN", trigger});
    execSql(last(), {trigger});
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

// The working copies live in the program's one per-user data folder (the
// platform's answer, here named by ORVEDIT_DATA_DIR), made there on demand.
TEST_F(Databases, TheWorkingFolderIsTheDataFolder) {
    const QByteArray kept = qgetenv("ORVEDIT_DATA_DIR");
    const QString data = freshDir() + "/data";
    qputenv("ORVEDIT_DATA_DIR", data.toLocal8Bit());
    EXPECT_EQ(clsDBUtil::workingDirectory(), data);
    EXPECT_EQ(readTable(data + "/OrvCurrent.mdb").size(), 16u);
    EXPECT_EQ(readTable(data + "/OrvLast.mdb").size(), 16u);
    if (kept.isNull()) qunsetenv("ORVEDIT_DATA_DIR"); else qputenv("ORVEDIT_DATA_DIR", kept);
}

// A working file replaced by a sound copy takes the copy's contents: a
// journal SQLite left beside the old file (a program that ended in the
// middle of a change) is not played back into the new one, and nothing
// else is left in the folder.
TEST_F(Databases, ARecreatedWorkingFileKeepsNoJournalOfTheOldOne) {
    execSql(cur(), {"UPDATE tblChannel SET \"Ch Label\" = 'OLD'"});
    const QString journal = cur() + "-journal";
    {
        // A change in progress: its journal holds the old pages. A copy of
        // it taken then is what a program ended at that moment leaves.
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "midway");
        db.setDatabaseName(cur());
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec("PRAGMA synchronous = OFF"));
        ASSERT_TRUE(q.exec("BEGIN"));
        ASSERT_TRUE(q.exec("UPDATE tblChannel SET \"Ch Label\" = 'NEWER'"));
        ASSERT_TRUE(QFile::copy(journal, journal + ".kept"));
        ASSERT_TRUE(q.exec("ROLLBACK"));
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase("midway");
    ASSERT_FALSE(QFile::exists(journal));
    ASSERT_TRUE(QFile::rename(journal + ".kept", journal));

    const QString shipped = freshDir();
    ASSERT_TRUE(clsDBUtil::createWorkingFile(QDir(shipped).filePath("OrvCurrent.mdb")).isEmpty());
    execSql(QDir(shipped).filePath("OrvCurrent.mdb"), {"UPDATE tblChannel SET \"Ch Label\" = 'SHIPPED'"});
    EXPECT_TRUE(clsDBUtil::recreateWorkingFile(cur(), shipped).isEmpty());
    EXPECT_FALSE(QFile::exists(journal));
    for (const auto& r : readTable(cur())) EXPECT_EQ(r.label, "SHIPPED");
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), (QStringList{"OrvCurrent.mdb", "OrvLast.mdb"}));
}

// Whatever stands where a working file or the data folder belongs, the
// editor's start neither waits on it nor shows an empty grid unexplained: a
// pipe or a folder in a working file's place is set aside (never opened)
// and the file recreated with the usual message; a data folder that cannot
// be used is said at once.
#ifndef _WIN32
TEST_F(Databases, WhatIsNoWorkingFileIsSetAsideAndAnUnusableFolderIsSaid) {
    const QByteArray kept = qgetenv("ORVEDIT_DATA_DIR");
    struct Case {
        const char* name;
        const char* file;            // what is made in the data folder ("" : the folder itself)
        bool fifo;                   // a pipe, else a folder
        std::vector<QString> says;   // in the one start message
    };
    const Case cases[] = {
        {"a pipe as the current file", "OrvCurrent.mdb", true, {"Open Database Error = ", "a pipe (FIFO)", "set aside"}},
        {"a pipe as the last file", "OrvLast.mdb", true, {"Open Database Error = ", "OrvLast.mdb", "set aside"}},
        {"a folder as the current file", "OrvCurrent.mdb", false, {"a folder", "recreated", "set aside"}},
        {"a pipe as the data folder", "", true, {"cannot be used", "Not a directory"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString data = freshDir() + "/data";
        const QString odd = *c.file ? data + "/" + c.file : data;
        if (*c.file) {
            ASSERT_TRUE(QDir().mkpath(data));
        }
        ASSERT_EQ(c.fifo ? ::mkfifo(odd.toLocal8Bit().constData(), 0600) : (QDir().mkdir(odd) ? 0 : -1), 0);
        qputenv("ORVEDIT_DATA_DIR", data.toLocal8Bit());
        auto start = std::async(std::launch::async, [] { return std::make_unique<WorkingFiles>(); });
        if (start.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            // Let the open that waits for a writer go, then fail.
            ::close(::open(odd.toLocal8Bit().constData(), O_WRONLY | O_NONBLOCK));
            start.wait();
            ADD_FAILURE() << "the start waited on the pipe";
            continue;
        }
        const auto files = start.get();
        ASSERT_EQ(files->repairs().size(), 1) << files->repairs().join("\n").toStdString();
        for (const QString& part : c.says)
            EXPECT_TRUE(files->repairs().front().contains(part)) << files->repairs().front().toStdString();
        if (*c.file) {
            EXPECT_EQ(files->dir(), data);
            EXPECT_EQ(readTable(odd).size(), 16u);
            struct stat aside{};
            ASSERT_EQ(::lstat((odd + ".set-aside").toLocal8Bit().constData(), &aside), 0);
            EXPECT_EQ(S_ISFIFO(aside.st_mode), c.fifo) << "what was set aside is what stood there";
        } else {
            EXPECT_TRUE(files->dir().isEmpty());
        }
    }
    if (kept.isNull()) qunsetenv("ORVEDIT_DATA_DIR"); else qputenv("ORVEDIT_DATA_DIR", kept);
}
#endif

}  // namespace
