// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/SheetJob.h"
#include "print/SheetLayout.h"

#include <QList>

#include <cstdint>

namespace sorario {

class PrintSurface;

// One sheet of a run as it prints: as drawn, its place on its number, and its
// questions as the sheet sets their kinds (set once, so measuring and printing agree).
struct RunSheet
{
    DrawnSheet drawn;
    std::int16_t index = 0;
    QList<QuestionRecord> onSheet;
};

// The sheets of one run, each asked of the job once and in order when it is first
// needed, so that the run may look at later sheets before the first one prints.
class RunSheets
{
public:
    explicit RunSheets(const SheetJob &job);

    // Sheet `sheet` (from 1).
    const RunSheet &use(int sheet);

private:
    const SheetJob &m_job;
    QList<RunSheet> m_sheets;
};

// The first `count` questions of `sheet` as it sets them, within what it holds.
QList<QuestionRecord> questionsOf(const RunSheet &sheet, int count);

// Shrinking to fit for a whole run: the largest size, from the chosen one down to the
// smallest, at which every sheet fits its first page (0 for the chosen one), or 0
// when none does; `layout` keeps the metrics at that size and `measured` what the
// last measuring pass found (the count that fitted, when one did not).
std::int16_t FitRunSize(const SheetJob &job, PrintSurface &surface, RunSheets &sheets, SheetLayout &layout,
    std::optional<std::int16_t> &lastFitCount);

} // namespace sorario
