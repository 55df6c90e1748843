#include "shared/TextHelpers.h"

#include <QTest>

using namespace sorario;

class TestTextHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << QString() << 0.0;
        QTest::newRow("digits") << QStringLiteral("4") << 4.0;
        QTest::newRow("blanks and tab first") << QStringLiteral(" \t7") << 7.0;
        QTest::newRow("followed by a word") << QStringLiteral("2.5部") << 2.5;
        QTest::newRow("minus") << QStringLiteral("-3") << -3.0;
        QTest::newRow("plus") << QStringLiteral("+2") << 2.0;
        QTest::newRow("point first") << QStringLiteral(".5") << 0.5;
        QTest::newRow("point last") << QStringLiteral("5.") << 5.0;
        QTest::newRow("second point ends it") << QStringLiteral("1.2.3") << 1.2;
        QTest::newRow("word") << QStringLiteral("abc") << 0.0;
        QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
        QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
        QTest::newRow("full-width digits") << QStringLiteral("１２") << 0.0;
        QTest::newRow("no exponent") << QStringLiteral("1e5") << 1.0;
        QTest::newRow("huge") << QStringLiteral("1") + QString(300, u'0') << 1e300;
    }

    void leadingNumber()
    {
        QFETCH(QString, text);
        QTEST(LeadingNumber(text), "value");
    }

    void roundHalfEven_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("2.5") << 2.5 << qint64(2);
        QTest::newRow("3.5") << 3.5 << qint64(4);
        QTest::newRow("4.5") << 4.5 << qint64(4);
        QTest::newRow("0.5") << 0.5 << qint64(0);
        QTest::newRow("-2.5") << -2.5 << qint64(-2);
        QTest::newRow("-1.5") << -1.5 << qint64(-2);
        QTest::newRow("below half") << 1.4999 << qint64(1);
        QTest::newRow("above half") << 2.5001 << qint64(3);
    }

    void roundHalfEven()
    {
        QFETCH(double, value);
        QTEST(qint64(RoundHalfEven(value)), "rounded");
    }

    void numberText_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << QStringLiteral(" 0");
        QTest::newRow("positive") << qint64(12) << QStringLiteral(" 12");
        QTest::newRow("negative") << qint64(-5) << QStringLiteral("-5");
    }

    void numberText()
    {
        QFETCH(qint64, value);
        QTEST(NumberText(value), "text");
    }

    void fullWidthDigits()
    {
        QCOMPARE(FullWidthDigits(u"12"), QStringLiteral("１２"));
        QCOMPARE(FullWidthDigits(u"a0-9 "), QStringLiteral("a０-９ "));
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_TextHelpers.moc"
