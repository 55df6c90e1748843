// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QByteArray>
#include <QStringList>

namespace sorario {

// The two forms the editor saves a question file in.
enum class QuestionFileForm { Plain, Encoded };

// Why a save writes nothing. The detail is the first line that would differ (from
// 1) for ReadsBackOtherwise, the file for WriteFailed.
enum class EditorSaveFault {
    Unwritable, // a character Shift-JIS cannot hold
    ReadsBackOtherwise, // opened again the file would hold other lines
    WriteFailed, // the file on disk is as it was
};
using EditorSaveOutcome = Outcome<EditorSaveFault>;

// The bytes a save of the edited lines in `form` writes, or why it writes none.
Outcome<EditorSaveFault, QByteArray> editorSaveBytes(const QStringList &lines, QuestionFileForm form);

// Writes the edited lines to `path` in `form`, whole or not at all.
EditorSaveOutcome saveEditedLines(const QString &path, const QStringList &lines, QuestionFileForm form);

// Why a save did not happen, as the teacher reads it.
QString editorSaveMessage(EditorSaveFault fault, const QString &detail);

} // namespace sorario
