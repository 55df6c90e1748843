#include "export/BracketExchange.h"
#include "shared/Module1.h"

#include <QTest>

#include <memory>

using namespace sorario;
using namespace Qt::StringLiterals;

class tst_BracketExchange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void exchange_data();
    void exchange();
    void onlyLayoutTwoAndOnlyDrawnQuestions();
};

void tst_BracketExchange::exchange_data()
{
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("newQuestion");
    QTest::addColumn<QString>("newAnswer");

    QTest::newRow("full-width, three spaces")
        << u"I （   ） a pen."_s << u"have"_s << u"I （have） a pen."_s << u"   "_s;
    QTest::newRow("half-width")
        << u"He (  ) go."_s << u"will"_s << u"He (will) go."_s << u"  "_s;
    QTest::newRow("full open, half close")
        << u"A（x) b"_s << u"y"_s << u"A（y) b"_s << u"x"_s;
    QTest::newRow("half open, full close")
        << u"A(x） b"_s << u"y"_s << u"A(y） b"_s << u"x"_s;
    QTest::newRow("adjacent brackets")
        << u"A（）B"_s << u"c"_s << u"A（c）B"_s << QString();
    QTest::newRow("only the first pair")
        << u"（a）と（b）"_s << u"X"_s << u"（X）と（b）"_s << u"a"_s;
    QTest::newRow("nested: first open to first close")
        << u"a（b（c）d）"_s << u"Z"_s << u"a（Z）d）"_s << u"b（c"_s;
    QTest::newRow("letters of any case")
        << u"ABC (abc) Def"_s << u"XyZ"_s << u"ABC (XyZ) Def"_s << u"abc"_s;
    QTest::newRow("only an opening bracket")
        << u"A（ B"_s << u"c"_s << u"A（ B"_s << u"c"_s;
    QTest::newRow("only a closing bracket")
        << u"A ) B"_s << u"c"_s << u"A ) B"_s << u"c"_s;
    QTest::newRow("closing before opening")
        << u"A）x（B"_s << u"c"_s << u"A）x（B"_s << u"c"_s;
    QTest::newRow("stray closing before a pair")
        << u"1) a（b）"_s << u"c"_s << u"1) a（b）"_s << u"c"_s;
    QTest::newRow("other brackets are no brackets")
        << u"A〔b〕「c」[d]"_s << u"e"_s << u"A〔b〕「c」[d]"_s << u"e"_s;
}

void tst_BracketExchange::exchange()
{
    QFETCH(QString, question);
    QFETCH(QString, answer);
    QFETCH(QString, newQuestion);
    QFETCH(QString, newAnswer);

    const QuestionRecord before{question, u"hint"_s, answer};
    const QuestionRecord after = ExchangeBracket(before);
    QCOMPARE(after.QuestionText, newQuestion);
    QCOMPARE(after.Answer, newAnswer);
    QCOMPARE(after.Hint, u"hint"_s);
}

void tst_BracketExchange::onlyLayoutTwoAndOnlyDrawnQuestions()
{
    auto m = std::make_unique<Module1>();
    const QuestionRecord q{u"a（b）"_s, QString(), u"c"_s};
    for (int k = 1; k <= 3; ++k)
        m->DrawnQuestions(k) = q;
    m->QuestionCount = 2;

    m->AnswerLayout = 1;
    ExchangeBracketAndAnswer(*m);
    QCOMPARE(m->DrawnQuestions(1), q);

    m->AnswerLayout = 2;
    ExchangeBracketAndAnswer(*m);
    const QuestionRecord exchanged{u"a（c）"_s, QString(), u"b"_s};
    QCOMPARE(m->DrawnQuestions(1), exchanged);
    QCOMPARE(m->DrawnQuestions(2), exchanged);
    QCOMPARE(m->DrawnQuestions(3), q); // beyond the test: left alone
}

QTEST_APPLESS_MAIN(tst_BracketExchange)
#include "tst_BracketExchange.moc"
