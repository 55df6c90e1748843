// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RunSheets.h"

#include "print/PrintRun.h"
#include "print/QuestionLayouts.h"
#include "print/SheetHeader.h"
#include "settings/FontRule.h"

#include <algorithm>

namespace sorario {

RunSheets::RunSheets(const SheetJob &job)
    : m_job(job)
{
}

const RunSheet &RunSheets::use(int sheet)
{
    while (m_sheets.size() < sheet) {
        const int next = static_cast<int>(m_sheets.size()) + 1;
        RunSheet kept;
        kept.drawn = m_job.sheetOf ? m_job.sheetOf(next) : DrawnSheet {};
        // A run of one sheet keeps the index it was given: a reprint of one sheet of a run.
        kept.index = m_job.sheets > 1 ? static_cast<std::int16_t>(next) : m_job.sheetIndex;
        const SheetKey key
            = KindsKey(kept.drawn.clock.now(), m_job.heading.letters, kept.index, m_job.options.choiceLabels);
        for (const QuestionRecord &q : kept.drawn.questions)
            kept.onSheet.append(OnSheet(q, key));
        m_sheets.append(kept);
    }
    return m_sheets[sheet - 1];
}

QList<QuestionRecord> questionsOf(const RunSheet &sheet, int count)
{
    return sheet.onSheet.first(std::clamp<qsizetype>(count, 0, sheet.onSheet.size()));
}

std::int16_t FitRunSize(const SheetJob &job, PrintSurface &surface, RunSheets &sheets, SheetLayout &layout,
    std::optional<std::int16_t> &lastFitCount)
{
    for (int size = job.options.FontSize; size >= MinFontSize; --size) {
        layout.fittedSize = static_cast<std::int16_t>(size == job.options.FontSize ? 0 : size);
        layout.metrics = setPrintMetrics(job.options.FontName, questionFontSize(layout), surface);
        bool allFit = true;
        for (int sheet = 1; sheet <= job.sheets && allFit; ++sheet) {
            const RunSheet &s = sheets.use(sheet);
            layout.questions = questionsOf(s, s.drawn.count);
            const std::optional<std::int16_t> fitCount = measureQuestions(layout, surface);
            if (fitCount)
                lastFitCount = fitCount;
            allFit = !fitCount;
        }
        if (allFit)
            return layout.fittedSize;
    }
    layout.fittedSize = 0;
    layout.metrics = setPrintMetrics(job.options.FontName, questionFontSize(layout), surface);
    return 0;
}

} // namespace sorario
