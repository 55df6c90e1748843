// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileRead.h"
#include "shared/Outcome.h"
#include "shared/ProgramConstants.h"
#include "shared/QuestionRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <optional>

#include <functional>

namespace sorario {

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

// Where the load gets each chosen file's reading: ReadQuestionFile, or files
// already in memory.
using QuestionFileReader = std::function<QuestionFileRead(const QString &path)>;

// What a load gave, up to the file it stopped at.
struct LoadedBank
{
    QList<std::array<QString, HeaderLineCount>> headers; // of each file taken into the bank
    QList<QuestionRecord> questions;
    std::int16_t partCount = 0;
    std::optional<std::int16_t> partSize; // once every file loaded
    QString titles; // each file's title and CR LF
    QStringList lastLines; // the lines of the last file read
    int clearedLines = HeaderLineCount; // the lines the files before it filled, at least the header's
    std::optional<QString> encodedText; // the payload of the last encoded file read
};

// Reads `paths` in order into headers and questions; stops at the first file that
// cannot be loaded, and says which and why.
LoadOutcome loadBank(const QStringList &paths, const QuestionFileReader &readFile, LoadedBank &bank);

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
