// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"

#include <QList>
#include <QUndoCommand>

namespace sorario {

class QuestionTableModel;

class SetCellCommand : public QUndoCommand
{
public:
    SetCellCommand(QuestionTableModel &model, int row, int column, QString before, QString after);
    void undo() override;
    void redo() override;

private:
    QuestionTableModel &m_model;
    int m_row;
    int m_column;
    QString m_before;
    QString m_after;
};

class SetHeaderLineCommand : public QUndoCommand
{
public:
    SetHeaderLineCommand(QuestionTableModel &model, int index, QString before, QString after);
    void undo() override;
    void redo() override;

private:
    QuestionTableModel &m_model;
    int m_index;
    QString m_before;
    QString m_after;
};

// Inserting rows, and, run backwards, removing them.
class InsertRowsCommand : public QUndoCommand
{
public:
    enum class Direction { Insert, Remove };
    InsertRowsCommand(QuestionTableModel &model, int row, QList<QuestionRecord> records, Direction direction);
    void undo() override;
    void redo() override;

private:
    void insert();
    void remove();

    QuestionTableModel &m_model;
    int m_row;
    QList<QuestionRecord> m_records;
    Direction m_direction;
};

class MoveRowsCommand : public QUndoCommand
{
public:
    MoveRowsCommand(QuestionTableModel &model, int row, int count, int delta);
    void undo() override;
    void redo() override;

private:
    QuestionTableModel &m_model;
    int m_row;
    int m_count;
    int m_delta;
};

} // namespace sorario
