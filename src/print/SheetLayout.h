// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"
#include "shared/SheetOptions.h"

#include <QList>

#include <cstdint>

namespace sorario {

// The print metrics a run sets up at the size its questions print at.
struct PrintMetrics
{
    std::int32_t CharHeight = 0;
    float LineSpacing = 1.2f;
    std::int32_t LineWidth = 175;
    std::int32_t FirstPageLines = 0;
    std::int32_t NextPageLines = 0;
};

// What the layout of one sheet's questions reads: the options, the metrics, the size
// a shrinking run lowered the font to (0: FontSize) and the questions as the sheet
// sets them, as many as it prints.
struct SheetLayout
{
    SheetOptions options;
    PrintMetrics metrics;
    std::int16_t fittedSize = 0;
    QList<QuestionRecord> questions;
};

} // namespace sorario
