// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace sorario {

// The recording surface's metrics. Exact binary fractions, so that any sum of
// them is the same on every machine and layout tests can assert exact positions.
//
// A character is "wide" from U+1100 up, half-width katakana (U+FF61..U+FF9F)
// excepted: FontSize * 11/32 mm; any other character half that. Emphasis widens
// by 9/8. Every text is FontSize * 3/8 mm high.
double FixedTextWidth(QStringView text, double fontSize, bool emphasis);

// The width of a text as it grows by one character at a time.
class FixedWidthCount
{
public:
    // Adds text[i], the text up to it having been added before.
    void add(QStringView text, qsizetype i);
    double width(double fontSize, bool emphasis) const;

private:
    qint64 m_wide = 0;
    qint64 m_narrow = 0;
};
double FixedTextHeight(double fontSize);

} // namespace sorario
