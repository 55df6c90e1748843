// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SafeWrite.h"

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;
class Dialogs;
struct FileDialogOptions;

// The save dialog exactly as the export prepares it; with a test, proposing its file.
FileDialogOptions TestTextSaveOptions(const Module1 *test = nullptr);

enum class TextExportFault {
    Cancelled, // the save dialog was cancelled
    Declined, // the teacher chose not to save characters the file cannot hold
    NotWritten, // the detail says why; what was on disk stays
};

struct SavedText
{
    // Written as "?": the file's code page has no form for them.
    QStringList lostCharacters;
};

using TextExportOutcome = Outcome<TextExportFault, SavedText>;

// Characters the file cannot hold: ask the teacher whether to save anyway, or write
// them as "?" without asking (whoever decided so names them).
enum class LostCharacters { Ask, Write };

// Names the characters that the file writes as "?".
QString LostCharactersText(const QStringList &characters);

// Save dialog, then the file. Characters the file cannot hold are named first and,
// as `lost` says, the teacher asked whether to save anyway. Cancelling is silent; a
// file that cannot be written, or is one of `inputs`, is reported through `dialogs`
// and leaves what was on disk.
TextExportOutcome SaveTestText(const QString &text, Dialogs &dialogs, const QStringList &inputs = {},
    const Module1 *test = nullptr, LostCharacters lost = LostCharacters::Ask);

} // namespace sorario
