// SPDX-License-Identifier: GPL-3.0-or-later
// A teacher's history copied into another (the grade team's on a server).
#include "history/HistoryCopy.h"
#include "support/Fixtures.h"
#include "support/HistoryPlace.h"
#include "support/HistoryRuns.h"
#include "support/MarkedClass.h"

using namespace sorario;
using namespace sorario::test;

namespace {

CopyReport copied(const HistoryStore &from, const HistoryStore &to)
{
    const std::variant<CopyReport, CopyFailure> copy = CopyHistory(from, to);
    return std::holds_alternative<CopyReport>(copy) ? std::get<CopyReport>(copy) : CopyReport {-1, -1, {}};
}

QStringList numbersOf(const HistoryStore &store)
{
    QStringList numbers;
    for (const RecordedRun &run : store.runs().value)
        numbers.append(run.className + u' ' + run.sheets.value(0).sheetNumber);
    return numbers;
}

} // namespace

class TestHistoryCopy : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { SORARIO_SERVER_RUN(); }

    // Every run, mark and point reads back as it was, and a second copy adds nothing.
    void copiesEverythingOnce()
    {
        const HistoryStore from(m_dir.filePath(u"mine.sqlite"_s));
        const HistoryStore to(historyAt(m_dir.filePath(u"team.sqlite"_s)));
        QVERIFY(recordMarkedClass(from, m_dir.path()));
        const CopyReport first = copied(from, to);
        QCOMPARE(first.copied, 3);
        QCOMPARE(first.present, 0);
        QCOMPARE(numbersOf(to), (QStringList {u"3A 04180900"_s, u"3A 04170900"_s, u"3A 04100900"_s}));
        const QList<RecordedRun> mine = from.runs().value;
        const QList<RecordedRun> team = to.runs().value;
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(team[k].when, mine[k].when);
            QCOMPARE(team[k].files[0].headings->title, mine[k].files[0].headings->title);
            QCOMPARE(to.marks(team[k]).value, from.marks(mine[k]).value);
            QCOMPARE(to.runPoints(team[k]).value, from.runPoints(mine[k]).value);
        }
        QCOMPARE(to.analysis({.className = u"3A"_s}).value.scores.mean,
            from.analysis({.className = u"3A"_s}).value.scores.mean);
        const CopyReport again = copied(from, to);
        QCOMPARE(again.copied, 0);
        QCOMPARE(again.present, 3);
        QCOMPARE(to.runs().value.size(), 3);
    }

    // A run whose number another run there holds, or a run being printed there has taken,
    // is named and left out; the other stays.
    void clashIsLeftOut()
    {
        const HistoryStore from(m_dir.filePath(u"clash-mine.sqlite"_s));
        const HistoryStore to(historyAt(m_dir.filePath(u"clash-team.sqlite"_s)));
        QVERIFY(recordMarkedClass(from, m_dir.path()));
        QVERIFY(to.record(runOf(u"2B"_s, {7}, u"04170900"_s)).ok());
        QCOMPARE(to.reserveNumber(QDateTime(QDate(2026, 4, 10), QTime(9, 0))).value, u"04100900"_s);
        const CopyReport report = copied(from, to);
        QCOMPARE(report.copied, 1);
        QCOMPARE(report.clashes, (QStringList {u"04100900"_s, u"04170900"_s}));
        QCOMPARE(numbersOf(to), (QStringList {u"3A 04180900"_s, u"2B 04170900"_s}));
    }

    // A failure part-way leaves the other history as it was; the copy then goes whole.
    void wholeOrNothing()
    {
        const HistoryStore from(m_dir.filePath(u"whole-mine.sqlite"_s));
        HistoryStore to(historyAt(m_dir.filePath(u"whole-team.sqlite"_s)));
        QVERIFY(recordMarkedClass(from, m_dir.path()));
        int runs = 0;
        to.betweenWrites = [&runs] {
            if (++runs == 3)
                throw std::runtime_error("fault");
        };
        QVERIFY(std::holds_alternative<CopyFailure>(CopyHistory(from, to)));
        to.betweenWrites = {};
        QCOMPARE(numbersOf(to), QStringList());
        QCOMPARE(copied(from, to).copied, 3);
    }
};

QTEST_GUILESS_MAIN(TestHistoryCopy)
#include "tst_historycopy.moc"
