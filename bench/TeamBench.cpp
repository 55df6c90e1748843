// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of a grade team's history: 3 teachers x 4 classes x 40 pupils x 40 tests
// x 20 questions a year for 5 years (2400 runs, 96 000 answer sheets, 1.92 M marks),
// from one pool of 600 questions, on a server or in a file. Then the marking window's
// read of a run, the analysis of one class and of every class of the grade, a class's
// review draw, and with 10 teachers at once the recording of a run and of a marks row
// (95th percentile). Targets: 0.3 s, 0.2 s for a review, 50 ms for a record.
//
//   sorario-team-bench HISTORY [SHARE]   (a file, or postgresql://…; SHARE 3 makes one
//                                         teacher's share, 4 classes; a history made before
//                                         is reused)
#include "HistoryBenchData.h"
#include "history/HistoryConnection.h"
#include "history/HistoryStore.h"
#include "history/QuestionKey.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace sorario;
using namespace sorario::bench;

namespace {

constexpr int Pupils = 40, TestsAYear = 40, Years = 5, Questions = 20, Pool = 600;

RecordedRun runOf(int c, int t, quint32 seed)
{
    RecordedRun run;
    run.className = className(c);
    run.when = QDateTime(QDate(2021, 4, 1).addDays(t * 9), QTime(8 + c % 10, c / 10));
    RecordedSheet sheet {run.when.toString(QStringLiteral("yyMMddhh")) + QString::number(c), run.when, {}};
    for (int q = 0; q < Questions; ++q)
        sheet.questions.append(poolQuestion(static_cast<int>((seed * 7919U + q * 104729U) % Pool)));
    run.sheets.append(sheet);
    return run;
}

// The runs through the store; the marks of all their pupils at once, in SQL both read.
bool generate(const QString &where, int classes)
{
    const HistoryStore store(where);
    const HistoryStore::KeptOpen kept = store.keepOpen();
    for (int t = 0; t < TestsAYear * Years; ++t)
        for (int c = 0; c < classes; ++c)
            if (!store.record(runOf(c, t, static_cast<quint32>(t * 31 + c))).ok())
                return false;
    const HistoryConnection c(where, HistoryAccess::Write);
    const QString numbers
        = QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)");
    c.exec(QStringLiteral("BEGIN"));
    c.exec(numbers.arg(Pupils)
        + QStringLiteral(
            " INSERT INTO answer_sheets (sheet_id, pupil) SELECT s.id, n.i FROM sheets s CROSS JOIN n"));
    c.exec(numbers.arg(Questions)
        + QStringLiteral(" INSERT INTO marks (answer_id, position, mark) SELECT a.id, n.i,"
                         " CASE WHEN (a.id * 7 + n.i * 13) % 10 < 7 THEN 1 WHEN (a.id * 7 + n.i * 13) % 10 < "
                         "9 THEN 2 ELSE 3 END"
                         " FROM answer_sheets a CROSS JOIN n"));
    c.exec(QStringLiteral("COMMIT"));
    return true;
}

// Ten teachers at once, each recording runs of its own class and a marks row for each.
void atOnce(const QString &where, QList<double> &runs, QList<double> &rows)
{
    QList<QThread *> teachers;
    QList<QList<double>> runMs(10), rowMs(10);
    for (int teacher = 0; teacher < 10; ++teacher)
        teachers.append(QThread::create([&, teacher] {
            const HistoryStore store(where);
            for (int i = 0; i < 20; ++i) {
                QElapsedTimer timer;
                timer.start();
                RecordedRun run = runOf(100 + teacher, 1000 + i, static_cast<quint32>(i));
                run.sheets[0].sheetNumber = QStringLiteral("t%1-%2").arg(teacher).arg(i);
                if (!store.record(run).ok())
                    return;
                runMs[teacher].append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
                run = store.findSheets(QStringLiteral("99999999")).value.value(0).run; // a miss, as a lookup
                                                                                       // costs
                run = store.runs(className(100 + teacher)).value.value(0);
                timer.restart();
                if (!store.recordMarks(run, {{1, 1, QList<Mark>(Questions, Mark::Right)}}).ok())
                    return;
                rowMs[teacher].append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            }
        }));
    for (QThread *t : teachers)
        t->start();
    for (QThread *t : teachers) {
        t->wait();
        delete t;
    }
    for (int teacher = 0; teacher < 10; ++teacher) {
        runs += runMs[teacher];
        rows += rowMs[teacher];
    }
}

double percentile95(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms.isEmpty() ? -1 : ms[static_cast<qsizetype>(static_cast<double>(ms.size() - 1) * 0.95)];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: sorario-team-bench HISTORY [SHARE]\n", stderr);
        return 2;
    }
    const QString where = QString::fromLocal8Bit(argv[1]);
    const int classes = 12 / (argc > 2 ? std::clamp(QByteArray(argv[2]).toInt(), 1, 12) : 1);
    const HistoryStore store(where);
    if (store.classes().value.isEmpty()) {
        QElapsedTimer timer;
        timer.start();
        if (!generate(where, classes)) {
            std::fputs("the history could not be written\n", stderr);
            return 1;
        }
        std::printf("generated %d runs, %d marks in %.1f s\n", classes * TestsAYear * Years,
            classes * TestsAYear * Years * Pupils * Questions, static_cast<double>(timer.elapsed()) / 1000.0);
    }
    const RecordedRun last = store.runs(className(3)).value.value(0);
    const double marksMs = medianMs([&] { (void)store.marks(last); });
    std::printf("%-34s %8.1f ms\n", "marking window: one run's marks", marksMs);
    int sheets = 0;
    const double classMs
        = medianMs([&] { sheets = store.analysis({.className = className(3)}).value.scores.count; });
    std::printf("%-34s %8.1f ms  (%d sheets)\n", "analysis: one class, five years", classMs, sheets);
    const double gradeMs = medianMs([&] {
        sheets = 0;
        for (int c = 0; c < classes; ++c)
            sheets += store.analysis({.className = className(c)}).value.scores.count;
    });
    std::printf("%-34s %8.1f ms  (%d sheets)\n", "analysis: every class, one by one", gradeMs, sheets);
    QStringList keys;
    for (int n = 0; n < Pool; ++n)
        keys.append(QuestionKey(poolQuestion(n)));
    const double reviewMs
        = medianMs([&] { (void)ReviewSlots(keys, Questions, store.reviewTests(className(3)).value, 1); });
    std::printf("%-34s %8.1f ms\n", "review draw: one class", reviewMs);
    QList<double> runs, rows;
    atOnce(where, runs, rows);
    std::printf("%-34s %8.1f ms  (95th percentile of %lld)\n", "10 teachers at once: a run",
        percentile95(runs), static_cast<long long>(runs.size()));
    std::printf("%-34s %8.1f ms  (95th percentile of %lld)\n", "10 teachers at once: a marks row",
        percentile95(rows), static_cast<long long>(rows.size()));
    return 0;
}
