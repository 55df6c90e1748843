// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/BarChart.h"

#include <QList>
#include <QWidget>

namespace sorario {

// The classes' scores painted by the painter the printed page uses, on white as on
// paper; pointing at a bar tells its class, bin and sheets.
class ScoreChart : public QWidget
{
public:
    explicit ScoreChart(QWidget *parent = nullptr);
    // In place of the chart shown.
    void showChart(BarChart chart);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool event(QEvent *event) override;

private:
    BarChart m_chart;
    QList<ChartBar> m_bars; // as last painted
};

} // namespace sorario
