#pragma once

#include "shared/SheetDraw.h"

#include <QDateTime>
#include <QList>

#include <cstdint>

namespace sorario {

struct Module1;
class Dialogs;
class PrintSurface;

// What the capacity check left for one printed sheet.
struct SheetOutcome
{
    std::int16_t QuestionCount = 0;
    std::int16_t PrintMode = 1;
    std::int16_t OverCapacity = 0;
    std::int16_t FitCount = 0;
    QDateTime PrintedAt; // what the sheet number was made from
};

// From the metrics to the end of the document, for `sheets` sheets in one document.
// Sheet 1 prints the questions drawn already; each later sheet first has `draw` fill
// DrawnQuestions for it, at the count asked for. One capacity prompt serves every
// sheet: with Yes each sheet prints what fits of its own draw. With several sheets
// each sheet number carries its place in the run, and afterwards the count, mode
// and capacity values are those of sheet 1. Discards the document on Cancel or
// failure. `outcomes`, when given, gets one entry per printed sheet.
bool PrintDocument(Module1 &m, PrintSurface &surface, Dialogs &dialogs, int sheets,
                   const DrawSheet &draw, QList<SheetOutcome> *outcomes = nullptr);

// The print run of m.SheetCount sheets: draws sheet 1, then runs as PrintSheet does
// (a count of 1 is PrintSheet itself).
bool PrintSheets(Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw,
                 QList<SheetOutcome> *outcomes = nullptr);

// The same run without the print dialog, ended into the print preview. True when the
// teacher printed from the preview.
bool PreviewSheets(Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw);

} // namespace sorario
