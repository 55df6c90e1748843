// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/EncodedLines.h"
#include "platform/Cp932.h"
#include "setup/BankProcedures.h"
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
    Decoded d {DecodePayload(payload).faultCount > 0, DecodeEncodedLines(m), {}};
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
    void decoding()
    {
        const struct
        {
            QString payload;
            int count;
            QStringList pieces;
            QStringList faults = {};
        } rows[] = {
            {u"004a000d000a"_s, 1, {u"J"_s, {}}}, // lower-case digits
            {u"  41   D   A"_s, 1, {u"A"_s, {}}}, // blanks for zeros
            {u"~1000D000A"_s, 1, {u"a"_s, {}}}, // ~ is 006
            {u"*A0000D000A"_s, 1, {u"あ"_s, {}}}, // * is 82
            {u"]41000D000A"_s, 1, {u"ア"_s, {}}}, // ] is 83
            {u"0041"_s, 0, {u"A"_s}}, // no final line end
            {QString(), -1, {}},
            {u"00"_s, -1, {}},
            // Digits after the last group of four: one or two are dropped, three are a character.
            {u"00410"_s, 0, {u"A"_s}},
            {u"004100"_s, 0, {u"A"_s}},
            {u"0041041"_s, 0, {u"AA"_s}},
            {u"/1\\0^A-?ｱ0+0-　-:-◇-・-■"_s, 0, {u"APz/\u3000～*+,-."_s}},
            {u"0041000D0042000A0043000D000A"_s, 1, {u"A\rB\nC"_s, {}}}, // lone CR and LF stay
            {u"00G1000D000A"_s, -1, {}, {u"1@0 00G1 N"_s}},
            {u"0081"_s, -1, {}, {u"1@0 0081"_s}}, // a lone lead byte
            {u"85A0"_s, -1, {}, {u"1@0 85A0"_s}}, // no such double-byte code
            {u"0041FFF"_s, -1, {}, {u"2@4 FFF"_s}},
            // A group is placed at the character giving its first digit, a symbol's included.
            {u"004+G"_s, -1, {}, {u"2@3 16G N"_s}},
            // Noise: the first three and how many more.
            {u"G"_s.repeated(24), -1, {}, {u"1@0 GGGG N"_s, u"2@4 GGGG N"_s, u"3@8 GGGG N"_s, u"+3"_s}},
        };
        for (const auto &row : rows) {
            QCOMPARE(faults(DecodePayload(row.payload)), row.faults);
            const Decoded d = decode(*m, row.payload);
            QCOMPARE(d.failed, !row.faults.isEmpty());
            QCOMPARE(d.count, row.count);
            QCOMPARE(d.pieces, row.pieces);
            QCOMPARE(m->EncodedText, row.payload);
        }
    }

    void encodeDecodesEveryCharacter()
    {
        // Runs of two or three digits are written as their symbols, single digits as digits.
        QCOMPARE(EncodeText(u"A 0"_s), u"/1-00030"_s);
        // A character the code page lacks is one "?", a surrogate pair too.
        QCOMPARE(decode(*m, EncodeText(u"é😀x"_s)).pieces, QStringList {u"??x"_s});
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
