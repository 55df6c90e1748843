// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/FileChoice.h"
#include "bank/QuestionFiles.h"

namespace sorario {

struct Module1;
class Dialogs;

// Reads ChosenFileList(1..ChosenFileCount) into FileHeaders and the QuestionBank;
// stops at the first file that cannot be loaded, and says which and why.
LoadOutcome LoadBank(Module1 &m);
LoadOutcome LoadBank(Module1 &m, const QuestionFileReader &readFile);

// Fills ChosenFileList/ChosenFileCount with `paths`, in order. Too many files are
// refused and nothing changes.
FileChoice ChooseFiles(Module1 &m, const QStringList &paths);

// A stopped load told the teacher; only a broken structure beeps.
void showLoadFailure(const LoadOutcome &stopped, Dialogs &dialogs);

// The window's load: LoadBank, and on failure its message through `dialogs` and
// LoadFailed = 1.
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs);
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs, const QuestionFileReader &readFile);

} // namespace sorario
