// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintSurface.h"

#include "print/WidthBreak.h"

namespace sorario {

qsizetype PrintSurface::findWidthBreak(QStringView text, double room)
{
    return FindWidthBreak(
        text.size(), [&](qsizetype k) { return textWidth(text.left(k).toString()); }, room);
}

} // namespace sorario
