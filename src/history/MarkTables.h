// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryFault.h"
#include "history/HistorySql.h"
#include "history/Marks.h"

#include <optional>

namespace sorario {

// The marks of recorded runs, in tables of their own: answer_sheets (one per sheet
// handed in, on a sheet of the run, with the pupil number when given) and marks
// (one row per marked question), and run_points (the points per question a teacher
// set for a run). The file's PRAGMA user_version says which tables it has: 0 before
// marks were kept, MarksVersion with the marks, RunPointsVersion with the points too.
//
// A program from before marks opens such a file as any other: it checks the file,
// finds its own tables, adds print-option columns to runs, sheets and files only,
// and neither reads, changes nor drops a table it does not know, nor the version.
// One from before the points finds the version at least MarksVersion, so adds
// nothing and leaves the version alone; it reads and writes the marks as before and
// scores them at the default points, never reading run_points.
inline constexpr int MarksVersion = 1;
inline constexpr int RunPointsVersion = 2;

// Brings a file of an earlier version to the newest, every step in one transaction
// (so that two programs opening one file add them once). A file only read is never
// upgraded: its runs read as marked by no one, at the default points.
void AddMarkTables(const HistorySql &sql);
// SQL for how many of a group's rows meet `condition` (NULL for none), as both
// back ends read it: a file's SUM of a comparison is no number on a server.
QString CountOf(const QString &condition);
// Whether the file has them: one that has not holds no marks.
bool HasMarkTables(const HistorySql &sql);
// Whether it has run_points: one that has not has no points set.
bool HasRunPoints(const HistorySql &sql);

// The answer sheets of the run `runId`, in the order they were entered, each with
// one mark per question of its sheet.
QList<MarkedSheet> ReadMarks(const HistorySql &sql, qint64 runId);

// Adds `rows` to the run, inside the caller's transaction. A row with a pupil
// number takes the place of that pupil's row of the run; the rows without one take
// the place of all the earlier rows without one of their sheets. A row on a sheet
// the run does not have fails the whole call before anything is written.
HistoryOutcome<> WriteMarks(const HistorySql &sql, qint64 runId, const QList<MarkedSheet> &rows);
// Takes the pupil's row of the run, with its marks, out; inside the caller's transaction.
void RemovePupilMarks(const HistorySql &sql, qint64 runId, int pupil);

// The points per question set for the run, in tenths; none when never set (or when
// what is stored is no points a teacher could set).
std::optional<int> ReadRunPoints(const HistorySql &sql, qint64 runId);
// Sets them, or with none takes the run back to the default; inside the caller's
// transaction. Points out of range are refused, nothing written.
HistoryOutcome<> WriteRunPoints(const HistorySql &sql, qint64 runId, std::optional<int> tenths);

} // namespace sorario
