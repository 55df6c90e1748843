// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ClassRun.h"
#include "history/HistoryStore.h"
#include "history/QuestionKey.h"
#include "history/Reprint.h"

#include "support/Fixtures.h"

#include <QSqlDatabase>

#include <array>

#include <sys/wait.h>
#include <unistd.h>

using namespace sorario::test;

namespace {

QuestionRecord question(int n)
{
    return {u"Q%1"_s.arg(n), u"h"_s, u"A%1"_s.arg(n)};
}

// One run of one sheet for `className` with the given questions.
RecordedRun runOf(const QString &className, const QList<int> &questions, const QString &number)
{
    RecordedRun run;
    run.className = className;
    run.when = QDateTime(QDate(2026, 12, 7), QTime(10, 30));
    run.files = {{u"/q.qvn"_s, u"d"_s}};
    RecordedSheet sheet {number, run.when, {}};
    for (int q : questions)
        sheet.questions.append(question(q));
    run.sheets = {sheet};
    return run;
}

QStringList keys(int count)
{
    QStringList k;
    for (int n = 1; n <= count; ++n)
        k.append(QuestionKey(question(n)));
    return k;
}

QSet<QString> keySet(const QList<int> &questions)
{
    QSet<QString> s;
    for (int q : questions)
        s.insert(QuestionKey(question(q)));
    return s;
}

QStringList recordedNumbers(const HistoryStore &store, const QString &className)
{
    QStringList numbers;
    for (const RecordedRun &run : store.runs(className).value)
        for (const RecordedSheet &sheet : run.sheets)
            numbers.append(sheet.sheetNumber);
    return numbers;
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Questions 1..5 in the pool; "given" lists, per recorded sheet oldest first, what it had,
    // each run of "perRun" sheets one test of class 2B.
    void avoidRecent()
    {
        const struct
        {
            QList<QList<int>> given;
            int lastTests, count;
            QList<int> slots;
            int repeats;
            int perRun = 1;
            QString asked = u"2B"_s;
        } rows[] = {
            {{}, 2, 3, {1, 2, 3, 4, 5}, 0}, // no history
            {{{2}, {4}}, 2, 3, {1, 3, 5}, 0}, // enough left
            {{{1, 2}, {4}}, 1, 3, {1, 2, 3, 5}, 0}, // older sheets count not
            {{{3}, {1, 5}, {3, 4}, {2}}, 4, 2, {1, 5}, 2}, // longest ago taken back first
            {{{1}}, 1, 9, {1, 2, 3, 4, 5}, 1}, // more asked than the range
            {.given = {{1}, {2}, {3}},
                .lastTests = 1,
                .count = 2,
                .slots = {4, 5},
                .repeats = 0,
                .perRun = 3},
            {.given = {{2}, {4}},
                .lastTests = 2,
                .count = 3,
                .slots = {1, 3, 5},
                .repeats = 0,
                .asked = u"２ｂ"_s},
        };
        for (const auto &row : rows) {
            QTemporaryDir dir;
            const HistoryStore store(dir.filePath(u"h.sqlite"_s));
            for (qsizetype first = 0; first < row.given.size(); first += row.perRun) {
                RecordedRun run = runOf(u"2B"_s, row.given[first], u"12071030"_s);
                for (qsizetype k = first + 1; k < first + row.perRun; ++k)
                    run.sheets.append(runOf(u"2B"_s, row.given[k], u"12071030"_s).sheets[0]);
                QCOMPARE(store.record(run), QString());
            }
            QCOMPARE(store.record(runOf(u"3A"_s, {1, 2, 3, 4, 5}, u"12071031"_s)), QString());
            const HistoryAnswer<RecentUse> use = store.recentUse(row.asked, row.lastTests);
            QVERIFY(use.ok());
            const ShrunkPool pool = AvoidRecent(keys(5), row.count, use.value);
            QCOMPARE(pool.slots, row.slots);
            QCOMPARE(pool.repeats, row.repeats);
        }
    }

    // Names that differ in width and case only are one class, each run keeping its spelling.
    void classNames()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        for (const QString &name : {u"1-A"_s, u"１－ａ"_s, u"1a"_s})
            QCOMPARE(store.record(runOf(name, {1}, u"12071030"_s)), QString());
        QCOMPARE(store.classes().value, (QStringList {u"1a"_s, u"１－ａ"_s})); // the latest spelling
        QStringList spellings;
        for (const RecordedRun &run : store.runs(u" １－Ａ"_s).value)
            spellings.append(run.className);
        QCOMPARE(spellings, (QStringList {u"１－ａ"_s, u"1-A"_s}));
    }

    // On the run, recent, and which slots a replacement may take.
    void replacement()
    {
        const std::array<QList<int>, 3> rows[]
            = {{{{1}, {2}, {3}}}, {{{1}, {2, 3}, {2, 3}}}, {{{1, 2, 3}, {}, {}}}};
        std::mt19937_64 random(7);
        for (const auto &[onRun, recent, allowed] : rows)
            for (int i = 0; i < 20; ++i) {
                const std::optional<int> slot
                    = ReplacementSlot(keys(3), keySet(onRun), keySet(recent), random);
                QCOMPARE(slot.has_value(), !allowed.isEmpty());
                QVERIFY(!slot || allowed.contains(*slot));
            }
    }

