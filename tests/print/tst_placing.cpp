// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintTestSupport.h"

#include "print/QuestionText.h"
#include "print/TextPlacer.h"

#include <QRandomGenerator>
#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
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

// A placed piece as "text|x,y" with "|E" for emphasis and "|end" for a line end.
QStringList placeOnce(const QString &text, RecordingSurface &s)
{
    auto m = moduleWith({});
    SetPrintMetrics(*m, s);
    TextPlacer placer(*m, s, PlacingRules {});
    placer.startAfresh();
    placer.place(text);
    QStringList out;
    for (const PrintOperation &op : s.log().texts())
        out.append(u"%1|%2,%3%4%5"_s.arg(op.text).arg(op.x).arg(op.y).arg(
            op.emphasis ? u"|E"_s : QString(), op.lineEnd ? u"|end"_s : QString()));
    return out;
}

QStringList placeOnce(const QString &text)
{
    RecordingSurface s;
    return placeOnce(text, s);
}

} // namespace

Q_DECLARE_METATYPE(sorario::HintLines)

class TestPlacing : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void numberLabel_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("label");
        QTest::newRow("99") << 99 << u"(99)"_s;
        QTest::newRow("1000 keeps every digit") << 1000 << u"(1000)"_s;
    }
    void numberLabel()
    {
        QFETCH(int, n);
        QTEST(NumberLabel(n), "label");
    }

    void composition_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<HintLines>("rule");
        QTest::addColumn<QString>("expected");
        const QString q = u"( 5) Go."_s + Crlf;
        const QString rule = Crlf + u"　 ──"_s;
        const QString hintLine = u"　 〔go〕"_s + Crlf;
        QTest::newRow("1 hint") << 1 << u"go"_s << HintLines::Printed << q + hintLine + rule;
        QTest::newRow("1 none") << 1 << QString() << HintLines::Printed << q + rule;
        QTest::newRow("2 hint") << 2 << u"go"_s << HintLines::Printed << q + hintLine;
        QTest::newRow("2 ** measured") << 2 << u"**"_s << HintLines::Measured << q;
        QTest::newRow("2 * printed") << 2 << u"*"_s << HintLines::Printed << q;
        QTest::newRow("2 * measured") << 2 << u"*"_s << HintLines::Measured << q + u"　 〔*〕"_s + Crlf;
    }
    void composition()
    {
        QFETCH(int, layout);
        QFETCH(QString, hint);
        QFETCH(HintLines, rule);
        QTEST(ComposeQuestion({u"Go."_s, hint, QString()}, 5, layout, u"──"_s, rule), "expected");
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
        const int lines = int(placeOnce(QString(4500, QChar(u'a')), s).size());
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
};

QTEST_GUILESS_MAIN(TestPlacing)
#include "tst_placing.moc"
