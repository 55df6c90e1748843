// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintFailure.h"
#include "shared/SheetDraw.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace sorario {

// No line of a printed page may end below this (mm): the top margin mirrored at the foot.
constexpr int LowestLineBottom = 242;

struct Module1;
class PrintSurface;
class SheetPages;

// What a run does when the questions overflow the first page: ask the capacity
// prompt, or take the answer its Yes, No or Cancel would give without asking.
enum class OverflowPolicy { Ask, FitFirstPage, PrintAll, Cancel };

// Whoever runs the print answers the capacity prompt (its text given) with one of
// the policies that do not ask.
using AskCapacity = std::function<OverflowPolicy(const QString &prompt)>;

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

// Sets up the surface (millimetres, B5, portrait, question font) and the metrics.
// Throws PrintFailure when the font has no usable height, since every line
// capacity divides by it.
void SetPrintMetrics(Module1 &m, PrintSurface &surface);

// The four lines of the question asked when the questions overflow the first page.
QString CapacityPromptText(int fitCount, int questionCount);

// The measuring pass at the metrics set and, when the questions overflow the first
// page, the capacity prompt; sets QuestionCount and PrintMode as the answer says.
// The prompt is asked only while `answer` holds none, so one answer serves every
// sheet of a run.
// False for Cancel: the caller discards the document.
bool CheckCapacity(
    Module1 &m, PrintSurface &surface, const AskCapacity &ask, std::optional<OverflowPolicy> &answer);

// One sheet after the capacity check: header, questions in PrintMode, and the
// answer page with its own header when answers are attached, where `pages` puts
// it. Returns the time the question page's sheet number was made from.
QDateTime PrintSheetBody(const Module1 &m, SheetPages &pages);

// The print metrics a run sets up, which stay in the state after it.
struct PrintMetrics
{
    std::int32_t CharHeight = 0;
    float LineSpacing = 1.2f;
    std::int32_t LineWidth = 175;
    std::int32_t FirstPageLines = 0;
    std::int32_t NextPageLines = 0;
};

// What a print run gives: how it ended, what the capacity check left for each printed
// sheet, and what stays in the state afterwards (LeaveRunBehind): the metrics and the
// values of sheet 1, or after a run that printed nothing the count asked for.
struct PrintRunResult
{
    PrintOutcome outcome = PrintCancelled();
    QList<SheetOutcome> sheets;
    PrintMetrics metrics;
    SheetOutcome leftBehind;

    bool printed() const { return outcome.ok(); }
};

// Copies into `m` what a run leaves behind there.
void LeaveRunBehind(Module1 &m, const PrintRunResult &result);

// From the metrics to the end of the document, for `sheets` sheets in one document,
// on a copy of `m`: `m` changes only through `draw`. Sheet 1 prints the questions
// drawn already; each later sheet first has `draw` fill DrawnQuestions (with the
// count and the clock) for it. One capacity prompt serves every sheet: with Yes each
// sheet prints what fits of its own draw. Shrinking to fit finds one size for every
// sheet, so all are drawn first. With several sheets each sheet number carries its
// place in the run. The pages follow each other as PageOrderFor says. Discards the
// document on Cancel or failure. Only OverflowPolicy::Ask asks the capacity prompt.
PrintRunResult PrintDocument(const Module1 &m, PrintSurface &surface, const AskCapacity &ask, int sheets,
    const DrawSheet &draw, OverflowPolicy overflow = OverflowPolicy::Ask);

// Where a run offers to print: the sheet's title as a PDF beside the first question file.
QString proposedPdfFile(const Module1 &m);

// How many sheets a run prints, within the limits.
int runSheetCount(const Module1 &m);

} // namespace sorario
