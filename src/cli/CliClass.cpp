// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliClass.h"

#include "cli/CliCommon.h"
#include "cli/CliSheetOptions.h"
#include "history/HistoryPath.h"
#include "shared/Module1.h"

#include <QJsonArray>

namespace sorario::cli {

inline constexpr int MaxAvoidRecent = 20;

namespace {

ReviewDraw reviewOption(const QCommandLineParser &parser)
{
    if (!parser.isSet(QStringLiteral("review")))
        return ReviewDraw::None;
    return parser.value(QStringLiteral("review")) == QLatin1String("pupils") ? ReviewDraw::Pupils
                                                                             : ReviewDraw::Class;
}

} // namespace

void addClassOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("class"), QStringLiteral("Record the run in this class's history."),
        QStringLiteral("NAME")});
    parser.addOption({QStringLiteral("avoid-recent"),
        QStringLiteral("Leave out the questions of the class's last K tests (needs --class)."),
        QStringLiteral("K"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("review"),
        QStringLiteral("Put first what the class (class) or each pupil (pupils) got wrong (needs --class)."),
        QStringLiteral("WHOSE")});
    parser.addOption({QStringLiteral("history"),
        QStringLiteral("The history: a file, or a server as postgresql://user@host:port/dbname."),
        QStringLiteral("FILE")});
}

int checkClassOptions(const QCommandLineParser &parser)
{
    const int avoid = intOption(parser, QStringLiteral("avoid-recent"), 0, MaxAvoidRecent);
    if (avoid > 0 && !parser.isSet(QStringLiteral("class")))
        throw UsageError(QStringLiteral("--avoid-recent needs --class"));
    if (parser.isSet(QStringLiteral("class")) && parser.value(QStringLiteral("class")).trimmed().isEmpty())
        throw UsageError(QStringLiteral("--class needs a name"));
    if (!parser.isSet(QStringLiteral("review")))
        return ExitOk;
    const QString review = parser.value(QStringLiteral("review"));
    if (review != QStringLiteral("class") && review != QStringLiteral("pupils"))
        throw UsageError(QStringLiteral("--review takes class or pupils"));
    if (!parser.isSet(QStringLiteral("class")))
        throw UsageError(QStringLiteral("--review needs --class"));
    if (review == QStringLiteral("pupils") && parser.isSet(QStringLiteral("sheets")))
        throw UsageError(
            QStringLiteral("--review pupils prints one sheet for each pupil: leave out --sheets"));
    return ExitOk;
}

QStringList runInputs(const QCommandLineParser &parser)
{
    QStringList inputs = parser.positionalArguments();
    if (parser.isSet(QStringLiteral("class")))
        inputs.append(HistoryPath(parser.value(QStringLiteral("history"))));
    return inputs;
}

CliClassRun::CliClassRun(Module1 &m, const QCommandLineParser &parser)
{
    if (!parser.isSet(QStringLiteral("class")))
        return;
    m_store = std::make_unique<HistoryStore>(HistoryPath(parser.value(QStringLiteral("history"))));
    m_run = std::make_unique<ClassRun>(m, *m_store, parser.value(QStringLiteral("class")).trimmed(),
        intOption(parser, QStringLiteral("avoid-recent"), 0, MaxAvoidRecent), reviewOption(parser));
}

DrawSheet CliClassRun::wrap(const DrawSheet &draw, quint64 seed)
{
    if (!m_run)
        return draw;
    m_seed = seed;
    m_prepared = m_run->prepare(seed);
    if (refused()) {
        printError(ClassRunFailureMessage(m_store->path(), m_prepared));
        return {};
    }
    for (const QString &notice : m_prepared.value)
        printError(notice);
    return m_run->wrap(draw);
}

bool CliClassRun::refused() const
{
    return m_run && !m_prepared.ok();
}

void CliClassRun::record(RunOutput output, const QList<SheetOutcome> &sheets, QJsonObject &summary)
{
    if (!m_run)
        return;
    if (const HistoryOutcome<> recorded = m_run->record(output, m_seed, sheets); !recorded.ok())
        printError(NotRecordedMessage(m_store->path(), recorded));
    summary.insert(QStringLiteral("SheetNumbers"), QJsonArray::fromStringList(m_run->sheetNumbers()));
}

int runExport(const QStringList &args, const QString &command, const QString &what, const ExportWrite &write)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(
        QStringLiteral("FILE"), QStringLiteral("Question files."), QStringLiteral("FILE..."));
    addRangeOptions(parser);
    addDrawOptions(parser);
    addNowOption(parser);
    addOutputOption(parser, what);
    addClassOptions(parser);
    parseOrThrow(parser, args);
    const QString out = requiredOutput(parser, command);
    const std::optional<QDateTime> now = nowOption(parser);
    checkSheetOptions(parser, SheetOptionSet::Draw);
    if (const int refused = checkClassOptions(parser); refused != ExitOk)
        return refused;
    if (const ClassRunOutcome<> checked = CheckExportable(reviewOption(parser)); !checked.ok()) {
        printError(command + QStringLiteral(": ")
            + ClassRunFailureMessage(HistoryPath(parser.value(QStringLiteral("history"))), checked));
        return ExitRefused;
    }
    if (const int refused = checkOutputs({out}, runInputs(parser)); refused != ExitOk)
        return refused;

    auto m = std::make_unique<Module1>();
    BatchDialogs dialogs;
    if (const int decided = loadAndDecide(*m, parser, dialogs); decided != ExitOk)
        return decided;
    readSheetOptions(parser, SheetOptionSet::Draw, m->options);
    quint64 seed = 0;
    const DrawSheet draw = sheetDrawFromOptions(*m, parser, &seed);
    // Set after the seed is taken, as print sets it.
    if (now)
        m->clock.setFixed(*now);
    CliClassRun classRun(*m, parser);
    if (const int done = write(*m, classRun.wrap(draw, seed), dialogs, out); done != ExitOk)
        return done;
    QJsonObject summary;
    classRun.record(RunOutput::Exported, ExportedSheets(*m), summary);
    if (!summary.isEmpty())
        printJson(summary);
    return ExitOk;
}

} // namespace sorario::cli
