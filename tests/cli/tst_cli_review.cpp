// SPDX-License-Identifier: GPL-3.0-or-later
// sorario-cli's review for pupils: one sheet for each pupil marked.
#include "CliArgs.h"
#include "support/Fixtures.h"
#include "support/HistoryPlace.h"

#include <QJsonArray>

using namespace sorario::test;

class TestCliReview : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString at(const QString &name) const { return m_dir.filePath(name); }
    CliRun run(const QStringList &args) const { return runCli(args, m_dir.path()); }
    QString history(const QString &name) const { return historyAt(at(name)); }

private Q_SLOTS:
    void initTestCase() { SORARIO_SERVER_RUN(); }
    // Three pupils, each marked wrong on another question of q18 q26 q30 q2: a sheet each, in
    // number order, its pages headed with the number, starting with what that pupil got wrong.
    void pupils()
    {
        writeSjisLines(at(u"history.qvn"_s), questionFile(u"文法"_s, u"1"_s, 50, u"q"_s, u"**"_s));
        const QStringList klass {
            u"--class"_s, u"4D"_s, u"--history"_s, history(u"r.sqlite"_s), u"--count"_s, u"4"_s};
        QCOMPARE(run(printArgs(Fixed + klass, u"history.qvn"_s)).exitCode, 0);
        writeBytes(at(u"r.csv"_s), u"pupil,sheet,marks\n12,1,○○×○\n3,1,×○○○\n7,1,○×○○\n"_s.toUtf8());
        QCOMPARE(
            run({u"marks"_s, u"03051407"_s, u"--history"_s, history(u"r.sqlite"_s), u"--set"_s, u"r.csv"_s})
                .exitCode,
            0);
        const QStringList pupils = Fixed + klass + QStringList {u"--review"_s, u"pupils"_s};
        QCOMPARE(run(printArgs(pupils, u"history.qvn"_s)).exitCode, 0);
        QStringList firsts;
        QString pupil;
        for (const QJsonValue &op : QJsonDocument::fromJson(readBytes(at(u"t.json"_s))).array()) {
            const QString text = op[u"text"_s].toString();
            if (text.contains(u"出席番号"_s))
                pupil = text.trimmed();
            else if (text.startsWith(u"( 1)"_s))
                firsts.append(pupil + text.mid(4));
        }
        QCOMPARE(firsts,
            (QStringList {u"出席番号 3 q18"_s, u"出席番号 3 q18"_s, u"出席番号 7 q26"_s, u"出席番号 7 q26"_s,
                u"出席番号 12 q30"_s, u"出席番号 12 q30"_s}));
        const CliRun none = run(printArgs(pupils + QStringList {u"--class"_s, u"5E"_s}, u"history.qvn"_s));
        QCOMPARE(none.exitCode, 1);
        QVERIFY2(none.err.startsWith(u"個別復習プリントを作れません。"_s), qPrintable(none.err));
    }
};

QTEST_GUILESS_MAIN(TestCliReview)
#include "tst_cli_review.moc"
