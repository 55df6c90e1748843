// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"

#include <QList>
#include <QString>

class QChartView;

namespace sorario {

// One class's scores as a chart shows them.
struct ChartedScores
{
    QString name;
    ScoreSummary scores;
};

// The histograms of the classes side by side, one bar set each, in bins of ten points,
// in a chart of its own in place of the one `view` showed.
void showScoreChart(QChartView &view, const QList<ChartedScores> &classes);

} // namespace sorario
