// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"

namespace sorario {

// The answer written into the question's first bracket pair, and the pair's former
// content as the new answer. Brackets compare as text: "（" and "(" are the same, so
// are "）" and ")". Without a pair in that order the question comes back unchanged.
QuestionRecord ExchangeBracket(const QuestionRecord &question);

} // namespace sorario
