// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliClass.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "bank/QuestionFiles.h"
#include "exchange/OnlineBank.h"
#include "exchange/QuestionCsv.h"
#include "export/TestDocument.h"
#include "platform/SafeWrite.h"
#include "setup/ExportProcedures.h"
#include "shared/Module1.h"

#include <QTextDocument>

#include <memory>
#include <optional>

namespace sorario::cli {
namespace {

struct InOut
{
    QString in;
    QString out;
};

InOut oneFileAndOutput(const QStringList &args, const char *command, const QString &what)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"), what);
    addOutputOption(parser, QStringLiteral("The file to write."));
    parseOrThrow(parser, args);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageError(QStringLiteral("%1 takes exactly one file").arg(QLatin1String(command)));
    return {files.first(), requiredOutput(parser, QLatin1String(command))};
}

int written(const WriteOutcome &outcome, const QString &path)
{
    if (outcome.ok())
        return ExitOk;
    printError(writeFailureMessage(outcome, path));
    return ExitRefused;
}

// The question files of `args` as a learning system's question bank.
int writeOnlineBank(const QStringList &args, OnlineFormat format, const QString &command)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Question files."), QStringLiteral("FILE..."));
    addOutputOption(parser, QStringLiteral("The question bank to write."));
    parseOrThrow(parser, args);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        throw UsageError(command + QStringLiteral(": name at least one question file"));
    const QString out = requiredOutput(parser, command);
    if (const int refused = checkOutputs({out}, files); refused != ExitOk)
        return refused;
    QList<QStringList> lines;
    for (const QString &file : files) {
        const QuestionFileRead read = ReadQuestionFile(file);
        if (read.fault != LoadFault::None) {
            printError(LoadFailureMessage(read, file));
            return ExitRefused;
        }
        lines.append(read.countedLines());
    }
    const OnlineBankWrite bank = onlineBankBytes(format, lines);
    if (bank.notHeld != OnlineBankWrite::NotHeld::None) {
        printError(onlineNotHeldText(bank, files[bank.file - 1]));
        return ExitRefused;
    }
    return written(writeBytesAtomically(out, bank.bytes), out);
}

} // namespace

int runMoodle(const QStringList &args)
{
    return writeOnlineBank(args, OnlineFormat::MoodleXml, QStringLiteral("moodle"));
}

int runGift(const QStringList &args)
{
    return writeOnlineBank(args, OnlineFormat::Gift, QStringLiteral("gift"));
}

int runCsv(const QStringList &args)
{
    const InOut io = oneFileAndOutput(args, "csv", QStringLiteral("A question file."));
    if (const int refused = checkOutputs({io.out}, {io.in}); refused != ExitOk)
        return refused;
    const QuestionFileRead read = ReadQuestionFile(io.in);
    if (read.fault != LoadFault::None) {
        printError(LoadFailureMessage(read, io.in));
        return ExitRefused;
    }
    return written(writeBytesAtomically(io.out, questionCsvBytes(read.countedLines())), io.out);
}

int runQvn(const QStringList &args)
{
    const InOut io = oneFileAndOutput(
        args, "qvn", QStringLiteral("A CSV file of questions, or a question bank (.xml, .gift, .txt)."));
    if (const int refused = checkOutputs({io.out}, {io.in}); refused != ExitOk)
        return refused;
    if (const std::optional<OnlineFormat> format = onlineFormatOf(io.in)) {
        const OnlineBankRead bank = readOnlineBankFile(*format, io.in);
        if (!bank.ok()) {
            printError(onlineRefusalText(*format, bank, io.in));
            return ExitRefused;
        }
        for (const int line : bank.value.emptyAnswerLines)
            printError(onlineEmptyAnswerWarning(*format, line));
        return written(writeLineFileAtomically(io.out, bank.value.lines), io.out);
    }
    const QuestionCsvRead read = readQuestionCsvFile(io.in);
    if (!read.ok()) {
        printError(csvRefusalText(read, io.in));
        return ExitRefused;
    }
    for (const int row : read.value.emptyAnswerRows)
        printError(emptyAnswerWarning(row));
    return written(writeLineFileAtomically(io.out, read.value.lines), io.out);
}

int runOdt(const QStringList &args)
{
    return runExport(args, QStringLiteral("odt"), QStringLiteral("The OpenDocument text file to write."),
        [](Module1 &m, const DrawSheet &draw, BatchDialogs &, const QString &out) {
            return written(writeTestDocument(*buildTestDocument(m, draw), out), out);
        });
}

} // namespace sorario::cli
