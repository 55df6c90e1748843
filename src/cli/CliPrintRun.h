// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintRun.h"
#include "shared/SheetDraw.h"

#include <QCommandLineParser>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;
struct SheetFiles;

namespace cli {

class BatchDialogs;

// Where a print run goes: the PDF, and the trace when one is asked for.
struct PrintTarget
{
    QString out;
    bool fixedMetrics = false;
    QString tracePath; // empty: no trace

    QStringList outputs() const;
};

// A print run as the command line ends it: the run's result, its outcome that of
// writing the PDF and the trace too (failed: nothing written, no summary), and every
// question each sheet's draw produced.
struct PrintResult
{
    PrintRunResult run;
    QList<QJsonArray> drawn;
};

// -o, --metrics and --trace, shared by print and reprint.
void addTargetOptions(QCommandLineParser &parser);
// The target the options name, or a UsageError.
PrintTarget targetFromOptions(const QCommandLineParser &parser, const QString &command);

// The print run of m.options.sheetCount sheets into the target's PDF (no print dialog, no
// capacity prompt). A run that fails writes neither the PDF nor the trace.
PrintResult printToTarget(Module1 &m, BatchDialogs &dialogs, const DrawSheet &draw, const PrintTarget &target,
    OverflowPolicy overflow);
// The same for a job and the files it knows of.
PrintResult printToTarget(
    const SheetJob &job, const SheetFiles &files, BatchDialogs &dialogs, const PrintTarget &target);

// The JSON summary of a print run.
QJsonObject printSummary(const SheetOptions &options, const PrintResult &result);

} // namespace cli
} // namespace sorario
