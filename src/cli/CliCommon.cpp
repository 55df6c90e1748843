// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"

#include "bank/Draw.h"
#include "bank/FileChoice.h"
#include "bank/QuestionFiles.h"
#include "platform/SafeWrite.h"
#include "settings/PrintOptionsFile.h"
#include "setup/BankProcedures.h"
#include "setup/LoadQuestionFiles.h"
#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace sorario::cli {
namespace {

// Fills ChosenFileList with the files named and loads them: what the load gave, for
// the caller to tell.
LoadOutcome loadFiles(Module1 &m, const QStringList &paths)
{
    ChooseFiles(m, chosenFiles(paths));
    return LoadBank(m);
}

} // namespace

MessageAnswer BatchDialogs::messageBox(const QString &text, MessageButtons, MessageIcon, const QString &)
{
    printError(text);
    return MessageAnswer::Cancel;
}

void parseOrThrow(QCommandLineParser &parser, const QStringList &args)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    QStringList withProgram = args;
    withProgram.prepend(QStringLiteral("sorario-cli"));
    if (!parser.parse(withProgram))
        throw UsageError(parser.errorText());
}

int intOption(const QCommandLineParser &parser, const QString &name, int min, int max)
{
    bool ok = false;
    const qlonglong v = parser.value(name).toLongLong(&ok);
    if (!ok || v < min || v > max)
        throw UsageError(
            QStringLiteral("--%1 takes a whole number from %2 to %3").arg(name).arg(min).arg(max));
    return static_cast<int>(v);
}

int checkOutputs(const QStringList &outputs, const QStringList &inputs)
{
    for (const QString &out : outputs) {
        if (const WriteOutcome refused = checkWriteTarget(out, inputs); !refused.ok()) {
            printError(writeFailureMessage(refused, out));
            return ExitRefused;
        }
    }
    return ExitOk;
}

void printJson(const QJsonValue &value)
{
    QJsonDocument doc = value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    const QByteArray bytes = doc.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
    std::fflush(stdout);
}

void printError(const QString &message)
{
    const QByteArray bytes = message.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

QStringList chosenFiles(const QStringList &paths)
{
    switch (FileChoiceFor(paths.size())) {
    case FileChoice::NoneSelected:
        throw UsageError(QStringLiteral("name at least one question file"));
    case FileChoice::TooMany:
        throw UsageError(TooManyFilesMessage());
    case FileChoice::Chosen:
        break;
    }
    QStringList absolute;
    for (const QString &path : paths)
        absolute.append(QFileInfo(path).absoluteFilePath());
    return absolute;
}

void addRangeOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("parts"), QStringLiteral("Part numbers to choose, e.g. 1,3."),
        QStringLiteral("list")});
    parser.addOption({QStringLiteral("all"), QStringLiteral("Choose the whole range.")});
    parser.addOption({QStringLiteral("count"), QStringLiteral("Number of questions."), QStringLiteral("n")});
}

int decideRangeFromOptions(Module1 &m, const QCommandLineParser &parser, Dialogs &dialogs)
{
    if (parser.isSet(QStringLiteral("parts")) && parser.isSet(QStringLiteral("all")))
        throw UsageError(QStringLiteral("--parts and --all exclude each other"));
    QList<bool> selected(m.PartCount, false);
    m.AllPartsChosen = 0;
    if (parser.isSet(QStringLiteral("parts"))) {
        const QStringList items = parser.value(QStringLiteral("parts")).split(u',', Qt::SkipEmptyParts);
        if (items.isEmpty())
            throw UsageError(QStringLiteral("--parts needs part numbers"));
        for (const QString &item : items) {
            bool ok = false;
            const int k = item.trimmed().toInt(&ok);
            if (!ok || k < 1 || k > m.PartCount)
                throw UsageError(QStringLiteral("no part %1: the files have %2 parts")
                                     .arg(item.trimmed())
                                     .arg(m.PartCount));
            selected[k - 1] = true;
        }
    } else {
        // "全範囲" is also what a script means when it names no parts.
        selected.fill(true);
        m.AllPartsChosen = 1;
    }
    const RangeDecision decision = DecideRange(m, selected, dialogs);
    if (!decision.decided)
        return ExitRefused;
    if (parser.isSet(QStringLiteral("count"))) {
        const int offered = static_cast<int>(decision.countEntries.size());
        if (offered == 0)
            throw UsageError(QStringLiteral("--count: the chosen range holds no question"));
        m.QuestionCount = static_cast<std::int16_t>(intOption(parser, QStringLiteral("count"), 1, offered));
    }
    return ExitOk;
}

int loadAndDecide(Module1 &m, const QCommandLineParser &parser, Dialogs &dialogs)
{
    // A file of which no line counts is refused: a run that writes a test from it
    // would write a blank sheet without a word.
    if (const LoadOutcome loaded = loadFiles(m, parser.positionalArguments());
        !loaded.ok() || !loaded.value.isEmpty()) {
        printError(loaded.ok() ? EmptyFileMessage(loaded.value) : LoadFailureMessage(loaded));
        return ExitRefused;
    }
    return decideRangeFromOptions(m, parser, dialogs);
}

void addOutputOption(QCommandLineParser &parser, const QString &what, const QString &valueName)
{
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")}, what, valueName});
}

QString requiredOutput(const QCommandLineParser &parser, const QString &command)
{
    const QString out = parser.value(QStringLiteral("o"));
    if (out.isEmpty())
        throw UsageError(command + QStringLiteral(": name the output file with -o OUT"));
    return out;
}

DrawSheet sheetDrawFromOptions(Module1 &m, const QCommandLineParser &parser, quint64 *runSeed)
{
    quint64 seed = 0;
    if (parser.isSet(QStringLiteral("seed"))) {
        bool ok = false;
        seed = parser.value(QStringLiteral("seed")).toULongLong(&ok);
        if (!ok)
            throw UsageError(QStringLiteral("--seed takes a whole number"));
    } else {
        seed = ClockSeed(m);
    }
    if (runSeed)
        *runSeed = seed;
    return SheetDraws(m, seed);
}

QJsonValue recordJson(const QString &a, const QString &b, const QString &c)
{
    return QJsonArray {a, b, c};
}

} // namespace sorario::cli
