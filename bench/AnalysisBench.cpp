// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of what a class got wrong over a teacher's years: a history of 10 classes
// × 40 pupils × 200 tests × 20 questions (1.6 M marks), drawn from one pool of 600
// questions, then the analysis of one class over all its runs, over one year, and of
// one run, and a class's review draw, for the class and for each of its pupils.
// Targets: one class in 0.2 s, a review in 0.1 s.
//
//   sorario-analysis-bench [FILE]   (default analysis-bench.sqlite; one made before is
//                                    reused, since writing it takes minutes)
#include "HistoryBenchData.h"
#include "history/HistoryStore.h"
#include "history/QuestionKey.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace sorario;
using namespace sorario::bench;

namespace {

constexpr int Classes = 10, Pupils = 40, Tests = 200, Questions = 20, Pool = 600;

bool generate(const HistoryStore &store)
{
    QRandomGenerator random(7);
    HistoryStore::KeptOpen kept;
    for (int t = 0; t < Tests; ++t) {
        for (int c = 0; c < Classes; ++c) {
            RecordedRun run;
            run.className = className(c);
            run.when = QDateTime(QDate(2022, 4, 1).addDays(t * 9), QTime(8 + c, 0));
            RecordedSheet sheet {QStringLiteral("%1-%2").arg(t).arg(c), run.when, {}};
            for (int q = 0; q < Questions; ++q)
                sheet.questions.append(poolQuestion(static_cast<int>(random.bounded(Pool))));
            run.sheets.append(sheet);
            if (!store.record(run).ok())
                return false;
            if (!kept)
                kept = store.keepOpen(); // checked once, not at every write
            run.id = static_cast<qint64>(t) * Classes + c + 1;
            QList<MarkedSheet> rows;
            for (int p = 1; p <= Pupils; ++p) {
                MarkedSheet row {p, 1, {}};
                for (int q = 0; q < Questions; ++q) {
                    const quint32 r = random.bounded(10U);
                    row.marks.append(r < 7 ? Mark::Right : r < 9 ? Mark::Wrong : Mark::Partial);
                }
                rows.append(row);
            }
            if (!store.recordMarks(run, rows).ok())
                return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("analysis-bench.sqlite");
    const HistoryStore store(path);
    if (!QFileInfo::exists(path)) {
        QElapsedTimer timer;
        timer.start();
        if (!generate(store)) {
            std::fputs("the history could not be written\n", stderr);
            return 1;
        }
        std::printf("generated %d runs, %d marks in %.1f s\n", Classes * Tests,
            Classes * Tests * Pupils * Questions, static_cast<double>(timer.elapsed()) / 1000.0);
    }
    std::printf("file: %.1f MiB\n", static_cast<double>(QFileInfo(path).size()) / (1024.0 * 1024.0));
    const auto report = [&](const char *what, const AnalysisScope &scope) {
        int sheets = 0;
        const double ms = medianMs([&] { sheets = store.analysis(scope).value.scores.count; });
        std::printf("%-28s %8.1f ms  (%d sheets)\n", what, ms, sheets);
    };
    report("one class, every run", {.className = className(3)});
    report("one class, one year",
        {.className = className(3), .from = QDate(2023, 4, 1), .to = QDate(2024, 3, 31)});
    report("one run", {.runId = 1004});
    QStringList keys;
    for (int n = 0; n < Pool; ++n)
        keys.append(QuestionKey(poolQuestion(n)));
    qsizetype review = 0;
    const double ms = medianMs(
        [&] { review = ReviewSlots(keys, Questions, store.reviewTests(className(3)).value, 1).size(); });
    std::printf(
        "%-28s %8.1f ms  (%lld questions)\n", "one class's review", ms, static_cast<long long>(review));
    // Sheets for all 40 pupils: one read, then each pupil's draw.
    const double pupilsMs = medianMs([&] {
        const QList<ReviewTest> tests = store.reviewTests(className(3), ReviewDraw::Pupils).value;
        const QList<int> classSlots = ReviewSlots(keys, Questions, tests, 1);
        for (const int pupil : MarkedPupils(tests))
            review = PupilReviewSlots(keys, Questions, tests, pupil, classSlots, 1).size();
    });
    std::printf("%-28s %8.1f ms  (40 sheets)\n", "one class's pupils' review", pupilsMs);
    const double readMs
        = medianMs([&] { review = store.reviewTests(className(3), ReviewDraw::Pupils).value.size(); });
    std::printf("%-28s %8.1f ms\n", "  of which the read", readMs);
    return 0;
}
