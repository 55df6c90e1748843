// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/SheetPrinting.h"

#include "platform/SafeWrite.h"
#include "print/PrintSurface.h"
#include "print/PrintTarget.h"
#include "setup/SheetProcedures.h"
#include "shared/Module1.h"
#include "shared/SheetTitle.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sorario {
namespace {

// A run that failed says why, in the windows as on the command line.
void report(const PrintOutcome &outcome, Dialogs &dialogs)
{
    if (PrintFailed(outcome))
        dialogs.message(PrintFailureMessage(*outcome.fault, outcome.detail), ProgramTitle);
}

PrintRunResult reported(const PrintRunResult &result, Dialogs &dialogs)
{
    report(result.outcome, dialogs);
    return result;
}

// What the windows keep of a run, and its failure told.
PrintRunResult kept(Module1 &m, const PrintRunResult &result, Dialogs &dialogs)
{
    KeepRunInState(m, result);
    return reported(result, dialogs);
}

// A PDF printed over a question file of the run would lose that file.
SheetFiles sheetFilesOf(const Module1 &m)
{
    return sheetFilesFor(SheetTitleText(m), m.ChosenFileList.first(m.ChosenFileCount));
}

// The run of the state's drawn sheets as a job; sheet 1 is drawn already.
SheetJob jobOf(Module1 &m, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    return SheetJobOf(m, m.options.sheets(), draw, capacityQuestion(dialogs), overflow);
}

// The print dialog, then the question before replacing a file: the file the run goes
// to (empty for a printer), or nothing when it does not go on.
std::optional<QString> destinationChosen(
    const SheetFiles &files, Paper paper, PrintTarget &target, Dialogs &dialogs)
{
    target.proposeFile(files.proposedPdf);
    // So that the print dialog shows the paper the sheets will come out on.
    target.surface().setPaperPlacing(paper);
    if (!dialogs.printDialog(target.printer(), SheetPrintDialogFlags))
        return std::nullopt;
    const QString file = target.settleDestination();
    if (!MayPrintTo(file, files.questionFiles, dialogs).ok())
        return std::nullopt;
    return file;
}

PrintRunResult printedTo(const std::optional<QString> &file, PrintRunResult result)
{
    result.file = file.value_or(QString());
    return result;
}

PrintRunResult printWithDialog(Module1 &m, PrintTarget &target, Dialogs &dialogs, const SheetJob &job)
{
    const std::optional<QString> file
        = destinationChosen(sheetFilesOf(m), job.options.paper, target, dialogs);
    if (!file)
        return {};
    return kept(m, printedTo(file, PrintDocument(job, target.surface())), dialogs);
}

} // namespace

AskCapacity capacityQuestion(Dialogs &dialogs)
{
    return [&dialogs](const QString &prompt) {
        switch (dialogs.messageBox(
            prompt, MessageButtons::YesNoCancel, MessageIcon::Question, CapacityPromptTitle)) {
        case MessageAnswer::Yes:
            return OverflowPolicy::FitFirstPage;
        case MessageAnswer::No:
            return OverflowPolicy::PrintAll;
        case MessageAnswer::Ok:
        case MessageAnswer::Cancel:
            break;
        }
        return OverflowPolicy::Cancel;
    };
}

PrintOutcome MayPrintTo(const QString &file, const QStringList &inputs, Dialogs &dialogs)
{
    if (file.isEmpty())
        return {};
    if (const WriteOutcome refused = checkWriteTarget(file, inputs); !refused.ok()) {
        dialogs.message(writeFailureMessage(refused, QDir::toNativeSeparators(file)), ProgramTitle);
        return PrintCancelled();
    }
    if (!QFileInfo::exists(file))
        return {};
    const QString text
        = u'「' + QFileInfo(file).fileName() + QStringLiteral("」はすでにあります。\r\n置き換えますか？");
    if (dialogs.messageBox(text, MessageButtons::YesNo, MessageIcon::Exclamation, QString())
        != MessageAnswer::Yes)
        return PrintCancelled();
    return {};
}

SheetFiles sheetFilesFor(const QString &title, const QStringList &questionFiles)
{
    return {QDir(sheetFolder(questionFiles)).filePath(sheetFileName(title) + QStringLiteral(".pdf")),
        questionFiles};
}

PrintRunResult PrintSheet(Module1 &m, PrintSurface &surface, Dialogs &dialogs)
{
    SurfaceTarget target(surface);
    return printWithDialog(
        m, target, dialogs, SheetJobOf(m, 1, {}, capacityQuestion(dialogs), OverflowPolicy::Ask));
}

PrintRunResult PrintSheets(
    Module1 &m, PrintTarget &target, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    if (draw)
        draw(1);
    return printWithDialog(m, target, dialogs, jobOf(m, dialogs, draw, overflow));
}

PrintRunResult PrintSheets(
    Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    SurfaceTarget target(surface);
    return PrintSheets(m, target, dialogs, draw, overflow);
}

PrintRunResult PrintSheets(
    const SheetJob &job, const SheetFiles &files, PrintTarget &target, Dialogs &dialogs)
{
    const std::optional<QString> file = destinationChosen(files, job.options.paper, target, dialogs);
    if (!file)
        return {};
    return reported(printedTo(file, PrintDocument(job, target.surface())), dialogs);
}

PrintRunResult PrintSheets(
    const SheetJob &job, const SheetFiles &files, PrintSurface &surface, Dialogs &dialogs)
{
    SurfaceTarget target(surface);
    return PrintSheets(job, files, target, dialogs);
}

PrintRunResult LayOutPreview(
    Module1 &m, PrintTarget &target, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    if (draw)
        draw(1);
    target.proposeFile(sheetFilesOf(m).proposedPdf);
    return kept(m, PrintDocument(jobOf(m, dialogs, draw, overflow), target.surface()), dialogs);
}

PrintRunResult LayOutPreview(
    const SheetJob &job, const SheetFiles &files, PrintTarget &target, Dialogs &dialogs)
{
    target.proposeFile(files.proposedPdf);
    return reported(PrintDocument(job, target.surface()), dialogs);
}

PrintOutcome ShowPreview(PrintTarget &target, Dialogs &dialogs, PreviewQuestions *questions)
{
    if (!target.preview())
        return PrintCancelled();
    const bool printed = questions ? dialogs.printPreview(*target.preview(), *questions)
                                   : dialogs.printPreview(*target.preview());
    if (printed)
        return {};
    const PrintOutcome *failure = target.previewFailure();
    if (!failure)
        return PrintCancelled();
    report(*failure, dialogs);
    return *failure;
}

} // namespace sorario
