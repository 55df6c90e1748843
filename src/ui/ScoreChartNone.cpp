// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScoreChart.h"

namespace sorario {

ScoreChart::ScoreChart(QWidget *parent)
    : QWidget(parent)
{
    hide();
}

void ScoreChart::showScores(const QList<ChartedScores> &)
{
}

} // namespace sorario
