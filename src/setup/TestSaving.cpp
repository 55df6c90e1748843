// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/TestSaving.h"

#include "export/TestDocument.h"
#include "platform/Cp932.h"
#include "platform/Dialogs.h"
#include "platform/SafeWrite.h"
#include "shared/Module1.h"
#include "shared/SheetTitle.h"

#include <QDir>

namespace sorario {

FileDialogOptions TestTextSaveOptions(const Module1 *test)
{
    FileDialogOptions options;
    options.title = QStringLiteral("テキストファイル保存");
    options.filters = {QStringLiteral("テキストファイル(*.txt) (*.txt)"), AllFilesFilter};
    options.filterIndex = 1;
    options.defaultExt = QStringLiteral("txt");
    options.fileName = test ? SheetFileName(*test) : ProgramTitle;
    options.initialDir = test ? SheetFolder(*test) : QString();
    options.flags = FileDialogFlag::OverwritePrompt;
    return options;
}

TextExportOutcome SaveTestText(const QString &text, Dialogs &dialogs, const QStringList &inputs,
    const Module1 *test, LostCharacters lost)
{
    const QStringList lostCharacters = unmappableCp932Characters(text);
    if (!lostCharacters.isEmpty() && lost == LostCharacters::Ask
        && dialogs.messageBox(LostCharactersText(lostCharacters) + QStringLiteral("\nこのまま保存しますか。"),
               MessageButtons::YesNo, MessageIcon::Question, ProgramTitle)
            != MessageAnswer::Yes)
        return TextExportOutcome::failed(TextExportFault::Declined);
    const std::optional<QString> path = dialogs.saveDialog(TestTextSaveOptions(test));
    if (!path || path->isEmpty())
        return TextExportOutcome::failed(TextExportFault::Cancelled);
    WriteOutcome written = checkWriteTarget(*path, inputs);
    if (written.ok())
        written = writeTextFileAtomically(*path, text);
    if (!written.ok()) {
        // Saying nothing would let the teacher believe the test was saved.
        dialogs.message(QStringLiteral("テキストファイルを保存できませんでした。\n")
                + QDir::toNativeSeparators(*path) + u'\n' + writeFailureReason(written),
            ProgramTitle);
        return TextExportOutcome::failed(TextExportFault::NotWritten, writeFailureReason(written));
    }
    return SavedText {lostCharacters, *path};
}

TextExportOutcome saveTestDocument(
    const QTextDocument &document, Dialogs &dialogs, const QStringList &inputs, const Module1 *test)
{
    FileDialogOptions options;
    options.title = QStringLiteral("文書ファイル保存");
    options.filters = {QStringLiteral("OpenDocument テキスト(*.odt) (*.odt)"), AllFilesFilter};
    options.defaultExt = QStringLiteral("odt");
    options.fileName = test ? SheetFileName(*test) : ProgramTitle;
    options.initialDir = test ? SheetFolder(*test) : QString();
    options.flags = FileDialogFlag::OverwritePrompt;
    const std::optional<QString> path = dialogs.saveDialog(options);
    if (!path || path->isEmpty())
        return TextExportOutcome::failed(TextExportFault::Cancelled);
    WriteOutcome written = checkWriteTarget(*path, inputs);
    if (written.ok())
        written = writeTestDocument(document, *path);
    if (written.ok())
        return SavedText {{}, *path};
    dialogs.message(QStringLiteral("文書ファイルを保存できませんでした。\n") + QDir::toNativeSeparators(*path)
            + u'\n' + writeFailureReason(written),
        ProgramTitle);
    return TextExportOutcome::failed(TextExportFault::NotWritten, writeFailureReason(written));
}

} // namespace sorario
