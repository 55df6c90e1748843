#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "platform/ProgramFolder.h"
#include "platform/SafeWrite.h"
#include "print/PrintReplay.h"
#include "print/PrintRun.h"
#include "print/QtPrintSurface.h"
#include "print/RecordingSurface.h"
#include "print/TraceJson.h"
#include "print/TracingSurface.h"
#include "settings/FontRule.h"
#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>

#include <cstdio>
#include <memory>

namespace sorario::cli {
namespace {

const char PrintUsage[]
    = "usage: sorario-cli print FILE... [--parts 1,3 | --all] [--count N] [--layout 1|2]\n"
      "         [--answers 1|2] [--font NAME] [--size 8-40] [--logo TEXT]\n"
      "         [--overflow yes|no|cancel] [--seed S] [--now YYYY-MM-DDTHH:MM]\n"
      "         [--sheets N] [--metrics fixed] [--trace T.json] -o OUT.pdf\n"
      "Draws a test and prints it to OUT.pdf without a print dialog. --overflow answers\n"
      "the question asked when the questions overflow the first page (default no: print\n"
      "them all). Font, size and logo default to the settings files. --metrics fixed lays\n"
      "the sheet out with the fixed metrics of the recording surface (every position\n"
      "exact and the same on every machine); OUT.pdf then draws those very positions\n"
      "with real fonts. --trace writes every print-surface operation as JSON.\n"
      "--sheets N prints N sheets in one PDF, each with its own draw and sheet number;\n"
      "the overflow answer serves them all.\n"
      "Prints a JSON summary; exit 1 when the run was cancelled or failed.\n";

void addPrintOptions(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("Question files."),
                                 QStringLiteral("FILE..."));
    addRangeOptions(parser);
    addDrawOptions(parser);
    const auto valued = [&](const char *name, const char *help, const char *value,
                            const char *def = nullptr) {
        QCommandLineOption option{QString::fromLatin1(name), QString::fromLatin1(help),
                                  QString::fromLatin1(value)};
        if (def)
            option.setDefaultValue(QString::fromLatin1(def));
        parser.addOption(option);
    };
    valued("answers", "1 attach an answer page, 2 none.", "1|2", "1");
    valued("font", "Question font name.", "NAME");
    valued("size", "Question font size, 8 to 40 points.", "N");
    valued("logo", "Sheet logo.", "TEXT");
    valued("overflow", "Answer to the overflow question.", "yes|no|cancel", "no");
    valued("now", "Clock for the sheet number and the draw.", "YYYY-MM-DDTHH:MM");
    valued("metrics", "fixed: lay out with the fixed metrics.", "fixed");
    valued("trace", "Write the print-surface operations as JSON.", "T.json");
    parser.addOption({{QStringLiteral("o"), QStringLiteral("output")},
                      QStringLiteral("The PDF to write."), QStringLiteral("OUT.pdf")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("This help.")});
}

MessageAnswer overflowAnswer(const QString &value)
{
    if (value == QLatin1String("yes"))
        return MessageAnswer::Yes;
    if (value == QLatin1String("no"))
        return MessageAnswer::No;
    if (value == QLatin1String("cancel"))
        return MessageAnswer::Cancel;
    throw UsageError(QStringLiteral("--overflow takes yes, no or cancel"));
}

std::int16_t sizeOption(const QCommandLineParser &parser)
{
    bool number = false;
    const double points = parser.value(QStringLiteral("size")).toDouble(&number);
    const std::optional<std::int16_t> size = number ? NormalizedFontSize(points) : std::nullopt;
    if (!size)
        throw UsageError(
            QStringLiteral("--size takes a size from %1 to %2 points").arg(MinFontSize).arg(MaxFontSize));
    return *size;
}

QDateTime clockOption(const QString &value)
{
    const QDateTime when = QDateTime::fromString(value, QStringLiteral("yyyy-MM-ddTHH:mm"));
    if (!when.isValid())
        throw UsageError(QStringLiteral("--now takes a local time as YYYY-MM-DDTHH:MM"));
    return when;
}

// The face as the window would keep it, at a size the sheet can print.
void applyFontOptions(Module1 &m, const QCommandLineParser &parser)
{
    if (parser.isSet(QStringLiteral("font")))
        m.FontName = NormalizedFontName(parser.value(QStringLiteral("font")));
    if (parser.isSet(QStringLiteral("size")))
        m.FontSize = sizeOption(parser);
}

bool writeTrace(const QString &path, const QByteArray &json)
{
    const WriteOutcome written = writeBytesAtomically(path, json);
    if (!written)
        printError(QStringLiteral("cannot write the trace %1: %2").arg(path, written.reason()));
    return written.ok();
}

QJsonArray drawnJson(const Module1 &m)
{
    QJsonArray drawn;
    for (int n = 1; n <= std::min<int>(m.QuestionCount, MaxDrawnQuestions); ++n) {
        const QuestionRecord &q = m.DrawnQuestions(n);
        drawn.append(recordJson(q.QuestionText, q.Hint, q.Answer));
    }
    return drawn;
}

// With several sheets, DrawnQuestions is the first sheet's and "Sheets" holds every
// sheet's draw, and for each printed sheet what it printed.
QJsonObject summary(const Module1 &m, int pages, const QList<QJsonArray> &drawn,
                    const QList<SheetOutcome> &outcomes)
{
    QJsonObject s{
        {QStringLiteral("pages"), pages},
        {QStringLiteral("QuestionCount"), m.QuestionCount},
        {QStringLiteral("PrintMode"), m.PrintMode},
        {QStringLiteral("OverCapacity"), m.OverCapacity},
        {QStringLiteral("FitCount"), m.FitCount},
        {QStringLiteral("CharHeight"), m.CharHeight},
        {QStringLiteral("FirstPageLines"), m.FirstPageLines},
        {QStringLiteral("NextPageLines"), m.NextPageLines},
        {QStringLiteral("DrawnQuestions"), drawn.value(0)},
    };
    if (m.SheetCount > 1) {
        QJsonArray sheets;
        for (qsizetype k = 0; k < drawn.size(); ++k) {
            QJsonObject sheet{{QStringLiteral("DrawnQuestions"), drawn[k]}};
            if (k < outcomes.size()) {
                sheet.insert(QStringLiteral("QuestionCount"), outcomes[k].QuestionCount);
                sheet.insert(QStringLiteral("PrintMode"), outcomes[k].PrintMode);
                sheet.insert(QStringLiteral("OverCapacity"), outcomes[k].OverCapacity);
            }
            sheets.append(sheet);
        }
        s.insert(QStringLiteral("Sheets"), sheets);
    }
    return s;
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
    const QString out = parser.value(QStringLiteral("o"));
    if (out.isEmpty())
        throw UsageError(QStringLiteral("print: name the PDF with -o OUT.pdf"));
    intOption(parser, QStringLiteral("layout"), 1, 2);
    sheetsOption(parser);
    const int answers = intOption(parser, QStringLiteral("answers"), 1, 2);
    const MessageAnswer overflow = overflowAnswer(parser.value(QStringLiteral("overflow")));
    const bool fixedMetrics = parser.isSet(QStringLiteral("metrics"));
    if (fixedMetrics && parser.value(QStringLiteral("metrics")) != QLatin1String("fixed"))
        throw UsageError(QStringLiteral("--metrics takes fixed"));
    const bool hasLogo = parser.isSet(QStringLiteral("logo"));
    if (parser.isSet(QStringLiteral("size")))
        sizeOption(parser);

    auto m = std::make_unique<Module1>();
    InitialiseFolders(*m);
    LoadFontSettings(*m);
    applyFontOptions(*m, parser);
    if (hasLogo)
        m->SheetLogo = parser.value(QStringLiteral("logo"));
    else
        LoadSheetLogo(*m);
    if (parser.isSet(QStringLiteral("now")))
        m->clock.setFixed(clockOption(parser.value(QStringLiteral("now"))));

    BatchDialogs dialogs;
    dialogs.capacityAnswer = overflow;
    if (!loadFiles(*m, parser.positionalArguments(), dialogs))
        return ExitRefused;
    if (const int decided = decideRangeFromOptions(*m, parser, dialogs); decided != ExitOk)
        return decided;
    const DrawSheet drawSheet = sheetDrawFromOptions(*m, parser);
    m->AttachAnswers = static_cast<std::int16_t>(answers);
    // Every question each draw produced, before a Yes at the prompt cuts the count.
    QList<QJsonArray> drawn;
    const DrawSheet draw = [&](int sheet) {
        drawSheet(sheet);
        drawn.append(drawnJson(*m));
    };
    QList<SheetOutcome> outcomes;

    const bool wantTrace = parser.isSet(QStringLiteral("trace"));
    PrintOutcome outcome;
    int pages = 0;
    QByteArray trace;
    if (fixedMetrics) {
        RecordingSurface recording;
        TracingSurface tracer(recording);
        outcome = PrintSheets(*m, tracer, dialogs, draw, &outcomes);
        if (outcome.printed()) {
            QtPrintSurface pdf(out);
            outcome = ContainPrintFailure(pdf, [&] {
                ReplayOperations(recording.log(), pdf);
                return PrintOutcome{PrintOutcome::Kind::Printed, {}};
            });
        }
        pages = outcome.printed() ? tracer.log().pagesDelivered() : 0;
        trace = TraceJson(tracer.log());
    } else if (wantTrace) {
        QtPrintSurface pdf(out);
        TracingSurface tracer(pdf);
        outcome = PrintSheets(*m, tracer, dialogs, draw, &outcomes);
        pages = tracer.log().pagesDelivered();
        trace = TraceJson(tracer.log());
    } else {
        QtPrintSurface pdf(out);
        outcome = PrintSheets(*m, pdf, dialogs, draw, &outcomes);
        pages = outcome.printed() ? pdf.pagesPrinted() : 0;
    }
    bool ok = outcome.printed();
    if (outcome.kind == PrintOutcome::Kind::Failed)
        printError(QStringLiteral("cannot print ") + out + QStringLiteral(": ") + outcome.reason);
    else if (outcome.kind == PrintOutcome::Kind::Cancelled)
        printError(QStringLiteral("print: cancelled at the overflow question (--overflow cancel)"));
    if (wantTrace && !writeTrace(parser.value(QStringLiteral("trace")), trace))
        ok = false;
    printJson(summary(*m, pages, drawn, outcomes));
    return ok ? ExitOk : ExitRefused;
}

} // namespace sorario::cli
