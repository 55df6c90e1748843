// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FirstFormat.h"

#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "shared/Module1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace sorario {
namespace {

// The converted file stays within the lines the loader holds.
constexpr int MaxQuestionLines = MaxFileLines - HeaderLineCount;

ConversionResult ending(ConversionKind kind, const QString &name)
{
    ConversionResult result;
    result.kind = kind;
    result.fileName = name;
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

bool samePath(const QString &a, const QString &b)
{
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath())
        == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

ConversionMessage ConversionMessageFor(const ConversionResult &result)
{
    const QString title = QStringLiteral("問題ファイルの変換");
    const QString &name = result.fileName;
    switch (result.kind) {
    case ConversionKind::Converted:
    case ConversionKind::Cancelled:
        return {};
    case ConversionKind::NotFirstFormat:
        return {name + QStringLiteral("  はバージョン１用の問題ファイル（.qvk）ではありません。"), title};
    case ConversionKind::MissingFile:
        return {name + QStringLiteral("  のコントロールファイルがありません。"), title};
    case ConversionKind::BrokenFile:
        return {QStringLiteral("ファイルがこわれています。"), {}};
    case ConversionKind::WrongQuestionData:
        return {QStringLiteral("問題データがまちがっています。"), {}};
    case ConversionKind::TooManyQuestions:
        return {name
                + QStringLiteral("  は問題が多すぎるため変換できません。（%1 題まで）")
                      .arg(MaxQuestionLines / 3),
            title};
    case ConversionKind::NoControlFile:
    case ConversionKind::NotWritten:
    case ConversionKind::OldPairKept:
        return {QStringLiteral("コントロールファイルがありません。"), {}};
    }
    return {};
}

FirstFormatLines ConvertedLines(const LineFileRead &questions, const LineFileRead &control)
{
    // Stage 1: the questions.
    if (questions.status == LineFileRead::Status::Missing)
        return {ConversionKind::MissingFile, {}};
    if (questions.status != LineFileRead::Status::Ok || !survivesRewrite(questions))
        return {ConversionKind::WrongQuestionData, {}};
    const qsizetype n = questions.lines.size();
    if (n % 3 != 0)
        return {ConversionKind::BrokenFile, {}};
    if (n > MaxQuestionLines)
        return {ConversionKind::TooManyQuestions, {}};

    // Stage 2: the control file.
    if (control.status == LineFileRead::Status::Missing)
        return {ConversionKind::MissingFile, {}};
    if (control.status != LineFileRead::Status::Ok || control.lines.size() < 2)
        return {ConversionKind::NoControlFile, {}};
    LineFileRead header = control;
    header.lines = control.lines.mid(0, 2);
    if (!survivesRewrite(header))
        return {ConversionKind::NoControlFile, {}};

    QStringList lines;
    lines.reserve(n + HeaderLineCount);
    lines << header.lines;
    while (lines.size() < HeaderLineCount)
        lines << QString();
    lines << questions.lines;
    return {ConversionKind::Converted, lines};
}

ConversionResult ConvertFirstFormat(const QString &qvkPath)
{
    const QString name = QFileInfo(qvkPath).fileName();
    const QString controlPath = withLastThreeReplaced(qvkPath, QStringLiteral("ctr"));
    const QString outputPath = withLastThreeReplaced(qvkPath, QStringLiteral("qvn"));

    // Converting a .qvn or .ctr onto itself would delete what was just written.
    if (samePath(qvkPath, outputPath) || samePath(qvkPath, controlPath))
        return ending(ConversionKind::NotFirstFormat, name);

    const FirstFormatLines converted = ConvertedLines(readLineFile(qvkPath), readLineFile(controlPath));
    if (converted.kind != ConversionKind::Converted)
        return ending(converted.kind, name);
    const QStringList &lines = converted.lines;
    if (const WriteOutcome written = writeLineFileAtomically(outputPath, lines); !written) {
        ConversionResult result = ending(ConversionKind::NotWritten, name);
        result.reason = written.reason();
        return result;
    }

    // The new file is complete, so a refused deletion loses nothing.
    const bool deleted = QFile::remove(qvkPath) && QFile::remove(controlPath);
    ConversionResult result = ending(deleted ? ConversionKind::Converted : ConversionKind::OldPairKept, name);
    result.outputPath = outputPath;
    return result;
}

} // namespace sorario
