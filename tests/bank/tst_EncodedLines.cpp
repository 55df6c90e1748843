// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/EncodedLines.h"
#include "platform/Cp932.h"
#include "shared/Module1.h"

#include <QTest>

#include <memory>

using namespace sorario;
using namespace Qt::StringLiterals;

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
    Decoded d {m.DecodeFailed, m.DecodedLineCount, {}};
    for (int i = 1; i <= std::min(d.count + 1, MaxFileLines); ++i)
        d.pieces << m.FileLines(i);
    return d;
}

// The faulty groups as "group@offset digits", N for one that is no hexadecimal number.
QStringList faults(const DecodedPayload &d)
{
    QStringList out;
    for (const GroupFault &g : d.faults)
        out << u"%1@%2 %3%4"_s.arg(g.group).arg(g.offset).arg(
            g.digits, g.kind == GroupFault::Kind::NotHexadecimal ? u" N"_s : QString());
    if (d.faultCount > d.faults.size())
        out << u"+%1"_s.arg(d.faultCount - d.faults.size());
    return out;
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
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("pieces");
        QTest::addColumn<QStringList>("faults");

        const QStringList a {QStringLiteral("A"), QString()};
        QTest::newRow("plain digits") << QStringLiteral("0041000D000A") << 1 << a << QStringList();
        QTest::newRow("blanks for zeros") << QStringLiteral("  41   D   A") << 1 << a << QStringList();
        QTest::newRow("~ is 006") << QStringLiteral("~1000D000A") << 1
                                  << QStringList {QStringLiteral("a"), QString()} << QStringList();
        QTest::newRow("* is 82") << QStringLiteral("*A0000D000A") << 1
                                 << QStringList {QStringLiteral("あ"), QString()} << QStringList();
        QTest::newRow("] is 83") << QStringLiteral("]41000D000A") << 1
                                 << QStringList {QStringLiteral("ア"), QString()} << QStringList();
        QTest::newRow("no final line end")
            << QStringLiteral("0041") << 0 << QStringList {QStringLiteral("A")} << QStringList();
        QTest::newRow("empty") << QString() << -1 << QStringList() << QStringList();
        QTest::newRow("leftovers only") << QStringLiteral("00") << -1 << QStringList() << QStringList();
        // Digits after the last group of four: one or two are dropped, three are a character.
        QTest::newRow("one leftover dropped")
            << QStringLiteral("00410") << 0 << QStringList {QStringLiteral("A")} << QStringList();
        QTest::newRow("two leftovers dropped")
            << QStringLiteral("004100") << 0 << QStringList {QStringLiteral("A")} << QStringList();
        QTest::newRow("three-digit last group")
            << QStringLiteral("0041041") << 0 << QStringList {QStringLiteral("AA")} << QStringList();
        QTest::newRow("other symbols") << QStringLiteral("/1\\0^A-?ｱ0+0-　-:-◇-・-■") << 0
                                       << QStringList {QStringLiteral("APz/\u3000～*+,-.")} << QStringList();
        QTest::newRow("lone CR and LF stay in the line")
            << QStringLiteral("0041000D0042000A0043000D000A") << 1
            << QStringList {QStringLiteral("A\rB\nC"), QString()} << QStringList();
        QTest::newRow("not hexadecimal")
            << QStringLiteral("00G1000D000A") << -1 << QStringList() << QStringList {u"1@0 00G1 N"_s};
        QTest::newRow("lone lead byte")
            << QStringLiteral("0081") << -1 << QStringList() << QStringList {u"1@0 0081"_s};
        QTest::newRow("no such double-byte code")
            << QStringLiteral("85A0") << -1 << QStringList() << QStringList {u"1@0 85A0"_s};
        QTest::newRow("three digits, no character")
            << QStringLiteral("0041FFF") << -1 << QStringList() << QStringList {u"2@4 FFF"_s};
        // A group is placed at the character giving its first digit, a symbol's included.
        QTest::newRow("a symbol across two groups")
            << u"004+G"_s << -1 << QStringList() << QStringList {u"2@3 16G N"_s};
        QTest::newRow("noise: the first three and how many more")
            << u"G"_s.repeated(24) << -1 << QStringList()
            << QStringList {u"1@0 GGGG N"_s, u"2@4 GGGG N"_s, u"3@8 GGGG N"_s, u"+3"_s};
    }

    void decoding()
    {
        QFETCH(QString, payload);
        QFETCH(QStringList, faults);
        QTEST(::faults(DecodePayload(payload)), "faults");
        const Decoded d = decode(*m, payload);
        QCOMPARE(d.failed, !faults.isEmpty());
        QTEST(d.count, "count");
        QTEST(d.pieces, "pieces");
        QCOMPARE(m->EncodedText, payload);
    }

    // Every character one by one is below; these are the lines around them.
    void encodeDecodesBack_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected"); // what comes back

        const QStringList ascii {
            QStringLiteral("He is a boy. ~^/\\+-*]: ?"), QString(), QStringLiteral("\\\\\\")};
        QTest::newRow("lines, empty lines and marks") << ascii << ascii;
        QTest::newRow("unmappable as ?")
            << QStringList {QStringLiteral("é😀x")} << QStringList {QStringLiteral("??x")};
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
        QCOMPARE(d.pieces, lines.isEmpty() ? QStringList() : expected + QStringList {QString()});
    }

    void encodeDecodesEveryCharacter()
    {
        QString all;
        for (unsigned code = 0; code < 0x10000; ++code)
            if (const auto c = cp932Character(code); c && *c != u'\r' && *c != u'\n')
                all.append(*c);
        const Decoded d = decode(*m, EncodeText(all));
        QVERIFY(!d.failed);
        QCOMPARE(d.pieces, QStringList {all});
    }
};

QTEST_GUILESS_MAIN(TestEncodedLines)
#include "tst_EncodedLines.moc"
