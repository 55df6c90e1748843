// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "history/HistoryFault.h"
#include "history/HistoryRecord.h"
#include "history/Marks.h"

#include <QDate>
#include <QList>
#include <QString>

#include <optional>

namespace sorario {

class HistoryStore;

// One recorded run with what was marked on it, as the history gives them.
struct MarkedRun
{
    RecordedRun run;
    QList<MarkedSheet> rows;
    std::optional<int> setPoints = std::nullopt; // per question, in tenths
};

// One test of the grade book: a run with at least one pupil marked.
struct ScoreTest
{
    QDate date;
    QString sheetNumber; // the run's number
    QString title; // as its sheets were headed
};

// One pupil's points on each test, in tenths; none where the pupil has no marks.
struct PupilScores
{
    int pupil = 0; // 出席番号
    QList<std::optional<int>> tenths; // one per test, in the tests' order
    int totalTenths = 0;
    int marked = 0; // tests with points
    // The total over the tests marked, rounded half up to the tenth.
    int meanTenths() const;
};

// The grade book of a class: its tests oldest first, one row per pupil number.
struct ScoreTable
{
    QList<ScoreTest> tests;
    QList<PupilScores> pupils; // 出席番号 ascending
    QString folder; // of the newest test's question files, where the table is proposed
};

// Each pupil's points on the runs given (ScoreTenths at the PointsTenths of the run, as
// the marking counts them). A sheet without a pupil number, or without a mark, is no
// one's points; a run with none of another kind is no test of the table.
ScoreTable ScoreTableOf(QList<MarkedRun> runs);

// The grade book of the scope's class over its period (or of its one run).
HistoryOutcome<ScoreTable> ReadScores(const HistoryStore &store, const AnalysisScope &scope);

// Where what is written of the scope is proposed: the folder of the question files of
// its newest run (sheetFolder, so Documents without one).
QString ScopeFolder(const HistoryStore &store, const AnalysisScope &scope);

// Why a table has no row, as the teacher reads it.
QString NoPupilScoresMessage(const AnalysisScope &scope);

} // namespace sorario
