// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintSurface.h"
#include "shared/PrintChoices.h"

namespace sorario {

// A sheet of paper as the printer takes it, and how B5 pages stand on it: side
// by side from the left, each scaled by `scale`, `pageStep` millimetres apart.
struct PaperSheet
{
    PaperSize size = PaperSize::JisB5;
    Orientation orientation = Orientation::Portrait;
    double scale = 1;
    int pagesPerSheet = 1;
    double pageStep = 0;
};

PaperSheet PaperSheetFor(Paper paper);

// Sheets of paper that `pages` B5 pages take.
int SheetsFor(Paper paper, int pages);

} // namespace sorario
