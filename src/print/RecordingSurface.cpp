// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RecordingSurface.h"

#include "print/FixedMetrics.h"
#include "print/WidthBreak.h"

namespace sorario {

double RecordingSurface::textWidth(const QString &text)
{
    return FixedTextWidth(text, m_fontSize, m_emphasis);
}

qsizetype RecordingSurface::findWidthBreak(QStringView text, double room)
{
    // Below a positive size widths shrink or stand still as the text grows, and
    // only the general search gives the break it always gave.
    if (!(m_fontSize > 0))
        return PrintSurface::findWidthBreak(text, room);
    FixedWidthCount count;
    for (qsizetype i = 0; i < text.size(); ++i) {
        count.add(text, i);
        if (ExceedsRoom(count.width(m_fontSize, m_emphasis), room))
            return i + 1;
    }
    return 0;
}

double RecordingSurface::textHeight(const QString &)
{
    return FixedTextHeight(m_fontSize);
}

void RecordingSurface::mayFail()
{
    if (++m_opCount == m_failAt)
        throw PrintFailure(PrintFailureKind::OutputRefused); // as a printer error would
}

void RecordingSurface::print(const QString &text, bool lineEnd)
{
    mayFail();
    m_log.text(m_x, m_y, m_fontName, m_fontSize, m_emphasis, text, lineEnd);
    if (lineEnd) {
        m_x = 0;
        m_y += FixedTextHeight(m_fontSize);
    } else {
        m_x += textWidth(text);
    }
}

void RecordingSurface::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    mayFail();
    m_log.line(x1, y1, x2, y2, box, color);
    m_x = x2;
    m_y = y2;
}

void RecordingSurface::newPage()
{
    mayFail();
    m_log.newPage();
    m_x = 0;
    m_y = 0;
}

void RecordingSurface::endDoc()
{
    mayFail();
    m_log.endDoc();
}

void RecordingSurface::killDoc()
{
    m_log.killDoc(); // discarding must always succeed
}

} // namespace sorario
