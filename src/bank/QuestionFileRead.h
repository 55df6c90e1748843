// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/EncodedLines.h"
#include "platform/LineFile.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <optional>

namespace sorario {

inline constexpr char16_t EncodedMark[] = u"\\\\\\";

// Why a load stops at a file.
enum class LoadFault {
    None,
    Missing,
    Folder,
    Unreadable,
    TooManyLines, // more lines than the loader holds, before decoding
    BadGroups, // an encoded file with groups that give no character
    TooManyDecodedLines,
    LineTooLong, // a line of more than MaxLineLength characters (after decoding)
    EmptyPayload, // an encoded file that decodes to nothing
    NotWholeQuestions, // a line count that is no multiple of 3
    TooManyQuestions, // the files together hold more than the bank
    PartsOutOfRange, // the declared part counts sum past a 16-bit count
};

// Header line 2 as the loader counts it: empty or "0" mean 1, and so does a text
// that does not begin with a number.
struct DeclaredParts
{
    enum class Kind { Number, Default, NotANumber };
    Kind kind = Kind::Default;
    QString text; // as kept in FileHeaders
    double value = 1;
};

DeclaredParts ReadDeclaredParts(const QString &line);

// A running part count plus one file's declared count, rounded with halves to the
// even neighbour; nothing when the sum leaves the 16-bit count.
std::optional<std::int16_t> AddDeclaredParts(int sum, double declared);

// One question file as the loader sees it.
struct QuestionFileRead
{
    LoadFault fault = LoadFault::None;
    TextEncoding encoding = TextEncoding::ShiftJis;
    bool encoded = false;
    QString payload; // line 1 less the mark, when encoded
    // The lines as numbered from 1; for an encoded file the decoder's pieces, the
    // uncounted last one included.
    QStringList lines;
    // Lines that count: the physical lines, or the decoder's count (-1 for nothing).
    int lineCount = 0;
    qsizetype badBytes = 0;
    qsizetype firstBadLine = 0;
    QList<GroupFault> groupFaults;
    int groupFaultCount = 0;
    int longLine = 0; // the first line too long, 1-based; 0 when none
    int unusedLines = 0; // an encoded file's physical lines after line 1
    DroppedDigits droppedDigits; // an encoded file's last one or two digits

    int questionCount() const;
    // Loaded, but not one line counts: no title, no parts, no question.
    bool empty() const { return fault == LoadFault::None && lineCount == 0; }
    // The lines that count, as a plain file would hold them.
    QStringList countedLines() const { return lines.mid(0, std::max(lineCount, 0)); }
    QString headerLine(int line) const; // 1..6, empty past the lines read
    DeclaredParts declaredParts() const { return ReadDeclaredParts(headerLine(2)); }
};

QuestionFileRead ReadQuestionFile(const QString &path);

// A first-format question file, named FILE.qvk: its questions alone, its header in FILE.ctr.
bool IsFirstFormatFile(const QString &path);

// The same reading of a file's bytes already in memory.
QuestionFileRead ReadQuestionBytes(QByteArrayView bytes);

// The same reading of lines already in memory, as a file would hold them (a file
// being edited): decoded when line 1 carries the mark, counted, refused as the loader
// refuses them.
QuestionFileRead ReadQuestionLines(QStringList lines);

// The parts a bank is cut into: the declared sum, at least one part, and the
// questions of each part, rounded down (the last part runs to the end).
struct PartDivision
{
    std::int16_t count = 1;
    std::int16_t size = 0;
};
PartDivision DivideIntoParts(int declaredSum, int questions);

} // namespace sorario
