// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sorario {

// The two forms the editor saves a question file in.
enum class QuestionFileForm { Plain, Encoded };

struct EditorSaveOutcome
{
    enum class Kind {
        Saved,
        Unwritable, // a character Shift-JIS cannot hold: nothing written
        ReadsBackOtherwise, // opened again the file would hold other lines: nothing written
        WriteFailed, // the file on disk is as it was
    };
    Kind kind = Kind::Saved;
    QString path;
    int line = 0; // for ReadsBackOtherwise: the first line that would differ, from 1

    bool saved() const { return kind == Kind::Saved; }
};

// The bytes a save of the edited lines in `form` writes, or (no bytes) why it
// writes none; the outcome's path is left empty.
struct EditorSaveBytes
{
    EditorSaveOutcome outcome;
    QByteArray bytes;
};
EditorSaveBytes editorSaveBytes(const QStringList &lines, QuestionFileForm form);

// Writes the edited lines to `path` in `form`, whole or not at all.
EditorSaveOutcome saveEditedLines(const QString &path, const QStringList &lines, QuestionFileForm form);

// Why a save did not happen, as the teacher reads it; empty when it did.
QString editorSaveMessage(const EditorSaveOutcome &outcome);

} // namespace sorario
