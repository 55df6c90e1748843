// SPDX-License-Identifier: GPL-3.0-or-later
// Text on the surface: widths, composing a question, placing it line by line, the trace.
#include "PrintTestSupport.h"

#include "print/FixedMetrics.h"
#include "print/QuestionText.h"
#include "print/TextPlacer.h"
#include "print/TraceJson.h"
#include "print/TracingSurface.h"

#include <QRandomGenerator>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

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

QStringList placeOnce(const QString &text, RecordingSurface *surface = nullptr)
{
    RecordingSurface own;
    RecordingSurface &s = surface ? *surface : own;
    auto m = moduleWith({});
    SetPrintMetrics(*m, s);
    TextPlacer placer(*m, s, PlacingRules {});
    placer.startAfresh();
    placer.place(text);
    return placedOn(s.log());
}

} // namespace

class TestPlacing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixedWidth()
    {
        const struct
        {
            QString text;
            bool emphasis = false;
            double width; // at 32 points
        } rows[] = {
            {.text = QString(QChar(0x10FF)), .width = 5.5}, {.text = QString(QChar(0x1100)), .width = 11},
            {.text = u"ｱﾟ"_s, .width = 11}, // half-width katakana
            {.text = QString(QChar(0xFFA0)), .width = 11},
            {.text = u"𠀋"_s, .width = 11}, // a supplementary character counts once
            {.text = u"aあ"_s, .emphasis = true, .width = 16.5 * 9 / 8},
            {.text = QString(1000, QChar(u'あ')), .width = 11000}, // no drift in the sum
        };
        for (const auto &r : rows)
            QCOMPARE(FixedTextWidth(r.text, 32, r.emphasis), r.width);
    }

    void composition()
    {
        const QString rule = Crlf + u"　 ──"_s, hintLine = u"　 〔go〕"_s + Crlf;
        const struct
        {
            int n = 5, layout = 2;
            QString label = u"( 5) "_s, hint {};
            HintLines lines = HintLines::Printed;
            QString expected {};
        } rows[] = {
            {.layout = 1, .hint = u"go"_s, .expected = hintLine + rule}, {.layout = 1, .expected = rule},
            {.hint = u"go"_s, .expected = hintLine}, {.hint = u"**"_s, .lines = HintLines::Measured},
            {.hint = u"*"_s},
            {.hint = u"*"_s, .lines = HintLines::Measured, .expected = u"　 〔*〕"_s + Crlf},
            {.n = 99, .label = u"(99) "_s}, {.n = 1000, .label = u"(1000) "_s}, // every digit kept
        };
        for (const auto &r : rows)
            QCOMPARE(ComposeQuestion({u"Go."_s, r.hint, QString()}, r.n, r.layout, u"──"_s, r.lines),
                r.label + u"Go."_s + Crlf + r.expected);
    }

    // The search finds the very break a character-by-character scan finds, zero
    // widths and long runs included.
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
    }

    void longParagraphIsNotMeasuredQuadratically()
    {
        CountingSurface s;
        const int lines = int(placeOnce(QString(4500, QChar(u'a')), &s).size());
        QVERIFY(lines >= 50); // about 90 characters a line
        QVERIFY2(s.calls < 20 * lines, qPrintable(QString::number(s.calls)));
    }

    void placing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        // 42 wide characters after the 5-character label fit; the 43rd does not.
        const QString fits = u"( 1) "_s + u"あ"_s.repeated(42);
        QTest::newRow("ordinary character starts the next line")
            << fits + u"いう"_s + Crlf << QStringList {fits + u"|10,35"_s, u"　 いう|10,40"_s};
        for (const QString &mark : {u"。"_s, u"、"_s, u"」"_s, u"）"_s, u"〕"_s, u"，"_s})
            QTest::newRow(qPrintable(u"closing mark "_s + mark))
                << fits + mark + u"う"_s + Crlf << QStringList {fits + mark + u"|10,35"_s, u"　 う|10,40"_s};
        QTest::newRow("closing mark last leaves a lone indent")
            << fits + u"。"_s << QStringList {fits + u"。|10,35"_s};
        QTest::newRow("forced break") << ExpandForcedBreaks(u"( 1) ab\\/cd"_s + Crlf)
                                      << QStringList {u"( 1) ab|10,35"_s, u"     cd|10,40"_s};
        // "( 1) ab " is 13.75 mm: the word goes at 23.75, the rest at round(27.1875).
        QTest::newRow("emphasised word inside a line") << u"( 1) ab @cd@ ef"_s
                + Crlf << QStringList {u"( 1) ab |10,35"_s, u"cd|23.75,35|E"_s, u" ef|27,35"_s};
        QTest::newRow("emphasis at the start")
            << u"@ab@c"_s + Crlf << QStringList {u"|10,35"_s, u"ab|10,35|E"_s, u"c|13,35"_s};
        // A run cut by a line break is printed plain; only the closing "@" emphasises.
        QTest::newRow("run across a line break") << u"a@b"_s + Crlf + u"c@d"_s
                + Crlf << QStringList {u"a|10,35"_s, u"b|12,35"_s, u"c|10,40|E"_s, u"d|12,40"_s};
        // After 26 emphasised narrow characters the segment starts at 55 (54.6875
        // rounded): 64 more are exactly 110 mm and end at 165, which still fits.
        const QString run = u"@"_s + QString(26, u'a') + u"@"_s;
        const QStringList full {
            u"|10,35"_s, QString(26, u'a') + u"|10,35|E"_s, QString(64, u'b') + u"|55,35"_s};
        QTest::newRow("exactly full line") << run + QString(64, u'b') + Crlf << full;
        QTest::newRow("one character over")
            << run + QString(65, u'b') + Crlf << full + QStringList {u"　 b|10,40"_s};
        QTest::newRow("last piece with a line end at x 10") << u"a"_s + Crlf + Crlf
                + u"　 ──"_s << QStringList {u"a|10,35"_s, u"|10,40"_s, u"　 ──|10,45|end"_s};
    }
    void placing()
    {
        QFETCH(QString, text);
        QTEST(placeOnce(text), "expected");
    }

    // The trace of every kind of operation, escapes and continued positions included,
    // and the tracer passes on exactly what it logs.
    void trace()
    {
        RecordingSurface inner;
        TracingSurface s(inner);
        s.setFontName(u"ＭＳ ゴシック"_s);
        s.setFontSize(10.5);
        s.line(12, 12, 167, 30, true, 6); // moves the position to (167, 30)
        s.setCurrentX(147.8125);
        s.setCurrentY(9);
        s.print(u"a\"b\\c\r\n\x01"_s, false);
        s.print(u"d"_s, false);
        s.newPage();
        s.setFontEmphasis(true);
        s.print(u"あ"_s, true);
        s.endDoc();
        s.killDoc();
        const QByteArray font
            = ",\"font\":\"\xef\xbc\xad\xef\xbc\xb3 \xe3\x82\xb4\xe3\x82\xb7\xe3\x83\x83\xe3\x82\xaf\","
              "\"size\":10.5,\"emphasis\":";
        const QByteArray expected = "[\n{\"op\":\"line\",\"page\":1,\"x1\":12,\"y1\":12,\"x2\":167,\"y2\":30,"
                                    "\"box\":true,\"color\":6},\n"
                                    "{\"op\":\"text\",\"page\":1,\"x\":147.8125,\"y\":9"
            + font
            + "false,\"text\":\"a\\\"b\\\\c\\r\\n\\u0001\",\"lineEnd\":false},\n"
              "{\"op\":\"text\",\"page\":1,\"x\":162.25,\"y\":9"
            + font
            + "false,\"text\":\"d\",\"lineEnd\":false},\n{\"op\":\"newPage\"},\n"
              "{\"op\":\"text\",\"page\":2,\"x\":0,\"y\":0"
            + font
            + "true,\"text\":\"\xe3\x81\x82\",\"lineEnd\":true},\n{\"op\":\"endDoc\"},\n{\"op\":\"killDoc\"}"
              "\n]\n";
        QCOMPARE(TraceJson(s.log()), expected);
        QCOMPARE(TraceJson(inner.log()), expected);
        QCOMPARE(s.log().pagesDelivered(), 0); // a discarded document delivers none
    }
};

QTEST_GUILESS_MAIN(TestPlacing)
#include "tst_placing.moc"
