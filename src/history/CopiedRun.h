// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryRecord.h"
#include "history/Marks.h"

#include <optional>

namespace sorario {

// A run of another history with all that is kept of it, to be added to this one.
struct CopiedRun
{
    RecordedRun run;
    QList<MarkedSheet> marks;
    std::optional<int> points; // in tenths; none while the default holds
};

// What adding them did.
struct CopyReport
{
    int copied = 0;
    int present = 0; // copied before: the same class, time and sheet numbers
    QStringList clashes; // run numbers another run here holds: left out
};

} // namespace sorario
