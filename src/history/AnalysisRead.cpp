// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/AnalysisRead.h"

#include "history/MarkTables.h"

namespace sorario {
namespace {

// Every marked question of the scope's answer sheets; a mark at a position its sheet
// does not have is left out, as reading the marks leaves it out.
const QString MarkedCells = QStringLiteral(
    " FROM runs r JOIN sheets s ON s.run_id = r.id JOIN answer_sheets a ON a.sheet_id = s.id"
    " JOIN marks m ON m.answer_id = a.id JOIN questions q ON q.sheet_id = s.id AND q.position = m.position"
    " WHERE m.mark BETWEEN 1 AND 3 AND");

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
    if (scope.to) {
        c.sql += QStringLiteral(" AND r.at < ?");
        c.values.append(scope.to->addDays(1).toString(Qt::ISODate));
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
    QList<SheetTally> sheets;
    QSqlQuery tally = sql.exec(QStringLiteral("SELECT s.run_id, (SELECT COUNT(*) FROM questions n"
                                              " WHERE n.sheet_id = s.id), SUM(m.mark = 1), SUM(m.mark = 3)")
            + MarkedCells + where.sql + QStringLiteral(" GROUP BY a.id"),
        where.values);
    while (sql.next(tally))
        sheets.append({tally.value(0).toLongLong(), tally.value(1).toInt(), tally.value(2).toInt(),
            tally.value(3).toInt()});
    QList<QuestionResult> questions;
    // A key names its three texts: any row of the key holds them.
    QSqlQuery counted = sql.exec(QStringLiteral("SELECT q.key, q.question, q.hint, q.answer, SUM(m.mark = 1),"
                                                " SUM(m.mark = 2), SUM(m.mark = 3)")
            + MarkedCells + where.sql + QStringLiteral(" GROUP BY q.key"),
        where.values);
    while (sql.next(counted)) {
        questions.append({counted.value(0).toString(),
            {counted.value(1).toString(), counted.value(2).toString(), counted.value(3).toString()},
            counted.value(4).toInt(), counted.value(5).toInt(), counted.value(6).toInt()});
    }
    return Analyse(sheets, questions);
}

} // namespace sorario
