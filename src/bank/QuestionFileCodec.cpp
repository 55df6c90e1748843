// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileCodec.h"

#include "bank/FileChoice.h"
#include "platform/Cp932.h"
#include "platform/SafeWrite.h"
#include "shared/Module1.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>
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

CodecOutcome outcomeOf(CodecFault fault, const QString &path, const QString &output, int line = 0)
{
    return {fault, {}, line, path, output};
}

} // namespace

QString CodecFailureMessage(const CodecOutcome &outcome)
{
    switch (outcome.fault) {
    case CodecFault::None:
        return {};
    case CodecFault::NotLoadable:
        return LoadFailureMessage(outcome.load);
    case CodecFault::NotEncoded:
        return QStringLiteral("◆符号化された問題ファイルではありません。\n") + outcome.path;
    case CodecFault::Empty:
        return QStringLiteral("◆空のファイルは符号化できません。\n") + outcome.path;
    case CodecFault::Unwritable:
        return QStringLiteral("◆%1行目に符号化できない文字があります。\n").arg(outcome.line) + outcome.path;
    case CodecFault::OutputIsInput:
        return writeFailureMessage(WriteOutcome::failed(WriteFault::OutputIsInput), outcome.path);
    case CodecFault::WriteFailed:
        break;
    }
    return QStringLiteral("◆ファイルを書き込めません。\n") + outcome.output;
}

CodecOutcome EncodeQuestionFile(const QString &path, const QString &outPath)
{
    if (sameFile(path, outPath))
        return outcomeOf(CodecFault::OutputIsInput, path, outPath);
    // Only a file that loads is encoded, so that the encoded file loads the same.
    auto m = std::make_unique<Module1>();
    ChooseFiles(*m, {QFileInfo(path).absoluteFilePath()});
    if (const LoadOutcome load = LoadBank(*m); load.fault != LoadFault::None)
        return {CodecFault::NotLoadable, load, 0, path, outPath};

    const QuestionFileRead read = ReadQuestionFile(path);
    QString payload;
    if (read.encoded) {
        payload = EncodeText(read.lines.join(QStringLiteral("\r\n")));
    } else if (read.lines.isEmpty()) {
        return outcomeOf(CodecFault::Empty, path, outPath);
    } else if (const int line = firstUnwritableLine(read.lines)) {
        return outcomeOf(CodecFault::Unwritable, path, outPath, line);
    } else {
        payload = EncodeLines(read.lines);
    }
    if (!writeLineFileAtomically(outPath, {QString::fromUtf16(EncodedMark) + payload}).ok())
        return outcomeOf(CodecFault::WriteFailed, path, outPath);
    return outcomeOf(CodecFault::None, path, outPath);
}

DecodedFile DecodeQuestionFile(const QString &path)
{
    QuestionFileRead read = ReadQuestionFile(path);
    DecodedFile file;
    file.outcome.path = path;
    // A file that decodes, even to lines the loader would refuse, is shown as it decodes.
    if (read.fault != LoadFault::None && read.fault != LoadFault::EmptyPayload
        && read.fault != LoadFault::NotWholeQuestions) {
        file.outcome.fault = CodecFault::NotLoadable;
        file.outcome.load = {read.fault, path};
        return file;
    }
    if (!read.encoded) {
        file.outcome.fault = CodecFault::NotEncoded;
        return file;
    }
    file.lineCount = read.lineCount;
    file.pieces = std::move(read.lines);
    return file;
}

CodecOutcome WriteDecodedFile(const QString &path, const QString &outPath)
{
    if (sameFile(path, outPath))
        return outcomeOf(CodecFault::OutputIsInput, path, outPath);
    DecodedFile file = DecodeQuestionFile(path);
    file.outcome.output = outPath;
    if (file.outcome.fault != CodecFault::None)
        return file.outcome;
    // The uncounted last piece is no line of the file.
    file.pieces.resize(std::max(file.lineCount, 0));
    if (!writeLineFileAtomically(outPath, file.pieces).ok())
        file.outcome.fault = CodecFault::WriteFailed;
    return file.outcome;
}

} // namespace sorario
