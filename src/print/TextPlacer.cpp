// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/TextPlacer.h"

#include "print/PrintSurface.h"
#include "print/RestText.h"
#include "print/SheetLayout.h"
#include "print/WordBreak.h"
#include "shared/TextHelpers.h"

namespace sorario {
namespace {

constexpr int LineStartX = 10;
constexpr int NextPageTop = 15;

bool isClosingMark(QChar c)
{
    return c == u'。' || c == u'、' || c == u'」' || c == u'）' || c == u'〕' || c == u'，';
}

} // namespace

TextPlacer::TextPlacer(
    const PrintMetrics &metrics, WordBreaks breaks, PrintSurface &surface, PlacingRules rules)
    : m_surface(surface)
    , m_rules(rules)
    , m_lineWidth(metrics.LineWidth)
    , m_pitch(static_cast<double>(metrics.LineSpacing) * metrics.CharHeight)
    , m_nextPageLines(metrics.NextPageLines)
    , m_keepWords(breaks == WordBreaks::KeepWords)
    , m_pageLineLimit(metrics.FirstPageLines)
{
}

void TextPlacer::startAfresh()
{
    m_surface.setFontEmphasis(false);
    m_emphasisOn = false;
    m_placedText.clear();
    m_placedWidth.reset();
    m_segmentX = LineStartX;
}

bool TextPlacer::place(const QString &text)
{
    RestText rest(text);
    while (!rest.isEmpty()) {
        if (m_rules.paged && m_pageLine > m_pageLineLimit) {
            m_surface.newPage();
            m_y = NextPageTop;
            m_pageLineLimit = m_nextPageLines;
            m_pageLine = 1;
        }
        m_surface.setCurrentX(m_segmentX);
        m_surface.setCurrentY(m_y);
        if (m_rules.lineCapacity >= 0 && m_linesPlaced > m_rules.lineCapacity)
            return false;
        cycle(rest);
    }
    return true;
}

void TextPlacer::placeOnOnePage(const QString &text)
{
    const int needed = pageLinesFor(text);
    if (m_pageLine + needed - 1 > m_pageLineLimit && needed <= m_nextPageLines)
        m_pageLine = m_pageLineLimit + 1; // the next cycle starts the page
    place(text);
}

// The page lines `text` takes from here, placing nothing; more than a following
// page holds when it takes more.
int TextPlacer::pageLinesFor(const QString &text) const
{
    TextPlacer dry(*this);
    dry.m_rules.printing = false;
    dry.m_rules.paged = false;
    // Also ends a text that a font too large for it would break for ever.
    dry.m_rules.lineCapacity = m_linesPlaced + m_nextPageLines;
    if (!dry.place(text))
        return m_nextPageLines + 1;
    return dry.m_pageLine - m_pageLine;
}

void TextPlacer::cycle(RestText &rest)
{
    RestText::Marker marker = RestText::Marker::None;
    const qsizetype markerAt = rest.nextMarker(marker);

    const double room = m_lineWidth - m_segmentX;
    const qsizetype wideAt = m_surface.findWidthBreak(rest.view(markerAt), room);
    if (wideAt > 0) {
        widthBreak(rest, wideAt);
        return;
    }

    switch (marker) {
    case RestText::Marker::LineBreak:
        put(rest.left(markerAt), false);
        rest.dropFront(markerAt + 2);
        advanceLine();
        return;
    case RestText::Marker::Emphasis:
        toggleEmphasis(rest, markerAt);
        return;
    case RestText::Marker::None:
        break;
    }
    // The last piece, holding no break: it ends its line. A lone indent is what
    // a width break left after a closing mark at the very end; nothing to print.
    const QString last = rest.toString();
    if (last != QStringLiteral("　 ")) {
        m_surface.setCurrentX(LineStartX);
        put(last, true);
        advanceLine();
    }
    rest.dropFront(rest.size());
}

void TextPlacer::toggleEmphasis(RestText &rest, qsizetype at)
{
    const QString piece = rest.left(at);
    m_surface.setCurrentX(placedWidth() + 10);
    if (m_emphasisOn) {
        // Only what the closing "@" places comes out emphasised; the part of the
        // run placed earlier by a break stays plain.
        m_surface.setFontEmphasis(true);
        put(piece, false);
        m_placedText += piece;
        m_placedWidth.reset();
        if (!m_rules.closingKeepsEmphasis)
            m_surface.setFontEmphasis(false);
        m_emphasisOn = false;
        if (m_rules.closingUsesPageLine)
            ++m_pageLine;
    } else {
        m_surface.setFontEmphasis(false);
        put(piece, false);
        m_placedText += piece;
        m_placedWidth.reset();
        m_emphasisOn = true;
    }
    rest.dropFront(at + 1);
    m_segmentX = static_cast<int>(RoundHalfEven(placedWidth() + 10));
}

double TextPlacer::placedWidth()
{
    // The text placed so far on the line only changes at an "@", and is measured
    // twice in between: once for the segment's x, once at the next "@".
    if (m_placedText.isEmpty())
        return 0;
    const bool emphasis = m_surface.fontEmphasis();
    if (!m_placedWidth || m_placedWidthEmphasis != emphasis) {
        m_placedWidth = m_surface.textWidth(m_placedText);
        m_placedWidthEmphasis = emphasis;
    }
    return *m_placedWidth;
}

void TextPlacer::widthBreak(RestText &rest, qsizetype at)
{
    // `at` is the 1-based position of the first character that no longer fits.
    const bool hangs = isClosingMark(rest.at(at - 1));
    qsizetype placed = hangs ? at : at - 1;
    // Every pass breaks here, so the measuring pass counts the lines the print makes.
    if (m_keepWords && !hangs)
        placed = KeepWordsWhole(rest.view(rest.size()), at, placed, !m_placedText.trimmed().isEmpty());
    // At the start of a line, placing no more than the indent means the next
    // line starts the same way and fails the same way, forever: a font this
    // large cannot print the text.
    if (m_rules.printing && m_segmentX == LineStartX && placed <= 2 && rest.startsWithIndent())
        throw PrintFailure(PrintFailureKind::FontTooLarge);
    put(rest.left(placed), false);
    rest.indentFrom(placed);
    advanceLine();
}

void TextPlacer::put(const QString &piece, bool lineEnd)
{
    if (m_rules.printing)
        m_surface.print(piece, lineEnd);
}

void TextPlacer::advanceLine()
{
    ++m_linesPlaced;
    ++m_pageLine;
    m_y = static_cast<int>(RoundHalfEven(m_y + m_pitch));
    m_segmentX = LineStartX;
    m_placedText.clear();
    m_placedWidth.reset();
}

} // namespace sorario
