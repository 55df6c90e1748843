// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryCopy.h"

#include "history/HistoryLocation.h"

namespace sorario {

std::variant<CopyReport, CopyFailure> CopyHistory(const HistoryStore &from, const HistoryStore &to)
{
    const HistoryOutcome<QList<RecordedRun>> runs = from.runs();
    if (!runs.ok())
        return CopyFailure {CopySide::From, *runs.fault, runs.detail};
    QList<CopiedRun> copied;
    // Oldest first, so that the copies keep the order they were given in.
    for (qsizetype k = runs.value.size() - 1; k >= 0; --k) {
        const RecordedRun &run = runs.value[k];
        const HistoryOutcome<QList<MarkedSheet>> marks = from.marks(run);
        const HistoryOutcome<std::optional<int>> points = from.runPoints(run);
        if (!marks.ok())
            return CopyFailure {CopySide::From, *marks.fault, marks.detail};
        if (!points.ok())
            return CopyFailure {CopySide::From, *points.fault, points.detail};
        copied.append({run, marks.value, points.value});
    }
    const HistoryOutcome<CopyReport> added = to.addRuns(copied);
    if (!added.ok())
        return CopyFailure {CopySide::To, *added.fault, added.detail};
    return added.value;
}

QString CopyReportText(const CopyReport &report, const QString &to)
{
    QString text = QStringLiteral("%1 回分の記録を写しました（写し済み %2 回分）。\n%3")
                       .arg(report.copied)
                       .arg(report.present)
                       .arg(ShownLocation(to));
    if (!report.clashes.isEmpty())
        text += QStringLiteral("\n写し先のほかの記録と番号が重なるため、写さなかった記録：")
            + report.clashes.join(u'、');
    return text;
}

} // namespace sorario
