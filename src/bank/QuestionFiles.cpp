// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFiles.h"

#include "bank/FileChoice.h"
#include "shared/Module1.h"

#include <algorithm>
#include <cstdint>
#include <memory>

namespace sorario {

QString UnreadableFileMessage(const QString &path)
{
    return QStringLiteral("◆問題ファイルを読み込めません。\n") + path;
}

QString TooManyLinesMessage(const QString &path)
{
    return QStringLiteral("◆問題ファイルの行数が%1行をこえています。\n").arg(MaxFileLines) + path;
}

QString TooManyQuestionsMessage()
{
    return QStringLiteral("◆問題数が合計%1問をこえます。\n選ぶファイルを減らしてください。")
        .arg(MaxBankQuestions);
}

QString LineTooLongMessage(const QString &path, int line)
{
    return QStringLiteral("◆問題ファイルの%1行目が%2文字をこえています。\n").arg(line).arg(MaxLineLength)
        + path;
}

QString EmptyFileMessage(const QString &path)
{
    return QStringLiteral("◆問題ファイルが空です。\n") + path;
}

LoadOutcome LoadBank(Module1 &m)
{
    return LoadBank(m, ReadQuestionFile);
}

LoadOutcome LoadAlone(const QString &path, const QuestionFileReader &readFile)
{
    const auto m = std::make_unique<Module1>();
    ChooseFiles(*m, {path});
    return LoadBank(*m, readFile);
}

LoadOutcome LoadBank(Module1 &m, const QuestionFileReader &readFile)
{
    m.BankQuestionCount = 0;
    m.PartCount = 0;
    m.LoadedTitles.clear();

    // Slots the previous file filled. The header slots are cleared even before the
    // first file, so that a short file never takes header lines from an earlier load.
    qsizetype filledSlots = HeaderLineCount;
    QString emptyFile;
    const int fileCount = std::clamp<int>(m.ChosenFileCount, 0, MaxChosenFiles);
    for (int f = 1; f <= fileCount; ++f) {
        m.FileLines.clear(1, int(std::max<qsizetype>(filledSlots, HeaderLineCount)));
        const QString &path = m.ChosenFileList(f);
        QuestionFileRead read = readFile(path);
        if (read.encoded)
            m.EncodedText = read.payload;
        filledSlots = read.lines.size();
        for (int i = 1; i <= filledSlots; ++i)
            m.FileLines(i) = std::move(read.lines[i - 1]);
        if (read.fault != LoadFault::None)
            return LoadOutcome::failed(read.fault, path, read.longLine);
        if (read.empty() && emptyFile.isEmpty())
            emptyFile = path;

        const int questions = read.questionCount();
        if (m.BankQuestionCount + questions > MaxBankQuestions)
            return LoadOutcome::failed(LoadFault::TooManyQuestions, path);
        for (int s = 1; s <= HeaderLineCount; ++s)
            m.FileHeaders(f, s) = m.FileLines(s);
        for (int q = 1; q <= questions; ++q) {
            QuestionRecord &slot = m.QuestionBank(m.BankQuestionCount + q);
            slot.QuestionText = m.FileLines(3 * q + 4);
            slot.Hint = m.FileLines(3 * q + 5);
            slot.Answer = m.FileLines(3 * q + 6);
        }
        m.BankQuestionCount = static_cast<std::int16_t>(m.BankQuestionCount + questions);

        if (m.FileHeaders(f, 1).isEmpty())
            m.FileHeaders(f, 1) = ProgramTitle;
        const DeclaredParts parts = ReadDeclaredParts(m.FileHeaders(f, 2));
        m.FileHeaders(f, 2) = parts.text;
        const std::optional<std::int16_t> sum = AddDeclaredParts(m.PartCount, parts.value);
        if (!sum)
            return LoadOutcome::failed(LoadFault::PartsOutOfRange, path);
        m.PartCount = *sum;
        m.LoadedTitles += m.FileHeaders(f, 1);
        m.LoadedTitles += u"\r\n";
    }

    const PartDivision parts = DivideIntoParts(m.PartCount, m.BankQuestionCount);
    m.PartCount = parts.count;
    m.PartSize = parts.size;
    return emptyFile;
}

QString LoadFailureMessage(const LoadOutcome &stopped)
{
    return LoadFailureMessage(*stopped.fault, stopped.detail, stopped.line);
}

QString LoadFailureMessage(const QuestionFileRead &read, const QString &path)
{
    return LoadFailureMessage(read.fault, path, read.longLine);
}

QString LoadFailureMessage(LoadFault fault, const QString &path, int line)
{
    switch (fault) {
    case LoadFault::None:
        return {};
    case LoadFault::Missing:
    case LoadFault::Folder:
    case LoadFault::Unreadable:
        return UnreadableFileMessage(path);
    case LoadFault::TooManyLines:
    case LoadFault::TooManyDecodedLines:
        return TooManyLinesMessage(path);
    case LoadFault::TooManyQuestions:
        return TooManyQuestionsMessage();
    case LoadFault::LineTooLong:
        return LineTooLongMessage(path, line);
    case LoadFault::BadGroups:
    case LoadFault::EmptyPayload:
    case LoadFault::NotWholeQuestions:
    case LoadFault::PartsOutOfRange:
        break;
    }
    return BrokenDataMessage;
}

QString LoadStoppedMessage(const LoadOutcome &stopped)
{
    const bool gone = stopped.fault == LoadFault::Missing || stopped.fault == LoadFault::Folder;
    return gone ? BrokenDataMessage : LoadFailureMessage(stopped);
}

} // namespace sorario
