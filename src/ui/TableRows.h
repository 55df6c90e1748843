// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/RowEdits.h"

#include <QString>

class QAction;
class QTableView;

namespace sorario {

class QuestionTableModel;

// The question table's row work on the view's selection: the rows selected (or the
// current one) go to the editor's row edits, and the rows they return are selected.
class TableRows
{
public:
    TableRows(QuestionTableModel &model, QTableView &view)
        : m_model(model)
        , m_view(view)
    {
    }

    // The row actions of the editor's menu and toolbar, each to its row work.
    void connectActions(
        QAction &insert, QAction &below, QAction &end, QAction &remove, QAction &up, QAction &down);
    void insertRow();
    void insertRowBelow();
    void appendRow();
    void deleteRows();
    void moveRows(int delta);
    QString copyRows() const;
    // 0, or the 1-based row of the pasted text whose cell holds a line break.
    int pasteRows(const QString &tsv);
    // Makes the next cell holding `text` current; false when none.
    bool findNext(const QString &text);

private:
    // The selection as one run of rows (count 0 when nothing is selected).
    RowRun selectedRun() const;
    void selectRun(RowRun run);

    QuestionTableModel &m_model;
    QTableView &m_view;
};

} // namespace sorario
