// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TableRows.h"

#include "editor/QuestionTableModel.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTableView>

#include <algorithm>

namespace sorario {

RowRun TableRows::selectedRun() const
{
    const QModelIndexList rows = m_view.selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        const QModelIndex current = m_view.currentIndex();
        return current.isValid() ? RowRun {current.row(), 1} : RowRun {};
    }
    int first = rows.first().row();
    int last = first;
    for (const QModelIndex &i : rows) {
        first = std::min(first, i.row());
        last = std::max(last, i.row());
    }
    return {first, last - first + 1};
}

void TableRows::selectRun(RowRun run)
{
    const auto [first, count] = run;
    if (count <= 0 || first < 0 || first >= m_model.questionCount())
        return;
    m_view.setCurrentIndex(m_model.index(first, QuestionTableModel::QuestionColumn));
    const QItemSelection rows(
        m_model.index(first, 0), m_model.index(first + count - 1, QuestionTableModel::ColumnCount - 1));
    m_view.selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TableRows::connectActions(
    QAction &insert, QAction &below, QAction &end, QAction &remove, QAction &up, QAction &down)
{
    QObject::connect(&insert, &QAction::triggered, &m_view, [this] { insertRow(); });
    QObject::connect(&below, &QAction::triggered, &m_view, [this] { insertRowBelow(); });
    QObject::connect(&end, &QAction::triggered, &m_view, [this] { appendRow(); });
    QObject::connect(&remove, &QAction::triggered, &m_view, [this] { deleteRows(); });
    QObject::connect(&up, &QAction::triggered, &m_view, [this] { moveRows(-1); });
    QObject::connect(&down, &QAction::triggered, &m_view, [this] { moveRows(1); });
}

void TableRows::insertRow()
{
    selectRun(sorario::insertRow(m_model, selectedRun()));
}

void TableRows::insertRowBelow()
{
    selectRun(sorario::insertRowBelow(m_model, selectedRun()));
}

void TableRows::appendRow()
{
    selectRun(sorario::insertRowBelow(m_model, {}));
}

void TableRows::deleteRows()
{
    selectRun(sorario::deleteRows(m_model, selectedRun()));
}

void TableRows::moveRows(int delta)
{
    selectRun(sorario::moveRows(m_model, selectedRun(), delta));
}

QString TableRows::copyRows() const
{
    return sorario::copyRows(m_model, selectedRun());
}

int TableRows::pasteRows(const QString &tsv)
{
    const PastedRows pasted = sorario::pasteRows(m_model, selectedRun(), tsv);
    selectRun(pasted.inserted);
    return pasted.lineBreakRow;
}

bool TableRows::findNext(const QString &text)
{
    const QModelIndex found = sorario::findNext(m_model, m_view.currentIndex(), text);
    if (found.isValid())
        m_view.setCurrentIndex(found);
    return found.isValid();
}

} // namespace sorario
