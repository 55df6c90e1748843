#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

// Decodes m.EncodedText into m.FileLines(1..) and m.DecodedLineCount; sets
// m.DecodeFailed when a group is no hexadecimal number or no character.
void DecodeEncodedLines(Module1 &m);

// The encoded form of lines (each ended by CR LF), without the "\\\" mark.
QString EncodeLines(const QStringList &lines);

} // namespace sorario
