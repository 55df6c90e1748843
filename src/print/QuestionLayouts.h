// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace sorario {

class PrintSurface;
struct SheetLayout;

// The size the questions print at: FontSize, or the size a shrinking run found.
std::int16_t questionFontSize(const SheetLayout &layout);

// The measuring pass: lays the questions out as the question page would and prints
// nothing. The count of questions that fit when they need more than FirstPageLines
// + 1 lines; none when all fit.
std::optional<std::int16_t> measureQuestions(const SheetLayout &layout, PrintSurface &surface);

// Print mode 1: the questions under the header of the first page, each started
// afresh, with no page break however far down they reach.
void printQuestionsFitted(const SheetLayout &layout, PrintSurface &surface);

// Print mode 2: the whole test as one text over as many pages as it needs.
void printQuestionsAll(const SheetLayout &layout, PrintSurface &surface);

// The answer page: question, hint line and answer, paged like printQuestionsAll.
void printAnswerSheet(const SheetLayout &layout, PrintSurface &surface);

} // namespace sorario
