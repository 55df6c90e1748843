// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Draw.h"
#include "setup/BankProcedures.h"
#include "shared/Module1.h"

#include <QSet>
#include <QTest>

#include <array>
#include <memory>

using namespace sorario;

namespace {

std::unique_ptr<Module1> poolOf(int size)
{
    auto m = std::make_unique<Module1>();
    for (int k = 1; k <= std::min(size, MaxBankQuestions); ++k)
        m->RangePool(k)
            = {QStringLiteral("Q%1").arg(k), QStringLiteral("H%1").arg(k), QStringLiteral("A%1").arg(k)};
    m->RangeQuestionCount = static_cast<std::int16_t>(size);
    return m;
}

// The pool slot a drawn record came from, or 0 when it is no whole pool record.
int slotOf(const QuestionRecord &r)
{
    const int k = r.QuestionText.mid(1).toInt();
    return r.Hint == QStringLiteral("H%1").arg(k) && r.Answer == QStringLiteral("A%1").arg(k) ? k : 0;
}

QList<int> drawnSlots(const Module1 &m)
{
    QList<int> slots;
    for (int i = 1; i <= m.QuestionCount; ++i)
        slots << slotOf(m.DrawnQuestions(i));
    return slots;
}

} // namespace

class TestDraw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Pool size, count asked and drawn: distinct whole records from the pool; callers
    // never ask past the pool or the table, and the draw must still end.
    void distinctWholeRecords()
    {
        const std::array<int, 3> rows[] = {{1000, 1000, 1000}, {5000, 1000, 1000}, {0, 1000, 0}, {7, 10, 7},
            {5000, 1001, 1000}, {5, -32768, 0}, {32767, 1000, 1000}, {-1, 10, 0}};
        for (const auto &[pool, count, drawn] : rows) {
            auto m = poolOf(pool);
            for (quint64 seed : {0ull, 1ull, 0xDEADBEEFull}) {
                m->QuestionCount = static_cast<std::int16_t>(count);
                DrawQuestions(*m, seed);
                QCOMPARE(int(m->QuestionCount), drawn);
                const QList<int> slots = drawnSlots(*m);
                const QSet<int> distinct(slots.begin(), slots.end());
                QCOMPARE(distinct.size(), drawn);
                const auto inPool = [&](int k) { return k >= 1 && k <= std::min(pool, 5000); };
                QVERIFY(std::all_of(slots.begin(), slots.end(), inPool));
            }
        }
    }

    void clockSeedsTheDraw()
    {
        auto m = poolOf(500);
        m->QuestionCount = 50;
        const QDateTime when(QDate(2024, 4, 1), QTime(8, 30, 15, 250));
        m->clock.setFixed(when);
        DrawQuestions(*m);
        const QList<int> fromClock = drawnSlots(*m);
        DrawQuestions(*m, static_cast<quint64>(when.toMSecsSinceEpoch()));
        QCOMPARE(drawnSlots(*m), fromClock);
        m->clock.setFixed(when.addMSecs(1));
        DrawQuestions(*m);
        QVERIFY(drawnSlots(*m) != fromClock);
    }

    // Sheet 1 keeps the run's seed; no two sheets of a run, nor sheet 2 of one run and
    // sheet 1 of the run a millisecond later, draw alike.
    void sheetSeeds()
    {
        auto m = poolOf(500);
        m->QuestionCount = 20;
        const quint64 run = 1712000000000ull;
        QCOMPARE(SheetSeed(run, 1), run);
        QList<QList<int>> draws;
        for (int sheet = 1; sheet <= 60; ++sheet) {
            DrawQuestions(*m, SheetSeed(run, sheet));
            QVERIFY2(!draws.contains(drawnSlots(*m)), qPrintable(QString::number(sheet)));
            draws.append(drawnSlots(*m));
        }
        DrawQuestions(*m, SheetSeed(run + 1, 1));
        QVERIFY(!draws.contains(drawnSlots(*m)));
    }

    // Fixed seeds make this exact; the bounds are wide enough for any sound
    // generator and catch a biased or off-by-one slot choice.
    void roughlyUniform()
    {
        constexpr int Pool = 10;
        constexpr int Draws = 20000;
        auto m = poolOf(Pool);
        int anywhere[Pool + 1] = {};
        int first[Pool + 1] = {};
        for (int seed = 0; seed < Draws; ++seed) {
            m->QuestionCount = 3;
            DrawQuestions(*m, static_cast<quint64>(seed) * 7919u);
            const QList<int> slots = drawnSlots(*m);
            ++first[slots[0]];
            for (int k : slots)
                ++anywhere[k];
        }
        for (int k = 1; k <= Pool; ++k) {
            QVERIFY2(std::abs(anywhere[k] - Draws * 3 / Pool) < Draws * 3 / Pool / 10,
                qPrintable(QString::number(k)));
            QVERIFY2(std::abs(first[k] - Draws / Pool) < Draws / Pool / 5, qPrintable(QString::number(k)));
        }
    }
};

QTEST_GUILESS_MAIN(TestDraw)
#include "tst_Draw.moc"
