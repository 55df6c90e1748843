// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ChartCanvas.h"

#include "print/PrintSurface.h"

namespace sorario {

double SurfaceCanvas::textWidth(const QString &text)
{
    return m_surface.textWidth(text);
}

double SurfaceCanvas::textHeight()
{
    return m_surface.textHeight(QStringLiteral("0"));
}

void SurfaceCanvas::text(double x, double y, const QString &text)
{
    m_surface.setCurrentX(x);
    m_surface.setCurrentY(y);
    m_surface.print(text, false);
}

void SurfaceCanvas::line(double x1, double y1, double x2, double y2, int color)
{
    m_surface.line(x1, y1, x2, y2, false, color);
}

void SurfaceCanvas::box(double left, double top, double right, double bottom)
{
    m_surface.line(left, top, right, bottom, true, 0);
}

double SurfaceCanvas::linePitch() const
{
    // Printed rules are a quarter millimetre wide.
    return 0.2;
}

} // namespace sorario
