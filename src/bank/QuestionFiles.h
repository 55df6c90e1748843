// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileRead.h"

#include <QString>

#include <functional>

namespace sorario {

struct Module1;
class Dialogs;

// The loader's messages.
inline const QString BrokenDataMessage = QStringLiteral("◆データが壊れています！");
QString UnreadableFileMessage(const QString &path);
QString TooManyLinesMessage(const QString &path);
QString TooManyQuestionsMessage();

struct LoadOutcome
{
    LoadFault fault = LoadFault::None;
    QString path; // the file the load stopped at
};

// Reads ChosenFileList(1..ChosenFileCount) into FileHeaders and the QuestionBank;
// stops at the first file that cannot be loaded, and says which and why.
LoadOutcome LoadBank(Module1 &m);

// Where the load gets each chosen file's reading: ReadQuestionFile, or files
// already in memory.
using QuestionFileReader = std::function<QuestionFileRead(const QString &path)>;
LoadOutcome LoadBank(Module1 &m, const QuestionFileReader &readFile);

// What a stopped load says, naming the file where that helps.
QString LoadFailureMessage(const LoadOutcome &outcome);

// The window's load: LoadBank, and on failure its message through `dialogs` (a file
// gone since it was listed is "broken data"; only a broken structure beeps) and
// LoadFailed = 1.
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs);
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs, const QuestionFileReader &readFile);

} // namespace sorario
