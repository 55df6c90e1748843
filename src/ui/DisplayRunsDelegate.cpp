// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DisplayRunsDelegate.h"

#include <QApplication>
#include <QListWidgetItem>
#include <QPainter>
#include <QTreeWidgetItem>

namespace sorario {
namespace {

constexpr int RunsRole = Qt::UserRole + 40;

} // namespace

void DisplayRunsDelegate::paint(
    QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QVariant runs = index.data(RunsRole);
    if (!runs.canConvert<DisplayLine>()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.text.clear();
    const QWidget *widget = opt.widget;
    const QStyle *style = widget ? widget->style() : QApplication::style();
    // Background, selection and focus as for any row; the text is ours.
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const QRectF room
        = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, widget).adjusted(3, 0, -3, 0);
    painter->save();
    painter->setClipRect(room);
    painter->setPen(
        opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
    double x = room.left();
    for (const DisplayRun &run : runs.value<DisplayLine>()) {
        QFont font = opt.font;
        font.setBold(run.bold);
        const QFontMetricsF metrics(font);
        const double left = room.right() - x;
        const bool cut = metrics.horizontalAdvance(run.text) > left;
        const QString shown = cut ? metrics.elidedText(run.text, Qt::ElideRight, left) : run.text;
        painter->setFont(font);
        painter->drawText(QRectF(x, room.top(), left, room.height()),
            Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
        x += metrics.horizontalAdvance(shown);
        if (cut)
            break;
    }
    painter->restore();
}

void setDisplayLine(QListWidgetItem &item, const DisplayLine &line)
{
    item.setText(PlainText(line));
    item.setToolTip(PlainText(line));
    item.setData(RunsRole, QVariant::fromValue(line));
}

void setDisplayLine(QTreeWidgetItem &item, const DisplayLine &line)
{
    item.setText(0, PlainText(line));
    item.setToolTip(0, PlainText(line));
    item.setData(0, RunsRole, QVariant::fromValue(line));
}

} // namespace sorario
