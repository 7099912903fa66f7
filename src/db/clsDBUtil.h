// The working databases: "OrvCurrent.mdb" (the channel rows the grid edits)
// and "OrvLast.mdb" (the last-screen copy), both SQLite files with the table
// tblChannel. One clsDBUtil lives for one command: it opens the current file
// and attaches the last one so that one transaction spans both.
#pragma once
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class QTemporaryDir;

namespace orv {
namespace platform {
class FileLock;
}

class clsDBUtil {
public:
    // Where every message of this object's operations goes (text only; the
    // title is the application's). The editor shows a message box through
    // its session's prompts; tests collect the texts. Without a sink the
    // text goes to the debug log.
    using MessageSink = std::function<void(const QString&)>;

    // The texts the grid shows in its 16th row, columns 1..5.
    using ShownRow = std::function<std::array<QString, 5>()>;

    // Opens `dir`/OrvCurrent.mdb and attaches `dir`/OrvLast.mdb; a failure
    // is told to `messages`, as every later failure of this object is.
    clsDBUtil(const QString& dir, MessageSink messages);
    ~clsDBUtil();
    clsDBUtil(const clsDBUtil&) = delete;
    clsDBUtil& operator=(const clsDBUtil&) = delete;

    bool isOpen() const { return open_; }

    // Each reports success; a failure shows its message and leaves the target
    // table as it was.
    [[nodiscard]] bool currentToLast(const ShownRow& shownRow16 = {});
    [[nodiscard]] bool lastToCurrent();
    [[nodiscard]] bool setDefault();
    [[nodiscard]] bool setBlank();

    static constexpr const char* kCurrentFile = "OrvCurrent.mdb";
    static constexpr const char* kLastFile = "OrvLast.mdb";

    // Creates (or re-creates) a working file with tblChannel and its 16 rows
    // of default contents. Used by the build to make the shipped copies and
    // at run time when no shipped copy exists. The file is made beside
    // nothing and then takes the place of `path` in one step. Empty on
    // success, else why.
    static QString createWorkingFile(const QString& path);

    // The directory that holds the working copies: the program's per-user
    // data folder (platform::dataFolder(), where the backups are too), made
    // when missing. The files are copied from the shipped ones
    // (programDataDir()) or created when missing. Empty when it is not usable.
    static QString workingDirectory();
    // Copies the shipped files from `shippedDir` into `dir` where missing
    // (creating them when there is no shipped copy).
    static bool ensureWorkingFiles(const QString& dir, const QString& shippedDir);

    // Empty when `path` is a working file the grid can use (an SQLite file
    // whose tblChannel has the six columns and 16 rows), else what is wrong,
    // in the database's own words where it has them.
    static QString checkWorkingFile(const QString& path);
    // Replaces a damaged working file: a copy of the shipped one from
    // `shippedDir` when that one is sound and another file, else a freshly
    // made one. Empty on success, else why it failed.
    static QString recreateWorkingFile(const QString& path, const QString& shippedDir);
    // Puts a copy of `source` in the place of the working file `path` in one
    // step (the platform's replacement), its old journals removed first.
    // Empty on success, else why.
    static QString replaceWorkingFile(const QString& source, const QString& path);

private:
    void message(const QString& text) const;
    bool fail(const QString& prefix, const QString& why);
    bool copyRows(const char* from, const char* to, const ShownRow& shownRow16);
    bool fillRows(const char* prefix, bool defaults);

    MessageSink messages_;
    QString conn_;
    QSqlDatabase db_;
    bool open_ = false;
    QString openError_;
};

// The working copies one running editor uses. The first editor works in
// clsDBUtil::workingDirectory() and holds its lock for as long as it runs; an
// editor started while another one runs works on private copies in a
// temporary folder (removed when it ends), so two editors never edit the
// same working table. Damaged files are recreated on the way (the working
// tables are scratch data: the image holds the programming).
class WorkingFiles {
public:
    WorkingFiles();
    ~WorkingFiles();
    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;

    // The folder of the working copies; empty when none is usable.
    QString dir() const { return dir_; }
    // One message per working file that was damaged and recreated, in the
    // form "Open Database Error = <description>" plus what was done.
    const QStringList& repairs() const { return repairs_; }

private:
    void repair(const QString& shippedDir);

    QString dir_;
    std::unique_ptr<platform::FileLock> lock_;
    std::unique_ptr<QTemporaryDir> private_;
    QStringList repairs_;
};

}  // namespace orv
