// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "history/AnalysisCsv.h"
#include "history/ClassNames.h"
#include "history/HistoryPath.h"
#include "history/HistoryStore.h"
#include "history/ScoresCsv.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace sorario::cli {
namespace {

QJsonValue dateJson(const std::optional<QDate> &date)
{
    return date ? QJsonValue(date->toString(Qt::ISODate)) : QJsonValue();
}

QJsonObject analysisJson(const AnalysisScope &scope, const Analysis &a)
{
    QJsonArray histogram;
    for (int count : a.scores.histogram)
        histogram.append(count);
    QJsonArray questions;
    for (const QuestionResult &q : a.questions) {
        questions.append(QJsonObject {{QStringLiteral("Key"), q.key},
            {QStringLiteral("Question"),
                recordJson(q.question.QuestionText, q.question.Hint, q.question.Answer)},
            {QStringLiteral("Right"), q.right}, {QStringLiteral("Wrong"), q.wrong},
            {QStringLiteral("Partial"), q.partial}, {QStringLiteral("Marked"), q.marked()},
            {QStringLiteral("CorrectRate"), q.correctPermille() / 1000.0}});
    }
    return {{QStringLiteral("Class"), scope.className}, {QStringLiteral("From"), dateJson(scope.from)},
        {QStringLiteral("To"), dateJson(scope.to)}, {QStringLiteral("Runs"), a.runs},
        {QStringLiteral("Scores"),
            QJsonObject {{QStringLiteral("Count"), a.scores.count}, {QStringLiteral("Mean"), a.scores.mean},
                {QStringLiteral("Median"), a.scores.median}, {QStringLiteral("Histogram"), histogram}}},
        {QStringLiteral("Questions"), questions}};
}

// The date of option `name` into `date`, when given; refused when it is not a date.
PeriodOutcome<> readDate(const QCommandLineParser &parser, const QString &name, std::optional<QDate> &date)
{
    if (!parser.isSet(name))
        return {};
    const PeriodOutcome<QDate> read = PeriodDate(parser.value(name));
    if (!read.ok())
        return PeriodOutcome<>::failed(*read.fault, read.detail);
    date = read.value;
    return {};
}

// --class, --from, --to and --history, as `analysis` and `scores` take them.
void addClassPeriodOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("class"), QStringLiteral("The class."), QStringLiteral("NAME")});
    parser.addOption(
        {QStringLiteral("from"), QStringLiteral("The first day counted."), QStringLiteral("DATE")});
    parser.addOption({QStringLiteral("to"), QStringLiteral("The last day counted."), QStringLiteral("DATE")});
    parser.addOption({QStringLiteral("history"),
        QStringLiteral("The history: a file, or a server as postgresql://user@host:port/dbname."),
        QStringLiteral("FILE")});
}

// The class and the days named; none when refused (the reason on standard error).
std::optional<AnalysisScope> classPeriod(const QCommandLineParser &parser, const QString &command)
{
    if (!parser.positionalArguments().isEmpty())
        throw UsageError(command + QStringLiteral(" takes no files"));
    if (!parser.isSet(QStringLiteral("class")))
        throw UsageError(command + QStringLiteral(": name a class with --class"));
    AnalysisScope scope {.className = parser.value(QStringLiteral("class"))};
    PeriodOutcome<> period = readDate(parser, QStringLiteral("from"), scope.from);
    if (period.ok())
        period = readDate(parser, QStringLiteral("to"), scope.to);
    if (period.ok())
        period = CheckPeriod(scope);
    if (!period.ok()) {
        printError(PeriodFailureMessage(period));
        return std::nullopt;
    }
    return scope;
}

// ExitOk when the history has the class; else ExitRefused, the reason on standard error.
int checkKnownClass(const HistoryStore &store, const QString &className)
{
    const HistoryOutcome<QStringList> known = store.classes();
    if (known.ok() && KnownClass(known.value, className))
        return ExitOk;
    printError(known.ok() ? UnknownClassMessage(className, known.value)
                          : HistoryFailureMessage(store.path(), known));
    return ExitRefused;
}

} // namespace

int runAnalysis(const QStringList &args)
{
    QCommandLineParser parser;
    addClassPeriodOptions(parser);
    parser.addOption({QStringLiteral("csv"), QStringLiteral("Also write the tables (UTF-8 CSV)."),
        QStringLiteral("OUT.csv")});
    parseOrThrow(parser, args);
    const std::optional<AnalysisScope> scope = classPeriod(parser, QStringLiteral("analysis"));
    if (!scope)
        return ExitRefused;
    const HistoryStore store(HistoryPath(parser.value(QStringLiteral("history"))));
    const QString csvPath = parser.value(QStringLiteral("csv"));
    if (parser.isSet(QStringLiteral("csv")))
        if (const int refused = checkOutputs({csvPath}, {store.path()}); refused != ExitOk)
            return refused;
    if (const int refused = checkKnownClass(store, scope->className); refused != ExitOk)
        return refused;
    const HistoryOutcome<Analysis> analysis = store.analysis(*scope);
    if (!analysis.ok() || analysis.value.scores.count == 0) {
        printError(analysis.ok() ? NoMarksMessage(*scope) : HistoryFailureMessage(store.path(), analysis));
        return ExitRefused;
    }
    if (parser.isSet(QStringLiteral("csv")))
        if (const WriteOutcome written = WriteAnalysisCsv(csvPath, analysis.value); !written.ok()) {
            printError(writeFailureMessage(written, csvPath));
            return ExitRefused;
        }
    printJson(analysisJson(*scope, analysis.value));
    return ExitOk;
}

int runScores(const QStringList &args)
{
    QCommandLineParser parser;
    addClassPeriodOptions(parser);
    addOutputOption(parser, QStringLiteral("The grade book (UTF-8 CSV)."), QStringLiteral("OUT.csv"));
    parseOrThrow(parser, args);
    const QString csvPath = requiredOutput(parser, QStringLiteral("scores"));
    const std::optional<AnalysisScope> scope = classPeriod(parser, QStringLiteral("scores"));
    if (!scope)
        return ExitRefused;
    const HistoryStore store(HistoryPath(parser.value(QStringLiteral("history"))));
    if (const int refused = checkOutputs({csvPath}, {store.path()}); refused != ExitOk)
        return refused;
    if (const int refused = checkKnownClass(store, scope->className); refused != ExitOk)
        return refused;
    const HistoryOutcome<ScoreTable> table = ReadScores(store, *scope);
    if (!table.ok() || table.value.pupils.isEmpty()) {
        printError(table.ok() ? NoPupilScoresMessage(*scope) : HistoryFailureMessage(store.path(), table));
        return ExitRefused;
    }
    if (const WriteOutcome written = WriteScoresCsv(csvPath, table.value); !written.ok()) {
        printError(writeFailureMessage(written, csvPath));
        return ExitRefused;
    }
    printJson(QJsonObject {{QStringLiteral("Class"), scope->className},
        {QStringLiteral("From"), dateJson(scope->from)}, {QStringLiteral("To"), dateJson(scope->to)},
        {QStringLiteral("Tests"), static_cast<int>(table.value.tests.size())},
        {QStringLiteral("Pupils"), static_cast<int>(table.value.pupils.size())},
        {QStringLiteral("Output"), QFileInfo(csvPath).absoluteFilePath()}});
    return ExitOk;
}

} // namespace sorario::cli
