// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintTestSupport.h"

#include "print/QuestionLayouts.h"
#include "print/TraceJson.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

namespace {

const QString Dash43 = u"　 "_s + QString(43, QChar(u'─'));

QList<QuestionRecord> withText(QList<QuestionRecord> q, int n, const QString &text)
{
    q[n - 1].QuestionText = text;
    return q;
}

} // namespace

Q_DECLARE_METATYPE(sorario::QuestionRecord)

class TestLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One line per question (layout 2); 40 lines plus the one extra fit.
    void measuringCapacity_data()
    {
        QTest::addColumn<QList<QuestionRecord>>("questions");
        QTest::addColumn<int>("overCapacity");
        QTest::addColumn<int>("fitCount");
        QTest::newRow("41 with the extra line") << plainQuestions(41) << 0 << 0;
        QTest::newRow("42") << plainQuestions(42) << 1 << 41;
        QTest::newRow("** counts no line") << plainQuestions(41, u"**"_s) << 0 << 0;
        QTest::newRow("* counts a line") << plainQuestions(21, u"*"_s) << 1 << 20;
        // After a closing "@" the rest is measured emphasised (wider) than it prints:
        // 80 narrow characters after "b" take a second line when measured.
        QTest::newRow("emphasis kept after a closing @")
            << withText(plainQuestions(41), 1, u"@b@"_s + QString(80, u'x')) << 1 << 40;
    }
    void measuringCapacity()
    {
        QFETCH(QList<QuestionRecord>, questions);
        auto m = moduleWith(questions);
        m->OverCapacity = 0;
        QVERIFY(printed(*m, MeasureQuestions).operations().isEmpty());
        QTEST(int(m->OverCapacity), "overCapacity");
        QTEST(int(m->FitCount), "fitCount");
    }

    void fittedLayoutOne()
    {
        QList<QuestionRecord> q = plainQuestions(2);
        q[0].Hint = u"go"_s;
        q[1].Hint = u"*"_s;
        auto m = moduleWith(q, 1);
        const auto texts = printed(*m, PrintQuestionsFitted).texts();
        const QStringList expected {
            u"( 1) Q1"_s, u"　 〔go〕"_s, QString(), Dash43, u"( 2) Q2"_s, QString(), Dash43};
        QCOMPARE(texts.size(), expected.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(texts[i].text, expected[i]);
            QCOMPARE(texts[i].y, 35.0 + 5 * i);
            QCOMPARE(texts[i].x, 10.0);
            QCOMPARE(texts[i].lineEnd, texts[i].text == Dash43);
            QCOMPARE(texts[i].font, u"ＭＳ Ｐ明朝"_s);
        }
    }

    // The 41st fitted line stays on the first page.
    void fittedHasNoPageBreak()
    {
        auto m = moduleWith(plainQuestions(41));
        const PrintLog log = printed(*m, PrintQuestionsFitted);
        QCOMPARE(countOps(log, PrintOperation::Kind::NewPage), 0);
        QCOMPARE(log.texts().last().y, 35.0 + 40 * 5);
    }

    // Fitted questions start afresh; the full print carries an odd "@" over.
    void oddMarkCarriesOverOnlyInFullPrint_data()
    {
        QTest::addColumn<bool>("full");
        QTest::addColumn<QList<bool>>("emphasis");
        QTest::newRow("fitted") << false << QList<bool> {false, false, false, true, false};
        QTest::newRow("full") << true << QList<bool> {false, false, true, false, false};
    }
    void oddMarkCarriesOverOnlyInFullPrint()
    {
        QFETCH(bool, full);
        auto m = moduleWith({{u"a@b"_s, {}, {}}, {u"c@d@e"_s, {}, {}}});
        const auto texts = printed(*m, full ? PrintQuestionsAll : PrintQuestionsFitted).texts();
        QList<bool> emphasis; // ( 1) a | b | ( 2) c | d | e
        for (const PrintOperation &op : texts)
            emphasis.append(op.emphasis);
        QCOMPARE(texts[2].text, u"( 2) c"_s);
        QTEST(emphasis, "emphasis");
    }

    // Full print: FirstPageLines lines from y 35, then NextPageLines from y 15.
    void pageBreaks_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QList<QuestionRecord>>("questions");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::addColumn<QString>("page2Starts");
        QTest::newRow("100 questions")
            << 2 << plainQuestions(100) << QList<int> {40, 45, 15} << u"(41) Q41"_s;
        // Question 1 takes five lines, 2 to 12 three each: question 13's rule is line 41.
        QTest::newRow("rule alone on the next page")
            << 1 << withText(plainQuestions(13), 1, u"a\\/b\\/c"_s) << QList<int> {40, 1} << Dash43;
        // 39 one-line questions, then one of two lines: its continuation is line 41.
        QTest::newRow("wrapped line continues on the next page")
            << 2 << withText(plainQuestions(40), 40, QString(100, u'a')) << QList<int> {40, 1} << u"　 a"_s;
    }
    void pageBreaks()
    {
        QFETCH(int, layout);
        QFETCH(QList<QuestionRecord>, questions);
        QFETCH(QList<int>, linesPerPage);
        QFETCH(QString, page2Starts);
        auto m = moduleWith(questions, layout);
        const PrintLog log = printed(*m, PrintQuestionsAll);
        QCOMPARE(countOps(log, PrintOperation::Kind::NewPage), linesPerPage.size() - 1);
        for (int p = 1; p <= linesPerPage.size(); ++p) {
            QList<double> expected;
            for (int i = 0; i < linesPerPage[p - 1]; ++i)
                expected.append((p == 1 ? 35 : 15) + 5 * i);
            QCOMPARE(lineTops(log, p), expected);
        }
        QVERIFY2(textsOn(log, 2).first().startsWith(page2Starts), qPrintable(textsOn(log, 2).first()));
    }

    void answerSheetSameForBothLayouts()
    {
        QList<QuestionRecord> q = plainQuestions(50, u"hint"_s);
        q[3].Hint = u"**"_s;
        q[4].Answer = u"x\\/y"_s;
        QCOMPARE(TraceJson(printed(*moduleWith(q, 1), PrintAnswerSheet)),
            TraceJson(printed(*moduleWith(q, 2), PrintAnswerSheet)));
    }

    void answerLines_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("hidden hint") << u"**"_s << u"went"_s << QStringList {u"( 1) Q1"_s, u"　■　went"_s};
        QTest::newRow("shown hint") << u"go"_s << u"went"_s
                                    << QStringList {u"( 1) Q1"_s, u"　 〔go〕"_s, u"　■　went"_s};
        QTest::newRow("answer over two lines")
            << QString() << u"a\\/b"_s << QStringList {u"( 1) Q1"_s, u"　■　a"_s, u"     b"_s};
    }
    void answerLines()
    {
        QFETCH(QString, hint);
        QFETCH(QString, answer);
        QFETCH(QStringList, lines);
        const PrintLog log = printed(*moduleWith({{u"Q1"_s, hint, answer}}), PrintAnswerSheet);
        QCOMPARE(textsOn(log), lines);
        QList<double> ys;
        for (int i = 0; i < lines.size(); ++i)
            ys.append(35 + 5 * i);
        QCOMPARE(lineTops(log, 1), ys);
    }

    // 20 questions of two lines fill the 40 answer lines exactly; every closing
    // "@" uses up one of them, breaking inside the line it is on.
    void closingMarkUsesAnAnswerPageLine_data()
    {
        QTest::addColumn<QList<QuestionRecord>>("questions");
        QTest::addColumn<int>("page1Lines");
        QTest::addColumn<QStringList>("page2");
        QTest::newRow("in a question")
            << withText(plainQuestions(20), 1, u"a@b@c"_s) << 39 << QStringList {u"　■　A20|10,15"_s};
        QList<QuestionRecord> q = plainQuestions(20);
        q[19].Answer = u"a@b@c"_s;
        // "c" goes on at round(10 + width of "　■　ab").
        QTest::newRow("in the last answer") << q << 40 << QStringList {u"c|24,15"_s};
    }
    void closingMarkUsesAnAnswerPageLine()
    {
        QFETCH(QList<QuestionRecord>, questions);
        const PrintLog log = printed(*moduleWith(questions), PrintAnswerSheet);
        QTEST(int(lineTops(log, 1).size()), "page1Lines");
        QStringList page2;
        for (const PrintOperation &op : log.texts(2))
            page2.append(u"%1|%2,%3"_s.arg(op.text).arg(op.x).arg(op.y));
        QTEST(page2, "page2");
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
