// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

// How a file's bytes were read: UTF-8 when they begin with the byte order mark, or
// when they are UTF-8 from start to end with at least one multi-byte sequence (what
// most editors now save); UTF-16 when they begin with its byte order mark; otherwise
// code page 932. Files are always written in 932.
enum class TextEncoding { ShiftJis, Utf8, Utf8WithoutMark, Utf16Le, Utf16Be };

// Reading a text file line by line. A line ends at CR LF, and also at a
// bare LF or a bare CR (files saved by other editors); a last line without an end
// still counts. An empty file has no lines.
// More bytes than the longest lines the loader takes could need, each character in
// three bytes: a file past it is refused before it is read.
inline constexpr qint64 MaxLineFileBytes = qint64(10000) * (10000 * 3 + 2) + 3;

struct LineFileRead
{
    enum class Status { Ok, Missing, Unreadable, TooLarge };
    Status status = Status::Ok;
    QStringList lines;
    qsizetype badBytes = 0; // bytes that were no character (read as U+FFFD)
    qsizetype firstBadLine = 0; // 1-based line of the first such byte, 0 when none
    TextEncoding encoding = TextEncoding::ShiftJis;
};

struct DecodedText
{
    QString text;
    TextEncoding encoding = TextEncoding::ShiftJis;
    qsizetype firstBadOffset = -1; // in bytes
    qsizetype badCount = 0; // at least 1 when firstBadOffset >= 0
};

DecodedText decodeFileText(QByteArrayView bytes);

LineFileRead readLineFile(const QString &path);

// The same reading of bytes already in memory.
LineFileRead readLineBytes(QByteArrayView bytes);

// The same splitting on text already decoded.
QStringList splitLines(const QString &text);

// Lines joined with CR LF after every line, the last included.
QString joinCrLf(const QStringList &lines);

} // namespace sorario
