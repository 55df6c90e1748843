// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QModelIndex>
#include <QString>

namespace sorario {

class QuestionTableModel;

// Adjacent rows of the question table: the first and how many (none when count is 0).
struct RowRun
{
    int first = 0;
    int count = 0;
};

// Row work on the question table, over the rows selected. Each change goes through
// the model, and so onto the undo stack, and returns the rows to select after it
// (none: the selection stays).
RowRun insertRow(QuestionTableModel &model, RowRun selected);
// After the rows selected; at the end when none is.
RowRun insertRowBelow(QuestionTableModel &model, RowRun selected);
RowRun deleteRows(QuestionTableModel &model, RowRun selected);
RowRun moveRows(QuestionTableModel &model, RowRun selected, int delta);

// The rows as a spreadsheet copies them: tab-separated, CR LF after each.
QString copyRows(const QuestionTableModel &model, RowRun selected);

struct PastedRows
{
    RowRun inserted;
    int lineBreakRow = 0; // 1-based row of the pasted text whose cell holds a line break
};

// Rows copied from a spreadsheet, inserted before the selected rows (after the last
// row when none are). Nothing is inserted when a cell holds a line break.
PastedRows pasteRows(QuestionTableModel &model, RowRun selected, const QString &tsv);

// The next cell after `current` that holds `text`, round to the top; invalid when none.
QModelIndex findNext(const QuestionTableModel &model, const QModelIndex &current, const QString &text);

} // namespace sorario