    // Plain numbers find every sheet of their run, "-k" one; the newest run wins.
    void findSheets()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        RecordedRun two = runOf(u"2B"_s, {1}, u"12071030-1"_s);
        two.sheets.append({u"12071031-2"_s, two.when, {{u"Q2"_s, QString(), u"A2"_s}}}); // no hint at all
        two.options = {2, 2, u"IPAMincho"_s, 12, u"3年A組"_s, 2, false, {3, 1}, ~0ULL};
        for (const RecordedRun &run :
            {two, runOf(u"2B"_s, {3}, u"12071100"_s), runOf(u"3A"_s, {4}, u"12071100"_s)})
            QCOMPARE(store.record(run), QString());
        QCOMPARE(store.classes().value, (QStringList {u"3A"_s, u"2B"_s})); // the last recorded first
        const std::pair<QString, QStringList> rows[] = {{u"12071030"_s, {u"12071030-1"_s, u"12071031-2"_s}},
            {u"12071031-2"_s, {u"12071031-2"_s}}, {u"S(SheetNo.:12071030-1)"_s, {u"12071030-1"_s}},
            {u"12071100"_s, {u"12071100"_s}}, // the newest of two
            {u"12071030-3"_s, {}}};
        for (const auto &[typed, found] : rows) {
            const HistoryAnswer<std::optional<FoundSheets>> hit = store.findSheets(typed);
            QVERIFY(hit.ok());
            QStringList numbers;
            if (hit.value)
                for (int k : hit.value->sheets)
                    numbers.append(hit.value->run.sheets[k].sheetNumber);
            QCOMPARE(numbers, found);
            if (typed == u"12071100"_s)
                QCOMPARE(hit.value->run.className, u"3A"_s);
        }
        // Every option comes back as recorded, the largest seed included.
        const auto options = [](const RunOptions &o) {
            return std::tuple {o.answerLayout, o.attachAnswers, o.fontName, o.fontSize, o.sheetLogo,
                o.sheetCount, o.allParts, o.parts, o.seed};
        };
        QVERIFY(options(store.findSheets(u"12071030"_s).value->run.options) == options(two.options));
    }

    // A fault between the writes, or the program killed there, leaves the history as it
    // was, also while the file is kept open; what another copy then records is seen.
    void recordIsWholeOrNothing()
    {
        for (const auto &[killed, kept] : {std::pair {false, false}, {false, true}, {true, false}}) {
            QTemporaryDir dir;
            HistoryStore store(dir.filePath(u"h.sqlite"_s));
            QCOMPARE(store.record(runOf(u"2B"_s, {1, 2}, u"12071030"_s)), QString());
            const HistoryStore::KeptOpen open = kept ? store.keepOpen() : nullptr;
            QCOMPARE(open != nullptr, kept);
            if (killed) {
                const pid_t child = fork();
                if (child == 0) {
                    store.betweenWrites = [] { _exit(3); };
                    store.record(runOf(u"2B"_s, {3}, u"12071031"_s));
                    _exit(0);
                }
                int status = 0;
                waitpid(child, &status, 0);
                QCOMPARE(WEXITSTATUS(status), 3);
            } else {
                store.betweenWrites = [] { throw std::runtime_error("fault"); };
                QVERIFY(!store.record(runOf(u"2B"_s, {3}, u"12071031"_s)).isEmpty());
                store.betweenWrites = {};
            }
            QCOMPARE(recordedNumbers(store, u"2B"_s), QStringList {u"12071030"_s});
            QCOMPARE(HistoryStore(store.path()).record(runOf(u"2B"_s, {4}, u"12071032"_s)), QString());
            QCOMPARE(recordedNumbers(store, u"2B"_s), (QStringList {u"12071032"_s, u"12071030"_s}));
        }
    }

    // A damaged file is refused, not read short, and stays as it was.
    void damageIsReportedAndKept()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        RecordedRun run = runOf(u"2B"_s, {1}, u"12071030"_s);
        run.sheets.append(run.sheets[0]);
        QCOMPARE(store.record(run), QString());
        QByteArray bytes = readBytes(store.path());
        const qsizetype page = 4 * 4096; // the sheets table's one page: its second row grows into the first
        bytes[page + ((uchar(bytes[page + 10]) << 8) | uchar(bytes[page + 11]))] += 10;
        writeBytes(store.path(), bytes);
        QVERIFY(!store.runs().ok());
        writeBytes(store.path(), QByteArray(4096, 'x'));
        QVERIFY(!store.record(run).isEmpty());
        QVERIFY(!store.keepOpen());
        QVERIFY(!store.recentUse(u"2B"_s, 1).ok());
        QCOMPARE(readBytes(store.path()), QByteArray(4096, 'x'));
        QCOMPARE(QSqlDatabase::connectionNames(), QStringList()); // none left open on the file
    }

    // A reprint takes the recorded files only as they were.
    void reprintChecksTheFiles()
    {
        QTemporaryDir dir;
        const QString path = writeSjisLines(dir.filePath(u"q.qvn"_s), questionFile(u"T"_s, u"2"_s, 4));
        RecordedRun run = runOf(u"2B"_s, {1, 2}, u"12071030"_s);
        run.files = {{path, *FileDigest(path)}};
        run.options.parts = {2};
        Module1 m;
        ScriptedDialogs dialogs;
        QCOMPARE(PrepareReprint(m, run, {0}, dialogs), QString());
        ReprintDraw(m, run, {0})(1);
        QCOMPARE(int(m.QuestionCount), 2);
        QCOMPARE(m.DrawnQuestions(2), question(2));
        QCOMPARE(m.ChosenPartNumbers(1), u"２"_s);
        QCOMPARE(m.clock.now(), run.when);
        writeSjisLines(path, questionFile(u"T"_s, u"2"_s, 5));
        QVERIFY(!PrepareReprint(m, run, {0}, dialogs).isEmpty());
        QFile::remove(path);
        QVERIFY(!PrepareReprint(m, run, {0}, dialogs).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
