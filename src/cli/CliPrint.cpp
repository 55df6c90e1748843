// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliClass.h"
#include "cli/CliCommon.h"
#include "cli/CliPrintRun.h"
#include "cli/CliSheetOptions.h"
#include "cli/Commands.h"

#include "platform/ProgramFolder.h"
#include "settings/FontRule.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "setup/SettingsFiles.h"
#include "shared/Module1.h"

#include <QDateTime>
#include <QJsonObject>

#include <cstdio>
#include <memory>
#include <optional>

namespace sorario::cli {
namespace {

const char PrintUsage[]
    = "usage: sorario-cli print FILE... [--parts 1,3 | --all] [--count N] [--layout 1|2]\n"
      "         [--answers 1|2] [--font NAME] [--size 8-40] [--logo TEXT]\n"
      "         [--overflow yes|no|cancel] [--seed S] [--now YYYY-MM-DDTHH:MM]\n"
      "         [--sheets N] [--choice-labels kana|digits] [--metrics fixed] [--trace T.json]\n"
      "         [--paper b5|a4|b4-2up|a3-2up] [--keep-words] [--fit] [--keep-questions]\n"
      "         [--answers-last] [--duplex-pad]\n"
      "         [--class NAME [--avoid-recent K] [--review class|pupils]] [--history FILE]\n"
      "         -o OUT.pdf\n"
      "Draws a test and prints it to OUT.pdf without a print dialog. --overflow answers\n"
      "the question asked when the questions overflow the first page (default no: print\n"
      "them all). Font, size and logo default to the settings files. --metrics fixed lays\n"
      "the sheet out with the fixed metrics of the recording surface (every position\n"
      "exact and the same on every machine); OUT.pdf then draws those very positions\n"
      "with real fonts. --trace writes every print-surface operation as JSON.\n"
      "--sheets N prints N sheets in one PDF, each with its own draw and sheet number;\n"
      "the overflow answer serves them all.\n"
      "--class records the sheets in that class's history (--history FILE, else\n"
      "$SORARIO_HISTORY, else the user's data folder); --avoid-recent K leaves out the\n"
      "questions of the class's last K tests (runs, all their sheets); --review class\n"
      "puts first what the class got wrong and is due to see again, weakest first;\n"
      "--review pupils prints one sheet for each pupil marked with a number, in number\n"
      "order, headed with it: first what that pupil got wrong, then the class's review.\n"
      "The summary then gains SheetNumbers.\n"
      "--paper puts the B5 pages on other paper: a4 enlarged, b4-2up two B5 pages to a\n"
      "B4 sheet, a3-2up two enlarged pages to an A3 sheet. --keep-words breaks lines\n"
      "before an English word rather than inside it. --fit lowers the font size, down\n"
      "to 8 points, until the questions of every sheet fit the first page, all sheets\n"
      "at one size, before asking. --keep-questions starts a question that would be\n"
      "split over two pages on the next page.\n"
      "With two-up paper the answer pages follow every question page, on paper of\n"
      "their own. --answers-last does so on any paper when several sheets print.\n"
      "--duplex-pad adds a blank page after a sheet (and an answer page kept apart)\n"
      "of an odd page count, so that each starts on its own paper when printed on\n"
      "both sides.\n"
      "--now sets the clock of the sheet number only: without --seed the draw is seeded\n"
      "from the real time, so that runs with one --now draw apart.\n"
      "Prints a JSON summary; exit 1 when the run was cancelled or failed.\n";

void addPrintOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Question files."), QStringLiteral("FILE..."));
    addRangeOptions(parser);
    addDrawOptions(parser);
    addPrintSheetOptions(parser);
    parser.addOption({QStringLiteral("overflow"), QStringLiteral("Answer to the overflow question."),
        QStringLiteral("yes|no|cancel"), QStringLiteral("no")});
    addNowOption(parser);
    addTargetOptions(parser);
    addClassOptions(parser);
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help.")});
}

OverflowPolicy overflowOption(const QString &value)
{
    if (value == QLatin1String("yes"))
        return OverflowPolicy::FitFirstPage;
    if (value == QLatin1String("no"))
        return OverflowPolicy::PrintAll;
    if (value == QLatin1String("cancel"))
        return OverflowPolicy::Cancel;
    throw UsageError(QStringLiteral("--overflow takes yes, no or cancel"));
}

} // namespace

int runPrint(const QStringList &args)
{
    QCommandLineParser parser;
    addPrintOptions(parser);
    parseOrThrow(parser, args);
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(PrintUsage, stdout);
        return ExitOk;
    }
    // Every option is checked before the load, so a mistyped one never costs a draw.
    const PrintTarget target = targetFromOptions(parser, QStringLiteral("print"));
    checkSheetOptions(parser, SheetOptionSet::Print);
    if (const int refused = checkClassOptions(parser); refused != ExitOk)
        return refused;
    const OverflowPolicy overflow = overflowOption(parser.value(QStringLiteral("overflow")));
    const bool hasLogo = parser.isSet(QStringLiteral("logo"));
    if (const int refused = checkOutputs(target.outputs(), runInputs(parser)); refused != ExitOk)
        return refused;
    if (const SettingsOutcome<> checked = CheckSheetLogo(parser.value(QStringLiteral("logo")));
        hasLogo && !checked.ok()) {
        printError(SettingsFailureMessage(checked));
        return ExitRefused;
    }

    auto m = std::make_unique<Module1>();
    InitialiseFolders(*m);
    LoadFontSettings(*m);
    if (!hasLogo)
        LoadSheetLogo(*m);
    readSheetOptions(parser, SheetOptionSet::Print, m->options);
    const std::optional<QDateTime> now = nowOption(parser);

    BatchDialogs dialogs;
    if (const int decided = loadAndDecide(*m, parser, dialogs); decided != ExitOk)
        return decided;
    quint64 seed = 0;
    const DrawSheet drawSheet = sheetDrawFromOptions(*m, parser, &seed);
    // Set after the seed is taken: with one --now for every class, each still draws its own.
    if (now)
        m->clock.setFixed(*now);
    CliClassRun classRun(*m, parser);
    const DrawSheet draw = classRun.wrap(drawSheet, seed);
    if (classRun.refused())
        return ExitRefused;
    const PrintResult result = printToTarget(*m, dialogs, draw, target, overflow);
    if (PrintFailed(result.run.outcome))
        return ExitRefused;
    QJsonObject summary = printSummary(m->options, result);
    if (result.run.printed())
        classRun.record(RunOutput::Printed, result.run.sheets, summary);
    printJson(summary);
    return result.run.printed() ? ExitOk : ExitRefused;
}

} // namespace sorario::cli
