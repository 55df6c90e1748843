// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "bank/QuestionFileCodec.h"
#include "shared/Module1.h"

#include <QJsonArray>
#include <QJsonObject>

#include <memory>

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
    printJson(QJsonObject {
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
