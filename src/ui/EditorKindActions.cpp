// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EditorKindActions.h"

#include "editor/QuestionTableModel.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QLineEdit>
#include <QStatusBar>
#include <QTableView>

namespace sorario {

EditorKindActions::EditorKindActions(
    QAction &wordOrder, QAction &choices, QTableView &table, QuestionTableModel &model, QStatusBar &status)
    : QObject(&table)
    , m_table(table)
    , m_model(model)
    , m_status(status)
{
    connect(&wordOrder, &QAction::triggered, this, [this] { mark(QuestionKind::WordOrder); });
    connect(&choices, &QAction::triggered, this, [this] { mark(QuestionKind::MultipleChoice); });
}

void EditorKindActions::mark(QuestionKind kind)
{
    const QModelIndex current = m_table.currentIndex();
    if (!current.isValid()) {
        m_status.showMessage(QStringLiteral("印を付ける問題の行を選んで下さい。"), 5000);
        return;
    }
    const QModelIndex cell = m_model.index(current.row(),
        kind == QuestionKind::WordOrder ? QuestionTableModel::QuestionColumn
                                        : QuestionTableModel::HintColumn);
    QString line = cell.data(Qt::EditRole).toString();
    qsizetype from = 0;
    qsizetype length = 0;
    // The cell being typed in holds what the teacher sees; its selection is the words.
    auto *typing = qobject_cast<QLineEdit *>(m_table.indexWidget(current));
    if (typing && current.column() == cell.column()) {
        line = typing->text();
        if (kind == QuestionKind::WordOrder && typing->hasSelectedText()) {
            from = typing->selectionStart();
            length = typing->selectedText().size();
        }
    }
    const std::optional<QString> marked = WithGroupMarked(line, from, length, kind);
    if (!marked) {
        m_status.showMessage(kind == QuestionKind::WordOrder
                ? QStringLiteral("並べ替える語がないか、すでに印が付いています。")
                : QStringLiteral("ヒントの欄に選択肢がないか、すでに印が付いています。"),
            5000);
        return;
    }
    if (typing)
        finishTyping(*typing, current);
    m_model.setData(cell, *marked, Qt::EditRole);
}

// The typing is an edit of its own, one undo step before the mark. The cell's editor
// closes, so that Ctrl+Z reaches the window's undo and not the editor's own, which
// knows nothing of the mark.
void EditorKindActions::finishTyping(QLineEdit &typing, const QModelIndex &index)
{
    QAbstractItemDelegate *delegate = m_table.itemDelegateForIndex(index);
    Q_EMIT delegate->commitData(&typing);
    Q_EMIT delegate->closeEditor(&typing, QAbstractItemDelegate::NoHint);
}

} // namespace sorario
