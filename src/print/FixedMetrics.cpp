// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/FixedMetrics.h"

namespace sorario {
namespace {

bool isWide(char32_t c)
{
    return c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F);
}

} // namespace

void FixedWidthCount::add(QStringView text, qsizetype i)
{
    // A surrogate pair is one wide character (every supplementary one is above
    // U+1100), counted at its first half.
    const QChar c = text[i];
    if (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())
        return;
    if (isWide(c.unicode()))
        ++m_wide;
    else
        ++m_narrow;
}

double FixedWidthCount::width(double fontSize, bool emphasis) const
{
    // Count both kinds first and multiply once: the sum stays exact for any length.
    const double half = fontSize * 11.0 / 64.0;
    const double w = half * static_cast<double>(2 * m_wide + m_narrow);
    return emphasis ? w * 9.0 / 8.0 : w;
}

double FixedTextWidth(QStringView text, double fontSize, bool emphasis)
{
    FixedWidthCount count;
    for (qsizetype i = 0; i < text.size(); ++i)
        count.add(text, i);
    return count.width(fontSize, emphasis);
}

double FixedTextHeight(double fontSize)
{
    return fontSize * 3.0 / 8.0;
}

} // namespace sorario
