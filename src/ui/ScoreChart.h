// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"

#include <QList>
#include <QString>
#include <QWidget>

class QChartView;

namespace sorario {

// One class's scores as a chart shows them.
struct ChartedScores
{
    QString name;
    ScoreSummary scores;
};

// The histograms of the classes side by side, one bar set each, in bins of ten points.
// Built without Qt Charts it stays hidden; the list and the CSV keep the numbers.
class ScoreChart : public QWidget
{
public:
    explicit ScoreChart(QWidget *parent = nullptr);
    // A chart of its own in place of the one shown.
    void showScores(const QList<ChartedScores> &classes);

private:
    QChartView *m_view = nullptr;
};

} // namespace sorario
