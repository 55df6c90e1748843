// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

enum class CheckSeverity {
    Note, // how the file was read
    Warning, // the file loads, but perhaps not as the teacher meant
    Error, // LoadQuestionFiles would refuse the files, or a question is not set as its kind means
};

enum class CheckKind {
    Missing,
    Folder,
    Unreadable,
    TooManyLines,
    GroupNotHexadecimal,
    GroupNoCharacter,
    MoreBadGroups,
    TooManyDecodedLines,
    LineTooLong,
    EmptyPayload,
    NotWholeQuestions,
    TooManyFiles,
    TooManyQuestions,
    PartsOutOfRange,
    OldFormat,
    UnendedLastLine,
    UnusedLines,
    DroppedDigits,
    BadBytes,
    PartsNotANumber,
    PartsNotWhole,
    LoneMark,
    NoQuestions,
    MorePartsThanQuestions,
    EmptyAnswer,
    // A question that the sheet cannot set as its kind means; the file still loads.
    KindUnclosed,
    KindOneWord,
    KindEmptyWord,
    KindOneChoice,
    KindTooManyChoices,
    KindDuplicateChoice,
    KindAnswerNotAChoice,
    KindNestedOpen,
    KindStrayClose,
    KindMisplaced,
    KindBreakInGroup,
    KindMarkInWord,
    ReadAsShiftJis,
    ReadAsUtf8,
    ReadAsUtf8WithoutMark,
    ReadAsUtf16Le,
    ReadAsUtf16Be,
};

CheckSeverity SeverityOf(CheckKind kind);

struct CheckProblem
{
    QString file; // as given
    int line = 0; // 1-based; 0 for the file as a whole
    int column = 0; // 1-based character of that line; 0 when none
    CheckKind kind = CheckKind::Missing;
    qint64 number = 0; // the count the message names
    qint64 other = 0; // a second one
    QString text; // the digits or the part count the message quotes
    bool decoded = false; // said of an encoded file's decoded lines

    friend bool operator==(const CheckProblem &, const CheckProblem &) = default;
};

// Every problem of the files, read as LoadQuestionFiles reads them in this order:
// each file on its own, then what they pass together (5000 questions, 100 files,
// the 16-bit part count). Files are only read; nothing is shown or written.
// An Error among the problems, other than of a question's kind, means exactly that
// the load would fail.
QList<CheckProblem> CheckQuestionFiles(const QStringList &paths);

// The same check of lines in memory (a file being edited), named `name`.
QList<CheckProblem> CheckQuestionLines(const QStringList &lines, const QString &name);

bool RefusedByLoader(const QList<CheckProblem> &problems);
// A word-order or multiple-choice question the sheet cannot set as meant.
bool IsKindProblem(CheckKind kind);

// The last line of the last whole question, 0 when not even the header is whole.
int LastWholeLine(int lineCount);

} // namespace sorario
