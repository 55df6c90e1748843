// The range decision and the draw at the tables' capacities: 500 chosen parts,
// 5000 questions in the pool, 1000 drawn.
#include "bank/Draw.h"
#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"

#include <QElapsedTimer>
#include <QSet>
#include <QTest>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

std::unique_ptr<Module1> bank(int questions, int parts)
{
    auto m = std::make_unique<Module1>();
    for (int q = 1; q <= questions; ++q)
        m->QuestionBank(q) = {u"q%1"_s.arg(q), u"h"_s, u"a%1"_s.arg(q)};
    m->BankQuestionCount = static_cast<std::int16_t>(questions);
    m->PartCount = static_cast<std::int16_t>(parts);
    m->PartSize = static_cast<std::int16_t>(questions / parts);
    m->QuestionCount = 10;
    return m;
}

// The first `count` entries, or the last ones when `fromEnd`.
QList<bool> selection(int parts, int count, bool fromEnd)
{
    QList<bool> selected(parts, false);
    for (int i = 0; i < count; ++i)
        selected[fromEnd ? parts - 1 - i : i] = true;
    return selected;
}

} // namespace

class tst_limits_range : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decide_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("fromEnd");
        QTest::addColumn<int>("startCount"); // QuestionCount before
        QTest::addColumn<int>("range");      // -1: refused
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("count");      // QuestionCount after

        QTest::newRow("500 of 500 parts") << 5000 << 500 << 500 << false << 10 << 5000 << 1000 << 10;
        QTest::newRow("501 of 501 parts") << 5000 << 501 << 501 << false << 10 << -1 << 0 << 10;
        QTest::newRow("500 of 32767 parts, the last holds all")
            << 5000 << 32767 << 500 << true << 10 << 5000 << 1000 << 10;
        QTest::newRow("500 empty parts of 32767") << 5000 << 32767 << 500 << false << 10 << 0 << 0 << 0;
        QTest::newRow("every one of 32767 parts") << 5000 << 32767 << 32767 << false << 10 << -1 << 0 << 10;
        QTest::newRow("range 999") << 999 << 1 << 1 << false << 10 << 999 << 999 << 10;
        QTest::newRow("range 1000") << 1000 << 1 << 1 << false << 10 << 1000 << 1000 << 10;
        QTest::newRow("range 1001") << 1001 << 1 << 1 << false << 10 << 1001 << 1000 << 10;
        QTest::newRow("count 1000 kept in a range of 1001") << 1001 << 1 << 1 << false << 1000 << 1001 << 1000 << 1000;
        QTest::newRow("count 1000 lowered to a range of 999") << 999 << 1 << 1 << false << 1000 << 999 << 999 << 999;
        // No list offers more than the draw holds; a count that got there is lowered.
        QTest::newRow("count 32767 lowered to 1000") << 5000 << 1 << 1 << false << 32767 << 5000 << 1000 << 1000;
    }

    void decide()
    {
        QFETCH(int, questions);
        QFETCH(int, parts);
        QFETCH(int, chosen);
        QFETCH(bool, fromEnd);
        QFETCH(int, startCount);
        QFETCH(int, range);
        QFETCH(int, offered);
        auto m = bank(questions, parts);
        m->QuestionCount = static_cast<std::int16_t>(startCount);
        ScriptedDialogs dialogs;
        const RangeDecision d = DecideRange(*m, selection(parts, chosen, fromEnd), dialogs);
        QCOMPARE(d.decided, range >= 0);
        QCOMPARE(d.countEntries.size(), offered);
        QTEST(int(m->QuestionCount), "count");
        if (range < 0) {
            QCOMPARE(dialogs.kinds(), (QStringList{u"beep"_s, u"message"_s}));
            QCOMPARE(dialogs.messages().first(), u"一度に選べる範囲は 500 までです。範囲を選びなおして下さい。"_s);
            QCOMPARE(int(m->RangeQuestionCount), 0);
            return;
        }
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(int(m->RangeQuestionCount), range);
        QCOMPARE(int(m->ChosenPartCount), chosen);
        QCOMPARE(d.selectedCountIndex, std::min(int(m->QuestionCount), offered) - 1);
        if (offered > 0)
            QCOMPARE(d.countEntries.last(), QString::number(offered).rightJustified(5, u' ') + u"題"_s);
        if (range > 0)
            QCOMPARE(m->RangePool(range).QuestionText, u"q%1"_s.arg(questions));
    }

    // Callers never ask for more than the pool or the table; the draw still ends.
    void drawEnds_data()
    {
        QTest::addColumn<int>("pool");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("drawn");
        QTest::newRow("1000 of 1000") << 1000 << 1000 << 1000;
        QTest::newRow("1000 of 5000") << 5000 << 1000 << 1000;
        QTest::newRow("1001 of 5000") << 5000 << 1001 << 1000;
        QTest::newRow("32767 of 5000") << 5000 << 32767 << 1000;
        QTest::newRow("1000 of 999") << 999 << 1000 << 999;
        QTest::newRow("1000 of none") << 0 << 1000 << 0;
        QTest::newRow("-32768") << 5000 << -32768 << 0;
        QTest::newRow("pool count past the table") << 32767 << 1000 << 1000;
        QTest::newRow("negative pool count") << -1 << 10 << 0;
    }

    void drawEnds()
    {
        QFETCH(int, pool);
        QFETCH(int, count);
        QFETCH(int, drawn);
        auto m = std::make_unique<Module1>();
        for (int q = 1; q <= std::min(pool, MaxBankQuestions); ++q)
            m->RangePool(q) = {QString::number(q), {}, {}};
        m->RangeQuestionCount = static_cast<std::int16_t>(pool);
        m->QuestionCount = static_cast<std::int16_t>(count);
        QElapsedTimer clock;
        clock.start();
        DrawQuestions(*m, 12345);
        QVERIFY2(clock.elapsed() < 2000, "the draw took too long");
        QCOMPARE(int(m->QuestionCount), drawn);
        QSet<QString> seen;
        for (int i = 1; i <= drawn; ++i)
            seen.insert(m->DrawnQuestions(i).QuestionText);
        QCOMPARE(int(seen.size()), drawn);
    }
};

QTEST_GUILESS_MAIN(tst_limits_range)
#include "tst_limits_range.moc"
