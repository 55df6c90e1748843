// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/PrintChoices.h"

#include <QString>

#include <optional>

namespace sorario {

class PrintSurface;
struct PrintMetrics;
class RestText;

// How a pass differs from plain printing. The question page, the whole-test
// print, the answer page and the measuring pass all place text by the same
// rules; these are their only differences.
struct PlacingRules
{
    // false: the measuring pass, which moves the position and counts lines but
    // prints nothing.
    bool printing = true;
    // The measuring pass leaves emphasis on after a closing "@", so the rest of
    // the line is measured wider than it prints.
    bool closingKeepsEmphasis = false;
    // Break the page after FirstPageLines lines, then after every NextPageLines.
    bool paged = false;
    // The answer page counts a closing "@" as a used line of its page.
    bool closingUsesPageLine = false;
    // The measuring pass stops once more than this many lines are placed; < 0: never.
    int lineCapacity = -1;
};

// Places composed text on the surface: line breaks, "@" emphasis, width breaks
// with the continuation indent, the line pitch and, when asked, page breaks.
class TextPlacer
{
public:
    TextPlacer(const PrintMetrics &metrics, WordBreaks breaks, PrintSurface &surface, PlacingRules rules);

    // Emphasis off, no segment placed, the line starting at x = 10.
    void startAfresh();
    // Places the whole text. False when the line capacity stopped it first.
    bool place(const QString &text);
    // Places one question's text, paged, starting it on the next page when it would
    // run over the end of this one and fits a page of its own.
    void placeOnOnePage(const QString &text);

private:
    int pageLinesFor(const QString &text) const;
    void cycle(RestText &rest);
    void toggleEmphasis(RestText &rest, qsizetype at);
    void widthBreak(RestText &rest, qsizetype at);
    void put(const QString &piece, bool lineEnd);
    void advanceLine();
    double placedWidth();

    PrintSurface &m_surface;
    PlacingRules m_rules;
    const int m_lineWidth;
    const double m_pitch;
    const int m_nextPageLines;
    const bool m_keepWords;

    int m_y = 35;
    int m_linesPlaced = 0;
    int m_pageLine = 1;
    int m_pageLineLimit;
    int m_segmentX = 10;
    bool m_emphasisOn = false;
    QString m_placedText;
    std::optional<double> m_placedWidth; // of m_placedText, reset when it changes
    bool m_placedWidthEmphasis = false;
};

} // namespace sorario
