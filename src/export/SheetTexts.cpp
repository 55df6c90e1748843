// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TestTextFile.h"

#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <algorithm>

namespace sorario {

QString BuildSheetTexts(Module1 &m, const DrawSheet &draw)
{
    const int sheets = std::clamp<int>(m.SheetCount, 1, MaxSheetCount);
    QString text;
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        if (sheet > 1)
            text += SheetSeparator + CrLf;
        if (draw)
            draw(sheet);
        ExchangeBracketAndAnswer(m);
        text += BuildTestText(m);
    }
    return text;
}

} // namespace sorario
