// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Clock.h"
#include "shared/QuestionRecord.h"
#include "shared/SheetOptions.h"
#include "shared/SheetTitle.h"

#include <QList>
#include <QString>

#include <cstdint>
#include <functional>

namespace sorario {

// What a run does when the questions overflow the first page: ask the capacity
// prompt, or take the answer its Yes, No or Cancel would give without asking.
enum class OverflowPolicy { Ask, FitFirstPage, PrintAll, Cancel };

// Whoever runs the print answers the capacity prompt (its text given) with one of
// the policies that do not ask.
using AskCapacity = std::function<OverflowPolicy(const QString &prompt)>;

// One sheet as drawn: its questions (the kinds not yet set), the count asked for,
// the clock its number reads and the pupil (出席番号) of a pupil's own sheet, else 0.
struct DrawnSheet
{
    QList<QuestionRecord> questions;
    std::int16_t count = 0;
    Clock clock;
    std::int16_t pupil = 0;
};

// Sheet k (from 1) of a run, asked for once each and in order.
using SheetSource = std::function<DrawnSheet(int sheet)>;

// A print run as a value: what prints, on how many sheets, and who answers the
// capacity prompt.
struct SheetJob
{
    SheetOptions options;
    SheetHeading heading;
    // The place on its number of a run's one sheet reprinted alone; a run of several
    // numbers its sheets 1, 2, ….
    std::int16_t sheetIndex = 0;
    int sheets = 1;
    SheetSource sheetOf;
    AskCapacity ask;
    OverflowPolicy overflow = OverflowPolicy::Ask;
};

} // namespace sorario
