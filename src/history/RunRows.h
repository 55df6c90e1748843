// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/CopiedRun.h"
#include "history/HistoryConnection.h"
#include "history/HistoryRecord.h"

#include <functional>

namespace sorario {

// The columns of runs that LoadRun reads, in its order.
QString RunColumns();

// The run in `row` (read with RunColumns) with its files, sheets, questions and options.
RecordedRun LoadRun(const HistoryConnection &c, QSqlQuery &row);

// Adds the run's rows, in the caller's transaction; its id. `betweenWrites` runs
// after the first writes (a test seam).
QVariant InsertRun(
    const HistoryConnection &c, const RecordedRun &run, const std::function<void()> &betweenWrites = {});

// Adds a run of another history with its marks and points, in the caller's
// transaction, keeping its sheet numbers; one here already, or whose number another
// run here holds, is only counted in `report`.
void AddCopiedRun(const HistoryConnection &c, const CopiedRun &copied, CopyReport &report,
    const std::function<void()> &betweenWrites = {});

} // namespace sorario
