// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RecordingSurface.h"

#include "print/FixedMetrics.h"

namespace sorario {

double RecordingSurface::textWidth(const QString &text)
{
    return FixedTextWidth(text, m_fontSize, m_emphasis);
}

double RecordingSurface::textHeight(const QString &)
{
    return FixedTextHeight(m_fontSize);
}

void RecordingSurface::mayFail()
{
    if (++m_opCount == m_failAt)
        throw PrintFailure("recording surface: failure on request");
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
