// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LineFile.h"
#include "shared/Outcome.h"

#include <QString>
#include <QStringList>

namespace sorario {

// Why a conversion did not end with the new file written and the old pair deleted.
enum class ConversionFault {
    Cancelled, // the open dialog was cancelled
    NotFirstFormat, // the file chosen is no .qvk
    MissingFile, // the question or control file does not exist
    BrokenFile, // a line count that is no multiple of 3
    WrongQuestionData, // the question file cannot be read back as it was written
    TooManyQuestions, // the loader would refuse the output for its lines
    PartsOutOfRange, // the loader would refuse the output for its part count
    EncodedTitle, // the title makes the loader read the output as an encoded file it refuses
    NoControlFile, // the control file is unreadable or short
    OutputExists, // FILE.qvn is there and replacing it was not asked for
    NotWritten, // the output could not be written; the detail is the system's reason
    OldPairKept, // written whole, but the file the detail names could not be deleted
};

// What a conversion does with an existing FILE.qvn.
enum class ExistingOutput { Keep, Replace };

// One conversion: the question file's name, kept for the message whatever the
// outcome, and once the output is written whole, its path.
struct Conversion
{
    QString fileName;
    QString outputPath;
};
using ConversionResult = Outcome<ConversionFault, Conversion>;

// What the window shows for a result: nothing (empty text) for a conversion done and
// a cancelled one; an empty title means the platform's default title.
struct ConversionMessage
{
    QString text;
    QString title;
};
ConversionMessage ConversionMessageFor(const ConversionResult &result);

// The Yes/No question the window asks for OutputExists.
ConversionMessage ReplaceQuestionFor(const ConversionResult &result);

// The new file's lines from the question and control files as read, or the
// kind of refusal (no lines then).
using FirstFormatLines = Outcome<ConversionFault, QStringList>;
FirstFormatLines ConvertedLines(const LineFileRead &questions, const LineFileRead &control);

// Converts FILE.qvk + FILE.ctr into FILE.qvn; deletes the pair only after the new
// file is written whole. Everything is checked before an existing FILE.qvn is kept.
ConversionResult ConvertFirstFormat(const QString &qvkPath, ExistingOutput existing);

} // namespace sorario
