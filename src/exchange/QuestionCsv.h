// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileRead.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

// A question file as a table a spreadsheet opens: the header lines first, one row
// each, marked by a first cell that begins with "#" and holding the line in the
// second cell; then the heading row 問題,ヒント,解答; then one row per question.
// UTF-8 with the byte order mark, CR LF after every row; cells guarded against
// being opened as formulas (formulaGuarded).
QByteArray questionCsvBytes(const QStringList &fileLines);

struct CsvRefusal
{
    enum class Kind {
        None,
        Unreadable, // the file cannot be read
        NotText, // NUL characters: a workbook or other binary file, not text
        UnclosedQuote, // a cell's opening quote is never closed
        LineBreakInCell, // a cell holds a line break
        CellsBeyondColumns, // text right of the last column (解答, or the header line's value)
        TooManyHeaderRows, // more than six "#" rows
        Empty, // neither a header row nor a question
        RefusedByLoader, // the question file would not load (`fault` says why)
        UnwritableCharacter, // a character Shift-JIS cannot hold
    };
    Kind kind = Kind::None;
    int row = 0;
    QString character; // for UnwritableCharacter
    LoadFault fault = LoadFault::None; // for RefusedByLoader
};

struct QuestionCsvRead
{
    QStringList lines; // the question file's lines, when not refused
    CsvRefusal refusal;
    QList<int> emptyAnswerRows; // rows whose answer is empty: read, but worth a warning
};

// Reads such a table back into the lines of a question file. Accepts UTF-8 with or
// without the byte order mark and Shift-JIS (what a spreadsheet saves), rows left
// blank, and fewer or more header rows than six (the header is completed with empty
// lines to three or six, as the file format needs). The heading row may be left out.
// A cell's leading apostrophe is taken away (see formulaGuarded). Lines the loader
// would refuse are refused.
QuestionCsvRead readQuestionCsv(QByteArrayView bytes);
QuestionCsvRead readQuestionCsvFile(const QString &path);

// The labels of the six header lines, as the table and other exchange files name them.
const QStringList &headerLineLabels();

// Header lines read from another program's file, completed with empty lines to what a
// question file needs: six when questions follow, else three or six.
QStringList completedHeader(QStringList header, bool questionsFollow);

QString notHeldText(const QString &character);

// The refusal as the teacher reads it, naming the row and then the file.
QString csvRefusalText(const CsvRefusal &refusal, const QString &path);
QString emptyAnswerWarning(int row);

} // namespace sorario
