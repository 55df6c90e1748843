// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliClass.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "convert/FirstFormat.h"
#include "export/TestTextFile.h"
#include "shared/Module1.h"

#include <algorithm>
#include <memory>

namespace sorario::cli {

int runText(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Question files."), QStringLiteral("FILE..."));
    addRangeOptions(parser);
    addDrawOptions(parser);
    addOutputOption(parser, QStringLiteral("The text file to write."));
    addClassOptions(parser);
    parseOrThrow(parser, args);
    const QString out = requiredOutput(parser, QStringLiteral("text"));
    checkDrawOptions(parser);
    checkClassOptions(parser);
    if (const int refused = checkOutputs({out}, runInputs(parser)); refused != ExitOk)
        return refused;

    auto m = std::make_unique<Module1>();
    BatchDialogs dialogs;
    if (const int decided = loadAndDecide(*m, parser, dialogs); decided != ExitOk)
        return decided;
    quint64 seed = 0;
    const DrawSheet draw = sheetDrawFromOptions(*m, parser, &seed);
    CliClassRun classRun(*m, parser);
    const QString text = BuildSheetTexts(*m, classRun.wrap(draw, seed));
    dialogs.setSavePath(out);
    // Written as the window writes it after a Yes; the characters lost are named.
    const TextExportOutcome saved = SaveTestText(text, dialogs, {}, nullptr, LostCharacters::Write);
    if (!saved.ok())
        return ExitRefused;
    if (!saved.value.lostCharacters.isEmpty())
        printError(LostCharactersText(saved.value.lostCharacters));
    classRun.recordExport(*m);
    return ExitOk;
}

int runConvert(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.qvk"), QStringLiteral("First-format question file."));
    const QCommandLineOption replace(
        QStringLiteral("replace"), QStringLiteral("Replace an existing FILE.qvn."));
    parser.addOption(replace);
    parseOrThrow(parser, args);
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        throw UsageError(QStringLiteral("convert: name exactly one FILE.qvk"));
    const ConversionResult result = ConvertFirstFormat(
        files.first(), parser.isSet(replace) ? ExistingOutput::Replace : ExistingOutput::Keep);
    if (result.converted())
        return ExitOk;
    printError(ConversionMessageFor(result).text);
    return ExitRefused;
}

} // namespace sorario::cli
