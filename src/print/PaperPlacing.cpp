// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PaperPlacing.h"

namespace sorario {
namespace {

constexpr double B5Width = 182;
constexpr double A4Width = 210;
// A4 is B5 enlarged: the same sheet, as many lines, on the larger paper.
constexpr double A4Scale = A4Width / B5Width;

} // namespace

PaperSheet PaperSheetFor(Paper paper)
{
    switch (paper) {
    case Paper::A4:
        return {PaperSize::A4, Orientation::Portrait, A4Scale, 1, 0};
    case Paper::B4TwoUp:
        return {PaperSize::JisB4, Orientation::Landscape, 1, 2, B5Width};
    case Paper::A3TwoUp:
        return {PaperSize::A3, Orientation::Landscape, A4Scale, 2, A4Width};
    case Paper::B5:
        break;
    }
    return {};
}

int SheetsFor(Paper paper, int pages)
{
    const int perSheet = PaperSheetFor(paper).pagesPerSheet;
    return pages <= 0 ? 0 : (pages + perSheet - 1) / perSheet;
}

} // namespace sorario
