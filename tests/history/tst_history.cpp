// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"
#include "history/QuestionKey.h"
#include "setup/ClassRun.h"

#include "support/Fixtures.h"
#include "support/HistoryPlace.h"
#include "support/HistoryRuns.h"
#include "support/SqlFile.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <array>

#ifndef Q_OS_WIN
#include <sys/wait.h>
#include <unistd.h>
#endif

using namespace sorario::test;

namespace {

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
    void initTestCase() { SORARIO_SERVER_RUN(); }
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
            const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
            for (qsizetype first = 0; first < row.given.size(); first += row.perRun) {
                RecordedRun run = runOf(u"2B"_s, row.given[first], u"12071030"_s);
                for (qsizetype k = first + 1; k < first + row.perRun; ++k)
                    run.sheets.append(runOf(u"2B"_s, row.given[k], u"12071030"_s).sheets[0]);
                QCOMPARE(failureOf(store.record(run)), QString());
            }
            QCOMPARE(failureOf(store.record(runOf(u"3A"_s, {1, 2, 3, 4, 5}, u"12071031"_s))), QString());
            const HistoryOutcome<RecentUse> use = store.recentUse(row.asked, row.lastTests);
            QCOMPARE(failureOf(use), QString());
            const ShrunkPool pool = sorario::avoidRecent(keys(5), row.count, use.value);
            QCOMPARE(pool.slots, row.slots);
            QCOMPARE(pool.repeats, row.repeats);
        }
    }

    // Names that differ in width and case only are one class, each run keeping its spelling.
    void classNames()
    {
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        for (const QString &name : {u"1-A"_s, u"１－ａ"_s, u"1a"_s})
            QCOMPARE(failureOf(store.record(runOf(name, {1}, u"12071030"_s))), QString());
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

    // A run's number finds every sheet of its run, "-k" one; older runs that share a
    // number are all found, newest first, or those of one class.
    void findSheets()
    {
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        RecordedRun two = runOf(u"2B"_s, {1}, u"12071030-1"_s);
        two.sheets.append({u"12071031-2"_s, two.when, {{u"Q2"_s, QString(), u"A2"_s}}}); // no hint at all
        two.options = {.sheet = {.AnswerLayout = 2,
                           .AttachAnswers = 2,
                           .FontName = u"IPAMincho"_s,
                           .FontSize = 12,
                           .SheetLogo = u"3年A組"_s,
                           .sheetCount = 2,
                           .paper = Paper::A3TwoUp,
                           .lineBreaks = WordBreaks::KeepWords,
                           .overflow = Overflow::ShrinkFirst,
                           .pageBreaks = QuestionBreaks::KeepQuestions,
                           .answerPages = AnswerPlace::AllLast,
                           .duplex = DuplexPadding::BlankAfterOdd,
                           .choiceLabels = ChoiceLabels::Digits},
            .parts = {3, 1},
            .seed = ~0ULL};
        two.sheets[1].fittedSize = 9;
        two.files[0].headings = FileHeadings {u"文型"_s, u"EG1"_s};
        for (const RecordedRun &run : {two, runOf(u"2B"_s, {3}, u"12071100"_s),
                 runOf(u"3A"_s, {4}, u"12071100"_s), runOf(u"3A"_s, {5}, u"12071100b-1"_s)})
            QCOMPARE(failureOf(store.record(run)), QString());
        QCOMPARE(store.classes().value, (QStringList {u"3A"_s, u"2B"_s})); // the last recorded first
        const std::tuple<const char *, QString, QString, QStringList> rows[] = {
            {"a run's number: every sheet", u"12071030"_s, {}, {u"2B 12071030-1"_s, u"2B 12071031-2"_s}},
            {"-k: one sheet", u"12071031-2"_s, {}, {u"2B 12071031-2"_s}},
            {"as printed", u"S(SheetNo.:12071030-1)"_s, {}, {u"2B 12071030-1"_s}},
            {"two older runs, newest first", u"12071100"_s, {}, {u"3A 12071100"_s, u"2B 12071100"_s}},
            {"of one class", u"12071100"_s, u"2B"_s, {u"2B 12071100"_s}},
            {"a letter typed large", u"12071100B"_s, {}, {u"3A 12071100b-1"_s}},
            {"a sheet the run has not", u"12071030-3"_s, {}, {}},
            {"a digit more", u"120710301"_s, {}, {}},
        };
        for (const auto &[name, typed, className, found] : rows) {
            const HistoryOutcome<QList<FoundSheets>> hits = store.findSheets(typed, className);
            QVERIFY2(hits.ok(), name);
            QStringList numbers;
            for (const FoundSheets &hit : hits.value)
                for (int k : hit.sheets)
                    numbers.append(hit.run.className + u' ' + hit.run.sheets[k].sheetNumber);
            QVERIFY2(numbers == found, name);
        }
        // Every option comes back as recorded, the largest seed included.
        const RecordedRun back = store.findSheets(u"12071030"_s).value[0].run;
        QVERIFY(back.options == two.options);
        QCOMPARE(back.sheets[0].fittedSize, 0);
        QCOMPARE(back.sheets[1].fittedSize, 9);
        QCOMPARE(back.files[0].headings->sheetCode, u"EG1"_s);
        QCOMPARE(store.findSheets(u"12071100"_s).value[0].run.files[0].headings.has_value(), false);
        SORARIO_FILE_ONLY("one of the version before the labels were kept");
        // A file of the version before the labels were kept, only read: the rest as recorded.
        sql(store.path(), u"ALTER TABLE runs DROP COLUMN choice_digits"_s);
        const RunOptions older = store.findSheets(u"12071030"_s).value[0].run.options;
        QCOMPARE(older.sheet.paper, Paper::A3TwoUp);
        QCOMPARE(older.sheet.choiceLabels, ChoiceLabels::Kana);
    }

    // A sheet of more questions than one statement writes comes back whole, in order.
    void longSheet()
    {
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        QList<int> questions;
        for (int n = 1; n <= 250; ++n)
            questions.append(n);
        QCOMPARE(failureOf(store.record(runOf(u"2B"_s, questions, u"12071030"_s))), QString());
        const QList<QuestionRecord> back = store.runs().value.value(0).sheets.value(0).questions;
        QCOMPARE(back.size(), 250);
        QCOMPARE(back[100].QuestionText, u"Q101"_s);
        QCOMPARE(back.last().QuestionText, u"Q250"_s);
    }

    // A file written before the page options were kept gains them, reading as it printed.
    void olderFilesGainTheOptions()
    {
        SORARIO_FILE_ONLY("an older file");
        QTemporaryDir dir;
        const QString path = dir.filePath(u"old.sqlite"_s);
        for (const QString &statement :
            {u"CREATE TABLE runs (id INTEGER PRIMARY KEY AUTOINCREMENT, class TEXT NOT"
             " NULL, at TEXT NOT NULL, output INTEGER NOT NULL, answer_layout INTEGER,"
             " attach_answers INTEGER, font_name TEXT, font_size INTEGER, sheet_logo"
             " TEXT, sheet_count INTEGER, all_parts INTEGER, parts TEXT, seed TEXT)"_s,
                u"CREATE TABLE files (run_id INTEGER NOT NULL, position INTEGER NOT NULL, path TEXT NOT "
                u"NULL,"
                " digest TEXT NOT NULL)"_s,
                u"CREATE TABLE sheets (id INTEGER PRIMARY KEY AUTOINCREMENT, run_id INTEGER NOT NULL,"
                " number TEXT NOT NULL, at TEXT NOT NULL)"_s,
                u"CREATE TABLE questions (sheet_id INTEGER NOT NULL, position INTEGER NOT NULL, key TEXT"
                " NOT NULL, question TEXT NOT NULL, hint TEXT NOT NULL, answer TEXT NOT NULL)"_s,
                u"INSERT INTO runs VALUES (1, '2B', '2026-12-07T10:30:00.000', 1, 1, 1, 'F', 10, 'L', 1,"
                " 1, '', '5')"_s,
                u"INSERT INTO files VALUES (1, 1, '/q.qvn', 'd')"_s,
                u"INSERT INTO sheets VALUES (1, 1, '12071030', '2026-12-07T10:30:00.000')"_s})
            sql(path, statement);
        const HistoryStore store(path);
        const HistoryOutcome<QList<RecordedRun>> old = store.runs();
        QCOMPARE(failureOf(old), QString());
        QCOMPARE(old.value[0].options.sheet.paper, Paper::B5);
        QCOMPARE(old.value[0].files[0].headings.has_value(), false);
        RecordedRun fitted = runOf(u"2B"_s, {1}, u"12071031"_s);
        fitted.options.sheet.overflow = Overflow::ShrinkFirst;
        QCOMPARE(failureOf(store.record(fitted)), QString());
        QCOMPARE(store.runs().value[0].options.sheet.overflow, Overflow::ShrinkFirst);
    }

    // The first run of a minute has the minute's number, later ones letters, also when
    // an older record holds the number; a number given back is handed out again.
    void reserveNumber()
    {
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        QCOMPARE(failureOf(store.record(runOf(u"2B"_s, {1}, u"12071031-1"_s))), QString());
        const QDateTime at(QDate(2026, 12, 7), QTime(10, 30, 59));
        QStringList numbers;
        for (int run = 1; run <= 27; ++run)
            numbers.append(store.reserveNumber(at).value);
        QCOMPARE(numbers.mid(0, 3), (QStringList {u"12071030"_s, u"12071030b"_s, u"12071030c"_s}));
        QCOMPARE(numbers.mid(25), (QStringList {u"12071030z"_s, u"12071030aa"_s}));
        store.releaseNumber(u"12071030b"_s);
        QCOMPARE(store.reserveNumber(at).value, u"12071030b"_s);
        QCOMPARE(store.reserveNumber(at.addSecs(1)).value, u"12071031b"_s);
        QCOMPARE(failureOf(store.record(runOf(u"3A"_s, {2}, u"12071031b"_s), u"12071031b"_s)), QString());
        store.releaseNumber(u"12071031b"_s); // recorded: no longer given back
        QCOMPARE(store.reserveNumber(at.addSecs(1)).value, u"12071031c"_s);
    }

    // A fault between the writes, or the program killed there, leaves the history as it
    // was, also while the file is kept open; what another copy then records is seen.
    void recordIsWholeOrNothing_data()
    {
        QTest::addColumn<bool>("killed");
        QTest::addColumn<bool>("kept");
        QTest::addRow("a fault between the writes") << false << false;
        QTest::addRow("a fault while the file is kept open") << false << true;
        QTest::addRow("killed between the writes") << true << false;
    }
    void recordIsWholeOrNothing()
    {
        QFETCH(bool, killed);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        QCOMPARE(failureOf(store.record(runOf(u"2B"_s, {1, 2}, u"12071030"_s))), QString());
        const HistoryStore::KeptOpen open = kept ? store.keepOpen() : nullptr;
        QCOMPARE(open != nullptr, kept);
        if (killed) {
#ifdef Q_OS_WIN
            QSKIP("killed between the writes: a forked copy, Linux only");
#else
            const pid_t child = fork();
            if (child == 0) {
                store.betweenWrites = [] { _exit(3); };
                (void)store.record(runOf(u"2B"_s, {3}, u"12071031"_s));
                _exit(0);
            }
            int status = 0;
            waitpid(child, &status, 0);
            QCOMPARE(WEXITSTATUS(status), 3);
#endif
        } else {
            store.betweenWrites = [] { throw std::runtime_error("fault"); };
            QVERIFY(!store.record(runOf(u"2B"_s, {3}, u"12071031"_s)).ok());
            store.betweenWrites = {};
        }
        QCOMPARE(recordedNumbers(store, u"2B"_s), QStringList {u"12071030"_s});
        QCOMPARE(failureOf(HistoryStore(store.path()).record(runOf(u"2B"_s, {4}, u"12071032"_s))), QString());
        QCOMPARE(recordedNumbers(store, u"2B"_s), (QStringList {u"12071032"_s, u"12071030"_s}));
    }

    // Root writes past permissions, so a file or folder that may not change is made so
    // for the file system itself; the test is skipped where that cannot be done.
    static bool setImmutable(const QStringList &paths, bool on)
    {
        return QProcess::execute(u"chattr"_s, QStringList {on ? u"+i"_s : u"-i"_s} + paths) == 0;
    }
    // A history that may not be written is still read whole: what was committed to
    // its log but not yet to the file included.
    void readOnlyHistoryIsRead_data()
    {
        QTest::addColumn<bool>("logged"); // a second run held in the log by an open reader
        QTest::addColumn<bool>("fileToo"); // the file made read-only as well as its folder
        QTest::addColumn<int>("runs");
        QTest::addRow("a read-only file and folder with a committed log") << true << true << 2;
        QTest::addRow("a writable file in a read-only folder") << false << false << 1;
    }
    void readOnlyHistoryIsRead()
    {
        SORARIO_FILE_ONLY("a file that may not change");
        QFETCH(bool, logged);
        QFETCH(bool, fileToo);
        QFETCH(int, runs);
        SORARIO_POSIX_ONLY("chattr");
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        QCOMPARE(failureOf(store.record(runOf(u"2B"_s, {1}, u"12071030"_s))), QString());
        const HistoryStore::KeptOpen kept = logged ? store.keepOpen() : nullptr;
        if (logged)
            QCOMPARE(
                failureOf(HistoryStore(store.path()).record(runOf(u"2B"_s, {2}, u"12071031"_s))), QString());
        const QStringList locked
            = fileToo ? QStringList {store.path(), dir.path()} : QStringList {dir.path()};
        if (!setImmutable(locked, true))
            QSKIP("chattr +i is not available here");
        const HistoryOutcome<QList<RecordedRun>> read = HistoryStore(store.path()).runs();
        setImmutable(locked, false);
        QCOMPARE(read.value.size(), runs);
    }
    void refusedWriteLeavesNoLog()
    {
        SORARIO_FILE_ONLY("a file's log");
        SORARIO_POSIX_ONLY("chattr");
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        QCOMPARE(failureOf(store.record(runOf(u"2B"_s, {1}, u"12071030"_s))), QString());
        if (!setImmutable({store.path()}, true))
            QSKIP("chattr +i is not available here");
        const bool written = store.record(runOf(u"2B"_s, {2}, u"12071031"_s)).ok();
        setImmutable({store.path()}, false);
        QVERIFY(!written);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList {u"h.sqlite"_s});
    }

    // A damaged file is refused, not read short nor written to, and stays as it was.
    void damageIsReportedAndKept()
    {
        SORARIO_FILE_ONLY("a damaged file");
        QTemporaryDir dir;
        const HistoryStore store(historyAt(dir.filePath(u"h.sqlite"_s)));
        RecordedRun run = runOf(u"2B"_s, {1}, u"12071030"_s);
        run.sheets.append(run.sheets[0]);
        QCOMPARE(failureOf(store.record(run)), QString());
        QByteArray bytes = readBytes(store.path());
        const qsizetype page = 4 * 4096; // the sheets table's one page: its second row grows into the first
        bytes[page + ((uchar(bytes[page + 10]) << 8) | uchar(bytes[page + 11]))] += 10;
        writeBytes(store.path(), bytes);
        QVERIFY(!store.runs().ok());
        QVERIFY(store.record(run).fault == HistoryFault::Damaged);
        QVERIFY(store.recordMarks(store.findSheets(u"12071030"_s).value.value(0).run, {}).fault
            == HistoryFault::Damaged);
        QVERIFY(!store.reserveNumber(run.when).ok());
        QCOMPARE(readBytes(store.path()), bytes);
        writeBytes(store.path(), QByteArray(4096, 'x'));
        QVERIFY(store.record(run).fault == HistoryFault::NotAHistory);
        QVERIFY(!store.keepOpen());
        QVERIFY(!store.recentUse(u"2B"_s, 1).ok());
        QCOMPARE(readBytes(store.path()), QByteArray(4096, 'x'));
        QCOMPARE(QSqlDatabase::connectionNames(), QStringList()); // none left open on the file
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
