#include "convert/FirstFormat.h"

#include "platform/Dialogs.h"

namespace sorario {
namespace {

// Open-dialog flags as the program has always passed them.
constexpr int FileMustExist = 0x1000;
constexpr int Explorer = 0x80000;

} // namespace

FileDialogOptions ConversionOpenOptions(const QString &initialDir)
{
    FileDialogOptions options;
    options.title = QStringLiteral("ファイル変換");
    options.filter = QStringLiteral("ソラリオ問題(*.qvk)|*.qvk");
    options.filterIndex = 1;
    options.initialDir = initialDir;
    options.flags = Explorer | FileMustExist;
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
