#include "db/clsDBUtil.h"
#include "db/ProgramData.h"
#include "image/MemoryMap.h"
#include "platform/Files.h"
#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>
#include <QVariant>
#include <vector>

namespace orv {

namespace {

// A connection name of its own for every open (no counter kept between
// calls: nothing of this file is program-wide state).
QString uniqueConnection(const char* prefix) {
    return QLatin1String(prefix) + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

const char* const kDataColumns[5] = {"Rec Freq", "Rec CG", "Tx Freq", "Tx CG", "Ch Label"};

QString quoted(const char* column) { return QStringLiteral("\"%1\"").arg(QLatin1String(column)); }

QString errorText(const QSqlError& e) {
    QString t = e.databaseText().isEmpty() ? e.text() : e.databaseText();
    return t.isEmpty() ? QStringLiteral("Unknown database error") : t;
}

// A working file is a few kilobytes; a copy of anything much larger is
// refused rather than read into memory.
constexpr std::size_t kWorkingFileCap = std::size_t{16} << 20;

std::string fileName(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

QString missingFile(const QString& path) {
    return QStringLiteral("Could not find file '%1'.").arg(QDir::toNativeSeparators(path));
}

// A shown frequency text goes into its numeric column as a number when it is
// one, so that the last-screen copy holds the same kind of value as the rest.
QVariant shownValue(int col, const QString& text) {
    if (col == 0 || col == 2) {
        bool ok = false;
        double v = text.trimmed().toDouble(&ok);
        if (ok) return v;
    }
    return text;
}

}  // namespace

void clsDBUtil::message(const QString& text) const {
    if (messages_)
        messages_(text);
    else
        qWarning().noquote() << text;
}

clsDBUtil::clsDBUtil(const QString& dir, MessageSink messages) : messages_(std::move(messages)) {
    conn_ = uniqueConnection("clsDBUtil_");
    const QString current = QDir(dir).filePath(QLatin1String(kCurrentFile));
    const QString last = QDir(dir).filePath(QLatin1String(kLastFile));

    // Opening an SQLite file that does not exist would create it: check first,
    // as the working files are never created by a command.
    if (!QFileInfo::exists(current)) {
        openError_ = missingFile(current);
        fail(QStringLiteral("Open Database Error = "), openError_);
        return;
    }
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn_);
    db_.setDatabaseName(current);
    db_.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db_.open()) {
        openError_ = errorText(db_.lastError());
        fail(QStringLiteral("Open Database Error = "), openError_);
        return;
    }
    QSqlQuery q(db_);
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM main.tblChannel"))) {
        openError_ = errorText(q.lastError());
        fail(QStringLiteral("Open Database Error = "), openError_);
        return;
    }
    q.finish();
    if (!QFileInfo::exists(last)) {
        openError_ = missingFile(last);
        fail(QStringLiteral("Open Database Error = "), openError_);
        return;
    }
    q.prepare(QStringLiteral("ATTACH DATABASE ? AS last"));
    q.addBindValue(last);
    if (!q.exec()) {
        openError_ = errorText(q.lastError());
        fail(QStringLiteral("Open Database Error = "), openError_);
        return;
    }
    if (!q.exec(QStringLiteral("SELECT COUNT(*) FROM last.tblChannel"))) {
        openError_ = errorText(q.lastError());
        fail(QStringLiteral("Open Database Error = "), openError_);
        return;
    }
    q.finish();
    open_ = true;
}

clsDBUtil::~clsDBUtil() {
    if (db_.isValid()) {
        if (db_.isOpen()) db_.close();
        db_ = QSqlDatabase();
    }
    if (QSqlDatabase::contains(conn_)) QSqlDatabase::removeDatabase(conn_);
}

bool clsDBUtil::fail(const QString& prefix, const QString& why) {
    message(prefix + why);
    return false;
}

