// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "history/HistoryPath.h"
#include "history/HistoryStore.h"
#include "history/MarksCsv.h"
#include "history/RunNumber.h"

#include <QJsonArray>
#include <QJsonObject>

namespace sorario::cli {
namespace {

double fromTenths(int tenths)
{
    return tenths / 10.0;
}

QJsonObject marksJson(const RecordedRun &run, const QList<MarkedSheet> &rows, std::optional<int> setPoints)
{
    QJsonArray numbers;
    QJsonArray sheets;
    QList<int> points;
    for (const RecordedSheet &sheet : run.sheets) {
        const auto count = static_cast<int>(sheet.questions.size());
        points.append(PointsTenths(setPoints, count));
        numbers.append(sheet.sheetNumber);
        sheets.append(QJsonObject {{QStringLiteral("SheetNumber"), sheet.sheetNumber},
            {QStringLiteral("Questions"), count}, {QStringLiteral("Points"), fromTenths(points.last())}});
    }
    QJsonArray marked;
    for (const MarkedSheet &row : rows) {
        marked.append(
            QJsonObject {{QStringLiteral("Pupil"), row.pupil > 0 ? QJsonValue(row.pupil) : QJsonValue()},
                {QStringLiteral("Sheet"), row.sheet}, {QStringLiteral("Marks"), MarkText(row.marks)},
                {QStringLiteral("Score"), fromTenths(ScoreTenths(row.marks, points.value(row.sheet - 1)))}});
    }
    return {{QStringLiteral("Class"), run.className}, {QStringLiteral("SheetNumbers"), numbers},
        {QStringLiteral("Sheets"), sheets}, {QStringLiteral("Rows"), marked},
        {QStringLiteral("PointsSet"), setPoints ? QJsonValue(fromTenths(*setPoints)) : QJsonValue()}};
}

// The rows of the table at `path` for `run`, or the reason on standard error.
std::optional<QList<MarkedSheet>> readRows(const QString &path, const RecordedRun &run)
{
    QList<int> counts;
    for (const RecordedSheet &sheet : run.sheets)
        counts.append(static_cast<int>(sheet.questions.size()));
    const MarksCsvOutcome read = ReadMarksCsvFile(path, counts);
    if (!read.ok()) {
        printError(MarksCsvMessage(read) + u'\n' + path);
        return std::nullopt;
    }
    return read.value;
}

} // namespace

int runMarks(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("SHEETNO"), QStringLiteral("The run's sheet number."));
    parser.addOption({QStringLiteral("history"),
        QStringLiteral("The history: a file, or a server as postgresql://user@host:port/dbname."),
        QStringLiteral("FILE")});
    parser.addOption({QStringLiteral("set"), QStringLiteral("Record the marks of this table (UTF-8 CSV)."),
        QStringLiteral("ROWS.csv")});
    parseOrThrow(parser, args);
    if (parser.positionalArguments().size() != 1)
        throw UsageError(QStringLiteral("marks: name one sheet number"));
    const QString number = parser.positionalArguments().first();
    const QString historyPath = HistoryPath(parser.value(QStringLiteral("history")));
    const QString rowsPath = parser.value(QStringLiteral("set"));
    if (parser.isSet(QStringLiteral("set")))
        if (const int refused = checkOutputs({historyPath}, {rowsPath}); refused != ExitOk)
            return refused;

    const HistoryStore store(historyPath);
    const HistoryOutcome<QList<FoundSheets>> found = store.findSheets(number);
    if (!found.ok() || found.value.size() != 1) {
        printError(
            found.ok() ? FoundSheetsText(number, found.value) : HistoryFailureMessage(store.path(), found));
        return ExitRefused;
    }
    const RecordedRun &run = found.value.first().run;
    if (parser.isSet(QStringLiteral("set"))) {
        const std::optional<QList<MarkedSheet>> rows = readRows(rowsPath, run);
        if (!rows)
            return ExitRefused;
        if (const HistoryOutcome<> recorded = store.recordMarks(run, *rows); !recorded.ok()) {
            printError(HistoryFailureMessage(store.path(), recorded));
            return ExitRefused;
        }
    }
    const HistoryOutcome<QList<MarkedSheet>> rows = store.marks(run);
    if (!rows.ok()) {
        printError(HistoryFailureMessage(store.path(), rows));
        return ExitRefused;
    }
    const HistoryOutcome<std::optional<int>> points = store.runPoints(run);
    if (!points.ok()) {
        printError(HistoryFailureMessage(store.path(), points));
        return ExitRefused;
    }
    printJson(marksJson(run, rows.value, points.value));
    return ExitOk;
}

} // namespace sorario::cli
