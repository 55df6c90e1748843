// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/QuestionTableModel.h"

#include "bank/QuestionKinds.h"
#include "editor/EditCommands.h"
#include "shared/ProgramConstants.h"
#include "shared/QuestionRecord.h"

#include <QBrush>
#include <QColor>
#include <QUndoStack>

namespace sorario {
namespace {

// One column's text of a question, for a record that may or may not be const.
template <typename Record> auto &field(Record &r, int column)
{
    return column == QuestionTableModel::QuestionColumn ? r.QuestionText
        : column == QuestionTableModel::HintColumn      ? r.Hint
                                                        : r.Answer;
}

const QColor ProblemColor(255, 214, 214);

QString kindName(QuestionKind kind)
{
    switch (kind) {
    case QuestionKind::WordOrder:
        return QStringLiteral("並べ替え");
    case QuestionKind::MultipleChoice:
        return QStringLiteral("選択");
    case QuestionKind::FillBlank:
        break;
    }
    return QStringLiteral("穴埋め");
}

bool isReadOnly(int column)
{
    return column == QuestionTableModel::PartColumn || column == QuestionTableModel::KindColumn;
}

} // namespace

QuestionTableModel::QuestionTableModel(QUndoStack &undo, QObject *parent)
    : QAbstractTableModel(parent)
    , m_undo(undo)
    , m_header(HeaderLineCount)
{
}

void QuestionTableModel::setLines(const QStringList &lines)
{
    beginResetModel();
    m_header = lines.mid(0, HeaderLineCount);
    m_header.resize(HeaderLineCount);
    m_rows.clear();
    for (qsizetype i = HeaderLineCount; i + 2 < lines.size(); i += 3)
        m_rows.append({lines[i], lines[i + 1], lines[i + 2]});
    m_problems.clear();
    endResetModel();
    m_undo.clear();
    for (int i = 0; i < HeaderLineCount; ++i)
        Q_EMIT headerLineChanged(i);
    Q_EMIT linesChanged();
}

QStringList QuestionTableModel::lines() const
{
    QStringList lines = m_header;
    lines.reserve(HeaderLineCount + 3 * m_rows.size());
    for (const QuestionRecord &r : m_rows)
        lines << r.QuestionText << r.Hint << r.Answer;
    return lines;
}

void QuestionTableModel::editHeaderLine(int index, const QString &text)
{
    if (index >= 0 && index < HeaderLineCount && m_header[index] != text)
        m_undo.push(new SetHeaderLineCommand(*this, index, m_header[index], text));
}

void QuestionTableModel::insertRecords(int row, const QList<QuestionRecord> &records)
{
    if (!records.isEmpty())
        m_undo.push(new InsertRowsCommand(
            *this, std::clamp(row, 0, questionCount()), records, InsertRowsCommand::Direction::Insert));
}

void QuestionTableModel::removeRecords(int row, int count)
{
    if (row < 0 || count <= 0 || row + count > questionCount())
        return;
    m_undo.push(
        new InsertRowsCommand(*this, row, m_rows.mid(row, count), InsertRowsCommand::Direction::Remove));
}

void QuestionTableModel::moveRecords(int row, int count, int delta)
{
    // The rows moved and the rows they land on must both be in the table.
    if (row < 0 || count <= 0 || row + count > questionCount() || row + delta < 0
        || row + count + delta > questionCount() || delta == 0)
        return;
    m_undo.push(new MoveRowsCommand(*this, row, count, delta));
}

ReplaceOutcome QuestionTableModel::replaceAll(const QString &find, const QString &replacement)
{
    if (find.isEmpty())
        return {};
    struct Change
    {
        int row, column;
        QString before, after;
    };
    QList<Change> changes;
    for (int row = 0; row < questionCount(); ++row) {
        for (int column = QuestionColumn; column <= AnswerColumn; ++column) {
            const QString before = cell(row, column);
            QString after = before;
            after.replace(find, replacement);
            if (after.size() > MaxLineLength && after.size() > before.size())
                return ReplaceOutcome::failed(ReplaceFault::CellTooLong);
            if (after != before)
                changes.append({row, column, before, after});
        }
    }
    if (changes.isEmpty())
        return {};
    m_undo.beginMacro(QStringLiteral("すべて置換"));
    for (const Change &c : std::as_const(changes))
        m_undo.push(new SetCellCommand(*this, c.row, c.column, c.before, c.after));
    m_undo.endMacro();
    return int(changes.size());
}

void QuestionTableModel::setParts(const QList<int> &partOfRow)
{
    if (partOfRow == m_parts)
        return;
    m_parts = partOfRow;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, PartColumn), index(questionCount() - 1, PartColumn));
}

