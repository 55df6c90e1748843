// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ScoresCsv.h"

#include "exchange/Csv.h"

namespace sorario {

QByteArray ScoresCsvBytes(const ScoreTable &table)
{
    QStringList dates {QStringLiteral("日付")};
    QStringList numbers {QStringLiteral("用紙番号")};
    QStringList titles {QStringLiteral("出席番号")};
    for (const ScoreTest &test : table.tests) {
        dates.append(test.date.toString(Qt::ISODate));
        numbers.append(test.sheetNumber);
        titles.append(test.title);
    }
    // The total and the mean head only the row that names the columns.
    dates << QString() << QString();
    numbers << QString() << QString();
    titles << QStringLiteral("合計") << QStringLiteral("平均");
    SpreadsheetCsv csv;
    csv.addRow(dates);
    csv.addRow(numbers);
    csv.addRow(titles);
    for (const PupilScores &row : table.pupils) {
        QStringList cells {QString::number(row.pupil)};
        for (const std::optional<int> &tenths : row.tenths)
            cells.append(tenths ? PointsText(*tenths) : QString());
        cells << PointsText(row.totalTenths) << PointsText(row.meanTenths());
        csv.addRow(cells);
    }
    return csv.bytes();
}

WriteOutcome WriteScoresCsv(const QString &path, const ScoreTable &table)
{
    return writeBytesAtomically(path, ScoresCsvBytes(table));
}

} // namespace sorario
