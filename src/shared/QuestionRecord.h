// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

// One question: the three consecutive lines it occupies in a question file.
struct QuestionRecord
{
    QString QuestionText;
    QString Hint;
    QString Answer;

    friend bool operator==(const QuestionRecord &, const QuestionRecord &) = default;
};

} // namespace sorario
