// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/FixedMetrics.h"

namespace sorario {
namespace {

bool isWide(char32_t c)
{
    return c >= 0x1100 && !(c >= 0xFF61 && c <= 0xFF9F);
}

} // namespace

double FixedCharWidth(char32_t codePoint, double fontSize, bool emphasis)
{
    double w = fontSize * 11.0 / 32.0;
    if (!isWide(codePoint))
        w /= 2.0;
    return emphasis ? w * 9.0 / 8.0 : w;
}

double FixedTextWidth(QStringView text, double fontSize, bool emphasis)
{
    // Count both kinds first and multiply once: the sum stays exact for any length.
    qint64 wide = 0;
    qint64 narrow = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++wide; // every supplementary character is above U+1100
            ++i;
        } else if (isWide(c.unicode())) {
            ++wide;
        } else {
            ++narrow;
        }
    }
    const double half = fontSize * 11.0 / 64.0;
    const double w = half * static_cast<double>(2 * wide + narrow);
    return emphasis ? w * 9.0 / 8.0 : w;
}

double FixedTextHeight(double fontSize)
{
    return fontSize * 3.0 / 8.0;
}

} // namespace sorario
