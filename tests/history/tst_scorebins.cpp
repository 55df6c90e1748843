// SPDX-License-Identifier: GPL-3.0-or-later
// The chart's bins: whole points up to the full score of the runs counted.
#include "history/ScoreBins.h"

#include "support/Fixtures.h"

using namespace sorario::test;

namespace {

const SheetTally Quiz {.runId = 1, .questions = 10, .right = 3, .setPoints = 40}; // 4 points set on each
const SheetTally Test {.runId = 2, .questions = 4, .right = 2}; // the default 100

} // namespace

class TestScoreBins : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bins_data()
    {
        QTest::addColumn<QList<SheetTally>>("sheets");
        QTest::addColumn<QString>("bins");
        QTest::addRow("a 40-point quiz: to 40")
            << QList {Quiz} << u"0–4 5–9 10–14 15–19 20–24 25–29 30–34 35–40"_s;
        QTest::addRow("beside a 100-point test: to 100")
            << QList {Quiz, Test} << u"0–9 10–19 20–29 30–39 40–49 50–59 60–69 70–79 80–89 90–100"_s;
    }
    void bins()
    {
        QFETCH(QList<SheetTally>, sheets);
        QFETCH(QString, bins);
        QCOMPARE(ScoresChart({{u"2B"_s, Analyse(sheets, {}).scores}}).categories.join(u' '), bins);
    }
};

QTEST_GUILESS_MAIN(TestScoreBins)
#include "tst_scorebins.moc"
