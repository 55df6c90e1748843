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

bool isOpeningBracket(QChar c)
{
    return QStringView(u"([{\u201C\u2018（「『〔［｛〈《【").contains(c);
}

} // namespace

qsizetype KeepWordsWhole(QStringView rest, qsizetype at, qsizetype placed, bool lineHasText)
{
    if (placed <= 0)
        return placed;
    qsizetype breakAt = placed;
    if (isWordChar(rest[placed - 1]) && isWordChar(rest[placed])) {
        while (breakAt > 0 && isWordChar(rest[breakAt - 1]))
            --breakAt;
    }
    // An opening bracket belongs to what follows it.
    while (breakAt > 0 && isOpeningBracket(rest[breakAt - 1]))
        --breakAt;
    if (!lineHasText) {
        qsizetype textStart = 0;
        while (textStart < at && isBlank(rest[textStart]))
            ++textStart;
        if (breakAt <= textStart)
            return placed;
    }
    // The blank the line breaks at ends this line rather than starting the next.
    while (breakAt < rest.size() && rest[breakAt] == u' ')
        ++breakAt;
    return breakAt;
}

} // namespace sorario
