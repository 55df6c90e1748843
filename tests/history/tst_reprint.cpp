// SPDX-License-Identifier: GPL-3.0-or-later
// A reprint: what it takes of the record, and a sheet reprinted alone sets its word
// groups as in its whole run.
#include "history/HistoryRecord.h"
#include "history/QuestionKey.h"
#include "print/PrintRun.h"
#include "print/RecordingSurface.h"
#include "setup/Reprint.h"

#include "support/Fixtures.h"
#include "support/HistoryRuns.h"

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
    // A reprint prints the record: a file changed or gone is a note, unless the record is
    // too old to hold the headings.
    void reprintTakesTheRecord_data()
    {
        QTest::addColumn<bool>("headings");
        QTest::addColumn<int>("fileQuestions"); // 0: the file is gone
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QStringList>("notes");
        const QString gone = u"記録された問題ファイルがありません。"_s;
        const QString changed = u"問題ファイルが記録の後で変更されています。"_s;
        QTest::newRow("as recorded") << true << 4 << QString() << QStringList();
        QTest::newRow("changed") << true << 5 << QString() << QStringList {changed};
        QTest::newRow("gone") << true << 0 << QString() << QStringList {gone};
        QTest::newRow("older record, changed") << false << 5 << QString() << QStringList {changed};
        QTest::newRow("older record, gone") << false << 0 << gone << QStringList {gone};
    }
    void reprintTakesTheRecord()
    {
        QFETCH(bool, headings);
        QFETCH(int, fileQuestions);
        QTemporaryDir dir;
        const QString path = writeSjisLines(dir.filePath(u"q.qvn"_s), questionFile(u"T"_s, u"2"_s, 4));
        RecordedRun run = runOf(u"2B"_s, {1, 2}, u"12071030"_s);
        run.files = {{path, *FileDigest(path)}};
        if (headings)
            run.files[0].headings = FileHeadings {u"文型"_s, u"EG1"_s};
        run.options.parts = {2};
        run.options.sheet.paper = Paper::B4TwoUp;
        run.options.sheet.choiceLabels = ChoiceLabels::Digits;
        if (fileQuestions > 0)
            writeSjisLines(path, questionFile(u"T"_s, u"2"_s, fileQuestions));
        else
            QFile::remove(path);
        const ReprintOutcome reprint = reprintOf(run, {0});
        const QString refused = reprint.ok() ? QString() : ReprintFailureMessage(reprint);
        QTEST(refused.section(QDir::toNativeSeparators(dir.path()), 0, 0), "refused");
        QStringList notes;
        for (const QString &note : reprint.value.notes)
            notes.append(note.section(QDir::toNativeSeparators(dir.path()), 0, 0));
        QTEST(notes, "notes");
        if (!reprint.ok())
            return;
        const SheetJob &job = reprint.value.job;
        const DrawnSheet sheet = job.sheetOf(1);
        QCOMPARE(int(sheet.count), 2);
        QCOMPARE(sheet.questions[1], question(2));
        QCOMPARE(job.heading.rangeLine, u"その２"_s);
        QCOMPARE(job.heading.title, headings ? u"文型"_s : u"T"_s);
        QCOMPARE(job.options.paper, Paper::B4TwoUp);
        QCOMPARE(job.options.choiceLabels, ChoiceLabels::Digits);
        QCOMPARE(sheet.clock.now(), run.when);
    }

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
