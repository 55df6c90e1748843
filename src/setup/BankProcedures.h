// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SheetDraw.h"

#include <QtGlobal>

namespace sorario {

struct Module1;

// Draws m.QuestionCount distinct questions of m.RangePool into m.DrawnQuestions,
// uniformly and in draw order. A count beyond the pool or the drawn table is
// lowered to what can be drawn (QuestionCount is set to it).
void DrawQuestions(Module1 &m); // seeded from m.clock
void DrawQuestions(Module1 &m, quint64 seed); // repeatable, for the command line and tests

// The seed DrawQuestions(m) takes from the clock.
quint64 ClockSeed(const Module1 &m);

// Draws each sheet of a run from its own seed, all taken from `runSeed`.
DrawSheet SheetDraws(Module1 &m, quint64 runSeed);

// Decodes m.EncodedText into m.FileLines(1..); returns the lineCount.
int DecodeEncodedLines(Module1 &m);

} // namespace sorario
