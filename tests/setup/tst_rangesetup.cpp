// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"

#include <QTest>

#include <memory>

using namespace sorario;
using namespace Qt::StringLiterals;

namespace {

// Parts `from` to `to`, as chosen in the list.
QList<int> partRun(int from, int to)
{
    QList<int> parts;
    for (int k = from; k <= to; ++k)
        parts << k;
    return parts;
}

QString fullWidth(int n)
{
    QString s = QString::number(n);
    for (QChar &c : s)
        c = QChar(c.unicode() - u'0' + 0xFF10);
    return s;
}

} // namespace

class TestRangeSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decide_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("startCount"); // QuestionCount before
        QTest::addColumn<QString>("refusal"); // empty: decided
        QTest::addColumn<int>("range"); // RangeQuestionCount after (7 before: a refusal keeps it)
        QTest::addColumn<QString>("firstLast");
        QTest::addColumn<int>("allChosen");
        QTest::addColumn<int>("count"); // QuestionCount after
        QTest::addColumn<int>("offered"); // entries in the count list

        const QString none;
        QTest::newRow("last part takes the remainder")
            << 25 << 2 << QList<int> {2} << 10 << none << 13 << u"Q13-Q25"_s << 0 << 10 << 13;
        QTest::newRow("parts 1 and 3 in part order")
            << 30 << 3 << QList<int> {3, 1} << 10 << none << 20 << u"Q1-Q30"_s << 0 << 10 << 20;
        QTest::newRow("smaller range lowers the count")
            << 21 << 3 << QList<int> {1} << 10 << none << 7 << u"Q1-Q7"_s << 0 << 7 << 7;
        QTest::newRow("larger range keeps a lowered count")
            << 90 << 3 << QList<int> {2} << 7 << none << 30 << u"Q31-Q60"_s << 0 << 7 << 30;
        QTest::newRow("empty parts of a tiny bank")
            << 3 << 5 << partRun(1, 4) << 10 << none << 0 << QString() << 0 << 0 << 0;
        QTest::newRow("single part is the whole range")
            << 12 << 1 << QList<int> {1} << 10 << none << 12 << u"Q1-Q12"_s << 1 << 10 << 12;
        QTest::newRow("count left at 0 starts again from 10")
            << 30 << 1 << QList<int> {1} << 0 << none << 30 << u"Q1-Q30"_s << 1 << 10 << 30;
        QTest::newRow("two-digit part numbers are full-width")
            << 120 << 12 << QList<int> {12} << 10 << none << 10 << u"Q111-Q120"_s << 0 << 10 << 10;
        QTest::newRow("nothing chosen") << 30 << 3 << QList<int> {} << 10 << u"問題範囲を設定して下さい。"_s
                                        << 7 << QString() << 0 << 10 << 0;

        // The tables' capacities: 500 chosen parts, 1000 offered and drawn.
        const QString tooMany = u"一度に選べる範囲は 500 までです。範囲を選びなおして下さい。"_s;
        QTest::newRow("500 of 500 parts")
            << 5000 << 500 << partRun(1, 500) << 10 << none << 5000 << u"Q1-Q5000"_s << 1 << 10 << 1000;
        QTest::newRow("501 of 501 parts")
            << 5000 << 501 << partRun(1, 501) << 10 << tooMany << 7 << QString() << 0 << 10 << 0;
        QTest::newRow("500 of 32767 parts, the last holds all")
            << 5000 << 32767 << partRun(32268, 32767) << 10 << none << 5000 << u"Q1-Q5000"_s << 0 << 10
            << 1000;
        QTest::newRow("range 1001") << 1001 << 1 << QList<int> {1} << 10 << none << 1001 << u"Q1-Q1001"_s << 1
                                    << 10 << 1000;
        QTest::newRow("count 1000 kept in a range of 1001")
            << 1001 << 1 << QList<int> {1} << 1000 << none << 1001 << u"Q1-Q1001"_s << 1 << 1000 << 1000;
        // No list offers more than the draw holds; a count that got there is lowered.
        QTest::newRow("count 32767 lowered to 1000")
            << 5000 << 1 << QList<int> {1} << 32767 << none << 5000 << u"Q1-Q5000"_s << 1 << 1000 << 1000;
    }

    void decide()
    {
        QFETCH(int, questions);
        QFETCH(int, parts);
        QFETCH(QList<int>, chosen);
        QFETCH(int, startCount);
        QFETCH(QString, refusal);
        QFETCH(int, count);
        QFETCH(int, offered);

        auto m = std::make_unique<Module1>();
        for (int q = 1; q <= questions; ++q)
            m->QuestionBank(q) = {u"Q%1"_s.arg(q), QString(), u"A%1"_s.arg(q)};
        m->BankQuestionCount = static_cast<std::int16_t>(questions);
        m->PartCount = static_cast<std::int16_t>(parts);
        m->PartSize = static_cast<std::int16_t>(questions / parts);
        m->QuestionCount = static_cast<std::int16_t>(startCount);
        m->RangeQuestionCount = 7;
        QList<bool> selection(parts, false);
        for (int k : chosen)
            selection[k - 1] = true;
        test::ScriptedDialogs dialogs;
        const RangeDecision d = DecideRange(*m, selection, dialogs);

        QCOMPARE(d.decided, refusal.isEmpty());
        QTEST(int(m->RangeQuestionCount), "range");
        QCOMPARE(int(m->QuestionCount), count);
        QCOMPARE(d.countEntries.size(), offered);
        if (!refusal.isEmpty()) {
            QCOMPARE(dialogs.kinds(), (QStringList {u"beep"_s, u"message"_s}));
            return;
        }
        QVERIFY(dialogs.shown.isEmpty());
        if (m->RangeQuestionCount > 0)
            QTEST(m->RangePool(1).QuestionText + u'-' + m->RangePool(m->RangeQuestionCount).QuestionText,
                "firstLast");
        std::sort(chosen.begin(), chosen.end());
        QCOMPARE(int(m->ChosenPartCount), chosen.size());
        for (int i = 0; i < chosen.size(); ++i)
            QCOMPARE(m->ChosenPartNumbers(i + 1), fullWidth(chosen[i]));
        QTEST(int(m->AllPartsChosen), "allChosen");
        QCOMPARE(d.selectedCountIndex, std::min(count, offered) - 1);
        if (offered > 0) {
            QCOMPARE(d.countEntries.first(), u"    1題"_s);
            QCOMPARE(d.countEntries.last(), QString::number(offered).rightJustified(5, u' ') + u"題"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestRangeSetup)
#include "tst_rangesetup.moc"
