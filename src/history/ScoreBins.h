// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "print/BarChart.h"

#include <QList>
#include <QString>

namespace sorario {

// One class's scores as the chart shows them.
struct ChartedScores
{
    QString name;
    ScoreSummary scores;
};

// The classes' scores as the window and the page chart them: bins of whole points, 1, 2
// or 5 times a power of ten wide, at most ten up to the full score (the last holds it
// and over); in sheets for one class, in shares of each class's sheets for several.
BarChart ScoresChart(const QList<ChartedScores> &classes);

} // namespace sorario
