// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ReviewRead.h"

#include "history/MarkTables.h"

namespace sorario {

QList<ReviewTest> ReadReviewTests(const HistorySql &sql, const QString &classMatch, const QVariantList &names)
{
    QList<ReviewTest> tests;
    // A file without marks has nothing the class got wrong.
    if (!HasMarkTables(sql))
        return tests;
    // Runs with no question still count as tests the class sat.
    QSqlQuery row = sql.exec(
        QStringLiteral("SELECT r.id, q.key, SUM(m.mark = 1), SUM(m.mark = 2), SUM(m.mark = 3) FROM runs r"
                       " LEFT JOIN sheets s ON s.run_id = r.id LEFT JOIN questions q ON q.sheet_id = s.id"
                       " LEFT JOIN answer_sheets a ON a.sheet_id = s.id LEFT JOIN marks m ON"
                       " m.answer_id = a.id AND m.position = q.position AND m.mark BETWEEN 1 AND 3 WHERE")
            + classMatch + QStringLiteral(" GROUP BY r.id, q.key ORDER BY r.id"),
        names);
    qint64 run = -1;
    while (sql.next(row)) {
        if (row.value(0).toLongLong() != run) {
            run = row.value(0).toLongLong();
            tests.append(ReviewTest {});
        }
        if (row.value(1).isNull())
            continue;
        QuestionResult q;
        q.key = row.value(1).toString();
        q.right = row.value(2).toInt();
        q.wrong = row.value(3).toInt();
        q.partial = row.value(4).toInt();
        tests.last().questions.append(q);
    }
    return tests;
}

} // namespace sorario
