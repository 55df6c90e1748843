// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFiles.h"
#include "print/SheetJob.h"
#include "setup/SheetPrinting.h"
#include "shared/Outcome.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

struct RecordedRun;

// Why a recorded run cannot be printed again.
enum class ReprintProblem {
    NotPrintable, // no files, too many, or sheets the record does not have
    FilesMissing, // a record without the headings, and a file of it gone
    NotLoaded, // a record without the headings, and its files do not load
};

struct ReprintFault
{
    ReprintProblem problem;
    LoadOutcome loaded {}; // NotLoaded: where and why the load stopped
};

// Sheets of a recorded run to print again: the job, the run's files, and the notes:
// one line per file missing or changed since the record, for the teacher all the same;
// they are kept when the reprint is refused too.
struct Reprint
{
    SheetJob job;
    SheetFiles files;
    QStringList notes;
};

using ReprintOutcome = Outcome<ReprintFault, Reprint>;

// The sheets at `positions` (from 0) of a recorded run as a job, with every recorded
// option and the recorded headings; each sheet prints its recorded questions whole,
// without asking, with the clock at the time its sheet number was made from. The
// questions are the record's, so a file missing or changed since is only noted; a
// record made before the headings were kept still reads them from its files, and
// needs them; a file that fails to load is refused with the loader's own message first.
ReprintOutcome reprintOf(const RecordedRun &run, const QList<int> &positions);

// The refusal as the teacher reads it.
QString ReprintFailureMessage(const ReprintOutcome &refused);

} // namespace sorario
