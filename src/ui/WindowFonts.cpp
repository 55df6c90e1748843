// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowFonts.h"

#include <QFont>
#include <QStringList>

namespace sorario {

void installWindowFontSubstitutions()
{
    // Windows has the faces themselves, or its own fallback for the pop face.
#ifndef Q_OS_WIN
    const QStringList gothic
        = {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("VL PGothic"), QStringLiteral("Droid Sans Fallback")};
    // The title face is a rounded pop face; a bold gothic carries it best among the
    // fonts Debian ships.
    const QStringList pop
        = {QStringLiteral("M+ 1c"), QStringLiteral("Rounded M+ 1c"), QStringLiteral("Noto Sans CJK JP"),
            QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"), QStringLiteral("Droid Sans Fallback")};
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothic);
    QFont::insertSubstitutions(QStringLiteral("HG創英角ﾎﾟｯﾌﾟ体"), pop);
#endif
}

} // namespace sorario
