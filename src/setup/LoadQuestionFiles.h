// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFiles.h"

namespace sorario {

struct Module1;
class Dialogs;

// A stopped load told the teacher; only a broken structure beeps.
void showLoadFailure(const LoadOutcome &stopped, Dialogs &dialogs);

// The window's load: LoadBank, and on failure its message through `dialogs` and
// LoadFailed = 1.
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs);
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs, const QuestionFileReader &readFile);

} // namespace sorario
