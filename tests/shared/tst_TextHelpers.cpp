// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/TextHelpers.h"

#include "support/Rows.h"

#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

const struct LeadingNumberRow
{
    const char *name;
    QString text;
    double value;
} leadingNumberRows[] = {
    {.name = "a digit", .text = u"4"_s, .value = 4},
    {.name = "after blanks and a tab", .text = u" \t7"_s, .value = 7},
    {.name = "a decimal before a word", .text = u"2.5部"_s, .value = 2.5},
    {.name = "minus", .text = u"-3"_s, .value = -3},
    {.name = "plus", .text = u"+2"_s, .value = 2},
    {.name = "no digit before the point", .text = u".5"_s, .value = 0.5},
    {.name = "a second point ends it", .text = u"1.2.3"_s, .value = 1.2},
    {.name = "no number", .text = u"abc"_s, .value = 0},
    {.name = "a sign alone", .text = u"-"_s, .value = 0},
    {.name = "a point alone", .text = u"."_s, .value = 0},
    {.name = "full-width digits", .text = u"１２"_s, .value = 0},
    {.name = "no exponent", .text = u"1e5"_s, .value = 1},
    {.name = "301 digits", .text = u"1"_s + QString(300, u'0'), .value = 1e300},
};

const struct RoundRow
{
    const char *name;
    double value;
    qint64 rounded;
} roundRows[] = {
    {.name = "2.5 to even", .value = 2.5, .rounded = 2},
    {.name = "3.5 to even", .value = 3.5, .rounded = 4},
    {.name = "0.5 to even", .value = 0.5, .rounded = 0},
    {.name = "-2.5 to even", .value = -2.5, .rounded = -2},
    {.name = "-1.5 to even", .value = -1.5, .rounded = -2},
    {.name = "below a half", .value = 1.4999, .rounded = 1},
    {.name = "above a half", .value = 2.5001, .rounded = 3},
};

} // namespace

class TestTextHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void leadingNumber_data() { addRows(leadingNumberRows); }
    void leadingNumber()
    {
        QFETCH(int, row);
        QCOMPARE(LeadingNumber(leadingNumberRows[row].text), leadingNumberRows[row].value);
    }

    void roundHalfEven_data() { addRows(roundRows); }
    void roundHalfEven()
    {
        QFETCH(int, row);
        QCOMPARE(qint64(RoundHalfEven(roundRows[row].value)), roundRows[row].rounded);
    }
};

QTEST_GUILESS_MAIN(TestTextHelpers)
#include "tst_TextHelpers.moc"
