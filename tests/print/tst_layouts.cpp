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

class TestLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // One line per question (layout 2, no hint); 40 lines plus the one extra fit.
    void measuringCapacity_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("overCapacity");
        QTest::addColumn<int>("fitCount");
        QTest::newRow("40") << 40 << QString() << 0 << 0;
        QTest::newRow("41 with the extra line") << 41 << QString() << 0 << 0;
        QTest::newRow("42") << 42 << QString() << 1 << 41;
        QTest::newRow("** counts no line") << 41 << u"**"_s << 0 << 0;
        QTest::newRow("* counts a line") << 21 << u"*"_s << 1 << 20;
        QTest::newRow("none") << 0 << QString() << 0 << 0;
    }
    void measuringCapacity()
    {
        QFETCH(int, count);
        QFETCH(QString, hint);
        QFETCH(int, overCapacity);
        QFETCH(int, fitCount);
        auto m = moduleWith(plainQuestions(count, hint));
        RecordingSurface s;
        setMetrics(*m, s);
        m->OverCapacity = 0;
        MeasureQuestions(*m, s);
        QCOMPARE(int(m->OverCapacity), overCapacity);
        QCOMPARE(int(m->FitCount), fitCount);
        QVERIFY(s.log().operations().isEmpty());
        QVERIFY(!s.fontEmphasis());
    }

    // After a closing "@" the measuring pass measures the rest emphasised (wider)
    // than it prints: 80 narrow characters after "b" fit when printed, not when measured.
    void measuringKeepsEmphasisAfterClosingMark_data()
    {
        QTest::addColumn<int>("tail");
        QTest::addColumn<int>("overCapacity");
        QTest::newRow("70 fit either way") << 70 << 0;
        QTest::newRow("80 measured too wide") << 80 << 1;
    }
    void measuringKeepsEmphasisAfterClosingMark()
    {
        QFETCH(int, tail);
        QFETCH(int, overCapacity);
        auto m = moduleWith({{u"@b@"_s + QString(tail, QChar(u'x')), {}, {}}});
        RecordingSurface s;
        setMetrics(*m, s);
        m->FirstPageLines = 0;
        m->OverCapacity = 0;
        MeasureQuestions(*m, s);
        QCOMPARE(int(m->OverCapacity), overCapacity);
        PrintQuestionsFitted(*m, s);
        QCOMPARE(lineTops(s.log(), 1), QList<double> {35});
    }

    void fittedLayoutOne()
    {
        QList<QuestionRecord> q = plainQuestions(2);
        q[0].Hint = u"go"_s;
        q[1].Hint = u"*"_s;
        auto m = moduleWith(q, 1);
        RecordingSurface s;
        setMetrics(*m, s);
        PrintQuestionsFitted(*m, s);
        const auto texts = s.log().texts();
        const QStringList expected {
            u"( 1) Q1"_s, u"　 〔go〕"_s, QString(), Dash43, u"( 2) Q2"_s, QString(), Dash43};
        QCOMPARE(textsOn(s.log()), expected);
        const QList<double> ys {35, 40, 45, 50, 55, 60, 65};
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(texts[i].y, ys[i]);
            QCOMPARE(texts[i].x, 10.0);
            QCOMPARE(texts[i].lineEnd, texts[i].text == Dash43);
            QCOMPARE(texts[i].font, u"ＭＳ Ｐ明朝"_s);
        }
    }

    void fittedHasNoPageBreak()
    {
        auto m = moduleWith(plainQuestions(60));
        RecordingSurface s;
        setMetrics(*m, s);
        PrintQuestionsFitted(*m, s);
        QCOMPARE(countOps(s.log(), PrintOperation::Kind::NewPage), 0);
        QCOMPARE(s.log().texts().last().y, 35.0 + 59 * 5);
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
        QFETCH(QList<bool>, emphasis);
        auto m = moduleWith({{u"a@b"_s, {}, {}}, {u"c@d@e"_s, {}, {}}});
        RecordingSurface s;
        setMetrics(*m, s);
        full ? PrintQuestionsAll(*m, s) : PrintQuestionsFitted(*m, s);
        const auto texts = s.log().texts();
        // ( 1) a | b | ( 2) c | d | e
        QCOMPARE(texts.size(), emphasis.size());
        QCOMPARE(texts[2].text, u"( 2) c"_s);
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(texts[i].emphasis, emphasis[i]);
    }

    void fullPrintPages_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::newRow("40: one page") << 40 << QList<int> {40};
        QTest::newRow("41: second page") << 41 << QList<int> {40, 1};
        QTest::newRow("100") << 100 << QList<int> {40, 45, 15};
    }
    void fullPrintPages()
    {
        QFETCH(int, count);
        QFETCH(QList<int>, linesPerPage);
        auto m = moduleWith(plainQuestions(count));
        RecordingSurface s;
        setMetrics(*m, s);
        PrintQuestionsAll(*m, s);
        QCOMPARE(countOps(s.log(), PrintOperation::Kind::NewPage), linesPerPage.size() - 1);
        for (int p = 1; p <= linesPerPage.size(); ++p) {
            const QList<double> tops = lineTops(s.log(), p);
            QCOMPARE(tops.size(), linesPerPage[p - 1]);
            const double top = p == 1 ? 35 : 15;
            for (int i = 0; i < tops.size(); ++i)
                QCOMPARE(tops[i], top + 5 * i);
        }
    }

    void ruleAloneAtTopOfNextPage()
    {
        // Question 1 takes five lines (two "\/" and layout 1), 2 to 12 three each:
        // question 13's rule is line 41.
        auto m = moduleWith(withText(plainQuestions(13), 1, u"a\\/b\\/c"_s), 1);
        RecordingSurface s;
        setMetrics(*m, s);
        PrintQuestionsAll(*m, s);
        const auto page1 = s.log().texts(1);
        const auto page2 = s.log().texts(2);
        QCOMPARE(page1[page1.size() - 2].text, u"(13) Q13"_s);
        QCOMPARE(page1.last().y, 230.0);
        QCOMPARE(page2.size(), 1);
        QCOMPARE(page2[0].text, Dash43);
        QCOMPARE(page2[0].y, 15.0);
    }

    void wrappedLineContinuesOnNextPage()
    {
        // 39 one-line questions, then one of two lines: its continuation is line 41.
        const QString longText = QString(100, QChar(u'a'));
        auto m = moduleWith(withText(plainQuestions(40), 40, longText));
        RecordingSurface s;
        setMetrics(*m, s);
        PrintQuestionsAll(*m, s);
        const auto page2 = s.log().texts(2);
        QCOMPARE(page2.size(), 1);
        QVERIFY(page2[0].text.startsWith(u"　 a"_s));
        QCOMPARE(page2[0].y, 15.0);
    }

    void answerSheetSameForBothLayouts()
    {
        QList<QuestionRecord> q = plainQuestions(50, u"hint"_s);
        q[3].Hint = u"**"_s;
        q[4].Answer = u"x\\/y"_s;
        QByteArray traces[2];
        for (int layout = 1; layout <= 2; ++layout) {
            auto m = moduleWith(q, layout);
            RecordingSurface s;
            setMetrics(*m, s);
            PrintAnswerSheet(*m, s);
            traces[layout - 1] = TraceJson(s.log());
        }
        QCOMPARE(traces[0], traces[1]);
    }

    void answerLines_data()
    {
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("hidden hint") << u"**"_s << u"went"_s << QStringList {u"( 1) Q1"_s, u"　■　went"_s};
        QTest::newRow("shown hint") << u"go"_s << u"went"_s
                                    << QStringList {u"( 1) Q1"_s, u"　 〔go〕"_s, u"　■　went"_s};
        QTest::newRow("empty answer") << QString() << QString() << QStringList {u"( 1) Q1"_s, u"　■　"_s};
        QTest::newRow("answer over two lines")
            << QString() << u"a\\/b"_s << QStringList {u"( 1) Q1"_s, u"　■　a"_s, u"     b"_s};
    }
    void answerLines()
    {
        QFETCH(QString, hint);
        QFETCH(QString, answer);
        QFETCH(QStringList, lines);
        auto m = moduleWith({{u"Q1"_s, hint, answer}});
        RecordingSurface s;
        setMetrics(*m, s);
        PrintAnswerSheet(*m, s);
        QCOMPARE(textsOn(s.log()), lines);
        QList<double> ys;
        for (int i = 0; i < lines.size(); ++i)
            ys.append(35 + 5 * i);
        QCOMPARE(lineTops(s.log(), 1), ys);
    }

    // 20 questions of two lines fill the 40 lines exactly; every closing "@"
    // uses up one of them.
    void closingMarkUsesAnAnswerPageLine()
    {
        auto m = moduleWith(withText(plainQuestions(20), 1, u"a@b@c"_s));
        RecordingSurface s;
        setMetrics(*m, s);
        PrintAnswerSheet(*m, s);
        QCOMPARE(lineTops(s.log(), 1).size(), 39);
        QCOMPARE(lineTops(s.log(), 2), QList<double> {15});
    }

    void closingMarkOnTheLastLineBreaksInsideIt()
    {
        QList<QuestionRecord> q = plainQuestions(20);
        q[19].Answer = u"a@b@c"_s;
        auto m = moduleWith(q);
        RecordingSurface s;
        setMetrics(*m, s);
        PrintAnswerSheet(*m, s);
        const auto page2 = s.log().texts(2);
        QCOMPARE(page2.size(), 1);
        QCOMPARE(page2[0].text, u"c"_s);
        QCOMPARE(page2[0].y, 15.0);
        QCOMPARE(page2[0].x, 24.0); // round(10 + "　■　ab")
        QCOMPARE(s.log().texts(1).last().text, u"b"_s);
        QVERIFY(s.log().texts(1).last().emphasis);
    }

    void noQuestionsPrintNothing()
    {
        auto m = moduleWith({}, 1);
        RecordingSurface s;
        setMetrics(*m, s);
        PrintQuestionsFitted(*m, s);
        PrintQuestionsAll(*m, s);
        PrintAnswerSheet(*m, s);
        QVERIFY(s.log().operations().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
