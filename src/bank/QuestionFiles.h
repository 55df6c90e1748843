// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileRead.h"
#include "shared/Outcome.h"

#include <QString>

#include <functional>

namespace sorario {

struct Module1;

// The loader's messages.
inline const QString BrokenDataMessage = QStringLiteral("◆データが壊れています！");
QString UnreadableFileMessage(const QString &path);
QString TooManyLinesMessage(const QString &path);
QString LineTooLongMessage(const QString &path, int line);
QString TooManyQuestionsMessage();
QString EmptyFileMessage(const QString &path);

// A load gives the first file of which no line counts (loaded all the same), or
// the file it stopped at (the detail) and, for LineTooLong, the line.
using LoadOutcome = Outcome<LoadFault, QString>;

// Reads ChosenFileList(1..ChosenFileCount) into FileHeaders and the QuestionBank;
// stops at the first file that cannot be loaded, and says which and why.
LoadOutcome LoadBank(Module1 &m);

// Where the load gets each chosen file's reading: ReadQuestionFile, or files
// already in memory.
using QuestionFileReader = std::function<QuestionFileRead(const QString &path)>;
LoadOutcome LoadBank(Module1 &m, const QuestionFileReader &readFile);

// What the load says of `path` chosen alone, into a bank of its own: whether a file
// would load before it is written or kept.
LoadOutcome LoadAlone(const QString &path, const QuestionFileReader &readFile = ReadQuestionFile);

// What a stopped load says, naming the file where that helps.
QString LoadFailureMessage(LoadFault fault, const QString &path, int line = 0);
QString LoadFailureMessage(const LoadOutcome &stopped);
QString LoadFailureMessage(const QuestionFileRead &read, const QString &path);

// What the teacher is told of a stopped load: a file gone since it was listed is
// "broken data".
QString LoadStoppedMessage(const LoadOutcome &stopped);

} // namespace sorario
