// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "history/MarksCsv.h"
#include "history/ReviewRule.h"

#include "support/Fixtures.h"
#include "support/HistoryPlace.h"
#include "support/SqlFile.h"

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace sorario::test;

namespace {

constexpr Mark R = Mark::Right, W = Mark::Wrong, P = Mark::Partial, U = Mark::Unmarked;

struct Refusal
{
    const char *name;
    QByteArray csv;
    MarksCsvProblem problem;
    int line;
};

const QByteArray Head = "pupil,sheet,marks\n";
using enum MarksCsvProblem;
const QByteArray ClassFull = Head + QByteArray(",2,oo\n").repeated(60 * 60); // every pupil, every sheet

const Refusal Refusals[] = {
    {.name = "not UTF-8", .csv = Head + "1,1,\x81\x9b", .problem = NotUtf8, .line = 0},
    {.name = "no header", .csv = "1,1,ooo", .problem = Header, .line = 1},
    {.name = "empty", .csv = "", .problem = Header, .line = 1},
    {.name = "quote open", .csv = Head + "1,1,\"ooo", .problem = Quoting, .line = 2},
    {.name = "two cells", .csv = Head + "1,ooo", .problem = Cells, .line = 2},
    {.name = "pupil 61", .csv = Head + "61,1,ooo", .problem = Pupil, .line = 2},
    {.name = "pupil 0", .csv = Head + "0,1,ooo", .problem = Pupil, .line = 2},
    {.name = "third sheet of two", .csv = Head + "1,3,oo", .problem = Sheet, .line = 2},
    {.name = "a mark too many", .csv = Head + "1,2,ooo", .problem = MarkCount, .line = 2},
    {.name = "double circle", .csv = Head + "1,1,o\xe2\x97\x8eo", .problem = Symbol, .line = 2},
    {.name = "pupil twice, blank line", .csv = Head + "1,1,ooo\n\n1,2,xx", .problem = SamePupil, .line = 4},
    {.name = "a row more than a class", .csv = ClassFull + ",2,oo", .problem = TooManyRows, .line = 3602},
    {.name = "NUL", .csv = Head + QByteArray("1\0002,1,ooo", 9), .problem = ControlCharacter, .line = 2},
};

struct Score
{
    const char *name;
    QList<Mark> marks;
    int points;
    int score;
};

const Score Scores[] = {
    {.name = "quarter points, a half", .marks = {R, R, P, W}, .points = 250, .score = 625},
    {.name = "a third, rounded up", .marks = {R, P}, .points = 333, .score = 500},
    {.name = "nothing marked yet", .marks = {U, U}, .points = 333, .score = 0},
};

// The points per question set for a run of one sheet of four questions marked ○ ○ △ ×,
// one setting after another, and the sheet's score then.
struct SetPoints
{
    const char *name;
    QList<std::optional<int>> settings;
    std::optional<int> kept;
    double score;
    bool beforePoints = false; // the file as the version before the points left it
};

const SetPoints PointsSettings[] = {
    {.name = "never set: 100 / 4", .settings = {}, .kept = std::nullopt, .score = 62.5},
    {.name = "whole points", .settings = {100}, .kept = 100, .score = 25},
    {.name = "a decimal, half of it rounded up", .settings = {25}, .kept = 25, .score = 6.3},
    {.name = "back to the default", .settings = {100, std::nullopt}, .kept = std::nullopt, .score = 62.5},
    {.name = "over 100 refused", .settings = {40, 1001}, .kept = 40, .score = 10},
    {.name = "a file from before the points",
        .settings = {50},
        .kept = 50,
        .score = 12.5,
        .beforePoints = true},
};

// A run of one sheet, on a day of December 2026, and the rows marked for it.
struct MarkedRun
{
    QStringList questions;
    int day;
    QList<QList<Mark>> rows;
};

struct Statistics
{
    const char *name;
    QList<MarkedRun> runs;
    AnalysisScope scope = {};
    double mean;
    double median;
    std::array<int, 10> histogram;
    QStringList rates; // question ○/×/△ per mille, weakest first
};

const MarkedRun Shared1 {.questions = {u"a"_s, u"b"_s}, .day = 1, .rows = {{W, R}}};
const MarkedRun Shared2 {.questions = {u"b"_s, u"c"_s}, .day = 8, .rows = {{W, R}, {W, W}}};

const Statistics StatisticsRows[] = {
    {.name = "one sheet all right, equal rates by key",
        .runs = {{.questions = {u"a"_s, u"b"_s, u"c"_s}, .day = 1, .rows = {{R, R, R}}}},
        .mean = 99.9,
        .median = 99.9,
        .histogram = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
        .rates = {u"a 1/0/0 1000"_s, u"c 1/0/0 1000"_s, u"b 1/0/0 1000"_s}},
    {.name = "mixed, unmarked cells ignored",
        .runs = {{.questions = {u"a"_s, u"b"_s, u"c"_s, u"d"_s},
            .day = 1,
            .rows = {{R, W, P, U}, {W, W, R, R}, {U, U, U, U}}}},
        .mean = 43.75,
        .median = 43.75,
        .histogram = {0, 0, 0, 1, 0, 1, 0, 0, 0, 0},
        .rates = {u"b 0/2/0 0"_s, u"a 1/1/0 500"_s, u"c 1/0/1 750"_s, u"d 1/0/0 1000"_s}},
    {.name = "two runs sharing a question",
        .runs = {Shared1, Shared2},
        .mean = 33.33,
        .median = 50,
        .histogram = {1, 0, 0, 0, 0, 2, 0, 0, 0, 0},
        .rates = {u"a 0/1/0 0"_s, u"b 1/2/0 333"_s, u"c 1/1/0 500"_s}},
    {.name = "to its last day",
        .runs = {Shared1, Shared2},
        .scope = {.to = QDate(2026, 12, 1)},
        .mean = 50,
        .median = 50,
        .histogram = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0},
        .rates = {u"a 0/1/0 0"_s, u"b 1/0/0 1000"_s}},
    {.name = "to the last day a date can have",
        .runs = {Shared1, Shared2},
        .scope = {.to = QDate(9999, 12, 31)},
        .mean = 33.33,
        .median = 50,
        .histogram = {1, 0, 0, 0, 0, 2, 0, 0, 0, 0},
        .rates = {u"a 0/1/0 0"_s, u"b 1/2/0 333"_s, u"c 1/1/0 500"_s}},
    {.name = "one run",
        .runs = {Shared1, Shared2},
        .scope = {.runId = 2},
        .mean = 25,
        .median = 25,
        .histogram = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0},
        .rates = {u"b 0/2/0 0"_s, u"c 1/1/0 500"_s}},
};

