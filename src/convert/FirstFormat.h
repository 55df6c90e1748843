#pragma once

#include <QString>

namespace sorario {

class Dialogs;
struct FileDialogOptions;

// The outcome of one conversion: the message to show (empty on success or cancel)
// and its title (empty: the platform's default title). `outputPath` is set once the
// .qvn has been written whole, even when deleting the old pair then failed.
struct ConversionResult
{
    bool converted = false; // written and the old pair deleted
    QString message;
    QString title;
    QString outputPath;
};

// Converts FILE.qvk + FILE.ctr into FILE.qvn; deletes the pair only after the new
// file is written whole.
ConversionResult ConvertFirstFormat(const QString &qvkPath);

// The open dialog of the window's "変換実行", starting in `initialDir`.
FileDialogOptions ConversionOpenOptions(const QString &initialDir);

// The window's "変換実行": open dialog (starting in `initialDir`), conversion, message.
ConversionResult RunConversion(Dialogs &dialogs, const QString &initialDir);

} // namespace sorario
