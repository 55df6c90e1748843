// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/AnalysisCsv.h"

#include "bank/QuestionKinds.h"
#include "exchange/Csv.h"
#include "history/Marks.h"
#include "print/QuestionDisplay.h"

namespace sorario {

QByteArray AnalysisCsvBytes(const Analysis &analysis)
{
    SpreadsheetCsv table;
    const ScoreSummary &s = analysis.scores;
    table.addRow({QStringLiteral("採点した用紙"), QStringLiteral("平均点"), QStringLiteral("中央値")});
    table.addRow({QString::number(s.count), QString::number(s.mean), QString::number(s.median)});
    table.addRow({});
    table.addRow({QStringLiteral("点数"), QStringLiteral("枚数")});
    for (int b = 0; b < HistogramBins; ++b) {
        const QString upper
            = b + 1 < HistogramBins ? QStringLiteral("%1.9").arg(10 * b + 9) : QStringLiteral("100");
        table.addRow({QStringLiteral("%1-%2").arg(10 * b).arg(upper), QString::number(s.histogram[b])});
    }
    table.addRow({});
    table.addRow(
        {QStringLiteral("問題"), QStringLiteral("ヒント"), QStringLiteral("解答"), QStringLiteral("○"),
            QStringLiteral("×"), QStringLiteral("△"), QStringLiteral("採点数"), QStringLiteral("正答率(%)")});
    for (const QuestionResult &q : analysis.questions) {
        // Per mille is tenths of a per cent, written as points are.
        const QuestionRecord shown = PlainOnSheet(q.question, FixedOrderKey);
        table.addRow(
            {shown.QuestionText, shown.Hint, shown.Answer, QString::number(q.right), QString::number(q.wrong),
                QString::number(q.partial), QString::number(q.marked()), PointsText(q.correctPermille())});
    }
    return table.bytes();
}

WriteOutcome WriteAnalysisCsv(const QString &path, const Analysis &analysis)
{
    return writeBytesAtomically(path, AnalysisCsvBytes(analysis));
}

} // namespace sorario