// Each test a class sat: each word a question's key, then its marks on that test.
struct Review
{
    const char *name;
    QStringList tests;
    QString expected = {}; // the keys that come first, in order
};

const QString Well = u"a○○○○"_s;
const QString Other = u"x○"_s;
const QStringList WrongThenDue = QStringList {u"a××"_s, u"a×○"_s, Other, Other, u"a×○"_s};

const Review Reviews[] = {
    {.name = "two marked tests: the wrong ones, weakest first",
        .tests = {u"a○○○○ b×○○○ c×××○ z××"_s, u"d○○○○ e×××× f××○○ g△○○○"_s},
        .expected = u"ecfbg"_s},
    {.name = "marked ○ twice: stops",
        .tests = QStringList {u"a××"_s, Well, Other, Other, Well} + QStringList(7, Other)},
    {.name = "gap 3: not 2 tests on", .tests = {u"a××"_s, u"a×○"_s, Other}},
    {.name = "gap 3: 3 tests on", .tests = {u"a××"_s, u"a×○"_s, Other, Other}, .expected = u"a"_s},
    {.name = "gap 7: not 6 tests on", .tests = WrongThenDue + QStringList(5, Other)},
    {.name = "gap 7: 7 tests on", .tests = WrongThenDue + QStringList(6, Other), .expected = u"a"_s},
};

