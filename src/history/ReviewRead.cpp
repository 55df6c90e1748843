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
    // Runs with no question still count as tests the class sat. Each question's marks
    // are looked up where they are kept, which spares sorting every mark of the class.
    QSqlQuery row = sql.exec(
        QStringLiteral("SELECT r.id, q.key, (SELECT SUM(m.mark = 1) || ' ' || SUM(m.mark = 2) || ' ' ||"
                       " SUM(m.mark = 3) FROM answer_sheets a CROSS JOIN marks m ON m.answer_id = a.id AND"
                       " m.position = q.position WHERE a.sheet_id = s.id AND m.mark BETWEEN 1 AND 3)"
                       " FROM runs r LEFT JOIN sheets s ON s.run_id = r.id LEFT JOIN questions q ON"
                       " q.sheet_id = s.id WHERE")
            + classMatch + QStringLiteral(" ORDER BY r.id"),
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
        // Nothing when it was not marked.
        const QStringList counts = row.value(2).toString().split(u' ');
        if (counts.size() == 3) {
            q.right = counts[0].toInt();
            q.wrong = counts[1].toInt();
            q.partial = counts[2].toInt();
        }
        tests.last().questions.append(q);
    }
    return tests;
}

} // namespace sorario
