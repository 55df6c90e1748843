// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFiles.h"
#include "shared/Outcome.h"
#include "shared/SheetDraw.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;
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

// The notes: one line per file missing or changed since the record, for the teacher
// all the same; they are kept when the reprint is refused too.
using ReprintOutcome = Outcome<ReprintFault, QStringList>;

// Makes `m` print the sheets at `positions` (from 0) of a recorded run again, with
// every recorded option and the recorded headings. The questions are the record's,
// so a file missing or changed since is only noted; a record made before the
// headings were kept still reads them from its files, and needs them; a file that
// fails to load is refused with the loader's own message first.
ReprintOutcome prepareReprint(Module1 &m, const RecordedRun &run, const QList<int> &positions);

// Fills DrawnQuestions with each chosen sheet's recorded questions in turn, with the
// clock at the time its sheet number was made from.
DrawSheet ReprintDraw(Module1 &m, const RecordedRun &run, const QList<int> &positions);

// The refusal as the teacher reads it.
QString ReprintFailureMessage(const ReprintOutcome &refused);

} // namespace sorario
