// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Fixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace sorario::test;

namespace {

// `count` one-line questions under the title 文法 and the sheet code CODE.
QString writeQuestions(const QString &path, int count)
{
    QStringList lines {u"文法"_s, u"1"_s, u"CODE"_s, QString(), QString(), QString()};
    for (int i = 1; i <= count; ++i)
        lines << u"Q%1"_s.arg(i) << u"**"_s << u"A%1"_s.arg(i);
    return writeSjisLines(path, lines);
}

QSet<QString> drawnTexts(const CliRun &run)
{
    QSet<QString> texts;
    for (const QJsonValue &q : run.json()[u"DrawnQuestions"_s].toArray())
        texts.insert(q[0].toString());
    return texts;
}

} // namespace

class TestCliHistory : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString history() const { return dir.filePath(u"h.sqlite"_s); }
    CliRun print(const QString &file, const QStringList &extra)
    {
        return runCli(QStringList {u"print"_s, file, u"--all"_s, u"--metrics"_s, u"fixed"_s, u"--now"_s,
                          u"2026-12-07T10:30"_s, u"-o"_s, dir.filePath(u"out.pdf"_s)}
            + extra);
    }

private Q_SLOTS:
    // Three runs of ten from thirty avoiding the last two sheets use every question
    // once; a fourth avoiding three takes back the first run's, and says so.
    void noRepeatsFromRecentSheets()
    {
        const QString file = writeQuestions(dir.filePath(u"thirty.qvn"_s), 30);
        const QStringList common {u"--class"_s, u"2B"_s, u"--count"_s, u"10"_s, u"--history"_s, history()};
        QList<QSet<QString>> runs;
        for (const char *seed : {"1", "2", "3"}) {
            const CliRun r = print(file,
                common + QStringList {u"--avoid-recent"_s, u"2"_s, u"--seed"_s, QString::fromLatin1(seed)});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.err, QString());
            runs.append(drawnTexts(r));
        }
        QCOMPARE((runs[0] + runs[1] + runs[2]).size(), 30);
        const CliRun fourth
            = print(file, common + QStringList {u"--avoid-recent"_s, u"3"_s, u"--seed"_s, u"4"_s});
        QCOMPARE(fourth.exitCode, 0);
        QCOMPARE(drawnTexts(fourth), runs[0]);
        QVERIFY(fourth.err.contains(u"10"_s));
        const CliRun listed = runCli({u"history"_s, u"--class"_s, u"2B"_s, u"--history"_s, history()});
        QCOMPARE(QJsonDocument::fromJson(listed.out).array().size(), 4);
    }

    // A reprint of the run's number gives the run's trace again; an edited file stops it.
    void reprint_data()
    {
        QTest::addColumn<QString>("overflow");
        QTest::newRow("fitted") << u"yes"_s;
        QTest::newRow("over several pages") << u"no"_s;
    }
    void reprint()
    {
        QFETCH(QString, overflow);
        const QString file = writeQuestions(dir.filePath(u"fifty.qvn"_s), 50);
        const QString h = dir.filePath(overflow + u".sqlite"_s);
        const CliRun original = print(file,
            {u"--class"_s, u"3A"_s, u"--count"_s, u"50"_s, u"--sheets"_s, u"2"_s, u"--overflow"_s, overflow,
                u"--history"_s, h, u"--trace"_s, dir.filePath(u"t1.json"_s)});
        QCOMPARE(original.exitCode, 0);
        QCOMPARE(
            original.json()[u"SheetNumbers"_s].toArray(), (QJsonArray {u"12071030-1"_s, u"12071030-2"_s}));
        const QStringList reprint {u"reprint"_s, u"12071030"_s, u"--history"_s, h, u"--metrics"_s, u"fixed"_s,
            u"--trace"_s, dir.filePath(u"t2.json"_s), u"-o"_s, dir.filePath(u"re.pdf"_s)};
        QCOMPARE(runCli(reprint).exitCode, 0);
        QCOMPARE(readBytes(dir.filePath(u"t2.json"_s)), readBytes(dir.filePath(u"t1.json"_s)));
        writeQuestions(file, 51);
        const CliRun refused = runCli(reprint);
        QCOMPARE(refused.exitCode, 1);
        QVERIFY(!refused.err.isEmpty());
    }

    // The history is never a reason not to print, nor named without a class.
    void historyOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<bool>("message");
        QTest::addColumn<bool>("numbers");
        QTest::newRow("no class") << QStringList {} << 0 << false << false;
        QTest::newRow("garbage history") << QStringList {u"--class"_s, u"2B"_s} << 0 << true << true;
        QTest::newRow("avoiding without a class")
            << QStringList {u"--avoid-recent"_s, u"1"_s} << 2 << true << false;
        QTest::newRow("avoiding too many")
            << QStringList {u"--class"_s, u"2B"_s, u"--avoid-recent"_s, u"21"_s} << 2 << true << false;
    }
    void historyOptions()
    {
        QFETCH(QStringList, args);
        const QString garbage = dir.filePath(u"garbage.sqlite"_s);
        QFile f(garbage);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(2048, '#'));
        f.close();
        const CliRun r = print(
            writeQuestions(dir.filePath(u"ten.qvn"_s), 10), args + QStringList {u"--history"_s, garbage});
        QTEST(r.exitCode, "exitCode");
        QTEST(!r.err.isEmpty(), "message");
        QTEST(r.json().contains(u"SheetNumbers"_s), "numbers");
        QCOMPARE(QFile::exists(dir.filePath(u"out.pdf"_s)), r.exitCode == 0);
        QFile::remove(dir.filePath(u"out.pdf"_s));
    }
};

QTEST_GUILESS_MAIN(TestCliHistory)
#include "tst_cli_history.moc"
