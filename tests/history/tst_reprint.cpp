// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet reprinted alone sets its word groups as in its whole run.
#include "history/HistoryRecord.h"
#include "print/PrintRun.h"
#include "print/RecordingSurface.h"
#include "setup/Reprint.h"
#include "setup/SheetProcedures.h"

#include "support/Fixtures.h"

using namespace sorario::test;

namespace {

// The lines holding a word group that `sheets` sheets print, question and answer pages.
QStringList wordGroupLines(Module1 &m, int sheets, const DrawSheet &draw)
{
    RecordingSurface surface;
    draw(1);
    PrintDocument(SheetJobOf(m, sheets, draw, {}, OverflowPolicy::PrintAll), surface);
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
        auto whole = std::make_unique<Module1>();
        QCOMPARE(failureOf(prepareReprint(*whole, run, {0, 1, 2})), QString());
        const QStringList first = wordGroupLines(*whole, 3, ReprintDraw(*whole, run, {0, 1, 2}));
        QCOMPARE(first.size(), 6); // each sheet's question and answer page
        for (int k = 0; k < 3; ++k) {
            auto again = std::make_unique<Module1>();
            QCOMPARE(failureOf(prepareReprint(*again, run, {k})), QString());
            QCOMPARE(wordGroupLines(*again, 1, ReprintDraw(*again, run, {k})), first.mid(2 * k, 2));
        }
    }
};

QTEST_GUILESS_MAIN(TestReprint)
#include "tst_reprint.moc"
