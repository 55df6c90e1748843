// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SheetDraw.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;
struct RecordedRun;

// Whether a reprint can go ahead, and what the teacher is to be told all the same.
struct ReprintSetup
{
    QString refused; // empty: the module is ready to print
    QStringList notes; // one line per file missing or changed since the record

    bool ok() const { return refused.isEmpty(); }
};

// Makes `m` print the sheets at `positions` (from 0) of a recorded run again, with
// every recorded option and the recorded headings. The questions are the record's,
// so a file missing or changed since is only noted; a record made before the
// headings were kept still reads them from its files, and needs them; a file that
// fails to load is refused with the loader's own message first.
ReprintSetup prepareReprint(Module1 &m, const RecordedRun &run, const QList<int> &positions);

// Fills DrawnQuestions with each chosen sheet's recorded questions in turn, with the
// clock at the time its sheet number was made from.
DrawSheet ReprintDraw(Module1 &m, const RecordedRun &run, const QList<int> &positions);

} // namespace sorario
