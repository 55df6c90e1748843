#include "PrintTestSupport.h"

#include "print/FixedMetrics.h"
#include "print/QuestionText.h"
#include "print/TextPlacer.h"

#include <QRandomGenerator>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

const QString W = QStringLiteral("あ"); // 3.4375 mm at 10 points
const QString Crlf = QStringLiteral("\r\n");

// Counts the characters the placer has measured.
class CountingSurface : public RecordingSurface
{
public:
    qint64 calls = 0;
    double textWidth(const QString &text) override
    {
        ++calls;
        return RecordingSurface::textWidth(text);
    }
};

struct Placed
{
    QString text;
    double x;
    double y;
    bool emphasis;
    bool lineEnd;
};

QList<Placed> placedOf(const PrintLog &log)
{
    QList<Placed> out;
    for (const PrintOperation &op : log.texts())
        out.append({op.text, op.x, op.y, op.emphasis, op.lineEnd});
    return out;
}

QList<Placed> placeOnce(const QString &text, PlacingRules rules = {})
{
    auto m = moduleWith({});
    RecordingSurface s;
    setMetrics(*m, s);
    TextPlacer placer(*m, s, rules);
    placer.startAfresh();
    placer.place(text);
    return placedOf(s.log());
}

} // namespace

Q_DECLARE_METATYPE(QList<Placed>)

