// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cp932.h"

#include <QTest>

using namespace sorario;

class TestCp932 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("badCount");
        QTest::addColumn<int>("firstBad");

        QTest::newRow("empty") << QByteArray() << QString() << 0 << -1;
        QTest::newRow("0x5C and 0x7E are backslash and tilde")
            << QByteArray("\x5C\x7E") << QStringLiteral("\\~") << 0 << -1;
        QTest::newRow("hiragana") << QByteArray("\x82\xA0") << QStringLiteral("あ") << 0 << -1;
        QTest::newRow("0x5C as trail byte") << QByteArray("\x95\x5C") << QStringLiteral("表") << 0 << -1;
        QTest::newRow("half-width katakana") << QByteArray("\xB1\xDE") << QStringLiteral("ｱﾞ") << 0 << -1;
        QTest::newRow("last lead bytes of each range")
            << QByteArray("\x9F\x40\xFC\x40") << QStringLiteral("\u6A97\u9ADC") << 0 << -1;
        QTest::newRow("NEC row 13") << QByteArray("\x87\x40\x87\x90") << QStringLiteral("①≒") << 0 << -1;
        QTest::newRow("NEC-selected IBM row") << QByteArray("\xED\x40") << QStringLiteral("纊") << 0 << -1;
        QTest::newRow("IBM row") << QByteArray("\xFA\x40\xFA\x5C") << QStringLiteral("ⅰ纊") << 0 << -1;
        QTest::newRow("cut lead byte at the end")
            << QByteArray("A\x82") << QStringLiteral("A\uFFFD") << 1 << 1;
        QTest::newRow("bad trail byte read again") << QByteArray("\x82\x20"
                                                                 "A")
                                                   << QStringLiteral("\uFFFD A") << 1 << 0;
        QTest::newRow("lead byte before CR LF")
            << QByteArray("x\x82\r\ny") << QStringLiteral("x\uFFFD\r\ny") << 1 << 1;
        QTest::newRow("bytes that are no character") << QByteArray("a\x80"
                                                                   "b\xFF\xFD"
                                                                   "c")
                                                     << QStringLiteral("a\uFFFDb\uFFFD\uFFFDc") << 3 << 1;
    }

    void decode()
    {
        QFETCH(QByteArray, bytes);
        const Cp932Decoded d = decodeCp932(bytes);
        QTEST(d.text, "text");
        QTEST(int(d.badCount), "badCount");
        QTEST(int(d.firstBadOffset), "firstBad");
    }

    void encode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("unmappable");

        QTest::newRow("backslash and tilde") << QStringLiteral("\\~") << QByteArray("\x5C\x7E") << 0;
        QTest::newRow("Japanese") << QStringLiteral("あ表ｱ") << QByteArray("\x82\xA0\x95\x5C\xB1") << 0;
        QTest::newRow("NEC row") << QStringLiteral("①") << QByteArray("\x87\x40") << 0;
        QTest::newRow("IBM form of a shared kanji") << QStringLiteral("纊") << QByteArray("\xFA\x5C") << 0;
        QTest::newRow("no code-page form; a surrogate pair is one ?")
            << QStringLiteral("aé😀b") << QByteArray("a??b") << 2;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << QByteArray("?") << 1;
    }

    void encode()
    {
        QFETCH(QString, text);
        const Cp932Encoded e = encodeCp932(text);
        QTEST(e.bytes, "bytes");
        QTEST(int(e.unmappable), "unmappable");
    }

    // Every character the code page has comes back from its code as itself.
    void everyCharacterRoundTrips()
    {
        int characters = 0;
        for (unsigned code = 0; code < 0x10000; ++code) {
            const std::optional<QChar> c = cp932Character(code);
            if (!c)
                continue;
            ++characters;
            const std::optional<unsigned> back = cp932Code(*c);
            QVERIFY2(back && cp932Character(*back) == c, qPrintable(QString::number(code, 16)));
        }
        QVERIFY(characters > 9000);
        QVERIFY(!cp932Character(0x81)); // a lead byte alone
        QVERIFY(!cp932Character(0x8220)); // trail byte out of range
        QVERIFY(!cp932Character(0x10000));
    }
};

QTEST_GUILESS_MAIN(TestCp932)
#include "tst_Cp932.moc"
