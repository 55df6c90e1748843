// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

namespace sorario {

// What kind of output a recorded run made.
enum class RunOutput { Printed, Exported };

struct RecordedFile
{
    QString path;
    QString digest; // of the file's bytes when the run read it
};

// The choices that shape a sheet, kept so a reprint makes the same one.
struct RunOptions
{
    int answerLayout = 1;
    int attachAnswers = 1;
    QString fontName;
    int fontSize = 0;
    QString sheetLogo;
    int sheetCount = 1;
    bool allParts = false;
    QList<int> parts; // chosen part numbers, from 1, in list order
    quint64 seed = 0;
};

struct RecordedSheet
{
    QString sheetNumber; // "mmddhhnn" or "mmddhhnn-k", as on the sheet
    QDateTime printedAt; // the clock the sheet number was made from
    QList<QuestionRecord> questions; // as on the sheet, in order
};

// One run of one class: every sheet it printed or exported.
struct RecordedRun
{
    QString className;
    QDateTime when;
    RunOutput output = RunOutput::Printed;
    RunOptions options;
    QList<RecordedFile> files;
    QList<RecordedSheet> sheets;
};

} // namespace sorario
