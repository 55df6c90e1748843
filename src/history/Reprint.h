// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SheetDraw.h"

#include <QList>
#include <QString>

namespace sorario {

struct Module1;
struct RecordedRun;
class Dialogs;

// Makes `m` print the sheets at `positions` (from 0) of a recorded run again: the
// recorded files, when present and unchanged, loaded with the recorded options and
// range. The reason when it cannot be done.
QString PrepareReprint(Module1 &m, const RecordedRun &run, const QList<int> &positions, Dialogs &dialogs);

// Fills DrawnQuestions with each chosen sheet's recorded questions in turn, with the
// clock at the time its sheet number was made from.
DrawSheet ReprintDraw(Module1 &m, const RecordedRun &run, const QList<int> &positions);

} // namespace sorario
