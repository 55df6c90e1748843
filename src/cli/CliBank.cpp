// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "bank/QuestionFileCodec.h"
#include "bank/QuestionFiles.h"

#include <QJsonArray>
#include <QJsonObject>

namespace sorario::cli {
namespace {

QString singleFile(const QCommandLineParser &parser, const char *command)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageError(QStringLiteral("%1 takes exactly one question file").arg(QLatin1String(command)));
    return files.first();
}

} // namespace

int runLoad(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Question files, in order."));
    parseOrThrow(parser, args);

    LoadedBank loaded;
    const LoadOutcome outcome = loadBank(chosenFiles(parser.positionalArguments()), ReadQuestionFile, loaded);
    if (!outcome.ok()) {
        printError(LoadFailureMessage(outcome));
        return ExitRefused;
    }

    QJsonArray headers;
    for (const std::array<QString, HeaderLineCount> &file : loaded.headers)
        headers.append(QJsonArray::fromStringList(QStringList(file.cbegin(), file.cend())));
    QJsonArray bank;
    for (const QuestionRecord &r : loaded.questions)
        bank.append(recordJson(r.QuestionText, r.Hint, r.Answer));
    printJson(QJsonObject {
        {QStringLiteral("BankQuestionCount"), static_cast<int>(loaded.questions.size())},
        {QStringLiteral("PartCount"), loaded.partCount},
        {QStringLiteral("PartSize"), loaded.partSize.value_or(0)},
        {QStringLiteral("LoadedTitles"), loaded.titles},
        {QStringLiteral("FileHeaders"), headers},
        {QStringLiteral("QuestionBank"), bank},
    });
    return ExitOk;
}

int runDecode(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("An encoded question file."));
    addOutputOption(parser, QStringLiteral("The plain question file to write (default: print JSON)."));
    parseOrThrow(parser, args);
    const QString path = singleFile(parser, "decode");

    if (parser.isSet(QStringLiteral("o"))) {
        const QString out = parser.value(QStringLiteral("o"));
        if (const int refused = checkOutputs({out}, {path}); refused != ExitOk)
            return refused;
        const CodecOutcome written = WriteDecodedFile(path, out);
        if (!written.ok()) {
            printError(CodecFailureMessage(written, path, out));
            return ExitRefused;
        }
        return ExitOk;
    }
    const DecodedFile file = DecodeQuestionFile(path);
    if (!file.ok()) {
        printError(CodecFailureMessage(CodecOutcome::failed(*file.fault, file.detail), path));
        return ExitRefused;
    }
    printJson(QJsonObject {
        {QStringLiteral("DecodedLineCount"), file.value.lineCount},
        {QStringLiteral("FileLines"), QJsonArray::fromStringList(file.value.pieces)},
    });
    return ExitOk;
}

int runEncode(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A question file."));
    addOutputOption(parser, QStringLiteral("The encoded file to write."));
    parseOrThrow(parser, args);
    const QString path = singleFile(parser, "encode");
    const QString out = requiredOutput(parser, QStringLiteral("encode"));
    if (const int refused = checkOutputs({out}, {path}); refused != ExitOk)
        return refused;
    const CodecOutcome encoded = EncodeQuestionFile(path, out);
    if (!encoded.ok()) {
        printError(CodecFailureMessage(encoded, path, out));
        return ExitRefused;
    }
    return ExitOk;
}

} // namespace sorario::cli
