// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ClassRun.h"
#include "history/HistoryStore.h"
#include "shared/SheetDraw.h"

#include <QCommandLineParser>
#include <QJsonObject>

#include <memory>

namespace sorario {

struct Module1;

namespace cli {

// --class, --avoid-recent and --history of print, text and odt.
void addClassOptions(QCommandLineParser &parser);
// Throws UsageError for --avoid-recent out of 0..20 or without --class.
void checkClassOptions(const QCommandLineParser &parser);
// The files a run reads: those named, and the history when --class records into it.
QStringList runInputs(const QCommandLineParser &parser);

// A run for the class named by --class; without one it leaves the run as it is.
// The history's own failures are told on standard error and never stop the run.
class CliClassRun
{
public:
    CliClassRun(Module1 &m, const QCommandLineParser &parser);

    // `draw`, for a class over the range less its recent questions.
    DrawSheet wrap(const DrawSheet &draw, quint64 seed);
    // Records the sheets that came out and adds their numbers to the summary.
    void record(RunOutput output, const QList<PrintedSheet> &sheets, QJsonObject &summary);
    // For a class: records a written export (text or document) and prints its numbers.
    void recordExport(const Module1 &m);

private:
    std::unique_ptr<HistoryStore> m_store;
    std::unique_ptr<ClassRun> m_run;
    quint64 m_seed = 0;
};

} // namespace cli
} // namespace sorario