class TestPlacing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberLabel_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("label");
        QTest::newRow("7") << 7 << QStringLiteral("( 7)");
        QTest::newRow("99") << 99 << QStringLiteral("(99)");
        QTest::newRow("100") << 100 << QStringLiteral("(100)");
        QTest::newRow("1000 keeps every digit") << 1000 << QStringLiteral("(1000)");
    }
    void numberLabel()
    {
        QFETCH(int, n);
        QFETCH(QString, label);
        QCOMPARE(NumberLabel(n), label);
    }

    void composition_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("rule"); // HintLines
        QTest::addColumn<QString>("expected");
        const QString q = QStringLiteral("( 5) Go.") + Crlf;
        const QString rule = Crlf + QStringLiteral("　 ──");
        const QString hintLine = QStringLiteral("　 〔go〕") + Crlf;
        const int printed = int(HintLines::Printed);
        const int measured = int(HintLines::Measured);
        QTest::newRow("1 hint") << 1 << QStringLiteral("go") << printed << q + hintLine + rule;
        QTest::newRow("1 none") << 1 << QString() << printed << q + rule;
        QTest::newRow("2 hint") << 2 << QStringLiteral("go") << printed << q + hintLine;
        QTest::newRow("2 none") << 2 << QString() << printed << q;
        QTest::newRow("2 ** printed") << 2 << QStringLiteral("**") << printed << q;
        QTest::newRow("2 ** measured") << 2 << QStringLiteral("**") << measured << q;
        QTest::newRow("2 * printed") << 2 << QStringLiteral("*") << printed << q;
        QTest::newRow("2 * measured")
            << 2 << QStringLiteral("*") << measured << q + QStringLiteral("　 〔*〕") + Crlf;
    }
    void composition()
    {
        QFETCH(int, layout);
        QFETCH(QString, hint);
        QFETCH(int, rule);
        QFETCH(QString, expected);
        const QuestionRecord r{QStringLiteral("Go."), hint, QString()};
        QCOMPARE(ComposeQuestion(r, 5, layout, QStringLiteral("──"), HintLines(rule)), expected);
    }

    void wholeTestAndAnswerComposition()
    {
        const QuestionRecord r{QStringLiteral("a\\/b"), QStringLiteral("h\\/i"), QStringLiteral("x\\/y")};
        const QString five = QStringLiteral("     ");
        QCOMPARE(ComposeQuestionForRun(r, 12, 1, QStringLiteral("─")),
                 QStringLiteral("(12) a") + Crlf + five + QStringLiteral("b") + Crlf +
                     QStringLiteral("　 〔h") + Crlf + five + QStringLiteral("i〕") + Crlf + Crlf +
                     QStringLiteral("　 ─") + Crlf);
        QCOMPARE(ComposeAnswer(r, 123),
                 QStringLiteral("(123) a") + Crlf + five + QStringLiteral("b") + Crlf +
                     QStringLiteral("　 〔h") + Crlf + five + QStringLiteral("i〕") + Crlf +
                     QStringLiteral("　■　x") + Crlf + five + QStringLiteral("y") + Crlf);
        QCOMPARE(ComposeAnswer({QStringLiteral("q"), QStringLiteral("*"), QString()}, 1),
                 QStringLiteral("( 1) q") + Crlf + QStringLiteral("　■　") + Crlf);
    }

    void dashLineFillsHundredFiftyMillimetres()
    {
        RecordingSurface s;
        s.setFontSize(10);
        QCOMPARE(DashLine(s, 175), QString(43, QChar(u'─'))); // 150 / 3.4375 = 43.6
    }

    // The search must find the very break a character-by-character scan finds,
    // for segments of a line and for long runs alike.
    void widthBreakMatchesLinearScan()
    {
        QRandomGenerator rng(7);
        for (int round = 0; round < 2000; ++round) {
            const int count = int(rng.bounded(1, round % 4 == 0 ? 1200 : 300));
            QList<double> prefix{0};
            for (int i = 0; i < count; ++i)
                prefix.append(prefix.last() + (rng.bounded(4) == 0 ? 0.0 : rng.bounded(5.0)));
            const double room = rng.bounded(prefix.last() * 1.2 + 1) + 10;
            qsizetype linear = 0;
            for (qsizetype k = 1; k <= count && linear == 0; ++k)
                if (prefix[k] + 10 > room)
                    linear = k;
            QCOMPARE(FindWidthBreak(count, [&](qsizetype k) { return prefix[k]; }, room), linear);
        }
        QCOMPARE(FindWidthBreak(0, [](qsizetype) { return 1e9; }, 0), qsizetype(0));
    }

    void firstLineBreaksWhereLinearScanDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("narrow") << QString(200, QChar(u'a'));
        QTest::newRow("wide") << QString(100, QChar(u'あ'));
        QTest::newRow("mixed") << QStringLiteral("He ｶﾀｶﾅ said 「今日は」 and left; ").repeated(8);
    }
    void firstLineBreaksWhereLinearScanDoes()
    {
        QFETCH(QString, text);
        qsizetype expected = 0;
        for (qsizetype i = 1; i <= text.size() && expected == 0; ++i)
            if (FixedTextWidth(QStringView(text).left(i), 10, false) + 10 > 165)
                expected = i;
        QVERIFY(expected > 1);
        const bool hangs = QStringLiteral("。、」）〕，").contains(text[expected - 1]);
        const qsizetype cut = hangs ? expected : expected - 1;
        const auto placed = placeOnce(text);
        QCOMPARE(placed[0].text, text.left(cut));
        QCOMPARE(placed[1].text.left(3), QStringLiteral("　 ") + text[cut]);
    }

    void longParagraphIsNotMeasuredQuadratically()
    {
        auto m = moduleWith({});
        CountingSurface s;
        setMetrics(*m, s);
        TextPlacer placer(*m, s, PlacingRules{});
        placer.startAfresh();
        s.calls = 0;
        placer.place(QString(4500, QChar(u'a'))); // about 50 lines of 90 characters
        const int lines = int(s.log().texts().size());
        QVERIFY(lines >= 50);
        // A scan measuring every prefix would need about 90 calls a line.
        QVERIFY2(s.calls < 20 * lines, qPrintable(QString::number(s.calls)));
    }

    void placing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Placed>>("expected");

        // 42 wide characters after the 5-character label fit; the 43rd does not.
        const QString label = QStringLiteral("( 1) ");
        const QString fits = label + W.repeated(42);
        QTest::newRow("ordinary character starts the next line")
            << fits + QStringLiteral("いう") + Crlf
            << QList<Placed>{{fits, 10, 35, false, false},
                             {QStringLiteral("　 いう"), 10, 40, false, false}};
        const QStringList marks{QStringLiteral("。"), QStringLiteral("、"), QStringLiteral("」"),
                                QStringLiteral("）"), QStringLiteral("〕"), QStringLiteral("，")};
        for (const QString &mark : marks)
            QTest::newRow(qPrintable(QStringLiteral("closing mark ") + mark))
                << fits + mark + QStringLiteral("う") + Crlf
                << QList<Placed>{{fits + mark, 10, 35, false, false},
                                 {QStringLiteral("　 う"), 10, 40, false, false}};
        QTest::newRow("closing mark last leaves a lone indent")
            << fits + QStringLiteral("。")
            << QList<Placed>{{fits + QStringLiteral("。"), 10, 35, false, false}};
        QTest::newRow("forced break")
            << ExpandForcedBreaks(QStringLiteral("( 1) ab\\/cd") + Crlf)
            << QList<Placed>{{QStringLiteral("( 1) ab"), 10, 35, false, false},
                             {QStringLiteral("     cd"), 10, 40, false, false}};
        // "( 1) ab " is 13.75 mm: the word goes at 23.75, the rest at round(27.1875).
        QTest::newRow("emphasised word inside a line")
            << QStringLiteral("( 1) ab @cd@ ef") + Crlf
            << QList<Placed>{{QStringLiteral("( 1) ab "), 10, 35, false, false},
                             {QStringLiteral("cd"), 23.75, 35, true, false},
                             {QStringLiteral(" ef"), 27, 35, false, false}};
        QTest::newRow("emphasis at the start")
            << QStringLiteral("@ab@c") + Crlf
            << QList<Placed>{{QString(), 10, 35, false, false},
                             {QStringLiteral("ab"), 10, 35, true, false},
                             {QStringLiteral("c"), 13, 35, false, false}};
        // A run cut by a line break is printed plain; only the closing "@" emphasises.
        QTest::newRow("run across a line break")
            << QStringLiteral("a@b") + Crlf + QStringLiteral("c@d") + Crlf
            << QList<Placed>{{QStringLiteral("a"), 10, 35, false, false},
                             {QStringLiteral("b"), 12, 35, false, false},
                             {QStringLiteral("c"), 10, 40, true, false},
                             {QStringLiteral("d"), 12, 40, false, false}};
        QTest::newRow("last piece with a line end at x 10")
            << QStringLiteral("a") + Crlf + Crlf + QStringLiteral("　 ──")
            << QList<Placed>{{QStringLiteral("a"), 10, 35, false, false},
                             {QString(), 10, 40, false, false},
                             {QStringLiteral("　 ──"), 10, 45, false, true}};
    }
    void placing()
    {
        QFETCH(QString, text);
        QFETCH(QList<Placed>, expected);
        const auto placed = placeOnce(text);
        QCOMPARE(placed.size(), expected.size());
        for (int i = 0; i < placed.size(); ++i) {
            QCOMPARE(placed[i].text, expected[i].text);
            QCOMPARE(placed[i].x, expected[i].x);
            QCOMPARE(placed[i].y, expected[i].y);
            QCOMPARE(placed[i].emphasis, expected[i].emphasis);
            QCOMPARE(placed[i].lineEnd, expected[i].lineEnd);
        }
    }

    void tooLargeFontEndsInsteadOfLooping_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("not one character fits") << 1000;
        QTest::newRow("only the indent fits") << 240;
    }
    void tooLargeFontEndsInsteadOfLooping()
    {
        auto m = moduleWith({});
        QFETCH(int, size);
        m->FontSize = static_cast<std::int16_t>(size);
        RecordingSurface s;
        m->CharHeight = 4; // keep the page arithmetic ordinary
        m->FirstPageLines = 40;
        m->NextPageLines = 45;
        s.setFontSize(m->FontSize);
        TextPlacer placer(*m, s, PlacingRules{});
        placer.startAfresh();
        QVERIFY_THROWS_EXCEPTION(PrintFailure, placer.place(QStringLiteral("( 1) あい") + Crlf));
    }

    void measuringTreatsTheSameTextWithoutStopping()
    {
        auto m = moduleWith({});
        RecordingSurface s;
        m->CharHeight = 4;
        m->FirstPageLines = 40;
        s.setFontSize(600);
        PlacingRules rules;
        rules.printing = false;
        rules.lineCapacity = 40;
        TextPlacer placer(*m, s, rules);
        placer.startAfresh();
        QVERIFY(!placer.place(QStringLiteral("( 1) あ") + Crlf));
        QCOMPARE(placer.linesPlaced(), 41);
        QVERIFY(s.log().operations().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlacing)
#include "tst_placing.moc"
