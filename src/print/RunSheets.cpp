// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RunSheets.h"

#include "print/PrintRun.h"
#include "print/QuestionLayouts.h"
#include "print/SheetHeader.h"
#include "settings/FontRule.h"
#include "shared/Module1.h"

#include <algorithm>

namespace sorario {

RunSheets::RunSheets(const Module1 &drawnInto, Module1 &run, const DrawSheet &draw, int count)
    : m_drawnInto(drawnInto)
    , m_run(run)
    , m_draw(draw)
    , m_count(count)
{
    keepDrawn();
}

void RunSheets::keepDrawn()
{
    const Module1 &m = m_drawnInto;
    Drawn drawn {m.QuestionCount, {}, m.clock, m.SheetPupil, std::nullopt};
    for (int n = 1; n <= std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions); ++n)
        drawn.questions.append(m.DrawnQuestions(n));
    m_sheets.append(drawn);
}

void RunSheets::use(int sheet)
{
    while (m_sheets.size() < sheet) {
        if (m_draw)
            m_draw(static_cast<int>(m_sheets.size()) + 1);
        keepDrawn();
    }
    Drawn &drawn = m_sheets[sheet - 1];
    m_run.QuestionCount = drawn.count;
    m_run.clock = drawn.clock;
    m_run.SheetPupil = drawn.pupil;
    // A run of one sheet keeps the index it was given: a reprint of one sheet of a run.
    if (m_count > 1)
        m_run.SheetIndex = static_cast<std::int16_t>(sheet);
    if (!drawn.onSheet) {
        const SheetKey key = KindsKey(m_run);
        drawn.onSheet.emplace();
        for (const QuestionRecord &q : drawn.questions)
            drawn.onSheet->append(OnSheet(q, key));
    }
    for (int n = 1; n <= drawn.onSheet->size(); ++n)
        m_run.DrawnQuestions(n) = (*drawn.onSheet)[n - 1];
}

void FitRunSize(Module1 &m, PrintSurface &surface, RunSheets &sheets, int count)
{
    for (int size = m.options.FontSize; size >= MinFontSize; --size) {
        m.FittedSize = static_cast<std::int16_t>(size == m.options.FontSize ? 0 : size);
        SetPrintMetrics(m, surface);
        bool allFit = true;
        for (int sheet = 1; sheet <= count && allFit; ++sheet) {
            sheets.use(sheet);
            m.OverCapacity = 0;
            MeasureQuestions(m, surface);
            allFit = m.OverCapacity != 1;
        }
        if (allFit)
            return;
    }
    m.FittedSize = 0;
    SetPrintMetrics(m, surface);
}

} // namespace sorario
