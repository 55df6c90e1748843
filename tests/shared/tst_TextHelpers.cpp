// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/TextHelpers.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;

class TestTextHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber()
    {
        const std::pair<QString, double> rows[] = {{u"4"_s, 4}, {u" \t7"_s, 7}, {u"2.5部"_s, 2.5},
            {u"-3"_s, -3}, {u"+2"_s, 2}, {u".5"_s, 0.5}, {u"1.2.3"_s, 1.2}, {u"abc"_s, 0}, {u"-"_s, 0},
            {u"."_s, 0}, {u"１２"_s, 0}, {u"1e5"_s, 1}, {u"1"_s + QString(300, u'0'), 1e300}};
        for (const auto &[text, value] : rows)
            QCOMPARE(LeadingNumber(text), value);
    }

    void roundHalfEven()
    {
        const std::pair<double, qint64> rows[]
            = {{2.5, 2}, {3.5, 4}, {0.5, 0}, {-2.5, -2}, {-1.5, -2}, {1.4999, 1}, {2.5001, 3}};
        for (const auto &[value, rounded] : rows)
            QCOMPARE(qint64(RoundHalfEven(value)), rounded);
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_TextHelpers.moc"
