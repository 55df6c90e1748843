// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RunSheets.h"

#include "print/PrintRun.h"
#include "print/QuestionLayouts.h"
#include "settings/FontRule.h"
#include "shared/Module1.h"

#include <algorithm>

namespace sorario {

RunSheets::RunSheets(Module1 &m, const DrawSheet &draw)
    : m_module(m)
    , m_draw(draw)
    , m_asked(m.QuestionCount)
{
    keepDrawn();
}

void RunSheets::keepDrawn()
{
    const Module1 &m = m_module;
    Drawn drawn {m.QuestionCount, {}};
    for (int n = 1; n <= std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions); ++n)
        drawn.questions.append(m.DrawnQuestions(n));
    m_sheets.append(drawn);
}

void RunSheets::use(int sheet)
{
    Module1 &m = m_module;
    while (m_sheets.size() < sheet) {
        // A Yes cuts the count to what fitted the sheet before; every sheet draws the
        // count asked and fits its own.
        m.QuestionCount = m_asked;
        if (m_draw)
            m_draw(static_cast<int>(m_sheets.size()) + 1);
        keepDrawn();
    }
    const Drawn &drawn = m_sheets[sheet - 1];
    m.QuestionCount = drawn.count;
    for (int n = 1; n <= drawn.questions.size(); ++n)
        m.DrawnQuestions(n) = drawn.questions[n - 1];
}

void FitRunSize(Module1 &m, PrintSurface &surface, RunSheets &sheets, int count)
{
    for (int size = m.FontSize; size >= MinFontSize; --size) {
        m.FittedSize = static_cast<std::int16_t>(size == m.FontSize ? 0 : size);
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
