#include "bank/EncodedLines.h"
#include "platform/Cp932.h"
#include "shared/Module1.h"

#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace sorario;

namespace {

struct Decoded
{
    bool failed = false;
    int count = 0;
    QStringList pieces;
};

Decoded decode(Module1 &m, const QString &payload)
{
    m.EncodedText = payload;
    DecodeEncodedLines(m);
    Decoded d{m.DecodeFailed, m.DecodedLineCount, {}};
    for (int i = 1; i <= std::min(d.count + 1, MaxFileLines); ++i)
        d.pieces << m.FileLines(i);
    return d;
}

// Every symbol of the table, the hexadecimal digits in both cases, and characters
// that are neither.
const QString PayloadAlphabet = QStringLiteral("　:◇・■?~^/\\+- *ｱ]0123456789ABCDEFabcdefGzあ\r");

QString randomPayload(QRandomGenerator &rng, int length)
{
    QString s;
    for (int i = 0; i < length; ++i)
        s.append(PayloadAlphabet[rng.bounded(PayloadAlphabet.size())]);
    return s;
}

} // namespace

class TestEncodedLines : public QObject
{
    Q_OBJECT

    std::unique_ptr<Module1> m = std::make_unique<Module1>();

private Q_SLOTS:
    void decoding_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::addColumn<bool>("failed");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("pieces");

        const QStringList a{QStringLiteral("A"), QString()};
        QTest::newRow("plain digits") << QStringLiteral("0041000D000A") << false << 1 << a;
        QTest::newRow("blanks for zeros") << QStringLiteral("  41   D   A") << false << 1 << a;
        QTest::newRow("~ is 006") << QStringLiteral("~1000D000A") << false << 1 << QStringList{QStringLiteral("a"), QString()};
        QTest::newRow("* is 82") << QStringLiteral("*A0000D000A") << false << 1 << QStringList{QStringLiteral("あ"), QString()};
        QTest::newRow("] is 83") << QStringLiteral("]41000D000A") << false << 1 << QStringList{QStringLiteral("ア"), QString()};
        QTest::newRow("no final line end") << QStringLiteral("0041") << false << 0 << QStringList{QStringLiteral("A")};
        QTest::newRow("empty") << QString() << false << -1 << QStringList();
        QTest::newRow("leftovers only") << QStringLiteral("00") << false << -1 << QStringList();
        QTest::newRow("lower case") << QStringLiteral("82a0") << false << 0 << QStringList{QStringLiteral("あ")};
        // Digits after the last group of four: one or two are dropped, three are a character.
        QTest::newRow("one leftover dropped") << QStringLiteral("00410") << false << 0 << QStringList{QStringLiteral("A")};
        QTest::newRow("two leftovers dropped") << QStringLiteral("004100") << false << 0 << QStringList{QStringLiteral("A")};
        QTest::newRow("bad leftover dropped") << QStringLiteral("0041G") << false << 0 << QStringList{QStringLiteral("A")};
        QTest::newRow("three-digit last group") << QStringLiteral("0041041") << false << 0 << QStringList{QStringLiteral("AA")};
        QTest::newRow("other symbols")
            << QStringLiteral("/1\\0^A-?ｱ0+0-　-:-◇-・-■") << false << 0
            << QStringList{QStringLiteral("APz/\u3000～*+,-.")};
        QTest::newRow("lone CR and LF stay in the line")
            << QStringLiteral("0041000D0042000A0043000D000A") << false << 1 << QStringList{QStringLiteral("A\rB\nC"), QString()};
        QTest::newRow("empty lines") << QStringLiteral("000D000A000D000A") << false << 2 << QStringList{QString(), QString(), QString()};
        QTest::newRow("not hexadecimal") << QStringLiteral("00G1000D000A") << true << -1 << QStringList();
        QTest::newRow("lone lead byte") << QStringLiteral("0081") << true << -1 << QStringList();
        QTest::newRow("no such double-byte code") << QStringLiteral("85A0") << true << -1 << QStringList();
        QTest::newRow("three digits, no character") << QStringLiteral("0041FFF") << true << -1 << QStringList();
        QTest::newRow("three bad digits") << QStringLiteral("0041GGG") << true << -1 << QStringList();
    }

    void decoding()
    {
        QFETCH(QString, payload);
        const Decoded d = decode(*m, payload);
        QTEST(d.failed, "failed");
        QTEST(d.count, "count");
        QTEST(d.pieces, "pieces");
        QCOMPARE(m->EncodedText, payload);
    }

    // The decoder maps symbols in one scan; it must agree with the sixteen
    // replacements applied in turn, symbols next to symbols and digits included.
    void oneScanEqualsReplacementsInTurn_data()
    {
        QTest::addColumn<QString>("payload");
        QTest::newRow("backslashes") << QStringLiteral("\\\\\\\\\\\\");
        QTest::newRow("symbols that expand to digits") << QStringLiteral("~^/\\+-*ｱ]~^/\\+-*ｱ]");
        QTest::newRow("letter symbols") << QStringLiteral("*　*:*◇*・*■*?");
        QTest::newRow("mixed with digits") << QStringLiteral("-0 1+A*A0]41  D  A");
        QRandomGenerator rng(20240611);
        for (int i = 0; i < 300; ++i)
            QTest::addRow("random %d", i) << randomPayload(rng, 1 + rng.bounded(40));
    }

    void oneScanEqualsReplacementsInTurn()
    {
        QFETCH(QString, payload);
        const QString expanded = ExpandSymbolsStepwise(payload);
        const Decoded fast = decode(*m, payload);
        const Decoded reference = decode(*m, expanded);
        QCOMPARE(fast.failed, reference.failed);
        QCOMPARE(fast.count, reference.count);
        QCOMPARE(fast.pieces, reference.pieces);
    }

    // Every character one by one is below; these are the lines around them.
    void encodeDecodesBack_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected"); // what comes back

        const QStringList ascii{QStringLiteral("He is a boy. ~^/\\+-*]: ?"), QString(), QStringLiteral("\\\\\\")};
        QTest::newRow("lines, empty lines and marks") << ascii << ascii;
        QTest::newRow("no lines") << QStringList() << QStringList();
        QTest::newRow("unmappable as ?") << QStringList{QStringLiteral("é😀x")} << QStringList{QStringLiteral("??x")};
        QTest::newRow("shared code") << QStringList{QStringLiteral("¥¬")} << QStringList{QStringLiteral("\\￢")};
    }

    void encodeDecodesBack()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        const QString payload = EncodeLines(lines);
        QVERIFY(!payload.contains(u'\r') && !payload.contains(u'\n'));
        const Decoded d = decode(*m, payload);
        QVERIFY(!d.failed);
        QCOMPARE(d.count, lines.isEmpty() ? -1 : int(lines.size()));
        QCOMPARE(d.pieces, lines.isEmpty() ? QStringList() : expected + QStringList{QString()});
    }

    void encodeDecodesEveryCharacter()
    {
        QString all;
        for (unsigned code = 0; code < 0x10000; ++code)
            if (const auto c = cp932Character(code); c && *c != u'\r' && *c != u'\n')
                all.append(*c);
        const Decoded d = decode(*m, EncodeText(all));
        QVERIFY(!d.failed);
        QCOMPARE(d.pieces, QStringList{all});
    }
};

QTEST_GUILESS_MAIN(TestEncodedLines)
#include "tst_EncodedLines.moc"
