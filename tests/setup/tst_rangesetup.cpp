#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"

#include <QTest>

using namespace sorario;

namespace {

// A bank of `questions` questions ("Q1", "Q2", …) cut into `parts` parts.
void fillBank(Module1 &m, int questions, int parts)
{
    for (int q = 1; q <= questions; ++q)
        m.QuestionBank(q) = {QStringLiteral("Q%1").arg(q), QString(), QStringLiteral("A%1").arg(q)};
    m.BankQuestionCount = static_cast<std::int16_t>(questions);
    m.PartCount = static_cast<std::int16_t>(parts);
    m.PartSize = static_cast<std::int16_t>(questions / parts);
}

QList<bool> selection(int entries, const QList<int> &chosenParts)
{
    QList<bool> s(entries, false);
    for (int k : chosenParts)
        s[k - 1] = true;
    return s;
}

QStringList poolTexts(const Module1 &m)
{
    QStringList texts;
    for (int i = 1; i <= m.RangeQuestionCount; ++i)
        texts.append(m.RangePool(i).QuestionText);
    return texts;
}

} // namespace

class TestRangeSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void partListEntries()
    {
        Module1 m;
        fillBank(m, 30, 12);
        const QStringList entries = PartListEntries(m);
        QCOMPARE(entries.size(), 12);
        QCOMPARE(entries.first(), QStringLiteral("その  1"));
        QCOMPARE(entries.last(), QStringLiteral("その  12"));
    }

    void countEntries()
    {
        const QStringList entries = QuestionCountEntries(12345);
        QCOMPARE(entries.at(0), QStringLiteral("    1題"));
        QCOMPARE(entries.at(99), QStringLiteral("  100題"));
        QCOMPARE(entries.at(12344), QStringLiteral("12345題"));
        QVERIFY(QuestionCountEntries(0).isEmpty());
    }

    void decide_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("parts");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("startCount");
        QTest::addColumn<int>("rangeCount");
        QTest::addColumn<QString>("firstLast");
        QTest::addColumn<QStringList>("partNumbers");
        QTest::addColumn<int>("allChosen");
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<int>("selectedIndex");

        QTest::newRow("last part takes the remainder")
            << 25 << 2 << QList<int>{2} << 10 << 13 << QStringLiteral("Q13-Q25")
            << QStringList{QStringLiteral("２")} << 0 << 10 << 9;
        QTest::newRow("parts 1 and 3 in part order")
            << 30 << 3 << QList<int>{3, 1} << 10 << 20 << QStringLiteral("Q1-Q30")
            << QStringList{QStringLiteral("１"), QStringLiteral("３")} << 0 << 10 << 9;
        QTest::newRow("smaller range lowers the count")
            << 21 << 3 << QList<int>{1} << 10 << 7 << QStringLiteral("Q1-Q7")
            << QStringList{QStringLiteral("１")} << 0 << 7 << 6;
        QTest::newRow("larger range keeps a lowered count")
            << 90 << 3 << QList<int>{2} << 7 << 30 << QStringLiteral("Q31-Q60")
            << QStringList{QStringLiteral("２")} << 0 << 7 << 6;
        QTest::newRow("empty parts of a tiny bank")
            << 3 << 5 << QList<int>{1, 2, 3, 4} << 10 << 0 << QString() << QStringList{
                   QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"), QStringLiteral("４")}
            << 0 << 0 << -1;
        QTest::newRow("last part of a tiny bank holds all")
            << 3 << 5 << QList<int>{5} << 10 << 3 << QStringLiteral("Q1-Q3")
            << QStringList{QStringLiteral("５")} << 0 << 3 << 2;
        QTest::newRow("single part is the whole range")
            << 12 << 1 << QList<int>{1} << 10 << 12 << QStringLiteral("Q1-Q12")
            << QStringList{QStringLiteral("１")} << 1 << 10 << 9;
        QTest::newRow("count left at 0 starts again from 10")
            << 30 << 1 << QList<int>{1} << 0 << 30 << QStringLiteral("Q1-Q30")
            << QStringList{QStringLiteral("１")} << 1 << 10 << 9;
        QTest::newRow("two-digit part numbers are full-width")
            << 120 << 12 << QList<int>{12} << 10 << 10 << QStringLiteral("Q111-Q120")
            << QStringList{QStringLiteral("１２")} << 0 << 10 << 9;
    }

    void decide()
    {
        QFETCH(int, questions);
        QFETCH(int, parts);
        QFETCH(QList<int>, chosen);
        QFETCH(int, startCount);

        Module1 m;
        fillBank(m, questions, parts);
        m.QuestionCount = static_cast<std::int16_t>(startCount);
        test::ScriptedDialogs dialogs;
        const RangeDecision d = DecideRange(m, selection(parts, chosen), dialogs);

        QVERIFY(d.decided);
        QVERIFY(dialogs.shown.isEmpty());
        QTEST(int(m.RangeQuestionCount), "rangeCount");
        const QStringList pool = poolTexts(m);
        QFETCH(QString, firstLast);
        if (!pool.isEmpty())
            QCOMPARE(pool.first() + u'-' + pool.last(), firstLast);
        QFETCH(QStringList, partNumbers);
        QCOMPARE(int(m.ChosenPartCount), partNumbers.size());
        for (int i = 0; i < partNumbers.size(); ++i)
            QCOMPARE(m.ChosenPartNumbers(i + 1), partNumbers.at(i));
        QTEST(int(m.AllPartsChosen), "allChosen");
        QTEST(int(m.QuestionCount), "questionCount");
        QTEST(d.selectedCountIndex, "selectedIndex");
        QCOMPARE(d.countEntries.size(), int(m.RangeQuestionCount));
    }

    void nothingSelectedBeepsAndAsks()
    {
        Module1 m;
        fillBank(m, 30, 3);
        m.RangeQuestionCount = 7;
        test::ScriptedDialogs dialogs;
        const RangeDecision d = DecideRange(m, selection(3, {}), dialogs);
        QVERIFY(!d.decided);
        QCOMPARE(dialogs.kinds(), (QStringList{QStringLiteral("beep"), QStringLiteral("message")}));
        QCOMPARE(dialogs.shown.last().text, QStringLiteral("問題範囲を設定して下さい。"));
        QCOMPARE(dialogs.shown.last().title, QStringLiteral("ソラリオ"));
        QCOMPARE(int(m.RangeQuestionCount), 7);
    }

    void limits()
    {
        // 5000 questions in 501 parts: choosing all 501 passes the part table.
        Module1 m;
        fillBank(m, 5000, 501);
        test::ScriptedDialogs dialogs;
        QVERIFY(!DecideRange(m, QList<bool>(501, true), dialogs).decided);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(int(m.RangeQuestionCount), 0);

        // 500 parts are fine, and the count list stops at what the draw holds.
        Module1 big;
        fillBank(big, 5000, 500);
        const RangeDecision d = DecideRange(big, QList<bool>(500, true), dialogs);
        QVERIFY(d.decided);
        QCOMPARE(int(big.RangeQuestionCount), 5000);
        QCOMPARE(d.countEntries.size(), MaxOfferedQuestionCount);
        QCOMPARE(int(big.AllPartsChosen), 1);
    }
};

QTEST_GUILESS_MAIN(TestRangeSetup)
#include "tst_rangesetup.moc"
