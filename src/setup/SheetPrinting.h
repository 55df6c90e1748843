// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"
#include "print/PrintRun.h"
#include "shared/SheetDraw.h"

#include <QStringList>

namespace sorario {

class PrintTarget;

inline constexpr PrintDialogFlags SheetPrintDialogFlags = PrintDialogFlag::NoSelection;

inline const QString CapacityPromptTitle = QStringLiteral("問題行数のチェック");

// The capacity prompt as the teacher sees it: Yes, No or Cancel.
AskCapacity capacityQuestion(Dialogs &dialogs);

// Whether a run may print to `file` (empty: to a printer): never over one of `inputs`,
// and over a file that is there only when the teacher says so. A refusal is told here,
// so what does not go on is Cancelled, with nothing more to tell.
PrintOutcome MayPrintTo(const QString &file, const QStringList &inputs, Dialogs &dialogs);

// The files a run knows of: the PDF it offers to print to, and the question files it
// may not print over.
struct SheetFiles
{
    QString proposedPdf;
    QStringList questionFiles;
};

// The test's title as a PDF beside the first question file.
SheetFiles sheetFilesFor(const QString &title, const QStringList &questionFiles);

// The whole print run of one sheet already drawn: print dialog, metrics, measuring
// pass, capacity prompt, header, questions, answer page, end of document.
PrintRunResult PrintSheet(Module1 &m, PrintSurface &surface, Dialogs &dialogs);

// The print run of m.options.sheetCount sheets: draws sheet 1, offers the sheet's title as
// the file to print to, shows the print dialog, asks before replacing a file, then
// runs as PrintDocument (a count of 1 is PrintSheet itself) and leaves its result in `m`.
PrintRunResult PrintSheets(Module1 &m, PrintTarget &target, Dialogs &dialogs, const DrawSheet &draw,
    OverflowPolicy overflow = OverflowPolicy::Ask);
PrintRunResult PrintSheets(Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw,
    OverflowPolicy overflow = OverflowPolicy::Ask);

// The same for a job: the print dialog, the question before replacing a file, then the run,
// its failure told; nothing is kept.
PrintRunResult PrintSheets(
    const SheetJob &job, const SheetFiles &files, PrintTarget &target, Dialogs &dialogs);
PrintRunResult PrintSheets(
    const SheetJob &job, const SheetFiles &files, PrintSurface &surface, Dialogs &dialogs);

// The same run without the print dialog, laid out for a previewing target to show;
// printed() when the document is complete.
PrintRunResult LayOutPreview(
    Module1 &m, PrintTarget &target, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow);
PrintRunResult LayOutPreview(
    const SheetJob &job, const SheetFiles &files, PrintTarget &target, Dialogs &dialogs);

// Shows what LayOutPreview laid out. Printed when the teacher printed from the
// preview; Failed when the last print from it failed. `questions`, when given,
// lists each sheet's questions beside the pages and may swap one of them.
PrintOutcome ShowPreview(PrintTarget &target, Dialogs &dialogs, PreviewQuestions *questions = nullptr);

} // namespace sorario
