// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorSave.h"

#include "bank/EncodedLines.h"
#include "bank/QuestionFileRead.h"
#include "editor/EditorCheck.h"
#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"

#include <QDir>

namespace sorario {

Outcome<EditorSaveFault, QByteArray> editorSaveBytes(const QStringList &lines, QuestionFileForm form)
{
    if (holdsUnwritable(lines))
        return Outcome<EditorSaveFault, QByteArray>::failed(EditorSaveFault::Unwritable);
    const QStringList written = form == QuestionFileForm::Encoded
        ? QStringList {QString::fromUtf16(EncodedMark) + EncodeLines(lines)}
        : lines;
    // A plain title that begins with the encoded mark, or text whose bytes look like
    // UTF-8, would open as something else: the table stays, the file is not written.
    // ("¥" and the like come back as the code page's own character, as always.)
    QByteArray bytes = encodeCp932(joinCrLf(written)).bytes;
    const QStringList reopened = ReadQuestionBytes(bytes).countedLines();
    QStringList expected;
    for (const QString &line : lines)
        expected.append(decodeCp932(encodeCp932(line).bytes).text);
    if (reopened != expected) {
        qsizetype line = 0;
        while (line < expected.size() && line < reopened.size() && expected[line] == reopened[line])
            ++line;
        return Outcome<EditorSaveFault, QByteArray>::failed(
            EditorSaveFault::ReadsBackOtherwise, QString::number(line + 1));
    }
    return bytes;
}

EditorSaveOutcome saveEditedLines(const QString &path, const QStringList &lines, QuestionFileForm form)
{
    const Outcome<EditorSaveFault, QByteArray> save = editorSaveBytes(lines, form);
    if (!save.ok())
        return EditorSaveOutcome::failed(*save.fault, save.detail);
    // Already read back as these lines: the bytes are written as they are.
    if (!writeBytesAtomically(path, save.value).ok())
        return EditorSaveOutcome::failed(EditorSaveFault::WriteFailed, QDir::toNativeSeparators(path));
    return {};
}

QString editorSaveMessage(EditorSaveFault fault, const QString &detail)
{
    switch (fault) {
    case EditorSaveFault::Unwritable:
        return QStringLiteral(
            "Shift-JIS で保存できない文字があります（問題点の一覧）。直してから保存して下さい。");
    case EditorSaveFault::ReadsBackOtherwise:
        return QStringLiteral("%1 行目が、保存すると読み込み時に別の内容になってしまいます"
                              "（1行目の先頭の「\\\\\\」など）。直してから保存して下さい。")
            .arg(detail);
    case EditorSaveFault::WriteFailed:
        return QStringLiteral("問題ファイルを保存できませんでした。\n") + detail;
    }
    return {};
}

} // namespace sorario
