// SPDX-License-Identifier: GPL-3.0-or-later
// print's --paper, --keep-words and --fit: their arguments and summary keys.
#include "support/Fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

class TestCliPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // 45 one-line questions: 41 fit the first page at 10 points, all of them at 9.
    void options_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("keys"); // summary keys beyond those of B5
        QTest::newRow("B5 adds nothing") << QStringList {} << 0 << QStringList {};
        QTest::newRow("other paper counts its sheets")
            << QStringList {u"--paper"_s, u"b4-2up"_s} << 0 << QStringList {u"sheets"_s};
        QTest::newRow("a shrunk font is reported")
            << QStringList {u"--fit"_s, u"--keep-words"_s} << 0 << QStringList {u"FittedSize"_s};
        QTest::newRow("unknown paper") << QStringList {u"--paper"_s, u"a5"_s} << 2 << QStringList {};
    }
    void options()
    {
        QFETCH(QStringList, options);
        QFETCH(QStringList, keys);
        QTemporaryDir dir;
        QStringList lines {u"文法"_s, u"1"_s, u"CODE"_s, QString(), QString(), QString()};
        for (int i = 1; i <= 45; ++i)
            lines << u"Q%1"_s.arg(i) << u"**"_s << u"A%1"_s.arg(i);
        const QString file = writeSjisLines(dir.filePath(u"q.qvn"_s), lines);
        const CliRun run = runCli(
            QStringList {u"print"_s, file, u"--count"_s, u"45"_s, u"--layout"_s, u"2"_s, u"--answers"_s,
                u"2"_s, u"--metrics"_s, u"fixed"_s, u"-o"_s, dir.filePath(u"p.pdf"_s)}
            + options);
        QTEST(run.exitCode, "exitCode");
        for (const QString &key : {u"sheets"_s, u"FittedSize"_s})
            QCOMPARE(run.json().contains(key), keys.contains(key));
    }
};

QTEST_MAIN(TestCliPaper)
#include "tst_cli_paper.moc"
