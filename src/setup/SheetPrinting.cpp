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

PrintOutcome mayReplace(const QString &file, const Module1 &m, Dialogs &dialogs)
{
    // A PDF printed over a question file of the run would lose that file.
    return MayPrintTo(file, m.ChosenFileList.first(m.ChosenFileCount), dialogs);
}

// A run that failed says why, in the windows as on the command line.
void report(const PrintOutcome &outcome, Dialogs &dialogs)
{
    if (PrintFailed(outcome))
        dialogs.message(PrintFailureMessage(*outcome.fault, outcome.detail), ProgramTitle);
}

// What the windows keep of a run, and its failure told.
PrintRunResult kept(Module1 &m, const PrintRunResult &result, Dialogs &dialogs)
{
    KeepRunInState(m, result);
    report(result.outcome, dialogs);
    return result;
}

// Where a run offers to print: the sheet's title as a PDF beside the first question file.
QString proposedPdfFile(const Module1 &m)
{
    return QDir(SheetFolder(m)).filePath(SheetFileName(m) + QStringLiteral(".pdf"));
}

// How many sheets a run prints, within the limits.
int runSheetCount(const Module1 &m)
{
    return std::clamp<int>(m.options.sheetCount, 1, MaxSheetCount);
}

PrintRunResult run(Module1 &m, PrintTarget &target, Dialogs &dialogs, int sheets, const DrawSheet &draw,
    OverflowPolicy overflow)
{
    return kept(m,
        PrintDocument(SheetJobOf(m, sheets, draw, capacityQuestion(dialogs), overflow), target.surface()),
        dialogs);
}

PrintRunResult printWithDialog(Module1 &m, PrintTarget &target, Dialogs &dialogs, int sheets,
    const DrawSheet &draw, OverflowPolicy overflow)
{
    target.proposeFile(proposedPdfFile(m));
    // So that the print dialog shows the paper the sheets will come out on.
    target.surface().setPaperPlacing(m.options.paper);
    if (!dialogs.printDialog(target.printer(), SheetPrintDialogFlags))
        return {};
    if (!mayReplace(target.settleDestination(), m, dialogs).ok())
        return {};
    return run(m, target, dialogs, sheets, draw, overflow);
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

PrintRunResult PrintSheet(Module1 &m, PrintSurface &surface, Dialogs &dialogs)
{
    SurfaceTarget target(surface);
    return printWithDialog(m, target, dialogs, 1, {}, OverflowPolicy::Ask);
}

PrintRunResult PrintSheets(
    Module1 &m, PrintTarget &target, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    if (draw)
        draw(1);
    return printWithDialog(m, target, dialogs, runSheetCount(m), draw, overflow);
}

PrintRunResult PrintSheets(
    Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    SurfaceTarget target(surface);
    return PrintSheets(m, target, dialogs, draw, overflow);
}

PrintRunResult LayOutPreview(
    Module1 &m, PrintTarget &target, Dialogs &dialogs, const DrawSheet &draw, OverflowPolicy overflow)
{
    if (draw)
        draw(1);
    target.proposeFile(proposedPdfFile(m));
    return run(m, target, dialogs, runSheetCount(m), draw, overflow);
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
