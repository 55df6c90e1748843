// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/MarkTables.h"

#include "history/HistoryBackend.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace sorario {
namespace {

// What each version adds to the one before it, from MarksVersion on.
const QList<QStringList> Upgrades
    = {{
           QStringLiteral("CREATE TABLE IF NOT EXISTS answer_sheets (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                          " sheet_id INTEGER NOT NULL REFERENCES sheets(id), pupil INTEGER)"),
           QStringLiteral("CREATE INDEX IF NOT EXISTS answer_sheets_sheet ON answer_sheets(sheet_id)"),
           QStringLiteral("CREATE TABLE IF NOT EXISTS marks (answer_id INTEGER NOT NULL REFERENCES"
                          " answer_sheets(id), position INTEGER NOT NULL, mark INTEGER NOT NULL,"
                          " PRIMARY KEY (answer_id, position)) WITHOUT ROWID"),
           QStringLiteral("PRAGMA user_version = %1").arg(MarksVersion),
       },
        {
            QStringLiteral(
                "CREATE TABLE IF NOT EXISTS run_points (run_id INTEGER PRIMARY KEY REFERENCES runs(id),"
                " points INTEGER NOT NULL)"),
            QStringLiteral("PRAGMA user_version = %1").arg(RunPointsVersion),
        }};
static_assert(RunPointsVersion == MarksVersion + 1, "one list of statements for each version");

int versionOf(const HistorySql &sql)
{
    return sql.backend->schemaVersion(sql);
}

// As stored: an unmarked question has no row.
int storedMark(Mark mark)
{
    return mark == Mark::Right ? 1 : mark == Mark::Wrong ? 2 : 3;
}

Mark markStored(int stored)
{
    return stored == 1 ? Mark::Right
        : stored == 2  ? Mark::Wrong
        : stored == 3  ? Mark::Partial
                       : Mark::Unmarked;
}

struct RunSheet
{
    qint64 id;
    int questions;
};

QList<RunSheet> sheetsOf(const HistorySql &sql, qint64 runId)
{
    QList<RunSheet> sheets;
    QSqlQuery row
        = sql.exec(QStringLiteral("SELECT s.id, (SELECT COUNT(*) FROM questions q WHERE"
                                  " q.sheet_id = s.id) FROM sheets s WHERE s.run_id = ? ORDER BY s.id"),
            {runId});
    while (sql.next(row))
        sheets.append({row.value(0).toLongLong(), row.value(1).toInt()});
    return sheets;
}

} // namespace

void AddMarkTables(const HistorySql &sql)
{
    if (versionOf(sql) >= RunPointsVersion && HasMarkTables(sql))
        return;
    InWriteTransaction(sql, [&] {
        // Read again: another program may have added some while this one waited. A file
        // that names a version without its tables gains them now, rather than a version
        // more it cannot be used at.
        const int from = HasMarkTables(sql) ? std::max(versionOf(sql), 0) + 1 : MarksVersion;
        for (int version = from; version <= RunPointsVersion; ++version)
            for (const QString &statement : Upgrades[version - MarksVersion])
                sql.exec(statement, {});
    });
}

QString CountOf(const QString &condition)
{
    return QStringLiteral("SUM(CASE WHEN %1 THEN 1 ELSE 0 END)").arg(condition);
}

bool HasMarkTables(const HistorySql &sql)
{
    const QStringList tables = sql.backend->tables(sql);
    return versionOf(sql) >= MarksVersion && tables.contains(QStringLiteral("answer_sheets"))
        && tables.contains(QStringLiteral("marks"));
}

bool HasRunPoints(const HistorySql &sql)
{
    return versionOf(sql) >= RunPointsVersion;
}

QList<MarkedSheet> ReadMarks(const HistorySql &sql, qint64 runId)
{
    QList<MarkedSheet> rows;
    if (!HasMarkTables(sql))
        return rows;
    const QList<RunSheet> sheets = sheetsOf(sql, runId);
    QHash<qint64, int> sheetNumber;
    for (int k = 0; k < sheets.size(); ++k)
        sheetNumber.insert(sheets[k].id, k + 1);
    QHash<qint64, qsizetype> rowOf;
    QSqlQuery answer = sql.exec(QStringLiteral("SELECT a.id, a.sheet_id, a.pupil FROM answer_sheets a"
                                               " JOIN sheets s ON a.sheet_id = s.id WHERE s.run_id = ?"
                                               " ORDER BY a.id"),
        {runId});
    while (sql.next(answer)) {
        const int k = sheetNumber.value(answer.value(1).toLongLong());
        const int pupil = answer.value(2).toInt();
        rowOf.insert(answer.value(0).toLongLong(), rows.size());
        rows.append({pupil >= 1 && pupil <= MaxPupil ? pupil : 0, k,
            QList<Mark>(sheets[k - 1].questions, Mark::Unmarked)});
    }
    QSqlQuery mark = sql.exec(QStringLiteral("SELECT m.answer_id, m.position, m.mark FROM marks m"
                                             " JOIN answer_sheets a ON m.answer_id = a.id"
                                             " JOIN sheets s ON a.sheet_id = s.id WHERE s.run_id = ?"),
        {runId});
    while (sql.next(mark)) {
        // An answer sheet another program added between the two reads is not among the rows.
        const auto at = rowOf.constFind(mark.value(0).toLongLong());
        if (at == rowOf.cend())
            continue;
        QList<Mark> &marks = rows[*at].marks;
        const qsizetype position = mark.value(1).toLongLong();
        if (position >= 1 && position <= marks.size()) // else not a question of the sheet
            marks[position - 1] = markStored(mark.value(2).toInt());
    }
    return rows;
}

