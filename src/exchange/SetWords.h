// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"

#include <QString>

namespace sorario {

// A word-order question's line as a learning system shows it: each group's words set
// "（ is / she / a ）" in one fixed order made from the question, never the answer's,
// the first word lowered as a sheet lowers it.
QString wordsSet(const QuestionRecord &question);

// A line so set made a word order again: each set whose words the answer holds one
// blank apart becomes "{{…}}" in the answer's order, "{{_" where the set lowered the
// first word. A fill-the-blank line that sets choices "（ in / on ）" itself stays.
QString wordsUnset(const QString &text, const QString &answer);

} // namespace sorario
