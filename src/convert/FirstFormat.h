// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LineFile.h"

#include <QString>
#include <QStringList>

namespace sorario {

class Dialogs;
struct FileDialogOptions;

enum class ConversionKind {
    Converted, // written whole and the old pair deleted
    Cancelled, // the open dialog was cancelled
    NotFirstFormat, // the file chosen is the pair's own output or control file
    MissingFile, // the question or control file does not exist
    BrokenFile, // a line count that is no multiple of 3
    WrongQuestionData, // the question file cannot be read back as it was written
    TooManyQuestions, // the output would pass the lines the loader holds
    NoControlFile, // the control file is unreadable or short
    NotWritten, // the output could not be written; `reason` says why
    OldPairKept, // written whole, but the old pair could not be deleted
};

// One conversion: its kind, the question file's name, and once the output is
// written whole, its path.
struct ConversionResult
{
    ConversionKind kind = ConversionKind::Cancelled;
    QString fileName;
    QString outputPath;
    QString reason; // the system's words, for NotWritten

    bool converted() const { return kind == ConversionKind::Converted; }
};

// What the window shows for a result: nothing (empty text) for Converted and
// Cancelled; an empty title means the platform's default title.
struct ConversionMessage
{
    QString text;
    QString title;
};
ConversionMessage ConversionMessageFor(const ConversionResult &result);

// The new file's lines from the question and control files as read, or the
// kind of refusal (no lines then).
struct FirstFormatLines
{
    ConversionKind kind = ConversionKind::Converted;
    QStringList lines;
};
FirstFormatLines ConvertedLines(const LineFileRead &questions, const LineFileRead &control);

// Converts FILE.qvk + FILE.ctr into FILE.qvn; deletes the pair only after the new
// file is written whole.
ConversionResult ConvertFirstFormat(const QString &qvkPath);

// The open dialog of the window's "変換実行", starting in `initialDir`.
FileDialogOptions ConversionOpenOptions(const QString &initialDir);

// The window's "変換実行": open dialog (starting in `initialDir`), conversion, message.
ConversionResult RunConversion(Dialogs &dialogs, const QString &initialDir);

} // namespace sorario
