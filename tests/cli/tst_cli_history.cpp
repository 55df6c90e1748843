// SPDX-License-Identifier: GPL-3.0-or-later
// sorario-cli with a class history: what is recorded, and reprints of it.
#include "CliArgs.h"
#include "support/Fixtures.h"
#include "support/HistoryPlace.h"
#include "support/MarkedClass.h"

#include <QJsonArray>
#include <QSet>

using namespace sorario::test;

namespace {

QSet<QString> drawnTexts(const QJsonObject &summary)
{
    QSet<QString> texts;
    for (const QJsonValue &q : summary[u"DrawnQuestions"_s].toArray())
        texts.insert(q[0].toString());
    return texts;
}

} // namespace

class TestCliHistory : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString at(const QString &name) const { return m_dir.filePath(name); }
    CliRun run(const QStringList &args) const { return runCli(args, m_dir.path()); }
    QString history(const QString &name) const { return historyAt(at(name)); }

private Q_SLOTS:
    void initTestCase()
    {
        SORARIO_SERVER_RUN();
        QStringList fifty = questionFile(u"文法"_s, u"1"_s, 50, u"q"_s, u"**"_s);
        fifty[2] = u"CODE"_s;
        writeSjisLines(at(u"history.qvn"_s), fifty);
    }

    // Three runs of ten from fifty, each avoiding the last two sheets, share no question and
    // are listed, each with its own number; a reprint by number gives a run's trace again,
    // fitted or not. A number older runs share is refused, and --class chooses.
    // Classes are told apart by name whatever the width of its letters.
    void history()
    {
        const QStringList klass {u"--class"_s, u"2B"_s, u"--history"_s, history(u"h.sqlite"_s)};
        QSet<QString> drawn;
        QJsonArray draws;
        for (const char *seed : {"1", "2", "3"}) {
            const CliRun r = run(printArgs(Fixed + klass
                    + QStringList {u"--count"_s, u"10"_s, u"--avoid-recent"_s, u"2"_s, u"--seed"_s,
                        QString::fromLatin1(seed)},
                u"history.qvn"_s));
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.err, QString());
            drawn += drawnTexts(r.json());
            draws.append(r.json()[u"DrawnQuestions"_s]);
        }
        QCOMPARE(drawn.size(), 30);
        QCOMPARE(QJsonDocument::fromJson(
                     run({u"history"_s, u"--class"_s, u"2B"_s, u"--history"_s, history(u"h.sqlite"_s)}).out)
                     .array()
                     .size(),
            3);
        const auto reprint = [this](const QString &number, const QStringList &extra = {}) {
            return QStringList {u"reprint"_s, number, u"--history"_s, history(u"h.sqlite"_s), u"--metrics"_s,
                       u"fixed"_s, u"--trace"_s, u"t2.json"_s, u"-o"_s, u"re.pdf"_s}
            + extra;
        };
        for (const auto &[overflow, number] :
            {std::pair {u"yes"_s, u"03051407d"_s}, {u"no"_s, u"03051407e"_s}}) {
            const CliRun original = run(
                printArgs(Fixed + klass + QStringList {u"--sheets"_s, u"2"_s, u"--overflow"_s, overflow},
                    u"history.qvn"_s));
            QCOMPARE(original.json()[u"SheetNumbers"_s].toArray(),
                (QJsonArray {number + u"-1"_s, number + u"-2"_s}));
            QCOMPARE(run(reprint(number)).exitCode, 0);
            QCOMPARE(readBytes(at(u"t2.json"_s)), readBytes(at(u"t.json"_s)));
        }
        // As a record made before numbers took letters.
        sql(history(u"h.sqlite"_s), u"UPDATE sheets SET number = '03051407' WHERE number = '03051407b'"_s);
        sql(history(u"h.sqlite"_s), u"UPDATE runs SET class = '3A' WHERE id = 2"_s);
        const CliRun shared = run(reprint(u"03051407"_s));
        QCOMPARE(shared.exitCode, 1);
        QVERIFY2(shared.err.contains(u"2 回の印刷にあります"_s), qPrintable(shared.err));
        const CliRun chosen = run(reprint(u"03051407"_s, {u"--class"_s, u"3A"_s}));
        QCOMPARE(chosen.exitCode, 0);
        QCOMPARE(chosen.json()[u"DrawnQuestions"_s], draws[1]);
        // A document for the class, spelled in full width, avoids its last run (all fifty) and
        // is recorded; a class with no record is refused, naming the one that has.
        const CliRun odt = run({u"odt"_s, u"history.qvn"_s, u"--all"_s, u"--count"_s, u"10"_s, u"--class"_s,
            u"２ｂ"_s, u"--avoid-recent"_s, u"1"_s, u"--history"_s, history(u"h.sqlite"_s),
            u"--choice-labels"_s, u"digits"_s, u"-o"_s, u"d.odt"_s});
        QCOMPARE(odt.exitCode, 0);
        QVERIFY2(odt.err.contains(u"問は以前に出した問題から選びました"_s), qPrintable(odt.err));
        const QJsonArray runs
            = QJsonDocument::fromJson(run({u"history"_s, u"--history"_s, history(u"h.sqlite"_s)}).out)
                  .array();
        QCOMPARE(runs.size(), 6);
        QCOMPARE(runs[0][u"SheetNumbers"_s], odt.json()[u"SheetNumbers"_s]);
        QCOMPARE(runs[0][u"Options"_s][u"ChoiceLabels"_s].toString(), u"digits"_s);
        const CliRun unknown
            = run({u"history"_s, u"--class"_s, u"2C"_s, u"--history"_s, history(u"h.sqlite"_s)});
        QCOMPARE(unknown.exitCode, 1);
        QVERIFY2(unknown.err.contains(u"２ｂ"_s), qPrintable(unknown.err)); // as last spelled
    }

    // Marks set from a table come back with their scores; a table refused names its line
    // and records none of its rows.
    void marks()
    {
        const QStringList marks {
            u"marks"_s, u"03051407"_s, u"--history"_s, history(u"m.sqlite"_s), u"--set"_s};
        QCOMPARE(run(printArgs(Fixed
                             + QStringList {u"--class"_s, u"1A"_s, u"--history"_s, history(u"m.sqlite"_s),
                                 u"--count"_s, u"4"_s, u"--sheets"_s, u"2"_s},
                         u"history.qvn"_s))
                     .exitCode,
            0);
        writeBytes(at(u"bad.csv"_s), u"pupil,sheet,marks\n1,1,○○○○\n2,2,○○○\n"_s.toUtf8());
        const CliRun bad = run(marks + QStringList {u"bad.csv"_s});
        QCOMPARE(bad.exitCode, 1);
        QVERIFY2(bad.err.startsWith(u"3 行目: 採点の数が用紙の問題の数と違います"_s), qPrintable(bad.err));
        writeBytes(at(u"good.csv"_s), u"pupil,sheet,marks\n1,1,○×△○\n,2,××--\n"_s.toUtf8());
        const CliRun good = run(marks + QStringList {u"good.csv"_s});
        QCOMPARE(good.exitCode, 0);
        QCOMPARE(good.json()[u"Rows"_s].toArray(),
            QJsonDocument::fromJson(R"([{"Pupil": 1, "Sheet": 1, "Marks": "○×△○", "Score": 62.5},
                {"Pupil": null, "Sheet": 2, "Marks": "××--", "Score": 0}])")
                .array());
        QVERIFY(good.json()[u"PointsSet"_s].isNull()); // never set for the run
        QCOMPARE(run({u"marks"_s, u"--history"_s, history(u"m.sqlite"_s)}).exitCode, 2);
        // Both sheets counted, the two questions not marked left out.
        const CliRun analysis = run({u"analysis"_s, u"--class"_s, u"1A"_s, u"--history"_s,
            history(u"m.sqlite"_s), u"--csv"_s, u"a.csv"_s});
        QCOMPARE(analysis.exitCode, 0);
        QCOMPARE(analysis.json()[u"Scores"_s].toObject(),
            QJsonDocument::fromJson(R"({"Count": 2, "Mean": 31.25, "Median": 31.25,
                "Histogram": [1, 0, 0, 0, 0, 0, 1, 0, 0, 0]})")
                .object());
        QCOMPARE(analysis.json()[u"Questions"_s].toArray().size(), 6);
        QCOMPARE(analysis.json()[u"Questions"_s][3][u"CorrectRate"_s].toDouble(), 0.5);
        QVERIFY(readBytes(at(u"a.csv"_s))
                    .startsWith(u"\uFEFF採点した用紙,平均点,中央値\r\n2,31.25,31.25\r\n"_s.toUtf8()));
    }

    // The grade book of the days given, both counted: a pupil not marked on a test has an
    // empty cell, the points set for Unit 2 count, a sheet without a number is no one's.
    void scores()
    {
        QVERIFY(recordMarkedClass(HistoryStore(history(u"s.sqlite"_s)), at(u"bank"_s)));
        const QStringList scores {u"scores"_s, u"--class"_s, u"3A"_s, u"--history"_s, history(u"s.sqlite"_s)};
        const CliRun written = run(scores
            + QStringList {u"--from"_s, u"2026-04-10"_s, u"--to"_s, u"2026-04-17"_s, u"-o"_s, u"s.csv"_s});
        QCOMPARE(written.exitCode, 0);
        QCOMPARE(readBytes(at(u"s.csv"_s)),
            u"\uFEFF日付,2026-04-10,2026-04-17,,\r\n"
            "用紙番号,04100900,04170900,,\r\n"
            "出席番号,Unit 1,Unit 2,合計,平均\r\n"
            "1,75,37.5,112.5,56.3\r\n"
            "2,37.5,45,82.5,41.3\r\n"
            "3,,22.5,22.5,22.5\r\n"_s.toUtf8());
        QCOMPARE(written.json(),
            QJsonObject({{u"Class"_s, u"3A"_s}, {u"From"_s, u"2026-04-10"_s}, {u"To"_s, u"2026-04-17"_s},
                {u"Tests"_s, 2}, {u"Pupils"_s, 3}, {u"Output"_s, at(u"s.csv"_s)}}));
        QCOMPARE(run(scores).exitCode, 2); // no -o
        const CliRun notADate = run(scores + QStringList {u"--to"_s, u"4/17"_s, u"-o"_s, u"t.csv"_s});
        QCOMPARE(notADate.exitCode, 1);
        QVERIFY2(notADate.err.contains(u"4/17"_s), qPrintable(notADate.err));
    }

    // After a marked test the class's review starts with what it got wrong, weakest first.
    void review()
    {
        const QStringList klass {
            u"--class"_s, u"4D"_s, u"--history"_s, history(u"r.sqlite"_s), u"--count"_s, u"4"_s};
        const CliRun first = run(printArgs(Fixed + klass, u"history.qvn"_s));
        QCOMPARE(first.exitCode, 0);
        writeBytes(at(u"r.csv"_s), u"pupil,sheet,marks\n1,1,○△×○\n"_s.toUtf8());
        QCOMPARE(
            run({u"marks"_s, u"03051407"_s, u"--history"_s, history(u"r.sqlite"_s), u"--set"_s, u"r.csv"_s})
                .exitCode,
            0);
        const QStringList reviewed
            = printArgs(Fixed + klass + QStringList {u"--seed"_s, u"8"_s}, u"history.qvn"_s);
        const CliRun again = run(reviewed + QStringList {u"--review"_s, u"class"_s});
        QCOMPARE(again.exitCode, 0);
        const QJsonArray drawn = again.json()[u"DrawnQuestions"_s].toArray();
        QCOMPARE(drawn[0], first.json()[u"DrawnQuestions"_s][2]);
        QCOMPARE(drawn[1], first.json()[u"DrawnQuestions"_s][1]);
    }

    // Three sheets with answers, recorded with every page option, reprint to the same trace,
    // also once their file has gone (said on standard error).
    void reprintWithEveryOption_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("B4 two-up, fitted, words kept")
            << QStringList {u"--paper"_s, u"b4-2up"_s, u"--fit"_s, u"--keep-words"_s};
        QTest::newRow("answers last, padded for duplex")
            << QStringList {u"--answers-last"_s, u"--duplex-pad"_s};
    }
    void reprintWithEveryOption()
    {
        QFETCH(QStringList, options);
        // Two lines a question, broken inside a word: 24 fit the first page at 9 points, not at 10.
        const QString text = u"It was the best of times, it was the worst of times, it was the age of wisdom,"
                             " it was the age of foolishness, it was the epoch of belief, q"_s;
        writeSjisLines(at(u"dickens.qvn"_s), questionFile(u"文学"_s, u"1"_s, 30, text, u"**"_s));
        const QString rowHistory = history(QString::fromLatin1(QTest::currentDataTag()) + u".sqlite"_s);
        const QStringList klass {u"--class"_s, u"3C"_s, u"--history"_s, rowHistory};
        const CliRun printed = run(
            printArgs(Fixed + klass + options + QStringList {u"--count"_s, u"24"_s, u"--sheets"_s, u"3"_s},
                u"dickens.qvn"_s));
        QCOMPARE(printed.exitCode, 0);
        QCOMPARE(printed.json()[u"FittedSize"_s].toInt(), options.contains(u"--fit"_s) ? 9 : 0);
        const QByteArray trace = readBytes(at(u"t.json"_s));
        const QStringList reprint {u"reprint"_s, u"03051407"_s, u"--history"_s, rowHistory, u"--metrics"_s,
            u"fixed"_s, u"--trace"_s, u"t2.json"_s, u"-o"_s, u"re.pdf"_s};
        const CliRun again = run(reprint);
        QCOMPARE(again.exitCode, 0);
        QCOMPARE(again.err, QString());
        QCOMPARE(readBytes(at(u"t2.json"_s)), trace);
        QFile::remove(at(u"dickens.qvn"_s));
        const CliRun gone = run(reprint);
        QCOMPARE(gone.exitCode, 0);
        QVERIFY2(gone.err.startsWith(u"記録された問題ファイルがありません。"_s), qPrintable(gone.err));
        QCOMPARE(readBytes(at(u"t2.json"_s)), trace);
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "tst_cli_history.moc"