bool clsDBUtil::copyRows(const char* from, const char* to, const ShownRow& shownRow16) {
    const QString prefix = QLatin1String(from) == QLatin1String("main") ? QStringLiteral("Current to Last Error = ")
                                                                         : QStringLiteral("Last to Current Error = ");
    if (!open_)
        return fail(prefix, openError_.isEmpty() ? QStringLiteral("Object is not open.")
                                                 : QStringLiteral("The database is not open: ") + openError_);
    if (!db_.transaction()) return fail(prefix, errorText(db_.lastError()));

    auto abort = [&](const QString& why) {
        db_.rollback();
        return fail(prefix, why);
    };

    QSqlQuery src(db_);
    src.setForwardOnly(true);
    QString cols = QStringLiteral("CHAN");
    for (const char* c : kDataColumns) cols += QStringLiteral(", ") + quoted(c);
    if (!src.exec(QStringLiteral("SELECT %1 FROM %2.tblChannel ORDER BY rowid").arg(cols, QLatin1String(from))))
        return abort(errorText(src.lastError()));
    struct Row { int chan; std::array<QVariant, 5> v; };
    std::vector<Row> rows;
    while (src.next()) {
        Row r;
        r.chan = src.value(0).toInt();
        for (int i = 0; i < 5; ++i) r.v[static_cast<size_t>(i)] = src.value(i + 1);
        rows.push_back(r);
    }
    src.finish();

    QSqlQuery ids(db_);
    ids.setForwardOnly(true);
    if (!ids.exec(QStringLiteral("SELECT rowid FROM %1.tblChannel ORDER BY rowid").arg(QLatin1String(to))))
        return abort(errorText(ids.lastError()));
    std::vector<qlonglong> target;
    while (ids.next()) target.push_back(ids.value(0).toLongLong());
    ids.finish();

    QString set;
    for (const char* c : kDataColumns) set += (set.isEmpty() ? QString() : QStringLiteral(", ")) + quoted(c) + " = ?";
    QSqlQuery upd(db_);
    if (!upd.prepare(QStringLiteral("UPDATE %1.tblChannel SET %2 WHERE rowid = ?").arg(QLatin1String(to), set)))
        return abort(errorText(upd.lastError()));

    for (size_t i = 0; i < rows.size(); ++i) {
        if (i >= target.size()) return abort(QStringLiteral("No current record."));
        std::array<QVariant, 5> values = rows[i].v;
        if (shownRow16 && rows[i].chan == 16) {
            // An edit of channel 16 that the grid still holds is saved as shown.
            const auto shown = shownRow16();
            for (int k = 0; k < 5; ++k) values[static_cast<size_t>(k)] = shownValue(k, shown[static_cast<size_t>(k)]);
        }
        for (int k = 0; k < 5; ++k) upd.bindValue(k, values[static_cast<size_t>(k)]);
        upd.bindValue(5, target[i]);
        if (!upd.exec()) return abort(errorText(upd.lastError()));
    }
    if (!db_.commit()) return abort(errorText(db_.lastError()));
    return true;
}

bool clsDBUtil::currentToLast(const ShownRow& shownRow16) { return copyRows("main", "last", shownRow16); }

bool clsDBUtil::lastToCurrent() { return copyRows("last", "main", {}); }

