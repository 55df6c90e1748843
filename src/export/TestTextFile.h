#pragma once

#include "export/BracketExchange.h"

#include <QString>

namespace sorario {

struct Module1;
class Dialogs;
struct FileDialogOptions;

// The save dialog exactly as the export prepares it.
FileDialogOptions TestTextSaveOptions();

// The whole export file as text (CR LF line ends), from the drawn questions.
QString BuildTestText(const Module1 &m);

// Writes BuildTestText to `path` whole or not at all.
bool WriteTestTextTo(const Module1 &m, const QString &path);

// Save dialog, then the file. Cancelling is silent; a file that cannot be written
// is reported through `dialogs` and leaves what was on disk. True when written.
bool WriteTestTextFile(const Module1 &m, Dialogs &dialogs);

} // namespace sorario
