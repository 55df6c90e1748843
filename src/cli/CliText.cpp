// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliClass.h"
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "convert/FirstFormat.h"
#include "setup/ExportProcedures.h"
#include "setup/TestSaving.h"
#include "shared/Module1.h"

namespace sorario::cli {

int runText(const QStringList &args)
{
    return runExport(args, QStringLiteral("text"), QStringLiteral("The text file to write."),
        [](Module1 &m, const DrawSheet &draw, BatchDialogs &dialogs, const QString &out) {
            const QString text = BuildSheetTexts(m, draw);
            dialogs.setSavePath(out);
            // Written as the window writes it after a Yes; the characters lost are named.
            const TextExportOutcome saved = SaveTestText(text, dialogs, {}, nullptr, LostCharacters::Write);
            if (!saved.ok())
                return ExitRefused;
            if (!saved.value.lostCharacters.isEmpty())
                printError(LostCharactersText(saved.value.lostCharacters));
            return ExitOk;
        });
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
    if (result.ok())
        return ExitOk;
    printError(ConversionMessageFor(result).text);
    return ExitRefused;
}

} // namespace sorario::cli
