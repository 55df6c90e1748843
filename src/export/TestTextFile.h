// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QString>
#include <QStringList>

namespace sorario {

enum class TextExportFault {
    Cancelled, // the save dialog was cancelled
    Declined, // the teacher chose not to save characters the file cannot hold
    NotWritten, // the detail says why; what was on disk stays
};

struct SavedText
{
    // Written as "?": the file's code page has no form for them.
    QStringList lostCharacters;
    QString path; // where the file went, for the window to say
};

using TextExportOutcome = Outcome<TextExportFault, SavedText>;

// Characters the file cannot hold: ask the teacher whether to save anyway, or write
// them as "?" without asking (whoever decided so names them).
enum class LostCharacters { Ask, Write };

// Names the characters that the file writes as "?".
QString LostCharactersText(const QStringList &characters);

} // namespace sorario
