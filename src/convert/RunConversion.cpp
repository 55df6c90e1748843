// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FirstFormat.h"

#include "platform/Dialogs.h"

namespace sorario {
FileDialogOptions ConversionOpenOptions(const QString &initialDir)
{
    FileDialogOptions options;
    options.title = QStringLiteral("ファイル変換");
    options.filter = QStringLiteral("ソラリオ問題(*.qvk)|*.qvk");
    options.filterIndex = 1;
    options.initialDir = initialDir;
    options.flags = FileDialogFlag::Explorer | FileDialogFlag::FileMustExist;
    return options;
}

ConversionResult RunConversion(Dialogs &dialogs, const QString &initialDir)
{
    const std::optional<QString> path = dialogs.openDialog(ConversionOpenOptions(initialDir));
    if (!path || path->isEmpty())
        return {};
    ConversionResult result = ConvertFirstFormat(*path);
    if (const ConversionMessage shown = ConversionMessageFor(result); !shown.text.isEmpty())
        dialogs.message(shown.text, shown.title);
    return result;
}

} // namespace sorario
