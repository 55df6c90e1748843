// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/BarChart.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sorario {
namespace {

constexpr int Black = 0;
constexpr int GridColor = 0xCCCCCC;
constexpr int ShadeColor = 0x808080;

// Whole numbers in steps of 1, 2 or 5 times a power of ten: the smallest at least `raw`.
double niceStep(double raw)
{
    if (raw <= 1)
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double times : {1.0, 2.0, 5.0})
        if (times * power >= raw)
            return times * power;
    return 10 * power;
}

double share(int count, int total)
{
    return total > 0 ? 100.0 * count / total : 0;
}

// To a tenth of a per cent, without a trailing zero.
QString percentText(double percent)
{
    return QString::number(std::round(percent * 10) / 10) + u'%';
}

} // namespace

QString BarText(const BarChart &chart, const ChartBar &bar)
{
    const ChartSeries &s = chart.series.at(bar.series);
    const int count = s.counts.value(bar.category);
    return QStringLiteral("%1　%2 %3：%4 枚（%5）")
        .arg(s.name, chart.categoryTitle, chart.categories.value(bar.category))
        .arg(count)
        .arg(percentText(share(count, s.total)));
}

BarChartPainter::BarChartPainter(const BarChart &chart, ChartCanvas &canvas, const ChartRect &area)
    : m_chart(chart)
    , m_canvas(canvas)
    , m_area(area)
{
}

double BarChartPainter::value(const ChartSeries &series, int category) const
{
    const int count = series.counts.value(category);
    return m_chart.scale == ChartScale::Percent ? share(count, series.total) : count;
}

QString BarChartPainter::valueText(double value) const
{
    const QString whole = QString::number(std::llround(value));
    return m_chart.scale == ChartScale::Percent ? whole + u'%' : whole;
}

void BarChartPainter::paint()
{
    m_bars.clear();
    if (m_chart.series.isEmpty() || m_chart.categories.isEmpty())
        return;
    const double h = m_textHeight = m_canvas.textHeight();
    // A row for the legend and one for the counts over the bars; two under them.
    m_plot = {m_area.left, m_area.top + 2.6 * h, m_area.right - h / 4, m_area.bottom - 2.6 * h};
    const int categories = static_cast<int>(m_chart.categories.size());
    double most = 0;
    for (const ChartSeries &s : m_chart.series)
        for (int c = 0; c < categories; ++c)
            most = std::max(most, value(s, c));
    // As many steps as the height leaves their labels room for, at most ten.
    const double steps = std::clamp(std::floor((m_plot.bottom - m_plot.top) / (2 * h)), 1.0, 10.0);
    const double step = niceStep(most / steps);
    const double ceiling = std::max(step, std::ceil(most / step) * step);
    // The widest label sets the axis: 700 sheets stay written out.
    m_plot.left += m_canvas.textWidth(valueText(ceiling)) + h / 2;
    paintAxis(step, ceiling);
    paintLegend(m_area.right);

    const double slot = (m_plot.right - m_plot.left) / categories;
    const double width = slot * 0.7 / static_cast<double>(m_chart.series.size());
    for (int s = 0; s < m_chart.series.size(); ++s) {
        const ChartSeries &series = m_chart.series[s];
        for (int c = 0; c < categories; ++c) {
            const int count = series.counts.value(c);
            if (count == 0)
                continue;
            const double left = m_plot.left + slot * (c + 0.15) + width * s;
            const double top = m_plot.bottom - (m_plot.bottom - m_plot.top) * value(series, c) / ceiling;
            m_bars.append({s, c, {left, top, left + width, m_plot.bottom}});
            // Beside another class the legend and the pointer tell the sheets.
            paintBar(m_bars.last(), m_chart.series.size() == 1 ? QString::number(count) : QString());
        }
    }
}

