// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FirstFormat.h"

#include "bank/QuestionFiles.h"
#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "shared/ProgramConstants.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace sorario {
namespace {

ConversionResult ending(ConversionFault fault, const QString &name)
{
    ConversionResult result = ConversionResult::failed(fault);
    result.value.fileName = name;
    return result;
}

// The old files are deleted after the conversion, so a line that would not come
// back as it was read must stop it: a byte that was no character, or a character
// of a UTF-8 file that Shift-JIS cannot hold.
bool survivesRewrite(const LineFileRead &read)
{
    if (read.badBytes > 0)
        return false;
    for (const QString &line : read.lines) {
        if (encodeCp932(line).unmappable > 0)
            return false;
    }
    return true;
}

QString withLastThreeReplaced(const QString &path, const QString &ending)
{
    return path.left(std::max<qsizetype>(0, path.size() - 3)) + ending;
}

// The converted lines go through the loader itself, so that what it would refuse
// is never written and the pair never deleted for it.
std::optional<ConversionFault> loaderVerdict(const QStringList &lines)
{
    const LoadOutcome load
        = LoadAlone(QString(), [&lines](const QString &) { return ReadQuestionLines(lines); });
    if (load.ok())
        return std::nullopt;
    switch (*load.fault) {
    case LoadFault::TooManyLines:
        return ConversionFault::TooManyQuestions;
    case LoadFault::PartsOutOfRange:
        return ConversionFault::PartsOutOfRange;
    default:
        return ConversionFault::EncodedTitle;
    }
}

} // namespace

ConversionMessage ConversionMessageFor(const ConversionResult &result)
{
    const QString title = QStringLiteral("問題ファイルの変換");
    const QString &name = result.value.fileName;
    const QString output = withLastThreeReplaced(name, QStringLiteral("qvn"));
    if (result.ok())
        return {};
    switch (*result.fault) {
    case ConversionFault::Cancelled:
        return {};
    case ConversionFault::NotFirstFormat:
        return {name + QStringLiteral("  はバージョン１用の問題ファイル（.qvk）ではありません。"), title};
    case ConversionFault::MissingFile:
        return {name + QStringLiteral("  のコントロールファイルがありません。"), title};
    case ConversionFault::BrokenFile:
        return {QStringLiteral("ファイルがこわれています。"), {}};
    case ConversionFault::WrongQuestionData:
        return {QStringLiteral("問題データがまちがっています。"), {}};
    case ConversionFault::TooManyQuestions:
        return {name
                + QStringLiteral("  は問題が多すぎるため変換できません。（%1 題まで）")
                      .arg((MaxFileLines - HeaderLineCount) / 3),
            title};
    case ConversionFault::PartsOutOfRange:
        return {name
                + QStringLiteral("  のコントロールファイルの部の数（2行目）が読み込める範囲をこえるため、"
                                 "変換できません。"),
            title};
    case ConversionFault::EncodedTitle:
        return {name
                + QStringLiteral("  のコントロールファイルのタイトル（1行目）が符号化の印で始まり、"
                                 "変換したファイルを読み込めないため、変換できません。"),
            title};
    case ConversionFault::NoControlFile:
        return {QStringLiteral("コントロールファイルがありません。"), {}};
    case ConversionFault::OutputExists:
        return {output + QStringLiteral("  はすでにあります。置き換えずに、変換をやめました。"), title};
    case ConversionFault::NotWritten:
        return {output + QStringLiteral("  を書き込めませんでした。古いファイルはそのまま残っています。\n")
                + result.detail,
            title};
    case ConversionFault::OldPairKept:
        return {output + QStringLiteral("  を書き込みましたが、古いファイル  ") + result.detail
                + QStringLiteral("  を削除できませんでした。"),
            title};
    }
    return {};
}

ConversionMessage ReplaceQuestionFor(const ConversionResult &result)
{
    return {withLastThreeReplaced(result.value.fileName, QStringLiteral("qvn"))
            + QStringLiteral("  はすでにあります。変換したファイルで置き換えますか？"),
        QStringLiteral("問題ファイルの変換")};
}

FirstFormatLines ConvertedLines(const LineFileRead &questions, const LineFileRead &control)
{
    // Stage 1: the questions.
    if (questions.status == LineFileRead::Status::Missing)
        return FirstFormatLines::failed(ConversionFault::MissingFile);
    if (questions.status != LineFileRead::Status::Ok || !survivesRewrite(questions))
        return FirstFormatLines::failed(ConversionFault::WrongQuestionData);
    const qsizetype n = questions.lines.size();
    if (n % 3 != 0)
        return FirstFormatLines::failed(ConversionFault::BrokenFile);

    // Stage 2: the control file.
    if (control.status == LineFileRead::Status::Missing)
        return FirstFormatLines::failed(ConversionFault::MissingFile);
    if (control.status != LineFileRead::Status::Ok || control.lines.size() < 2)
        return FirstFormatLines::failed(ConversionFault::NoControlFile);
    LineFileRead header = control;
    header.lines = control.lines.mid(0, 2);
    if (!survivesRewrite(header))
        return FirstFormatLines::failed(ConversionFault::NoControlFile);

    QStringList lines;
    lines.reserve(n + HeaderLineCount);
    lines << header.lines;
    while (lines.size() < HeaderLineCount)
        lines << QString();
    lines << questions.lines;
    if (const std::optional<ConversionFault> verdict = loaderVerdict(lines))
        return FirstFormatLines::failed(*verdict);
    return lines;
}

ConversionResult ConvertFirstFormat(const QString &qvkPath, ExistingOutput existing)
{
    const QString name = QFileInfo(qvkPath).fileName();
    if (!IsFirstFormatFile(qvkPath))
        return ending(ConversionFault::NotFirstFormat, name);
    const QString controlPath = withLastThreeReplaced(qvkPath, QStringLiteral("ctr"));
    const QString outputPath = withLastThreeReplaced(qvkPath, QStringLiteral("qvn"));

    const FirstFormatLines converted = ConvertedLines(readLineFile(qvkPath), readLineFile(controlPath));
    if (!converted.ok())
        return ending(*converted.fault, name);
    const QFileInfo output(outputPath);
    if (existing == ExistingOutput::Keep && (output.exists() || output.isSymLink()))
        return ending(ConversionFault::OutputExists, name);
    if (const WriteOutcome written = writeLineFileAtomically(outputPath, converted.value); !written.ok()) {
        ConversionResult result = ending(ConversionFault::NotWritten, name);
        result.detail = writeFailureReason(written);
        return result;
    }

    // The new file is complete, so a refused deletion loses nothing; a kept question
    // file keeps its control file too.
    ConversionResult result = Conversion {name, outputPath};
    for (const QString &old : {qvkPath, controlPath}) {
        if (!QFile::remove(old)) {
            result.fault = ConversionFault::OldPairKept;
            result.detail = QFileInfo(old).fileName();
            break;
        }
    }
    return result;
}

} // namespace sorario
