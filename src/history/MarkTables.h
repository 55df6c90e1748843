// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistorySql.h"
#include "history/Marks.h"

namespace sorario {

// The marks of recorded runs, in tables of their own: answer_sheets (one per sheet
// handed in, on a sheet of the run, with the pupil number when given) and marks
// (one row per marked question). The file's PRAGMA user_version says which tables
// it has: 0 before marks were kept, MarksVersion since.
//
// A program from before marks opens such a file as any other: it checks the file,
// finds its own tables, adds print-option columns to runs, sheets and files only,
// and neither reads, changes nor drops a table it does not know, nor the version.
inline constexpr int MarksVersion = 1;

// Adds the tables and the version to a file that has neither, in one transaction
// (so that two programs opening one file add them once). A file only read is never
// upgraded: its runs read as marked by no one.
void AddMarkTables(const HistorySql &sql);
// Whether the file has them: one that has not holds no marks.
bool HasMarkTables(const HistorySql &sql);

// The answer sheets of the run `runId`, in the order they were entered, each with
// one mark per question of its sheet.
QList<MarkedSheet> ReadMarks(const HistorySql &sql, qint64 runId);

// Adds `rows` to the run, inside the caller's transaction. A row with a pupil
// number takes the place of that pupil's row of the run. Throws for a row on a
// sheet the run does not have.
void WriteMarks(const HistorySql &sql, qint64 runId, const QList<MarkedSheet> &rows);

} // namespace sorario
