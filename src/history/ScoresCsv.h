// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Scores.h"
#include "platform/SafeWrite.h"

#include <QByteArray>

namespace sorario {

// The grade book as a table a spreadsheet opens (see SpreadsheetCsv): three header
// rows (the tests' dates, sheet numbers and titles, the last naming the columns),
// then per 出席番号 the points on each test, empty where the pupil has none, the
// total and the mean, all as points are written (PointsText).
QByteArray ScoresCsvBytes(const ScoreTable &table);

// Writes that table whole or not at all.
WriteOutcome WriteScoresCsv(const QString &path, const ScoreTable &table);

} // namespace sorario
