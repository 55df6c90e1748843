#include "print/FixedMetrics.h"
#include "print/RecordingSurface.h"
#include "print/TraceJson.h"
#include "print/TracingSurface.h"

#include <QTest>

using namespace sorario;

class TestSurfaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixedWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("size");
        QTest::addColumn<bool>("emphasis");
        QTest::addColumn<double>("width");

        QTest::newRow("ascii") << QStringLiteral("ab") << 10.0 << false << 3.4375;
        QTest::newRow("kana") << QStringLiteral("あ") << 10.0 << false << 3.4375;
        QTest::newRow("below U+1100") << QString(QChar(0x10FF)) << 32.0 << false << 5.5;
        QTest::newRow("U+1100") << QString(QChar(0x1100)) << 32.0 << false << 11.0;
        QTest::newRow("half-width katakana") << QStringLiteral("ｱﾟ") << 32.0 << false << 11.0;
        QTest::newRow("after half-width katakana") << QString(QChar(0xFFA0)) << 32.0 << false << 11.0;
        QTest::newRow("before half-width katakana") << QString(QChar(0xFF60)) << 32.0 << false << 11.0;
        QTest::newRow("supplementary counts once") << QStringLiteral("𠀋") << 32.0 << false << 11.0;
        QTest::newRow("emphasis") << QStringLiteral("aあ") << 32.0 << true << 16.5 * 9 / 8;
        QTest::newRow("empty") << QString() << 10.0 << true << 0.0;
    }
    void fixedWidth()
    {
        QFETCH(QString, text);
        QFETCH(double, size);
        QFETCH(bool, emphasis);
        QFETCH(double, width);
        QCOMPARE(FixedTextWidth(text, size, emphasis), width);
    }

    void longTextsSumExactly()
    {
        // 1000 wide characters at 10 points: 3437.5 exactly, no drift.
        QCOMPARE(FixedTextWidth(QString(1000, QChar(u'あ')), 10, false), 3437.5);
        QCOMPARE(FixedTextHeight(12), 4.5);
    }

    void printMovesPosition()
    {
        RecordingSurface s;
        s.setFontSize(10);
        s.setCurrentX(10);
        s.setCurrentY(35);
        s.print(QStringLiteral("ab"), false);
        QCOMPARE(s.currentX(), 13.4375);
        s.print(QStringLiteral("c"), true);
        QCOMPARE(s.currentX(), 0.0);
        QCOMPARE(s.currentY(), 38.75);
        const auto texts = s.log().texts();
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts[1].x, 13.4375);
        QCOMPARE(texts[1].y, 35.0);
    }

    void traceJson()
    {
        RecordingSurface s;
        s.setFontName(QStringLiteral("ＭＳ ゴシック"));
        s.setFontSize(10.5);
        s.line(12, 12, 167, 30, true, 6); // moves the position to (167, 30)
        s.setCurrentX(147.8125);
        s.setCurrentY(9);
        s.print(QStringLiteral("a\"b\\c\r\n\x01"), false);
        s.newPage();
        s.setFontEmphasis(true);
        s.print(QStringLiteral("あ"), true);
        s.endDoc();
        s.killDoc();
        const QByteArray expected =
            "[\n"
            "{\"op\":\"line\",\"page\":1,\"x1\":12,\"y1\":12,\"x2\":167,\"y2\":30,\"box\":true,\"color\":6},\n"
            "{\"op\":\"text\",\"page\":1,\"x\":147.8125,\"y\":9,\"font\":\"\xef\xbc\xad\xef\xbc\xb3 "
            "\xe3\x82\xb4\xe3\x82\xb7\xe3\x83\x83\xe3\x82\xaf\",\"size\":10.5,\"emphasis\":false,"
            "\"text\":\"a\\\"b\\\\c\\r\\n\\u0001\",\"lineEnd\":false},\n"
            "{\"op\":\"newPage\"},\n"
            "{\"op\":\"text\",\"page\":2,\"x\":0,\"y\":0,\"font\":\"\xef\xbc\xad\xef\xbc\xb3 "
            "\xe3\x82\xb4\xe3\x82\xb7\xe3\x83\x83\xe3\x82\xaf\",\"size\":10.5,\"emphasis\":true,"
            "\"text\":\"\xe3\x81\x82\",\"lineEnd\":true},\n"
            "{\"op\":\"endDoc\"},\n"
            "{\"op\":\"killDoc\"}\n"
            "]\n";
        QCOMPARE(TraceJson(s.log()), expected);
    }

    void emptyTrace() { QCOMPARE(TraceJson(PrintLog{}), QByteArray("[\n]\n")); }

    void tracerLogsWhatTheInnerSurfaceReceived()
    {
        RecordingSurface inner;
        TracingSurface tracer(inner);
        auto drive = [](PrintSurface &s) {
            s.setFontName(QStringLiteral("F"));
            s.setFontSize(12);
            s.setCurrentX(20);
            s.setCurrentY(24);
            s.print(QStringLiteral("abc"), false);
            s.print(QStringLiteral("def"), true); // continues where the first ended
            s.line(1, 2, 3, 4, false, 0);
            s.newPage();
            s.setFontEmphasis(true);
            s.print(QStringLiteral("g"), false);
            s.endDoc();
        };
        drive(tracer);
        QCOMPARE(TraceJson(tracer.log()), TraceJson(inner.log()));
        QCOMPARE(tracer.log().pagesDelivered(), 2);
        QCOMPARE(tracer.log().texts()[1].x, 20 + 3 * 12 * 11.0 / 64);
    }

    void requestedFailure()
    {
        RecordingSurface s;
        s.failAtOperation(2);
        s.print(QStringLiteral("a"), false);
        QVERIFY_THROWS_EXCEPTION(PrintFailure, s.print(QStringLiteral("b"), false));
        s.killDoc(); // discarding never fails
        QCOMPARE(s.log().operations().size(), 2);
        QCOMPARE(s.log().pagesDelivered(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSurfaces)
#include "tst_surfaces.moc"
