// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace sorario {

// Code page 932 (Shift-JIS as the question files use it: 0x5C is the backslash).
// Decoding never stops: a byte that is no character becomes U+FFFD and decoding
// goes on after it. Encoding writes "?" for a character with no code-page form.
struct Cp932Decoded
{
    QString text;
    qsizetype firstBadOffset = -1; // byte offset of the first byte that was no character
    qsizetype badCount = 0;
};

Cp932Decoded decodeCp932(QByteArrayView bytes);

struct Cp932Encoded
{
    QByteArray bytes;
    qsizetype unmappable = 0; // characters written as "?"
};

Cp932Encoded encodeCp932(QStringView text);

// The distinct characters of `text` that encoding writes as "?", in the order they
// first appear (a surrogate pair is one character).
QStringList unmappableCp932Characters(QStringView text);

// The one character whose code-page code is `code` (below 0x100 a single byte, else
// lead byte and trail byte); nothing when the code is no character of the code page.
std::optional<QChar> cp932Character(unsigned code);

// The code-page code of one character; nothing when it has no code-page form.
std::optional<unsigned> cp932Code(QChar c);

// The first character that a file written in the code page would not give back
// as itself: one with no code ("é", "😀") or one whose code reads as another ("¥").
// Empty when the code page holds the whole text.
QString firstCharacterNotHeld(QStringView text);

} // namespace sorario
