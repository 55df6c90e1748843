// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileCodec.h"

#include "platform/Cp932.h"
#include "platform/SafeWrite.h"

#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace sorario {
namespace {

// The 1-based line of the first character that would not come back from the code
// page as itself ("é" has no code; "¥" would come back as the backslash), or 0.
int firstUnwritableLine(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (!firstCharacterNotHeld(lines[i]).isEmpty())
            return i + 1;
    }
    return 0;
}

} // namespace

QString CodecFailureMessage(const CodecOutcome &failed, const QString &path, const QString &outPath)
{
    switch (*failed.fault) {
    case CodecFault::NotLoadable:
        return failed.detail;
    case CodecFault::NotEncoded:
        return QStringLiteral("◆符号化された問題ファイルではありません。\n") + path;
    case CodecFault::Empty:
        return QStringLiteral("◆空のファイルは符号化できません。\n") + path;
    case CodecFault::Unwritable:
        return QStringLiteral("◆%1行目に符号化できない文字があります。\n").arg(failed.detail) + path;
    case CodecFault::OutputIsInput:
        return writeFailureMessage(WriteOutcome::failed(WriteFault::OutputIsInput), path);
    case CodecFault::WriteFailed:
        break;
    }
    return QStringLiteral("◆ファイルを書き込めません。\n") + outPath;
}

CodecOutcome EncodeQuestionFile(const QString &path, const QString &outPath)
{
    if (sameFile(path, outPath))
        return CodecOutcome::failed(CodecFault::OutputIsInput);
    // Only a file that loads is encoded, so that the encoded file loads the same.
    if (const LoadOutcome load = LoadAlone(QFileInfo(path).absoluteFilePath()); !load.ok())
        return CodecOutcome::failed(CodecFault::NotLoadable, LoadFailureMessage(load));

    const QuestionFileRead read = ReadQuestionFile(path);
    QString payload;
    if (read.encoded) {
        payload = EncodeText(read.lines.join(QStringLiteral("\r\n")));
    } else if (read.lines.isEmpty()) {
        return CodecOutcome::failed(CodecFault::Empty);
    } else if (const int line = firstUnwritableLine(read.lines)) {
        return CodecOutcome::failed(CodecFault::Unwritable, QString::number(line));
    } else {
        payload = EncodeLines(read.lines);
    }
    if (!writeLineFileAtomically(outPath, {QString::fromUtf16(EncodedMark) + payload}).ok())
        return CodecOutcome::failed(CodecFault::WriteFailed);
    return {};
}

DecodedFile DecodeQuestionFile(const QString &path)
{
    QuestionFileRead read = ReadQuestionFile(path);
    // A file that decodes, even to lines the loader would refuse, is shown as it decodes.
    if (read.fault != LoadFault::None && read.fault != LoadFault::EmptyPayload
        && read.fault != LoadFault::NotWholeQuestions)
        return DecodedFile::failed(CodecFault::NotLoadable, LoadFailureMessage(read, path));
    if (!read.encoded)
        return DecodedFile::failed(CodecFault::NotEncoded);
    return DecodedLines {read.lineCount, std::move(read.lines)};
}

CodecOutcome WriteDecodedFile(const QString &path, const QString &outPath)
{
    if (sameFile(path, outPath))
        return CodecOutcome::failed(CodecFault::OutputIsInput);
    auto file = DecodeQuestionFile(path);
    if (!file.ok())
        return CodecOutcome::failed(*file.fault, file.detail);
    // The uncounted last piece is no line of the file.
    file.value.pieces.resize(std::max(file.value.lineCount, 0));
    if (!writeLineFileAtomically(outPath, file.value.pieces).ok())
        return CodecOutcome::failed(CodecFault::WriteFailed);
    return {};
}

} // namespace sorario