bool clsDBUtil::fillRows(const char* prefixText, bool defaults) {
    const QString prefix = QLatin1String(prefixText);
    if (!open_)
        return fail(prefix, openError_.isEmpty() ? QStringLiteral("Object is not open.")
                                                 : QStringLiteral("The database is not open: ") + openError_);
    if (!db_.transaction()) return fail(prefix, errorText(db_.lastError()));
    QSqlQuery ids(db_);
    ids.setForwardOnly(true);
    if (!ids.exec(QStringLiteral("SELECT rowid FROM main.tblChannel ORDER BY rowid"))) {
        db_.rollback();
        return fail(prefix, errorText(ids.lastError()));
    }
    std::vector<qlonglong> target;
    while (ids.next()) target.push_back(ids.value(0).toLongLong());
    ids.finish();
    QSqlQuery upd(db_);
    upd.prepare(QStringLiteral("UPDATE main.tblChannel SET \"Rec Freq\" = ?, \"Rec CG\" = 0, \"Tx Freq\" = 0, "
                               "\"Tx CG\" = 0, \"Ch Label\" = '00000000' WHERE rowid = ?"));
    int n = 160;
    for (qlonglong id : target) {
        // 162.4000, 162.4500, 162.5000, 162.5500 MHz in turn.
        const double freq = defaults ? 162.0 + n * 0.0025 : 0.0;
        n += 20;
        if (n == 240) n = 160;
        upd.bindValue(0, freq);
        upd.bindValue(1, id);
        if (!upd.exec()) {
            const QString why = errorText(upd.lastError());
            db_.rollback();
            return fail(prefix, why);
        }
    }
    if (!db_.commit()) {
        const QString why = errorText(db_.lastError());
        db_.rollback();
        return fail(prefix, why);
    }
    return true;
}

bool clsDBUtil::setDefault() { return fillRows("Set Default DB Error = ", true); }

bool clsDBUtil::setBlank() { return fillRows("Set Balnk DB Error = ", false); }

