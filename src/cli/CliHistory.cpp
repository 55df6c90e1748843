// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/CliPrintRun.h"
#include "cli/Commands.h"

#include "history/HistoryPath.h"
#include "history/HistoryStore.h"
#include "history/Reprint.h"
#include "shared/Module1.h"

#include <QJsonArray>
#include <QJsonObject>

#include <memory>

namespace sorario::cli {
namespace {

QJsonObject runJson(const RecordedRun &run)
{
    const RunOptions &o = run.options;
    QJsonArray parts;
    for (int part : o.parts)
        parts.append(part);
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
        {QStringLiteral("Options"),
            QJsonObject {{QStringLiteral("AnswerLayout"), o.answerLayout},
                {QStringLiteral("AttachAnswers"), o.attachAnswers}, {QStringLiteral("FontName"), o.fontName},
                {QStringLiteral("FontSize"), o.fontSize}, {QStringLiteral("SheetLogo"), o.sheetLogo},
                {QStringLiteral("SheetCount"), o.sheetCount}, {QStringLiteral("AllPartsChosen"), o.allParts},
                {QStringLiteral("Parts"), parts}, {QStringLiteral("Seed"), QString::number(o.seed)}}},
        {QStringLiteral("Questions"), questions},
    };
}

void addHistoryOption(QCommandLineParser &parser)
{
    parser.addOption(
        {QStringLiteral("history"), QStringLiteral("The history file."), QStringLiteral("FILE")});
}

} // namespace

int runHistory(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("class"), QStringLiteral("Only this class."), QStringLiteral("NAME")});
    addHistoryOption(parser);
    parseOrThrow(parser, args);
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(QStringLiteral("history takes no files"));
    const HistoryStore store(HistoryPath(parser.value(QStringLiteral("history"))));
    const HistoryAnswer<QList<RecordedRun>> runs = store.runs(parser.value(QStringLiteral("class")));
    if (!runs.ok()) {
        printError(runs.failure);
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
    const HistoryAnswer<std::optional<FoundSheets>> found = store.findSheets(number);
    if (!found.ok() || !found.value) {
        printError(
            found.ok() ? QStringLiteral("シート番号 %1 の記録はありません。").arg(number) : found.failure);
        return ExitRefused;
    }
    const FoundSheets &sheets = *found.value;
    auto m = std::make_unique<Module1>();
    BatchDialogs dialogs;
    if (const QString refused = PrepareReprint(*m, sheets.run, sheets.sheets, dialogs); !refused.isEmpty()) {
        printError(refused);
        return ExitRefused;
    }
    if (const int refused = checkOutputs(target.outputs(), m->ChosenFileList.first(m->ChosenFileCount));
        refused != ExitOk)
        return refused;
    // A recorded sheet that overflowed was printed whole.
    const PrintResult result = printToTarget(
        *m, dialogs, ReprintDraw(*m, sheets.run, sheets.sheets), target, OverflowPolicy::PrintAll);
    if (result.failed)
        return ExitRefused;
    QJsonObject summary = printSummary(*m, result);
    QJsonArray numbers;
    for (int k : sheets.sheets)
        numbers.append(sheets.run.sheets[k].sheetNumber);
    summary.insert(QStringLiteral("SheetNumbers"), numbers);
    printJson(summary);
    return result.ok ? ExitOk : ExitRefused;
}

} // namespace sorario::cli