QList<ReviewTest> reviewTests(const QStringList &written)
{
    QList<ReviewTest> tests;
    for (const QString &test : written) {
        tests.append(ReviewTest {});
        for (const QString &word : test.split(u' ')) {
            QuestionResult q;
            q.key = word.left(1);
            for (const QChar c : word.mid(1)) {
                const Mark mark = MarkOf(c).value_or(U);
                q.right += mark == R;
                q.wrong += mark == W;
                q.partial += mark == P;
            }
            tests.last().questions.append(q);
        }
    }
    return tests;
}

} // namespace

class TestMarks : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { SORARIO_SERVER_RUN(); }
    void refusals_data() { addRows(Refusals); }
    void refusals()
    {
        QFETCH(int, row);
        const MarksCsvOutcome read = ReadMarksCsv(Refusals[row].csv, {3, 2});
        QVERIFY(!read.ok());
        QCOMPARE(read.fault->problem, Refusals[row].problem);
        QCOMPARE(read.fault->line, Refusals[row].line);
    }

    // A spreadsheet's table: with its byte order mark, every symbol, a pupil number typed full
    // width and one not given.
    void readsRows()
    {
        const MarksCsvOutcome read
            = ReadMarksCsv(u"\uFEFFpupil,sheet,marks\r\n７,1,○×△\r\n,2,x-\r\n"_s.toUtf8(), {3, 2});
        QCOMPARE(failureOf(read), QString());
        QCOMPARE(read.value, (QList<MarkedSheet> {{7, 1, {R, W, P}}, {0, 2, {W, U}}}));
    }

    // A FIFO would never end and no class writes a table that large: both refused unread.
    void readsOnlyAClassTable()
    {
        QTemporaryDir dir;
        QFile large(dir.filePath(u"large.csv"_s));
        QVERIFY(large.open(QIODevice::WriteOnly));
        QVERIFY(large.resize(qint64(16) << 20));
        QCOMPARE(ReadMarksCsvFile(large.fileName(), {3}).fault->problem, TooLarge);
        QCOMPARE(MarksCsvMessage(ReadMarksCsvFile(dir.filePath(u"gone.csv"_s), {3})),
            u"採点の表を読み込めません。"_s); // no line of a file not read
#ifndef Q_OS_WIN
        const QString fifo = dir.filePath(u"fifo.csv"_s);
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(ReadMarksCsvFile(fifo, {3}).fault->problem, NotAFile);
#endif
    }

    void statistics_data()
    {
        addRows(StatisticsRows);
    }
    void statistics()
    {
        QFETCH(int, row);
        const Statistics &t = StatisticsRows[row];
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        for (qsizetype i = 0; i < t.runs.size(); ++i) {
            RecordedRun run;
            run.id = i + 1;
            run.className = u"2B"_s;
            run.when = QDateTime(QDate(2026, 12, t.runs[i].day), QTime(10, 0));
            run.sheets.append({QString::number(i), run.when, {}});
            for (const QString &q : t.runs[i].questions)
                run.sheets[0].questions.append({q, {}, q.toUpper()});
            QCOMPARE(failureOf(store.record(run)), QString());
            QList<MarkedSheet> rows;
            for (const QList<Mark> &marks : t.runs[i].rows)
                rows.append({0, 1, marks});
            QCOMPARE(failureOf(store.recordMarks(run, rows)), QString());
        }
        AnalysisScope scope = t.scope;
        scope.className = u"２ｂ"_s;
        const Analysis a = store.analysis(scope).value;
        QCOMPARE(a.scores.mean, t.mean);
        QCOMPARE(a.scores.median, t.median);
        QCOMPARE(a.scores.histogram, t.histogram);
        QStringList rates;
        for (const QuestionResult &q : a.questions)
            rates.append(QString::asprintf("%s %d/%d/%d %d", qPrintable(q.question.QuestionText), q.right,
                q.wrong, q.partial, q.correctPermille()));
        QCOMPARE(rates, t.rates);
    }

    void defaultPoints()
    {
        QCOMPARE(DefaultPointsTenths(3), 333);
        QCOMPARE(DefaultPointsTenths(7), 143);
        QCOMPARE(DefaultPointsTenths(40), 25);
    }

    void scores_data()
    {
        addRows(Scores);
    }
    void scores()
    {
        QFETCH(int, row);
        QCOMPARE(ScoreTenths(Scores[row].marks, Scores[row].points), Scores[row].score);
    }

    void pointsSet_data()
    {
        addRows(PointsSettings);
    }
    void pointsSet()
    {
        QFETCH(int, row);
        const SetPoints &t = PointsSettings[row];
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        RecordedRun run;
        run.className = u"2B"_s;
        run.sheets
            = {{u"12071030"_s, {}, {{u"a"_s, {}, {}}, {u"b"_s, {}, {}}, {u"c"_s, {}, {}}, {u"d"_s, {}, {}}}}};
        QCOMPARE(failureOf(store.record(run)), QString());
        run = store.runs().value[0];
        QCOMPARE(failureOf(store.recordMarks(run, {{1, 1, {R, R, P, W}}})), QString());
        if (t.beforePoints) {
            SORARIO_FILE_ONLY("an older file");
            sql(store.path(), u"DROP TABLE run_points"_s);
            sql(store.path(), u"PRAGMA user_version = 1"_s);
        }
        for (const std::optional<int> &points : t.settings)
            static_cast<void>(store.setRunPoints(run, points));
        QCOMPARE(store.runPoints(run).value, t.kept);
        QCOMPARE(store.analysis({.runId = run.id}).value.scores.mean, t.score);
    }

    // A file without the marks tables (one that names their version too) reads as unmarked and gains the
    // tables at its first write; a pupil's new row takes the place of the old one, and rows without a number
    // set again those of their sheet.
    void olderFileUpgradesInPlace()
    {
        SORARIO_FILE_ONLY("an older file");
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        RecordedRun run;
        run.className = u"2B"_s;
        run.when = QDateTime(QDate(2026, 12, 7), QTime(10, 30));
        run.sheets = {{u"12071030-1"_s, run.when, {{u"Q1"_s, {}, u"A1"_s}, {u"Q2"_s, {}, u"A2"_s}}},
            {u"12071030-2"_s, run.when, {{u"Q3"_s, {}, u"A3"_s}}}};
        QCOMPARE(failureOf(store.record(run)), QString());
        for (const QString &statement :
            {u"DROP TABLE marks"_s, u"DROP TABLE answer_sheets"_s, u"PRAGMA user_version = 1"_s})
            sql(store.path(), statement);
        run = store.runs().value[0];
        const HistoryOutcome<QList<MarkedSheet>> unmarked = store.marks(run);
        QCOMPARE(failureOf(unmarked), QString());
        QCOMPARE(unmarked.value.size(), 0);
        QCOMPARE(failureOf(store.recordMarks(run, {{1, 1, {R, W}}, {0, 1, {P, U}}})), QString());
        QCOMPARE(failureOf(store.recordMarks(run, {{1, 2, {W}}, {0, 1, {P, U}}})), QString());
        QCOMPARE(store.marks(run).value, (QList<MarkedSheet> {{1, 2, {W}}, {0, 1, {P, U}}}));
        QCOMPARE(store.runs().value.size(), 1);
    }
    void reviewSlots_data()
    {
        addRows(Reviews);
    }
    void reviewSlots()
    {
        QFETCH(int, row);
        const Review &r = Reviews[row];
        const QStringList pool {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"f"_s, u"g"_s, u"x"_s};
        QString keys;
        for (const int slot : ReviewSlots(pool, 5, reviewTests(r.tests), 1))
            keys += pool[slot - 1];
        QCOMPARE(keys, r.expected);
    }
};

QTEST_GUILESS_MAIN(TestMarks)
#include "tst_marks.moc"
