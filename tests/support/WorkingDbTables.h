// The working databases' table as a test reads and changes it directly,
// through its own SQLite connection.
#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>
#include <vector>

namespace orv::test {

struct Row {
    double rec, tx;
    QString recCG, txCG, label;
};

inline std::vector<Row> readTable(const QString& file) {
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

inline void execSql(const QString& file, const QStringList& statements) {
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

}  // namespace orv::test
