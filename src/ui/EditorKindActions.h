// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionKinds.h"

#include <QObject>

class QAction;
class QLineEdit;
class QModelIndex;
class QStatusBar;
class QTableView;

namespace sorario {

class QuestionTableModel;

// 「並べ替えにする」 and 「選択肢にする」: the markers put in for the teacher on the
// current question, around the words selected in the question being typed (else the
// whole line) or on its hint line, as one edit that undo takes back alone.
class EditorKindActions : public QObject
{
    Q_OBJECT

public:
    EditorKindActions(QAction &wordOrder, QAction &choices, QTableView &table, QuestionTableModel &model,
        QStatusBar &status);

private:
    void mark(QuestionKind kind);
    void finishTyping(QLineEdit &typing, const QModelIndex &index);

    QTableView &m_table;
    QuestionTableModel &m_model;
    QStatusBar &m_status;
};

} // namespace sorario