void BarChartPainter::paintAxis(double step, double ceiling)
{
    const double h = m_textHeight;
    m_canvas.text(m_area.left, m_area.top,
        m_chart.scale == ChartScale::Percent ? QStringLiteral("割合") : QStringLiteral("枚数"));
    const qint64 lines = std::llround(ceiling / step);
    for (qint64 i = 0; i <= lines; ++i) {
        const double y = m_plot.bottom - (m_plot.bottom - m_plot.top) * static_cast<double>(i) / lines;
        m_canvas.line(m_plot.left, y, m_plot.right, y, i == 0 ? Black : GridColor);
        const QString label = valueText(step * static_cast<double>(i));
        m_canvas.text(m_plot.left - h / 4 - m_canvas.textWidth(label), y - h / 2, label);
    }
    const qsizetype categories = m_chart.categories.size();
    const double slot = (m_plot.right - m_plot.left) / static_cast<double>(categories);
    double widest = 0;
    for (const QString &label : m_chart.categories)
        widest = std::max(widest, m_canvas.textWidth(label));
    // Labels wider than their place: every second (or third …) one, none on another.
    const qsizetype every = std::max<qsizetype>(1, static_cast<qsizetype>(std::ceil(widest / (slot * 0.95))));
    for (qsizetype c = 0; c < categories; c += every) {
        const QString &label = m_chart.categories[c];
        const double centre = m_plot.left + slot * (static_cast<double>(c) + 0.5);
        m_canvas.text(centre - m_canvas.textWidth(label) / 2, m_plot.bottom + h / 4, label);
    }
    m_canvas.text(m_plot.right - m_canvas.textWidth(m_chart.categoryTitle), m_plot.bottom + 1.4 * h,
        m_chart.categoryTitle);
}

// Right-aligned on the top row: each series' swatch, its name and its sheets.
void BarChartPainter::paintLegend(double right)
{
    const double h = m_textHeight;
    for (qsizetype s = m_chart.series.size() - 1; s >= 0; --s) {
        const ChartSeries &series = m_chart.series[s];
        const QString label = QStringLiteral("%1（%2 枚）").arg(series.name).arg(series.total);
        const double x = right - m_canvas.textWidth(label);
        m_canvas.text(x, m_area.top, label);
        const ChartRect swatch {x - 1.6 * h, m_area.top + 0.1 * h, x - 0.3 * h, m_area.top + 0.9 * h};
        fill(swatch, static_cast<int>(s));
        m_canvas.box(swatch.left, swatch.top, swatch.right, swatch.bottom);
        right = swatch.left - h;
    }
}

void BarChartPainter::paintBar(const ChartBar &bar, const QString &above)
{
    const ChartRect &r = bar.rect;
    fill(r, bar.series);
    m_canvas.box(r.left, r.top, r.right, r.bottom);
    if (!above.isEmpty())
        m_canvas.text((r.left + r.right - m_canvas.textWidth(above)) / 2, r.top - 1.25 * m_textHeight, above);
}

// Grey, then hatched, then cross-hatched: told apart on black-and-white paper.
void BarChartPainter::fill(const ChartRect &r, int series)
{
    const double pitch = m_canvas.linePitch();
    const double spacing = m_textHeight / 3;
    switch (series % 3) {
    case 0:
        for (double x = r.left + pitch; x < r.right; x += pitch)
            m_canvas.line(x, r.top, x, r.bottom, ShadeColor);
        break;
    case 1:
        hatch(r, spacing, true);
        break;
    default:
        hatch(r, spacing, true);
        hatch(r, spacing, false);
    }
}

// Lines at 45° `pitch` apart across `r`, rising (x + y constant) or falling (x − y).
void BarChartPainter::hatch(const ChartRect &r, double pitch, bool rising)
{
    if (!(pitch > 0))
        return;
    const double step = pitch * std::numbers::sqrt2;
    const double first = rising ? r.left + r.top : r.left - r.bottom;
    const double last = rising ? r.right + r.bottom : r.right - r.top;
    for (double k = first + step; k < last; k += step) {
        const double x1 = std::max(r.left, rising ? k - r.bottom : k + r.top);
        const double x2 = std::min(r.right, rising ? k - r.top : k + r.bottom);
        const auto y = [&](double x) { return rising ? k - x : x - k; };
        if (x1 < x2)
            m_canvas.line(x1, y(x1), x2, y(x2), Black);
    }
}

} // namespace sorario
