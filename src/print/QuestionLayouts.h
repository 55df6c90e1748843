// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace sorario {

struct Module1;
class PrintSurface;

// The size the questions print at: FontSize, or the size a shrinking run found.
std::int16_t QuestionFontSize(const Module1 &m);

// The measuring pass: lays the questions out as the question page would, prints
// nothing, and sets OverCapacity = 1 and FitCount when they need more than
// FirstPageLines + 1 lines.
void MeasureQuestions(Module1 &m, PrintSurface &surface);

// Print mode 1: the questions under the header of the first page, each started
// afresh, with no page break however far down they reach.
void PrintQuestionsFitted(const Module1 &m, PrintSurface &surface);

// Print mode 2: the whole test as one text over as many pages as it needs.
void PrintQuestionsAll(const Module1 &m, PrintSurface &surface);

// The answer page: question, hint line and answer, paged like PrintQuestionsAll.
void PrintAnswerSheet(const Module1 &m, PrintSurface &surface);

} // namespace sorario
