// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintFailure.h"
#include "print/SheetJob.h"
#include "print/SheetLayout.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>

namespace sorario {

// No line of a printed page may end below this (mm): the top margin mirrored at the foot.
constexpr int LowestLineBottom = 242;

class PrintSurface;

// What the capacity check left for one printed sheet.
struct SheetOutcome
{
    std::int16_t QuestionCount = 0;
    std::int16_t PrintMode = 1;
    std::int16_t OverCapacity = 0;
    std::int16_t FitCount = 0;
    QDateTime PrintedAt; // what the sheet number was made from
    std::int16_t FittedSize = 0;
};

// Runs `run` on `surface`; a PrintFailure or any other error inside it discards the
// document and becomes Failed with its kind. The one place print failures are caught.
PrintOutcome ContainPrintFailure(PrintSurface &surface, const std::function<PrintOutcome()> &run);

// Sets up the surface (millimetres, B5, portrait, the question font at `size`) and
// returns the metrics. Throws PrintFailure when the size is not above 0 or the font
// has no usable height, since every line capacity divides by it.
PrintMetrics setPrintMetrics(const QString &fontName, std::int16_t size, PrintSurface &surface);

// The four lines of the question asked when the questions overflow the first page.
QString CapacityPromptText(int fitCount, int questionCount);

// What a print run gives: how it ended, for each printed sheet what the capacity check
// left, its questions as printed and its sheet number, and what the state keeps of
// the run: the metrics once they were set, and the values of sheet 1 (after a run
// that printed nothing, those of the sheet it stopped at with the count asked for).
struct PrintRunResult
{
    PrintOutcome outcome = PrintCancelled();
    QList<SheetOutcome> sheets;
    QList<QList<QuestionRecord>> printedQuestions; // per printed sheet, as the sheet set them
    QStringList sheetNumbers; // per printed sheet
    int pages = 0; // B5 pages of a printed document
    int paperSheets = 0; // the sheets of paper they go onto
    std::optional<PrintMetrics> metrics;
    SheetOutcome leftBehind;
    QString file; // the PDF printed to; empty for a printer

    bool printed() const { return outcome.ok(); }
};

// From the metrics to the end of the document, for the job's sheets in one document.
// Each sheet is asked of the job once, in order. One capacity prompt serves every
// sheet: with Yes each sheet prints what fits of its own draw. Shrinking to fit finds
// one size for every sheet, so all are drawn first. With several sheets each sheet
// number carries its place in the run. The pages follow each other as PageOrderFor
// says. Discards the document on Cancel or failure. Only OverflowPolicy::Ask asks.
PrintRunResult PrintDocument(const SheetJob &job, PrintSurface &surface);

} // namespace sorario
