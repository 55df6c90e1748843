#include "PrintTestSupport.h"

#include "print/FixedMetrics.h"
#include "print/QuestionText.h"
#include "print/TextPlacer.h"

#include <QRandomGenerator>
#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

namespace {

const QString W = u"あ"_s; // 3.4375 mm at 10 points
const QString Crlf = u"\r\n"_s;

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
        QTest::newRow("7") << 7 << u"( 7)"_s;
        QTest::newRow("99") << 99 << u"(99)"_s;
        QTest::newRow("100") << 100 << u"(100)"_s;
        QTest::newRow("1000 keeps every digit") << 1000 << u"(1000)"_s;
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
        const QString q = u"( 5) Go."_s + Crlf;
        const QString rule = Crlf + u"　 ──"_s;
        const QString hintLine = u"　 〔go〕"_s + Crlf;
        const int printed = int(HintLines::Printed);
        const int measured = int(HintLines::Measured);
        QTest::newRow("1 hint") << 1 << u"go"_s << printed << q + hintLine + rule;
        QTest::newRow("1 none") << 1 << QString() << printed << q + rule;
        QTest::newRow("2 hint") << 2 << u"go"_s << printed << q + hintLine;
        QTest::newRow("2 none") << 2 << QString() << printed << q;
        QTest::newRow("2 ** printed") << 2 << u"**"_s << printed << q;
        QTest::newRow("2 ** measured") << 2 << u"**"_s << measured << q;
        QTest::newRow("2 * printed") << 2 << u"*"_s << printed << q;
        QTest::newRow("2 * measured") << 2 << u"*"_s << measured << q + u"　 〔*〕"_s + Crlf;
    }
    void composition()
    {
        QFETCH(int, layout);
        QFETCH(QString, hint);
        QFETCH(int, rule);
        QFETCH(QString, expected);
        const QuestionRecord r {u"Go."_s, hint, QString()};
        QCOMPARE(ComposeQuestion(r, 5, layout, u"──"_s, HintLines(rule)), expected);
    }

    // The search must find the very break a character-by-character scan finds,
    // for segments of a line and for long runs alike.
    void widthBreakMatchesLinearScan()
    {
        QRandomGenerator rng(7);
        for (int round = 0; round < 2000; ++round) {
            const int count = int(rng.bounded(1, round % 4 == 0 ? 1200 : 300));
            QList<double> prefix {0};
            for (int i = 0; i < count; ++i)
                prefix.append(prefix.last() + (rng.bounded(4) == 0 ? 0.0 : rng.bounded(5.0)));
            const double room = rng.bounded(prefix.last() * 1.2 + 1) + 10;
            qsizetype linear = 0;
            for (qsizetype k = 1; k <= count && linear == 0; ++k)
                if (prefix[k] + 10 > room)
                    linear = k;
            QCOMPARE(FindWidthBreak(
                         count, [&](qsizetype k) { return prefix[k]; }, room),
                linear);
        }
        QCOMPARE(FindWidthBreak(
                     0, [](qsizetype) { return 1e9; }, 0),
            qsizetype(0));
    }

    void firstLineBreaksWhereLinearScanDoes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("narrow") << QString(200, QChar(u'a'));
        QTest::newRow("wide") << QString(100, QChar(u'あ'));
        QTest::newRow("mixed") << u"He ｶﾀｶﾅ said 「今日は」 and left; "_s.repeated(8);
    }
    void firstLineBreaksWhereLinearScanDoes()
    {
        QFETCH(QString, text);
        qsizetype expected = 0;
        for (qsizetype i = 1; i <= text.size() && expected == 0; ++i)
            if (FixedTextWidth(QStringView(text).left(i), 10, false) + 10 > 165)
                expected = i;
        QVERIFY(expected > 1);
        const bool hangs = u"。、」）〕，"_s.contains(text[expected - 1]);
        const qsizetype cut = hangs ? expected : expected - 1;
        const auto placed = placeOnce(text);
        QCOMPARE(placed[0].text, text.left(cut));
        QCOMPARE(placed[1].text.left(3), u"　 "_s + text[cut]);
    }

    void longParagraphIsNotMeasuredQuadratically()
    {
        auto m = moduleWith({});
        CountingSurface s;
        setMetrics(*m, s);
        TextPlacer placer(*m, s, PlacingRules {});
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
        const QString label = u"( 1) "_s;
        const QString fits = label + W.repeated(42);
        QTest::newRow("ordinary character starts the next line") << fits + u"いう"_s
                + Crlf << QList<Placed> {{fits, 10, 35, false, false}, {u"　 いう"_s, 10, 40, false, false}};
        const QStringList marks {u"。"_s, u"、"_s, u"」"_s, u"）"_s, u"〕"_s, u"，"_s};
        for (const QString &mark : marks)
            QTest::newRow(qPrintable(u"closing mark "_s + mark))
                << fits + mark + u"う"_s + Crlf
                << QList<Placed> {{fits + mark, 10, 35, false, false}, {u"　 う"_s, 10, 40, false, false}};
        QTest::newRow("closing mark last leaves a lone indent")
            << fits + u"。"_s << QList<Placed> {{fits + u"。"_s, 10, 35, false, false}};
        QTest::newRow("forced break")
            << ExpandForcedBreaks(u"( 1) ab\\/cd"_s + Crlf)
            << QList<Placed> {{u"( 1) ab"_s, 10, 35, false, false}, {u"     cd"_s, 10, 40, false, false}};
        // "( 1) ab " is 13.75 mm: the word goes at 23.75, the rest at round(27.1875).
        QTest::newRow("emphasised word inside a line")
            << u"( 1) ab @cd@ ef"_s + Crlf
            << QList<Placed> {{u"( 1) ab "_s, 10, 35, false, false}, {u"cd"_s, 23.75, 35, true, false},
                   {u" ef"_s, 27, 35, false, false}};
        QTest::newRow("emphasis at the start")
            << u"@ab@c"_s + Crlf
            << QList<Placed> {{QString(), 10, 35, false, false}, {u"ab"_s, 10, 35, true, false},
                   {u"c"_s, 13, 35, false, false}};
        // A run cut by a line break is printed plain; only the closing "@" emphasises.
        QTest::newRow("run across a line break")
            << u"a@b"_s + Crlf + u"c@d"_s + Crlf
            << QList<Placed> {{u"a"_s, 10, 35, false, false}, {u"b"_s, 12, 35, false, false},
                   {u"c"_s, 10, 40, true, false}, {u"d"_s, 12, 40, false, false}};
        // After 26 emphasised narrow characters the segment starts at 55 (54.6875
        // rounded): 64 more are exactly 110 mm and end at 165, which still fits.
        const QString run = u"@"_s + QString(26, u'a') + u"@"_s;
        QTest::newRow("exactly full line")
            << run + QString(64, u'b') + Crlf
            << QList<Placed> {{QString(), 10, 35, false, false}, {QString(26, u'a'), 10, 35, true, false},
                   {QString(64, u'b'), 55, 35, false, false}};
        QTest::newRow("one character over")
            << run + QString(65, u'b') + Crlf
            << QList<Placed> {{QString(), 10, 35, false, false}, {QString(26, u'a'), 10, 35, true, false},
                   {QString(64, u'b'), 55, 35, false, false}, {u"　 b"_s, 10, 40, false, false}};
        QTest::newRow("last piece with a line end at x 10")
            << u"a"_s + Crlf + Crlf + u"　 ──"_s
            << QList<Placed> {{u"a"_s, 10, 35, false, false}, {QString(), 10, 40, false, false},
                   {u"　 ──"_s, 10, 45, false, true}};
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
        TextPlacer placer(*m, s, PlacingRules {});
        placer.startAfresh();
        QVERIFY_THROWS_EXCEPTION(PrintFailure, placer.place(u"( 1) あい"_s + Crlf));
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
        QVERIFY(!placer.place(u"( 1) あ"_s + Crlf));
        QCOMPARE(placer.linesPlaced(), 41);
        QVERIFY(s.log().operations().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPlacing)
#include "tst_placing.moc"
