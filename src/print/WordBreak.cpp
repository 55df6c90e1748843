// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/WordBreak.h"

namespace sorario {
namespace {

bool isWordChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') || u == u'\'';
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\u3000';
}

} // namespace

qsizetype KeepWordsWhole(QStringView head, qsizetype placed, bool lineHasText)
{
    if (placed <= 0 || placed >= head.size() || !isWordChar(head[placed - 1]) || !isWordChar(head[placed]))
        return placed;
    qsizetype runStart = placed - 1;
    while (runStart > 0 && isWordChar(head[runStart - 1]))
        --runStart;
    if (!lineHasText) {
        qsizetype textStart = 0;
        while (textStart < head.size() && isBlank(head[textStart]))
            ++textStart;
        if (runStart <= textStart)
            return placed;
    }
    return runStart;
}

} // namespace sorario
