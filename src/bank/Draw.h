// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <QtGlobal>

namespace sorario {

// `count` distinct slots of a pool of `pool` (from 1), drawn uniformly and in draw
// order from `seed`, the same on every machine. A count beyond the pool or the drawn
// table is lowered to what can be drawn rather than never ending.
QList<int> DrawnSlots(int pool, int count, quint64 seed);

// The seed of sheet `sheet` (from 1) of a run of several. Sheet 1 keeps the run's
// seed, so a run of one sheet draws as it always did; the others step away from it
// far enough that sheets of one run never share a seed.
quint64 SheetSeed(quint64 runSeed, int sheet);

} // namespace sorario
