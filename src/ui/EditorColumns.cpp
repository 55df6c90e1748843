// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EditorColumns.h"

#include "editor/QuestionTableModel.h"

#include <QHeaderView>
#include <QTableView>

namespace sorario {

void layOutEditorColumns(QTableView &table)
{
    using Model = QuestionTableModel;
    QHeaderView &header = *table.horizontalHeader();
    header.moveSection(Model::KindColumn, Model::PartColumn + 1);
    header.setStretchLastSection(false);
    header.setSectionResizeMode(Model::QuestionColumn, QHeaderView::Stretch);
    table.setColumnWidth(Model::PartColumn, 40);
    table.setColumnWidth(Model::KindColumn, 70);
    table.setColumnWidth(Model::HintColumn, 130);
    table.setColumnWidth(Model::AnswerColumn, 130);
}

} // namespace sorario
