// The working databases: "OrvCurrent.mdb" (the channel rows the grid edits)
// and "OrvLast.mdb" (the last-screen copy), both SQLite files with the table
// tblChannel. One clsDBUtil lives for one command: it opens the current file
// and attaches the last one so that one transaction spans both.
#pragma once
#include <QSqlDatabase>
#include <QString>
#include <array>
#include <functional>

namespace orv {

class clsDBUtil {
public:
    // Where every message of the database operations goes (text only; the
    // title is the application's). The editor shows a message box; tests
    // collect the texts. Without a sink the text goes to the debug log.
    using MessageSink = std::function<void(const QString&)>;
    static void setMessageSink(MessageSink sink);
    static void message(const QString& text);

    // The texts the grid shows in its 16th row, columns 1..5.
    using ShownRow = std::function<std::array<QString, 5>()>;

    // Opens `dir`/OrvCurrent.mdb and attaches `dir`/OrvLast.mdb.
    explicit clsDBUtil(const QString& dir);
    ~clsDBUtil();
    clsDBUtil(const clsDBUtil&) = delete;
    clsDBUtil& operator=(const clsDBUtil&) = delete;

    bool isOpen() const { return open_; }

    // Each reports success; a failure shows its message and leaves the target
    // table as it was.
    bool currentToLast(const ShownRow& shownRow16 = {});
    bool lastToCurrent();
    bool setDefault();
    bool setBlank();

    static constexpr const char* kCurrentFile = "OrvCurrent.mdb";
    static constexpr const char* kLastFile = "OrvLast.mdb";

    // Creates (or re-creates) a working file with tblChannel and its 16 rows
    // of default contents. Used by the build to make the shipped copies and
    // at run time when no shipped copy exists. Empty on success, else why.
    static QString createWorkingFile(const QString& path);

    // The directory that holds the working copies: $ORVEDIT_DATA_DIR when
    // set; else the program's directory when the files are there and it is
    // writable; else the per-user data directory. The files are copied from
    // the shipped ones (or created) when missing. Empty when none is usable.
    static QString workingDirectory();
    // Copies the shipped files from `shippedDir` into `dir` where missing
    // (creating them when there is no shipped copy).
    static bool ensureWorkingFiles(const QString& dir, const QString& shippedDir);

private:
    bool fail(const QString& prefix, const QString& why);
    bool copyRows(const char* from, const char* to, const ShownRow& shownRow16);
    bool fillRows(const char* prefix, bool defaults);

    QString conn_;
    QSqlDatabase db_;
    bool open_ = false;
    QString openError_;
};

}  // namespace orv