QString clsDBUtil::createWorkingFile(const QString& path) {
    // Made in a folder of its own, then put in the place of `path` in one step.
    QTemporaryDir scratch;
    if (!scratch.isValid()) return QStringLiteral("Cannot make a temporary folder: ") + scratch.errorString();
    const QString made = scratch.filePath(QFileInfo(path).fileName());
    QString why;
    {
        const QString conn = uniqueConnection("orv_create_");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(made);
        if (!db.open()) {
            why = errorText(db.lastError());
        } else {
            QSqlQuery q(db);
            bool ok = q.exec(QStringLiteral(
                "CREATE TABLE tblChannel (\"CHAN\" INTEGER NOT NULL, \"Rec Freq\" REAL, \"Rec CG\" TEXT, "
                "\"Tx Freq\" REAL, \"Tx CG\" TEXT, \"Ch Label\" TEXT)"));
            ok = ok && db.transaction();
            q.prepare(QStringLiteral("INSERT INTO tblChannel VALUES (?, ?, '0', 0, '0', '00000000')"));
            int n = 160;
            for (int chan = 1; ok && chan <= memmap::kChannels; ++chan) {
                q.bindValue(0, chan);
                q.bindValue(1, 162.0 + n * 0.0025);
                n += 20;
                if (n == 240) n = 160;
                ok = q.exec();
            }
            ok = ok && db.commit();
            if (!ok) why = errorText(q.lastError().isValid() ? q.lastError() : db.lastError());
            q.finish();
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(conn);
    }
    return why.isEmpty() ? replaceWorkingFile(made, path) : why;
}

bool clsDBUtil::ensureWorkingFiles(const QString& dir, const QString& shippedDir) {
    if (platform::makeFolders(fileName(dir)) != 0) return false;
    for (const char* name : {kCurrentFile, kLastFile}) {
        const QString target = QDir(dir).filePath(QLatin1String(name));
        if (QFileInfo::exists(target)) continue;
        const QString shipped = QDir(shippedDir).filePath(QLatin1String(name));
        bool ok = false;
        if (QFileInfo::exists(shipped) && QFileInfo(shipped).absoluteFilePath() != QFileInfo(target).absoluteFilePath())
            ok = replaceWorkingFile(shipped, target).isEmpty();
        if (!ok) ok = createWorkingFile(target).isEmpty();
        if (!ok) return false;
    }
    return true;
}

QString clsDBUtil::workingDirectory() {
    const QString dir = QString::fromStdString(platform::dataFolder());
    if (dir.isEmpty()) return dir;
    return ensureWorkingFiles(dir, programDataDir()) ? dir : QString();
}

QString clsDBUtil::checkWorkingFile(const QString& path) {
    if (!QFileInfo::exists(path)) return missingFile(path);
    QString why;
    {
        const QString conn = uniqueConnection("orv_check_");
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
        if (!db.open()) {
            why = errorText(db.lastError());
        } else {
            QSqlQuery q(db);
            QString cols = QStringLiteral("CHAN");
            for (const char* c : kDataColumns) cols += QStringLiteral(", ") + quoted(c);
            if (!q.exec(QStringLiteral("SELECT %1 FROM tblChannel").arg(cols))) {
                why = errorText(q.lastError());
            } else {
                int rows = 0;
                while (q.next()) ++rows;
                if (rows != 16)
                    why = QStringLiteral("The table tblChannel has %1 rows instead of 16.").arg(rows);
            }
            q.finish();
            db.close();
        }
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(conn);
    }
    return why;
}

QString clsDBUtil::replaceWorkingFile(const QString& source, const QString& path) {
    // SQLite's journals beside the file belong to the file replaced: one left
    // there would be played back into the new file. They go first, so that
    // a stop between the two steps leaves a damaged file, repaired next time,
    // never a sound file with a stranger's journal.
    for (const char* journal : {"-journal", "-wal", "-shm"}) platform::removeFile(fileName(path + QLatin1String(journal)));
    const FileStatus st = platform::copyFile(fileName(source), fileName(path), kWorkingFileCap);
    return st ? QString() : QString::fromStdString(st.message);
}

QString clsDBUtil::recreateWorkingFile(const QString& path, const QString& shippedDir) {
    const QString shipped = QDir(shippedDir).filePath(QFileInfo(path).fileName());
    const bool otherFile = QFileInfo(shipped).absoluteFilePath() != QFileInfo(path).absoluteFilePath();
    if (otherFile && checkWorkingFile(shipped).isEmpty() && replaceWorkingFile(shipped, path).isEmpty()) return {};
    return createWorkingFile(path);
}

WorkingFiles::WorkingFiles() {
    const QString shared = clsDBUtil::workingDirectory();
    const QString shippedDir = programDataDir();
    if (shared.isEmpty()) return;
    // The system lets go of the lock when its editor ends, however it ends.
    lock_ = std::make_unique<platform::FileLock>(fileName(QDir(shared).filePath(QStringLiteral("OrvCurrent.lock"))),
                                                 platform::LockWait::No);
    if (lock_->error() == 0) {
        dir_ = shared;
    } else {
        lock_.reset();
        private_ = std::make_unique<QTemporaryDir>();
        if (!private_->isValid()) {
            private_.reset();
            return;
        }
        // Start from the shared copies (the last screen included); they are
        // only read here.
        dir_ = private_->path();
        if (!clsDBUtil::ensureWorkingFiles(dir_, shared)) {
            dir_.clear();
            return;
        }
    }
    repair(shippedDir);
}

WorkingFiles::~WorkingFiles() = default;

void WorkingFiles::repair(const QString& shippedDir) {
    for (const char* name : {clsDBUtil::kCurrentFile, clsDBUtil::kLastFile}) {
        const QString path = QDir(dir_).filePath(QLatin1String(name));
        const QString damage = clsDBUtil::checkWorkingFile(path);
        if (damage.isEmpty()) continue;
        const QString failed = clsDBUtil::recreateWorkingFile(path, shippedDir);
        QString text = QStringLiteral("Open Database Error = ") + damage + QLatin1Char('\r');
        text += failed.isEmpty()
                    ? QStringLiteral("The working database %1 was damaged. It has been recreated from the shipped "
                                     "copy; the programming itself is kept in the image.")
                          .arg(QLatin1String(name))
                    : QStringLiteral("The working database %1 is damaged and could not be recreated: %2")
                          .arg(QLatin1String(name), failed);
        repairs_ << text;
    }
}

}  // namespace orv
