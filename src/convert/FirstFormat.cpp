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

const QString ConversionTitle = QStringLiteral("問題ファイルの変換");
const QString BrokenFile = QStringLiteral("ファイルがこわれています。");
const QString WrongQuestionData = QStringLiteral("問題データがまちがっています。");
const QString NoControlFile = QStringLiteral("コントロールファイルがありません。");

// The converted file must stay within what the loader holds, header included.
constexpr int MaxQuestionLines = MaxFileLines - HeaderLineCount;

ConversionResult failure(const QString &message, const QString &title = QString())
{
    ConversionResult result;
    result.message = message;
    result.title = title;
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

ConversionResult ConvertFirstFormat(const QString &qvkPath)
{
    const QString name = QFileInfo(qvkPath).fileName();
    const QString controlPath = withLastThreeReplaced(qvkPath, QStringLiteral("ctr"));
    const QString outputPath = withLastThreeReplaced(qvkPath, QStringLiteral("qvn"));
    const QString missingControl = name + QStringLiteral("  のコントロールファイルがありません。");

    // Converting a .qvn or .ctr onto itself would delete what was just written.
    if (samePath(qvkPath, outputPath) || samePath(qvkPath, controlPath))
        return failure(name + QStringLiteral("  はバージョン１用の問題ファイル（.qvk）ではありません。"),
                       ConversionTitle);

    // Stage 1: the questions.
    const LineFileRead questions = readLineFile(qvkPath);
    if (questions.status == LineFileRead::Status::Missing)
        return failure(missingControl, ConversionTitle);
    if (questions.status != LineFileRead::Status::Ok || !survivesRewrite(questions))
        return failure(WrongQuestionData);
    const qsizetype n = questions.lines.size();
    if (n % 3 != 0)
        return failure(BrokenFile);
    if (n > MaxQuestionLines)
        return failure(name + QStringLiteral("  は問題が多すぎるため変換できません。（%1 題まで）")
                                  .arg(MaxQuestionLines / 3),
                       ConversionTitle);

    // Stage 2: the control file and the new file.
    const LineFileRead control = readLineFile(controlPath);
    if (control.status == LineFileRead::Status::Missing)
        return failure(missingControl, ConversionTitle);
    if (control.status != LineFileRead::Status::Ok || control.lines.size() < 2)
        return failure(NoControlFile);
    LineFileRead header = control;
    header.lines = control.lines.mid(0, 2);
    if (!survivesRewrite(header))
        return failure(NoControlFile);

    QStringList lines;
    lines.reserve(n + HeaderLineCount);
    lines << header.lines << QString() << QString() << QString() << QString();
    lines << questions.lines;
    if (!writeLineFileAtomically(outputPath, lines))
        return failure(NoControlFile);

    ConversionResult result;
    result.outputPath = outputPath;
    // The new file is complete, so a refused deletion loses nothing.
    if (!QFile::remove(qvkPath) || !QFile::remove(controlPath)) {
        result.message = NoControlFile;
        return result;
    }
    result.converted = true;
    return result;
}

} // namespace sorario
