// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"
#include "shared/SheetOptions.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace sorario {

// What kind of output a recorded run made.
enum class RunOutput { Printed, Exported };

// What the sheet's header printed of a file: its title and sheet code.
struct FileHeadings
{
    QString title;
    QString sheetCode;
};

struct RecordedFile
{
    QString path;
    QString digest; // of the file's bytes when the run read it
    std::optional<FileHeadings> headings = std::nullopt; // none in records made before they were kept
};

// The choices that shape a sheet, kept so a reprint makes the same one. Records made
// before an option was kept read as its default, as they printed. `sheet.sheetCount`
// is the count of sheets the run recorded.
struct RunOptions
{
    SheetOptions sheet;
    bool allParts = false;
    QList<int> parts; // chosen part numbers, from 1, in list order
    quint64 seed = 0;
    friend bool operator==(const RunOptions &, const RunOptions &) = default;
};

struct RecordedSheet
{
    QString sheetNumber; // "mmddhhnn" or "mmddhhnn-k", as on the sheet
    QDateTime printedAt; // the clock the sheet number was made from
    QList<QuestionRecord> questions; // as on the sheet, in order
    int fittedSize = 0; // the size the font was lowered to; 0 at the chosen size
    int pupil = 0; // 出席番号 of a pupil's own review sheet; 0 for the class's sheets
};

// One run of one class: every sheet it printed or exported.
struct RecordedRun
{
    qint64 id = 0; // in the history it was read from; 0 for a run not read from one
    QString className;
    QDateTime when;
    RunOutput output = RunOutput::Printed;
    RunOptions options;
    QList<RecordedFile> files;
    QList<RecordedSheet> sheets;
};

} // namespace sorario
