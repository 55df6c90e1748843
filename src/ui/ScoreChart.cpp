// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreChart.h"

#include "print/PaintedDocument.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace sorario {
namespace {

// The chart in the widget's font, in pixels: lines a pixel wide.
class PainterCanvas : public ChartCanvas
{
public:
    explicit PainterCanvas(QPainter &painter)
        : m_painter(painter)
        , m_metrics(painter.font(), painter.device())
    {
    }

    double textWidth(const QString &text) override { return m_metrics.horizontalAdvance(text); }
    double textHeight() override { return m_metrics.height(); }
    void text(double x, double y, const QString &text) override
    {
        m_painter.setPen(Qt::black);
        m_painter.drawText(QPointF(x, y + m_metrics.ascent()), text);
    }
    void line(double x1, double y1, double x2, double y2, int color) override
    {
        m_painter.setPen(ColorFromValue(color));
        m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }
    void box(double left, double top, double right, double bottom) override
    {
        m_painter.setPen(Qt::black);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
    }
    double linePitch() const override { return 1; }

private:
    QPainter &m_painter;
    const QFontMetricsF m_metrics;
};

} // namespace

ScoreChart::ScoreChart(QWidget *parent)
    : QWidget(parent)
{
}

void ScoreChart::showChart(BarChart chart)
{
    m_chart = std::move(chart);
    m_bars.clear();
    update();
}

void ScoreChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    PainterCanvas canvas(painter);
    const double margin = canvas.textHeight() / 2;
    BarChartPainter chart(m_chart, canvas, {margin, margin, width() - margin, height() - margin});
    chart.paint();
    m_bars = chart.bars();
}

bool ScoreChart::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    for (const ChartBar &bar : std::as_const(m_bars)) {
        if (bar.rect.contains(help->pos().x(), help->pos().y())) {
            QToolTip::showText(help->globalPos(), BarText(m_chart, bar), this);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

} // namespace sorario
