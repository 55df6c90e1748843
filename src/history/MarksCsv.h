// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Marks.h"
#include "shared/Outcome.h"
#include "shared/ProgramConstants.h"

#include <QByteArrayView>

namespace sorario {

// Why a marks table was refused.
enum class MarksCsvProblem {
    NotUtf8,
    Quoting, // a quote never closed, or a cell holding a line break
    Header, // the first row is not "pupil,sheet,marks"
    Cells, // a row without exactly three cells
    Pupil, // not a whole number from 1 to 60, nor empty
    Sheet, // not one of the run's sheets
    Symbol, // a mark that is none of ○ × △ -
    MarkCount, // not one mark per question of the sheet
    SamePupil, // a pupil's second row
    ControlCharacter, // a cell holding one, a NUL among them
    Unreadable, // no such file, or it cannot be opened
    NotAFile, // a FIFO, a device or a folder: never read, since it may not end
    TooLarge, // more than MaxMarksCsvBytes
    TooManyRows, // more than every pupil on every sheet
};

// More than a class could ever write: every pupil on every sheet a run can have, each
// sheet as long as a run allows, each mark four bytes at most, room for the other cells.
inline constexpr qint64 MaxMarksCsvBytes = qint64(MaxPupil) * MaxSheetCount * (MaxDrawnQuestions * 4 + 64);

// The problem and the line it is on, from 1 (0: the whole file).
struct MarksCsvFault
{
    MarksCsvProblem problem;
    int line = 0;
};

using MarksCsvOutcome = Outcome<MarksCsvFault, QList<MarkedSheet>>;

// The rows of a marks table, UTF-8 with or without a byte order mark: a header row
// "pupil,sheet,marks", then one row per answer sheet ("1,1,○×○○△"). Blank lines
// are skipped. `questionCounts` holds the number of questions of each of the
// run's sheets in order.
MarksCsvOutcome ReadMarksCsv(QByteArrayView bytes, const QList<int> &questionCounts);
// The table in the file at `path`, a regular file (or a link to one) of at most
// MaxMarksCsvBytes; anything else is refused before it is read.
MarksCsvOutcome ReadMarksCsvFile(const QString &path, const QList<int> &questionCounts);

// The refusal as the teacher reads it: the line, the reason, what was found.
QString MarksCsvMessage(const MarksCsvOutcome &refused);

} // namespace sorario
