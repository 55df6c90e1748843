// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PrintOptionColumns.h"

#include "history/Marks.h"
#include "settings/PrintOptionsFile.h"

#include <QSet>
#include <QStringList>

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

// A sheet option kept in a column of runs, and its two directions.
struct OptionColumn
{
    Column column;
    QVariant (*write)(const SheetOptions &);
    void (*read)(const QVariant &, SheetOptions &);
};

constexpr const char *Flag = "INTEGER NOT NULL DEFAULT 0";

const std::array<OptionColumn, 7> OptionColumns {{
    {{"runs", "paper", "TEXT NOT NULL DEFAULT 'b5'"},
        [](const SheetOptions &o) -> QVariant { return PaperName(o.paper); },
        [](const QVariant &v, SheetOptions &o) { o.paper = PaperNamed(v.toString()).value_or(Paper::B5); }},
    {{"runs", "keep_words", Flag},
        [](const SheetOptions &o) -> QVariant { return o.lineBreaks == WordBreaks::KeepWords ? 1 : 0; },
        [](const QVariant &v, SheetOptions &o) {
            o.lineBreaks = v.toInt() == 1 ? WordBreaks::KeepWords : WordBreaks::Anywhere;
        }},
    {{"runs", "fit", Flag},
        [](const SheetOptions &o) -> QVariant { return o.overflow == Overflow::ShrinkFirst ? 1 : 0; },
        [](const QVariant &v, SheetOptions &o) {
            o.overflow = v.toInt() == 1 ? Overflow::ShrinkFirst : Overflow::Ask;
        }},
    {{"runs", "answers_last", Flag},
        [](const SheetOptions &o) -> QVariant { return o.answerPages == AnswerPlace::AllLast ? 1 : 0; },
        [](const QVariant &v, SheetOptions &o) {
            o.answerPages = v.toInt() == 1 ? AnswerPlace::AllLast : AnswerPlace::AfterEachSheet;
        }},
    {{"runs", "duplex_pad", Flag},
        [](const SheetOptions &o) -> QVariant { return o.duplex == DuplexPadding::BlankAfterOdd ? 1 : 0; },
        [](const QVariant &v, SheetOptions &o) {
            o.duplex = v.toInt() == 1 ? DuplexPadding::BlankAfterOdd : DuplexPadding::None;
        }},
    {{"runs", "keep_questions", Flag},
        [](const SheetOptions &o) -> QVariant {
            return o.pageBreaks == QuestionBreaks::KeepQuestions ? 1 : 0;
        },
        [](const QVariant &v, SheetOptions &o) {
            o.pageBreaks = v.toInt() == 1 ? QuestionBreaks::KeepQuestions : QuestionBreaks::Anywhere;
        }},
    {{"runs", "choice_digits", Flag},
        [](const SheetOptions &o) -> QVariant { return o.choiceLabels == ChoiceLabels::Digits ? 1 : 0; },
        [](const QVariant &v, SheetOptions &o) {
            o.choiceLabels = v.toInt() == 1 ? ChoiceLabels::Digits : ChoiceLabels::Kana;
        }},
}};

const std::array<Column, 4> OtherColumns {{
    {"sheets", "fitted_size", Flag},
    {"sheets", "pupil", Flag},
    {"files", "title", "TEXT"},
    {"files", "sheet_code", "TEXT"},
}};

QList<const Column *> allColumns()
{
    QList<const Column *> all;
    for (const OptionColumn &c : OptionColumns)
        all.append(&c.column);
    for (const Column &c : OtherColumns)
        all.append(&c);
    return all;
}

QString qualified(const Column &c)
{
    return QStringLiteral("%1.%2").arg(QLatin1String(c.table), QLatin1String(c.name));
}

QSet<QString> presentColumns(const HistorySql &sql)
{
    QSet<QString> present;
    for (const char *table : {"runs", "sheets", "files"}) {
        QSqlQuery info = sql.exec(QStringLiteral("PRAGMA table_info(%1)").arg(QLatin1String(table)), {});
        while (sql.next(info))
            present.insert(QStringLiteral("%1.%2").arg(QLatin1String(table), info.value(1).toString()));
    }
    return present;
}

QList<const Column *> missingColumns(const HistorySql &sql)
{
    const QSet<QString> present = presentColumns(sql);
    QList<const Column *> missing;
    for (const Column *c : allColumns()) {
        if (!present.contains(qualified(*c)))
            missing.append(c);
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
    QStringList sets;
    QVariantList values;
    for (const OptionColumn &c : OptionColumns) {
        sets.append(QStringLiteral("%1 = ?").arg(QLatin1String(c.column.name)));
        values.append(c.write(run.options.sheet));
    }
    values.append(runId);
    sql.exec(QStringLiteral("UPDATE runs SET %1 WHERE id = ?").arg(sets.join(QStringLiteral(", "))), values);
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
    // A file only read is not upgraded: what its records lack reads as the default,
    // as they printed.
    const QSet<QString> present = presentColumns(sql);
    QStringList names;
    QList<const OptionColumn *> kept;
    for (const OptionColumn &c : OptionColumns) {
        if (present.contains(qualified(c.column))) {
            names.append(QLatin1String(c.column.name));
            kept.append(&c);
        }
    }
    if (!kept.isEmpty()) {
        QSqlQuery row = sql.exec(
            QStringLiteral("SELECT %1 FROM runs WHERE id = ?").arg(names.join(QStringLiteral(", "))),
            {runId});
        if (sql.next(row)) {
            for (int k = 0; k < kept.size(); ++k)
                kept[k]->read(row.value(k), run.options.sheet);
        }
    }
    if (!present.contains(QStringLiteral("sheets.fitted_size")))
        return;
    const bool pupils = present.contains(QStringLiteral("sheets.pupil"));
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
    if (!present.contains(QStringLiteral("files.title")))
        return;
    QSqlQuery headings = sql.exec(
        QStringLiteral("SELECT title, sheet_code FROM files WHERE run_id = ? ORDER BY position"), {runId});
    for (qsizetype f = 0; sql.next(headings); ++f) {
        if (f < run.files.size() && !headings.value(0).isNull())
            run.files[f].headings = FileHeadings {headings.value(0).toString(), headings.value(1).toString()};
    }
}

} // namespace sorario
