// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace sorario {

// A group of four digits that gives no character.
struct GroupFault
{
    enum class Kind { NotHexadecimal, NoCharacter };
    Kind kind = Kind::NotHexadecimal;
    int group = 0; // 1-based
    qsizetype offset = 0; // payload character that gives the group's first digit, from 0
    QString digits; // as the symbols expand

    friend bool operator==(const GroupFault &, const GroupFault &) = default;
};

// One or two digits left at the end of a payload: too few for a group, dropped.
struct DroppedDigits
{
    QString digits; // empty when none
    qsizetype offset = 0; // payload character that gives the first of them, from 0
};

struct DecodedPayload
{
    // The pieces between CR LF, the uncounted last one included; at most
    // MaxFileLines are kept.
    QStringList pieces;
    // The number of CR LF, -1 when nothing decodes, MaxFileLines + 1 when more.
    int lineCount = -1;
    // The first few faulty groups; any fault leaves no pieces and a lineCount of -1.
    QList<GroupFault> faults;
    int faultCount = 0;
    DroppedDigits dropped;
};

// The payload (line 1 less the "\\\" mark) turned back into its lines.
DecodedPayload DecodePayload(QStringView payload);

// The encoded form of lines (each ended by CR LF), without the "\\\" mark.
// Characters go through the code page: one with no code-page form is encoded as
// "?", and one that shares its code with another comes back as the code page's
// own ("¥" as the backslash).
QString EncodeLines(const QStringList &lines);

// The encoded form of a text exactly as it stands (no line end added).
QString EncodeText(QStringView text);

} // namespace sorario
