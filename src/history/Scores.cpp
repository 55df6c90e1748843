// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Scores.h"

#include "history/HistoryStore.h"
#include "history/RunNumber.h"
#include "shared/SheetTitle.h"

#include <QFileInfo>
#include <QMap>

#include <algorithm>

namespace sorario {
namespace {

QString titleOf(const RecordedRun &run)
{
    QStringList titles;
    // Records older than the headings name their files only.
    for (const RecordedFile &file : run.files)
        titles.append(file.headings ? file.headings->title : QFileInfo(file.path).completeBaseName());
    return sheetTitleText(titles);
}

// The points of each pupil numbered on the run.
QMap<int, int> pupilPoints(const MarkedRun &marked)
{
    QMap<int, int> points;
    for (const MarkedSheet &row : marked.rows) {
        const bool hasMark
            = std::any_of(row.marks.cbegin(), row.marks.cend(), [](Mark m) { return m != Mark::Unmarked; });
        const auto questions = static_cast<int>(marked.run.sheets.value(row.sheet - 1).questions.size());
        if (row.pupil > 0 && hasMark)
            points.insert(row.pupil, ScoreTenths(row.marks, PointsTenths(marked.setPoints, questions)));
    }
    return points;
}

} // namespace

int PupilScores::meanTenths() const
{
    return marked > 0 ? (2 * totalTenths + marked) / (2 * marked) : 0;
}

ScoreTable ScoreTableOf(QList<MarkedRun> runs)
{
    std::stable_sort(runs.begin(), runs.end(), [](const MarkedRun &a, const MarkedRun &b) {
        return a.run.when != b.run.when ? a.run.when < b.run.when : a.run.id < b.run.id;
    });
    ScoreTable table;
    QList<QMap<int, int>> columns;
    QMap<int, PupilScores> rows;
    for (const MarkedRun &marked : runs) {
        const QMap<int, int> points = pupilPoints(marked);
        if (points.isEmpty() || marked.run.sheets.isEmpty())
            continue;
        table.tests.append({marked.run.when.date(), RunNumberOf(marked.run.sheets.first().sheetNumber),
            titleOf(marked.run)});
        QStringList files;
        for (const RecordedFile &file : marked.run.files)
            files.append(file.path);
        table.folder = sheetFolder(files);
        columns.append(points);
        for (auto it = points.cbegin(); it != points.cend(); ++it)
            rows[it.key()].pupil = it.key();
    }
    for (PupilScores &row : rows) {
        for (const QMap<int, int> &points : columns) {
            const auto at = points.constFind(row.pupil);
            row.tenths.append(at == points.cend() ? std::nullopt : std::optional(*at));
            row.totalTenths += at == points.cend() ? 0 : *at;
            row.marked += at == points.cend() ? 0 : 1;
        }
        table.pupils.append(row);
    }
    return table;
}

HistoryOutcome<ScoreTable> ReadScores(const HistoryStore &store, const AnalysisScope &scope)
{
    const HistoryStore::KeptOpen open = store.keepOpen(); // the runs, then each one's marks
    const HistoryOutcome<QList<RecordedRun>> runs = store.runs(scope.className);
    if (!runs.ok())
        return HistoryOutcome<ScoreTable>::failed(*runs.fault, runs.detail);
    QList<MarkedRun> marked;
    for (const RecordedRun &run : runs.value) {
        if (scope.runId != 0 ? run.id != scope.runId : !InPeriod(scope, run.when.date()))
            continue;
        const HistoryOutcome<QList<MarkedSheet>> rows = store.marks(run);
        const HistoryOutcome<std::optional<int>> points = store.runPoints(run);
        if (!rows.ok())
            return HistoryOutcome<ScoreTable>::failed(*rows.fault, rows.detail);
        if (!points.ok())
            return HistoryOutcome<ScoreTable>::failed(*points.fault, points.detail);
        marked.append({run, rows.value, points.value});
    }
    return ScoreTableOf(std::move(marked));
}

QString ScopeFolder(const HistoryStore &store, const AnalysisScope &scope)
{
    QStringList files;
    for (const RecordedRun &run : store.runs(scope.className).value) { // newest first
        if (scope.runId != 0 ? run.id != scope.runId : !InPeriod(scope, run.when.date()))
            continue;
        for (const RecordedFile &file : run.files)
            files.append(file.path);
        break;
    }
    return sheetFolder(files);
}

QString NoPupilScoresMessage(const AnalysisScope &scope)
{
    if (scope.runId != 0)
        return QStringLiteral("この印刷には、出席番号をつけて採点された用紙がありません。");
    return QStringLiteral("クラス「%1」には、この期間に出席番号をつけて採点された用紙がありません。")
        .arg(scope.className);
}

} // namespace sorario
