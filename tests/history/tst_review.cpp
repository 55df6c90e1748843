// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Marks.h"
#include "history/ReviewRule.h"

#include "support/Fixtures.h"

using namespace sorario::test;

namespace {

// Each test a class sat: each word a question's key, then its marks on that test.
struct Review
{
    const char *name;
    QStringList tests;
    int count = 5;
    int wellPermille = 800;
    QString expected = {}; // the keys that come first, in order
};

const QString Well = u"a○○○○"_s;
const QString Other = u"x○"_s;

const Review Reviews[] = {
    {.name = "two marked tests: the wrong ones, weakest first",
        .tests = {u"a○○○○ b×○○○ c×××○"_s, u"d○○○○ e×××× f××○○ g△○○○"_s},
        .expected = u"ecfbg"_s},
    {.name = "no more than the count",
        .tests = {u"a×○○○ b××○○"_s, u"c××××"_s},
        .count = 2,
        .expected = u"cb"_s},
    {.name = "marked ○ twice: stops",
        .tests
        = QStringList {u"a××"_s, Well} + QStringList(2, Other) + QStringList {Well} + QStringList(7, Other)},
    {.name = "wrong again after it stopped: the next test",
        .tests = QStringList {u"a××"_s, Well} + QStringList(2, Other) + QStringList {Well, u"a×○"_s},
        .expected = u"a"_s},
    {.name = "75 % twice comes back at 80 %",
        .tests = QStringList {u"a××"_s, u"a○○○×"_s} + QStringList(2, Other) + QStringList {u"a○○○×"_s}
            + QStringList(7, Other),
        .expected = u"a"_s},
    {.name = "75 % twice stops at 70 %",
        .tests = QStringList {u"a××"_s, u"a○○○×"_s} + QStringList(2, Other) + QStringList {u"a○○○×"_s}
            + QStringList(7, Other),
        .wellPermille = 700},
    {.name = "gap 1: the next test", .tests = {u"a×"_s}, .expected = u"a"_s},
    {.name = "gap 3: not 2 tests on", .tests = {u"a××"_s, u"a×○"_s, Other}},
    {.name = "gap 3: 3 tests on",
        .tests = QStringList {u"a××"_s, u"a×○"_s} + QStringList(2, Other),
        .expected = u"a"_s},
    {.name = "gap 7: not 6 tests on",
        .tests = QStringList {u"a××"_s, u"a×○"_s, Other, Other, u"a×○"_s} + QStringList(5, Other)},
    {.name = "gap 7: 7 tests on",
        .tests = QStringList {u"a××"_s, u"a×○"_s, Other, Other, u"a×○"_s} + QStringList(6, Other),
        .expected = u"a"_s},
    {.name = "not in the pool", .tests = {u"z××"_s}},
};

QList<ReviewTest> testsOf(const QStringList &written)
{
    QList<ReviewTest> tests;
    for (const QString &test : written) {
        ReviewTest t;
        for (const QString &word : test.split(u' ')) {
            QuestionResult q;
            q.key = word.left(1);
            for (const QChar c : word.mid(1)) {
                const Mark mark = MarkOf(c).value_or(Mark::Unmarked);
                q.right += mark == Mark::Right;
                q.wrong += mark == Mark::Wrong;
                q.partial += mark == Mark::Partial;
            }
            t.questions.append(q);
        }
        tests.append(t);
    }
    return tests;
}

} // namespace

class TestReview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reviewSlots_data() { addRows(Reviews); }
    void reviewSlots()
    {
        QFETCH(int, row);
        const Review &r = Reviews[row];
        const QStringList pool {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s, u"g"_s, u"x"_s};
        QString keys;
        for (const int slot : ReviewSlots(pool, r.count, testsOf(r.tests), 1, r.wellPermille))
            keys += pool[slot - 1];
        QCOMPARE(keys, r.expected);
    }
};

QTEST_GUILESS_MAIN(TestReview)
#include "tst_review.moc"