HistoryOutcome<> WriteMarks(const HistorySql &sql, qint64 runId, const QList<MarkedSheet> &rows)
{
    const QList<RunSheet> sheets = sheetsOf(sql, runId);
    QSet<int> anonymousSheets;
    for (const MarkedSheet &row : rows) {
        if (row.sheet < 1 || row.sheet > sheets.size())
            return HistoryOutcome<>::failed(
                HistoryFault::Unusable, QStringLiteral("no such sheet in the run"));
        if (row.pupil == 0)
            anonymousSheets.insert(row.sheet);
    }
    // Rows without a number cannot be told apart: the table set again stands for the earlier one.
    for (const int sheet : anonymousSheets) {
        const QString ofSheet
            = QStringLiteral("SELECT id FROM answer_sheets WHERE sheet_id = ? AND pupil IS NULL");
        sql.exec(
            QStringLiteral("DELETE FROM marks WHERE answer_id IN (%1)").arg(ofSheet), {sheets[sheet - 1].id});
        sql.exec(QStringLiteral("DELETE FROM answer_sheets WHERE id IN (%1)").arg(ofSheet),
            {sheets[sheet - 1].id});
    }
    for (const MarkedSheet &row : rows) {
        if (row.pupil > 0)
            RemovePupilMarks(sql, runId, row.pupil);
        const QVariant id
            = sql.exec(QStringLiteral("INSERT INTO answer_sheets (sheet_id, pupil) VALUES (?, ?)"),
                     {sheets[row.sheet - 1].id, row.pupil > 0 ? QVariant(row.pupil) : QVariant()})
                  .lastInsertId();
        QVariantList marks;
        for (qsizetype q = 0; q < row.marks.size(); ++q) {
            if (row.marks[q] != Mark::Unmarked)
                marks << id << q + 1 << storedMark(row.marks[q]);
        }
        InsertRows(sql, QStringLiteral("INSERT INTO marks (answer_id, position, mark)"), 3, marks);
    }
    return {};
}

void RemovePupilMarks(const HistorySql &sql, qint64 runId, int pupil)
{
    const QString ofPupil = QStringLiteral("SELECT a.id FROM answer_sheets a JOIN sheets s ON"
                                           " a.sheet_id = s.id WHERE s.run_id = ? AND a.pupil = ?");
    sql.exec(QStringLiteral("DELETE FROM marks WHERE answer_id IN (%1)").arg(ofPupil), {runId, pupil});
    sql.exec(QStringLiteral("DELETE FROM answer_sheets WHERE id IN (%1)").arg(ofPupil), {runId, pupil});
}

std::optional<int> ReadRunPoints(const HistorySql &sql, qint64 runId)
{
    if (!HasRunPoints(sql))
        return std::nullopt;
    QSqlQuery row = sql.exec(QStringLiteral("SELECT points FROM run_points WHERE run_id = ?"), {runId});
    if (!sql.next(row))
        return std::nullopt;
    const int tenths = row.value(0).toInt();
    return PointsInRange(tenths) ? std::optional(tenths) : std::nullopt;
}

HistoryOutcome<> WriteRunPoints(const HistorySql &sql, qint64 runId, std::optional<int> tenths)
{
    if (tenths && !PointsInRange(*tenths))
        return HistoryOutcome<>::failed(HistoryFault::Unusable, QStringLiteral("points out of range"));
    if (!tenths) {
        sql.exec(QStringLiteral("DELETE FROM run_points WHERE run_id = ?"), {runId});
        return {};
    }
    sql.exec(QStringLiteral("INSERT INTO run_points (run_id, points) VALUES (?, ?) ON CONFLICT (run_id)"
                            " DO UPDATE SET points = excluded.points"),
        {runId, *tenths});
    return {};
}

} // namespace sorario
