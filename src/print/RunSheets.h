// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Clock.h"
#include "shared/QuestionRecord.h"
#include "shared/SheetDraw.h"

#include <QList>

#include <cstdint>
#include <optional>

namespace sorario {

struct Module1;
class PrintSurface;

// The questions of every sheet of one run, each sheet drawn once and in order
// when it is first needed, so that the run may look at later sheets before the
// first one prints.
class RunSheets
{
public:
    // Sheet 1 is what `drawnInto` holds now; `draw` fills it for each later sheet.
    // The run of `count` sheets prints from `run`.
    RunSheets(const Module1 &drawnInto, Module1 &run, const DrawSheet &draw, int count);

    // The run's DrawnQuestions (as the sheet sets their kinds), QuestionCount, clock,
    // pupil and sheet index become those of `sheet` (from 1).
    void use(int sheet);

private:
    struct Drawn
    {
        std::int16_t count = 0;
        QList<QuestionRecord> questions;
        Clock clock; // what the sheet number reads
        std::int16_t pupil = 0;
        std::optional<QList<QuestionRecord>> onSheet; // set once, so measuring and printing agree
    };
    void keepDrawn();

    const Module1 &m_drawnInto;
    Module1 &m_run;
    const DrawSheet &m_draw;
    int m_count;
    QList<Drawn> m_sheets;
};

// Shrinking to fit for a whole run: leaves the metrics at the largest size, from the
// chosen one down to the smallest, at which every one of `count` sheets fits its
// first page (FittedSize 0 for the chosen one), or at the chosen size when none does.
void FitRunSize(Module1 &m, PrintSurface &surface, RunSheets &sheets, int count);

} // namespace sorario
