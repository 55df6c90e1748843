// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/SheetProcedures.h"

#include "print/QuestionLayouts.h"
#include "print/SheetHeader.h"
#include "shared/Module1.h"

#include <algorithm>

namespace sorario {
namespace {

DrawnSheet drawnSheetOf(const Module1 &m)
{
    DrawnSheet drawn {{}, m.QuestionCount, m.clock, m.SheetPupil};
    for (int n = 1; n <= std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions); ++n)
        drawn.questions.append(m.DrawnQuestions(n));
    return drawn;
}

void keepMetrics(Module1 &m, const PrintMetrics &metrics)
{
    m.CharHeight = metrics.CharHeight;
    m.LineSpacing = metrics.LineSpacing;
    m.LineWidth = metrics.LineWidth;
    m.FirstPageLines = metrics.FirstPageLines;
    m.NextPageLines = metrics.NextPageLines;
}

SheetLayout layoutOf(const Module1 &m)
{
    SheetLayout layout {m.options, metricsOf(m), m.FittedSize, {}};
    for (int n = 1; n <= std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions); ++n)
        layout.questions.append(m.DrawnQuestions(n));
    return layout;
}

} // namespace

PrintMetrics metricsOf(const Module1 &m)
{
    return {m.CharHeight, m.LineSpacing, m.LineWidth, m.FirstPageLines, m.NextPageLines};
}

SheetJob SheetJobOf(
    Module1 &m, int sheets, const DrawSheet &draw, const AskCapacity &ask, OverflowPolicy overflow)
{
    SheetJob job;
    job.options = m.options;
    job.heading = SheetHeadingOf(m, HeaderRangeLimit);
    job.sheets = sheets;
    job.sheetOf = [&m, draw](int sheet) {
        if (sheet > 1 && draw)
            draw(sheet);
        return drawnSheetOf(m);
    };
    job.ask = ask;
    job.overflow = overflow;
    return job;
}

void KeepRunInState(Module1 &m, const PrintRunResult &result)
{
    if (result.metrics)
        keepMetrics(m, *result.metrics);
    m.QuestionCount = result.leftBehind.QuestionCount;
    m.PrintMode = result.leftBehind.PrintMode;
    m.OverCapacity = result.leftBehind.OverCapacity;
    m.FitCount = result.leftBehind.FitCount;
    m.FittedSize = result.leftBehind.FittedSize;
}

void SetPrintMetrics(Module1 &m, PrintSurface &surface)
{
    keepMetrics(m, setPrintMetrics(m.options.FontName, questionFontSize(layoutOf(m)), surface));
}

void MeasureQuestions(Module1 &m, PrintSurface &surface)
{
    if (const std::optional<std::int16_t> fitCount = measureQuestions(layoutOf(m), surface)) {
        m.OverCapacity = 1;
        m.FitCount = *fitCount;
    }
}

void PrintQuestionsFitted(const Module1 &m, PrintSurface &surface)
{
    printQuestionsFitted(layoutOf(m), surface);
}

void PrintQuestionsAll(const Module1 &m, PrintSurface &surface)
{
    printQuestionsAll(layoutOf(m), surface);
}

void PrintAnswerSheet(const Module1 &m, PrintSurface &surface)
{
    printAnswerSheet(layoutOf(m), surface);
}

void PrintHeader(const Module1 &m, PrintSurface &surface)
{
    printSheetHeader(SheetHeadingOf(m, HeaderRangeLimit), 0, m.SheetPupil, m.clock.now(), surface);
}

} // namespace sorario
