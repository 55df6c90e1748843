// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/BankProcedures.h"

#include "bank/Draw.h"
#include "bank/EncodedLines.h"
#include "shared/Module1.h"

namespace sorario {

void DrawQuestions(Module1 &m)
{
    DrawQuestions(m, ClockSeed(m));
}

void DrawQuestions(Module1 &m, quint64 seed)
{
    const QList<int> slots = DrawnSlots(m.RangeQuestionCount, m.QuestionCount, seed);
    m.QuestionCount = static_cast<std::int16_t>(slots.size());
    for (int i = 1; i <= slots.size(); ++i)
        m.DrawnQuestions(i) = m.RangePool(slots[i - 1]);
}

quint64 ClockSeed(const Module1 &m)
{
    return static_cast<quint64>(m.clock.now().toMSecsSinceEpoch());
}

DrawSheet SheetDraws(Module1 &m, quint64 runSeed)
{
    return [&m, runSeed](int sheet) { DrawQuestions(m, SheetSeed(runSeed, sheet)); };
}

int DecodeEncodedLines(Module1 &m)
{
    DecodedPayload d = DecodePayload(m.EncodedText);
    for (int i = 1; i <= d.pieces.size(); ++i)
        m.FileLines(i) = std::move(d.pieces[i - 1]);
    return d.lineCount;
}

} // namespace sorario
