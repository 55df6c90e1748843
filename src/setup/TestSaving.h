// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/TestTextFile.h"

#include <QString>
#include <QStringList>

class QTextDocument;

namespace sorario {

struct Module1;
class Dialogs;
struct FileDialogOptions;

// The save dialog exactly as the export prepares it; with a test, proposing its file.
FileDialogOptions TestTextSaveOptions(const Module1 *test = nullptr);

// Save dialog, then the file. Characters the file cannot hold are named first and,
// as `lost` says, the teacher asked whether to save anyway. Cancelling is silent; a
// file that cannot be written, or is one of `inputs`, is reported through `dialogs`
// and leaves what was on disk. Saved, it names the file for the window to show.
TextExportOutcome SaveTestText(const QString &text, Dialogs &dialogs, const QStringList &inputs = {},
    const Module1 *test = nullptr, LostCharacters lost = LostCharacters::Ask);

// Save dialog, then the file; a file that cannot be written, or is one of `inputs`,
// is reported through `dialogs`. With a test, the dialog proposes its file
// (SheetFileName in SheetFolder).
TextExportOutcome saveTestDocument(const QTextDocument &document, Dialogs &dialogs,
    const QStringList &inputs = {}, const Module1 *test = nullptr);

} // namespace sorario
