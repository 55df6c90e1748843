// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ReviewRead.h"

#include "history/MarkTables.h"

#include <QHash>

namespace sorario {
namespace {

// Each pupil's marks, on the questions of the sheets the pupil handed in, into the
// tests read already (one per run, in run order).
void readPupils(const HistorySql &sql, const QString &classMatch, const QVariantList &names,
    const QHash<qint64, qsizetype> &testOf, QList<ReviewTest> &tests)
{
    QSqlQuery row = sql.exec(
        QStringLiteral("SELECT r.id, a.pupil, q.key, %2, %3, %4 FROM runs r JOIN sheets s ON s.run_id = r.id "
                       "JOIN answer_sheets a ON"
                       " a.sheet_id = s.id JOIN questions q ON q.sheet_id = s.id LEFT JOIN marks m ON"
                       " m.answer_id = a.id AND m.position = q.position AND m.mark BETWEEN 1 AND 3"
                       " WHERE a.pupil BETWEEN 1 AND %1 AND")
                .arg(MaxPupil)
                .arg(CountOf(QStringLiteral("m.mark = 1")), CountOf(QStringLiteral("m.mark = 2")),
                    CountOf(QStringLiteral("m.mark = 3")))
            + classMatch
            + QStringLiteral(" GROUP BY r.id, a.pupil, q.key ORDER BY r.id, a.pupil, MIN(q.position)"),
        names);
    while (sql.next(row)) {
        const auto test = testOf.constFind(row.value(0).toLongLong());
        if (test == testOf.cend())
            continue; // a run another program added between the two reads
        QuestionResult q;
        q.key = row.value(2).toString();
        q.right = row.value(3).toInt();
        q.wrong = row.value(4).toInt();
        q.partial = row.value(5).toInt();
        tests[*test].pupils[row.value(1).toInt()].append(q);
    }
}

} // namespace

QList<ReviewTest> ReadReviewTests(
    const HistorySql &sql, const QString &classMatch, const QVariantList &names, ReviewDraw whose)
{
    QList<ReviewTest> tests;
    // A file without marks has nothing the class got wrong.
    if (!HasMarkTables(sql))
        return tests;
    // Runs with no question still count as tests the class sat. Each question's marks
    // are looked up where they are kept, which spares sorting every mark of the class.
    QSqlQuery row = sql.exec(
        QStringLiteral("SELECT r.id, q.key, (SELECT %1 || ' ' || %2 || ' ' || %3 FROM answer_sheets a"
                       " CROSS JOIN marks m WHERE m.answer_id = a.id AND m.position = q.position AND"
                       " a.sheet_id = s.id AND m.mark BETWEEN 1 AND 3) FROM runs r LEFT JOIN sheets s ON"
                       " s.run_id = r.id LEFT JOIN questions q ON q.sheet_id = s.id WHERE")
                .arg(CountOf(QStringLiteral("m.mark = 1")), CountOf(QStringLiteral("m.mark = 2")),
                    CountOf(QStringLiteral("m.mark = 3")))
            + classMatch + QStringLiteral(" ORDER BY r.id"),
        names);
    qint64 run = -1;
    QHash<qint64, qsizetype> testOf;
    while (sql.next(row)) {
        if (row.value(0).toLongLong() != run) {
            run = row.value(0).toLongLong();
            testOf.insert(run, tests.size());
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
    if (whose == ReviewDraw::Pupils)
        readPupils(sql, classMatch, names, testOf, tests);
    return tests;
}

} // namespace sorario
