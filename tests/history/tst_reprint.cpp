// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet reprinted alone sets its word groups as in its whole run.
#include "history/HistoryRecord.h"
#include "print/PrintRun.h"
#include "print/RecordingSurface.h"
#include "setup/Reprint.h"

#include "support/Fixtures.h"

using namespace sorario::test;

namespace {

// The lines holding a word group that a reprint prints, question and answer pages.
QStringList wordGroupLines(const ReprintOutcome &reprint)
{
    RecordingSurface surface;
    PrintDocument(reprint.value.job, surface);
    QStringList lines;
    for (const PrintOperation &op : surface.log().texts())
        if (op.text.contains(u"（ "_s))
            lines.append(op.text);
    return lines;
}

} // namespace

class TestReprint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void eachSheetItsOwnOrder()
    {
        const QuestionRecord q {
            u"{{She / is / a / good / teacher}}."_s, u"**"_s, u"She is a good teacher."_s};
        const QDateTime when(QDate(2026, 12, 7), QTime(10, 30));
        RecordedRun run {.className = u"2B"_s,
            .when = when,
            .options = {.sheet = {.FontName = {}, .FontSize = 10, .SheetLogo = {}}, .parts = {}},
            .files = {{u"/q.qvn"_s, u"d"_s, FileHeadings {u"T"_s, u"S"_s}}},
            .sheets
            = {{u"12071030-1"_s, when, {q}}, {u"12071030-2"_s, when, {q}}, {u"12071030-3"_s, when, {q}}}};
        const ReprintOutcome whole = reprintOf(run, {0, 1, 2});
        QCOMPARE(failureOf(whole), QString());
        const QStringList first = wordGroupLines(whole);
        QCOMPARE(first.size(), 6); // each sheet's question and answer page
        for (int k = 0; k < 3; ++k) {
            const ReprintOutcome again = reprintOf(run, {k});
            QCOMPARE(failureOf(again), QString());
            QCOMPARE(wordGroupLines(again), first.mid(2 * k, 2));
        }
    }
};

QTEST_GUILESS_MAIN(TestReprint)
#include "tst_reprint.moc"
