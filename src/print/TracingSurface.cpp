// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/TracingSurface.h"

namespace sorario {

void TracingSurface::setFontName(const QString &name)
{
    m_inner.setFontName(name);
    m_font = name;
}

void TracingSurface::setFontSize(double points)
{
    m_inner.setFontSize(points);
    m_size = points;
}

void TracingSurface::setFontEmphasis(bool on)
{
    m_inner.setFontEmphasis(on);
    m_emphasis = on;
}

void TracingSurface::setCurrentX(double x)
{
    m_inner.setCurrentX(x);
    m_x = x;
}

void TracingSurface::setCurrentY(double y)
{
    m_inner.setCurrentY(y);
    m_y = y;
}

void TracingSurface::print(const QString &text, bool lineEnd)
{
    m_inner.print(text, lineEnd);
    m_log.text(m_x, m_y, m_font, m_size, m_emphasis, text, lineEnd);
    m_x = m_inner.currentX();
    m_y = m_inner.currentY();
}

void TracingSurface::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    m_inner.line(x1, y1, x2, y2, box, color);
    m_log.line(x1, y1, x2, y2, box, color);
    m_x = m_inner.currentX();
    m_y = m_inner.currentY();
}

void TracingSurface::newPage()
{
    m_inner.newPage();
    m_log.newPage();
    m_x = m_inner.currentX();
    m_y = m_inner.currentY();
}

void TracingSurface::endDoc()
{
    m_inner.endDoc();
    m_log.endDoc();
}

void TracingSurface::killDoc()
{
    m_log.killDoc(); // logged even if the inner surface fails to discard
    m_inner.killDoc();
}

} // namespace sorario
