// SPDX-License-Identifier: GPL-3.0-or-later
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
        QTest::newRow("digits") << QStringLiteral("4") << 4.0;
        QTest::newRow("blanks and tab first") << QStringLiteral(" \t7") << 7.0;
        QTest::newRow("followed by a word") << QStringLiteral("2.5部") << 2.5;
        QTest::newRow("minus") << QStringLiteral("-3") << -3.0;
        QTest::newRow("plus") << QStringLiteral("+2") << 2.0;
        QTest::newRow("point first") << QStringLiteral(".5") << 0.5;
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
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_TextHelpers.moc"