void QuestionTableModel::setRowProblems(const QHash<int, QStringList> &problems)
{
    m_problems = problems;
    if (!m_rows.isEmpty())
        Q_EMIT dataChanged(index(0, 0), index(questionCount() - 1, ColumnCount - 1));
}

void QuestionTableModel::applyCell(int row, int column, const QString &text)
{
    field(m_rows[row], column) = text;
    Q_EMIT dataChanged(index(row, column), index(row, column));
    Q_EMIT dataChanged(index(row, KindColumn), index(row, KindColumn));
    Q_EMIT linesChanged();
}

void QuestionTableModel::applyHeaderLine(int index, const QString &text)
{
    m_header[index] = text;
    Q_EMIT headerLineChanged(index);
    Q_EMIT linesChanged();
}

void QuestionTableModel::applyInsert(int row, const QList<QuestionRecord> &records)
{
    beginInsertRows({}, row, row + int(records.size()) - 1);
    for (qsizetype i = 0; i < records.size(); ++i)
        m_rows.insert(row + i, records[i]);
    endInsertRows();
    Q_EMIT linesChanged();
}

QList<QuestionRecord> QuestionTableModel::applyRemove(int row, int count)
{
    beginRemoveRows({}, row, row + count - 1);
    const QList<QuestionRecord> removed = m_rows.mid(row, count);
    m_rows.remove(row, count);
    endRemoveRows();
    Q_EMIT linesChanged();
    return removed;
}

void QuestionTableModel::applyMove(int row, int count, int delta)
{
    const int destination = delta > 0 ? row + count + delta : row + delta;
    beginMoveRows({}, row, row + count - 1, {}, destination);
    const QList<QuestionRecord> moving = m_rows.mid(row, count);
    m_rows.remove(row, count);
    for (int i = 0; i < count; ++i)
        m_rows.insert(row + delta + i, moving[i]);
    endMoveRows();
    Q_EMIT linesChanged();
}

QString QuestionTableModel::cell(int row, int column) const
{
    return field(m_rows[row], column);
}

int QuestionTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : questionCount();
}

int QuestionTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant QuestionTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= questionCount())
        return {};
    const int row = index.row();
    const auto problems = m_problems.constFind(row);
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (index.column() == PartColumn)
            return row < m_parts.size() ? QVariant(m_parts[row]) : QVariant();
        if (index.column() == KindColumn)
            return kindName(KindOf(m_rows[row]));
        return cell(row, index.column());
    case Qt::BackgroundRole:
        return problems != m_problems.constEnd() ? QBrush(ProblemColor) : QVariant();
    case Qt::ToolTipRole:
        return problems != m_problems.constEnd() ? problems->join(u'\n') : QVariant();
    default:
        return {};
    }
}

bool QuestionTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || isReadOnly(index.column()))
        return false;
    // A line of the file cannot hold a line break.
    QString text = value.toString();
    text.remove(u'\r').replace(u'\n', u' ');
    const QString before = cell(index.row(), index.column());
    if (text != before)
        m_undo.push(new SetCellCommand(*this, index.row(), index.column(), before, text));
    return true;
}

Qt::ItemFlags QuestionTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && !isReadOnly(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant QuestionTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    static const QStringList titles {QStringLiteral("部"), QStringLiteral("問題"), QStringLiteral("ヒント"),
        QStringLiteral("解答"), QStringLiteral("種類")};
    return titles.value(section);
}

} // namespace sorario
