// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintRun.h"
#include "shared/SheetDraw.h"

namespace sorario {

struct Module1;
class PrintSurface;

// The print run the state holds: its options and heading, `sheets` sheets, sheet 1 as
// drawn now and each later one drawn into the state by `draw` when the run asks.
SheetJob SheetJobOf(
    Module1 &m, int sheets, const DrawSheet &draw, const AskCapacity &ask, OverflowPolicy overflow);

// The metrics the state holds, as the last run or SetPrintMetrics left them.
PrintMetrics metricsOf(const Module1 &m);

// What the state keeps of a run: the metrics it set, and the counts of sheet 1 (or,
// after a run that printed nothing, of where it stopped with the count asked for).
void KeepRunInState(Module1 &m, const PrintRunResult &result);

// The layout steps of a sheet on the state's options, metrics and drawn questions.
void SetPrintMetrics(Module1 &m, PrintSurface &surface);
void MeasureQuestions(Module1 &m, PrintSurface &surface);
void PrintQuestionsFitted(const Module1 &m, PrintSurface &surface);
void PrintQuestionsAll(const Module1 &m, PrintSurface &surface);
void PrintAnswerSheet(const Module1 &m, PrintSurface &surface);
// The header with the sheet number made from the state's clock now.
void PrintHeader(const Module1 &m, PrintSurface &surface);

} // namespace sorario
