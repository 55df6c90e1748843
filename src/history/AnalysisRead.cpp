// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/AnalysisRead.h"

#include "history/MarkTables.h"

namespace sorario {
namespace {

// The scope's sheets with their question counts, read first: the marks are then found
// through their sheets (CROSS JOIN keeps that order in SQLite) rather than all scanned.
// The points set for the run come with its sheets; a file without them has none set.
const QString Scoped
    = QStringLiteral("WITH scoped AS MATERIALIZED (SELECT s.id, s.run_id, (SELECT COUNT(*) FROM questions q"
                     " WHERE q.sheet_id = s.id) AS n, %2 AS points FROM sheets s JOIN runs r ON"
                     " r.id = s.run_id WHERE%1)");
const QString SetPoints = QStringLiteral("(SELECT p.points FROM run_points p WHERE p.run_id = s.run_id)");
const QString ScopedMarks
    = QStringLiteral(" FROM scoped CROSS JOIN answer_sheets a CROSS JOIN marks m WHERE a.sheet_id = scoped.id"
                     " AND m.answer_id = a.id AND m.mark BETWEEN 1 AND 3");

struct Condition
{
    QString sql;
    QVariantList values;
};

Condition scopeCondition(const AnalysisScope &scope, const QString &classMatch, const QVariantList &names)
{
    if (scope.runId != 0)
        return {QStringLiteral(" r.id = ?"), {scope.runId}};
    Condition c {classMatch, names};
    // Times are stored as ISO text, so that they sort as they run.
    if (scope.from) {
        c.sql += QStringLiteral(" AND r.at >= ?");
        c.values.append(scope.from->toString(Qt::ISODate));
    }
    // By its day, not before the next one: the day after 9999-12-31 has no such text.
    if (scope.to) {
        c.sql += QStringLiteral(" AND substr(r.at, 1, 10) <= ?");
        c.values.append(scope.to->toString(Qt::ISODate));
    }
    return c;
}

} // namespace

Analysis ReadAnalysis(
    const HistorySql &sql, const AnalysisScope &scope, const QString &classMatch, const QVariantList &names)
{
    if (!HasMarkTables(sql))
        return {};
    const Condition where = scopeCondition(scope, classMatch, names);
    const QString scoped = Scoped.arg(where.sql, HasRunPoints(sql) ? SetPoints : QStringLiteral("NULL"));
    QList<SheetTally> sheets;
    // A mark at a position its sheet does not have is left out, as reading the marks leaves it out.
    QSqlQuery tally = sql.exec(scoped
            + QStringLiteral(" SELECT scoped.run_id, scoped.n, %1, %2, scoped.points")
                  .arg(CountOf(QStringLiteral("m.mark = 1")), CountOf(QStringLiteral("m.mark = 3")))
            + ScopedMarks
            + QStringLiteral(" AND m.position BETWEEN 1 AND scoped.n"
                             " GROUP BY a.id, scoped.run_id, scoped.n, scoped.points"),
        where.values);
    while (sql.next(tally)) {
        const QVariant points = tally.value(4);
        sheets.append({tally.value(0).toLongLong(), tally.value(1).toInt(), tally.value(2).toInt(),
            tally.value(3).toInt(), points.isNull() ? std::nullopt : std::optional(points.toInt())});
    }
    // Counted per place on a sheet first, so that each place looks its question up once.
    // A key names its three texts: any row of the key holds them.
    QList<QuestionResult> questions;
    QSqlQuery counted = sql.exec(scoped
            + QStringLiteral(", cells AS MATERIALIZED (SELECT a.sheet_id AS sheet, m.position AS position,"
                             " %1 AS r, %2 AS w, %3 AS p")
                  .arg(CountOf(QStringLiteral("m.mark = 1")), CountOf(QStringLiteral("m.mark = 2")),
                      CountOf(QStringLiteral("m.mark = 3")))
            + ScopedMarks
            + QStringLiteral(
                " GROUP BY a.sheet_id, m.position) SELECT q.key, MIN(q.question), MIN(q.hint), MIN(q.answer),"
                " SUM(c.r), SUM(c.w), SUM(c.p) FROM cells c JOIN questions q ON"
                " q.sheet_id = c.sheet AND q.position = c.position GROUP BY q.key"),
        where.values);
    while (sql.next(counted)) {
        questions.append({counted.value(0).toString(),
            {counted.value(1).toString(), counted.value(2).toString(), counted.value(3).toString()},
            counted.value(4).toInt(), counted.value(5).toInt(), counted.value(6).toInt()});
    }
    return Analyse(sheets, questions);
}

} // namespace sorario
