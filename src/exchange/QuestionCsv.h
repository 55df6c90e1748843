// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileRead.h"
#include "shared/Outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <variant>

namespace sorario {

// A question file as a table a spreadsheet opens: the header lines first, one row
// each, marked by a first cell that begins with "#" and holding the line in the
// second cell; then the heading row 問題,ヒント,解答; then one row per question.
// UTF-8 with the byte order mark, CR LF after every row; cells guarded against
// being opened as formulas (formulaGuarded).
QByteArray questionCsvBytes(const QStringList &fileLines);

// Why a table was refused.
enum class CsvFault {
    Unreadable, // the file cannot be read, or is no regular file
    NotText, // NUL characters: a workbook or other binary file, not text
    UnclosedQuote, // a cell's opening quote is never closed
    LineBreakInCell, // a cell holds a line break
    CellsBeyondColumns, // text right of the last column (解答, or the header line's value)
    TooManyHeaderRows, // more than six "#" rows
    Empty, // neither a header row nor a question
    UnwritableCharacter, // a character Shift-JIS cannot hold (the detail)
    TooLarge, // more bytes than a question file can hold
    EncodedTitle, // see loadsAsEncoded
};

// The table's own fault, or why the loader would refuse the question file it holds.
using CsvRefusal = std::variant<CsvFault, LoadFault>;

struct QuestionCsvTable
{
    QStringList lines; // the question file's lines
    QList<int> emptyAnswerRows; // rows whose answer is empty: read, but worth a warning
};

// The table, or the refusal and the row it names (0: the whole file).
using QuestionCsvRead = Outcome<CsvRefusal, QuestionCsvTable>;

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
QString csvRefusalText(const QuestionCsvRead &refused, const QString &path);
// Why the loader would refuse the lines an import makes, as one question file, or a
// question bank of it alone, is loaded: its faults and its part count. `line` the 1-based line of the first
// line too long; the detail of a refusal carries it to the message.
struct LoaderCheck
{
    LoadFault fault = LoadFault::None;
    int line = 0;
};
LoaderCheck loaderCheckOf(const QStringList &lines);

// Whether the lines an import makes would load as another file: a title that begins
// with the encoded mark is read as the encoded file it holds. Such a title is refused
// with encodedTitleText.
bool loadsAsEncoded(const QStringList &lines);
QString encodedTitleText();

// The loader's message, which names the file itself when that helps, else followed by it;
// `detail` the question file's line too long.
QString loaderRefusalText(LoadFault fault, const QString &path, const QString &detail = {});
QString emptyAnswerWarning(int row);

} // namespace sorario
