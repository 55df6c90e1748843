// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/RowEdits.h"

#include "editor/QuestionTableModel.h"
#include "exchange/Csv.h"

#include <algorithm>

namespace sorario {

RowRun insertRow(QuestionTableModel &model, RowRun selected)
{
    const int at = selected.count > 0 ? selected.first : model.questionCount();
    model.insertRecords(at, {QuestionRecord {}});
    return {at, 1};
}

RowRun insertRowBelow(QuestionTableModel &model, RowRun selected)
{
    return insertRow(
        model, {selected.count > 0 ? selected.first + selected.count : model.questionCount(), 1});
}

RowRun deleteRows(QuestionTableModel &model, RowRun selected)
{
    model.removeRecords(selected.first, selected.count);
    return {std::min(selected.first, model.questionCount() - 1), 1};
}

RowRun moveRows(QuestionTableModel &model, RowRun selected, int delta)
{
    const auto [first, count] = selected;
    if (count == 0 || first + delta < 0 || first + count + delta > model.questionCount())
        return {};
    model.moveRecords(first, count, delta);
    return {first + delta, count};
}

QString copyRows(const QuestionTableModel &model, RowRun selected)
{
    QString text;
    for (int row = selected.first; row < selected.first + selected.count; ++row) {
        const QuestionRecord &r = model.record(row);
        text += delimitedRow({r.QuestionText, r.Hint, r.Answer}, u'\t') + QStringLiteral("\r\n");
    }
    return text;
}

PastedRows pasteRows(QuestionTableModel &model, RowRun selected, const QString &tsv)
{
    const CsvRecords parsed = parseDelimited(tsv, u'\t');
    if (parsed.lineBreakRow > 0)
        return {{}, parsed.lineBreakRow};
    QList<QuestionRecord> records;
    for (const CsvRecord &r : parsed.records) {
        if (isBlankRecord(r))
            continue;
        records.append({r.cells.value(0), r.cells.value(1), r.cells.value(2)});
    }
    const int at = selected.count > 0 ? selected.first : model.questionCount();
    model.insertRecords(at, records);
    return {{at, int(records.size())}, 0};
}

QModelIndex findNext(const QuestionTableModel &model, const QModelIndex &current, const QString &text)
{
    const int rows = model.questionCount();
    if (text.isEmpty() || rows == 0)
        return {};
    constexpr int FirstColumn = QuestionTableModel::QuestionColumn;
    constexpr int Columns = QuestionTableModel::AnswerColumn - FirstColumn + 1;
    const int start
        = current.isValid() ? current.row() * Columns + std::max(current.column() - FirstColumn, 0) : -1;
    for (int step = 1; step <= rows * Columns; ++step) {
        const int cell = (start + step) % (rows * Columns);
        const QModelIndex index = model.index(cell / Columns, FirstColumn + cell % Columns);
        if (index.data().toString().contains(text))
            return index;
    }
    return {};
}

} // namespace sorario
