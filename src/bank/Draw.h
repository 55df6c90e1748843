#pragma once

#include <QtGlobal>

namespace sorario {

struct Module1;

// Draws m.QuestionCount distinct questions of m.RangePool into m.DrawnQuestions,
// uniformly and in draw order. A count beyond the pool or the drawn table is
// lowered to what can be drawn (QuestionCount is set to it) rather than never ending.
void DrawQuestions(Module1 &m);                // seeded from m.clock
void DrawQuestions(Module1 &m, quint64 seed);  // repeatable, for the command line and tests

} // namespace sorario
