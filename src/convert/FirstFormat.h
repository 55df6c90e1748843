#pragma once

#include <QString>

namespace sorario {

class Dialogs;

// The outcome of one conversion: the message to show (empty on success or cancel)
// and its title (empty: the platform's default title).
struct ConversionResult
{
    bool converted = false;
    QString message;
    QString title;
    QString outputPath;
};

// Converts FILE.qvk + FILE.ctr into FILE.qvn; deletes the pair only after the new
// file is written whole.
ConversionResult ConvertFirstFormat(const QString &qvkPath);

// The window's "変換実行": open dialog (starting in `initialDir`), conversion, message.
ConversionResult RunConversion(Dialogs &dialogs, const QString &initialDir);

} // namespace sorario
