// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TableRows.h"

#include "editor/QuestionTableModel.h"
#include "exchange/Csv.h"

#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

namespace sorario {

std::pair<int, int> TableRows::selectedRun() const
{
    const QModelIndexList rows = m_view.selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        const QModelIndex current = m_view.currentIndex();
        return current.isValid() ? std::pair {current.row(), 1} : std::pair {0, 0};
    }
    int first = rows.first().row();
    int last = first;
    for (const QModelIndex &i : rows) {
        first = std::min(first, i.row());
        last = std::max(last, i.row());
    }
    return {first, last - first + 1};
}

void TableRows::selectRun(int first, int count)
{
    if (count <= 0 || first < 0 || first >= m_model.questionCount())
        return;
    m_view.setCurrentIndex(m_model.index(first, QuestionTableModel::QuestionColumn));
    const QItemSelection run(
        m_model.index(first, 0), m_model.index(first + count - 1, QuestionTableModel::ColumnCount - 1));
    m_view.selectionModel()->select(run, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TableRows::insertRow()
{
    const auto [first, count] = selectedRun();
    const int at = count > 0 ? first : m_model.questionCount();
    m_model.insertRecords(at, {QuestionRecord {}});
    selectRun(at, 1);
}

void TableRows::deleteRows()
{
    const auto [first, count] = selectedRun();
    m_model.removeRecords(first, count);
    selectRun(std::min(first, m_model.questionCount() - 1), 1);
}

void TableRows::moveRows(int delta)
{
    const auto [first, count] = selectedRun();
    if (count == 0 || first + delta < 0 || first + count + delta > m_model.questionCount())
        return;
    m_model.moveRecords(first, count, delta);
    selectRun(first + delta, count);
}

QString TableRows::copyRows() const
{
    const auto [first, count] = selectedRun();
    QString text;
    for (int row = first; row < first + count; ++row) {
        const QuestionRecord &r = m_model.record(row);
        text += delimitedRow({r.QuestionText, r.Hint, r.Answer}, u'\t') + QStringLiteral("\r\n");
    }
    return text;
}

int TableRows::pasteRows(const QString &tsv)
{
    const CsvRecords parsed = parseDelimited(tsv, u'\t');
    if (parsed.lineBreakRow > 0)
        return parsed.lineBreakRow;
    QList<QuestionRecord> records;
    for (const CsvRecord &r : parsed.records) {
        if (isBlankRecord(r))
            continue;
        records.append({r.cells.value(0), r.cells.value(1), r.cells.value(2)});
    }
    const auto [first, count] = selectedRun();
    const int at = count > 0 ? first : m_model.questionCount();
    m_model.insertRecords(at, records);
    selectRun(at, int(records.size()));
    return 0;
}

bool TableRows::findNext(const QString &text)
{
    const int rows = m_model.questionCount();
    if (text.isEmpty() || rows == 0)
        return false;
    constexpr int FirstColumn = QuestionTableModel::QuestionColumn;
    constexpr int Columns = QuestionTableModel::AnswerColumn - FirstColumn + 1;
    const QModelIndex current = m_view.currentIndex();
    const int start
        = current.isValid() ? current.row() * Columns + std::max(current.column() - FirstColumn, 0) : -1;
    for (int step = 1; step <= rows * Columns; ++step) {
        const int cell = (start + step) % (rows * Columns);
        const QModelIndex index = m_model.index(cell / Columns, FirstColumn + cell % Columns);
        if (index.data().toString().contains(text)) {
            m_view.setCurrentIndex(index);
            return true;
        }
    }
    return false;
}

} // namespace sorario
