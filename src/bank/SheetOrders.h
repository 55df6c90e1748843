// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace sorario {

// Joins a question's texts, and an order's words, where no text ends by accident:
// two orders whose words so joined give the same text are one.
inline constexpr QChar OrderSeparator = u'\x1f';

// What one sheet shuffles of a question: a word group, never left in the written
// order, or the choices. `salt` tells it from the question's other groups. The
// words are views of texts the caller keeps.
struct OrderSlot
{
    QList<QStringView> words;
    QString salt;
    bool avoidWritten = false;

    friend bool operator==(const OrderSlot &, const OrderSlot &) = default;
};

// The order of each slot's words on `sheet` of `run` (indexes into the words), the
// same on every machine: found after those of the run's earlier sheets so that it
// differs from theirs while there is one left. `question` names the question, and
// with it its slots: the same question always has the same ones. A run's orders are
// kept, so that each sheet of a run costs one search.
QList<QList<int>> SheetOrders(
    const QString &run, const QString &question, const QList<OrderSlot> &shuffles, int sheet);

} // namespace sorario
