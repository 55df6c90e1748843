// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/ChartCanvas.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

// How a chart's bars stand: in sheets, or as shares of each series' own sheets, so that
// a class of 10 sheets shows beside one of 700.
enum class ChartScale { Sheets, Percent };

// One class's answer sheets, counted per category.
struct ChartSeries
{
    QString name;
    QList<int> counts;
    int total = 0;
};

struct BarChart
{
    QStringList categories = {};
    QString categoryTitle = {};
    QList<ChartSeries> series = {};
    ChartScale scale = ChartScale::Sheets;
};

struct ChartRect
{
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;

    bool contains(double x, double y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct ChartBar
{
    int series = 0;
    int category = 0;
    ChartRect rect;
};

// One bar in words, as a window tells it when pointed at: "2B　点数 40–49：12 枚（1.7%）".
QString BarText(const BarChart &chart, const ChartBar &bar);

// A bar chart drawn into `area` of a canvas, the same on a page and in a window: the
// value axis in steps of 1, 2 or 5 that leave its labels room, each series shaded or
// hatched so that it survives black and white, and a legend with each one's sheets.
class BarChartPainter
{
public:
    BarChartPainter(const BarChart &chart, ChartCanvas &canvas, const ChartRect &area);

    void paint();
    // The bars painted, for pointing at one; a bar of no sheets is not there.
    const QList<ChartBar> &bars() const { return m_bars; }

private:
    double value(const ChartSeries &series, int category) const;
    QString valueText(double value) const;
    void paintLegend(double right);
    void paintAxis(double step, double ceiling);
    void paintBar(const ChartBar &bar, const QString &above);
    void fill(const ChartRect &r, int series);
    void hatch(const ChartRect &r, double pitch, bool rising);

    const BarChart &m_chart;
    ChartCanvas &m_canvas;
    const ChartRect m_area;
    ChartRect m_plot;
    double m_textHeight = 0;
    QList<ChartBar> m_bars;
};

} // namespace sorario
