// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/QuestionDisplay.h"

#include <QStyledItemDelegate>

class QListWidgetItem;
class QTreeWidgetItem;

namespace sorario {

// Paints a list row given as display runs (setDisplayLine) as the sheet prints it,
// emphasis in bold, cut with "…" where the row ends; the whole text is its tooltip.
// Rows without runs are painted as usual.
class DisplayRunsDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(
        QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

void setDisplayLine(QListWidgetItem &item, const DisplayLine &line);
void setDisplayLine(QTreeWidgetItem &item, const DisplayLine &line);

} // namespace sorario
