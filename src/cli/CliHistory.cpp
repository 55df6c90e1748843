// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/CliPrintRun.h"
#include "cli/CliSheetOptions.h"
#include "cli/Commands.h"

#include "history/ClassNames.h"
#include "history/HistoryCopy.h"
#include "history/HistoryPath.h"
#include "history/HistoryStore.h"
#include "history/RunNumber.h"
#include "settings/PrintOptionsFile.h"
#include "setup/Reprint.h"

#include <QJsonArray>
#include <QJsonObject>

namespace sorario::cli {
namespace {

QJsonObject runJson(const RecordedRun &run)
{
    const RunOptions &o = run.options;
    QJsonArray parts;
    for (int part : o.parts)
        parts.append(part);
    QJsonObject options = sheetOptionsJson(o.sheet);
    options.insert(QStringLiteral("AllPartsChosen"), o.allParts);
    options.insert(QStringLiteral("Parts"), parts);
    options.insert(QStringLiteral("Seed"), QString::number(o.seed));
    QJsonArray files;
    for (const RecordedFile &f : run.files)
        files.append(QJsonObject {{QStringLiteral("Path"), f.path}, {QStringLiteral("Digest"), f.digest}});
    QJsonArray numbers;
    QJsonArray questions;
    for (const RecordedSheet &sheet : run.sheets) {
        numbers.append(sheet.sheetNumber);
        QJsonArray onSheet;
        for (const QuestionRecord &q : sheet.questions)
            onSheet.append(recordJson(q.QuestionText, q.Hint, q.Answer));
        questions.append(onSheet);
    }
    return {
        {QStringLiteral("Class"), run.className},
        {QStringLiteral("When"), run.when.toString(Qt::ISODate)},
        {QStringLiteral("Output"),
            run.output == RunOutput::Exported ? QStringLiteral("text") : QStringLiteral("print")},
        {QStringLiteral("SheetNumbers"), numbers},
        {QStringLiteral("Files"), files},
        {QStringLiteral("Options"), options},
        {QStringLiteral("Questions"), questions},
    };
}

void addHistoryOption(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("history"),
        QStringLiteral("The history: a file, or a server as postgresql://user@host:port/dbname."),
        QStringLiteral("FILE")});
}

int copyHistory(const HistoryStore &from, const HistoryStore &to)
{
    const std::variant<CopyReport, CopyFailure> copied = CopyHistory(from, to);
    if (const auto *failed = std::get_if<CopyFailure>(&copied)) {
        const QString &where = failed->side == CopySide::From ? from.path() : to.path();
        printError(HistoryFailureMessage(where, failed->fault, failed->detail));
        return ExitRefused;
    }
    const CopyReport &report = std::get<CopyReport>(copied);
    printError(CopyReportText(report, to.path()));
    printJson(QJsonObject {{QStringLiteral("Copied"), report.copied},
        {QStringLiteral("AlreadyCopied"), report.present},
        {QStringLiteral("Clashes"), QJsonArray::fromStringList(report.clashes)}});
    return ExitOk;
}

} // namespace

int runHistory(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("class"), QStringLiteral("Only this class."), QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("copy-to"),
        QStringLiteral("Copies every run, mark and point into this history (a server's URI)."),
        QStringLiteral("URI")});
    addHistoryOption(parser);
    parseOrThrow(parser, args);
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("history takes no files"));
    const HistoryStore store(HistoryPath(parser.value(QStringLiteral("history"))));
    if (parser.isSet(QStringLiteral("copy-to"))) {
        if (parser.isSet(QStringLiteral("class")))
            throw UsageError(QStringLiteral("history --copy-to copies every class"));
        return copyHistory(store, HistoryStore(parser.value(QStringLiteral("copy-to"))));
    }
    const QString className = parser.value(QStringLiteral("class"));
    if (const HistoryOutcome<QStringList> known = store.classes();
        !className.isEmpty() && known.ok() && !KnownClass(known.value, className)) {
        printError(UnknownClassMessage(className, known.value));
        return ExitRefused;
    }
    const HistoryOutcome<QList<RecordedRun>> runs = store.runs(className);
    if (!runs.ok()) {
        printError(HistoryFailureMessage(store.path(), runs));
        return ExitRefused;
    }
    QJsonArray all;
    for (const RecordedRun &run : runs.value)
        all.append(runJson(run));
    printJson(all);
    return ExitOk;
}

int runReprint(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("SHEETNO"), QStringLiteral("The sheet number as printed."));
    parser.addOption(
        {QStringLiteral("class"), QStringLiteral("Only this class's runs."), QStringLiteral("NAME")});
    addHistoryOption(parser);
    addTargetOptions(parser);
    parseOrThrow(parser, args);
    const PrintTarget target = targetFromOptions(parser, QStringLiteral("reprint"));
    if (parser.positionalArguments().size() != 1)
        throw UsageError(QStringLiteral("reprint: name one sheet number"));
    const QString number = parser.positionalArguments().first();

    const QString historyPath = HistoryPath(parser.value(QStringLiteral("history")));
    if (const int refused = checkOutputs(target.outputs(), {historyPath}); refused != ExitOk)
        return refused;
    const HistoryStore store(historyPath);
    const HistoryOutcome<QList<FoundSheets>> found
        = store.findSheets(number, parser.value(QStringLiteral("class")));
    if (!found.ok() || found.value.size() != 1) {
        printError(
            found.ok() ? FoundSheetsText(number, found.value) : HistoryFailureMessage(store.path(), found));
        return ExitRefused;
    }
    const FoundSheets &sheets = found.value.first();
    const ReprintOutcome reprint = reprintOf(sheets.run, sheets.sheets);
    if (!reprint.ok()) {
        printError(ReprintFailureMessage(reprint));
        return ExitRefused;
    }
    if (const int refused = checkOutputs(target.outputs(), reprint.value.files.questionFiles);
        refused != ExitOk)
        return refused;
    for (const QString &note : reprint.value.notes)
        printError(note);
    BatchDialogs dialogs;
    const PrintResult result = printToTarget(reprint.value.job, reprint.value.files, dialogs, target);
    if (PrintFailed(result.run.outcome))
        return ExitRefused;
    QJsonObject summary = printSummary(reprint.value.job.options, result);
    QJsonArray numbers;
    for (int k : sheets.sheets)
        numbers.append(sheets.run.sheets[k].sheetNumber);
    summary.insert(QStringLiteral("SheetNumbers"), numbers);
    printJson(summary);
    return result.run.printed() ? ExitOk : ExitRefused;
}

} // namespace sorario::cli
