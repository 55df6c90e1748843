// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreChart.h"

#include "history/AnalysisPage.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace sorario {

ScoreChart::ScoreChart(QWidget *parent)
    : QWidget(parent)
    , m_view(new QChartView(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setRenderHint(QPainter::Antialiasing);
}

void ScoreChart::showScores(const QList<ChartedScores> &classes)
{
    // Axes taken out of a chart leave their labels painted: each showing gets a new chart.
    auto chart = std::make_unique<QChart>();
    chart->setMargins(QMargins(4, 4, 4, 4));
    auto *series = new QBarSeries;
    int most = 0;
    for (const ChartedScores &c : classes) {
        auto *set = new QBarSet(c.name);
        for (int count : c.scores.histogram) {
            set->append(count);
            most = std::max(most, count);
        }
        series->append(set);
    }
    chart->addSeries(series);

    QStringList bins;
    for (int b = 0; b < HistogramBins; ++b)
        bins.append(HistogramBinText(b));
    auto *x = new QBarCategoryAxis;
    x->append(bins);
    x->setTitleText(QStringLiteral("点数"));
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);

    // Sheets are whole: the count axis steps in whole sheets, at most ten lines.
    auto *y = new QValueAxis;
    const int step = std::max(1, (most + 9) / 10);
    const int top = std::max(step, (most + step - 1) / step * step);
    y->setRange(0, top);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(step);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("枚数"));
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);

    chart->legend()->setVisible(classes.size() > 1);
    chart->legend()->setAlignment(Qt::AlignTop);
    const std::unique_ptr<QChart> shown(m_view->chart());
    m_view->setChart(chart.release());
}

} // namespace sorario
