// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileCheck.h"

namespace sorario {

// The message of one problem, without file, line or severity.
QString ProblemMessage(const CheckProblem &problem);

// "FILE:LINE:COLUMN: エラー: message", the line and column left out when 0; control
// characters of the file's name or text written as \xHH, so that none reaches a terminal.
QString ProblemText(const CheckProblem &problem);

} // namespace sorario
