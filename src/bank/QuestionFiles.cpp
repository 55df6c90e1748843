// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFiles.h"

#include "bank/FileChoice.h"

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

LoadOutcome LoadAlone(const QString &path, const QuestionFileReader &readFile)
{
    LoadedBank bank;
    return loadBank({path}, readFile, bank);
}

LoadOutcome loadBank(const QStringList &paths, const QuestionFileReader &readFile, LoadedBank &bank)
{
    // Slots the previous file filled. The header slots are cleared even before the
    // first file, so that a short file never takes header lines from an earlier load.
    qsizetype filledSlots = HeaderLineCount;
    QString emptyFile;
    for (const QString &path : paths.first(std::min<qsizetype>(paths.size(), MaxChosenFiles))) {
        bank.clearedLines = static_cast<int>(std::max<qsizetype>(bank.clearedLines, filledSlots));
        QuestionFileRead read = readFile(path);
        if (read.encoded)
            bank.encodedText = read.payload;
        filledSlots = read.lines.size();
        bank.lastLines = std::move(read.lines);
        if (read.fault != LoadFault::None)
            return LoadOutcome::failed(read.fault, path, read.longLine);
        if (read.empty() && emptyFile.isEmpty())
            emptyFile = path;

        const int questions = read.questionCount();
        if (bank.questions.size() + questions > MaxBankQuestions)
            return LoadOutcome::failed(LoadFault::TooManyQuestions, path);
        const auto line
            = [&bank](int n) { return n <= bank.lastLines.size() ? bank.lastLines[n - 1] : QString(); };
        std::array<QString, HeaderLineCount> headers;
        for (int s = 1; s <= HeaderLineCount; ++s)
            headers[static_cast<size_t>(s - 1)] = line(s);
        for (int q = 1; q <= questions; ++q)
            bank.questions.append({line(3 * q + 4), line(3 * q + 5), line(3 * q + 6)});

        if (headers[0].isEmpty())
            headers[0] = ProgramTitle;
        const DeclaredParts parts = ReadDeclaredParts(headers[1]);
        headers[1] = parts.text;
        bank.headers.append(headers);
        const std::optional<std::int16_t> sum = AddDeclaredParts(bank.partCount, parts.value);
        if (!sum)
            return LoadOutcome::failed(LoadFault::PartsOutOfRange, path);
        bank.partCount = *sum;
        bank.titles += headers[0];
        bank.titles += u"\r\n";
    }

    const PartDivision parts
        = DivideIntoParts(bank.partCount, static_cast<std::int16_t>(bank.questions.size()));
    bank.partCount = parts.count;
    bank.partSize = parts.size;
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
