// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/RunConversion.h"

#include "platform/Dialogs.h"

namespace sorario {

FileDialogOptions ConversionOpenOptions(const QString &initialDir)
{
    FileDialogOptions options;
    options.title = QStringLiteral("ファイル変換");
    options.filters = {QStringLiteral("ソラリオ問題(*.qvk) (*.qvk)")};
    options.filterIndex = 1;
    options.initialDir = initialDir;
    options.flags = FileDialogFlag::FileMustExist;
    return options;
}

ConversionResult RunConversion(Dialogs &dialogs, const QString &initialDir)
{
    const std::optional<QString> path = dialogs.openDialog(ConversionOpenOptions(initialDir));
    if (!path || path->isEmpty())
        return ConversionResult::failed(ConversionFault::Cancelled);
    ConversionResult result = ConvertFirstFormat(*path, ExistingOutput::Keep);
    if (result.fault == ConversionFault::OutputExists) {
        const ConversionMessage question = ReplaceQuestionFor(result);
        // いいえ keeps all three files as they were, and needs no message.
        if (dialogs.messageBox(question.text, MessageButtons::YesNo, MessageIcon::Question, question.title)
            != MessageAnswer::Yes)
            return result;
        result = ConvertFirstFormat(*path, ExistingOutput::Replace);
    }
    if (const ConversionMessage shown = ConversionMessageFor(result); !shown.text.isEmpty())
        dialogs.message(shown.text, shown.title);
    return result;
}

} // namespace sorario
