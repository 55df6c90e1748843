// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/FixedMetrics.h"
#include "print/RecordingSurface.h"
#include "print/TraceJson.h"
#include "print/TracingSurface.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;

class TestSurfaces : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fixedWidth_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("emphasis");
        QTest::addColumn<double>("width"); // at 32 points

        QTest::newRow("below U+1100") << QString(QChar(0x10FF)) << false << 5.5;
        QTest::newRow("U+1100") << QString(QChar(0x1100)) << false << 11.0;
        QTest::newRow("half-width katakana") << u"ｱﾟ"_s << false << 11.0;
        QTest::newRow("after half-width katakana") << QString(QChar(0xFFA0)) << false << 11.0;
        QTest::newRow("supplementary counts once") << u"𠀋"_s << false << 11.0;
        QTest::newRow("emphasis") << u"aあ"_s << true << 16.5 * 9 / 8;
        // 1000 wide characters: exactly 11000, no drift in the sum.
        QTest::newRow("long") << QString(1000, QChar(u'あ')) << false << 11000.0;
    }
    void fixedWidth()
    {
        QFETCH(QString, text);
        QFETCH(bool, emphasis);
        QTEST(FixedTextWidth(text, 32, emphasis), "width");
    }

    void traceJson()
    {
        RecordingSurface s;
        s.setFontName(u"ＭＳ ゴシック"_s);
        s.setFontSize(10.5);
        s.line(12, 12, 167, 30, true, 6); // moves the position to (167, 30)
        s.setCurrentX(147.8125);
        s.setCurrentY(9);
        s.print(u"a\"b\\c\r\n\x01"_s, false);
        s.newPage();
        s.setFontEmphasis(true);
        s.print(u"あ"_s, true);
        s.endDoc();
        s.killDoc();
        const QByteArray expected
            = "[\n"
              "{\"op\":\"line\",\"page\":1,\"x1\":12,\"y1\":12,\"x2\":167,\"y2\":30,\"box\":true,\"color\":6}"
              ",\n"
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

    // The tracer logs what reached the inner surface, continued positions included.
    void tracerLogsWhatTheInnerSurfaceReceived()
    {
        RecordingSurface inner;
        TracingSurface tracer(inner);
        tracer.setFontName(u"F"_s);
        tracer.setFontSize(12);
        tracer.setCurrentX(20);
        tracer.print(u"abc"_s, false);
        tracer.print(u"def"_s, true);
        tracer.line(1, 2, 3, 4, false, 0);
        tracer.newPage();
        tracer.setFontEmphasis(true);
        tracer.print(u"g"_s, false);
        tracer.endDoc();
        QCOMPARE(TraceJson(tracer.log()), TraceJson(inner.log()));
        QCOMPARE(tracer.log().pagesDelivered(), 2);
        QCOMPARE(tracer.log().texts()[1].x, 20 + 3 * 12 * 11.0 / 64);
    }
};

QTEST_GUILESS_MAIN(TestSurfaces)
#include "tst_surfaces.moc"
