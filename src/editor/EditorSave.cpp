// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorSave.h"

#include "bank/EncodedLines.h"
#include "bank/QuestionFileRead.h"
#include "editor/EditorCheck.h"
#include "platform/SafeWrite.h"

#include <QDir>

namespace sorario {

EditorSaveOutcome saveEditedLines(const QString &path, const QStringList &lines, QuestionFileForm form)
{
    if (holdsUnwritable(lines))
        return {EditorSaveOutcome::Kind::Unwritable, path};
    const QStringList written = form == QuestionFileForm::Encoded
        ? QStringList {QString::fromUtf16(EncodedMark) + EncodeLines(lines)}
        : lines;
    if (!writeLineFileAtomically(path, written))
        return {EditorSaveOutcome::Kind::WriteFailed, path};
    return {EditorSaveOutcome::Kind::Saved, path};
}

QString editorSaveMessage(const EditorSaveOutcome &outcome)
{
    switch (outcome.kind) {
    case EditorSaveOutcome::Kind::Saved:
        return {};
    case EditorSaveOutcome::Kind::Unwritable:
        return QStringLiteral(
            "Shift-JIS で保存できない文字があります（問題点の一覧）。直してから保存して下さい。");
    case EditorSaveOutcome::Kind::WriteFailed:
        return QStringLiteral("問題ファイルを保存できませんでした。\n")
            + QDir::toNativeSeparators(outcome.path);
    }
    return {};
}

} // namespace sorario
