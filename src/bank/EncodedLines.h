#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace sorario {

struct Module1;

// Decodes m.EncodedText into m.FileLines(1..) and m.DecodedLineCount; sets
// m.DecodeFailed when a group is no hexadecimal number or no character.
// On failure nothing is stored and DecodedLineCount is -1. More pieces than
// FileLines holds: only the first MaxFileLines are stored and DecodedLineCount
// is MaxFileLines + 1, which the loader refuses.
void DecodeEncodedLines(Module1 &m);

// The encoded form of lines (each ended by CR LF), without the "\\\" mark.
// Characters go through the code page: one with no code-page form is encoded as
// "?", and one that shares its code with another comes back as the code page's
// own ("¥" as the backslash).
QString EncodeLines(const QStringList &lines);

// The encoded form of a text exactly as it stands (no line end added).
QString EncodeText(QStringView text);

// A hexadecimal digit's value (either case), or -1.
int HexDigitValue(char16_t d);

// The symbol table's replacements applied one after another, as written down;
// the decoder does the same in one scan. Kept for tests and tools.
QString ExpandSymbolsStepwise(const QString &payload);

} // namespace sorario
