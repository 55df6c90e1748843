// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ScoreBins.h"

#include "history/Marks.h"

#include <algorithm>

namespace sorario {
namespace {

// In tenths: the narrowest nice width that covers `fullTenths` in at most ten bins.
int binTenths(int fullTenths)
{
    for (int power = 10; power < 100'000'000; power *= 10)
        for (int times : {1, 2, 5})
            if (times * power * HistogramBins >= fullTenths)
                return times * power;
    return 100'000'000;
}

// "0–4" holds up to 4.9 points, as "0–9" up to 9.9; a bin a point wide is its point.
QString binText(int bin, int width, int bins, int fullTenths)
{
    const int low = bin * width;
    if (bin + 1 == bins)
        return PointsText(low) + u'–' + PointsText(std::max(low, fullTenths));
    if (width == 10)
        return PointsText(low);
    return PointsText(low) + u'–' + PointsText(low + width - 10);
}

} // namespace

BarChart ScoresChart(const QList<ChartedScores> &classes)
{
    // Runs out of different totals share the bins of the greatest: a 40-point quiz counted
    // with 100-point tests falls in the lower bins, not in bins of its own.
    int full = 0;
    for (const ChartedScores &c : classes)
        full = std::max(full, c.scores.fullTenths);
    const int width = binTenths(full);
    const int bins = std::max(1, (full + width - 1) / width);
    BarChart chart {.categoryTitle = QStringLiteral("点数"),
        .scale = classes.size() > 1 ? ChartScale::Percent : ChartScale::Sheets};
    for (int b = 0; b < bins; ++b)
        chart.categories.append(binText(b, width, bins, full));
    for (const ChartedScores &c : classes) {
        ChartSeries series {c.name, QList<int>(bins, 0), c.scores.count};
        for (int score : c.scores.tenths)
            ++series.counts[std::clamp(score / width, 0, bins - 1)];
        chart.series.append(series);
    }
    return chart;
}

} // namespace sorario
