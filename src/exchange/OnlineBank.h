// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFileRead.h"
#include "bank/QuestionKinds.h"
#include "shared/Outcome.h"
#include "shared/ProgramConstants.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

namespace sorario {

// The questions one question file holds: a reader refuses a bank of more unread.
inline constexpr int MaxFileQuestions = (MaxFileLines - HeaderLineCount) / 3;

// The formats of a learning system's question bank.
enum class OnlineFormat { MoodleXml, Gift };

// The format a file's name asks for: .xml Moodle XML, .gift and .txt GIFT; nothing
// for any other name (a spreadsheet table).
std::optional<OnlineFormat> onlineFormatOf(const QString &path);

// One question as both formats see it. The kind chooses how a writer puts it: a
// fill-the-blank and a word-order question as a short answer, a multiple choice as
// multichoice; a reader gives a short answer as a fill-the-blank one, and
// questionLinesOf finds a word-order one in it again.
struct BankQuestion
{
    using Kind = QuestionKind;
    Kind kind = Kind::FillBlank;
    QString text; // the question with its blank, or its words set as on a sheet
    QString hint; // none for a multiple choice: its hint line is the choices
    QString answer; // the blank's answer, the ordered sentence or the right choice
    QStringList choices; // multiple choice, in the file's order
};

// One question file: its title is the category. `header` is the file's header lines
// (none, three or six), kept in a note the format carries along (a category's
// description, comments), so that they read back as they were.
struct BankCategory
{
    QString title;
    QStringList header;
    QList<BankQuestion> questions;
    QList<int> lines; // where each question begins in the file read; empty when written
};

BankCategory bankCategoryOf(const QStringList &fileLines);

// The note: one line per header line, its label, a blank and the line.
QString headerNote(const QStringList &header);
// The header lines of a note; nothing when the text is no such note.
std::optional<QStringList> headerOfNote(QStringView note);

bool isControlCharacter(QChar c);

// Why a learning system's file was refused.
enum class OnlineFault {
    Unreadable, // or no regular file
    NotWellFormed, // not XML, or broken XML
    NotAQuiz, // XML, but no question bank
    UnsupportedType, // a kind of question no question file holds (the detail names it)
    MultipleChoice, // not one right choice among 2 to 10 a hint line can hold
    NoRightAnswer, // a short answer without a full-mark answer
    Unclosed, // a GIFT answer's "{" is never closed
    ControlCharacter,
    Empty, // neither a category nor a question
    UnwritableCharacter, // a character Shift-JIS cannot hold (the detail)
    TooLarge, // more bytes, or more text once expanded, than a question file can hold
    EncodedTitle, // see loadsAsEncoded
    SeveralCategories, // questions in more than one category (the detail: their titles)
};

// The file's own fault, or why the loader would refuse the question file it holds.
using OnlineRefusal = std::variant<OnlineFault, LoadFault>;

struct OnlineBankLines
{
    QStringList lines;
    QList<int> emptyAnswerLines; // lines of the file read whose question's answer is empty
};

// The question file's lines, or the refusal and the line of the file read it names
// (0: the whole file).
using OnlineBankRead = Outcome<OnlineRefusal, OnlineBankLines>;

// What a format's reader takes from its file, before it becomes lines.
using BankFileRead = Outcome<OnlineFault, QList<BankCategory>>;

// The categories read as one question file: the header of the category the first
// question is in (else of the last one), then every question. Refused as the loader
// and the Shift-JIS code page refuse.
OnlineBankRead questionLinesOf(const QList<BankCategory> &categories);

// The file a learning system imports, of several question files; or the file and
// line (both 1-based) of a line the format cannot hold, and why.
struct OnlineBankWrite
{
    enum class NotHeld {
        None,
        ControlCharacter,
        ArrowInAnswer, // GIFT reads an answer with "->" as a matching question
    };
    QByteArray bytes;
    NotHeld notHeld = NotHeld::None;
    int file = 0;
    int line = 0;
};
OnlineBankWrite onlineBankBytes(OnlineFormat format, const QList<QStringList> &files);

OnlineBankRead readOnlineBank(OnlineFormat format, QByteArrayView bytes);
OnlineBankRead readOnlineBankFile(OnlineFormat format, const QString &path);

QString onlineRefusalText(OnlineFormat format, const OnlineBankRead &refused, const QString &path);
QString onlineNotHeldText(const OnlineBankWrite &write, const QString &path);
QString onlineEmptyAnswerWarning(OnlineFormat format, int line);

} // namespace sorario
