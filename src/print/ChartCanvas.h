// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace sorario {

class PrintSurface;

// What a chart draws on: a page in millimetres or a window in pixels, y downwards, in
// the one font the target chose. Colours as the print surface takes them (0xBBGGRR).
class ChartCanvas
{
public:
    virtual ~ChartCanvas() = default;

    ChartCanvas() = default;
    Q_DISABLE_COPY(ChartCanvas)

    virtual double textWidth(const QString &text) = 0;
    virtual double textHeight() = 0;
    // The text with its top left corner at (x, y).
    virtual void text(double x, double y, const QString &text) = 0;
    virtual void line(double x1, double y1, double x2, double y2, int color) = 0;
    // A rectangle's outline in black.
    virtual void box(double left, double top, double right, double bottom) = 0;
    // The width of a line: lines this far apart fill an area.
    virtual double linePitch() const = 0;
};

// A chart on a page, in the surface's current font: recordings and traces see it as
// they see a sheet.
class SurfaceCanvas : public ChartCanvas
{
public:
    explicit SurfaceCanvas(PrintSurface &surface)
        : m_surface(surface)
    {
    }

    double textWidth(const QString &text) override;
    double textHeight() override;
    void text(double x, double y, const QString &text) override;
    void line(double x1, double y1, double x2, double y2, int color) override;
    void box(double left, double top, double right, double bottom) override;
    double linePitch() const override;

private:
    PrintSurface &m_surface;
};

} // namespace sorario
