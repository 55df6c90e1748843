// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"
#include "shared/QuestionRecord.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>

class QUndoStack;

namespace sorario {

// What a replace-all did: the cells it changed, or why it changed none.
enum class ReplaceFault { CellTooLong };
using ReplaceOutcome = Outcome<ReplaceFault, int>;

// The question file being edited: its six header lines and its questions, one row
// each with the part it falls in and the kind its markers make it. Every change goes through the undo stack;
// the apply… functions are what the undo commands call.
class QuestionTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { PartColumn, QuestionColumn, HintColumn, AnswerColumn, KindColumn, ColumnCount };

    QuestionTableModel(QUndoStack &undo, QObject *parent = nullptr);

    // A new file's content; the undo history starts afresh.
    void setLines(const QStringList &lines);
    // Six header lines, then three per question: what a save writes.
    QStringList lines() const;

    QString headerLine(int index) const { return m_header.value(index); }
    int questionCount() const { return int(m_rows.size()); }
    const QuestionRecord &record(int row) const { return m_rows[row]; }

    void editHeaderLine(int index, const QString &text);
    void insertRecords(int row, const QList<QuestionRecord> &records);
    void removeRecords(int row, int count);
    void moveRecords(int row, int count, int delta);
    // Replaces `find` in every question, hint and answer, as one undo step; nothing
    // when a cell would pass MaxLineLength: what a file may hold, and a bound on text
    // that replacing again and again would double each time.
    ReplaceOutcome replaceAll(const QString &find, const QString &replacement);

    // The part of each row (from 1), as the bank divides it; shown in the part column.
    void setParts(const QList<int> &partOfRow);
    // Problems to mark, by row; an empty map clears the marks.
    void setRowProblems(const QHash<int, QStringList> &problems);

    void applyCell(int row, int column, const QString &text);
    void applyHeaderLine(int index, const QString &text);
    void applyInsert(int row, const QList<QuestionRecord> &records);
    QList<QuestionRecord> applyRemove(int row, int count);
    void applyMove(int row, int count, int delta);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

Q_SIGNALS:
    void headerLineChanged(int index);
    // Any change of the file's lines, by an edit, an undo or a redo.
    void linesChanged();

private:
    QString cell(int row, int column) const;

    QUndoStack &m_undo;
    QStringList m_header;
    QList<QuestionRecord> m_rows;
    QList<int> m_parts;
    QHash<int, QStringList> m_problems;
};

} // namespace sorario
