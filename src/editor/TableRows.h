// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <utility>

class QTableView;

namespace sorario {

class QuestionTableModel;

// Row work on the question table, over the view's selection: each change goes
// through the model, and so onto the undo stack.
class TableRows
{
public:
    TableRows(QuestionTableModel &model, QTableView &view)
        : m_model(model)
        , m_view(view)
    {
    }

    void insertRow();
    void deleteRows();
    void moveRows(int delta);
    // The selected rows as a spreadsheet copies them: tab-separated, CR LF after each.
    QString copyRows() const;
    // Rows copied from a spreadsheet, inserted before the current row. 0, or the
    // 1-based row of the pasted text whose cell holds a line break (nothing inserted).
    int pasteRows(const QString &tsv);
    // Selects the next cell after the current one that holds `text`; false when none.
    bool findNext(const QString &text);

private:
    // The selection as one run of rows: first and count (count 0 when nothing is selected).
    std::pair<int, int> selectedRun() const;
    void selectRun(int first, int count);

    QuestionTableModel &m_model;
    QTableView &m_view;
};

} // namespace sorario
