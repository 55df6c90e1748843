// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TestTextFile.h"

namespace sorario {
namespace {

// A message box stays readable however many characters a test loses.
constexpr qsizetype MaxNamedCharacters = 20;

} // namespace

QString LostCharactersText(const QStringList &characters)
{
    QString named = characters.mid(0, MaxNamedCharacters).join(u'　');
    if (characters.size() > MaxNamedCharacters)
        named += QStringLiteral("　…");
    return QStringLiteral("次の文字はテキストファイルに書けないため、「?」になります。\n") + named;
}

} // namespace sorario
