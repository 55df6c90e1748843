// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Marks.h"
#include "shared/Outcome.h"

namespace sorario {

// Why a typed line of wrong questions was refused.
enum class WrongLineProblem {
    Token, // neither a question number nor one followed by △
    Position, // a number beyond the sheet's questions, or 0
    Twice, // one question named twice
};

struct WrongLineFault
{
    WrongLineProblem problem;
    int questionCount = 0;
};

using WrongLineOutcome = Outcome<WrongLineFault, QList<Mark>>;

// One answer sheet as the teacher types it: the numbers of the questions marked ×
// ("3 7 12"), a number followed by △ (or t) for one marked △; every other question
// is ○. Numbers and spaces may be typed full width; commas and 、 separate as well.
// Digits typed together are read as the longest numbers the sheet has: "135" is 1 3 5.
WrongLineOutcome ParseWrongLine(const QString &typed, int questionCount);

// What a line stood for, shown as it is typed: "1, 5 ×　3 △", or "すべて ○".
QString WrongLineReading(const QList<Mark> &marks);

// The refusal as the teacher reads it, with what was typed wrong.
QString WrongLineMessage(const WrongLineOutcome &refused);

} // namespace sorario
