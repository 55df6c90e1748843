// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PrintOptionColumns.h"

#include "history/Marks.h"
#include "settings/PrintOptionsFile.h"

#include <QSet>

#include <algorithm>
#include <array>

namespace sorario {
namespace {

struct Column
{
    const char *table;
    const char *name;
    const char *type; // the default is what a record made before the column printed
};

const std::array<Column, 11> Columns {{
    {"runs", "paper", "TEXT NOT NULL DEFAULT 'b5'"},
    {"runs", "keep_words", "INTEGER NOT NULL DEFAULT 0"},
    {"runs", "fit", "INTEGER NOT NULL DEFAULT 0"},
    {"runs", "answers_last", "INTEGER NOT NULL DEFAULT 0"},
    {"runs", "duplex_pad", "INTEGER NOT NULL DEFAULT 0"},
    {"runs", "keep_questions", "INTEGER NOT NULL DEFAULT 0"},
    {"runs", "choice_digits", "INTEGER NOT NULL DEFAULT 0"},
    {"sheets", "fitted_size", "INTEGER NOT NULL DEFAULT 0"},
    {"sheets", "pupil", "INTEGER NOT NULL DEFAULT 0"},
    {"files", "title", "TEXT"},
    {"files", "sheet_code", "TEXT"},
}};

QList<const Column *> missingColumns(const HistorySql &sql)
{
    QSet<QString> present;
    for (const char *table : {"runs", "sheets", "files"}) {
        QSqlQuery info = sql.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table)), {});
        while (sql.next(info))
            present.insert(QStringLiteral("%1.%2").arg(QLatin1String(table), info.value(1).toString()));
    }
    QList<const Column *> missing;
    for (const Column &c : Columns) {
        if (!present.contains(QStringLiteral("%1.%2").arg(QLatin1String(c.table), QLatin1String(c.name))))
            missing.append(&c);
    }
    return missing;
}

} // namespace

void AddPrintOptionColumns(const HistorySql &sql)
{
    if (missingColumns(sql).isEmpty())
        return;
    InWriteTransaction(sql, [&] {
        // Another program may have added them while this one waited for the file.
        for (const Column *c : missingColumns(sql))
            sql.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                         .arg(QLatin1String(c->table), QLatin1String(c->name), QLatin1String(c->type)),
                {});
    });
}

void WritePrintOptions(
    const HistorySql &sql, const QVariant &runId, const RecordedRun &run, const QVariantList &sheetIds)
{
    const RunOptions &o = run.options;
    sql.exec(QStringLiteral("UPDATE runs SET paper = ?, keep_words = ?, fit = ?, answers_last = ?,"
                            " duplex_pad = ?, keep_questions = ?, choice_digits = ? WHERE id = ?"),
        {PaperName(o.paper), o.lineBreaks == WordBreaks::KeepWords ? 1 : 0,
            o.overflow == Overflow::ShrinkFirst ? 1 : 0, o.answerPages == AnswerPlace::AllLast ? 1 : 0,
            o.duplex == DuplexPadding::BlankAfterOdd ? 1 : 0,
            o.pageBreaks == QuestionBreaks::KeepQuestions ? 1 : 0,
            o.choiceLabels == ChoiceLabels::Digits ? 1 : 0, runId});
    for (qsizetype k = 0; k < run.sheets.size() && k < sheetIds.size(); ++k)
        sql.exec(QStringLiteral("UPDATE sheets SET fitted_size = ?, pupil = ? WHERE id = ?"),
            {run.sheets[k].fittedSize, run.sheets[k].pupil, sheetIds[k]});
    for (qsizetype f = 0; f < run.files.size(); ++f) {
        if (const std::optional<FileHeadings> &h = run.files[f].headings)
            sql.exec(QStringLiteral(
                         "UPDATE files SET title = ?, sheet_code = ? WHERE run_id = ? AND position = ?"),
                {h->title, h->sheetCode, runId, f + 1});
    }
}

void ReadPrintOptions(const HistorySql &sql, const QVariant &runId, RecordedRun &run)
{
    // A file only read is not upgraded: its records read as the defaults, as they printed;
    // one from before sheets kept their pupil, or runs their choice labels, still has every
    // other column.
    const QList<const Column *> missing = missingColumns(sql);
    const auto lacks = [&missing](const char *name) {
        return std::any_of(missing.cbegin(), missing.cend(),
            [name](const Column *c) { return qstrcmp(c->name, name) == 0; });
    };
    const bool pupils = !lacks("pupil");
    const bool labels = !lacks("choice_digits");
    if (missing.size() > (pupils ? 0 : 1) + (labels ? 0 : 1))
        return;
    QSqlQuery row = sql.exec(labels
            ? QStringLiteral("SELECT paper, keep_words, fit, answers_last, duplex_pad, keep_questions,"
                             " choice_digits FROM runs WHERE id = ?")
            : QStringLiteral("SELECT paper, keep_words, fit, answers_last, duplex_pad, keep_questions, 0"
                             " FROM runs WHERE id = ?"),
        {runId});
    if (sql.next(row)) {
        RunOptions &o = run.options;
        o.paper = PaperNamed(row.value(0).toString()).value_or(Paper::B5);
        o.lineBreaks = row.value(1).toInt() == 1 ? WordBreaks::KeepWords : WordBreaks::Anywhere;
        o.overflow = row.value(2).toInt() == 1 ? Overflow::ShrinkFirst : Overflow::Ask;
        o.answerPages = row.value(3).toInt() == 1 ? AnswerPlace::AllLast : AnswerPlace::AfterEachSheet;
        o.duplex = row.value(4).toInt() == 1 ? DuplexPadding::BlankAfterOdd : DuplexPadding::None;
        o.pageBreaks = row.value(5).toInt() == 1 ? QuestionBreaks::KeepQuestions : QuestionBreaks::Anywhere;
        o.choiceLabels = row.value(6).toInt() == 1 ? ChoiceLabels::Digits : ChoiceLabels::Kana;
    }
    QSqlQuery sizes = sql.exec(pupils
            ? QStringLiteral("SELECT fitted_size, pupil FROM sheets WHERE run_id = ? ORDER BY id")
            : QStringLiteral("SELECT fitted_size, 0 FROM sheets WHERE run_id = ? ORDER BY id"),
        {runId});
    for (qsizetype k = 0; sql.next(sizes); ++k) {
        if (k < run.sheets.size()) {
            run.sheets[k].fittedSize = sizes.value(0).toInt();
            run.sheets[k].pupil = std::clamp(sizes.value(1).toInt(), 0, MaxPupil);
        }
    }
    QSqlQuery headings = sql.exec(
        QStringLiteral("SELECT title, sheet_code FROM files WHERE run_id = ? ORDER BY position"), {runId});
    for (qsizetype f = 0; sql.next(headings); ++f) {
        if (f < run.files.size() && !headings.value(0).isNull())
            run.files[f].headings = FileHeadings {headings.value(0).toString(), headings.value(1).toString()};
    }
}

} // namespace sorario
