#include "bank/Draw.h"

namespace sorario {
void DrawQuestions(Module1 &) {}
void DrawQuestions(Module1 &, quint64) {}
} // namespace sorario
