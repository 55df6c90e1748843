// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliPrintRun.h"

#include "cli/CliCommon.h"
#include "platform/SafeWrite.h"
#include "print/PrintReplay.h"
#include "print/QtPrintSurface.h"
#include "print/RecordingSurface.h"
#include "print/TraceJson.h"
#include "print/TracingSurface.h"
#include "setup/SheetPrinting.h"
#include "shared/Module1.h"

#include <QDir>

#include <algorithm>

namespace sorario::cli {
namespace {

PrintOutcome toldFailure(const PrintOutcome &outcome)
{
    if (PrintFailed(outcome))
        printError(PrintFailureMessage(*outcome.fault, outcome.detail));
    return outcome;
}

PrintOutcome traceWritten(const WriteOutcome &written, const QString &path)
{
    if (written.ok())
        return {};
    return toldFailure(PrintOutcome::failed(PrintFailureKind::TraceNotWritten,
        QDir::toNativeSeparators(path) + u'\n' + writeFailureReason(written)));
}

// The kept PDF is put in place only once the trace is written beside its own name,
// which then follows: a failure of either leaves both files as they were.
PrintOutcome committedWithTrace(QtPrintSurface &pdf, const PrintTarget &target, const QByteArray &trace)
{
    PendingWrite pendingTrace(target.tracePath, trace);
    if (PrintOutcome pending = traceWritten(pendingTrace.outcome(), target.tracePath); !pending.ok())
        return pending;
    const PrintOutcome printed = toldFailure(ContainPrintFailure(pdf, [&] {
        pdf.printKeptDocument();
        return PrintOutcome {};
    }));
    return printed.ok() ? traceWritten(pendingTrace.commit(), target.tracePath) : printed;
}

QJsonArray drawnJson(const QList<QuestionRecord> &questions)
{
    QJsonArray drawn;
    for (const QuestionRecord &q : questions)
        drawn.append(recordJson(q.QuestionText, q.Hint, q.Answer));
    return drawn;
}

// The run `print` makes on the surface it is given, into the target's PDF and trace.
void printInto(const PrintTarget &target, const std::function<PrintRunResult(PrintSurface &surface)> &print,
    PrintResult &r)
{
    const bool wantTrace = !target.tracePath.isEmpty();
    PrintOutcome outcome = PrintCancelled();
    const auto run = [&r, &print](PrintSurface &surface) {
        r.run = print(surface);
        return r.run.outcome;
    };
    QByteArray trace;
    QtPrintSurface pdf(target.out);
    pdf.setKeepDocument(wantTrace);
    if (target.fixedMetrics) {
        RecordingSurface recording;
        TracingSurface tracer(recording);
        outcome = run(tracer);
        if (outcome.ok()) {
            // The run itself reports its own failures; the replay is the command line's.
            outcome = toldFailure(ContainPrintFailure(pdf, [&] {
                ReplayOperations(recording.log(), pdf);
                return PrintOutcome {};
            }));
        }
        trace = TraceJson(tracer.log());
    } else if (wantTrace) {
        TracingSurface tracer(pdf);
        outcome = run(tracer);
        trace = TraceJson(tracer.log());
    } else {
        outcome = run(pdf);
    }
    if (outcome.fault == PrintFailureKind::Cancelled) {
        printError(QStringLiteral("print: cancelled at the overflow question (--overflow cancel)"));
        // A cancelled run writes its trace alone, as it always did.
        const PrintOutcome written = wantTrace
            ? traceWritten(writeBytesAtomically(target.tracePath, trace), target.tracePath)
            : PrintOutcome {};
        if (!written.ok())
            outcome = written;
    } else if (outcome.ok() && wantTrace) {
        outcome = committedWithTrace(pdf, target, trace);
    }
    r.run.outcome = outcome;
}

} // namespace

// With several sheets, DrawnQuestions is the first sheet's and "Sheets" holds every
// sheet's draw, and for each printed sheet what it printed.
QJsonObject printSummary(const SheetOptions &options, const PrintResult &result)
{
    const SheetOutcome &kept = result.run.leftBehind;
    const int pages = result.run.printed() ? result.run.pages : 0;
    const PrintMetrics metrics = result.run.metrics.value_or(PrintMetrics {});
    const QList<QJsonArray> &drawn = result.drawn;
    const QList<SheetOutcome> &outcomes = result.run.sheets;
    QJsonObject s {
        {QStringLiteral("pages"), pages},
        {QStringLiteral("QuestionCount"), kept.QuestionCount},
        {QStringLiteral("PrintMode"), kept.PrintMode},
        {QStringLiteral("OverCapacity"), kept.OverCapacity},
        {QStringLiteral("FitCount"), kept.FitCount},
        {QStringLiteral("CharHeight"), metrics.CharHeight},
        {QStringLiteral("FirstPageLines"), metrics.FirstPageLines},
        {QStringLiteral("NextPageLines"), metrics.NextPageLines},
        {QStringLiteral("DrawnQuestions"), drawn.value(0)},
    };
    if (options.paper != Paper::B5)
        s.insert(QStringLiteral("sheets"), pages > 0 ? result.run.paperSheets : 0);
    if (kept.FittedSize > 0)
        s.insert(QStringLiteral("FittedSize"), kept.FittedSize);
    if (options.sheetCount > 1) {
        QJsonArray sheets;
        for (qsizetype k = 0; k < drawn.size(); ++k) {
            QJsonObject sheet {{QStringLiteral("DrawnQuestions"), drawn[k]}};
            if (k < outcomes.size()) {
                sheet.insert(QStringLiteral("QuestionCount"), outcomes[k].QuestionCount);
                sheet.insert(QStringLiteral("PrintMode"), outcomes[k].PrintMode);
                sheet.insert(QStringLiteral("OverCapacity"), outcomes[k].OverCapacity);
                if (outcomes[k].FittedSize > 0)
                    sheet.insert(QStringLiteral("FittedSize"), outcomes[k].FittedSize);
            }
            sheets.append(sheet);
        }
        s.insert(QStringLiteral("Sheets"), sheets);
    }
    return s;
}

void addTargetOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("metrics"), QStringLiteral("fixed: lay out with the fixed metrics."),
        QStringLiteral("fixed")});
    parser.addOption({QStringLiteral("trace"), QStringLiteral("Write the print-surface operations as JSON."),
        QStringLiteral("T.json")});
    addOutputOption(parser, QStringLiteral("The PDF to write."), QStringLiteral("OUT.pdf"));
}

