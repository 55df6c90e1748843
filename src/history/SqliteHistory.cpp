// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryConnection.h"
#include "history/MarkTables.h"
#include "history/PrintOptionColumns.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>

namespace sorario {
namespace {

const QStringList Schema = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS runs (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                   " class TEXT NOT NULL, at TEXT NOT NULL, output INTEGER NOT NULL,"
                   " answer_layout INTEGER, attach_answers INTEGER, font_name TEXT, font_size INTEGER,"
                   " sheet_logo TEXT, sheet_count INTEGER, all_parts INTEGER, parts TEXT, seed TEXT)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS files (run_id INTEGER NOT NULL REFERENCES runs(id),"
                   " position INTEGER NOT NULL, path TEXT NOT NULL, digest TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS sheets (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                   " run_id INTEGER NOT NULL REFERENCES runs(id), number TEXT NOT NULL, at TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS questions (sheet_id INTEGER NOT NULL REFERENCES sheets(id),"
                   " position INTEGER NOT NULL, key TEXT NOT NULL, question TEXT NOT NULL,"
                   " hint TEXT NOT NULL, answer TEXT NOT NULL)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS sheets_number ON sheets(number)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS questions_sheet ON questions(sheet_id)"),
    // A run's sheet number, taken before it prints so that no other run gets it;
    // run_id stays empty until the run is recorded.
    QStringLiteral("CREATE TABLE IF NOT EXISTS run_numbers (number TEXT PRIMARY KEY, run_id INTEGER"
                   " REFERENCES runs(id))"),
};

// The tables every history has had from the first.
const QStringList HistoryTables = {
    QStringLiteral("files"), QStringLiteral("questions"), QStringLiteral("runs"), QStringLiteral("sheets")};

// The table added last: a history that has it has every table and index.
const QString NewestTable = QStringLiteral("run_numbers");

// One file on this computer, shared by the copies of the program that use it
// (write-ahead log, and a wait while another one writes).
class SqliteHistory final : public HistoryBackend
{
public:
    HistoryPresence presence(const QString &path) const override
    {
        if (QFileInfo::exists(path))
            return HistoryPresence::Present;
        // A file in a folder that cannot be entered does not "exist" either: the nearest
        // folder that does tells the two apart.
        QFileInfo folder(QFileInfo(path).absolutePath());
        while (!folder.exists() && !folder.isRoot())
            folder.setFile(folder.absolutePath());
        return folder.isDir() && folder.isExecutable() ? HistoryPresence::Absent
                                                       : HistoryPresence::Unreachable;
    }

    bool open(const HistoryConnection &c, const QString &path) const override;

    bool readsRowByRow() const override { return true; }

    QStringList beginWrite() const override { return {QStringLiteral("BEGIN IMMEDIATE")}; }

    int schemaVersion(const HistorySql &sql) const override
    {
        QSqlQuery row = sql.exec(QStringLiteral("PRAGMA user_version"), {});
        return sql.next(row) ? row.value(0).toInt() : 0;
    }

    QStringList tables(const HistorySql &sql) const override
    {
        QStringList names;
        QSqlQuery row = sql.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"), {});
        while (sql.next(row))
            names.append(row.value(0).toString());
        return names;
    }

    QSet<QString> columns(const HistorySql &sql, const QString &table) const override
    {
        QSet<QString> names;
        QSqlQuery info = sql.exec(QStringLiteral("PRAGMA table_info(%1)").arg(table), {});
        while (sql.next(info))
            names.insert(info.value(1).toString());
        return names;
    }

    HistoryFault faultOf(const QSqlError &error) const override
    {
        switch (error.nativeErrorCode().toInt() & 0xff) { // the primary code of an extended one
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return HistoryFault::Busy;
        case 8: // SQLITE_READONLY
            return HistoryFault::ReadOnly;
        case 11: // SQLITE_CORRUPT
            return HistoryFault::Damaged;
        case 13: // SQLITE_FULL
            return HistoryFault::DiskFull;
        case 26: // SQLITE_NOTADB
            return HistoryFault::NotAHistory;
        default:
            return HistoryFault::Unusable;
        }
    }

    // SQLite's own reason only: Qt's words after it tell the teacher nothing.
    QString detailOf(const QSqlError &error) const override { return error.databaseText(); }
};

bool SqliteHistory::open(const HistoryConnection &c, const QString &path) const
{
    if (c.writes() && !QDir().mkpath(QFileInfo(path).absolutePath()))
        throw HistoryFailure(HistoryFault::NoFolder, {});
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), c.name());
    // Another copy of the program may be writing: wait for it rather than fail, long
    // enough for a whole class's worth of copies started at once to take their turns.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=30000");
    db.setDatabaseName(path);
    const QFileInfo info(path);
    // A write would leave the log files behind it, which a file it cannot change cannot remove.
    if (c.writes() && info.exists() && !info.isWritable())
        throw HistoryFailure(HistoryFault::ReadOnly, {});
    // Reading opens the file as writing does, so that the last one out removes the log
    // files; one whose log files cannot be made beside it is read without them, as it
    // stands, unless the log holds committed records: then through the log, or not at all.
    const bool logged = QFileInfo(path + QStringLiteral("-wal")).size() > 0;
    const bool readOnly = c.access() == HistoryAccess::Read
        && (!info.isWritable() || !QFileInfo(info.absolutePath()).isWritable());
    if (readOnly) {
        QUrl file = QUrl::fromLocalFile(info.absoluteFilePath());
        if (!logged)
            file.setQuery(QStringLiteral("immutable=1"));
        db.setDatabaseName(file.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    }
    db.setConnectOptions(options);
    if (!db.open())
        throw HistoryFailure(db.lastError(), QSqlDriver::SQLite);
    if (readOnly && logged)
        try {
            c.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        } catch (const HistoryFailure &) {
            throw HistoryFailure(HistoryFault::LogUnread, {});
        }
    if (c.access() == HistoryAccess::Write) {
        // Damage is found before a record could be added to what can no longer be read.
        QSqlQuery check = c.exec(QStringLiteral("PRAGMA quick_check(1)"));
        if (nextRow(check) && check.value(0).toString() != QLatin1String("ok"))
            throw HistoryFailure(HistoryFault::Damaged, check.value(0).toString());
    }
    const QStringList present = tables(c.sql());
    for (const QString &table : HistoryTables)
        if (!present.isEmpty() && !present.contains(table))
            throw HistoryFailure(HistoryFault::NotAHistory, {});
    if (!c.writes())
        return present.isEmpty();
    // A history made by this version needs no new tables: no write lock is taken for them.
    if (!present.contains(NewestTable)) {
        c.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        // Made whole or not at all, so that another copy never sees half a history.
        InWriteTransaction(c.sql(), [&] {
            for (const QString &statement : Schema)
                c.exec(statement);
        });
    }
    AddPrintOptionColumns(c.sql());
    AddMarkTables(c.sql());
    return false;
}

} // namespace

const HistoryBackend &SqliteBackend()
{
    static const SqliteHistory backend;
    return backend;
}

} // namespace sorario
