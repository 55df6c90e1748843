#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "shared/Module1.h"

#include <QJsonArray>
#include <QJsonObject>

#include <memory>
#include <optional>

namespace sorario::cli {
namespace {

QString singleFile(const QCommandLineParser &parser, const char *command)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageError(QStringLiteral("%1 takes exactly one question file").arg(QLatin1String(command)));
    return files.first();
}

// The 1-based line of the first character that would not come back from the code
// page as itself ("é" has no code; "¥" would come back as the backslash), or 0.
int firstUnwritableLine(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        for (const QChar c : lines[i]) {
            const std::optional<unsigned> code = cp932Code(c);
            if (!code || cp932Character(*code) != c)
                return i + 1;
        }
    }
    return 0;
}

// The decoded pieces the decoder left in m.FileLines, the trailing one included.
QStringList decodedPieces(const Module1 &m)
{
    QStringList pieces;
    const int stored = std::min<int>(m.DecodedLineCount + 1, MaxFileLines);
    for (int i = 1; i <= stored; ++i)
        pieces.append(m.FileLines(i));
    return pieces;
}

} // namespace

int runLoad(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Question files, in order."));
    parseOrThrow(parser, args);

    auto m = std::make_unique<Module1>();
    BatchDialogs dialogs;
    if (!loadFiles(*m, parser.positionalArguments(), dialogs))
        return ExitRefused;

    QJsonArray headers;
    for (int f = 1; f <= m->ChosenFileCount; ++f) {
        QJsonArray lines;
        for (int s = 1; s <= HeaderLineCount; ++s)
            lines.append(m->FileHeaders(f, s));
        headers.append(lines);
    }
    QJsonArray bank;
    for (int q = 1; q <= m->BankQuestionCount; ++q) {
        const QuestionRecord &r = m->QuestionBank(q);
        bank.append(recordJson(r.QuestionText, r.Hint, r.Answer));
    }
    printJson(QJsonObject{
        {QStringLiteral("BankQuestionCount"), m->BankQuestionCount},
        {QStringLiteral("PartCount"), m->PartCount},
        {QStringLiteral("PartSize"), m->PartSize},
        {QStringLiteral("LoadedTitles"), m->LoadedTitles},
        {QStringLiteral("FileHeaders"), headers},
        {QStringLiteral("QuestionBank"), bank},
    });
    return ExitOk;
}

int runDecode(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("An encoded question file."));
    parseOrThrow(parser, args);
    const QString path = singleFile(parser, "decode");

    const LineFileRead read = readLineFile(path);
    if (read.status != LineFileRead::Status::Ok) {
        printError(read.status == LineFileRead::Status::Missing ? BrokenDataMessage
                                                                : UnreadableFileMessage(path));
        return ExitRefused;
    }
    if (read.lines.isEmpty() || !read.lines.first().startsWith(QStringView(EncodedMark))) {
        printError(QStringLiteral("◆符号化された問題ファイルではありません。\n") + path);
        return ExitRefused;
    }
    auto m = std::make_unique<Module1>();
    m->EncodedText = read.lines.first().mid(3);
    DecodeEncodedLines(*m);
    if (m->DecodeFailed) {
        printError(BrokenDataMessage);
        return ExitRefused;
    }
    if (m->DecodedLineCount > MaxFileLines) {
        printError(TooManyLinesMessage(path));
        return ExitRefused;
    }
    printJson(QJsonObject{
        {QStringLiteral("DecodedLineCount"), m->DecodedLineCount},
        {QStringLiteral("FileLines"), QJsonArray::fromStringList(decodedPieces(*m))},
    });
    return ExitOk;
}

int runEncode(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A question file."));
    const QCommandLineOption outOption({QStringLiteral("o"), QStringLiteral("output")},
                                       QStringLiteral("The encoded file to write."),
                                       QStringLiteral("OUT"));
    parser.addOption(outOption);
    parseOrThrow(parser, args);
    const QString path = singleFile(parser, "encode");
    if (!parser.isSet(outOption))
        throw UsageError(QStringLiteral("encode needs -o OUT"));
    const QString outPath = parser.value(outOption);

    // Only a file that loads is encoded, so that the encoded file loads the same.
    auto m = std::make_unique<Module1>();
    BatchDialogs dialogs;
    if (!loadFiles(*m, {path}, dialogs))
        return ExitRefused;

    QString payload;
    const LineFileRead read = readLineFile(path);
    if (!read.lines.isEmpty() && read.lines.first().startsWith(QStringView(EncodedMark))) {
        // Already encoded: the load left its decoded pieces, written again as they stand.
        payload = EncodeText(decodedPieces(*m).join(QStringLiteral("\r\n")));
    } else {
        // An empty payload means a broken file to the loader: an empty file has no encoded form.
        if (read.lines.isEmpty()) {
            printError(QStringLiteral("◆空のファイルは符号化できません。\n") + path);
            return ExitRefused;
        }
        if (const int line = firstUnwritableLine(read.lines)) {
            printError(QStringLiteral("◆%1行目に符号化できない文字があります。\n").arg(line) + path);
            return ExitRefused;
        }
        payload = EncodeLines(read.lines);
    }
    if (!writeLineFileAtomically(outPath, {QString::fromUtf16(EncodedMark) + payload})) {
        printError(QStringLiteral("◆ファイルを書き込めません。\n") + outPath);
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace sorario::cli
