// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RunRows.h"

#include "history/MarkTables.h"
#include "history/PrintOptionColumns.h"
#include "history/QuestionKey.h"
#include "history/RunNumber.h"

#include <QSet>

namespace sorario {
namespace {

QString timeText(const QDateTime &when)
{
    return when.toString(Qt::ISODateWithMs);
}

QDateTime timeOf(const QVariant &text)
{
    return QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
}

QString partsText(const QList<int> &parts)
{
    QStringList items;
    for (int part : parts)
        items.append(QString::number(part));
    return items.join(u',');
}

QList<int> partsOf(const QString &text)
{
    QList<int> parts;
    for (const QString &item : text.split(u',', Qt::SkipEmptyParts))
        parts.append(item.toInt());
    return parts;
}

} // namespace

RecordedRun LoadRun(const HistoryConnection &c, QSqlQuery &row)
{
    RecordedRun run;
    const qint64 id = row.value(0).toLongLong();
    run.id = id;
    run.className = row.value(1).toString();
    run.when = timeOf(row.value(2));
    run.output = row.value(3).toInt() == 2 ? RunOutput::Exported : RunOutput::Printed;
    RunOptions &o = run.options;
    o.sheet.AnswerLayout = static_cast<std::int16_t>(row.value(4).toInt());
    o.sheet.AttachAnswers = static_cast<std::int16_t>(row.value(5).toInt());
    o.sheet.FontName = row.value(6).toString();
    o.sheet.FontSize = static_cast<std::int16_t>(row.value(7).toInt());
    o.sheet.SheetLogo = row.value(8).toString();
    o.sheet.sheetCount = static_cast<std::int16_t>(row.value(9).toInt());
    o.allParts = row.value(10).toInt() == 1;
    o.parts = partsOf(row.value(11).toString());
    o.seed = row.value(12).toString().toULongLong();

    QSqlQuery files
        = c.exec(QStringLiteral("SELECT path, digest FROM files WHERE run_id = ? ORDER BY position"), {id});
    while (nextRow(files))
        run.files.append({files.value(0).toString(), files.value(1).toString()});
    QSqlQuery sheets
        = c.exec(QStringLiteral("SELECT id, number, at FROM sheets WHERE run_id = ? ORDER BY id"), {id});
    while (nextRow(sheets)) {
        RecordedSheet sheet {sheets.value(1).toString(), timeOf(sheets.value(2)), {}};
        QSqlQuery q = c.exec(QStringLiteral("SELECT question, hint, answer FROM questions"
                                            " WHERE sheet_id = ? ORDER BY position"),
            {sheets.value(0)});
        while (nextRow(q))
            sheet.questions.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
        run.sheets.append(sheet);
    }
    ReadPrintOptions(c.sql(), id, run);
    return run;
}

QString RunColumns()
{
    return QStringLiteral("SELECT id, class, at, output, answer_layout, attach_answers, font_name, font_size,"
                          " sheet_logo, sheet_count, all_parts, parts, seed FROM runs");
}

QVariant InsertRun(
    const HistoryConnection &c, const RecordedRun &run, const std::function<void()> &betweenWrites)
{
    const RunOptions &o = run.options;
    const QVariant id
        = c.exec(QStringLiteral("INSERT INTO runs (class, at, output, answer_layout, attach_answers,"
                                " font_name, font_size, sheet_logo, sheet_count, all_parts, parts, seed)"
                                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
               {run.className, timeText(run.when), run.output == RunOutput::Exported ? 2 : 1,
                   o.sheet.AnswerLayout, o.sheet.AttachAnswers, o.sheet.FontName, o.sheet.FontSize,
                   o.sheet.SheetLogo, o.sheet.sheetCount, o.allParts ? 1 : 0, partsText(o.parts),
                   QString::number(o.seed)})
              .lastInsertId();
    for (qsizetype f = 0; f < run.files.size(); ++f)
        c.exec(QStringLiteral("INSERT INTO files (run_id, position, path, digest) VALUES (?, ?, ?, ?)"),
            {id, f + 1, run.files[f].path, run.files[f].digest});
    if (betweenWrites)
        betweenWrites();
    QVariantList sheetIds;
    for (const RecordedSheet &sheet : run.sheets) {
        const QVariant sheetId
            = c.exec(QStringLiteral("INSERT INTO sheets (run_id, number, at) VALUES (?, ?, ?)"),
                   {id, sheet.sheetNumber, timeText(sheet.printedAt)})
                  .lastInsertId();
        sheetIds.append(sheetId);
        QVariantList questions;
        for (qsizetype q = 0; q < sheet.questions.size(); ++q) {
            const QuestionRecord &r = sheet.questions[q];
            questions << sheetId << q + 1 << QuestionKey(r) << r.QuestionText << r.Hint << r.Answer;
        }
        InsertRows(c.sql(),
            QStringLiteral("INSERT INTO questions (sheet_id, position, key, question, hint, answer)"), 6,
            questions);
    }
    WritePrintOptions(c.sql(), id, run, sheetIds);
    return id;
}

void AddCopiedRun(const HistoryConnection &c, const CopiedRun &copied, CopyReport &report,
    const std::function<void()> &betweenWrites)
{
    const RecordedRun &run = copied.run;
    const QString number = run.sheets.isEmpty() ? QString() : RunNumberOf(run.sheets.first().sheetNumber);
    // The runs here that hold one of its numbers, or share its class and time.
    QSet<qint64> holders;
    for (const RecordedSheet &sheet : run.sheets)
        for (QSqlQuery row
             = c.exec(QStringLiteral("SELECT run_id FROM sheets WHERE number = ?"), {sheet.sheetNumber});
             nextRow(row);)
            holders.insert(row.value(0).toLongLong());
    bool reserved = false;
    if (!number.isEmpty()) {
        QSqlQuery row = c.exec(QStringLiteral("SELECT run_id FROM run_numbers WHERE number = ?"), {number});
        reserved = nextRow(row);
        if (reserved && !row.value(0).isNull())
            holders.insert(row.value(0).toLongLong());
    }
    QSqlQuery same = c.exec(QStringLiteral("SELECT id FROM runs WHERE class = ? AND at = ?"),
        {run.className, timeText(run.when)});
    QSet<qint64> alike;
    while (nextRow(same))
        alike.insert(same.value(0).toLongLong());
    if (run.sheets.isEmpty() ? !alike.isEmpty()
                             : (holders.size() == 1 && alike.contains(*holders.cbegin()))) {
        ++report.present;
        return;
    }
    if (!holders.isEmpty() || reserved) {
        report.clashes.append(number);
        return;
    }
    const QVariant id = InsertRun(c, run, betweenWrites);
    if (const HistoryOutcome<> marked = WriteMarks(c.sql(), id.toLongLong(), copied.marks); !marked.ok())
        throw HistoryFailure(*marked.fault, marked.detail);
    if (copied.points)
        (void)WriteRunPoints(c.sql(), id.toLongLong(), copied.points);
    if (!number.isEmpty())
        c.exec(QStringLiteral("INSERT INTO run_numbers (number, run_id) VALUES (?, ?)"), {number, id});
    ++report.copied;
}

} // namespace sorario