QStringList PrintTarget::outputs() const
{
    return tracePath.isEmpty() ? QStringList {out} : QStringList {out, tracePath};
}

PrintTarget targetFromOptions(const QCommandLineParser &parser, const QString &command)
{
    PrintTarget target;
    target.out = parser.value(QStringLiteral("o"));
    if (target.out.isEmpty())
        throw UsageError(command + QStringLiteral(": name the PDF with -o OUT.pdf"));
    target.fixedMetrics = parser.isSet(QStringLiteral("metrics"));
    if (target.fixedMetrics && parser.value(QStringLiteral("metrics")) != QLatin1String("fixed"))
        throw UsageError(QStringLiteral("--metrics takes fixed"));
    if (parser.isSet(QStringLiteral("trace")))
        target.tracePath = parser.value(QStringLiteral("trace"));
    if (!target.tracePath.isEmpty() && sameFile(target.tracePath, target.out))
        throw UsageError(QStringLiteral("--trace and -o name the same file"));
    return target;
}

PrintResult printToTarget(Module1 &m, BatchDialogs &dialogs, const DrawSheet &drawSheet,
    const PrintTarget &target, OverflowPolicy overflow)
{
    PrintResult r;
    // Every question each draw produced, before a Yes at the prompt cuts the count.
    const DrawSheet draw = [&](int sheet) {
        drawSheet(sheet);
        r.drawn.append(drawnJson(m.DrawnQuestions.first(std::min<int>(m.QuestionCount, MaxDrawnQuestions))));
    };
    printInto(
        target, [&](PrintSurface &surface) { return PrintSheets(m, surface, dialogs, draw, overflow); }, r);
    return r;
}

PrintResult printToTarget(
    const SheetJob &job, const SheetFiles &files, BatchDialogs &dialogs, const PrintTarget &target)
{
    PrintResult r;
    SheetJob drawing = job;
    drawing.sheetOf = [&r, &job](int sheet) {
        DrawnSheet drawn = job.sheetOf(sheet);
        r.drawn.append(drawnJson(drawn.questions));
        return drawn;
    };
    printInto(
        target, [&](PrintSurface &surface) { return PrintSheets(drawing, files, surface, dialogs); }, r);
    return r;
}

} // namespace sorario::cli
