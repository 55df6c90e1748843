// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

// Joins a question's texts, and an order's words, where no text ends by accident.
inline constexpr QChar OrderSeparator = u'\x1f';

// What one sheet shuffles of a question: a word group, never left in the written
// order, or the choices. `salt` tells it from the question's other groups.
struct OrderSlot
{
    QStringList words;
    QString salt;
    bool avoidWritten = false;

    friend bool operator==(const OrderSlot &, const OrderSlot &) = default;
};

// The order of each slot's words on `sheet` of `run` (indexes into the words), the
// same on every machine: found after those of the run's earlier sheets so that it
// differs from theirs while there is one left. `question` names the question. A
// run's orders are kept, so that each sheet of a run costs one search.
QList<QList<int>> SheetOrders(
    const QString &run, const QString &question, const QList<OrderSlot> &shuffles, int sheet);

// The words in `order`, joined by OrderSeparator: orders with the same text are one.
QString OrderText(const QStringList &words, const QList<int> &order);

} // namespace sorario
