// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/PrintOptionColumns.h"

#include "history/HistoryBackend.h"
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

// A two-way choice kept as 1 when `Member` is `On`, else 0 (`Off`).
template <auto Member, auto On> QVariant writeFlag(const SheetOptions &o)
{
    return o.*Member == On ? 1 : 0;
}

template <auto Member, auto On, auto Off> void readFlag(const QVariant &v, SheetOptions &o)
{
    o.*Member = v.toInt() == 1 ? On : Off;
}

template <auto Member, auto On, auto Off> constexpr OptionColumn flagColumn(const char *name)
{
    return {{"runs", name, Flag}, writeFlag<Member, On>, readFlag<Member, On, Off>};
}

const std::array<OptionColumn, 7> OptionColumns {{
    {{"runs", "paper", "TEXT NOT NULL DEFAULT 'b5'"},
        [](const SheetOptions &o) -> QVariant { return PaperName(o.paper); },
        [](const QVariant &v, SheetOptions &o) { o.paper = PaperNamed(v.toString()).value_or(Paper::B5); }},
    flagColumn<&SheetOptions::lineBreaks, WordBreaks::KeepWords, WordBreaks::Anywhere>("keep_words"),
    flagColumn<&SheetOptions::overflow, Overflow::ShrinkFirst, Overflow::Ask>("fit"),
    flagColumn<&SheetOptions::answerPages, AnswerPlace::AllLast, AnswerPlace::AfterEachSheet>("answers_last"),
    flagColumn<&SheetOptions::duplex, DuplexPadding::BlankAfterOdd, DuplexPadding::None>("duplex_pad"),
    flagColumn<&SheetOptions::pageBreaks, QuestionBreaks::KeepQuestions, QuestionBreaks::Anywhere>(
        "keep_questions"),
    flagColumn<&SheetOptions::choiceLabels, ChoiceLabels::Digits, ChoiceLabels::Kana>("choice_digits"),
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
        for (const QString &column : sql.backend->columns(sql, QLatin1String(table)))
            present.insert(QStringLiteral("%1.%2").arg(QLatin1String(table), column));
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
