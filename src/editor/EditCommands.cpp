// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditCommands.h"

#include "editor/QuestionTableModel.h"

namespace sorario {

SetCellCommand::SetCellCommand(QuestionTableModel &model, int row, int column, QString before, QString after)
    : QUndoCommand(QStringLiteral("セルの編集"))
    , m_model(model)
    , m_row(row)
    , m_column(column)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void SetCellCommand::undo()
{
    m_model.applyCell(m_row, m_column, m_before);
}

void SetCellCommand::redo()
{
    m_model.applyCell(m_row, m_column, m_after);
}

SetHeaderLineCommand::SetHeaderLineCommand(
    QuestionTableModel &model, int index, QString before, QString after)
    : QUndoCommand(QStringLiteral("見出しの編集"))
    , m_model(model)
    , m_index(index)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void SetHeaderLineCommand::undo()
{
    m_model.applyHeaderLine(m_index, m_before);
}

void SetHeaderLineCommand::redo()
{
    m_model.applyHeaderLine(m_index, m_after);
}

InsertRowsCommand::InsertRowsCommand(
    QuestionTableModel &model, int row, QList<QuestionRecord> records, Direction direction)
    : QUndoCommand(direction == Direction::Insert ? QStringLiteral("行の挿入") : QStringLiteral("行の削除"))
    , m_model(model)
    , m_row(row)
    , m_records(std::move(records))
    , m_direction(direction)
{
}

void InsertRowsCommand::insert()
{
    m_model.applyInsert(m_row, m_records);
}

void InsertRowsCommand::remove()
{
    m_model.applyRemove(m_row, int(m_records.size()));
}

void InsertRowsCommand::undo()
{
    m_direction == Direction::Insert ? remove() : insert();
}

void InsertRowsCommand::redo()
{
    m_direction == Direction::Insert ? insert() : remove();
}

MoveRowsCommand::MoveRowsCommand(QuestionTableModel &model, int row, int count, int delta)
    : QUndoCommand(QStringLiteral("行の移動"))
    , m_model(model)
    , m_row(row)
    , m_count(count)
    , m_delta(delta)
{
}

void MoveRowsCommand::undo()
{
    m_model.applyMove(m_row + m_delta, m_count, -m_delta);
}

void MoveRowsCommand::redo()
{
    m_model.applyMove(m_row, m_count, m_delta);
}

} // namespace sorario
